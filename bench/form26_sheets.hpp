#pragma once
// The four sheets of a Form 26 quarterly return filled with realistic, seeded
// data: deductor details, challans, deductees and the state codes.
#include <string>

#include "sheet_xml.hpp"

namespace fenwarx::bench {

inline constexpr int kMaxDeductees = 65534;  // what one sheet of the old format held

struct Form26Sheets {
  std::string deductor, challans, deductees, states;  // worksheet parts
};

// Same arguments, same parts. Deductees are spread over the challans in blocks;
// the challans' counts and sums and the deductor's control totals agree with them.
Form26Sheets make_form26_sheets(int deductees, int challans, SharedStrings& strings);

}  // namespace fenwarx::bench
