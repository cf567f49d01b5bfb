#pragma once
// The value formats of the return file, as the checker judges a field's text.
// Amounts are read into whole paise so that totals compare exactly.
#include <optional>
#include <string>
#include <string_view>

namespace fenwarx::file_format {

// A 65,534-record sum of large amounts stays exact.
__extension__ typedef __int128 Paise;

// An optional "-", 1 to 20 digits, ".", exactly two digits.
std::optional<Paise> parse_amount(std::string_view text);
std::string amount_text(Paise paise);  // -12.05
// To whole rupees, halves to the even neighbour (50 paise -> 0, 150 -> 200).
Paise round_to_rupees(Paise paise);

bool is_rate(std::string_view text);  // digits, ".", exactly four digits
// A rate in ten-thousandths of a percent ("10.0000" is 100000); nothing for a
// text that is no rate, or too large to hold.
std::optional<long long> parse_rate(std::string_view text);
inline constexpr long long kHundredPercent = 1'000'000;  // as parse_rate reads "100.0000"
bool is_date(std::string_view text);                     // ddMMyyyy naming a real day
// A date as yyyymmdd, so that dates compare as numbers; nothing for no date.
std::optional<int> date_order(std::string_view text);
// F of a financial year written like 200506; nothing when it is not.
std::optional<int> financial_year_start(std::string_view text);
// AAAAA9999A, or one of the words that stand for a missing PAN.
bool is_pan(std::string_view text);
bool is_tan(std::string_view text);  // AAAA99999A

}  // namespace fenwarx::file_format
