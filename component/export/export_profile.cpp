// What the return file of each form writes differently, and the maps from the
// workbook's codes to the file's.
#include <array>
#include <utility>

#include "platform/values/ascii.hpp"
#include "platform/values/runtime_error.hpp"
#include "export/return_records.hpp"

namespace fenwarx {
namespace {

template <std::size_t N>
std::string mapped(std::string_view section,
                   const std::array<std::pair<std::string_view, std::string_view>, N>& map) {
  const std::string key = to_upper(trimmed(section));
  for (const auto& [from, to] : map)
    if (from == key) return std::string(to);
  return {};
}

std::string as_held(std::string_view section) { return std::string(section); }
std::string trimmed_map(std::string_view section) { return MapSectionCode(section); }
std::string trimmed_non_resident(std::string_view section) { return MapNonResidentSectionCode(section); }

constexpr std::string_view kValidate = " ! Please Validate Your data";

const std::array<ExportProfile, 4> kProfiles{{
    {"eTDS24.txt", "SL1", "24Q", "193", "File Exported Successfully at ", kValidate, nullptr, nullptr},
    {"eTDS26.txt", "NS1", "26Q", "193", "Exported Successfully to ", kValidate, trimmed_map,
     MapSectionCode},
    {"eTDS27.txt", "NS1", "27Q", "193", "File Exported Successfully at ", kValidate,
     trimmed_non_resident, MapNonResidentSectionCode},
    {"eTDS27EQ.txt", "TC1", "27EQ", "E", "File Exported Successfully at ", kValidate, as_held,
     MapCollectionCode},
}};

}  // namespace

const ExportProfile& export_profile(Form form) { return kProfiles[static_cast<std::size_t>(form)]; }

std::string FieldSeparator() { return "^"; }

std::string MapSectionCode(std::string_view section) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 14> kMap{{
      {"193", "193"}, {"194A", "94A"}, {"194B", "94B"}, {"194BB", "4BB"}, {"194C", "94C"},
      {"194D", "94D"}, {"194E", "94E"}, {"194EE", "4EE"}, {"194F", "94F"}, {"194G", "94G"},
      {"194H", "94H"}, {"194I", "94I"}, {"194J", "94J"}, {"194K", "94K"}}};
  return mapped(section, kMap);
}

std::string MapNonResidentSectionCode(std::string_view section) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kMap{{
      {"195", "195"}, {"196A", "96A"}, {"196B", "96B"}, {"196C", "96C"}, {"196D", "96D"},
      {"194E", "94E"}}};
  return mapped(section, kMap);
}

std::string MapCollectionCode(std::string_view section) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 1> kMap{{{"206C", "E"}}};
  return mapped(section, kMap);
}

std::string GetStateCode(std::string_view name, Workbook& workbook) {
  Worksheet& states = workbook.Worksheets("State Code");
  const std::string wanted = to_upper(trimmed(name));
  for (int row = 2; row <= 36; ++row)
    if (to_upper(trimmed(states.Cells(row, 2).Value().to_text())) == wanted)
      return trimmed(states.Cells(row, 1).Value().to_text());
  return {};
}

}  // namespace fenwarx
