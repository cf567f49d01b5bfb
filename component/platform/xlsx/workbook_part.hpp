#pragma once
// xl/workbook.xml: the sheets in tab order, the date system, and the calculation
// settings a save may have to change.
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace fenwarx {

struct SheetEntry {
  std::string name;
  std::string relationship_id;  // r:id, resolved through the workbook's relationships
};

class WorkbookPart {
 public:
  WorkbookPart(std::string part_name, std::string_view xml);  // RuntimeError 1004 when malformed

  const std::string& part_name() const noexcept { return part_name_; }
  // Every <sheet> of <sheets>; chart and dialog sheets are told apart by relationship type.
  const std::vector<SheetEntry>& sheets() const noexcept { return sheets_; }
  bool date1904() const noexcept { return date1904_; }

  // Makes the application recalculate every formula when it next opens the file.
  void set_full_calc_on_load();

  bool changed() const noexcept { return changed_; }
  std::string write() const;

 private:
  std::string part_name_;
  pugi::xml_document doc_;
  std::string declaration_gap_;
  pugi::xml_node workbook_;
  std::vector<SheetEntry> sheets_;
  bool date1904_ = false;
  bool changed_ = false;
};

}  // namespace fenwarx
