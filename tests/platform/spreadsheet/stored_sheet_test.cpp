// Change tracking and row styles: what the file writer relies on.
#include <gtest/gtest.h>

#include "platform/spreadsheet/memory_style_book.hpp"
#include "platform/spreadsheet/stored_sheet.hpp"

namespace fenwarx {
namespace {

struct Tracking : ::testing::Test {
  std::shared_ptr<MemoryStyleBook> styles = std::make_shared<MemoryStyleBook>();
  std::shared_ptr<TextPool> texts = std::make_shared<TextPool>();
  StoredSheet sheet{"S", texts, styles};

  // A cell as the codec loads it: unchanged, with a value.
  void load(int row, int column, double number, std::uint8_t flags = 0) {
    CellRecord r;
    r.column = static_cast<std::uint32_t>(column);
    r.kind = CellKind::Number;
    r.number = number;
    r.flags = flags;
    sheet.store().append(row, r);
  }
  std::uint8_t flags(int row, int column) const { return sheet.store().find(row, column)->flags; }
};

TEST_F(Tracking, WritingAValueFlagsTheCellAndMarksTheRow) {
  load(4, 2, 7);
  EXPECT_FALSE(sheet.store().any_changed());
  sheet.store_value(4, 2, Variant::text("x"));
  EXPECT_EQ(flags(4, 2), cell_flag::kValueChanged);
  EXPECT_TRUE(sheet.store().row_changed(4));
  EXPECT_FALSE(sheet.store().row_changed(3));
  EXPECT_EQ(texts->at(sheet.store().find(4, 2)->text), "x");
}

TEST_F(Tracking, EmptyIntoNothingChangesNothing) {
  sheet.store_value(9, 9, Variant());
  sheet.Cells(9, 9).SetValue(Variant::text(""));
  EXPECT_EQ(sheet.store().cell_count(), 0u);
  EXPECT_FALSE(sheet.store().any_changed());
  EXPECT_EQ(sheet.last_row(), 0);
  EXPECT_EQ(sheet.last_column(), 0);
}

TEST_F(Tracking, EmptyIntoAValueClearsIt) {
  load(2, 2, 7);
  sheet.store_value(2, 2, Variant());
  EXPECT_TRUE(sheet.stored_value(2, 2).is_empty());
  EXPECT_EQ(flags(2, 2), cell_flag::kValueChanged);
  EXPECT_TRUE(sheet.store().row_changed(2));
}

TEST_F(Tracking, EmptyOverAFormulaWithNoCachedValueStillClearsTheFormula) {
  CellRecord r;
  r.column = 3;
  r.flags = cell_flag::kFormula;
  sheet.store().append(1, r);
  sheet.store_value(1, 3, Variant());
  EXPECT_EQ(flags(1, 3), cell_flag::kFormula | cell_flag::kValueChanged);
  EXPECT_TRUE(sheet.store().row_changed(1));
}

TEST_F(Tracking, StyleChangesAreFlaggedOnlyWhenTheStyleDiffers) {
  sheet.set_number_format(3, 1, "General");
  sheet.set_interior_color(3, 1, kColorNone);
  EXPECT_EQ(sheet.store().cell_count(), 0u);
  EXPECT_FALSE(sheet.store().any_changed());

  load(5, 1, 1);
  sheet.set_interior_color(5, 1, kColorNone);
  EXPECT_EQ(flags(5, 1), 0);
  sheet.set_interior_color(5, 1, kColorError);
  EXPECT_EQ(flags(5, 1), cell_flag::kStyleChanged);
  EXPECT_TRUE(sheet.store().row_changed(5));
}

TEST_F(Tracking, AMissingCellTakesItsRowStyle) {
  const std::uint32_t dated = styles->with_number_format(0, "dd/mm/yyyy");
  sheet.store().set_row_style(6, dated);
  EXPECT_EQ(sheet.number_format(6, 4), "dd/mm/yyyy");
  EXPECT_EQ(sheet.number_format(7, 4), "General");
  sheet.Cells(6, 4).SetValue(Variant::text("01/04/2005"));
  EXPECT_EQ(sheet.store().find(6, 4)->style, dated);
  EXPECT_EQ(sheet.store().find(6, 4)->flags, cell_flag::kValueChanged);
  EXPECT_EQ(sheet.stored_value(6, 4), Variant::number(38443));
}

TEST(CellStoreTest, AppendKeepsColumnsInOrderWhateverTheArrivalOrder) {
  CellStore store;
  for (int column : {2, 5, 3, 9, 1}) {
    CellRecord r;
    r.column = static_cast<std::uint32_t>(column);
    r.number = column;
    store.append(4, r);
  }
  std::vector<std::uint32_t> columns;
  for (const CellRecord& r : *store.row(4)) columns.push_back(r.column);
  EXPECT_EQ(columns, (std::vector<std::uint32_t>{1, 2, 3, 5, 9}));
  EXPECT_EQ(store.cell_count(), 5u);
  EXPECT_EQ(store.row_count(), 4);
  EXPECT_EQ(store.last_column(), 9);
  EXPECT_EQ(store.find(4, 3)->number, 3);
  EXPECT_EQ(store.find(4, 4), nullptr);
  EXPECT_EQ(store.find(4, 10), nullptr);
  EXPECT_EQ(store.find(3, 1), nullptr);
  EXPECT_EQ(store.find(5, 1), nullptr);
  EXPECT_EQ(store.row(2)->size(), 0u);
}

TEST(CellStoreTest, ARepeatedReferenceReplacesTheRecord) {
  CellStore store;
  CellRecord r;
  r.column = 2;
  r.number = 1;
  store.append(1, r);
  store.append(1, CellRecord{.number = 0, .column = 3});
  r.number = 2;
  store.append(1, r);
  EXPECT_EQ(store.cell_count(), 2u);
  EXPECT_EQ(store.find(1, 2)->number, 2);
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
