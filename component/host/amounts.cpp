#include "host/amounts.hpp"

#include <cstddef>

namespace fenwarx::host {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_blank(char c) { return c == ' ' || c == '\t'; }

// More whole digits than this are no amount anyone paid; the bound keeps a
// column of a million such amounts inside Paise.
constexpr int kMaxWholeDigits = 24;

}  // namespace

std::optional<Paise> amount_in_paise(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  Paise rupees = 0;
  int whole_digits = 0, digits = 0;
  std::size_t at = 0;
  for (; at < text.size() && text[at] != '.'; ++at) {
    const char c = text[at];
    if (c == ',') {
      // A separator stands between two digits, never first, last or doubled.
      if (at == 0 || !is_digit(text[at - 1]) || at + 1 >= text.size() || !is_digit(text[at + 1]))
        return std::nullopt;
      continue;
    }
    if (!is_digit(c) || ++whole_digits > kMaxWholeDigits) return std::nullopt;
    rupees = rupees * 10 + (c - '0');
  }
  digits = whole_digits;
  Paise paise = 0;
  if (at < text.size()) {  // the point
    int decimals = 0;
    for (++at; at < text.size(); ++at, ++decimals) {
      const char c = text[at];
      if (!is_digit(c)) return std::nullopt;
      ++digits;
      if (decimals < 2)
        paise = paise * 10 + (c - '0');
      else if (c != '0')
        return std::nullopt;  // a fraction of a paisa cannot be totalled exactly
    }
    if (decimals == 1) paise *= 10;
  }
  if (digits == 0) return std::nullopt;
  const Paise amount = rupees * 100 + paise;
  return negative ? -amount : amount;
}

std::string paise_text(Paise amount) {
  const bool negative = amount < 0;
  if (negative) amount = -amount;
  std::string reversed;
  const auto push_digit = [&] {
    reversed += static_cast<char>('0' + static_cast<int>(amount % 10));
    amount /= 10;
  };
  push_digit();
  push_digit();
  reversed += '.';
  do push_digit();
  while (amount != 0);
  if (negative) reversed += '-';
  return {reversed.rbegin(), reversed.rend()};
}

void ColumnTotal::add(std::string_view text) {
  if (text.find_first_not_of(" \t") == std::string_view::npos) return;
  if (const auto amount = amount_in_paise(text))
    paise += *amount;
  else
    ++not_amounts;
}

}  // namespace fenwarx::host
