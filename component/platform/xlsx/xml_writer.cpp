#include "platform/xlsx/xml_writer.hpp"

#include "platform/values/utf8.hpp"

namespace fenwarx {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The length of the UTF-8 sequence XML may hold at text[i]; 0 when it holds none.
// XML 1.0 has no place for U+FFFE and U+FFFF, though they are well-formed UTF-8.
std::size_t xml_sequence_length(std::string_view text, std::size_t i) {
  const std::size_t length = utf8_sequence_length(text, i);
  if (length == 3) {
    const char32_t code = utf8_code_point(text.substr(i, length));
    if (code == 0xFFFE || code == 0xFFFF) return 0;
  }
  return length;
}

void append_escaped(std::string& out, std::string_view text, bool attribute) {
  std::size_t run = 0;  // start of the bytes not yet appended that need no escape
  std::size_t i = 0;
  auto flush = [&] { out.append(text.data() + run, i - run); };
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x80 && c != '&' && c != '<' && c != '>' && !(attribute && c == '"')) {
      ++i;
      continue;
    }
    if (c >= 0x80) {
      const std::size_t length = xml_sequence_length(text, i);
      if (length > 0) {
        i += length;
        continue;
      }
    }
    flush();
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\r': out += "&#13;"; break;
      case '\t':
        if (attribute)
          out += "&#9;";
        else
          out.push_back('\t');
        break;
      case '\n':
        if (attribute)
          out += "&#10;";
        else
          out.push_back('\n');
        break;
      default: break;  // a character XML cannot hold
    }
    ++i;
    run = i;
  }
  flush();
}

}  // namespace

void append_escaped_text(std::string& out, std::string_view text) {
  append_escaped(out, text, false);
}

void append_escaped_attribute(std::string& out, std::string_view text) {
  append_escaped(out, text, true);
}

bool needs_preserved_space(std::string_view text) {
  return !text.empty() && (is_blank(text.front()) || is_blank(text.back()));
}

}  // namespace fenwarx
