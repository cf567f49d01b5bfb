// Change tracking, row styles and fills, which the file writer relies on; addressing by
// Cells and sheets by name; the status bar.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/spreadsheet/memory_style_book.hpp"
#include "platform/spreadsheet/memory_workbook.hpp"
#include "platform/values/runtime_error.hpp"
#include "support/error_of.hpp"

namespace fenwarx {
namespace {

struct SheetTest : ::testing::Test {
  std::shared_ptr<MemoryStyleBook> styles = std::make_shared<MemoryStyleBook>();
  std::shared_ptr<TextPool> texts = std::make_shared<TextPool>();
  StoredSheet sheet{"S", texts, styles};

  // A cell as the codec loads it: unchanged.
  void load(int row, int column, CellKind kind = CellKind::Number, std::uint8_t flags = 0) {
    sheet.store().append(
        row, {.number = 7, .column = std::uint32_t(column), .kind = kind, .flags = flags});
  }
  std::uint8_t flags(int row, int column) const { return sheet.store().find(row, column)->flags; }
};

TEST_F(SheetTest, WritesFlagTheCellAndMarkItsRow) {
  load(1, 3, CellKind::Empty, cell_flag::kFormula);  // a formula with no cached value
  for (auto [row, column] : {std::pair{2, 2}, {4, 2}, {5, 1}}) load(row, column);
  sheet.set_interior_color(5, 1, kColorNone);
  EXPECT_FALSE(sheet.store().any_changed()) << "the same style is no change";
  for (auto [row, column] : {std::pair{1, 3}, {2, 2}}) sheet.store_value(row, column, Variant());
  sheet.store_value(4, 2, Variant::text("x"));
  sheet.set_interior_color(5, 1, kColorError);
  EXPECT_EQ(flags(1, 3), cell_flag::kFormula | cell_flag::kValueChanged);
  EXPECT_TRUE(flags(2, 2) == cell_flag::kValueChanged && flags(4, 2) == cell_flag::kValueChanged);
  EXPECT_EQ(flags(5, 1), cell_flag::kStyleChanged);
  EXPECT_TRUE(sheet.stored_value(2, 2).is_empty());
  EXPECT_EQ(texts->at(sheet.store().find(4, 2)->text), "x");
  for (int row : {1, 2, 4, 5}) EXPECT_TRUE(sheet.store().row_changed(row)) << row;
  EXPECT_FALSE(sheet.store().row_changed(3));
}

TEST_F(SheetTest, NothingOverNothingChangesNothing) {
  sheet.store_value(9, 9, Variant());
  sheet.Cells(9, 9).SetValue(Variant::text(""));
  sheet.set_number_format(3, 1, "General");  // the style a missing cell has already
  sheet.set_interior_color(3, 1, kColorNone);
  EXPECT_TRUE(sheet.store().cell_count() == 0 && sheet.last_row() == 0 &&
              !sheet.store().any_changed());
}

TEST_F(SheetTest, AMissingCellTakesItsRowStyle) {
  const std::uint32_t dated = styles->with_number_format(0, "dd/mm/yyyy");
  sheet.store().set_row_style(6, dated);
  EXPECT_TRUE(sheet.number_format(6, 4) == "dd/mm/yyyy" && sheet.number_format(7, 4) == "General");
  sheet.Cells(6, 4).SetValue(Variant::text("01/04/2005"));
  EXPECT_TRUE(sheet.store().find(6, 4)->style == dated && flags(6, 4) == cell_flag::kValueChanged);
  EXPECT_EQ(sheet.stored_value(6, 4), Variant::number(38443));
}

TEST_F(SheetTest, FillFormatAndValueAreIndependentAndClearingTheFillRestoresStyleZero) {
  Cell cell = sheet.Cells(1, 1);
  cell.SetNumberFormat("0.00");
  cell.SetInteriorColor(kColorError);
  for (const char* typed : {"12", "01/04/2005", "abc", "TRUE", ""}) {
    cell.SetValue(Variant::text(typed));
    EXPECT_EQ(cell.InteriorColor(), kColorError) << typed;
  }
  cell.SetNumberFormat("d-mmm-yy");
  EXPECT_TRUE(sheet.has_date_format(1, 1) && cell.InteriorColor() == kColorError);
  Cell plain = sheet.Cells(2, 3);
  for (std::uint32_t color : {kColorError, kColorEndOfData, kColorNone}) {
    plain.SetInteriorColor(color);
    EXPECT_EQ(plain.InteriorColor(), color);
  }
  EXPECT_EQ(sheet.store().find(2, 3)->style, 0u) << "unfilled General is style 0 again";
}

TEST_F(SheetTest, PaintingManyCellsMakesOneDerivedStyle) {
  const std::size_t before = styles->size();
  for (int row = 1; row <= 1000; ++row) sheet.Cells(row, 2).SetInteriorColor(kColorError);
  EXPECT_EQ(styles->size(), before + 1);
  EXPECT_EQ(sheet.store().find(1, 2)->style, sheet.store().find(1000, 2)->style);
}

TEST(MemoryStyleBookTest, UnknownIndexIsStyleZeroAndDateFormatsAreRecognised) {
  MemoryStyleBook styles;
  EXPECT_TRUE(styles.number_format(77) == "General" && styles.fill_color(77) == kColorNone &&
              !styles.is_date(77));
  EXPECT_EQ(styles.with_fill_color(77, kColorNone), 0u);
  EXPECT_TRUE(styles.is_date(styles.with_number_format(0, "dd/mm/yyyy")));
  EXPECT_EQ(styles.with_number_format(0, ""), 0u) << "an empty code is General";
}

TEST(CellStoreTest, KeepsColumnsInOrderAndARepeatedReferenceReplacesTheRecord) {
  CellStore store;
  for (int column : {2, 5, 3, 9, 1})
    store.append(4, {.number = 1, .column = static_cast<std::uint32_t>(column)});
  store.append(4, {.number = 2, .column = 3});
  std::vector<std::uint32_t> columns;
  for (const CellRecord& r : *store.row(4)) columns.push_back(r.column);
  EXPECT_EQ(columns, (std::vector<std::uint32_t>{1, 2, 3, 5, 9}));
  EXPECT_TRUE(store.cell_count() == 5 && store.row_count() == 4 && store.last_column() == 9);
  EXPECT_EQ(store.find(4, 3)->number, 2);
  for (auto [row, column] : {std::pair{4, 4}, {4, 10}, {3, 1}, {5, 1}})
    EXPECT_EQ(store.find(row, column), nullptr);
  EXPECT_EQ(store.row(2)->size(), 0u);
  store.get_or_insert(2, 7, 3).number = 11;
  store.get_or_insert(2, 1);  // inserted before it in the row
  EXPECT_TRUE(store.get_or_insert(2, 7).number == 11 && store.find(2, 7)->style == 3);
  EXPECT_EQ(store.cell_count(), 7u);
}

TEST(CellsAddress, RoundsHalvesToEvenAndChecksBounds) {
  // clang-format off
  const struct { double row, column; int expect_row, expect_column; } cases[] = {
      // 0: RuntimeError 1004
      {1.5, 2.5, 2, 2}, {3.5, 0.6, 4, 1}, {2.4999, 1, 2, 1},
      {kMaxRows, kMaxColumns, kMaxRows, kMaxColumns}, {kMaxRows + 0.5, 1, kMaxRows, 1},
      {0.5, 1, 0, 0}, {-1, 1, 0, 0}, {1, 0, 0, 0}, {kMaxRows + 1, 1, 0, 0},
      {1, kMaxColumns + 1, 0, 0}, {NAN, 1, 0, 0}, {1, INFINITY, 0, 0}, {1e300, 1, 0, 0}};
  // clang-format on
  StoredSheet sheet{"S", std::make_shared<TextPool>(), std::make_shared<MemoryStyleBook>()};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.row << ", " << c.column);
    try {
      const Cell cell = sheet.Cells(c.row, c.column);
      EXPECT_TRUE(cell.row() == c.expect_row && cell.column() == c.expect_column);
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
  EXPECT_EQ(&wb.Worksheets("DEDUCTOR DETAILS"), &upper);
  EXPECT_EQ(&wb.Worksheets("Deductee Details"), &mixed);
  EXPECT_EQ(&wb.Worksheets("deductee details"), &lower);
  EXPECT_EQ(wb.sheet_names(),
            (std::vector<std::string>{"Deductor Details", "deductee details", "Deductee Details"}));
  EXPECT_EQ(testing::error_of([&] { wb.Worksheets("Deductor Detail"); }),
            "9 Subscript out of range: the workbook has no sheet 'Deductor Detail'");
}

TEST(Layout, TypesEachCellAndTheStatusBarNotifiesItsListener) {
  auto wb = layout({{"Deductor Details", {{1, 2, "ABCD12345E"}, {33, 2, "1,500"}}},
                    {"Other", {{1, 1, "01/04/2005"}}}});
  Worksheet& sheet = wb->Worksheets("Deductor Details");
  EXPECT_EQ(sheet.Cells(1, 2).Value(), Variant::text("ABCD12345E"));
  EXPECT_TRUE(sheet.Cells(33, 2).Value() == Variant::number(1500) && sheet.last_row() == 33);
  EXPECT_EQ(wb->Worksheets("Other").Cells(1, 1).Value().type(), VariantType::Date);
  std::vector<std::string> heard;
  wb->GetApplication().SetStatusBar("quiet");
  wb->GetApplication().set_listener([&](const std::string& text) { heard.push_back(text); });
  wb->GetApplication().SetStatusBar("Checking row 10");
  wb->GetApplication().SetStatusBar("");
  EXPECT_EQ(wb->GetApplication().StatusBar(), "");
  EXPECT_EQ(heard, (std::vector<std::string>{"Checking row 10", ""}));
}

}  // namespace
}  // namespace fenwarx
