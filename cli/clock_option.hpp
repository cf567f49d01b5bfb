#pragma once
// --today YYYY-MM-DD (or env FENWARX_TODAY): today's date fixed, so a run is
// repeatable; the system's clock otherwise.
#include <CLI/App.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace fenwarx::cli {

// The serial of an ISO date, strictly YYYY-MM-DD of a real day; nothing otherwise.
std::optional<double> parse_today(std::string_view text);

// Adds --today to `app`, read from FENWARX_TODAY when not given; a text that is
// not such a date is a usage error.
void add_today_option(CLI::App& app, std::optional<std::string>& today);

}  // namespace fenwarx::cli
