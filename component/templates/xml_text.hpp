#pragma once
// Small pieces every written part shares: the XML declaration and numbers
// written locale-free.
#include <charconv>
#include <string>
#include <string_view>

namespace fenwarx::templates {

inline constexpr std::string_view kXmlHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

inline void append_int(std::string& out, long long value) {
  char buffer[24];
  out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

inline void append_double(std::string& out, double value) {
  char buffer[32];
  out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

}  // namespace fenwarx::templates
