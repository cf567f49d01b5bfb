#pragma once
// Text as element content of a part being written.
#include <string>
#include <string_view>

namespace fenwarx {

// Appends `text` escaped (&, <, >; a carriage return as a character reference
// so readers do not fold it into a line feed), dropping what XML 1.0 cannot
// hold: control characters other than tab, line feed and carriage return,
// U+FFFE, U+FFFF, and bytes that are not UTF-8.
void append_escaped_text(std::string& out, std::string_view text);

// A text that needs xml:space="preserve" to keep its blanks: leading or trailing
// blank, tab or line break (so also any blank-only text).
bool needs_preserved_space(std::string_view text);

}  // namespace fenwarx
