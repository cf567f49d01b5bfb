#include "platform/values/numbers.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "platform/values/ascii.hpp"
#include "platform/values/decimal_digits.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool is_exponent_mark(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// Exponents are clamped: anything past this is out of the double range anyway.
constexpr long long kExponentLimit = 100000;

// `mantissa` holds digits with at most one '.', `exponent` the written power of ten.
// from_chars reports both overflow and underflow as out of range; underflow is 0,
// overflow is the caller's to judge.
struct Conversion {
  double value = 0;
  bool overflow = false;
};

Conversion convert(std::string_view mantissa, long long exponent) {
  // Position of the first non-zero digit decides which way the range was left.
  long long integer_digits = 0, leading_fraction_zeros = 0;
  bool in_fraction = false, nonzero = false;
  for (char c : mantissa) {
    if (c == '.') {
      in_fraction = true;
    } else if (!nonzero && c == '0') {
      if (in_fraction) ++leading_fraction_zeros;
    } else {
      nonzero = true;
      if (!in_fraction)
        ++integer_digits;
      else
        break;
    }
  }
  if (!nonzero) return {};
  const long long magnitude =
      integer_digits > 0 ? integer_digits - 1 + exponent : exponent - leading_fraction_zeros - 1;
  if (magnitude > 400) return {0, true};
  if (magnitude < -400) return {};

  char buffer[64];
  std::string long_buffer;
  const std::size_t needed = mantissa.size() + 12;
  char* start = buffer;
  if (needed > sizeof buffer) {
    long_buffer.resize(needed);
    start = long_buffer.data();
  }
  char* p = start;
  for (char c : mantissa) *p++ = c;
  *p++ = 'e';
  p = std::to_chars(p, start + needed, exponent).ptr;
  Conversion out;
  auto [end, ec] = std::from_chars(start, p, out.value);
  if (ec == std::errc::result_out_of_range) {
    out.value = 0;
    out.overflow = magnitude >= 0;
  }
  return out;
}

long long add_exponent_digit(long long exponent, char digit) {
  exponent = exponent * 10 + (digit - '0');
  return exponent > kExponentLimit ? kExponentLimit : exponent;
}

// A plain decimal ("1500", "-12.5") reads the same through the general path;
// most cells hold one, so they take this short way. Up to 15 digits the digits
// as a whole number and a power of ten are both exact doubles, and one division
// of the two rounds as a full conversion does.
std::optional<double> plain_decimal(std::string_view text) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const std::size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
  bool point = false, digit = false;
  std::uint64_t whole = 0;
  int digits = 0, decimals = 0;  // digits from the first nonzero one on
  for (std::size_t i = sign; i < text.size(); ++i) {
    const char c = text[i];
    if (is_ascii_digit(c)) {
      digit = true;
      if (digits <= 15) {
        whole = whole * 10 + static_cast<unsigned>(c - '0');
        if (whole != 0) ++digits;
        if (point) ++decimals;
      }
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digit) return std::nullopt;
  double value = 0;
  if (digits <= 15 && decimals <= 15) {
    value = static_cast<double>(whole) / kPowers[decimals];
  } else {
    const auto [end, ec] = std::from_chars(text.data() + sign, text.data() + text.size(), value,
                                           std::chars_format::fixed);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  }
  return sign && value != 0 ? -value : value;
}

}  // namespace

double leading_number(std::string_view text) {
  if (const std::optional<double> plain = plain_decimal(text)) return *plain;
  std::size_t i = 0;
  auto skip_blanks = [&] {
    while (i < text.size() && is_blank(text[i])) ++i;
  };
  skip_blanks();
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  std::string mantissa;
  bool point = false, any_digit = false;
  for (skip_blanks(); i < text.size(); ++i, skip_blanks()) {
    const char c = text[i];
    if (is_ascii_digit(c)) {
      mantissa += c;
      any_digit = true;
    } else if (c == '.' && !point) {
      mantissa += c;
      point = true;
    } else {
      break;
    }
  }
  if (!any_digit) return 0;
  long long exponent = 0;
  if (i < text.size() && is_exponent_mark(text[i])) {
    ++i;
    skip_blanks();
    bool exponent_negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
      exponent_negative = text[i] == '-';
      ++i;
    }
    for (skip_blanks(); i < text.size() && is_ascii_digit(text[i]); ++i, skip_blanks()) {
      exponent = add_exponent_digit(exponent, text[i]);
    }
    if (exponent_negative) exponent = -exponent;
  }
  const Conversion result = convert(mantissa, exponent);
  if (result.overflow) throw RuntimeError(err::kOverflow);
  return negative && result.value != 0 ? -result.value : result.value;
}

std::optional<double> parse_number(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && is_blank(text[begin])) ++begin;
  while (end > begin && is_blank(text[end - 1])) --end;
  text = text.substr(begin, end - begin);
  if (const std::optional<double> plain = plain_decimal(text)) return plain;

  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t mantissa_begin = i;
  bool grouped = false;
  std::size_t group = 0, digits = 0;
  for (; i < text.size(); ++i) {
    if (is_ascii_digit(text[i])) {
      ++group;
      ++digits;
    } else if (text[i] == ',') {
      // A separator follows a lead group of 1-3 digits or a full group of 3.
      if (group == 0 || group > 3 || (grouped && group != 3)) return std::nullopt;
      grouped = true;
      group = 0;
    } else {
      break;
    }
  }
  if (grouped && group != 3) return std::nullopt;
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && is_ascii_digit(text[i]); ++i) ++digits;
  }
  if (digits == 0) return std::nullopt;
  const std::size_t mantissa_end = i;
  long long exponent = 0;
  if (i < text.size() && is_exponent_mark(text[i])) {
    ++i;
    bool exponent_negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
      exponent_negative = text[i] == '-';
      ++i;
    }
    const std::size_t exponent_begin = i;
    for (; i < text.size() && is_ascii_digit(text[i]); ++i)
      exponent = add_exponent_digit(exponent, text[i]);
    if (i == exponent_begin) return std::nullopt;
    if (exponent_negative) exponent = -exponent;
  }
  if (i != text.size()) return std::nullopt;

  std::string_view mantissa = text.substr(mantissa_begin, mantissa_end - mantissa_begin);
  Conversion result;
  if (grouped) {
    std::string plain;
    plain.reserve(mantissa.size());
    for (char c : mantissa) {
      if (c != ',') plain += c;
    }
    result = convert(plain, exponent);
  } else {
    result = convert(mantissa, exponent);
  }
  if (result.overflow) return std::nullopt;
  return negative && result.value != 0 ? -result.value : result.value;
}

bool is_numeric(std::string_view text) { return parse_number(text).has_value(); }

namespace {

// Rupees and paise: a value that is exactly the double of k / 100 for a whole k
// below 10^15. Its decimal is k with the point two places from the right, at
// most 15 digits: the shortest digits that read back as the value, and the
// value rounded to 15 digits, so it prints without the general digit search.
std::optional<long long> whole_cents(double value) {
  if (!(std::fabs(value) < 1e13)) return std::nullopt;
  const double cents = std::nearbyint(value * 100);
  if (cents / 100 != value) return std::nullopt;
  return static_cast<long long>(cents);
}

// "-12.05", the point and `decimals` (at least 2) digits after it always written.
void append_cents(std::string& out, long long cents, int decimals) {
  if (cents < 0) {
    out += '-';
    cents = -cents;
  }
  char buffer[24];
  out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, cents / 100).ptr);
  const int fraction = static_cast<int>(cents % 100);
  out += '.';
  out += static_cast<char>('0' + fraction / 10);
  out += static_cast<char>('0' + fraction % 10);
  out.append(static_cast<std::size_t>(decimals - 2), '0');
}

}  // namespace

bool number_text_reads_back(double value) {
  if (value == 0) return !std::signbit(value);  // "0" reads back as +0
  return (value == std::trunc(value) && std::fabs(value) < 1e15) || whole_cents(value).has_value();
}

std::string number_text(double value) {
  // Whole numbers below 10^15 print as their digits; most cells hold one.
  if (value == std::trunc(value) && std::fabs(value) < 1e15) {
    char buffer[24];
    return std::string(
        buffer, std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value)).ptr);
  }
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  if (const auto cents = whole_cents(value)) {  // not whole: the last digit may go
    std::string out;
    append_cents(out, *cents, 2);
    if (out.back() == '0') out.pop_back();
    return out;
  }
  const detail::DecimalDigits number = detail::to_decimal(value);
  if (number.count == 0) return "0";
  std::string out;
  if (number.negative) out += '-';
  const std::string_view digits = detail::significant(number);
  if (number.exponent >= 15 || number.exponent < -5) {
    out += digits[0];
    if (digits.size() > 1) {
      out += '.';
      out.append(digits.substr(1));
    }
    out += number.exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(number.exponent);
    if (magnitude < 10) out += '0';
    char buffer[8];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, magnitude).ptr);
    return out;
  }
  const int decimals = std::max(0, number.count - 1 - number.exponent);
  detail::append_fixed(out, number, decimals);
  return out;
}

std::string fixed_text(double value, int decimals) {
  if (decimals < 0) throw RuntimeError(err::kInvalidCall);
  if (!std::isfinite(value)) return number_text(value);
  if (decimals >= 2) {
    if (const auto cents = whole_cents(value); cents && *cents != 0) {
      std::string out;
      append_cents(out, *cents, decimals);
      return out;
    }
  }
  detail::DecimalDigits number = detail::to_decimal(value);
  detail::round_to_decimals(number, decimals, detail::Halves::AwayFromZero);
  std::string out;
  if (number.negative && number.count > 0) out += '-';
  detail::append_fixed(out, number, decimals);
  return out;
}

void append_fixed_text(std::string& out, double value, int decimals) {
  if (decimals >= 2 && std::isfinite(value)) {
    if (const auto cents = whole_cents(value); cents && *cents != 0)
      return append_cents(out, *cents, decimals);
  }
  out += fixed_text(value, decimals);
}

double round_half_even(double value, int decimals) {
  if (decimals < 0) throw RuntimeError(err::kInvalidCall);
  if (!std::isfinite(value)) return value;
  // A whole number has nothing to round (rows and columns always are one).
  if (value == std::trunc(value) && std::fabs(value) < 1e15) return value;
  detail::DecimalDigits number = detail::to_decimal(value);
  detail::round_to_decimals(number, decimals, detail::Halves::ToEven);
  return detail::to_double(number);
}

}  // namespace fenwarx
