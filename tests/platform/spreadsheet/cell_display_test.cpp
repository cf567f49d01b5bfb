// Cell::Text: the value as the cell's number format shows it.
#include <gtest/gtest.h>

#include "platform/spreadsheet/memory_workbook.hpp"

namespace fenwarx {
namespace {

struct Shown {
  Variant stored;
  const char* format;
  const char* text;
};

class CellDisplay : public ::testing::TestWithParam<Shown> {};

TEST_P(CellDisplay, TextFollowsTheFormat) {
  const Shown& s = GetParam();
  MemoryWorkbook wb;
  StoredSheet& sheet = wb.add_sheet("S");
  sheet.set_number_format(1, 1, s.format);
  sheet.store_value(1, 1, s.stored);
  EXPECT_EQ(sheet.Cells(1, 1).Text(), s.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CellDisplay,
    ::testing::Values(Shown{Variant(), "0.00", ""}, Shown{Variant::number(12), "0.00", "12.00"},
                      Shown{Variant::number(2.345), "0.00", "2.35"},
                      Shown{Variant::number(38443), "dd/mm/yyyy", "01/04/2005"},
                      Shown{Variant::number(38443.75), "dd/mm/yyyy", "01/04/2005"},
                      Shown{Variant::number(12.5), "General", "12.5"},
                      Shown{Variant::text(" AB "), "General", " AB "},
                      Shown{Variant::boolean(true), "General", "TRUE"},
                      Shown{Variant::boolean(false), "0.00", "FALSE"},
                      Shown{Variant::error(cell_error::kNA), "General", "#N/A"}));

}  // namespace
}  // namespace fenwarx
