#include "platform/xlsx/package_xml.hpp"

#include <string>

#include "platform/values/runtime_error.hpp"

namespace fenwarx::xml {

namespace {

constexpr unsigned kParseFlags = pugi::parse_default | pugi::parse_declaration |
                                 pugi::parse_ws_pcdata | pugi::parse_comments | pugi::parse_pi;

struct StringWriter : pugi::xml_writer {
  std::string out;
  void write(const void* data, size_t size) override {
    out.append(static_cast<const char*>(data), size);
  }
};

}  // namespace

std::string parse_part(pugi::xml_document& doc, std::string_view xml, std::string_view part_name) {
  pugi::xml_parse_result result = doc.load_buffer(xml.data(), xml.size(), kParseFlags);
  if (!result)
    throw RuntimeError(err::kApplication,
                       std::string(part_name) + " is not well-formed XML at byte " +
                           std::to_string(result.offset) + ": " + result.description());
  if (doc.first_child().type() != pugi::node_declaration) return {};
  std::size_t end = xml.find("?>");
  if (end == std::string_view::npos) return {};
  std::size_t start = end + 2, stop = start;
  while (stop < xml.size() &&
         (xml[stop] == ' ' || xml[stop] == '\t' || xml[stop] == '\r' || xml[stop] == '\n'))
    ++stop;
  return std::string(xml.substr(start, stop - start));
}

std::string_view local_name(const pugi::xml_node& node) {
  std::string_view name = node.name();
  auto colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool is(const pugi::xml_node& node, std::string_view local) { return local_name(node) == local; }

pugi::xml_node child(const pugi::xml_node& parent, std::string_view local) {
  for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling())
    if (n.type() == pugi::node_element && is(n, local)) return n;
  return {};
}

pugi::xml_attribute attribute(const pugi::xml_node& node, std::string_view local) {
  for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
    std::string_view name = a.name();
    auto colon = name.find(':');
    if (name.substr(colon == std::string_view::npos ? 0 : colon + 1) == local) return a;
  }
  return {};
}

std::string qualified(const pugi::xml_node& like, std::string_view local) {
  std::string_view name = like.name();
  auto colon = name.find(':');
  if (colon == std::string_view::npos) return std::string(local);
  return std::string(name.substr(0, colon + 1)) + std::string(local);
}

pugi::xml_node root(const pugi::xml_document& doc, std::string_view local,
                    std::string_view part_name) {
  pugi::xml_node element = doc.document_element();
  if (!is(element, local))
    throw RuntimeError(err::kApplication, std::string(part_name) + " has the root element <" +
                                              element.name() + ">, not <" + std::string(local) +
                                              ">");
  return element;
}

std::string serialise(const pugi::xml_document& doc, std::string_view declaration_gap) {
  StringWriter writer;
  unsigned flags = pugi::format_raw;
  if (doc.first_child().type() != pugi::node_declaration) flags |= pugi::format_no_declaration;
  doc.save(writer, "", flags, pugi::encoding_utf8);
  if (!declaration_gap.empty() && (flags & pugi::format_no_declaration) == 0) {
    std::size_t end = writer.out.find("?>");
    if (end != std::string::npos) writer.out.insert(end + 2, declaration_gap);
  }
  return std::move(writer.out);
}

}  // namespace fenwarx::xml
