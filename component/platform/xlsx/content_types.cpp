#include "platform/xlsx/content_types.hpp"

#include "platform/values/ascii.hpp"
#include "platform/xlsx/package_xml.hpp"

namespace fenwarx {

namespace {

std::string_view without_slash(std::string_view name) {
  return !name.empty() && name.front() == '/' ? name.substr(1) : name;
}

}  // namespace

ContentTypes::ContentTypes(std::string_view xml) {
  declaration_gap_ = xml::parse_part(doc_, xml, kContentTypesPart);
  types_ = xml::root(doc_, "Types", kContentTypesPart);
}

pugi::xml_node ContentTypes::find_override(std::string_view part_name) const {
  pugi::xml_node found;
  xml::for_each_child(types_, "Override", [&](pugi::xml_node n) {
    if (!found && equal_ignoring_case(without_slash(n.attribute("PartName").value()),
                                      without_slash(part_name)))
      found = n;
  });
  return found;
}

std::string ContentTypes::of(std::string_view part_name) const {
  if (pugi::xml_node n = find_override(part_name)) return n.attribute("ContentType").value();
  std::string_view name = without_slash(part_name);
  auto dot = name.rfind('.');
  if (dot == std::string_view::npos || name.find('/', dot) != std::string_view::npos) return {};
  std::string_view extension = name.substr(dot + 1);
  std::string type;
  xml::for_each_child(types_, "Default", [&](pugi::xml_node n) {
    if (type.empty() && equal_ignoring_case(n.attribute("Extension").value(), extension))
      type = n.attribute("ContentType").value();
  });
  return type;
}

void ContentTypes::remove_override(std::string_view part_name) {
  if (pugi::xml_node n = find_override(part_name)) {
    types_.remove_child(n);
    changed_ = true;
  }
}

void ContentTypes::add_override(std::string_view part_name, std::string_view type) {
  if (find_override(part_name)) return;
  pugi::xml_node n = types_.append_child(xml::qualified(types_, "Override").c_str());
  n.append_attribute("PartName") = ("/" + std::string(without_slash(part_name))).c_str();
  n.append_attribute("ContentType") = std::string(type).c_str();
  changed_ = true;
}

std::string ContentTypes::write() const { return xml::serialise(doc_, declaration_gap_); }

}  // namespace fenwarx
