#include "checks/computed_cells.hpp"

#include "state/return_object.hpp"

namespace fenwarx {

void write_computed(ReturnObject& self, double row, double column, const Variant& value) {
  Cell cell = self.cell(row, column);
  if (self.current_sheet->has_date_format(static_cast<int>(row), static_cast<int>(column)))
    cell.SetNumberFormat("General");
  cell.SetValue(value);
}

}  // namespace fenwarx
