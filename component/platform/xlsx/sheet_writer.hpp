#pragma once
// Writing a worksheet part back: untouched rows and cells as their original
// bytes, changed ones serialised from the CellStore.
#include <string>
#include <string_view>

#include "platform/spreadsheet/cell_store.hpp"
#include "platform/xlsx/sheet_layout.hpp"

namespace fenwarx {

// The part's new XML. `xml` and `layout` are what the scanner read and found.
std::string write_sheet(std::string_view xml, const SheetLayout& layout, const CellStore& store,
                        const TextPool& texts);

}  // namespace fenwarx
