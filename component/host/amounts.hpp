#pragma once
// Amounts as a certificate totals them: whole paise, never binary fractions, so a
// column of 120 amounts of 0.10 totals exactly 12.00.
#include <optional>
#include <string>
#include <string_view>

namespace fenwarx::host {

// Wide enough that no column of amounts a certificate can hold overflows.
__extension__ typedef __int128 Paise;

// The amount a text states: blanks around it, a sign, digits (commas between digits
// taken as group separators), a point and decimals, zeros only past the second.
// Anything else, the empty text included, states no amount.
std::optional<Paise> amount_in_paise(std::string_view text);

// Rupees, a point and two decimals, a sign when negative: "-1234.05".
std::string paise_text(Paise amount);

// The total of a column: the amounts summed, and how many texts stated none, which
// the certificate says rather than hiding. An empty text adds nothing and is no
// such text: what is shown adds up to the total either way.
struct ColumnTotal {
  Paise paise = 0;
  int not_amounts = 0;
  void add(std::string_view text);
};

}  // namespace fenwarx::host
