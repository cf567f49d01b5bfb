#pragma once
// ASCII case and blanks: names and codes in this system are ASCII, and the
// platform's case folding must not depend on the locale.
#include <string>
#include <string_view>

namespace fenwarx {

bool equal_ignoring_case(std::string_view a, std::string_view b) noexcept;
std::string to_upper(std::string_view text);
std::string trimmed(std::string_view text);  // blanks (spaces) removed at both ends
std::string without_blanks(std::string_view text);  // every space removed

}  // namespace fenwarx
