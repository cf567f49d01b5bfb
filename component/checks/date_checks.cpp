// Checks of dates. Boundary dates are built as day-first texts from the financial
// year, as a user would type them, and read back with the same date reader.
#include <optional>
#include <string>

#include "checks/error_marker.hpp"
#include "checks/ignored_step.hpp"
#include "checks/validators.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/values/variant.hpp"
#include "state/message_texts.hpp"
#include "state/return_object.hpp"

namespace fenwarx {
namespace {

// A boundary date text that does not read as a date is a type mismatch, as
// comparing with it would be.
double boundary(const std::string& text) {
  const std::optional<double> date = parse_date(text);
  if (!date) throw RuntimeError(err::kTypeMismatch);
  return *date;
}

// The calendar year after the financial year's first; a year that is no number
// is a type mismatch.
std::string next_year(const std::string& financial_year) {
  return number_text(Variant::text(financial_year).to_number() + 1);
}

void write_long_date(ReturnObject& self, double r, double c, double date) {
  self.cell(r, c).SetNumberFormat("dd/mm/yyyy");
  self.cell(r, c).SetValue(Variant::text(long_date_text(date)));
}

struct QuarterBounds {
  double start, end;
};

// The bounds of quarter q of the financial year; nothing when q names no quarter
// or a bound cannot be built, and then the date counts as inside.
std::optional<QuarterBounds> quarter_bounds(ReturnObject& self, const std::string& q) {
  const std::string& y = self.financial_year;
  // Every row of a walk asks for the same quarter: its bounds are read once.
  thread_local struct {
    std::string year, quarter;
    QuarterBounds bounds{};
  } known;
  if (!known.quarter.empty() && known.year == y && known.quarter == q) return known.bounds;
  std::optional<QuarterBounds> bounds;
  try {
    if (q == "Q1") bounds = QuarterBounds{boundary("1/04/" + y), boundary("30/06/" + y)};
    if (q == "Q2") bounds = QuarterBounds{boundary("1/07/" + y), boundary("30/09/" + y)};
    if (q == "Q3") bounds = QuarterBounds{boundary("1/10/" + y), boundary("31/12/" + y)};
    if (q == "Q4") {
      const std::string next = next_year(y);
      bounds = QuarterBounds{boundary("1/01/" + next), boundary("31/03/" + next)};
    }
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
  if (!bounds) {
    self.ui().MsgBox(Message::plain(std::string(texts::kUnknownQuarter)));
    return std::nullopt;
  }
  known.year = y;
  known.quarter = q;
  known.bounds = *bounds;
  return bounds;
}

}  // namespace

void CheckDate(ReturnObject& self, double r, double c, bool& checkFin) {
  try {
    self.last.text = trimmed(self.GetCellText(r, c));
    const std::optional<double> date = parse_date(self.last.text);
    if (!date) {
      MarkCell(self, r, c, true, Rule::NotADate);
      return;
    }
    // Both sides of each test are evaluated before either decides.
    const long long ahead = day_difference(self.clock().today(), *date);
    const long long from_start = day_difference(boundary("31/03/" + self.financial_year), *date);
    if (ahead > 0 || from_start < 0) {
      MarkCell(self, r, c, true, ahead > 0 ? Rule::DateAfterToday : Rule::DateOutsideYear);
      return;
    }
    const long long past_end =
        day_difference(boundary("31/03/" + next_year(self.financial_year)), *date);
    if (checkFin && (past_end > 0 || from_start < 0)) {
      MarkCell(self, r, c, true, Rule::DateOutsideYear);
      return;
    }
    write_long_date(self, r, c, *date);
  } catch (const RuntimeError& e) {
    self.ui().MsgBox(Message::plain(e.description()));
  }
}

void CheckQuarterDate(ReturnObject& self, double r, double c, Workbook& excelApp) {
  Worksheet* deductor = nullptr;
  ignoring_failure([&] { deductor = &excelApp.Worksheets(self.layout().deductor.name); });
  self.last.text = trimmed(self.GetCellText(r, c));
  const std::optional<double> date = parse_date(self.last.text);
  if (!date) {
    MarkCell(self, r, c, true, Rule::NotADate);
    return;
  }
  if (day_difference(self.clock().today(), *date) > 0) {
    MarkCell(self, r, c, true, Rule::DateAfterToday);
    return;
  }
  std::string q;
  ignoring_failure([&] {
    if (deductor == nullptr) throw RuntimeError(err::kObjectNotSet);
    const CellPlace quarter = self.layout().deductor_cell(DeductorRow::Quarter);
    q = to_upper(trimmed(deductor->Cells(quarter.row, quarter.column).Text()));
  });
  const std::optional<QuarterBounds> bounds = quarter_bounds(self, q);
  const bool inside = !bounds || (day_difference(bounds->start, *date) >= 0 &&
                                  day_difference(*date, bounds->end) >= 0);
  if (!inside) {
    MarkCell(self, r, c, true, Rule::DateOutsideQuarter);
    return;
  }
  ignoring_failure([&] { self.cell(r, c).SetNumberFormat("dd/mm/yyyy"); });
  ignoring_failure([&] { self.cell(r, c).SetValue(Variant::text(long_date_text(*date))); });
}

// The deductor sheet's date of preparation must hold a date. The deductor sheet
// stays the current sheet afterwards, so the mark lands there.
void CheckDateQuarter(ReturnObject& self, double r, double c, bool& /*checkFin*/) {
  if (!self.workbook) throw RuntimeError(err::kObjectNotSet);
  self.current_sheet = &self.workbook->Worksheets(self.layout().deductor.name);
  const CellPlace date = self.layout().deductor_cell(DeductorRow::PreparationDate);
  self.last.text = self.cell(date.row, date.column).ValueText();
  if (!is_date(self.last.text)) MarkCell(self, r, c, true, Rule::NotADate);
}

}  // namespace fenwarx
