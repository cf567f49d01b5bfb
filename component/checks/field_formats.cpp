#include "checks/field_formats.hpp"

#include <algorithm>
#include <optional>

#include "platform/values/ascii.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/values/utf8.hpp"

namespace fenwarx {
namespace {

std::string fixed_or_as_is(std::string_view text, int decimals) {
  const std::string held = trimmed(text);
  if (held.empty()) return held;
  const auto value = parse_number(held);
  return value ? fixed_text(*value, decimals) : held;
}

// Appends code point `c` as one byte of the file's single-byte character set.
void append_single_byte(std::string& out, char32_t c) {
  out += c < 0x100 ? static_cast<char>(c) : '?';
}

}  // namespace

std::string amount_field(std::string_view text) { return fixed_or_as_is(text, 2); }

void append_decimal_field(std::string& out, std::string_view text, int decimals) {
  const std::string_view held = trimmed_view(text);
  if (held.empty()) return;
  if (const auto value = parse_number(held))
    append_fixed_text(out, *value, decimals);
  else
    out.append(held);
}

std::string strict_amount_field(std::string_view text) {
  const auto value = parse_number(trimmed(text));
  if (!value) throw RuntimeError(err::kTypeMismatch);
  return fixed_text(*value, 2);
}

std::string rate_field(std::string_view text) { return fixed_or_as_is(text, 4); }

namespace {

// "dd/mm/yyyy" naming a real day from 1900 on, as the verification leaves every
// date it checked: its digits are the field, as the date reader would give them.
std::optional<std::string> day_first_digits(std::string_view text) {
  if (text.size() != 10 || text[2] != '/' || text[5] != '/') return std::nullopt;
  int value[3] = {0, 0, 0};
  const std::size_t starts[3] = {0, 3, 6}, lengths[3] = {2, 2, 4};
  for (int part = 0; part < 3; ++part)
    for (std::size_t i = starts[part]; i < starts[part] + lengths[part]; ++i) {
      if (!is_ascii_digit(text[i])) return std::nullopt;
      value[part] = value[part] * 10 + (text[i] - '0');
    }
  if (value[2] < 1900 || !is_valid_civil({value[2], value[1], value[0]})) return std::nullopt;
  std::string digits;
  digits.reserve(8);
  digits.append(text.substr(0, 2)).append(text.substr(3, 2)).append(text.substr(6, 4));
  return digits;
}

}  // namespace

std::string date_field(std::string_view text) {
  const std::string_view view = trimmed_view(text);
  if (auto digits = day_first_digits(view)) return *std::move(digits);
  const std::string held(view);
  if (const auto date = parse_date(held)) return ddmmyyyy(*date);
  std::string out;
  for (char c : held)
    if (c != '/' && c != '\\' && c != '-') out += c;
  return out;
}

bool append_plain_format(std::string& out, Format format, std::string_view text) {
  switch (format) {
    case Format::AsHeld: out.append(text); return true;
    case Format::Trimmed: out.append(trimmed_view(text)); return true;
    case Format::WholeNumber:
      out += std::to_string(static_cast<long long>(round_half_even(leading_number(text))));
      return true;
    case Format::Amount: append_decimal_field(out, text, 2); return true;
    case Format::LeadingAmount: append_fixed_text(out, leading_number(text), 2); return true;
    case Format::AmountOrZero: {
      const std::string_view held = trimmed_view(text);
      if (held.empty())
        out += "0.00";
      else
        append_decimal_field(out, held, 2);
      return true;
    }
    case Format::Rate: append_decimal_field(out, text, 4); return true;
    case Format::Date: out += date_field(text); return true;
    case Format::HashedDate: out += date_field(without(text, '#')); return true;
    case Format::StrictAmount: {
      const auto value = parse_number(trimmed(text));
      if (value) append_fixed_text(out, *value, 2);
      return value.has_value();  // no number: strict_amount_field fails
    }
    case Format::ZeroPadded:
    case Format::SectionCode:
    case Format::NilSectionCode: return false;
  }
  return false;
}

void append_line(std::string& out, std::string_view record) {
  // Most records hold nothing to clean: printable ASCII goes over as it is.
  const bool plain = std::none_of(record.begin(), record.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte == '\t' || byte == '\r' || byte == '\n' || byte >= 0x80;
  });
  if (plain) {
    out.append(record).append("\r\n");
    return;
  }
  for (std::size_t i = 0; i < record.size(); ++i) {
    const auto byte = static_cast<unsigned char>(record[i]);
    if (byte == '\t' || byte == '\r' || byte == '\n') continue;
    if (byte < 0x80) {
      out += static_cast<char>(byte);
      continue;
    }
    // A UTF-8 sequence: keep what a single byte can hold of its character.
    const std::size_t length = utf8_sequence_length(record, i);
    append_single_byte(out, length == 0 ? '?' : utf8_code_point(record.substr(i, length)));
    if (length > 1) i += length - 1;
  }
  out += "\r\n";
}

}  // namespace fenwarx
