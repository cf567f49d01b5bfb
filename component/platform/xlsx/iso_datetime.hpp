#pragma once
// The ISO 8601 date-times of date cells (t="d"): 2005-04-01, 2005-04-01T10:30,
// 2005-04-01T10:30:15.5, with a time zone suffix that is ignored.
#include <optional>
#include <string_view>

namespace fenwarx {

// Days since 30/12/1899 with the time as the fraction; none when the text is not
// such a date-time or names no real day.
std::optional<double> parse_iso_datetime(std::string_view text);

}  // namespace fenwarx
