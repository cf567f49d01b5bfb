#include "layout/form_detection.hpp"

#include <algorithm>
#include <span>
#include <string>

#include "layout/code_lists.hpp"
#include "layout/workbook_layout.hpp"
#include "platform/values/ascii.hpp"

namespace fenwarx {
namespace {

bool listed(std::span<const std::string_view> codes, std::string_view code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// An empty row or a stale "End of Data" does not end the skim: a Form 26 sheet
// may open with an empty row, and a code below the marker still tells the form.
template <class Role>
std::optional<Form> form_from_sections(Workbook& workbook, const TableSheet<Role>& layout,
                                       Role section) {
  Worksheet* sheet = workbook.find_sheet(layout.name);
  if (!sheet) return std::nullopt;
  const int column = layout.columns.of(section);
  const int last_row = sheet->last_row();
  for (int row = layout.first_row; row <= last_row; ++row) {
    const std::string code = to_upper(trimmed(sheet->Cells(row, column).ValueText()));
    if (listed(section_codes(Form::F27), code)) return Form::F27;
    if (listed(section_codes(Form::F26), code)) return Form::F26;
  }
  return std::nullopt;
}

}  // namespace

std::optional<Form> detect_form(Workbook& workbook) {
  if (workbook.find_sheet(workbook_layout(Form::F27EQ).deductor.name)) return Form::F27EQ;
  if (workbook.find_sheet(workbook_layout(Form::F24).salaries->name)) return Form::F24;
  // Forms 26 and 27 lay out their challan and deductee sheets alike.
  const WorkbookLayout& layout = workbook_layout(Form::F26);
  if (auto form = form_from_sections(workbook, layout.challans, ChallanColumn::Section))
    return form;
  return form_from_sections(workbook, layout.deductees, DeducteeColumn::Section);
}

}  // namespace fenwarx
