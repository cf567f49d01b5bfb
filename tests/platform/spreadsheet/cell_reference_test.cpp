#include "platform/spreadsheet/cell_reference.hpp"

#include <gtest/gtest.h>

namespace fenwarx {
namespace {

TEST(CellReference, RoundTripsAcrossLetterLengths) {
  struct Case {
    const char* text;
    int row, column;
  };
  for (const Case& c : {Case{"A1", 1, 1}, Case{"Z9", 9, 26}, Case{"AA10", 10, 27},
                        Case{"AZ1", 1, 52}, Case{"BA1", 1, 53}, Case{"ZZ1", 1, 702},
                        Case{"AAA1", 1, 703}, Case{"XFD1048576", 1048576, 16384}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(parse_cell_reference(c.text), (CellAddress{c.row, c.column}));
    EXPECT_TRUE(within_sheet(CellAddress{c.row, c.column}));
    EXPECT_EQ(cell_reference(c.row, c.column), c.text);
  }
  EXPECT_EQ(parse_cell_reference("ab12"), (CellAddress{12, 28}));
}

TEST(CellReference, PastTheLimitReadsButNonReferencesDoNot) {
  for (const char* text : {"XFE1", "A1048577", "ZZZZ1", "A99999999999"}) {
    const auto address = parse_cell_reference(text);
    ASSERT_TRUE(address) << text;
    EXPECT_FALSE(within_sheet(*address)) << text;
  }
  for (const char* text : {"", "A", "12", "A0", "$A$1", "1A", "A1B", "A-1", "A 1"})
    EXPECT_FALSE(parse_cell_reference(text)) << text;
}

TEST(CellReference, ColumnLetters) {
  EXPECT_EQ(column_from_letters("XFD"), 16384);
  EXPECT_EQ(column_from_letters("a"), 1);
  for (const char* text : {"XFE", "ABCD", "A1", ""})
    EXPECT_FALSE(column_from_letters(text)) << text;
}

}  // namespace
}  // namespace fenwarx
