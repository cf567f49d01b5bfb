#pragma once
// How numbers turn into text and texts into numbers. Locale-independent.
#include <optional>
#include <string>
#include <string_view>

namespace fenwarx {

// The value of the leading decimal number of a text; 0 when there is none.
// Blanks, tabs and line feeds are skipped wherever they stand ("1 2" -> 12);
// a sign, one decimal point and an exponent are taken; "1,234" -> 1, "abc" -> 0.
double leading_number(std::string_view text);

// The whole text reads as a number (blanks around it allowed, a leading sign,
// one "." as the decimal point, an exponent, "," as thousands separators
// between digit groups). The empty text is not numeric.
bool is_numeric(std::string_view text);

// The number the text reads as wholly, as is_numeric accepts it.
std::optional<double> parse_number(std::string_view text);

// Shortest decimal text with at most 15 significant digits: 12, 12.5, 0.5, -3,
// 1E+20, 1E-07 (exponent form outside 1E-5 .. 1E15, as the platform prints it).
std::string number_text(double value);
// True when leading_number(number_text(value)) is the value itself (a whole
// number below 10^15, or rupees and paise), so a caller may skip the text.
bool number_text_reads_back(double value);

// Fixed number of decimals, halves away from zero on the decimal digits as
// printed (2.345 -> "2.35", 1.005 -> "1.01"); no thousands separators.
std::string fixed_text(double value, int decimals);
// The same, appended to `out`.
void append_fixed_text(std::string& out, double value, int decimals);

// Rounds to the given number of decimals, halves to the even neighbour, judged on
// the decimal digits as printed (2.5 -> 2, 3.5 -> 4, 0.125 at 2 -> 0.12).
double round_half_even(double value, int decimals = 0);

}  // namespace fenwarx
