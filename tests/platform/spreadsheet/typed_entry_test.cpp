// Values typed into a cell, as Cell::SetValue reads them.
#include <gtest/gtest.h>

#include "platform/spreadsheet/memory_workbook.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx {
namespace {

struct Typed {
  const char* typed;
  VariantType type;
  double number;     // Number, Date (as a date serial), Boolean (-1/0), Error code
  const char* text;  // Text
  const char* format;
};

double day(int y, int m, int d) { return serial_from_civil({y, m, d}); }

class TypedEntry : public ::testing::TestWithParam<Typed> {};

TEST_P(TypedEntry, ReadsAsAUserWouldExpect) {
  const Typed& t = GetParam();
  MemoryWorkbook wb;
  Cell cell = wb.add_sheet("S").Cells(3, 4);
  cell.SetValue(Variant::text(t.typed));
  const Variant v = cell.Value();
  ASSERT_EQ(v.type(), t.type) << '"' << t.typed << '"';
  if (t.type == VariantType::Text) {
    EXPECT_EQ(v.text_value(), t.text);
  } else if (t.type == VariantType::Error) {
    EXPECT_EQ(v.error_value(), static_cast<int>(t.number));
  } else if (t.type != VariantType::Empty) {
    EXPECT_EQ(v.number_value(), t.number) << '"' << t.typed << '"';
  }
  EXPECT_EQ(cell.NumberFormat(), t.format);
}

constexpr auto N = VariantType::Number;
constexpr auto D = VariantType::Date;
constexpr auto T = VariantType::Text;
constexpr auto B = VariantType::Boolean;
constexpr auto E = VariantType::Error;

INSTANTIATE_TEST_SUITE_P(
    Table, TypedEntry,
    ::testing::Values(
        Typed{"12", N, 12, "", "General"}, Typed{" 12.5 ", N, 12.5, "", "General"},
        Typed{"-3", N, -3, "", "General"}, Typed{"1,234.50", N, 1234.5, "", "General"},
        Typed{"12%", N, 0.12, "", "General"}, Typed{"12.5 %", N, 0.125, "", "General"},
        Typed{"0.3%", N, 0.003, "", "General"},
        Typed{"01/04/2005", D, day(2005, 4, 1), "", "dd/mm/yyyy"},
        Typed{"1/4/05", D, day(2005, 4, 1), "", "dd/mm/yyyy"},
        Typed{"1/4/45", D, day(1945, 4, 1), "", "dd/mm/yyyy"},
        Typed{"05/Jun/2005", D, day(2005, 6, 5), "", "dd/mm/yyyy"},
        Typed{"05-jun-2005", D, day(2005, 6, 5), "", "dd/mm/yyyy"},
        Typed{"1.4.2005", D, day(2005, 4, 1), "", "dd/mm/yyyy"},
        Typed{"2005-04-01", D, day(2005, 4, 1), "", "dd/mm/yyyy"},
        Typed{"31/02/2005", T, 0, "31/02/2005", "General"},
        Typed{"01/01/1800", T, 0, "01/01/1800", "General"},
        Typed{"'123", T, 0, "123", "General"}, Typed{"'01/04/2005", T, 0, "01/04/2005", "General"},
        Typed{"TRUE", B, -1, "", "General"}, Typed{"false", B, 0, "", "General"},
        Typed{"True", B, -1, "", "General"}, Typed{"#N/A", E, 2042, "", "General"},
        Typed{"#n/a", E, 2042, "", "General"}, Typed{"#DIV/0!", E, 2007, "", "General"},
        Typed{"#NOPE", T, 0, "#NOPE", "General"},
        Typed{"  ABCD12345E  ", T, 0, "  ABCD12345E  ", "General"},
        Typed{"A  B", T, 0, "A  B", "General"}, Typed{"12A", T, 0, "12A", "General"},
        Typed{"", VariantType::Empty, 0, "", "General"}));

TEST(TypedEntryFormat, TextFormatKeepsWhatIsTyped) {
  MemoryWorkbook wb;
  Cell cell = wb.add_sheet("S").Cells(1, 1);
  cell.SetNumberFormat("@");
  for (const char* typed : {"00123", "01/04/2005", "TRUE", "12%"}) {
    cell.SetValue(Variant::text(typed));
    ASSERT_EQ(cell.Value().type(), VariantType::Text) << typed;
    EXPECT_EQ(cell.Value().text_value(), typed);
  }
  EXPECT_EQ(cell.NumberFormat(), "@");
}

TEST(TypedEntryFormat, AnExistingDateFormatIsKept) {
  MemoryWorkbook wb;
  Cell cell = wb.add_sheet("S").Cells(1, 1);
  cell.SetNumberFormat("d-mmm-yy");
  cell.SetValue(Variant::text("01/04/2005"));
  EXPECT_EQ(cell.NumberFormat(), "d-mmm-yy");
  EXPECT_EQ(cell.Value().type(), VariantType::Date);
}

TEST(TypedEntryFormat, EmptyClearsTheValueButKeepsTheStyle) {
  MemoryWorkbook wb;
  Cell cell = wb.add_sheet("S").Cells(1, 1);
  cell.SetNumberFormat("0.00");
  cell.SetInteriorColor(kColorError);
  cell.SetValue(Variant::number(5));
  cell.SetValue(Variant::text(""));
  EXPECT_TRUE(cell.Value().is_empty());
  cell.SetValue(Variant::number(5));
  cell.SetValue(Variant());
  EXPECT_TRUE(cell.Value().is_empty());
  EXPECT_EQ(cell.NumberFormat(), "0.00");
  EXPECT_EQ(cell.InteriorColor(), kColorError);
}

TEST(TypedEntryFormat, TypedVariantsAreStoredAsGiven) {
  MemoryWorkbook wb;
  Cell cell = wb.add_sheet("S").Cells(1, 1);
  cell.SetValue(Variant::number(42));
  EXPECT_EQ(cell.Value(), Variant::number(42));
  cell.SetValue(Variant::boolean(true));
  EXPECT_EQ(cell.Value(), Variant::boolean(true));
  cell.SetValue(Variant::error(cell_error::kNA));
  EXPECT_EQ(cell.Value(), Variant::error(cell_error::kNA));
  EXPECT_EQ(cell.NumberFormat(), "General");
  cell.SetValue(Variant::date(day(2005, 4, 1)));
  EXPECT_EQ(cell.Value(), Variant::date(day(2005, 4, 1)));
  EXPECT_EQ(cell.NumberFormat(), "dd/mm/yyyy");
}

TEST(TypedEntryFormat, AnObjectIsATypeMismatch) {
  MemoryWorkbook wb;
  Cell cell = wb.add_sheet("S").Cells(1, 1);
  try {
    cell.SetValue(Variant::object(std::make_shared<MemoryWorkbook>()));
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), err::kTypeMismatch);
  }
}

}  // namespace
}  // namespace fenwarx
