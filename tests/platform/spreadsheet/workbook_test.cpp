// Addressing: Cells bounds and rounding, sheets by name, the status bar.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/spreadsheet/memory_workbook.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx {
namespace {

TEST(CellsAddress, RoundsHalvesToEvenAndChecksBounds) {
  const struct {
    double row, column;
    int expect_row, expect_column;  // 0: RuntimeError 1004
  } cases[] = {
      {1, 1, 1, 1}, {1.5, 2.5, 2, 2}, {3.5, 0.6, 4, 1}, {2.4999, 1, 2, 1},
      {kMaxRows, kMaxColumns, kMaxRows, kMaxColumns}, {kMaxRows + 0.5, 1, kMaxRows, 1},
      {0, 1, 0, 0}, {0.5, 1, 0, 0}, {-1, 1, 0, 0}, {1, 0, 0, 0}, {kMaxRows + 1, 1, 0, 0},
      {1, kMaxColumns + 1, 0, 0}, {NAN, 1, 0, 0}, {1, INFINITY, 0, 0}, {1e300, 1, 0, 0},
  };
  MemoryWorkbook wb;
  StoredSheet& sheet = wb.add_sheet("S");
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.row << ", " << c.column);
    try {
      const Cell cell = sheet.Cells(c.row, c.column);
      EXPECT_EQ(cell.row(), c.expect_row);
      EXPECT_EQ(cell.column(), c.expect_column);
    } catch (const RuntimeError& e) {
      EXPECT_EQ(c.expect_row, 0) << e.description();
      EXPECT_EQ(e.number(), err::kApplication);
    }
  }
}

TEST(Worksheets, FindsByExactNameThenIgnoringCaseElseSubscriptOutOfRange) {
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
  try {
    wb.Worksheets("Deductor Detail");
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
