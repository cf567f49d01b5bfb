#pragma once
// One worksheet part: the XML as loaded, its cells in the sheet's CellStore, and
// a writer that re-emits untouched rows and cells byte for byte and serialises
// only what the component changed.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/spreadsheet/stored_sheet.hpp"

namespace fenwarx {

class SheetPart {
 public:
  // Reads the cells of `xml` into `sheet.store()`: shared-string cells refer to
  // pool index = shared string index; inline strings are appended to the pool;
  // a formula cell holds its cached value; the s attribute is the style index.
  // Malformed XML or a cell reference beyond the sheet's limits is RuntimeError
  // 1004 naming the part and the byte offset.
  SheetPart(std::string part_name, std::string xml, StoredSheet& sheet);
  ~SheetPart();
  SheetPart(SheetPart&&) noexcept;

  const std::string& part_name() const noexcept;
  bool changed() const;              // any cell written or restyled since load
  bool formula_overwritten() const;  // a loaded formula cell was given a value
  // The part's new XML. Text values are written as inline strings (blanks kept);
  // when a shared formula's master is overwritten, each remaining dependent gets
  // the master's formula moved to its own cell, so the dependents keep working.
  std::string write() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace fenwarx
