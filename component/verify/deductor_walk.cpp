// The deductor walk: each field row of the deductor sheet checked by its rule,
// and the control totals filled in from what the other two walks gathered.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "checks/computed_cells.hpp"
#include "checks/error_marker.hpp"
#include "checks/walk_checks.hpp"
#include "layout/code_lists.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "state/return_object.hpp"
#include "verify/fed_cells.hpp"
#include "verify/verification.hpp"

namespace fenwarx {
namespace {

using R = DeductorRow;

enum class RowCheck : unsigned char {
  None,
  Tan,
  Pan,
  Required,
  State,
  Category,
  Total,
  ReturnType,
  Year
};

struct RowRule {
  DeductorRow row;
  RowCheck check;
};

constexpr RowRule kRowRules[] = {
    {.row = R::Tan, .check = RowCheck::Tan},
    {.row = R::Pan, .check = RowCheck::Pan},
    {.row = R::Name, .check = RowCheck::Required},
    {.row = R::Flat, .check = RowCheck::Required},
    {.row = R::State, .check = RowCheck::State},
    {.row = R::Pin, .check = RowCheck::Required},
    {.row = R::Category, .check = RowCheck::Category},
    {.row = R::ResponsibleName, .check = RowCheck::Required},
    {.row = R::ResponsibleDesignation, .check = RowCheck::Required},
    {.row = R::ResponsibleFlat, .check = RowCheck::Required},
    {.row = R::ResponsibleState, .check = RowCheck::State},
    {.row = R::ResponsiblePin, .check = RowCheck::Required},
    {.row = R::TotalPaid, .check = RowCheck::Total},
    {.row = R::TotalTax, .check = RowCheck::Total},
    {.row = R::ChallanTotal, .check = RowCheck::Total},
    {.row = R::ChallanCount, .check = RowCheck::Total},
    {.row = R::DeducteeCount, .check = RowCheck::Total},
    {.row = R::ReturnType, .check = RowCheck::ReturnType},
    {.row = R::FinancialYear, .check = RowCheck::Year},
};

constexpr std::array<RowCheck, static_cast<std::size_t>(R::kCount)> kChecks = [] {
  std::array<RowCheck, static_cast<std::size_t>(R::kCount)> by_role{};
  for (const RowRule& r : kRowRules) by_role[static_cast<std::size_t>(r.row)] = r.check;
  return by_role;
}();

// What the walks counted and summed. The tax deducted compares as the
// two-decimal texts a user reads, the others as numbers.
double control_total(const ReturnObject& self, DeductorRow role) {
  switch (role) {
    case R::TotalPaid: return self.totals.amount_paid;
    case R::TotalTax: return self.totals.tax_deducted;
    case R::ChallanTotal: return self.totals.challan_total;
    case R::ChallanCount: return self.totals.challan_count;
    default: return self.totals.deductee_count;
  }
}

// The first year of a financial year such as "2005-06": the first four characters
// of the text, digits, of a year the file can write as four. The verification run
// reads them from the financial-year cell, the export from the cell that computes
// them when it holds them (a workbook no spreadsheet application recalculated does
// not), else from the financial-year cell.
bool starts_with_year(std::string_view text) {
  return text.size() >= 4 && text[0] >= '1' && text[0] <= '9' &&
         std::all_of(text.begin(), text.begin() + 4, [](char c) { return c >= '0' && c <= '9'; });
}

class DeductorRows {
 public:
  explicit DeductorRows(ReturnObject& self)
      : self_(self), column_(self.layout().deductor.value_column) {}

  void apply(DeductorRow role, int row) {
    switch (kChecks[static_cast<std::size_t>(role)]) {
      case RowCheck::None: break;
      case RowCheck::Tan: checkTan10(self_, row, column_); break;
      case RowCheck::Pan: CheckDeductorPan(self_, row, column_); break;
      case RowCheck::Required:
        if (blank(row)) MarkCell(self_, row, column_, true, Rule::Required);
        break;
      case RowCheck::State:
        if (blank(row))
          MarkCell(self_, row, column_, true, Rule::Required);
        else
          CheckStateName(self_, row, column_);
        break;
      case RowCheck::Category: {
        const std::string category = to_upper(trimmed(self_.GetCellText(row, column_)));
        if (std::find(kDeductorCategories.begin(), kDeductorCategories.end(), category) ==
            kDeductorCategories.end())
          MarkCell(self_, row, column_, true, Rule::Category);
        break;
      }
      case RowCheck::Total: fill_control_total(role, row); break;
      case RowCheck::ReturnType: checkRegularOrRevised(self_, row, column_); break;
      case RowCheck::Year: {
        const CellPlace computed = self_.layout().deductor.year_formula;
        const std::string formula =
            trimmed(self_.current_sheet->Cells(computed.row, computed.column).ValueText());
        if (!starts_with_year(formula) &&
            !starts_with_year(trimmed(self_.GetCellText(row, column_))))
          MarkCell(self_, row, column_, true, Rule::FinancialYear);
        break;
      }
    }
  }

 private:
  bool blank(int row) { return trimmed(self_.GetCellText(row, column_)).empty(); }

  void fill_control_total(DeductorRow role, int row) {
    const auto held = [&] { return leading_number(self_.GetCellText(row, column_)); };
    if (held() <= 0) write_computed(self_, row, column_, Variant::number(0));
    const double total = control_total(self_, role);
    const double current = held();
    const bool differs =
        role == R::TotalTax ? fixed_text(total, 2) != fixed_text(current, 2) : total != current;
    if (differs) write_computed(self_, row, column_, Variant::number(total));
  }

  ReturnObject& self_;
  int column_;
};

}  // namespace

void VerifyDeductorDetails(ReturnObject& self) {
  const DeductorSheet& layout = self.layout().deductor;
  try {
    if (!self.workbook) throw RuntimeError(err::kObjectNotSet);
    self.current_sheet = &self.workbook->Worksheets(layout.name);
    Application& application = self.workbook->GetApplication();
    DeductorRows rows(self);
    const FedRoles<DeductorRow>& fed = fed_fields(self.form()).deductor;
    // The rows up to the return type are checked; those below it are not.
    const int last_row = layout.rows.of(R::ReturnType);
    for (int row = 1; row <= last_row; ++row) {
      self.position = {.row = static_cast<double>(row),
                       .column = static_cast<double>(layout.value_column)};
      application.SetStatusBar(std::string(layout.progress) + number_text(row));
      application.ReportProgress(
          {.sheet = self.current_sheet->Name(), .done = row - 1, .rows = last_row});
      MarkCell(self, row, layout.value_column, false);
      const DeductorRow role = layout.rows.at(row).role;
      rows.apply(role, row);
      if (fed.any[static_cast<std::size_t>(role)])
        check_fed_cell(self, *self.current_sheet, row, layout.value_column,
                       fed.alone[static_cast<std::size_t>(role)]);
    }
    // Rows below have no rule, but those the file carries must still fit in it.
    for (const auto& field : layout.rows.all()) {
      const int row = layout.rows.of(field.role);
      const auto role = static_cast<std::size_t>(field.role);
      if (row <= last_row || !fed.any[role]) continue;
      MarkCell(self, row, layout.value_column, false);
      check_fed_cell(self, *self.current_sheet, row, layout.value_column, fed.alone[role]);
    }
  } catch (const RuntimeError& failure) {
    if (failure.number() == err::kUserInterrupt) throw;  // the user's stop ends the run
    self.ui().MsgBox(Message::information(failure.description()));
  }
}

}  // namespace fenwarx
