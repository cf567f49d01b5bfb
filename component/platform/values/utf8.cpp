#include "platform/values/utf8.hpp"

namespace fenwarx {
namespace {

bool continues_character(char byte) noexcept {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

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

std::size_t utf8_sequence_length(std::string_view text, std::size_t at) noexcept {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  // The second byte's range also rules out overlong forms, surrogates and
  // code points past U+10FFFF.
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() - at < length) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = at + 2; i < at + length; ++i)
    if (!continues_character(text[i])) return 0;
  return length;
}

char32_t utf8_code_point(std::string_view sequence) noexcept {
  if (sequence.empty()) return 0;
  const auto lead = static_cast<unsigned char>(sequence[0]);
  if (sequence.size() == 1) return lead;
  char32_t code = lead & (0x7F >> sequence.size());
  for (std::size_t i = 1; i < sequence.size(); ++i)
    code = (code << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3F);
  return code;
}

void append_utf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
    return;
  }
  constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};  // by the bytes that follow
  const int continuations = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
  out.push_back(static_cast<char>(kLead[continuations] | (code >> (6 * continuations))));
  for (int i = continuations - 1; i >= 0; --i)
    out.push_back(static_cast<char>(0x80 | ((code >> (6 * i)) & 0x3F)));
}

}  // namespace fenwarx
