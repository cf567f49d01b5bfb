#pragma once
// Low-level reading of XML markup straight from the part's bytes, for the sheet
// scanner and the sheet writer: start tags with their attributes, end tags,
// entities. Every read is bounded by the text; malformed markup is RuntimeError
// 1004 naming the part and the byte offset.
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace fenwarx::xml_scan {

struct Source {
  std::string_view text;
  std::string_view part;
};

// "PART is not well-formed XML at byte AT: WHAT"
[[noreturn]] void malformed(const Source& source, std::size_t at, std::string_view what);
// "PART: WHAT at byte AT", for content that is well-formed XML but not a valid sheet.
[[noreturn]] void invalid(const Source& source, std::size_t at, std::string_view what);

inline bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

inline bool is_name_end(char c) {
  return is_space(c) || c == '>' || c == '/' || c == '=' || c == '<' || c == '"' || c == '\'';
}

inline std::size_t skip_space(std::string_view text, std::size_t i) {
  while (i < text.size() && is_space(text[i])) ++i;
  return i;
}

inline std::size_t name_end(std::string_view text, std::size_t i) {
  while (i < text.size() && !is_name_end(text[i])) ++i;
  return i;
}

inline std::string_view local_name(std::string_view qname) {
  const std::size_t colon = qname.find(':');
  return colon == std::string_view::npos ? qname : qname.substr(colon + 1);
}

inline std::size_t find_char(std::string_view text, std::size_t from, char c) {
  if (from >= text.size()) return std::string_view::npos;
  const void* hit = std::memchr(text.data() + from, c, text.size() - from);
  return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data())
             : std::string_view::npos;
}

inline bool starts_with_at(std::string_view text, std::size_t at, std::string_view what) {
  return at <= text.size() && text.size() - at >= what.size() &&
         text.compare(at, what.size(), what) == 0;
}

struct StartTag {
  std::string_view qname;
  std::size_t end = 0;  // just past its '>'
  bool self_closing = false;
};

// Reads the start tag whose '<' is at `at`, calling on_attribute(name, value,
// begin) for each attribute in order; `begin` is where the attribute's name starts.
template <class OnAttribute>
StartTag read_start_tag(const Source& source, std::size_t at, OnAttribute&& on_attribute) {
  const std::string_view text = source.text;
  StartTag tag;
  std::size_t i = name_end(text, at + 1);
  tag.qname = text.substr(at + 1, i - at - 1);
  if (tag.qname.empty()) malformed(source, at, "element without a name");
  for (;;) {
    const std::size_t blank = i;
    i = skip_space(text, i);
    if (i >= text.size()) malformed(source, at, "unclosed tag <" + std::string(tag.qname) + ">");
    const char c = text[i];
    if (c == '>') {
      tag.end = i + 1;
      return tag;
    }
    if (c == '/') {
      if (i + 1 < text.size() && text[i + 1] == '>') {
        tag.end = i + 2;
        tag.self_closing = true;
        return tag;
      }
      malformed(source, at, "unclosed tag <" + std::string(tag.qname) + ">");
    }
    if (c == '<') malformed(source, at, "unclosed tag <" + std::string(tag.qname) + ">");
    if (i == blank) malformed(source, i, "no blank before an attribute");
    const std::size_t name_begin = i;
    i = name_end(text, i);
    if (i == name_begin) malformed(source, i, "unexpected character in a tag");
    const std::string_view name = text.substr(name_begin, i - name_begin);
    i = skip_space(text, i);
    if (i >= text.size() || text[i] != '=') malformed(source, i, "attribute without a value");
    i = skip_space(text, i + 1);
    if (i >= text.size()) malformed(source, at, "unclosed tag <" + std::string(tag.qname) + ">");
    const char quote = text[i];
    if (quote != '"' && quote != '\'') malformed(source, i, "attribute value without quotes");
    const std::size_t close = find_char(text, i + 1, quote);
    if (close == std::string_view::npos) malformed(source, i, "unclosed attribute value");
    const std::string_view value = text.substr(i + 1, close - i - 1);
    if (value.find('<') != std::string_view::npos)
      malformed(source, i, "'<' in an attribute value");
    on_attribute(name, value, name_begin);
    i = close + 1;
  }
}

// Reads the end tag whose "</" is at `at`, which must close `qname`; returns the
// offset just past its '>'.
std::size_t read_end_tag(const Source& source, std::size_t at, std::string_view qname);

// Skips a comment, processing instruction, CDATA section or declaration starting
// at `at` ("<!" or "<?"); returns the offset past it.
std::size_t skip_markup(const Source& source, std::size_t at);

// Past the element whose start tag is at `at`, nesting counted but not checked
// (for markup the scanner has already read).
std::size_t element_end(const Source& source, std::size_t at);

// Decodes the entity or character reference whose '&' is at `at` into `out`
// (UTF-8); returns the offset past its ';'.
std::size_t decode_entity(const Source& source, std::size_t at, std::string& out);

// Appends `value` to `out`, decoding its entities (for attribute values).
void append_decoded(const Source& source, std::string_view value, std::string& out);

}  // namespace fenwarx::xml_scan
