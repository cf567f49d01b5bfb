// Form 24's salary verification: the challan check, then every salary row walked
// column by column from its table (dates filled and checked against the year,
// totals, differences and the closing balance filled in), then the perquisite
// rows with their total. Bad cells are marked as the other walks mark them; a
// failure reaches the caller.
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <type_traits>

#include "checks/computed_cells.hpp"
#include "checks/error_marker.hpp"
#include "checks/salary_checks.hpp"
#include "checks/validators.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "state/message_texts.hpp"
#include "state/return_object.hpp"
#include "verify/row_markers.hpp"
#include "verify/salary_steps.hpp"
#include "verify/verification.hpp"

namespace fenwarx {
namespace {

template <class Role>
class SheetRow {
 public:
  SheetRow(ReturnObject& self, const FieldTable<Role>& columns, const FinancialYear& year)
      : self_(self), columns_(columns), year_(year) {}

  void run(const SheetStep<Role>& step, int row, int column) {
    using namespace sheet_step;
    std::visit(
        [&](const auto& s) {
          using T = std::decay_t<decltype(s)>;
          if constexpr (std::is_same_v<T, Blank>)
            CheckBlank(self_, row, column);
          else if constexpr (std::is_same_v<T, Amount>)
            CheckAmount(self_, row, column);
          else if constexpr (std::is_same_v<T, Pan10>)
            CheckPan10(self_, row, column);
          else if constexpr (std::is_same_v<T, YearDate>)
            FillEmptyDate(
                self_, row, column,
                serial_from_civil(
                    {.year = year_.first_year + s.years_after, .month = s.month, .day = s.day}));
          else if constexpr (std::is_same_v<T, Date>) {
            bool checkFin = false;
            CheckDate(self_, row, column, checkFin);
          } else if constexpr (std::is_same_v<T, DateRange>)
            CheckDateRange(self_, row, column, year_);
          else if constexpr (std::is_same_v<T, SignFlag<Role>>)
            CheckSignFlag(self_, row, column, at(s.amount));
          else if constexpr (std::is_same_v<T, Fill<Role>>)
            caught(s.caught, [&] {
              double value = 0;
              for (Role role : s.added) value += leading(row, at(role));
              for (Role role : s.less) value -= leading(row, at(role));
              write_amount(row, column, derived_amount_text(value, s.zero));
            });
          else if constexpr (std::is_same_v<T, SignedFill<Role>>) {
            const bool less = trimmed(to_upper(self_.GetCellText(row, at(s.sign)))) == "N";
            const double amount = leading(row, at(s.amount));
            const double base = leading(row, at(s.base));
            write_amount(row, column,
                         derived_amount_text(less ? base - amount : base + amount, s.zero));
          } else if constexpr (std::is_same_v<T, Balance<Role>>) {
            const double difference = leading(row, at(s.payable)) - leading(row, at(s.paid));
            write(row, column, difference < 0 ? "N" : "P");
            write_amount(row, at(s.amount), derived_amount_text(std::abs(difference), s.zero));
          }
        },
        step);
  }

 private:
  int at(Role role) const { return columns_.of(role); }
  double leading(int row, int column) { return leading_number(self_.GetCellText(row, column)); }
  void write(int row, int column, std::string_view text) {
    self_.cell(row, column).SetValue(Variant::text(std::string(text)));
  }
  void write_amount(int row, int column, std::string_view text) {
    write_computed(self_, row, column, Variant::text(std::string(text)));
  }

  template <class Step>
  void caught(const std::optional<sheet_step::Caught>& caught, Step step) {
    if (!caught) return step();
    try {
      step();
    } catch (const RuntimeError& failure) {
      self_.ui().MsgBox(texts::failure_then(failure.description(), caught->after));
    }
  }

  ReturnObject& self_;
  const FieldTable<Role>& columns_;
  const FinancialYear& year_;
};

// Walks the sheet's rows until the first without its first column, running the
// steps of each column after clearing the column's mark.
template <class Role>
void walk_sheet(ReturnObject& self, Worksheet& sheet, Application& application,
                const TableSheet<Role>& layout,
                std::span<const PlacedAction<SheetAction<Role>>> actions,
                const FinancialYear& year) {
  self.current_sheet = &sheet;
  SheetRow<Role> checks(self, layout.columns, year);
  // The columns with a field: the perquisite rows are walked wider than their table.
  const int checked = std::min(layout.walked_columns, layout.columns.count());
  const int rows = rows_to_walk(sheet, layout.first_row, layout.last_row);
  for (int row = layout.first_row; row <= layout.last_row; ++row) {
    application.SetStatusBar(std::string(layout.progress) + number_text(row));
    application.ReportProgress(
        {.sheet = sheet.Name(), .done = row - layout.first_row, .rows = rows});
    if (trimmed(sheet.Cells(row, kDataColumn).ValueText()).empty()) {
      end_walk(self, sheet, row, layout.end_of_data, layout.walked_columns);
      return;
    }
    auto next = actions.begin();
    for (int column = 1; column <= checked; ++column) {
      MarkCell(self, row, column, false);
      for (; next != actions.end() && next->column == column; ++next)
        checks.run(next->action->step, row, column);
    }
  }
}

}  // namespace

void verifySalary(ReturnObject& self, const std::shared_ptr<Workbook>& excelApp) {
  // Nothing is touched before what the run rests on is known to be there.
  if (!self.workbook)
    throw RuntimeError(err::kObjectNotSet, std::string(texts::kSalaryNeedsWorkbook));
  const FinancialYear year = salary_year(self);
  if (!excelApp) throw RuntimeError(err::kObjectNotSet);
  const WorkbookLayout& layout = self.layout();
  if (!layout.salaries || !layout.perquisites) throw RuntimeError(err::kNotSupported);
  Worksheet& salaries = excelApp->Worksheets(layout.salaries->name);
  Worksheet& perquisites = excelApp->Worksheets(layout.perquisites->name);

  Verify_Challan(self);
  // The current sheet stays in the workbook passed, which may not be the one bound.
  self.current_workbook = excelApp;
  Application& application = excelApp->GetApplication();
  walk_sheet(self, salaries, application, *layout.salaries, salary_actions(), year);
  walk_sheet(self, perquisites, application, *layout.perquisites, perquisite_actions(), year);
}

}  // namespace fenwarx
