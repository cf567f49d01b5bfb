// The deductee walk: every deductee row checked and normalised column by column
// from the form's table, its texts kept as a record for the return file, the
// totals kept for the deductor sheet; the deductor walk follows.
#include <algorithm>
#include <span>
#include <string>
#include <type_traits>

#include "checks/computed_cells.hpp"
#include "checks/error_marker.hpp"
#include "checks/validators.hpp"
#include "checks/walk_checks.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "state/message_texts.hpp"
#include "state/return_object.hpp"
#include "state/text_helpers.hpp"
#include "verify/fed_cells.hpp"
#include "verify/row_markers.hpp"
#include "verify/verification.hpp"
#include "verify/walk_steps.hpp"

namespace fenwarx {
namespace {

class DeducteeRow {
 public:
  explicit DeducteeRow(ReturnObject& self)
      : self_(self), columns_(self.layout().deductees.columns), serials_(challan_serials(self)) {}

  void run(const DeducteeStep& step, int row, int column, DeducteeRecord& record) {
    using namespace deductee_step;
    std::visit(
        [&](const auto& s) {
          using S = std::decay_t<decltype(s)>;
          if constexpr (std::is_same_v<S, Store>)
            store(record, row, column, false);
          else if constexpr (std::is_same_v<S, StoreCleaned>)
            store(record, row, column, true);
          else if constexpr (std::is_same_v<S, CleanName>)
            write(row, column, xplaceName(self_.GetCellText(row, column)));
          else if constexpr (std::is_same_v<S, Clear>)
            self_.cell(row, column).SetValue(Variant());
          else if constexpr (std::is_same_v<S, RoundWhole>)
            self_.cell(row, column)
                .SetValue(Variant::number(round_half_even(leading(row, column))));
          else if constexpr (std::is_same_v<S, SectionCode>)
            CheckSectionCode(self_, row, column);
          else if constexpr (std::is_same_v<S, DeducteeCode>)
            CheckDeducteeCode(self_, row, column);
          else if constexpr (std::is_same_v<S, Pan10>)
            CheckPan10(self_, row, column);
          else if constexpr (std::is_same_v<S, PanRef>)
            CheckPanRef(self_, row, column);
          else if constexpr (std::is_same_v<S, Amount>)
            CheckAmount(self_, row, column);
          else if constexpr (std::is_same_v<S, YesNo>)
            CheckYesNo(self_, row, column);
          else if constexpr (std::is_same_v<S, YesNoStrict>)
            CheckYesNoStrict(self_, row, column);
          else if constexpr (std::is_same_v<S, RateAmount>)
            CheckRateAmount(self_, row, column);
          else if constexpr (std::is_same_v<S, RateNil>)
            CheckRateAmountNill(self_, row);
          else if constexpr (std::is_same_v<S, AorB>)
            CheckAorB(self_, row, column);
          else if constexpr (std::is_same_v<S, BankCode>) {
            double r = row, c = column;
            checkBankCode(self_, r, c);
          } else if constexpr (std::is_same_v<S, AddAmount>)
            self_.totals.amount_paid += leading(row, column);
          else if constexpr (std::is_same_v<S, AddTax>)
            self_.totals.tax_deducted += leading(row, column);
          else if constexpr (std::is_same_v<S, SumTax>)
            write_computed(
                self_, row, column,
                Variant::text(number_text(leading(row, at(s.first)) + leading(row, at(s.second)) +
                                          leading(row, at(s.third)))));
          else if constexpr (std::is_same_v<S, CoversTax>)
            CheckAmountCoversTax(self_, row, at(s.amount), at(s.tax), at(s.marked), s.strict);
          else if constexpr (std::is_same_v<S, DeductionDate>)
            deduction_date(row, column, at(s.tax), s.cleared_on_nil_tax);
          else if constexpr (std::is_same_v<S, NilRateDate>) {
            if (!IsRateOrTaxNil(self_, row))
              CheckQuarterDate(self_, row, column, *self_.workbook);
            else if (leading(row, column) == 0)
              write(row, column, "");
          } else if constexpr (std::is_same_v<S, ChallanSerial>)
            challan_serial(row, column, s.exempting ? at(*s.exempting) : 0, s.skipped_when_nil);
          else if constexpr (std::is_same_v<S, Date>) {
            bool checkFin = false;
            CheckDate(self_, row, column, checkFin);
          }
        },
        step);
  }

 private:
  int at(DeducteeColumn role) const { return columns_.of(role); }
  double leading(int row, int column) { return leading_number(self_.GetCellText(row, column)); }
  void write(int row, int column, const std::string& text) {
    self_.cell(row, column).SetValue(Variant::text(text));
  }
  void store(DeducteeRecord& record, int row, int column, bool cleaned) {
    const std::string text = self_.GetCellText(row, column);
    record.set(columns_.at(column).role, cleaned ? xplaceHidetxt(text) : text);
  }

  void deduction_date(int row, int column, int tax_column, bool cleared_on_nil_tax) {
    const double tax = leading(row, tax_column);
    const double date = leading(row, column);
    if (tax > 0 && date == 0)
      MarkCell(self_, row, column, true, Rule::DeductionDateMissing);
    else if ((cleared_on_nil_tax ? tax : date) == 0)
      write(row, column, "");
    else
      CheckQuarterDate(self_, row, column, *self_.workbook);
  }

  void challan_serial(int row, int column, int exempting_column, bool skipped_when_nil) {
    if (skipped_when_nil && IsRateOrTaxNil(self_, row)) return;
    if (CheckChallanSerial(self_, row, column, serials_)) return;
    if (exempting_column != 0 && leading(row, exempting_column) == 0) return;
    MarkCell(self_, row, column, true, Rule::ChallanSerial);
  }

  ReturnObject& self_;
  const FieldTable<DeducteeColumn>& columns_;
  ChallanSerials serials_;
};

void end_of_data(ReturnObject& self, Worksheet& sheet, int row) {
  const TableSheet<DeducteeColumn>& layout = self.layout().deductees;
  self.totals.deductee_count = row - layout.first_row;
  const bool nothing_follows =
      end_walk(self, sheet, row, layout.end_of_data, layout.walked_columns);
  if (self.totals.deductee_count < 1 && nothing_follows) {
    self.error_count += 1;
    self.ui().MsgBox(
        Message::information(std::string(texts::kNoDeductee), std::string(texts::kNoDataTitle)));
  }
}

bool ends_data(Worksheet& sheet, int row) {
  return trimmed(sheet.Cells(row, kDataColumn).ValueText()).empty();
}

void start_records(ReturnObject& self, Worksheet& sheet) {
  const int first_row = self.layout().deductees.first_row;
  self.totals.amount_paid = self.totals.tax_deducted = 0;
  self.records.deductee_index = 0;
  self.records.deductees.clear();
  self.records.deductees.reserve(
      static_cast<std::size_t>(std::max(0, sheet.last_row() - first_row + 1)));
}

DeducteeRecord& next_record(ReturnObject& self) {
  ReturnRecords& records = self.records;
  const auto index = static_cast<std::size_t>(records.deductee_index);
  if (records.deductees.size() <= index) records.deductees.resize(index + 1);
  return records.deductees[index];
}

// The columns whose text an export takes again from the cell as the walk left
// it (a later step rewrote the cell after the record took it): the file holds
// that text, so the cell is judged by it.
std::vector<bool> retaken_columns(Form form, int columns) {
  std::vector<bool> retaken(static_cast<std::size_t>(columns) + 1, false);
  for (const PlacedAction<DeducteeAction>& placed : deductee_steps_taken_early(form))
    if (std::holds_alternative<deductee_step::Store>(placed.action->step) ||
        std::holds_alternative<deductee_step::StoreCleaned>(placed.action->step))
      retaken[static_cast<std::size_t>(placed.column)] = true;
  return retaken;
}

}  // namespace

void VerifyDeducteeDetails(ReturnObject& self) {
  const TableSheet<DeducteeColumn>& layout = self.layout().deductees;
  if (!self.workbook) throw RuntimeError(err::kObjectNotSet);
  Worksheet& sheet = self.workbook->Worksheets(layout.name);
  self.current_sheet = &sheet;
  start_records(self, sheet);
  const auto actions = deductee_actions(self.form());
  Application& application = self.workbook->GetApplication();

  try {
    DeducteeRow checks(self);
    FedRow fed(self, sheet, layout.columns, fed_fields(self.form()).deductee);
    const std::vector<bool> retaken = retaken_columns(self.form(), layout.walked_columns);
    std::string cell_text;
    const int rows = rows_to_walk(sheet, layout.first_row, layout.last_row);
    int row = layout.first_row;
    for (; row <= layout.last_row; ++row) {
      self.position.row = row;
      application.SetStatusBar(std::string(layout.progress) + number_text(row));
      application.ReportProgress(
          {.sheet = sheet.Name(), .done = row - layout.first_row, .rows = rows});
      if (ends_data(sheet, row)) {
        end_of_data(self, sheet, row);
        break;
      }
      DeducteeRecord& record = next_record(self);
      auto next = actions.begin();
      fed.before(row);
      for (int column = 1; column <= layout.walked_columns; ++column) {
        self.position.column = column;
        MarkCell(self, row, column, false);
        for (; next != actions.end() && next->column == column; ++next)
          checks.run(next->action->step, row, column, record);
      }
      fed.after(row, [&](int column) -> std::string_view {
        if (!retaken[static_cast<std::size_t>(column)])
          return record[layout.columns.at(column).role];
        cell_text = sheet.Cells(row, column).ValueText();
        return cell_text;
      });
      self.position.column = 1;
      self.records.deductee_index += 1;
    }
    if (row > layout.last_row) self.totals.deductee_count = layout.last_row - layout.first_row + 1;
  } catch (const RuntimeError& failure) {
    // The user's stop ends the run, marking nothing.
    if (failure.number() == err::kUserInterrupt) throw;
    MarkCell(self, self.position.row, self.position.column, true, Rule::WalkStopped);
    self.ui().MsgBox(format_failure(self, failure.description()));
    return;
  }
  VerifyDeductorDetails(self);
}

void RetakeDeducteeDetails(ReturnObject& self) {
  const TableSheet<DeducteeColumn>& layout = self.layout().deductees;
  if (!self.workbook) throw RuntimeError(err::kObjectNotSet);
  Worksheet& sheet = self.workbook->Worksheets(layout.name);
  self.current_sheet = &sheet;
  const auto steps = deductee_steps_taken_early(self.form());
  for (const PlacedAction<DeducteeAction>& placed : steps) {
    if (std::holds_alternative<deductee_step::AddAmount>(placed.action->step))
      self.totals.amount_paid = 0;
    if (std::holds_alternative<deductee_step::AddTax>(placed.action->step))
      self.totals.tax_deducted = 0;
  }
  DeducteeRow taking(self);
  std::size_t index = 0;
  for (int row = layout.first_row; row <= layout.last_row && !ends_data(sheet, row);
       ++row, ++index) {
    if (index >= self.records.deductees.size()) break;
    for (const PlacedAction<DeducteeAction>& placed : steps)
      taking.run(placed.action->step, row, placed.column, self.records.deductees[index]);
  }
}

}  // namespace fenwarx
