#include "platform/xlsx/cell_reference.hpp"

#include <gtest/gtest.h>

namespace fenwarx {
namespace {

TEST(CellReference, RoundTripsAcrossLetterLengths) {
  struct Case {
    const char* text;
    int row, column;
  };
  const Case cases[] = {{"A1", 1, 1},   {"Z9", 9, 26},   {"AA10", 10, 27}, {"AZ1", 1, 52},
                        {"BA1", 1, 53}, {"ZZ1", 1, 702}, {"AAA1", 1, 703}, {"XFD1048576", 1048576, 16384}};
  for (const Case& c : cases) {
    const auto address = parse_cell_reference(c.text);
    ASSERT_TRUE(address) << c.text;
    EXPECT_EQ(*address, (CellAddress{c.row, c.column})) << c.text;
    EXPECT_TRUE(within_sheet(*address)) << c.text;
    EXPECT_EQ(cell_reference(c.row, c.column), c.text);
  }
}

TEST(CellReference, LowerCaseLettersRead) { EXPECT_EQ(parse_cell_reference("ab12"), (CellAddress{12, 28})); }

TEST(CellReference, BeyondTheSheetReadsOnePastTheLimit) {
  for (const char* text : {"XFE1", "A1048577", "ZZZZ1", "A99999999999"}) {
    const auto address = parse_cell_reference(text);
    ASSERT_TRUE(address) << text;
    EXPECT_FALSE(within_sheet(*address)) << text;
  }
}

TEST(CellReference, RejectsWhatIsNoReference) {
  for (const char* text : {"", "A", "12", "A0", "$A$1", "1A", "A1B", "A-1", "A 1"})
    EXPECT_FALSE(parse_cell_reference(text)) << text;
}

TEST(CellReference, ColumnLetters) {
  EXPECT_EQ(column_from_letters("XFD"), 16384);
  EXPECT_EQ(column_from_letters("a"), 1);
  EXPECT_FALSE(column_from_letters("XFE"));
  EXPECT_FALSE(column_from_letters("ABCD"));
  EXPECT_FALSE(column_from_letters("A1"));
  EXPECT_FALSE(column_from_letters(""));
}

}  // namespace
}  // namespace fenwarx
