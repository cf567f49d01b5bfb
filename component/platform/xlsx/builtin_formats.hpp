#pragma once
// The number formats every workbook has without declaring them, by id.
#include <cstdint>
#include <optional>
#include <string_view>

namespace fenwarx {

// The code of a built-in format id; "General" for an id with no known code.
std::string_view builtin_format(std::uint32_t id);
bool is_builtin_format(std::uint32_t id);
// Ids 14-22 and 45-47 show dates and times.
bool is_builtin_date_format(std::uint32_t id);
// The built-in id whose code is exactly `code`. The short-date ids (14, 22) are
// never offered: other applications show them in the reader's locale, so a cell
// that must show day first gets a code of its own.
std::optional<std::uint32_t> builtin_format_id(std::string_view code);

}  // namespace fenwarx
