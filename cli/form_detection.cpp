#include "form_detection.hpp"

#include <algorithm>
#include <span>
#include <string>

#include "platform/values/ascii.hpp"
#include "returns/return_codes.hpp"

namespace fenwarx::cli {
namespace {

// Challan rows start at row 4 with the section code in column 2; deductee rows
// start at row 3 with it in column 1.
constexpr int kFirstChallanRow = 4, kChallanSectionColumn = 2;
constexpr int kFirstDeducteeRow = 3, kDeducteeSectionColumn = 1;

bool listed(std::span<const std::string_view> codes, std::string_view code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// An empty row or a stale "End of Data" does not end the skim: a Form 26 sheet
// may open with an empty row, and a code below the marker still tells the form.
const FormProfile* form_from_sections(Worksheet& sheet, int first_row, int column) {
  const int last_row = sheet.last_row();
  for (int row = first_row; row <= last_row; ++row) {
    const std::string code = to_upper(trimmed(sheet.Cells(row, column).Value().to_text()));
    if (listed(section_codes(Form::F27), code)) return &profile_of(Form::F27);
    if (listed(section_codes(Form::F26), code)) return &profile_of(Form::F26);
  }
  return nullptr;
}

}  // namespace

const FormProfile* detect_form(Workbook& workbook) {
  if (workbook.find_sheet("Collector Details")) return &profile_of(Form::F27EQ);
  if (workbook.find_sheet("Salary Details")) return &profile_of(Form::F24);
  if (Worksheet* challans = workbook.find_sheet("Challan Details"))
    if (const FormProfile* found =
            form_from_sections(*challans, kFirstChallanRow, kChallanSectionColumn))
      return found;
  if (Worksheet* deductees = workbook.find_sheet("Deductee Details"))
    return form_from_sections(*deductees, kFirstDeducteeRow, kDeducteeSectionColumn);
  return nullptr;
}

}  // namespace fenwarx::cli
