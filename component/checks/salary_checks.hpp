#pragma once
// The checks of Form 24's salary sheet beside the shared validators: the period
// dates against the financial year, the sign flag of the other income, and the
// text the walk writes into a derived amount column.
#include <string>
#include <string_view>

namespace fenwarx {

class ReturnObject;

// The financial year the return object holds (2005 for 1 April 2005 to 31 March
// 2006), as the salary walk needs it.
struct FinancialYear {
  int first_year;
  double first_day, last_day;  // date serials of 1 April and of the next 31 March
};
// RuntimeError when the object holds no year (no verification before) or one
// that does not read as a year.
FinancialYear salary_year(const ReturnObject& self);

// An empty cell <- `date` as dd/MMM/yyyy text (01/Apr/2005); failures passed on.
void FillEmptyDate(ReturnObject& self, double r, double c, double date);
// Marks a date before the year's first day or after its last (a time of day
// counts). A text that is no date marks nothing: the failure's description
// followed by "CheckDateRange" is shown instead.
void CheckDateRange(ReturnObject& self, double r, double c, const FinancialYear& year);
// "P" when the amount column's number is 0; otherwise the cell must read P or N
// in either case. Failures passed on.
void CheckSignFlag(ReturnObject& self, double r, double c, int amount_column);

// A derived amount as the walk writes it: two decimals without a zero before the
// point (0.5 -> ".50", 1234.5 -> "1234.50"); `zero` when not above 0.
std::string derived_amount_text(double value, std::string_view zero);

}  // namespace fenwarx
