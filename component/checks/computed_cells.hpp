#pragma once
// A number the verification computes into a cell (a sum, a count, a control
// total) is written to show as a number. A cell that once held a typed date keeps
// its date format, under which the number would read back as a date, and the
// next read would take that date's day for it: 100 became "09/04/1900", then 9.
#include "platform/values/variant.hpp"

namespace fenwarx {

class ReturnObject;

// `value` into (row, column) of the current sheet, a date format there first
// replaced by "General".
void write_computed(ReturnObject& self, double row, double column, const Variant& value);

}  // namespace fenwarx
