// Interior colours and number formats through the style book.
#include <gtest/gtest.h>

#include "platform/spreadsheet/memory_style_book.hpp"
#include "platform/spreadsheet/stored_sheet.hpp"

namespace fenwarx {
namespace {

struct Fills : ::testing::Test {
  std::shared_ptr<MemoryStyleBook> styles = std::make_shared<MemoryStyleBook>();
  StoredSheet sheet{"S", std::make_shared<TextPool>(), styles};
};

TEST_F(Fills, AnUnpaintedCellReportsNoFill) {
  EXPECT_EQ(sheet.Cells(5, 5).InteriorColor(), kColorNone);
  EXPECT_EQ(sheet.Cells(5, 5).NumberFormat(), "General");
}

TEST_F(Fills, PaintAndClear) {
  Cell cell = sheet.Cells(2, 3);
  cell.SetInteriorColor(kColorError);
  EXPECT_EQ(cell.InteriorColor(), kColorError);
  cell.SetInteriorColor(kColorEndOfData);
  EXPECT_EQ(cell.InteriorColor(), kColorEndOfData);
  cell.SetInteriorColor(kColorNone);
  EXPECT_EQ(cell.InteriorColor(), kColorNone);
  EXPECT_EQ(sheet.store().find(2, 3)->style, 0u) << "unfilled General is style 0 again";
}

TEST_F(Fills, FillAndFormatAreIndependent) {
  Cell cell = sheet.Cells(1, 1);
  cell.SetNumberFormat("0.00");
  cell.SetInteriorColor(kColorError);
  EXPECT_EQ(cell.NumberFormat(), "0.00");
  cell.SetNumberFormat("dd/mm/yyyy");
  EXPECT_EQ(cell.InteriorColor(), kColorError);
  EXPECT_TRUE(sheet.has_date_format(1, 1));
}

TEST_F(Fills, WritingAValueNeverChangesTheFill) {
  Cell cell = sheet.Cells(1, 1);
  cell.SetInteriorColor(kColorError);
  for (const char* typed : {"12", "01/04/2005", "abc", "TRUE", ""}) {
    cell.SetValue(Variant::text(typed));
    EXPECT_EQ(cell.InteriorColor(), kColorError) << typed;
  }
}

TEST_F(Fills, PaintingManyCellsMakesOneDerivedStyle) {
  const std::size_t before = styles->size();
  for (int row = 1; row <= 1000; ++row) sheet.Cells(row, 2).SetInteriorColor(kColorError);
  EXPECT_EQ(styles->size(), before + 1);
  EXPECT_EQ(sheet.store().find(1, 2)->style, sheet.store().find(1000, 2)->style);
}

TEST(MemoryStyleBookTest, UnknownIndexReadsAsStyleZero) {
  MemoryStyleBook styles;
  EXPECT_EQ(styles.number_format(77), "General");
  EXPECT_EQ(styles.fill_color(77), kColorNone);
  EXPECT_FALSE(styles.is_date(77));
  EXPECT_EQ(styles.with_fill_color(77, kColorNone), 0u);
}

TEST(MemoryStyleBookTest, DateFormatsAreRecognised) {
  MemoryStyleBook styles;
  EXPECT_TRUE(styles.is_date(styles.with_number_format(0, "dd/mm/yyyy")));
  EXPECT_FALSE(styles.is_date(styles.with_number_format(0, "0.00")));
  EXPECT_EQ(styles.with_number_format(0, ""), 0u) << "an empty code is General";
}

}  // namespace
}  // namespace fenwarx
