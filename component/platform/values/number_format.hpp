#pragma once
// Number format codes: which ones show dates, and how a value looks in one.
#include <string>
#include <string_view>

namespace fenwarx {

// A code shows a date when a day, month or year code (d, m, y) stands outside
// quoted text, brackets and escaped characters, in its first section
// ("dd/mm/yyyy", "[$-409]d-mmm-yy;@"; not "0.00", "\d0", "\"day\" 0", "[Red]0").
bool is_date_format(std::string_view code);

// The text a cell shows for a number, drawn from the code's first section: fixed
// decimals ("0", "0.00", "0.0000", "#,##0.00") and dates and times (d dd ddd dddd
// m mm mmm mmmm yy yyyy h hh mm ss, with literals between). Every other code,
// General and "@" among them, shows the number as General.
std::string format_number(double value, std::string_view code);

// The text a cell shows for a text value in a format code (a "@" section takes it).
std::string format_text(std::string_view text, std::string_view code);

}  // namespace fenwarx
