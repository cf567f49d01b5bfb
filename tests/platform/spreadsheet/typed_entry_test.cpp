// Values typed into a cell, as Cell::SetValue reads them.
#include <gtest/gtest.h>

#include "platform/spreadsheet/memory_workbook.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx {
namespace {

Variant N(double number) { return Variant::number(number); }
Variant T(const char* text) { return Variant::text(text); }
Variant D(int y, int m, int d) { return Variant::date(serial_from_civil({y, m, d})); }
Variant B(bool value) { return Variant::boolean(value); }
Variant E(int code) { return Variant::error(code); }

// A text is read as a user would expect, unless the cell's format is Text; a typed
// Variant is stored as it is. A date gets a date format unless the cell has one.
TEST(TypedEntry, ReadsAsAUserWouldExpect) {
  const char *G = "General", *DMY = "dd/mm/yyyy";
  const struct {
    const char* format;  // before and after
    Variant typed, value;
    const char* after;
  } cases[] = {
      {G, T("12"), N(12), G},   {G, T(" 12.5 "), N(12.5), G},    {G, T("-3"), N(-3), G},
      {G, T("12%"), N(0.12), G}, {G, T("12.5 %"), N(0.125), G}, {G, T("0.3%"), N(0.003), G},
      {G, T("1,234.50"), N(1234.5), G},
      {G, T("01/04/2005"), D(2005, 4, 1), DMY},  {G, T("1/4/05"), D(2005, 4, 1), DMY},
      {G, T("1/4/45"), D(1945, 4, 1), DMY},      {G, T("05/Jun/2005"), D(2005, 6, 5), DMY},
      {G, T("05-jun-2005"), D(2005, 6, 5), DMY}, {G, T("1.4.2005"), D(2005, 4, 1), DMY},
      {G, T("2005-04-01"), D(2005, 4, 1), DMY},
      {G, T("31/02/2005"), T("31/02/2005"), G},  {G, T("01/01/1800"), T("01/01/1800"), G},
      {G, T("'123"), T("123"), G},               {G, T("'01/04/2005"), T("01/04/2005"), G},
      {G, T("#NOPE"), T("#NOPE"), G},            {G, T("  ABCD12345E  "), T("  ABCD12345E  "), G},
      {G, T("A  B"), T("A  B"), G},              {G, T("12A"), T("12A"), G},
      {G, T("TRUE"), B(true), G},   {G, T("false"), B(false), G},     {G, T("True"), B(true), G},
      {G, T("#N/A"), E(2042), G},   {G, T("#n/a"), E(2042), G},       {G, T("#DIV/0!"), E(2007), G},
      {G, T(""), Variant(), G},
      {"@", T("00123"), T("00123"), "@"},        {"@", T("01/04/2005"), T("01/04/2005"), "@"},
      {"@", T("TRUE"), T("TRUE"), "@"},          {"@", T("12%"), T("12%"), "@"},
      {"d-mmm-yy", T("01/04/2005"), D(2005, 4, 1), "d-mmm-yy"},
      {G, N(42), N(42), G},     {G, B(true), B(true), G},        {G, E(2042), E(2042), G},
      {G, D(2005, 4, 1), D(2005, 4, 1), DMY},
  };
  for (const auto& c : cases) {
    MemoryWorkbook wb;
    Cell cell = wb.add_sheet("S").Cells(3, 4);
    cell.SetNumberFormat(c.format);
    cell.SetValue(c.typed);
    SCOPED_TRACE('"' + c.typed.to_text() + "\" read as " + cell.Value().to_text());
    EXPECT_EQ(cell.Value(), c.value);
    EXPECT_EQ(cell.NumberFormat(), c.after);
  }
}

TEST(TypedEntry, EmptyClearsTheValueButKeepsTheStyle) {
  MemoryWorkbook wb;
  Cell cell = wb.add_sheet("S").Cells(1, 1);
  cell.SetNumberFormat("0.00");
  cell.SetInteriorColor(kColorError);
  for (const Variant& empty : {Variant::text(""), Variant()}) {
    cell.SetValue(Variant::number(5));
    cell.SetValue(empty);
    EXPECT_TRUE(cell.Value().is_empty());
  }
  EXPECT_EQ(cell.NumberFormat(), "0.00");
  EXPECT_EQ(cell.InteriorColor(), kColorError);
}

TEST(TypedEntry, AnObjectIsATypeMismatch) {
  MemoryWorkbook wb;
  try {
    wb.add_sheet("S").Cells(1, 1).SetValue(Variant::object(std::make_shared<MemoryWorkbook>()));
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), err::kTypeMismatch);
  }
}

}  // namespace
}  // namespace fenwarx
