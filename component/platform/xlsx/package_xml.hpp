#pragma once
// What every XML package part shares: parsing with the part's name in the error,
// matching elements by local name whatever their prefix (transitional or strict
// namespace alike), and writing a part back as it was read.
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace fenwarx::xml {

// Parses a part keeping whitespace-only text, comments and the declaration.
// Returns the blanks that followed the declaration, which the parser drops, for
// serialise to put back. RuntimeError 1004 "PART is not well-formed XML at byte
// OFFSET: DESCRIPTION".
std::string parse_part(pugi::xml_document& doc, std::string_view xml, std::string_view part_name);

std::string_view local_name(const pugi::xml_node& node);
bool is(const pugi::xml_node& node, std::string_view local);
pugi::xml_node child(const pugi::xml_node& parent, std::string_view local);
// The attribute whose local name is `local` (e.g. "id" finds r:id), prefixed or not.
pugi::xml_attribute attribute(const pugi::xml_node& node, std::string_view local);
// `local` with the prefix `like` carries, so a new element joins its siblings' namespace.
std::string qualified(const pugi::xml_node& like, std::string_view local);
// The root element's local name must be `local`; RuntimeError 1004 otherwise.
pugi::xml_node root(const pugi::xml_document& doc, std::string_view local,
                    std::string_view part_name);

// The document as bytes: no reformatting, the original declaration and the
// blanks after it kept.
std::string serialise(const pugi::xml_document& doc, std::string_view declaration_gap);

// Calls f(element) for each child element named `local`, in document order.
template <class F>
void for_each_child(const pugi::xml_node& parent, std::string_view local, F&& f) {
  for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling())
    if (n.type() == pugi::node_element && is(n, local)) f(n);
}

}  // namespace fenwarx::xml
