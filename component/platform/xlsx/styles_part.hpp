#pragma once
// xl/styles.xml as a StyleBook: style i is cellXfs entry i. Derived styles are
// clones of an <xf> with one thing changed, appended once per (style, change);
// everything else in the part is left as it was. Fill colours read as the rgb or
// indexed colour they name, the colours the component writes and compares.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/spreadsheet/style_book.hpp"

namespace fenwarx {

class XlsxStyleBook : public StyleBook {
 public:
  // RuntimeError 1004 when malformed.
  XlsxStyleBook(std::string part_name, std::string_view xml);

  std::string number_format(std::uint32_t style) const override;
  bool is_date(std::uint32_t style) const override;
  std::uint32_t fill_color(std::uint32_t style) const override;
  std::uint32_t with_number_format(std::uint32_t style, std::string_view code) override;
  std::uint32_t with_fill_color(std::uint32_t style, std::uint32_t color) override;

  const std::string& part_name() const noexcept { return part_name_; }
  std::size_t style_count() const noexcept { return xfs_.size(); }
  bool changed() const noexcept { return changed_; }
  std::string write() const;

 private:
  pugi::xml_node xf(std::uint32_t style) const;
  std::optional<std::uint32_t> color_of(const pugi::xml_node& color) const;
  std::string read_number_format(std::uint32_t style) const;
  void add_caches();
  std::uint32_t compute_fill_color(std::uint32_t style) const;
  std::uint32_t number_format_id(std::string_view code);
  std::uint32_t fill_id(std::uint32_t color);
  pugi::xml_node section(std::string_view name, std::initializer_list<std::string_view> after);
  std::uint32_t clone_xf(std::uint32_t style, const char* attribute, std::uint32_t value,
                         const char* apply);

  std::string part_name_;
  pugi::xml_document doc_;
  std::string declaration_gap_;
  pugi::xml_node sheet_;
  std::map<std::uint32_t, std::string> custom_formats_;
  std::vector<pugi::xml_node> xfs_;
  std::vector<pugi::xml_node> fills_;
  std::array<std::uint32_t, 66> palette_;

  mutable std::vector<std::int8_t> date_cache_;                   // -1 unknown
  mutable std::vector<std::uint32_t> fill_cache_;                 // kUnknownColor when not yet read
  mutable std::vector<std::optional<std::string>> format_cache_;  // the code, once read
  // By style: the style each code asked for gave, as few as a sheet's walk asks for.
  std::vector<std::vector<std::pair<std::string, std::uint32_t>>> format_memo_;
  std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint32_t> fill_memo_;
  std::map<std::uint32_t, std::uint32_t> fill_by_color_;
  bool changed_ = false;
};

}  // namespace fenwarx
