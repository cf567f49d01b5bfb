#pragma once
// A .rels part: the relationships of one source part, with targets resolved to
// package part names (no leading "/"), as the zip entries are named.
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace fenwarx {

struct Relationship {
  std::string id;
  std::string type;    // the full type URI
  std::string target;  // as written
  std::string part;    // the resolved part name; empty for an external target
};

// "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels"; "" (the package) -> "_rels/.rels".
std::string relationships_part_for(std::string_view source_part);
// A target relative to the source part's folder, or absolute when it starts with "/";
// "." and ".." segments folded.
std::string resolve_target(std::string_view source_part, std::string_view target);

class Relationships {
 public:
  // RuntimeError 1004 when malformed.
  Relationships(std::string part_name, std::string_view xml, std::string_view source_part);

  const std::string& part_name() const noexcept { return part_name_; }
  const std::vector<Relationship>& all() const noexcept { return list_; }
  const Relationship* find_id(std::string_view id) const;
  // The first relationship whose type URI ends in "/KIND" (transitional or strict).
  const Relationship* find_kind(std::string_view kind) const;
  static bool is_kind(const Relationship& rel, std::string_view kind);

  void remove(std::string_view id);
  // Adds a relationship under an unused id and returns that id.
  std::string add(std::string_view type, std::string_view target);

  bool changed() const noexcept { return changed_; }
  std::string write() const;

 private:
  std::string part_name_;
  std::string source_part_;
  pugi::xml_document doc_;
  std::string declaration_gap_;
  pugi::xml_node root_;
  std::vector<Relationship> list_;
  bool changed_ = false;
};

}  // namespace fenwarx
