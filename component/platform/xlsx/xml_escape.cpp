#include "platform/xlsx/xml_escape.hpp"

#include <cstdint>

namespace fenwarx {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool is_continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence XML may hold at text[i]; 0 when invalid.
std::size_t utf8_length(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = 0;
  std::uint32_t cp = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() - i < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto c = static_cast<unsigned char>(text[i + k]);
    if (!is_continuation(c)) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  const std::uint32_t minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFFFE || cp == 0xFFFF)
    return 0;
  return length;
}

}  // namespace

void append_escaped_text(std::string& out, std::string_view text) {
  std::size_t run = 0;  // start of the bytes not yet appended that need no escape
  std::size_t i = 0;
  auto flush = [&] { out.append(text.data() + run, i - run); };
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x80 && c != '&' && c != '<' && c != '>') {
      ++i;
      continue;
    }
    if (c >= 0x80) {
      const std::size_t length = utf8_length(text, i);
      if (length > 0) {
        i += length;
        continue;
      }
    }
    flush();
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '\r':
        out += "&#13;";
        break;
      case '\t':
      case '\n':
        out.push_back(static_cast<char>(c));
        break;
      default:
        break;  // a character XML cannot hold
    }
    ++i;
    run = i;
  }
  flush();
}

bool needs_preserved_space(std::string_view text) {
  return !text.empty() && (is_blank(text.front()) || is_blank(text.back()));
}

}  // namespace fenwarx
