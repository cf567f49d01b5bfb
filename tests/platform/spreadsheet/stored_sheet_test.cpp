// Change tracking, row styles and fills: what the file writer relies on.
#include <gtest/gtest.h>

#include "platform/spreadsheet/memory_style_book.hpp"
#include "platform/spreadsheet/stored_sheet.hpp"

namespace fenwarx {
namespace {

struct SheetTest : ::testing::Test {
  std::shared_ptr<MemoryStyleBook> styles = std::make_shared<MemoryStyleBook>();
  std::shared_ptr<TextPool> texts = std::make_shared<TextPool>();
  StoredSheet sheet{"S", texts, styles};

  // A cell as the codec loads it: unchanged.
  void load(int row, int column, CellKind kind = CellKind::Number, std::uint8_t flags = 0) {
    sheet.store().append(row, {.number = 7, .column = std::uint32_t(column), .kind = kind,
                               .flags = flags});
  }
  std::uint8_t flags(int row, int column) const { return sheet.store().find(row, column)->flags; }
};

TEST_F(SheetTest, WritesFlagTheCellAndMarkItsRow) {
  load(1, 3, CellKind::Empty, cell_flag::kFormula);  // a formula with no cached value
  load(2, 2);
  load(4, 2);
  load(5, 1);
  sheet.set_interior_color(5, 1, kColorNone);
  EXPECT_FALSE(sheet.store().any_changed()) << "the same style is no change";
  sheet.store_value(1, 3, Variant());
  sheet.store_value(2, 2, Variant());
  sheet.store_value(4, 2, Variant::text("x"));
  sheet.set_interior_color(5, 1, kColorError);
  EXPECT_EQ(flags(1, 3), cell_flag::kFormula | cell_flag::kValueChanged);
  EXPECT_EQ(flags(2, 2), cell_flag::kValueChanged);
  EXPECT_EQ(flags(4, 2), cell_flag::kValueChanged);
  EXPECT_EQ(flags(5, 1), cell_flag::kStyleChanged);
  EXPECT_TRUE(sheet.stored_value(2, 2).is_empty());
  EXPECT_EQ(texts->at(sheet.store().find(4, 2)->text), "x");
  for (int row : {1, 2, 4, 5}) EXPECT_TRUE(sheet.store().row_changed(row)) << row;
  EXPECT_FALSE(sheet.store().row_changed(3));
}

TEST_F(SheetTest, NothingOverNothingChangesNothing) {
  sheet.store_value(9, 9, Variant());
  sheet.Cells(9, 9).SetValue(Variant::text(""));
  sheet.set_number_format(3, 1, "General");
  sheet.set_interior_color(3, 1, kColorNone);
  EXPECT_EQ(sheet.store().cell_count(), 0u);
  EXPECT_FALSE(sheet.store().any_changed());
  EXPECT_EQ(sheet.last_row(), 0);
  EXPECT_EQ(sheet.last_column(), 0);
}

TEST_F(SheetTest, AMissingCellTakesItsRowStyle) {
  const std::uint32_t dated = styles->with_number_format(0, "dd/mm/yyyy");
  sheet.store().set_row_style(6, dated);
  EXPECT_EQ(sheet.number_format(6, 4), "dd/mm/yyyy");
  EXPECT_EQ(sheet.number_format(7, 4), "General");
  sheet.Cells(6, 4).SetValue(Variant::text("01/04/2005"));
  EXPECT_EQ(sheet.store().find(6, 4)->style, dated);
  EXPECT_EQ(sheet.store().find(6, 4)->flags, cell_flag::kValueChanged);
  EXPECT_EQ(sheet.stored_value(6, 4), Variant::number(38443));
}

TEST_F(SheetTest, PaintAndClear) {
  Cell cell = sheet.Cells(2, 3);
  EXPECT_EQ(cell.InteriorColor(), kColorNone);
  EXPECT_EQ(cell.NumberFormat(), "General");
  for (std::uint32_t color : {kColorError, kColorEndOfData, kColorNone}) {
    cell.SetInteriorColor(color);
    EXPECT_EQ(cell.InteriorColor(), color);
  }
  EXPECT_EQ(sheet.store().find(2, 3)->style, 0u) << "unfilled General is style 0 again";
}

TEST_F(SheetTest, FillFormatAndValueAreIndependent) {
  Cell cell = sheet.Cells(1, 1);
  cell.SetNumberFormat("0.00");
  cell.SetInteriorColor(kColorError);
  EXPECT_EQ(cell.NumberFormat(), "0.00");
  for (const char* typed : {"12", "01/04/2005", "abc", "TRUE", ""}) {
    cell.SetValue(Variant::text(typed));
    EXPECT_EQ(cell.InteriorColor(), kColorError) << typed;
  }
  cell.SetNumberFormat("d-mmm-yy");
  EXPECT_TRUE(sheet.has_date_format(1, 1));
  EXPECT_EQ(cell.InteriorColor(), kColorError);
}

TEST_F(SheetTest, PaintingManyCellsMakesOneDerivedStyle) {
  const std::size_t before = styles->size();
  for (int row = 1; row <= 1000; ++row) sheet.Cells(row, 2).SetInteriorColor(kColorError);
  EXPECT_EQ(styles->size(), before + 1);
  EXPECT_EQ(sheet.store().find(1, 2)->style, sheet.store().find(1000, 2)->style);
}

TEST(MemoryStyleBookTest, UnknownIndexIsStyleZeroAndDateFormatsAreRecognised) {
  MemoryStyleBook styles;
  EXPECT_EQ(styles.number_format(77), "General");
  EXPECT_EQ(styles.fill_color(77), kColorNone);
  EXPECT_FALSE(styles.is_date(77));
  EXPECT_EQ(styles.with_fill_color(77, kColorNone), 0u);
  EXPECT_TRUE(styles.is_date(styles.with_number_format(0, "dd/mm/yyyy")));
  EXPECT_FALSE(styles.is_date(styles.with_number_format(0, "0.00")));
  EXPECT_EQ(styles.with_number_format(0, ""), 0u) << "an empty code is General";
}

TEST(CellStoreTest, AppendKeepsColumnsInOrderAndARepeatedReferenceReplacesTheRecord) {
  CellStore store;
  for (int column : {2, 5, 3, 9, 1})
    store.append(4, {.number = 1, .column = static_cast<std::uint32_t>(column)});
  store.append(4, {.number = 2, .column = 3});
  std::vector<std::uint32_t> columns;
  for (const CellRecord& r : *store.row(4)) columns.push_back(r.column);
  EXPECT_EQ(columns, (std::vector<std::uint32_t>{1, 2, 3, 5, 9}));
  EXPECT_EQ(store.cell_count(), 5u);
  EXPECT_EQ(store.row_count(), 4);
  EXPECT_EQ(store.last_column(), 9);
  EXPECT_EQ(store.find(4, 3)->number, 2);
  for (auto [row, column] : {std::pair{4, 4}, {4, 10}, {3, 1}, {5, 1}})
    EXPECT_EQ(store.find(row, column), nullptr) << row << ", " << column;
  EXPECT_EQ(store.row(2)->size(), 0u);
}

TEST(CellStoreTest, GetOrInsertReturnsTheSameRecord) {
  CellStore store;
  CellRecord& made = store.get_or_insert(2, 7, 3);
  EXPECT_EQ(made.style, 3u);
  made.number = 11;
  EXPECT_EQ(store.get_or_insert(2, 7).number, 11);
  store.get_or_insert(2, 1);
  EXPECT_EQ(store.find(2, 7)->number, 11);
  EXPECT_EQ(store.cell_count(), 2u);
}

}  // namespace
}  // namespace fenwarx
