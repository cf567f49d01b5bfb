#include "platform/xlsx/iso_datetime.hpp"

#include <charconv>

#include "platform/values/ascii.hpp"
#include "platform/values/dates.hpp"

namespace fenwarx {

namespace {

// Exactly `count` digits at text[i].
std::optional<int> digits(std::string_view text, std::size_t i, std::size_t count) {
  if (i + count > text.size()) return std::nullopt;
  int value = 0;
  for (std::size_t k = i; k < i + count; ++k) {
    if (!is_ascii_digit(text[k])) return std::nullopt;
    value = value * 10 + (text[k] - '0');
  }
  return value;
}

bool is_zone(std::string_view rest) {
  if (rest.empty() || rest == "Z") return true;
  return rest.size() == 6 && (rest[0] == '+' || rest[0] == '-') && digits(rest, 1, 2) &&
         rest[3] == ':' && digits(rest, 4, 2);
}

}  // namespace

std::optional<double> parse_iso_datetime(std::string_view text) {
  const auto year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
  if (!year || !month || !day || text[4] != '-' || text[7] != '-') return std::nullopt;
  const CivilDate date{*year, *month, *day};
  if (!is_valid_civil(date)) return std::nullopt;
  double serial = serial_from_civil(date);
  if (text.size() == 10) return serial;
  if (text[10] != 'T') return std::nullopt;
  const auto hour = digits(text, 11, 2), minute = digits(text, 14, 2);
  if (!hour || !minute || text[13] != ':' || *hour > 24 || *minute > 59) return std::nullopt;
  double seconds = 0;
  std::size_t i = 16;
  if (i < text.size() && text[i] == ':') {
    std::size_t end = i + 1;
    while (end < text.size() && (is_ascii_digit(text[end]) || text[end] == '.')) ++end;
    const auto [stop, ec] = std::from_chars(text.data() + i + 1, text.data() + end, seconds);
    if (ec != std::errc() || stop != text.data() + end || end - i - 1 < 2 || seconds >= 61)
      return std::nullopt;
    i = end;
  }
  if (!is_zone(text.substr(i))) return std::nullopt;
  return serial + (*hour * 3600.0 + *minute * 60.0 + seconds) / 86400.0;
}

}  // namespace fenwarx
