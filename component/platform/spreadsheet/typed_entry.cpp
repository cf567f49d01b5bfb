#include "platform/spreadsheet/typed_entry.hpp"

#include <optional>
#include <string>

#include "platform/values/ascii.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/numbers.hpp"

namespace fenwarx {

namespace {

std::optional<double> percent(std::string_view text) {
  const auto end = text.find_last_not_of(" \t");
  if (end == std::string_view::npos || text[end] != '%') return std::nullopt;
  const auto hundreds = parse_number(text.substr(0, end));
  if (!hundreds) return std::nullopt;
  // Through the shortest decimal text, so "0.3%" is the double nearest 0.003
  // rather than 0.3 / 100 with its rounding error.
  return parse_number(number_text(*hundreds / 100));
}

}  // namespace

Variant read_typed(std::string_view text) {
  if (!text.empty() && text.front() == '\'') return Variant::text(std::string(text.substr(1)));
  if (const auto number = parse_number(text)) return Variant::number(*number);
  if (const auto fraction = percent(text)) return Variant::number(*fraction);
  if (const auto date = parse_date(text)) return Variant::date(*date);
  if (equal_ignoring_case(text, "TRUE")) return Variant::boolean(true);
  if (equal_ignoring_case(text, "FALSE")) return Variant::boolean(false);
  if (!text.empty() && text.front() == '#') {
    if (const int code = cell_error::from_text(to_upper(text))) return Variant::error(code);
  }
  return Variant::text(std::string(text));
}

}  // namespace fenwarx
