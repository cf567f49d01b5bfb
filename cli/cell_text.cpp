#include "cell_text.hpp"

namespace fenwarx::cli {

void append_escaped(std::string& out, std::string_view text) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char escape = 0;
    switch (text[i]) {
      case '\t': escape = 't'; break;
      case '\r': escape = 'r'; break;
      case '\n': escape = 'n'; break;
      case '\\': escape = '\\'; break;
      default: continue;
    }
    out.append(text.substr(start, i - start));
    out.push_back('\\');
    out.push_back(escape);
    start = i + 1;
  }
  out.append(text.substr(start));
}

}  // namespace fenwarx::cli
