#pragma once
// Writing XML parts: the declaration every part starts with, numbers written
// locale-free, and text escaped for element content or attribute values.
#include <charconv>
#include <string>
#include <string_view>

namespace fenwarx {

// Every part this system writes starts so; a line break after it as the
// applications that save workbooks put one.
inline constexpr std::string_view kXmlDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

inline void append_int(std::string& out, long long value) {
  char buffer[24];
  out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// The shortest text that reads back as the same double.
inline void append_double(std::string& out, double value) {
  char buffer[32];
  out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// Appends `text` escaped (&, <, >; a carriage return as a character reference
// so readers do not fold it into a line feed), dropping what XML 1.0 cannot
// hold: control characters other than tab, line feed and carriage return,
// U+FFFE, U+FFFF, and bytes that are not UTF-8.
void append_escaped_text(std::string& out, std::string_view text);

// The same for an attribute value in double quotes: the quote escaped too, and
// tab and line feed as references, which readers would otherwise turn into blanks.
void append_escaped_attribute(std::string& out, std::string_view text);

// A text that needs xml:space="preserve" to keep its blanks: leading or trailing
// blank, tab or line break (so also any blank-only text).
bool needs_preserved_space(std::string_view text);

}  // namespace fenwarx
