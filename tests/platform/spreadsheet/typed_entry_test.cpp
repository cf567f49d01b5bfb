// Values typed into a cell, as Cell::SetValue reads them, and what a cell then shows: its
// value in the cell's number format, and stored serials as dates in both date systems.
#include <gtest/gtest.h>

#include "platform/spreadsheet/memory_style_book.hpp"
#include "platform/spreadsheet/memory_workbook.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/runtime_error.hpp"
#include "support/error_of.hpp"

namespace fenwarx {
namespace {

Variant N(double number) { return Variant::number(number); }
Variant T(const char* text) { return Variant::text(text); }
Variant D(int y, int m, int d) { return Variant::date(serial_from_civil({y, m, d})); }
Variant B(bool value) { return Variant::boolean(value); }
Variant E(int code) { return Variant::error(code); }

StoredSheet make_sheet(bool date1904 = false) {
  return StoredSheet("S", std::make_shared<TextPool>(), std::make_shared<MemoryStyleBook>(),
                     date1904);
}

// A text is read as a user would expect, unless the cell's format is Text; a typed
// Variant is stored as it is. A date gets a date format unless the cell has one.
TEST(TypedEntry, ReadsAsAUserWouldExpect) {
  const char *G = "General", *DMY = "dd/mm/yyyy";
  // clang-format off
  const struct { const char* format; Variant typed, value; const char* after; } cases[] = {
      // formats before, after
      {G, T(" 12.5 "), N(12.5), G}, {G, T("-3"), N(-3), G}, {G, T("12.5 %"), N(0.125), G},
      {G, T("1,234.50"), N(1234.5), G}, {G, T("01/04/2005"), D(2005, 4, 1), DMY},
      {G, T("1/4/45"), D(1945, 4, 1), DMY}, {G, T("05-jun-2005"), D(2005, 6, 5), DMY},
      {G, T("2005-04-01"), D(2005, 4, 1), DMY}, {G, T("31/02/2005"), T("31/02/2005"), G},
      {G, T("01/01/1800"), T("01/01/1800"), G}, {G, T("'01/04/2005"), T("01/04/2005"), G},
      {G, T("#NOPE"), T("#NOPE"), G}, {G, T("12A"), T("12A"), G},
      {G, T("  ABCD12345E  "), T("  ABCD12345E  "), G}, {G, T("TRUE"), B(true), G},
      {G, T("false"), B(false), G}, {G, T("#n/a"), E(2042), G}, {G, T(""), Variant(), G},
      {"@", T("00123"), T("00123"), "@"}, {"@", T("01/04/2005"), T("01/04/2005"), "@"},
      {"@", T("TRUE"), T("TRUE"), "@"}, {"d-mmm-yy", T("01/04/2005"), D(2005, 4, 1), "d-mmm-yy"},
      {G, N(42), N(42), G}, {G, B(true), B(true), G}, {G, E(2042), E(2042), G},
      {G, D(2005, 4, 1), D(2005, 4, 1), DMY}};
  // clang-format on
  for (const auto& c : cases) {
    MemoryWorkbook wb;
    Cell cell = wb.add_sheet("S").Cells(3, 4);
    cell.SetNumberFormat(c.format);
    cell.SetValue(c.typed);
    EXPECT_EQ(cell.Value(), c.value)
        << '"' << c.typed.to_text() << "\" read as " << cell.Value().to_text();
    EXPECT_EQ(cell.NumberFormat(), c.after) << c.typed.to_text();
  }
}

TEST(TypedEntry, EmptyClearsTheValueButKeepsTheStyleAndAnObjectIsATypeMismatch) {
  MemoryWorkbook wb;
  Cell cell = wb.add_sheet("S").Cells(1, 1);
  cell.SetNumberFormat("0.00");
  cell.SetInteriorColor(kColorError);
  for (const Variant& empty : {Variant::text(""), Variant()}) {
    cell.SetValue(Variant::number(5));
    cell.SetValue(empty);
    EXPECT_TRUE(cell.Value().is_empty());
  }
  EXPECT_TRUE(cell.NumberFormat() == "0.00" && cell.InteriorColor() == kColorError);
  EXPECT_EQ(testing::error_number_of(
                [&] { cell.SetValue(Variant::object(std::make_shared<MemoryWorkbook>())); }),
            err::kTypeMismatch);
}

TEST(CellDisplay, TextFollowsTheFormat) {
  // clang-format off
  const struct { Variant stored; const char *format, *text; } cases[] = {
      {Variant(), "0.00", ""}, {Variant::number(2.345), "0.00", "2.35"}, {Variant::number(12.5), "General", "12.5"},
      {Variant::number(38443.75), "dd/mm/yyyy", "01/04/2005"}, {Variant::text(" AB "), "General", " AB "},
      {Variant::number(60), "dd/mm/yyyy", "28/02/1900"},  // the fictitious 29 February 1900
      {Variant::boolean(true), "General", "TRUE"}, {Variant::boolean(false), "0.00", "FALSE"},
      {Variant::error(cell_error::kNA), "General", "#N/A"}};
  StoredSheet sheet = make_sheet();
  for (const auto& c : cases) {
    sheet.set_number_format(1, 1, c.format);
    sheet.store_value(1, 1, c.stored);
    EXPECT_EQ(sheet.Cells(1, 1).Text(), c.text) << c.format << " showing " << c.stored.to_text();
  }
  // clang-format on
}

TEST(DateReadBack, StoredSerialReadsAsTheDateAndTheDateIsStoredAsTheSerial) {
  // clang-format off
  const struct { bool date1904; double stored; CivilDate shown; } cases[] = {
      {false, 1, {1900, 1, 1}},  {false, 59, {1900, 2, 28}}, {false, 61, {1900, 3, 1}},
      {false, 38443, {2005, 4, 1}}, {true, 0, {1904, 1, 1}}, {true, 36981, {2005, 4, 1}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.stored << (c.date1904 ? " in 1904" : " in 1900"));
    StoredSheet sheet = make_sheet(c.date1904);
    sheet.set_number_format(2, 2, "dd/mm/yyyy");
    sheet.store_value(2, 2, Variant::number(c.stored));
    EXPECT_EQ(sheet.Cells(2, 2).Value(), Variant::date(serial_from_civil(c.shown)));
    EXPECT_EQ(sheet.Cells(2, 2).Text(), date_text(serial_from_civil(c.shown)));
    sheet.Cells(3, 3).SetValue(Variant::date(serial_from_civil(c.shown)));
    EXPECT_TRUE(sheet.stored_value(3, 3) == Variant::number(c.stored) && sheet.has_date_format(3, 3));
  }
  // clang-format on
}

TEST(DateReadBack, EdgesOfTheDateSystems) {
  StoredSheet sheet = make_sheet(false), sheet1904 = make_sheet(true);
  sheet.set_number_format(1, 1, "dd/mm/yyyy");
  sheet.store_value(1, 1, Variant::number(60.5));  // the fictitious 29 February 1900
  EXPECT_EQ(civil_from_serial(sheet.Cells(1, 1).Value().number_value()), (CivilDate{1900, 2, 28}));
  // A day before the 1904 system starts cannot be a serial: it is kept as text.
  sheet1904.Cells(1, 1).SetValue(Variant::date(serial_from_civil({1903, 12, 31})));
  sheet1904.Cells(1, 2).SetValue(Variant::text("31/12/1903"));
  EXPECT_EQ(sheet1904.stored_value(1, 1), Variant::text("31/12/1903"));
  EXPECT_EQ(sheet1904.stored_value(1, 2), Variant::text("31/12/1903"));
}

}  // namespace
}  // namespace fenwarx
