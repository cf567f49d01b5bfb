#include "platform/values/decimal_digits.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace fenwarx::detail {

namespace {

void strip_trailing_zeros(DecimalDigits& number) {
  while (number.count > 0 && number.digits[number.count - 1] == '0') --number.count;
}

// Reads "d.ddde+XX" (the point optional) into `number`.
void read_scientific(const char* p, const char* end, DecimalDigits& number) {
  while (*p != 'e') {
    if (*p != '.') number.digits[number.count++] = *p;
    ++p;
  }
  ++p;
  if (*p == '+') ++p;
  std::from_chars(p, end, number.exponent);
  strip_trailing_zeros(number);
}

}  // namespace

DecimalDigits to_decimal(double value) {
  DecimalDigits number;
  number.negative = std::signbit(value) && value != 0;
  if (value == 0) return number;
  char buffer[40];
  // The shortest digits that read back as the value: when there are 15 or fewer,
  // they are also the value rounded to 15 digits (any 15-digit decimal survives
  // the trip through a normal double), and this path is the fast one.
  auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                              std::chars_format::scientific);
  const char* mark = std::find(buffer, result.ptr, 'e');
  const auto shortest = mark - buffer - (mark - buffer > 1 ? 1 : 0);
  if (shortest > 15 || !std::isnormal(value)) {
    // "d.dddddddddddddde+XXX": to_chars rounds the exact binary value correctly.
    result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                           std::chars_format::scientific, 14);
  }
  read_scientific(buffer, result.ptr, number);
  return number;
}

void round_to_decimals(DecimalDigits& number, int decimals, Halves halves) {
  if (number.count == 0) return;
  // Digits kept: those before the place 10^-decimals inclusive.
  const long long kept = static_cast<long long>(number.exponent) + 1 + decimals;
  if (kept >= number.count) return;
  if (kept < 0) {
    number.count = 0;
    return;
  }
  const int k = static_cast<int>(kept);
  const char next = number.digits[k];
  bool up = next > '5';
  if (next == '5') {
    const bool tie = k + 1 == number.count;  // nothing but zeros follows
    if (!tie || halves == Halves::AwayFromZero) {
      up = true;
    } else {
      const int previous = k == 0 ? 0 : number.digits[k - 1] - '0';
      up = previous % 2 == 1;
    }
  }
  number.count = k;
  if (up) {
    int i = k - 1;
    while (i >= 0 && number.digits[i] == '9') number.digits[i--] = '0';
    if (i >= 0) {
      ++number.digits[i];
    } else {
      // Carried past the first digit (or rounded up from nothing): a lone 1.
      number.digits[0] = '1';
      number.count = 1;
      number.exponent = k == 0 ? -decimals : number.exponent + 1;
    }
  }
  strip_trailing_zeros(number);
}

void append_fixed(std::string& out, const DecimalDigits& number, int decimals) {
  auto digit_at = [&](long long index) {
    return index >= 0 && index < number.count ? number.digits[index] : '0';
  };
  if (number.count == 0 || number.exponent < 0) {
    out += '0';
  } else {
    for (long long i = 0; i <= number.exponent; ++i) out += digit_at(i);
  }
  if (decimals <= 0) return;
  out += '.';
  for (int i = 1; i <= decimals; ++i) {
    out += number.count == 0 ? '0' : digit_at(static_cast<long long>(number.exponent) + i);
  }
}

std::string_view significant(const DecimalDigits& number) {
  if (number.count == 0) return "0";
  return {number.digits, static_cast<std::size_t>(number.count)};
}

double to_double(const DecimalDigits& number) {
  if (number.count == 0) return 0;
  char buffer[40];
  char* p = buffer;
  if (number.negative) *p++ = '-';
  for (int i = 0; i < number.count; ++i) *p++ = number.digits[i];
  *p++ = 'e';
  p = std::to_chars(p, buffer + sizeof buffer, number.exponent - (number.count - 1)).ptr;
  double value = 0;
  std::from_chars(buffer, p, value);
  return value;
}

}  // namespace fenwarx::detail
