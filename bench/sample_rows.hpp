#pragma once
// A sample return's records as the cells of each sheet of its form's layout.
#include <vector>

#include "sample_return.hpp"
#include "templates/sheet_frames.hpp"

namespace fenwarx::bench {

using Row = std::vector<templates::CellValue>;  // column N is [N - 1]

std::vector<templates::CellValue> deductor_values(const SampleReturn& data);  // rows 1 to 43
void challan_row(const SampleReturn& data, int index, Row& row);
void deductee_row(const SampleReturn& data, int index, Row& row);
// Form 24: one salary row per employee; perquisites for every fourth employee.
void salary_row(const SampleReturn& data, int index, Row& row);
bool has_perquisites(int index);
void perquisite_row(const SampleReturn& data, int index, Row& row);

}  // namespace fenwarx::bench
