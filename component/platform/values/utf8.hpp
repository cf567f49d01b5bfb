#pragma once
// UTF-8 as texts hold it: lengths and positions count characters as a user sees
// them, not bytes; writers that must emit only well-formed text check sequences.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fenwarx {

std::size_t character_count(std::string_view text) noexcept;
std::vector<std::string_view> characters(std::string_view text);  // each its own slice

// The length (1 to 4) of the well-formed UTF-8 sequence starting at text[at];
// 0 for a stray continuation byte, an overlong form, a surrogate, a code point
// past U+10FFFF or a sequence cut short by the end of the text.
std::size_t utf8_sequence_length(std::string_view text, std::size_t at) noexcept;

// The code point of one well-formed sequence, as utf8_sequence_length measured it.
char32_t utf8_code_point(std::string_view sequence) noexcept;

// Appends a code point up to U+10FFFF as its UTF-8 sequence.
void append_utf8(std::string& out, char32_t code);

}  // namespace fenwarx
