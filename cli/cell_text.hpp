#pragma once
// A cell's text as one field of a tab-separated line.
#include <string>
#include <string_view>

namespace fenwarx::cli {

// Appends `text` with tab, CR, LF and backslash written as \t \r \n \\, so a
// row of cells always stays one line.
void append_escaped(std::string& out, std::string_view text);

}  // namespace fenwarx::cli
