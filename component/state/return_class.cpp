#include "state/return_class.hpp"

#include "platform/values/ascii.hpp"

namespace fenwarx {
namespace {

constexpr PerForm<ReturnClass> kClasses = per_form<ReturnClass>({{
    {.form = Form::F24,
     .class_name = "clsExport24",
     .prog_id = "Fenwarx.clsExport24",
     .has_verify_salary = true,
     .has_roundoff = false,
     .has_rate_nil = false,
     .rate_nil_two_way = false,
     .regular_flag_per_thread = false,
     .section_code_rule = SectionCodeRule::AsTyped,
     .flags_empty_first_challan_row = false,
     .reserved_deductor_pans = true},
    {.form = Form::F26,
     .class_name = "clsExport26",
     .prog_id = "Fenwarx.clsExport26",
     .has_verify_salary = false,
     .has_roundoff = true,
     .has_rate_nil = true,
     .rate_nil_two_way = false,
     .regular_flag_per_thread = false,
     .section_code_rule = SectionCodeRule::AsTyped,
     .flags_empty_first_challan_row = true,
     .reserved_deductor_pans = false},
    {.form = Form::F27,
     .class_name = "clsExport27",
     .prog_id = "Fenwarx.clsExport27",
     .has_verify_salary = false,
     .has_roundoff = true,
     .has_rate_nil = true,
     .rate_nil_two_way = true,
     .regular_flag_per_thread = true,
     .section_code_rule = SectionCodeRule::Trimmed,
     .flags_empty_first_challan_row = false,
     .reserved_deductor_pans = false},
    {.form = Form::F27EQ,
     .class_name = "clsExport27EQ",
     .prog_id = "Fenwarx.clsExport27EQ",
     .has_verify_salary = false,
     .has_roundoff = true,
     .has_rate_nil = true,
     .rate_nil_two_way = true,
     .regular_flag_per_thread = true,
     .section_code_rule = SectionCodeRule::FilledWhenEmpty,
     .flags_empty_first_challan_row = false,
     .reserved_deductor_pans = false},
}});

}  // namespace

const ReturnClass& return_class(Form form) { return kClasses[form_index(form)]; }

const ReturnClass* find_return_class(std::string_view name) {
  for (const ReturnClass& c : kClasses)
    if (equal_ignoring_case(name, c.prog_id) || equal_ignoring_case(name, c.class_name) ||
        equal_ignoring_case(name, form_name(c.form)))
      return &c;
  return nullptr;
}

}  // namespace fenwarx
