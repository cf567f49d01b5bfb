#pragma once
// The typical mistakes `generate --mistakes` plants in an otherwise clean sample,
// each in a fixed cell so the verification's findings can be documented.
#include <string_view>
#include <vector>

#include "sample_return.hpp"
#include "templates/sheet_frames.hpp"

namespace fenwarx::bench {

enum class SampleSheet { Deductor, Challans, Deductees, Salaries, Perquisites };

struct Mistake {
  SampleSheet sheet;
  int row, column;
  templates::CellValue value;  // what is typed there instead
  std::string_view what;
};

// Those that fit the sample's size: deductee mistakes need 9 rows, challan ones
// 3; salary and perquisite ones 9 salary rows (Form 24, `salaries` of them).
std::vector<Mistake> plan_mistakes(const SampleReturn& data, int salaries = 0);

}  // namespace fenwarx::bench
