// The deductee walk: every deductee row checked and normalised column by column
// from the form's table, its texts kept as a record for the return file, the
// totals kept for the deductor sheet; the deductor walk follows.
#include <algorithm>
#include <span>

#include "checks/validators.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "returns/return_object.hpp"
#include "returns/text_helpers.hpp"
#include "verify/mark_cell.hpp"
#include "verify/sheet_columns.hpp"
#include "verify/verification.hpp"

namespace fenwarx {
namespace {

constexpr int kFirstRow = 3;
constexpr int kLastRow = 65536;
constexpr int kColumns = 23;
constexpr int kLastPaintedColumn = 15;  // end-of-data colour runs from column 2 to here

class DeducteeRow {
 public:
  explicit DeducteeRow(ReturnObject& self) : self_(self), serials_(challan_serials(self)) {}

  void run(const DeducteeAction& action, int row, int column, DeducteeRecord& record) {
    using S = DeducteeStep;
    switch (action.step) {
      case S::Store: record.set(field(action.a), self_.GetCellText(row, column)); break;
      case S::StoreCleaned: record.set(field(action.a), xplaceHidetxt(self_.GetCellText(row, column))); break;
      case S::CleanName: write(row, column, xplaceName(self_.GetCellText(row, column))); break;
      case S::Clear: self_.cell(row, column).SetValue(Variant()); break;
      case S::RoundWhole:
        self_.cell(row, column).SetValue(Variant::number(round_half_even(leading(row, column))));
        break;
      case S::SectionCode: CheckSectionCode(self_, row, column); break;
      case S::DeducteeCode: CheckDeducteeCode(self_, row, column); break;
      case S::Pan10: CheckPan10(self_, row, column); break;
      case S::PanRef: CheckPanRef(self_, row, column); break;
      case S::Amount: CheckAmount(self_, row, column); break;
      case S::YesNo: CheckYesNo(self_, row, column); break;
      case S::YesNoStrict: CheckYesNoStrict(self_, row, column); break;
      case S::RateAmount: CheckRateAmount(self_, row, column); break;
      case S::RateNill: CheckRateAmountNill(self_, row); break;
      case S::AorB: CheckAorB(self_, row, column); break;
      case S::BankCode: {
        double r = row, c = column;
        checkBankCode(self_, r, c);
        break;
      }
      case S::AddAmount: self_.deductee_totals[0] += leading(row, column); break;
      case S::AddTax: self_.deductee_totals[1] += leading(row, column); break;
      case S::SumTax:
        write(row, column, number_text(leading(row, action.a) + leading(row, action.b) + leading(row, action.c)));
        break;
      case S::CoversTax:
      case S::CoversTaxStrict:
        CheckAmountCoversTax(self_, row, action.a, action.b, action.c, action.step == S::CoversTaxStrict);
        break;
      case S::DeductionDate: deduction_date(row, column, action.a, action.b != 0); break;
      case S::NilRateDate:
        if (!IsRateOrTaxNil(self_, row))
          CheckQuarterDate(self_, row, column, *self_.workbook);
        else if (leading(row, column) == 0)
          write(row, column, "");
        break;
      case S::ChallanSerial: challan_serial(row, column, action.a, action.b != 0); break;
      case S::Date: {
        bool checkFin = false;
        CheckDate(self_, row, column, checkFin);
        break;
      }
    }
  }

 private:
  static std::size_t field(int k) { return static_cast<std::size_t>(k); }
  double leading(int row, int column) { return leading_number(self_.GetCellText(row, column)); }
  void write(int row, int column, const std::string& text) {
    self_.cell(row, column).SetValue(Variant::text(text));
  }

  // A tax without a date of deduction is marked; a date is checked against the
  // quarter unless the row (its date, or on Form 24 its tax) is nil.
  void deduction_date(int row, int column, int tax_column, bool cleared_on_nil_tax) {
    const double tax = leading(row, tax_column);
    const double date = leading(row, column);
    if (tax > 0 && date == 0)
      MarkCell(self_, row, column, true);
    else if ((cleared_on_nil_tax ? tax : date) == 0)
      write(row, column, "");
    else
      CheckQuarterDate(self_, row, column, *self_.workbook);
  }

  void challan_serial(int row, int column, int exempting_column, bool skipped_when_nil) {
    if (skipped_when_nil && IsRateOrTaxNil(self_, row)) return;
    if (CheckChallanSerial(self_, row, column, serials_)) return;
    if (exempting_column != 0 && leading(row, exempting_column) == 0) return;
    MarkCell(self_, row, column, true);
  }

  ReturnObject& self_;
  ChallanSerials serials_;
};

void end_of_data(ReturnObject& self, Worksheet& sheet, int row) {
  self.deductee_count = row - kFirstRow;
  write_marker(self, sheet, row, 2, "End of Data");
  for (int column = 2; column <= kLastPaintedColumn; ++column)
    sheet.Cells(row, column).SetInteriorColor(kColorEndOfData);
  if (self.deductee_count < 1) {
    self.error_count += 1;
    self.ui().MsgBox({" Their should be atleast one Deductee ", " No Data Available ",
                      msg_style::kInformation});
  }
}

}  // namespace

void VerifyDeducteeDetails(ReturnObject& self) {
  const FormProfile& profile = self.profile();
  if (!self.workbook) throw RuntimeError(err::kObjectNotSet);
  Worksheet& sheet = self.workbook->Worksheets(profile.deductee_sheet);
  self.current_sheet = &sheet;
  self.deductee_totals = {0, 0};
  self.deductee_index = 0;
  self.deductee_records.clear();
  self.deductee_records.reserve(static_cast<std::size_t>(std::max(0, sheet.last_row() - kFirstRow + 1)));
  const std::span<const DeducteeAction> actions = deductee_actions(profile.form);
  Application& application = self.workbook->GetApplication();

  try {
    DeducteeRow checks(self);
    int row = kFirstRow;
    for (; row <= kLastRow; ++row) {
      self.row = row;
      application.SetStatusBar(std::string(profile.deductee_progress) + number_text(row));
      if (trimmed(sheet.Cells(row, 1).Value().to_text()).empty()) {
        end_of_data(self, sheet, row);
        break;
      }
      const auto index = static_cast<std::size_t>(self.deductee_index);
      if (self.deductee_records.size() <= index) self.deductee_records.resize(index + 1);
      auto next = actions.begin();
      for (int column = 1; column <= kColumns; ++column) {
        self.column = column;
        MarkCell(self, row, column, false);
        for (; next != actions.end() && next->column == column; ++next)
          checks.run(*next, row, column, self.deductee_records[index]);
      }
      self.column = 1;
      self.deductee_index += 1;
    }
    if (row > kLastRow) self.deductee_count = kLastRow - kFirstRow + 1;
  } catch (const RuntimeError& failure) {
    MarkCell(self, self.row, self.column, true);
    self.ui().MsgBox(format_failure(self, failure.description()));
    return;
  }
  VerifyDeductorDetails(self);
}

}  // namespace fenwarx
