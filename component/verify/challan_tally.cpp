#include "verify/challan_tally.hpp"

#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "returns/return_object.hpp"

namespace fenwarx {
namespace {

constexpr int kFirstDeducteeRow = 3;
// The deductee walk's last row: a full sheet's last deductee belongs to its
// challan's count and sums as much as to the records the export writes under it.
constexpr int kLastDeducteeRow = 65536;

double leading(Worksheet& sheet, int row, int column) {
  return leading_number(sheet.Cells(row, column).Value().to_text());
}

// Every data row of the deductee sheet, with the serial of the challan it names.
template <class Visit>
void each_deductee_row(const FormProfile& profile, Workbook& workbook, Visit visit) {
  Worksheet& sheet = workbook.Worksheets(profile.deductee_sheet);
  module_state().deductee_sheet = &sheet;
  const int serial_column = tallied_columns(profile.form).serial;
  for (int row = kFirstDeducteeRow; row <= kLastDeducteeRow; ++row) {
    if (trimmed(sheet.Cells(row, 1).Value().to_text()).empty()) break;
    visit(sheet, row, leading(sheet, row, serial_column));
  }
}

}  // namespace

const TalliedColumns& tallied_columns(Form form) {
  static const TalliedColumns kForm24{12, {8, 9, 10, 11, 13}};
  static const TalliedColumns kForm26{19, {11, 12, 13, 14, 16}};
  static const TalliedColumns kForm27EQ{20, {12, 13, 14, 15, 17}};
  switch (form) {
    case Form::F24: return kForm24;
    case Form::F27EQ: return kForm27EQ;
    default: return kForm26;
  }
}

DeducteeTally::DeducteeTally(const FormProfile& profile, Workbook& workbook) {
  const TalliedColumns& columns = tallied_columns(profile.form);
  each_deductee_row(profile, workbook, [&](Worksheet& sheet, int row, double serial) {
    ChallanTally& tally = by_serial_[serial];
    tally.count += 1;
    for (std::size_t i = 0; i < columns.summed.size(); ++i)
      tally.sums[i] += leading(sheet, row, columns.summed[i]);
  });
}

const ChallanTally& DeducteeTally::of(double serial) const {
  static const ChallanTally kNone;
  const auto found = by_serial_.find(serial);
  return found == by_serial_.end() ? kNone : found->second;
}

long long CountDeducteesForChallan(const FormProfile& profile, double serial, Workbook& workbook) {
  long long count = 0;
  each_deductee_row(profile, workbook, [&](Worksheet&, int, double named) {
    if (named == serial) ++count;
  });
  return count;
}

double SumDeducteeColumnForChallan(const FormProfile& profile, double serial, Workbook& workbook,
                                   int column) {
  double sum = 0;
  each_deductee_row(profile, workbook, [&](Worksheet& sheet, int row, double named) {
    if (named == serial) sum += leading(sheet, row, column);
  });
  return sum;
}

}  // namespace fenwarx
