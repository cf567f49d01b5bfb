#pragma once
// Dates as serial numbers: whole days since 30/12/1899, the time as the fraction.
#include <optional>
#include <string>
#include <string_view>

namespace fenwarx {

struct CivilDate {
  int year = 0, month = 0, day = 0;
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

double serial_from_civil(const CivilDate& date);
CivilDate civil_from_serial(double serial);  // the day the serial falls on
bool is_valid_civil(const CivilDate& date);  // 1/1/100 .. 31/12/9999, real days only

// Reads a date typed day first: 1/04/2005, 05/Jun/2005, 05-Jun-2005, 1.4.2005,
// 05 June 2005, and ISO 2005-04-01. English month names and abbreviations in any
// case; two-digit years 00-29 are 2000-2029 and 30-99 are 1930-1999. A plain
// number is never a date. Blanks around the text are allowed.
std::optional<double> parse_date(std::string_view text);
bool is_date(std::string_view text);

// Whole days from `from` to `to` (negative when `to` is earlier), times ignored.
long long day_difference(double from, double to);

std::string date_text(double serial);       // 01/04/2005
std::string long_date_text(double serial);  // 01/Apr/2005
std::string ddmmyyyy(double serial);        // 01042005

}  // namespace fenwarx
