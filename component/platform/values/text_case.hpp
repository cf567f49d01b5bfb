#pragma once
// ASCII case and blanks: names and codes in this system are ASCII, and the
// platform's case folding must not depend on the locale.
#include <string>
#include <string_view>
#include <vector>

namespace fenwarx {

bool equal_ignoring_case(std::string_view a, std::string_view b) noexcept;
std::string to_upper(std::string_view text);
std::string trimmed(std::string_view text);  // blanks (spaces) removed at both ends
std::string without_blanks(std::string_view text);  // every space removed
std::string without(std::string_view text, char removed);

// Lengths and positions count UTF-8 characters as a user sees them, not bytes.
std::size_t character_count(std::string_view text) noexcept;
std::vector<std::string_view> characters(std::string_view text);  // each its own slice

}  // namespace fenwarx
