#include "platform/xlsx/shared_strings.hpp"

#include <charconv>

#include "platform/values/utf8.hpp"
#include "platform/xlsx/package_xml.hpp"

namespace fenwarx {

namespace {

void append_text(std::string& out, const pugi::xml_node& t) {
  for (pugi::xml_node n = t.first_child(); n; n = n.next_sibling())
    if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) out += n.value();
}

}  // namespace

std::string decode_escaped_characters(std::string_view text) {
  if (text.find("_x") == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '_' && i + 7 <= text.size() && text[i + 1] == 'x' && text[i + 6] == '_') {
      unsigned code = 0;
      const char* first = text.data() + i + 2;
      auto [end, ec] = std::from_chars(first, first + 4, code, 16);
      if (ec == std::errc() && end == first + 4) {
        append_utf8(out, code);
        i += 7;
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

void read_shared_strings(std::string_view part_name, std::string_view xml, TextPool& pool) {
  pugi::xml_document doc;
  xml::parse_part(doc, xml, part_name);
  pugi::xml_node sst = xml::root(doc, "sst", part_name);
  if (auto count = sst.attribute("uniqueCount").as_uint(); count > 0 && count < (1u << 24))
    pool.reserve(count);
  std::string text;
  xml::for_each_child(sst, "si", [&](pugi::xml_node si) {
    text.clear();
    for (pugi::xml_node n = si.first_child(); n; n = n.next_sibling()) {
      if (n.type() != pugi::node_element) continue;
      if (xml::is(n, "t")) {
        append_text(text, n);
      } else if (xml::is(n, "r")) {
        xml::for_each_child(n, "t", [&](pugi::xml_node t) { append_text(text, t); });
      }
    }
    pool.add(decode_escaped_characters(text));
  });
}

}  // namespace fenwarx
