#pragma once
// [Content_Types].xml: the content type of each part, by override or extension.
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace fenwarx {

inline constexpr std::string_view kContentTypesPart = "[Content_Types].xml";

namespace content_type {
inline constexpr std::string_view kStyles =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";
}  // namespace content_type

class ContentTypes {
 public:
  explicit ContentTypes(std::string_view xml);  // RuntimeError 1004 when malformed

  // The type of a part ("xl/workbook.xml", leading "/" optional; case ignored);
  // "" when neither an override nor a default names it.
  std::string of(std::string_view part_name) const;
  void remove_override(std::string_view part_name);
  void add_override(std::string_view part_name, std::string_view type);

  bool changed() const noexcept { return changed_; }
  std::string write() const;

 private:
  pugi::xml_node find_override(std::string_view part_name) const;

  pugi::xml_document doc_;
  std::string declaration_gap_;
  pugi::xml_node types_;
  bool changed_ = false;
};

}  // namespace fenwarx
