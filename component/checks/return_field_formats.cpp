#include "checks/return_field_formats.hpp"

#include <algorithm>
#include <limits>

#include "checks/code_shapes.hpp"
#include "platform/values/dates.hpp"

namespace fenwarx::file_format {
namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }

bool all_digits(std::string_view text) { return std::all_of(text.begin(), text.end(), digit); }

int number(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

}  // namespace

std::optional<Paise> parse_amount(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  const std::size_t point = text.size() < 4 ? 0 : text.size() - 3;
  if (point == 0 || point > 20 || text[point] != '.') return std::nullopt;
  const std::string_view whole = text.substr(0, point), cents = text.substr(point + 1);
  if (!all_digits(whole) || !all_digits(cents)) return std::nullopt;
  Paise value = 0;
  for (char c : whole) value = value * 10 + (c - '0');
  value = value * 100 + number(cents);
  return negative ? -value : value;
}

std::string amount_text(Paise paise) {
  const bool negative = paise < 0;
  if (negative) paise = -paise;
  std::string digits;
  for (Paise rest = paise; rest > 0 || digits.size() < 3; rest /= 10)
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(rest % 10)));
  digits.insert(digits.end() - 2, '.');
  return negative ? "-" + digits : digits;
}

Paise round_to_rupees(Paise paise) {
  Paise rupees = paise / 100;
  const Paise rest = paise % 100;  // takes the sign of paise
  const bool odd = rupees % 2 != 0;
  if (rest > 50 || (rest == 50 && odd)) ++rupees;
  if (rest < -50 || (rest == -50 && odd)) --rupees;
  return rupees * 100;
}

bool is_rate(std::string_view text) {
  const std::size_t point = text.size() < 6 ? 0 : text.size() - 5;
  return point > 0 && text[point] == '.' && all_digits(text.substr(0, point)) &&
         all_digits(text.substr(point + 1));
}

std::optional<long long> parse_rate(std::string_view text) {
  if (!is_rate(text)) return std::nullopt;
  long long units = 0;
  for (char c : text) {
    if (c == '.') continue;
    if (units > (std::numeric_limits<long long>::max() - 9) / 10) return std::nullopt;
    units = units * 10 + (c - '0');
  }
  return units;
}

bool is_date(std::string_view text) { return date_order(text).has_value(); }

std::optional<int> date_order(std::string_view text) {
  if (text.size() != 8 || !all_digits(text)) return std::nullopt;
  const CivilDate date{.year = number(text.substr(4, 4)),
                       .month = number(text.substr(2, 2)),
                       .day = number(text.substr(0, 2))};
  if (!fenwarx::is_valid_civil(date)) return std::nullopt;
  return date.year * 10000 + date.month * 100 + date.day;
}

std::optional<int> financial_year_start(std::string_view text) {
  if (text.size() != 6 || !all_digits(text)) return std::nullopt;
  const int first = number(text.substr(0, 4));
  if (number(text.substr(4)) != (first + 1) % 100) return std::nullopt;
  return first;
}

bool is_pan(std::string_view text) { return has_shape(text, kPanShape) || is_reserved_pan(text); }

bool is_tan(std::string_view text) { return has_shape(text, kTanShape); }

}  // namespace fenwarx::file_format
