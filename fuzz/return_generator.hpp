#pragma once
// Whole returns built from fuzz input: a clean return of the form the first byte
// names, then changes typed over it, each drawn from a table of values that
// stress the checks (codes of the wrong shape, dates outside the quarter or in
// other spellings, halves, negatives, huge numbers, error values, carets, letters
// outside ASCII, gaps). Cells are placed by the layout tables, so one generator
// serves the four forms.
#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

#include "layout/forms.hpp"
#include "platform/spreadsheet/memory_workbook.hpp"

namespace fenwarx::fuzzing {

struct GeneratedReturn {
  Form form;
  std::vector<LaidSheet> sheets;
};

GeneratedReturn generate_return(FuzzedDataProvider& input);

}  // namespace fenwarx::fuzzing
