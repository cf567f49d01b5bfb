#include "export/export_profile.hpp"

#include <array>
#include <utility>

#include "layout/workbook_layout.hpp"
#include "platform/values/ascii.hpp"

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

constexpr std::string_view kValidate = " ! Please Validate Your data";
constexpr std::string_view kExportedAt = "File Exported Successfully at ";

constexpr PerForm<ExportProfile> kProfiles = per_form<ExportProfile>({{
    {.form = Form::F24,
     .file_name = "eTDS24.txt",
     .file_type = "SL1",
     .form_code = "24Q",
     .nil_challans = NilChallans::NilReturnOnly,
     .nil_return_section = "192B",
     .success_before = kExportedAt,
     .success_after = kValidate,
     .challan_section = nullptr,
     .nil_section = nullptr},
    {.form = Form::F26,
     .file_name = "eTDS26.txt",
     .file_type = "NS1",
     .form_code = "26Q",
     .nil_challans = NilChallans::PerSection,
     .nil_return_section = "193",
     .success_before = "Exported Successfully to ",
     .success_after = kValidate,
     .challan_section = MapSectionCode,
     .nil_section = MapSectionCode},
    {.form = Form::F27,
     .file_name = "eTDS27.txt",
     .file_type = "NS1",
     .form_code = "27Q",
     .nil_challans = NilChallans::PerSection,
     .nil_return_section = "193",
     .success_before = kExportedAt,
     .success_after = kValidate,
     .challan_section = MapNonResidentSectionCode,
     .nil_section = MapNonResidentSectionCode},
    {.form = Form::F27EQ,
     .file_name = "eTDS27EQ.txt",
     .file_type = "TC1",
     .form_code = "27EQ",
     .nil_challans = NilChallans::PerSection,
     .nil_return_section = "E",
     .success_before = kExportedAt,
     .success_after = kValidate,
     .challan_section = as_held,
     .nil_section = MapCollectionCode},
}});

}  // namespace

const ExportProfile& export_profile(Form form) { return kProfiles[form_index(form)]; }

std::optional<Form> form_of_file_type(std::string_view file_type) {
  for (const ExportProfile& profile : kProfiles)
    if (profile.file_type == file_type) return profile.form;
  return std::nullopt;
}

bool is_file_type(std::string_view file_type) { return form_of_file_type(file_type).has_value(); }

bool is_form_code(std::string_view form_code) {
  for (const ExportProfile& profile : kProfiles)
    if (profile.form_code == form_code) return true;
  return false;
}

bool form_code_matches(std::string_view file_type, std::string_view form_code) {
  for (const ExportProfile& profile : kProfiles)
    if (profile.file_type == file_type && profile.form_code == form_code) return true;
  return false;
}

std::string FieldSeparator() { return "^"; }

std::string MapSectionCode(std::string_view section) {
  // clang-format off
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 14> kMap{{
      {"193", "193"}, {"194A", "94A"}, {"194B", "94B"}, {"194BB", "4BB"}, {"194C", "94C"},
      {"194D", "94D"}, {"194E", "94E"}, {"194EE", "4EE"}, {"194F", "94F"}, {"194G", "94G"},
      {"194H", "94H"}, {"194I", "94I"}, {"194J", "94J"}, {"194K", "94K"}}};
  return mapped(section, kMap);
}
// clang-format on

std::string MapNonResidentSectionCode(std::string_view section) {
  // clang-format off
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kMap{{
      {"195", "195"}, {"196A", "96A"}, {"196B", "96B"}, {"196C", "96C"}, {"196D", "96D"},
      {"194E", "94E"}}};
  return mapped(section, kMap);
}
// clang-format on

std::string MapCollectionCode(std::string_view section) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 1> kMap{
      {{"206C", "E"}}};
  return mapped(section, kMap);
}

std::string GetStateCode(std::string_view name, Workbook& workbook) {
  const StateSheet& states = kStateSheet;
  Worksheet& sheet = workbook.Worksheets(states.name);
  const std::string wanted = to_upper(trimmed(name));
  for (int row = states.first_row; row <= states.last_row; ++row)
    if (to_upper(trimmed(sheet.Cells(row, states.name_column).ValueText())) == wanted)
      return trimmed(sheet.Cells(row, states.code_column).ValueText());
  return {};
}

}  // namespace fenwarx
