#include "platform/xlsx/relationships.hpp"

#include <algorithm>

#include "platform/values/ascii.hpp"
#include "platform/xlsx/package_xml.hpp"

namespace fenwarx {

std::string relationships_part_for(std::string_view source_part) {
  auto slash = source_part.rfind('/');
  std::string_view folder =
      slash == std::string_view::npos ? std::string_view{} : source_part.substr(0, slash + 1);
  std::string_view leaf =
      slash == std::string_view::npos ? source_part : source_part.substr(slash + 1);
  return std::string(folder) + "_rels/" + std::string(leaf) + ".rels";
}

std::string resolve_target(std::string_view source_part, std::string_view target) {
  std::string path;
  if (!target.empty() && target.front() == '/') {
    path = std::string(target.substr(1));
  } else {
    auto slash = source_part.rfind('/');
    if (slash != std::string_view::npos) path = std::string(source_part.substr(0, slash + 1));
    path += target;
  }
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string segment = path.substr(start, end - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(std::move(segment));
    }
    start = end + 1;
  }
  std::string out;
  for (const auto& segment : segments) {
    if (!out.empty()) out += '/';
    out += segment;
  }
  return out;
}

Relationships::Relationships(std::string part_name, std::string_view xml,
                             std::string_view source_part)
    : part_name_(std::move(part_name)), source_part_(source_part) {
  declaration_gap_ = xml::parse_part(doc_, xml, part_name_);
  root_ = xml::root(doc_, "Relationships", part_name_);
  xml::for_each_child(root_, "Relationship", [&](pugi::xml_node n) {
    Relationship rel{
        n.attribute("Id").value(), n.attribute("Type").value(), n.attribute("Target").value(), {}};
    if (!equal_ignoring_case(n.attribute("TargetMode").value(), "External"))
      rel.part = resolve_target(source_part_, rel.target);
    list_.push_back(std::move(rel));
  });
}

const Relationship* Relationships::find_id(std::string_view id) const {
  for (const auto& rel : list_)
    if (rel.id == id) return &rel;
  return nullptr;
}

bool Relationships::is_kind(const Relationship& rel, std::string_view kind) {
  std::string_view type = rel.type;
  return type.size() > kind.size() && type.substr(type.size() - kind.size()) == kind &&
         type[type.size() - kind.size() - 1] == '/';
}

const Relationship* Relationships::find_kind(std::string_view kind) const {
  for (const auto& rel : list_)
    if (is_kind(rel, kind)) return &rel;
  return nullptr;
}

void Relationships::remove(std::string_view id) {
  pugi::xml_node found;
  xml::for_each_child(root_, "Relationship", [&](pugi::xml_node n) {
    if (!found && id == n.attribute("Id").value()) found = n;
  });
  if (!found) return;
  root_.remove_child(found);
  list_.erase(std::remove_if(list_.begin(), list_.end(),
                             [&](const Relationship& rel) { return rel.id == id; }),
              list_.end());
  changed_ = true;
}

std::string Relationships::add(std::string_view type, std::string_view target) {
  std::string id;
  for (int n = static_cast<int>(list_.size()) + 1;; ++n) {
    id = "rId" + std::to_string(n);
    if (!find_id(id)) break;
  }
  pugi::xml_node node = root_.append_child(xml::qualified(root_, "Relationship").c_str());
  node.append_attribute("Id") = id.c_str();
  node.append_attribute("Type") = std::string(type).c_str();
  node.append_attribute("Target") = std::string(target).c_str();
  list_.push_back(
      {id, std::string(type), std::string(target), resolve_target(source_part_, target)});
  changed_ = true;
  return id;
}

std::string Relationships::write() const { return xml::serialise(doc_, declaration_gap_); }

}  // namespace fenwarx
