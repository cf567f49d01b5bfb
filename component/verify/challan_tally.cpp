#include "verify/challan_tally.hpp"

#include <algorithm>

#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "state/return_object.hpp"

namespace fenwarx {
namespace {

double leading(Worksheet& sheet, int row, int column) {
  return leading_number_of(sheet.Cells(row, column).Value());
}

// Every data row of the deductee sheet, with the serial of the challan it names.
template <class Visit>
void each_deductee_row(Form form, Workbook& workbook, Visit visit) {
  const TableSheet<DeducteeColumn>& layout = workbook_layout(form).deductees;
  Worksheet& sheet = workbook.Worksheets(layout.name);
  module_state().deductee_sheet = &sheet;
  const int serial_column = layout.columns.of(DeducteeColumn::ChallanSerial);
  for (int row = layout.first_row; row <= layout.last_row; ++row) {
    if (trimmed(sheet.Cells(row, kDataColumn).ValueText()).empty()) break;
    visit(sheet, row, leading(sheet, row, serial_column));
  }
}

}  // namespace

std::size_t tallied_index(DeducteeColumn column) {
  return static_cast<std::size_t>(
      std::find(kTalliedColumns.begin(), kTalliedColumns.end(), column) - kTalliedColumns.begin());
}

DeducteeTally::DeducteeTally(Form form, Workbook& workbook) {
  const FieldTable<DeducteeColumn>& columns = workbook_layout(form).deductees.columns;
  std::array<int, kTalliedColumns.size()> summed{};
  for (std::size_t i = 0; i < summed.size(); ++i) summed[i] = columns.of(kTalliedColumns[i]);
  each_deductee_row(form, workbook, [&](Worksheet& sheet, int row, double serial) {
    ChallanTally& tally = by_serial_[serial];
    tally.count += 1;
    for (std::size_t i = 0; i < summed.size(); ++i) tally.sums[i] += leading(sheet, row, summed[i]);
  });
}

const ChallanTally& DeducteeTally::of(double serial) const {
  static const ChallanTally kNone;
  const auto found = by_serial_.find(serial);
  return found == by_serial_.end() ? kNone : found->second;
}

long long CountDeducteesForChallan(Form form, double serial, Workbook& workbook) {
  long long count = 0;
  each_deductee_row(form, workbook, [&](Worksheet&, int, double named) {
    if (named == serial) ++count;
  });
  return count;
}

double SumDeducteeColumnForChallan(Form form, double serial, Workbook& workbook, int column) {
  double sum = 0;
  each_deductee_row(form, workbook, [&](Worksheet& sheet, int row, double named) {
    if (named == serial) sum += leading(sheet, row, column);
  });
  return sum;
}

}  // namespace fenwarx
