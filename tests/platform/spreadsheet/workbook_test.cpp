// Addressing: Cells bounds and rounding, sheets by name, the status bar.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "platform/spreadsheet/memory_workbook.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx {
namespace {

struct Address {
  double row, column;
  int expect_row, expect_column;  // 0: RuntimeError 1004
};

class CellsAddress : public ::testing::TestWithParam<Address> {};

TEST_P(CellsAddress, RoundsHalvesToEvenAndChecksBounds) {
  const Address& a = GetParam();
  MemoryWorkbook wb;
  StoredSheet& sheet = wb.add_sheet("S");
  if (a.expect_row == 0) {
    try {
      sheet.Cells(a.row, a.column);
      FAIL() << a.row << ", " << a.column;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), err::kApplication);
    }
    return;
  }
  Cell cell = sheet.Cells(a.row, a.column);
  EXPECT_EQ(cell.row(), a.expect_row);
  EXPECT_EQ(cell.column(), a.expect_column);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Table, CellsAddress,
    ::testing::Values(Address{1, 1, 1, 1}, Address{1.5, 2.5, 2, 2}, Address{3.5, 0.6, 4, 1},
                      Address{2.4999, 1, 2, 1}, Address{kMaxRows, kMaxColumns, kMaxRows, kMaxColumns},
                      Address{kMaxRows + 0.5, 1, kMaxRows, 1}, Address{0, 1, 0, 0},
                      Address{0.5, 1, 0, 0}, Address{-1, 1, 0, 0}, Address{1, 0, 0, 0},
                      Address{kMaxRows + 1, 1, 0, 0}, Address{1, kMaxColumns + 1, 0, 0},
                      Address{kNaN, 1, 0, 0}, Address{1, kInf, 0, 0}, Address{1e300, 1, 0, 0}));

TEST(Worksheets, FindsByExactNameThenIgnoringCase) {
  MemoryWorkbook wb;
  StoredSheet& upper = wb.add_sheet("Deductor Details");
  StoredSheet& lower = wb.add_sheet("deductee details");
  StoredSheet& mixed = wb.add_sheet("Deductee Details");
  EXPECT_EQ(&wb.Worksheets("Deductor Details"), &upper);
  EXPECT_EQ(&wb.Worksheets("DEDUCTOR DETAILS"), &upper);
  EXPECT_EQ(&wb.Worksheets("Deductee Details"), &mixed);
  EXPECT_EQ(&wb.Worksheets("deductee details"), &lower);
  EXPECT_EQ(wb.sheet_names(),
            (std::vector<std::string>{"Deductor Details", "deductee details", "Deductee Details"}));
}

TEST(Worksheets, AMissingSheetIsSubscriptOutOfRange) {
  auto wb = layout({{"Challan Details", {}}});
  try {
    wb->Worksheets("Challan Detail");
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), 9);
    EXPECT_EQ(e.description(), "Subscript out of range");
  }
}

TEST(Layout, TypesEachCell) {
  auto wb = layout({{"Deductor Details", {{1, 2, "ABCD12345E"}, {32, 2, "Q1"}, {33, 2, "1,500"}}},
                    {"Other", {{1, 1, "01/04/2005"}}}});
  Worksheet& sheet = wb->Worksheets("Deductor Details");
  EXPECT_EQ(sheet.Cells(1, 2).Value(), Variant::text("ABCD12345E"));
  EXPECT_EQ(sheet.Cells(33, 2).Value(), Variant::number(1500));
  EXPECT_EQ(sheet.last_row(), 33);
  EXPECT_EQ(sheet.last_column(), 2);
  EXPECT_EQ(wb->Worksheets("Other").Cells(1, 1).Value().type(), VariantType::Date);
}

TEST(StatusBar, StoresAndNotifies) {
  MemoryWorkbook wb;
  std::vector<std::string> heard;
  wb.GetApplication().SetStatusBar("quiet");
  wb.GetApplication().set_listener([&](const std::string& text) { heard.push_back(text); });
  wb.GetApplication().SetStatusBar("Checking row 10");
  wb.GetApplication().SetStatusBar("");
  EXPECT_EQ(wb.GetApplication().StatusBar(), "");
  EXPECT_EQ(heard, (std::vector<std::string>{"Checking row 10", ""}));
}

}  // namespace
}  // namespace fenwarx
