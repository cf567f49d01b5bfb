#include "platform/values/text_case.hpp"

namespace fenwarx {
namespace {

char upper(char c) noexcept { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool continues_character(char byte) noexcept { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

bool equal_ignoring_case(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (upper(a[i]) != upper(b[i])) return false;
  return true;
}

std::string to_upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = upper(c);
  return out;
}

std::string trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string without_blanks(std::string_view text) { return without(text, ' '); }

std::string without(std::string_view text, char removed) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != removed) out += c;
  return out;
}

std::size_t character_count(std::string_view text) noexcept {
  std::size_t count = 0;
  for (char byte : text)
    if (!continues_character(byte)) ++count;
  return count;
}

std::vector<std::string_view> characters(std::string_view text) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (std::size_t i = 1; i <= text.size(); ++i) {
    if (i == text.size() || !continues_character(text[i])) {
      out.push_back(text.substr(start, i - start));
      start = i;
    }
  }
  return out;
}

}  // namespace fenwarx
