// The challan check: every challan row checked by its column, the computed columns
// filled from the deductee sheet, one record per row kept for the export.
#include <optional>
#include <vector>

#include "checks/validators.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/values/utf8.hpp"
#include "returns/return_object.hpp"
#include "returns/text_helpers.hpp"
#include "verify/challan_tally.hpp"
#include "verify/mark_cell.hpp"
#include "verify/sheet_columns.hpp"
#include "verify/verification.hpp"

namespace fenwarx {
namespace {

constexpr int kFirstRow = 4;
constexpr int kLastRow = 65536;
constexpr int kMarkedColumns = 5;  // the columns painted to flag a whole row
constexpr std::string_view kEndOfData = "End of Data";

bool blank(Worksheet& sheet, int row, int column) {
  return trimmed(sheet.Cells(row, column).Value().to_text()).empty();
}

void paint_row(Worksheet& sheet, int row, std::uint32_t color) {
  for (int column = 1; column <= kMarkedColumns; ++column) sheet.Cells(row, column).SetInteriorColor(color);
}

class ChallanRow {
 public:
  ChallanRow(ReturnObject& self, const ChallanLayout& layout, std::optional<DeducteeTally>& tally)
      : self_(self), layout_(layout), tally_(tally) {}

  // Runs one action on (row, column); false when the record keeps "0.00" instead
  // of what the cell ends up holding.
  bool run(const ChallanAction& action, int row, int column) {
    switch (action.step) {
      case ChallanStep::SectionCode: CheckSectionCode(self_, row, column); break;
      case ChallanStep::AmountRoundoff: CheckAmountroundoff(self_, row, column); break;
      case ChallanStep::Amount: CheckAmount(self_, row, column); break;
      case ChallanStep::FillTotal: FillChallanTotal(self_, row, column, action.a, action.b); break;
      case ChallanStep::AddToTotal: self_.challan_total += leading(row, column); break;
      case ChallanStep::BankCode:
        MarkCell(self_, row, column, false);
        if (character_count(trimmed(self_.GetCellText(row, column))) > 7) MarkCell(self_, row, column, true);
        break;
      case ChallanStep::ChallanDate: checkChallanDate(self_, row, column); break;
      case ChallanStep::Date: {
        bool checkFin = false;
        CheckDate(self_, row, column, checkFin);
        break;
      }
      case ChallanStep::YesNoFlag: CheckYesNoFlag(self_, row, column); break;
      case ChallanStep::BookEntry: CheckBookEntry(self_, row, column, layout_.book_entry); break;
      case ChallanStep::Count:
        self_.cell(row, column).SetValue(Variant::number(static_cast<double>(tally(row).count)));
        break;
      case ChallanStep::Sum:
        self_.cell(row, column).SetValue(Variant::text(number_text(tally(row).sums[action.a])));
        break;
      case ChallanStep::Copy:
        self_.cell(row, column).SetValue(Variant::text(self_.GetCellText(row, action.a)));
        return false;
      case ChallanStep::AgainstTotal: CheckAgainstChallanTotal(self_, row, column, action.a); break;
      case ChallanStep::MinorHead: CheckMinorHead(self_, row, column); break;
    }
    return true;
  }

 private:
  double leading(int row, int column) { return leading_number(self_.GetCellText(row, column)); }

  // The deductee sheet is read once, at the first challan that needs it, as it
  // stands before the deductee walk.
  const ChallanTally& tally(int row) {
    if (!tally_) tally_.emplace(self_.profile(), *self_.workbook);
    const double serial = round_half_even(leading_number(self_.cell(row, 1).Value().to_text()));
    return tally_->of(serial);
  }

  ReturnObject& self_;
  const ChallanLayout& layout_;
  std::optional<DeducteeTally>& tally_;
};

}  // namespace

void Verify_Challan(ReturnObject& self) {
  const FormProfile& profile = self.profile();
  const ChallanLayout& layout = challan_layout(profile.form);
  if (!self.workbook) throw RuntimeError(err::kObjectNotSet);
  Worksheet& sheet = self.workbook->Worksheets(profile.challan_sheet);
  self.current_sheet = &sheet;
  self.challan_total = 0;

  if (layout.delete_row_check && blank(sheet, kFirstRow, 1) && !blank(sheet, kFirstRow + 1, 1)) {
    write_marker(self, sheet, kFirstRow, 1, "Delete This Row");
    paint_row(sheet, kFirstRow, kColorError);
    return;
  }

  std::vector<ChallanAction> actions;
  for (const auto& part : layout.parts) actions.insert(actions.end(), part.begin(), part.end());
  self.challan_records.assign(1, ChallanRecord{});
  self.challan_index = 0;
  std::optional<DeducteeTally> tally;
  ChallanRow checks(self, layout, tally);
  Application& application = self.workbook->GetApplication();

  for (int row = kFirstRow; row <= kLastRow; ++row) {
    application.SetStatusBar(std::string(profile.challan_progress) + number_text(row));
    if (blank(sheet, row, 1) || trimmed(sheet.Cells(row, 2).Value().to_text()) == kEndOfData) {
      self.challan_count = row - kFirstRow;
      write_marker(self, sheet, row, 2, kEndOfData);
      paint_row(sheet, row, kColorEndOfData);
      return;
    }
    const auto position = static_cast<std::size_t>(self.challan_index);
    if (self.challan_records.size() <= position) self.challan_records.resize(position + 1);
    auto next = actions.begin();
    for (int column = 1; column <= layout.columns; ++column) {
      self.row = row;
      self.column = column;
      sheet.Cells(row, column).SetInteriorColor(kColorNone);
      bool keeps_cell = true;
      for (; next != actions.end() && next->column == column; ++next)
        keeps_cell = checks.run(*next, row, column) && keeps_cell;
      const int index = column == 1 ? 0 : column - 1 + layout.record_shift;
      self.challan_records[position][static_cast<std::size_t>(index)] =
          keeps_cell ? self.GetCellText(row, column) : "0.00";
    }
    self.challan_index += 1;
  }
  self.challan_count = kLastRow - kFirstRow + 1;
}

}  // namespace fenwarx
