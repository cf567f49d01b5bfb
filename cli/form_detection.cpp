#include "form_detection.hpp"

#include <algorithm>
#include <array>
#include <string>

#include "platform/values/text_case.hpp"

namespace fenwarx::cli {
namespace {

// Challan rows start at row 4; column 2 holds the section code.
constexpr int kFirstChallanRow = 4;
constexpr int kSectionColumn = 2;

// Payments to non-residents; every other code a Form 26 sheet admits is a resident's.
constexpr std::array<std::string_view, 6> kNonResidentSections{"194E", "195",  "196A",
                                                               "196B", "196C", "196D"};
constexpr std::array<std::string_view, 15> kResidentSections{
    "193",  "194",  "194A", "194B", "194BB", "194C", "194D", "194EE",
    "194F", "194G", "194H", "194I", "194J",  "194K", "194LA"};

bool listed(const auto& codes, std::string_view code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// An empty row or a stale "End of Data" does not end the skim: a Form 26 sheet
// may open with an empty row, and a code below the marker still tells the form.
const FormProfile* form_from_challans(Worksheet& challans) {
  const int last_row = challans.last_row();
  for (int row = kFirstChallanRow; row <= last_row; ++row) {
    const std::string code =
        to_upper(trimmed(challans.Cells(row, kSectionColumn).Value().to_text()));
    if (listed(kNonResidentSections, code)) return &profile_of(Form::F27);
    if (listed(kResidentSections, code)) return &profile_of(Form::F26);
  }
  return nullptr;
}

}  // namespace

const FormProfile* detect_form(Workbook& workbook) {
  if (workbook.find_sheet("Collector Details")) return &profile_of(Form::F27EQ);
  if (workbook.find_sheet("Salary Details")) return &profile_of(Form::F24);
  if (Worksheet* challans = workbook.find_sheet("Challan Details")) return form_from_challans(*challans);
  return nullptr;
}

}  // namespace fenwarx::cli
