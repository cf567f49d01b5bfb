#pragma once
// The structural checker of return files: what a validation utility would reject
// before reading a value, and every total a record states about the records below
// it, and apart from those, warnings of values that do not fit together. It reads
// the bytes only; with the workbook the file came from, each finding and warning
// also names the sheet, row and column its record and field were taken from.
#include <string>
#include <string_view>
#include <vector>

#include "layout/forms.hpp"
#include "platform/spreadsheet/spreadsheet.hpp"

namespace fenwarx {

struct CheckFinding {
  long long line = 0;  // 1-based line of the file; 0 for the file as a whole
  int field = 0;       // 1-based field of that record; 0 for the whole line
  std::string message;
  // Where the value came from, when the workbook was given and the place is known.
  std::string sheet;
  int row = 0, column = 0;
};

// Where a CD record stands; the lines up to the next one are its DD records.
struct CheckedChallan {
  long long line = 0;
  bool nil = false;  // field 6 "Y"
};

struct CheckReport {
  long long lines = 0;
  std::vector<CheckFinding> findings;  // in line order
  // What a validation utility accepts but is unlikely to be meant (a deduction
  // outside the quarter, a tax that is not the rate of the amount ...), in line
  // order; none on a field that has a finding.
  std::vector<CheckFinding> warnings;
  std::vector<CheckedChallan> challans;  // in file order, for locate_findings
};

CheckReport check_return_file(std::string_view bytes);

// Fills sheet, row and column of each finding and warning from the workbook of
// `form`: the cell the export took the field's text from, by the record tables.
void locate_findings(CheckReport& report, Workbook& workbook, Form form);

}  // namespace fenwarx
