#pragma once
// Where things are in a worksheet part's XML, as the scanner found them: what the
// writer needs to copy untouched bytes and rewrite the rest.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/spreadsheet/cell_reference.hpp"

namespace fenwarx {

struct RowSpan {
  std::uint64_t begin = 0;       // the '<' of its start tag
  std::uint32_t tag_length = 0;  // its start tag
  std::uint32_t length = 0;      // the whole element
  std::uint32_t row = 0;
  bool self_closing = false;
  bool has_reference = true;        // carries r="N"
  bool cells_unreferenced = false;  // some cell has no r attribute
};

// A shared formula group: the master's formula text and the cells that use it.
struct SharedFormula {
  CellAddress master;  // row 0 until the master is read
  std::string text;    // decoded
  std::vector<CellAddress> dependents;
};

struct SheetLayout {
  static constexpr std::size_t kNone = ~std::size_t{0};

  std::string prefix;             // the main namespace's prefix with its ':', often empty
  std::size_t data_begin = 0;     // '<' of the sheetData start tag
  std::size_t content_begin = 0;  // just past that start tag
  std::size_t content_end = 0;    // '<' of </sheetData>; content_begin when self-closing
  std::size_t data_end = 0;       // just past the sheetData element
  bool data_self_closing = false;
  std::size_t dimension_begin = kNone;  // the dimension's ref value
  std::size_t dimension_end = kNone;
  std::vector<RowSpan> rows;
  std::map<std::uint32_t, SharedFormula> shared;  // by si
};

}  // namespace fenwarx
