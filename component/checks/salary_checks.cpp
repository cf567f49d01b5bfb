// Checks of Form 24's salary sheet: the period dates against the financial year
// and the sign flag of the other income, and the text of a derived amount.
#include "checks/salary_checks.hpp"

#include <optional>

#include "checks/error_marker.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "state/message_texts.hpp"
#include "state/return_object.hpp"

namespace fenwarx {
namespace {

// The date the cell holds, its time of day included: a date value as it stands,
// a text as it reads; nothing for anything else.
std::optional<double> date_in(ReturnObject& self, double r, double c) {
  const std::string text = trimmed(self.GetCellText(r, c));
  const Variant value = self.cell(r, c).Value();
  if (value.type() == VariantType::Date) return value.number_value();
  return parse_date(text);
}

bool four_digits(std::string_view text) {
  if (text.size() != 4) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

FinancialYear salary_year(const ReturnObject& self) {
  const std::string& year = self.financial_year;
  if (year.empty()) throw RuntimeError(err::kTypeMismatch, std::string(texts::kSalaryNeedsYear));
  // The first year and the next must both be calendar years the dates can hold.
  const CivilDate first{.year = four_digits(year) ? std::stoi(year) : 0, .month = 4, .day = 1};
  const CivilDate last{.year = first.year + 1, .month = 3, .day = 31};
  if (!is_valid_civil(first) || !is_valid_civil(last))
    throw RuntimeError(err::kTypeMismatch, texts::salary_year_unusable(year));
  return {.first_year = first.year,
          .first_day = serial_from_civil(first),
          .last_day = serial_from_civil(last)};
}

void FillEmptyDate(ReturnObject& self, double r, double c, double date) {
  if (trimmed(self.GetCellText(r, c)).empty())
    self.cell(r, c).SetValue(Variant::text(long_date_text(date)));
}

void CheckDateRange(ReturnObject& self, double r, double c, const FinancialYear& year) {
  try {
    const std::optional<double> date = date_in(self, r, c);
    if (!date) throw RuntimeError(err::kTypeMismatch);
    if (*date < year.first_day || *date > year.last_day)
      MarkCell(self, r, c, true, Rule::PeriodOutsideYear);
  } catch (const RuntimeError& e) {
    self.ui().MsgBox(texts::failure_then(e.description(), texts::kDateRangeFailure));
  }
}

void CheckSignFlag(ReturnObject& self, double r, double c, int amount_column) {
  if (leading_number(self.GetCellText(r, amount_column)) == 0) {
    self.cell(r, c).SetValue(Variant::text("P"));
    return;
  }
  const std::string flag = to_upper(self.GetCellText(r, c));
  if (flag != "P" && flag != "N") MarkCell(self, r, c, true, Rule::SignFlag);
}

std::string derived_amount_text(double value, std::string_view zero) {
  if (!(value > 0)) return std::string(zero);
  std::string text = fixed_text(value, 2);
  if (text.starts_with("0.")) text.erase(0, 1);
  return text;
}

}  // namespace fenwarx
