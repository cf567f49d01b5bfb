#include "checks/code_shapes.hpp"

#include <algorithm>

#include "layout/code_lists.hpp"
#include "platform/values/ascii.hpp"

namespace fenwarx {

bool has_shape(std::string_view text, std::string_view shape) {
  if (text.size() != shape.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (!(shape[i] == '9' ? c >= '0' && c <= '9' : c >= 'A' && c <= 'Z')) return false;
  }
  return true;
}

bool is_reserved_pan(std::string_view text) {
  return std::find(kReservedPans.begin(), kReservedPans.end(), text) != kReservedPans.end();
}

bool IsDigitChar(std::string_view ch) { return has_shape(ch, "9"); }

bool IsLetterChar(std::string_view ch) {
  return !ch.empty() && has_shape(to_upper(ch.substr(0, 1)), "A");
}

}  // namespace fenwarx
