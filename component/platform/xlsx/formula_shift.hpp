#pragma once
// Moving an A1 formula to another cell, as copying it there would: relative
// references follow the move, absolute ones ($A$1) stay.
#include <string>
#include <string_view>

namespace fenwarx {

// `formula` moved by `rows` down and `columns` right. Cells (A1, $A1, A$1), ranges
// (A1:B2), whole columns (A:C) and rows (1:3), also after a sheet name, are moved;
// string literals, function and defined names, booleans and structured references
// in [...] are not. A reference moved off the sheet becomes #REF!.
std::string shift_formula(std::string_view formula, int rows, int columns);

}  // namespace fenwarx
