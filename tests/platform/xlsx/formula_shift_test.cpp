#include "platform/xlsx/formula_shift.hpp"

#include <gtest/gtest.h>

namespace fenwarx {
namespace {

TEST(FormulaShift, MovesAsCopyingWould) {
  struct Case {
    const char* formula;
    int rows, columns;
    const char* moved;
  };
  // clang-format off
  const Case cases[] = {
      // relative, absolute and mixed cells
      {"A1+B2", 1, 0, "A2+B3"}, {"A1*2", 2, 3, "D3*2"}, {"$A$1+A1", 5, 5, "$A$1+F6"},
      {"$A1+A$1", 2, 2, "$A3+C$1"}, {"Z1", 0, 1, "AA1"}, {"AB10", -9, -1, "AA1"},
      // ranges, whole columns and whole rows
      {"SUM(A1:B2)", 1, 1, "SUM(B2:C3)"}, {"SUM($A$1:B2)", 1, 0, "SUM($A$1:B3)"},
      {"SUM(A:C)", 4, 1, "SUM(B:D)"}, {"SUM($A:C)", 0, 1, "SUM($A:D)"},
      {"SUM(1:3)", 2, 7, "SUM(3:5)"}, {"SUM(1:$3)", 1, 0, "SUM(2:$3)"},
      // sheet-qualified
      {"Sheet1!A1+'My sheet'!B2", 1, 0, "Sheet1!A2+'My sheet'!B3"},
      {"'It''s'!A1:A2", 1, 0, "'It''s'!A2:A3"}, {"Data!A:A", 0, 2, "Data!C:C"},
      // what is not a reference stays
      {"\"A1\"&A1", 1, 0, "\"A1\"&A2"}, {"\"say \"\"B2\"\"\"&B2", 1, 0, "\"say \"\"B2\"\"\"&B3"},
      {"LOG10(A1)", 1, 0, "LOG10(A2)"}, {"ATAN2(1,A1)", 1, 0, "ATAN2(1,A2)"},
      {"IF(TRUE,A1,FALSE)", 1, 0, "IF(TRUE,A2,FALSE)"}, {"Rate*A1", 1, 0, "Rate*A2"},
      {"Table1[[#This Row],[A1]]+A1", 1, 0, "Table1[[#This Row],[A1]]+A2"},
      {"1.5E+3+A1", 1, 0, "1.5E+3+A2"}, {"IFERROR(A1,#N/A)", 1, 0, "IFERROR(A2,#N/A)"},
      {"_xlfn.STDEV.S(A1:A3)", 1, 0, "_xlfn.STDEV.S(A2:A4)"},
      // moved off the sheet
      {"A1+1", -1, 0, "#REF!+1"}, {"SUM(A1:B2)", 0, -1, "SUM(#REF!)"}, {"XFD1", 0, 1, "#REF!"},
      {"A1048576", 1, 0, "#REF!"}, {"$A$1", -5, -5, "$A$1"},
  };
  // clang-format on
  for (const Case& c : cases)
    EXPECT_EQ(shift_formula(c.formula, c.rows, c.columns), c.moved) << c.formula;
}

}  // namespace
}  // namespace fenwarx
