#pragma once
// What the deductee sheet holds for each challan: how many rows name it and the
// sums of the tax columns the challan sheet repeats. A row names a challan by the
// leading number of its challan-serial column; the rows end at the first one
// whose column 1 is empty, where the deductee walk ends them too.
#include <array>
#include <unordered_map>

#include "layout/workbook_layout.hpp"
#include "platform/spreadsheet/spreadsheet.hpp"

namespace fenwarx {

// The deductee columns a challan repeats, in the order of the challan's own
// columns: three tax parts, the tax deducted and the tax deposited.
inline constexpr std::array<DeducteeColumn, 5> kTalliedColumns{
    DeducteeColumn::Tds, DeducteeColumn::Surcharge, DeducteeColumn::Cess, DeducteeColumn::TotalTax,
    DeducteeColumn::TaxDeposited};
// Where `column` stands in kTalliedColumns.
std::size_t tallied_index(DeducteeColumn column);

struct ChallanTally {
  long long count = 0;
  std::array<double, kTalliedColumns.size()> sums{};
};

// One pass over the deductee sheet of `form`, keyed by serial.
class DeducteeTally {
 public:
  DeducteeTally(Form form, Workbook& workbook);
  const ChallanTally& of(double serial) const;

 private:
  std::unordered_map<double, ChallanTally> by_serial_;
};

// The documented one-challan functions: they open the deductee sheet into the
// thread's module state and scan it for one serial. `column` is a deductee column.
long long CountDeducteesForChallan(Form form, double serial, Workbook& workbook);
double SumDeducteeColumnForChallan(Form form, double serial, Workbook& workbook, int column);

}  // namespace fenwarx
