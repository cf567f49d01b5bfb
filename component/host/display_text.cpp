#include "host/display_text.hpp"

#include "platform/values/utf8.hpp"

namespace fenwarx::host {

std::string displayable(std::string_view text) {
  constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = utf8_sequence_length(text, at);
    if (length == 0) {
      out += kReplacement;
      ++at;
      continue;
    }
    const std::string_view sequence = text.substr(at, length);
    const char32_t code = utf8_code_point(sequence);
    const bool breaks_lines = code == 0x2028 || code == 0x2029;
    if (code < 0x20 || code == 0x7F || (code >= 0x80 && code < 0xA0) || breaks_lines)
      out += ' ';
    else
      out += sequence;
    at += length;
  }
  return out;
}

}  // namespace fenwarx::host
