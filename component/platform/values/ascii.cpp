#include "platform/values/ascii.hpp"

namespace fenwarx {

bool equal_ignoring_case(std::string_view a, std::string_view b) noexcept {
  return a.size() == b.size() && starts_ignoring_case(a, b);
}

bool starts_ignoring_case(std::string_view text, std::string_view prefix) noexcept {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (ascii_upper(text[i]) != ascii_upper(prefix[i])) return false;
  return true;
}

std::string to_upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ascii_upper(c);
  return out;
}

std::string_view trimmed_view(std::string_view text) noexcept {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string trimmed(std::string_view text) { return std::string(trimmed_view(text)); }

std::string without_blanks(std::string_view text) { return without(text, ' '); }

std::string without(std::string_view text, char removed) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != removed) out += c;
  return out;
}

}  // namespace fenwarx
