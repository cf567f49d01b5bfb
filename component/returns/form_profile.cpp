#include "returns/form_profile.hpp"

#include <array>

#include "platform/values/ascii.hpp"

namespace fenwarx {
namespace {

constexpr std::string_view kChallanProgress = " Verifing Challan Details Row NO ";

constexpr std::array<FormProfile, 4> kProfiles{{
    {Form::F24, "24", "clsExport24", "Fenwarx.clsExport24", "Deductor Details", "Challan Details",
     "Deductee Details", 31, kChallanProgress, " Verifing Deductee Details Row NO ",
     " Verifing Deductor Details Row NO ", false, false, 0, 0, 0, true, false, false},
    {Form::F26, "26", "clsExport26", "Fenwarx.clsExport26", "Deductor Details", "Challan Details",
     "Deductee Details", 30, kChallanProgress, " Verifing Deductee Details Row NO ",
     " Verifing Deductor Details Row NO ", true, false, 9, 11, 19, false, true, false},
    {Form::F27, "27", "clsExport27", "Fenwarx.clsExport27", "Deductor Details", "Challan Details",
     "Deductee Details", 30, kChallanProgress, " Verifing Deductee Details Row NO ",
     " Verifing Deductor Details Row NO ", true, true, 9, 11, 19, false, true, true},
    {Form::F27EQ, "27EQ", "clsExport27EQ", "Fenwarx.clsExport27EQ", "Collector Details",
     "Challan Details", "Collectee Details", 29, kChallanProgress,
     " Verifing Collectee Details Row NO ", " Verifing Collector Details Row NO ", true, true, 10,
     12, 20, false, true, true},
}};

}  // namespace

const FormProfile& profile_of(Form form) { return kProfiles[static_cast<std::size_t>(form)]; }

const FormProfile* find_profile(std::string_view name) {
  for (const FormProfile& p : kProfiles)
    if (equal_ignoring_case(name, p.prog_id) || equal_ignoring_case(name, p.class_name) ||
        equal_ignoring_case(name, p.name))
      return &p;
  return nullptr;
}

}  // namespace fenwarx
