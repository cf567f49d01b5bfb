// locate_findings: from a record's field back to the cell the export read it from,
// by the same rows and the same field mappings the export uses.
#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <vector>

#include "export/return_file_check.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "verify/challan_tally.hpp"
#include "verify/sheet_columns.hpp"

namespace fenwarx {
namespace {

constexpr int kFirstChallanRow = 4, kFirstDeducteeRow = 3, kLastDeducteeRow = 65535;
constexpr int kDeductorValueColumn = 2;

// The deductor row (column 2) each BH field repeats; 0 for none.
constexpr std::array<int, 53> kBatchHeaderRows = [] {
  std::array<int, 53> rows{};
  rows[13] = 1, rows[15] = 2, rows[18] = 32, rows[19] = 3;
  for (int k = 21; k <= 25; ++k) rows[k] = k - 16;  // rows 5 to 9
  rows[26] = 10, rows[27] = 11, rows[28] = 14, rows[29] = 12, rows[30] = 13, rows[31] = 15;
  for (int k = 32; k <= 39; ++k) rows[k] = k - 16;  // rows 16 to 23
  rows[40] = 24, rows[41] = 25, rows[42] = 28, rows[43] = 43, rows[44] = 26, rows[45] = 27;
  return rows;
}();

// The challan field (Form 26's challan column) each CD field is written from.
constexpr std::array<int, 39> kChallanFields = [] {
  std::array<int, 39> fields{};
  fields[4] = 1, fields[5] = 16, fields[12] = 13, fields[14] = 14, fields[16] = 10;
  fields[18] = 11, fields[21] = 2;
  for (int k = 22; k <= 27; ++k) fields[k] = k - 19;  // fields 3 to 8
  fields[29] = 23, fields[30] = 17, fields[31] = 18, fields[32] = 19, fields[33] = 22;
  fields[34] = 20, fields[35] = 21, fields[36] = 9, fields[37] = 12, fields[38] = 15;
  return fields;
}();

// The deductee record field each DD field is written from.
constexpr std::array<int, 33> kDeducteeFields = [] {
  std::array<int, 33> fields{};
  fields[8] = 2, fields[10] = 3, fields[12] = 4, fields[13] = 5;
  for (int k = 14; k <= 17; ++k) fields[k] = k - 3;  // fields 11 to 14
  fields[19] = 16, fields[21] = 30, fields[22] = 6, fields[23] = 7, fields[24] = 15;
  fields[25] = 28, fields[26] = 9, fields[28] = 8, fields[30] = 20;
  return fields;
}();

template <std::size_t N>
int lookup(const std::array<int, N>& table, int field) {
  return field > 0 && static_cast<std::size_t>(field) < N ? table[static_cast<std::size_t>(field)]
                                                          : 0;
}

// The deductee column whose text the walk stores in record field `field`; 0 for none.
int deductee_column(Form form, int field) {
  for (const DeducteeAction& action : deductee_actions(form))
    if ((action.step == DeducteeStep::Store || action.step == DeducteeStep::StoreCleaned) &&
        action.a == field)
      return action.column;
  return 0;
}

class Locator {
 public:
  Locator(const CheckReport& report, Workbook& workbook, const FormProfile& form)
      : report_(report), workbook_(workbook), form_(form) {
    int real = 0, nil = 0;
    for (const CheckedChallan& c : report.challans) ordinals_.push_back(c.nil ? ++nil : ++real);
  }

  void locate(CheckFinding& finding) {
    if (finding.line == 1 && finding.field == 8)
      return place(finding, form_.deductor_sheet, 1, kDeductorValueColumn);
    if (finding.line == 2) {
      if (const int row = lookup(kBatchHeaderRows, finding.field))
        place(finding, form_.deductor_sheet, row, kDeductorValueColumn);
      return;
    }
    const auto& challans = report_.challans;
    const auto after =
        std::upper_bound(challans.begin(), challans.end(), finding.line,
                         [](long long line, const CheckedChallan& c) { return line < c.line; });
    if (after == challans.begin()) return;
    const auto index = static_cast<std::size_t>(after - challans.begin() - 1);
    const CheckedChallan& challan = challans[index];
    const int ordinal = ordinals_[index];
    if (finding.line == challan.line) {
      if (challan.nil)
        locate_nil_challan(finding, ordinal);
      else
        locate_challan(finding, kFirstChallanRow - 1 + ordinal);
      return;
    }
    const std::vector<int>* rows = challan.nil ? nil_group(ordinal) : named_rows(ordinal);
    const long long record = finding.line - challan.line;
    if (!rows || record > static_cast<long long>(rows->size())) return;
    int column = deductee_column(form_.form, lookup(kDeducteeFields, finding.field));
    if (finding.field == 4 && !challan.nil) column = tallied_columns(form_.form).serial;
    place(finding, form_.deductee_sheet, (*rows)[static_cast<std::size_t>(record - 1)], column);
  }

 private:
  void place(CheckFinding& finding, std::string_view sheet, int row, int column) {
    finding.sheet = sheet;
    finding.row = row;
    finding.column = column;
  }

  // Form 24 has no section column and stores every challan column from 2 one
  // place further on.
  void locate_challan(CheckFinding& finding, int row) {
    const int field = lookup(kChallanFields, finding.field);
    const int shift = challan_layout(form_.form).record_shift;
    int column = field == 1 ? 1 : field - shift;
    if (column < 2 && field != 1) column = 0;
    place(finding, form_.challan_sheet, row, column);
  }

  // A nil challan's date is the deductor's (Form 24: the quarter's end), its
  // section that of its deductee rows.
  void locate_nil_challan(CheckFinding& finding, int ordinal) {
    if (finding.field == 18) {
      place(finding, form_.deductor_sheet, form_.form == Form::F24 ? 32 : 31, kDeductorValueColumn);
    } else if (finding.field == 21) {
      const std::vector<int>* rows = nil_group(ordinal);
      const int column = deductee_column(form_.form, 1);
      if (rows && !rows->empty() && column > 0)
        place(finding, form_.deductee_sheet, rows->front(), column);
    }
  }

  const std::vector<int>* named_rows(int ordinal) {
    scan();
    Worksheet& challans = workbook_.Worksheets(form_.challan_sheet);
    const double key =
        leading_number(challans.Cells(kFirstChallanRow - 1 + ordinal, 1).Value().to_text());
    const auto found = by_serial_.find(key);
    return found == by_serial_.end() ? nullptr : &found->second;
  }

  const std::vector<int>* nil_group(int ordinal) {
    scan();
    const auto at = static_cast<std::size_t>(ordinal - 1);
    return at < nil_groups_.size() ? &nil_groups_[at] : nullptr;
  }

  // The deductee rows by the challan they name, and the zero-rate rows by section
  // in the order each section first appears (Form 24: all in one group).
  void scan() {
    if (scanned_) return;
    scanned_ = true;
    Worksheet& sheet = workbook_.Worksheets(form_.deductee_sheet);
    const int serial_column = tallied_columns(form_.form).serial;
    const int rate_column = deductee_column(form_.form, 9);
    const int section_column = deductee_column(form_.form, 1);
    const auto text = [&](int row, int column) {
      return sheet.Cells(row, column).Value().to_text();
    };
    std::map<std::string, std::size_t> groups;
    for (int row = kFirstDeducteeRow; row <= kLastDeducteeRow; ++row) {
      if (trimmed(text(row, 1)).empty()) break;
      by_serial_[leading_number(text(row, serial_column))].push_back(row);
      if (rate_column > 0 && leading_number(text(row, rate_column)) != 0) continue;
      const std::string section =
          section_column > 0 ? to_upper(trimmed(text(row, section_column))) : "";
      const auto [group, added] = groups.try_emplace(section, nil_groups_.size());
      if (added) nil_groups_.emplace_back();
      nil_groups_[group->second].push_back(row);
    }
  }

  const CheckReport& report_;
  Workbook& workbook_;
  const FormProfile& form_;
  std::vector<int> ordinals_;  // each challan's place among the real or the nil ones
  bool scanned_ = false;
  std::map<double, std::vector<int>> by_serial_;
  std::vector<std::vector<int>> nil_groups_;
};

}  // namespace

void locate_findings(CheckReport& report, Workbook& workbook, const FormProfile& form) {
  Locator locator(report, workbook, form);
  for (CheckFinding& finding : report.findings)
    if (finding.line > 0) locator.locate(finding);
}

}  // namespace fenwarx
