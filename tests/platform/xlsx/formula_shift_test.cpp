#include "platform/xlsx/formula_shift.hpp"

#include <gtest/gtest.h>

namespace fenwarx {
namespace {

struct ShiftCase {
  const char* formula;
  int rows, columns;
  const char* moved;
};

class FormulaShift : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(FormulaShift, MovesAsCopyingWould) {
  const ShiftCase& c = GetParam();
  EXPECT_EQ(shift_formula(c.formula, c.rows, c.columns), c.moved) << c.formula;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormulaShift,
    ::testing::Values(
        // relative, absolute and mixed cells
        ShiftCase{"A1+B2", 1, 0, "A2+B3"}, ShiftCase{"A1*2", 2, 3, "D3*2"},
        ShiftCase{"$A$1+A1", 5, 5, "$A$1+F6"}, ShiftCase{"$A1+A$1", 2, 2, "$A3+C$1"},
        ShiftCase{"Z1", 0, 1, "AA1"}, ShiftCase{"AB10", -9, -1, "AA1"},
        // ranges, whole columns and whole rows
        ShiftCase{"SUM(A1:B2)", 1, 1, "SUM(B2:C3)"}, ShiftCase{"SUM($A$1:B2)", 1, 0, "SUM($A$1:B3)"},
        ShiftCase{"SUM(A:C)", 4, 1, "SUM(B:D)"}, ShiftCase{"SUM($A:C)", 0, 1, "SUM($A:D)"},
        ShiftCase{"SUM(1:3)", 2, 7, "SUM(3:5)"}, ShiftCase{"SUM(1:$3)", 1, 0, "SUM(2:$3)"},
        // sheet-qualified
        ShiftCase{"Sheet1!A1+'My sheet'!B2", 1, 0, "Sheet1!A2+'My sheet'!B3"},
        ShiftCase{"'It''s'!A1:A2", 1, 0, "'It''s'!A2:A3"}, ShiftCase{"Data!A:A", 0, 2, "Data!C:C"},
        // what is not a reference stays
        ShiftCase{"\"A1\"&A1", 1, 0, "\"A1\"&A2"},
        ShiftCase{"\"say \"\"B2\"\"\"&B2", 1, 0, "\"say \"\"B2\"\"\"&B3"},
        ShiftCase{"LOG10(A1)", 1, 0, "LOG10(A2)"}, ShiftCase{"ATAN2(1,A1)", 1, 0, "ATAN2(1,A2)"},
        ShiftCase{"IF(TRUE,A1,FALSE)", 1, 0, "IF(TRUE,A2,FALSE)"}, ShiftCase{"Rate*A1", 1, 0, "Rate*A2"},
        ShiftCase{"Table1[[#This Row],[A1]]+A1", 1, 0, "Table1[[#This Row],[A1]]+A2"},
        ShiftCase{"1.5E+3+A1", 1, 0, "1.5E+3+A2"},
        ShiftCase{"_xlfn.STDEV.S(A1:A3)", 1, 0, "_xlfn.STDEV.S(A2:A4)"},
        ShiftCase{"IFERROR(A1,#N/A)", 1, 0, "IFERROR(A2,#N/A)"},
        // moved off the sheet
        ShiftCase{"A1+1", -1, 0, "#REF!+1"}, ShiftCase{"SUM(A1:B2)", 0, -1, "SUM(#REF!)"},
        ShiftCase{"XFD1", 0, 1, "#REF!"}, ShiftCase{"A1048576", 1, 0, "#REF!"},
        ShiftCase{"$A$1", -5, -5, "$A$1"}));

}  // namespace
}  // namespace fenwarx
