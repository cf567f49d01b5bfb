#pragma once
// xl/sharedStrings.xml: the texts cells refer to by index.
#include <string>
#include <string_view>

#include "platform/spreadsheet/cell_store.hpp"

namespace fenwarx {

// Appends item i of the table as the pool's next text: the <t> of the item, or
// the <t> of each run joined (phonetic runs left out), _xHHHH_ escapes decoded.
// RuntimeError 1004 when malformed.
void read_shared_strings(std::string_view part_name, std::string_view xml, TextPool& pool);

// "_x000D_" -> a carriage return, "_x005F_" -> "_"; other text unchanged.
std::string decode_escaped_characters(std::string_view text);

}  // namespace fenwarx
