#include "clock_option.hpp"

#include <charconv>

#include "platform/values/dates.hpp"

namespace fenwarx::cli {
namespace {

// Exactly `width` digits at `at`.
std::optional<int> digits(std::string_view text, std::size_t at, std::size_t width) {
  int value = 0;
  for (std::size_t i = at; i < at + width; ++i)
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  std::from_chars(text.data() + at, text.data() + at + width, value);
  return value;
}

}  // namespace

std::optional<double> parse_today(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
  if (!year || !month || !day) return std::nullopt;
  const CivilDate date{*year, *month, *day};
  if (!is_valid_civil(date)) return std::nullopt;
  return serial_from_civil(date);
}

void add_today_option(CLI::App& app, std::optional<std::string>& today) {
  app.add_option("--today", today, "Today's date (else the system clock)")
      ->envname("FENWARX_TODAY")
      ->check(CLI::Validator(
          [](std::string& text) -> std::string {
            return parse_today(text) ? "" : "not a date like 2024-03-31: " + text;
          },
          "YYYY-MM-DD"));
}

}  // namespace fenwarx::cli
