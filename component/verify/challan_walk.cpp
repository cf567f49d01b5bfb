// The challan check: every challan row checked by its column, the computed columns
// filled from the deductee sheet, one record per row kept for the export.
#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <type_traits>

#include "checks/computed_cells.hpp"
#include "checks/error_marker.hpp"
#include "checks/validators.hpp"
#include "checks/walk_checks.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/values/utf8.hpp"
#include "state/message_texts.hpp"
#include "state/return_object.hpp"
#include "verify/challan_tally.hpp"
#include "verify/fed_cells.hpp"
#include "verify/row_markers.hpp"
#include "verify/verification.hpp"
#include "verify/walk_steps.hpp"

namespace fenwarx {
namespace {

constexpr std::size_t kLongestBankCode = 7;

bool blank(Worksheet& sheet, int row, int column) {
  return trimmed(sheet.Cells(row, column).ValueText()).empty();
}

class ChallanRow {
 public:
  ChallanRow(ReturnObject& self, std::optional<DeducteeTally>& tally)
      : self_(self), columns_(self.layout().challans.columns), tally_(tally) {}

  // Runs one step on (row, column); false when the record keeps "0.00" instead
  // of what the cell ends up holding.
  bool run(const ChallanStep& step, int row, int column) {
    using namespace challan_step;
    bool keeps_cell = true;
    std::visit(
        [&](const auto& s) {
          using S = std::decay_t<decltype(s)>;
          if constexpr (std::is_same_v<S, UniqueSerial>) {
            if (!serials_.insert(round_half_even(leading(row, column))).second)
              MarkCell(self_, row, column, true, Rule::RepeatedChallan);
          } else if constexpr (std::is_same_v<S, SectionCode>)
            CheckSectionCode(self_, row, column);
          else if constexpr (std::is_same_v<S, AmountRoundoff>)
            CheckAmountroundoff(self_, row, column);
          else if constexpr (std::is_same_v<S, Amount>)
            CheckAmount(self_, row, column);
          else if constexpr (std::is_same_v<S, FillTotal>)
            FillChallanTotal(self_, row, column, at(s.first), at(s.last), at(s.beside));
          else if constexpr (std::is_same_v<S, AddToTotal>)
            self_.totals.challan_total += leading(row, column);
          else if constexpr (std::is_same_v<S, BankCode>) {
            MarkCell(self_, row, column, false);
            if (character_count(trimmed(self_.GetCellText(row, column))) > kLongestBankCode)
              MarkCell(self_, row, column, true, Rule::BankCode);
          } else if constexpr (std::is_same_v<S, ChallanDate>)
            checkChallanDate(self_, row, column);
          else if constexpr (std::is_same_v<S, Date>) {
            bool checkFin = false;
            CheckDate(self_, row, column, checkFin);
          } else if constexpr (std::is_same_v<S, YesNoFlag>)
            CheckYesNoFlag(self_, row, column);
          else if constexpr (std::is_same_v<S, BookEntry>)
            CheckBookEntry(self_, row, column,
                           {.flag = at(ChallanColumn::BookEntry),
                            .voucher = at(ChallanColumn::ChallanNumber),
                            .transfer = at(ChallanColumn::TransferVoucher)});
          else if constexpr (std::is_same_v<S, Count>)
            write_computed(self_, row, column,
                           Variant::number(static_cast<double>(tally(row).count)));
          else if constexpr (std::is_same_v<S, Sum>)
            write_computed(self_, row, column,
                           Variant::text(number_text(tally(row).sums[tallied_index(s.of)])));
          else if constexpr (std::is_same_v<S, Copy>) {
            self_.cell(row, column).SetValue(Variant::text(self_.GetCellText(row, at(s.from))));
            keeps_cell = false;
          } else if constexpr (std::is_same_v<S, AgainstTotal>)
            CheckAgainstChallanTotal(self_, row, column, at(ChallanColumn::TotalDeposited));
          else if constexpr (std::is_same_v<S, MinorHead>)
            CheckMinorHead(self_, row, column);
        },
        step);
    return keeps_cell;
  }

 private:
  int at(ChallanColumn role) const { return columns_.of(role); }
  double leading(int row, int column) { return leading_number(self_.GetCellText(row, column)); }

  // The deductee sheet is read once, at the first challan that needs it, as it
  // stands before the deductee walk.
  const ChallanTally& tally(int row) {
    if (!tally_) tally_.emplace(self_.form(), *self_.workbook);
    const double serial = round_half_even(
        leading_number(self_.cell(row, at(ChallanColumn::SerialNumber)).ValueText()));
    return tally_->of(serial);
  }

  ReturnObject& self_;
  const FieldTable<ChallanColumn>& columns_;
  std::optional<DeducteeTally>& tally_;
  std::set<double> serials_;  // the keys of the challans checked so far
};

// Form 26's stray first row: its first row empty and the next one filled.
bool stray_first_row(ReturnObject& self, Worksheet& sheet, int first) {
  return self.return_class().flags_empty_first_challan_row && blank(sheet, first, kDataColumn) &&
         !blank(sheet, first + 1, kDataColumn);
}

// The steps that read the deductee sheet, and the check that compares with them.
bool reads_deductees(const ChallanStep& step) {
  return std::holds_alternative<challan_step::Count>(step) ||
         std::holds_alternative<challan_step::Sum>(step) ||
         std::holds_alternative<challan_step::AgainstTotal>(step);
}

}  // namespace

void Verify_Challan(ReturnObject& self) {
  const TableSheet<ChallanColumn>& layout = self.layout().challans;
  if (!self.workbook) throw RuntimeError(err::kObjectNotSet);
  Worksheet& sheet = self.workbook->Worksheets(layout.name);
  self.current_sheet = &sheet;
  self.totals.challan_total = 0;
  const int first = layout.first_row;

  if (stray_first_row(self, sheet, first)) {
    write_marker(self, sheet, first, kDataColumn, texts::kDeleteThisRow);
    paint_row(sheet, first, layout.end_of_data, kColorError);
    return;
  }

  const auto actions = challan_actions(self.form());
  ReturnRecords& records = self.records;
  records.challans.assign(1, ChallanRecord{});
  records.challan_index = 0;
  std::optional<DeducteeTally> tally;
  ChallanRow checks(self, tally);
  Application& application = self.workbook->GetApplication();
  const int columns = layout.columns.count();
  FedRow fed(self, sheet, layout.columns, fed_fields(self.form()).challan);
  const int rows = rows_to_walk(sheet, first, layout.last_row);

  for (int row = first; row <= layout.last_row; ++row) {
    application.SetStatusBar(std::string(layout.progress) + number_text(row));
    application.ReportProgress({.sheet = sheet.Name(), .done = row - first, .rows = rows});
    if (blank(sheet, row, kDataColumn) ||
        trimmed(sheet.Cells(row, layout.end_of_data.column).ValueText()) == texts::kEndOfData) {
      self.totals.challan_count = row - first;
      end_walk(self, sheet, row, layout.end_of_data, layout.walked_columns);
      return;
    }
    const auto position = static_cast<std::size_t>(records.challan_index);
    if (records.challans.size() <= position) records.challans.resize(position + 1);
    ChallanRecord& record = records.challans[position];
    auto next = actions.begin();
    fed.before(row);
    for (int column = 1; column <= columns; ++column) {
      self.position = {.row = static_cast<double>(row), .column = static_cast<double>(column)};
      sheet.Cells(row, column).SetInteriorColor(kColorNone);
      bool keeps_cell = true;
      for (; next != actions.end() && next->column == column; ++next)
        keeps_cell = checks.run(next->action->step, row, column) && keeps_cell;
      record.set(layout.columns.at(column).role,
                 keeps_cell ? self.GetCellText(row, column) : "0.00");
    }
    fed.after(row, [&](int column) { return record[layout.columns.at(column).role]; });
    records.challan_index += 1;
  }
  self.totals.challan_count = layout.last_row - first + 1;
}

void RetallyChallans(ReturnObject& self) {
  const TableSheet<ChallanColumn>& layout = self.layout().challans;
  if (!self.workbook) throw RuntimeError(err::kObjectNotSet);
  Worksheet& sheet = self.workbook->Worksheets(layout.name);
  self.current_sheet = &sheet;
  if (stray_first_row(self, sheet, layout.first_row)) return;  // the check stopped there too
  std::optional<DeducteeTally> tally;
  ChallanRow checks(self, tally);
  const auto actions = challan_actions(self.form());
  ReturnRecords& records = self.records;
  const auto rows = std::min(static_cast<std::size_t>(std::max(0.0, records.challan_index)),
                             records.challans.size());
  for (std::size_t i = 0; i < rows; ++i) {
    const int row = layout.first_row + static_cast<int>(i);
    for (auto next = actions.begin(); next != actions.end();) {
      const int column = next->column;
      const auto end =
          std::find_if(next, actions.end(), [&](const auto& a) { return a.column != column; });
      // A cell the check marked for what the file cannot carry keeps it.
      if (std::any_of(next, end, [](const auto& a) { return reads_deductees(a.action->step); }) &&
          cell_carries(sheet, row, column)) {
        self.position = {.row = static_cast<double>(row), .column = static_cast<double>(column)};
        sheet.Cells(row, column).SetInteriorColor(kColorNone);
        for (auto step = next; step != end; ++step) checks.run(step->action->step, row, column);
        records.challans[i].set(layout.columns.at(column).role, self.GetCellText(row, column));
      }
      next = end;
    }
  }
}

}  // namespace fenwarx
