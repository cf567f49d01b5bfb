#pragma once
// ASCII letters, digits, case and blanks: names and codes in this system are
// ASCII, and the platform's case folding must not depend on the locale.
#include <string>
#include <string_view>

namespace fenwarx {

constexpr bool is_ascii_digit(char c) noexcept { return c >= '0' && c <= '9'; }
constexpr bool is_ascii_letter(char c) noexcept {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr char ascii_upper(char c) noexcept {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr char ascii_lower(char c) noexcept {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) noexcept;
// `text` begins with `prefix`, ignoring case.
bool starts_ignoring_case(std::string_view text, std::string_view prefix) noexcept;
std::string to_upper(std::string_view text);
std::string trimmed(std::string_view text);  // blanks (spaces) removed at both ends
std::string_view trimmed_view(std::string_view text) noexcept;  // the same, as a slice
std::string without_blanks(std::string_view text);              // every space removed
std::string without(std::string_view text, char removed);

}  // namespace fenwarx
