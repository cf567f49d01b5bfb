#include "platform/xlsx/xml_scan.hpp"

#include <charconv>

#include "platform/values/runtime_error.hpp"
#include "platform/values/utf8.hpp"

namespace fenwarx::xml_scan {

void malformed(const Source& source, std::size_t at, std::string_view what) {
  std::string message(source.part);
  message += " is not well-formed XML at byte ";
  message += std::to_string(at);
  message += ": ";
  message += what;
  throw RuntimeError(err::kApplication, std::move(message));
}

void invalid(const Source& source, std::size_t at, std::string_view what) {
  std::string message(source.part);
  message += ": ";
  message += what;
  message += " at byte ";
  message += std::to_string(at);
  throw RuntimeError(err::kApplication, std::move(message));
}

std::size_t read_end_tag(const Source& source, std::size_t at, std::string_view qname) {
  const std::string_view text = source.text;
  const std::size_t name_begin = at + 2;
  const std::size_t i = name_end(text, name_begin);
  const std::string_view name = text.substr(name_begin, i - name_begin);
  const std::size_t close = skip_space(text, i);
  if (close >= text.size() || text[close] != '>')
    malformed(source, at, "unclosed end tag </" + std::string(name) + ">");
  if (name != qname)
    malformed(source, at,
              "end tag </" + std::string(name) + "> does not match <" + std::string(qname) + ">");
  return close + 1;
}

std::size_t skip_markup(const Source& source, std::size_t at) {
  const std::string_view text = source.text;
  auto past = [&](std::string_view terminator, std::size_t from, std::string_view what) {
    const std::size_t hit = text.find(terminator, from);
    if (hit == std::string_view::npos) malformed(source, at, what);
    return hit + terminator.size();
  };
  if (starts_with_at(text, at, "<!--")) return past("-->", at + 4, "unclosed comment");
  if (starts_with_at(text, at, "<![CDATA[")) return past("]]>", at + 9, "unclosed CDATA section");
  if (starts_with_at(text, at, "<?")) return past("?>", at + 2, "unclosed processing instruction");
  return past(">", at + 2, "unclosed declaration");
}

std::size_t element_end(const Source& source, std::size_t at) {
  auto ignore = [](std::string_view, std::string_view, std::size_t) {};
  const StartTag tag = read_start_tag(source, at, ignore);
  std::size_t pos = tag.end;
  int depth = tag.self_closing ? 0 : 1;
  while (depth > 0) {
    const std::size_t lt = find_char(source.text, pos, '<');
    if (lt == std::string_view::npos || lt + 1 >= source.text.size())
      malformed(source, source.text.size(), "end of input inside <" + std::string(tag.qname) + ">");
    const char next = source.text[lt + 1];
    if (next == '/') {
      const std::size_t close = find_char(source.text, lt, '>');
      if (close == std::string_view::npos) malformed(source, lt, "unclosed end tag");
      pos = close + 1;
      --depth;
    } else if (next == '!' || next == '?') {
      pos = skip_markup(source, lt);
    } else {
      const StartTag child = read_start_tag(source, lt, ignore);
      if (!child.self_closing) ++depth;
      pos = child.end;
    }
  }
  return pos;
}

std::size_t decode_entity(const Source& source, std::size_t at, std::string& out) {
  const std::string_view text = source.text;
  // The longest reference is a numeric one like "&#x10FFFF;" or "&#1114111;".
  std::size_t semicolon = std::string_view::npos;
  for (std::size_t i = at + 1; i < text.size() && i < at + 12; ++i) {
    if (text[i] == ';') {
      semicolon = i;
      break;
    }
  }
  if (semicolon == std::string_view::npos) malformed(source, at, "'&' without an entity");
  const std::string_view name = text.substr(at + 1, semicolon - at - 1);
  if (name == "lt") {
    out.push_back('<');
  } else if (name == "gt") {
    out.push_back('>');
  } else if (name == "amp") {
    out.push_back('&');
  } else if (name == "quot") {
    out.push_back('"');
  } else if (name == "apos") {
    out.push_back('\'');
  } else if (name.size() >= 2 && name[0] == '#') {
    const bool hex = name[1] == 'x';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    std::uint32_t cp = 0;
    const auto [end, ec] =
        std::from_chars(digits.data(), digits.data() + digits.size(), cp, hex ? 16 : 10);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || cp == 0 ||
        cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
      malformed(source, at, "invalid character reference &" + std::string(name) + ";");
    append_utf8(out, cp);
  } else {
    malformed(source, at, "unknown entity &" + std::string(name) + ";");
  }
  return semicolon + 1;
}

void append_decoded(const Source& source, std::string_view value, std::string& out) {
  const std::size_t base = static_cast<std::size_t>(value.data() - source.text.data());
  std::size_t i = 0;
  while (i < value.size()) {
    const std::size_t amp = value.find('&', i);
    if (amp == std::string_view::npos) {
      out.append(value.substr(i));
      return;
    }
    out.append(value.substr(i, amp - i));
    const std::size_t next = decode_entity(source, base + amp, out);
    if (next > base + value.size()) malformed(source, base + amp, "'&' without an entity");
    i = next - base;
  }
}

}  // namespace fenwarx::xml_scan
