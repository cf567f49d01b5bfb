// What a cell shows: its value in the cell's number format, and stored serials as the
// dates they show in both date systems.
#include <gtest/gtest.h>

#include "platform/spreadsheet/memory_style_book.hpp"
#include "platform/spreadsheet/stored_sheet.hpp"
#include "platform/values/dates.hpp"

namespace fenwarx {
namespace {

StoredSheet make_sheet(bool date1904 = false) {
  return StoredSheet("S", std::make_shared<TextPool>(), std::make_shared<MemoryStyleBook>(),
                     date1904);
}

TEST(CellDisplay, TextFollowsTheFormat) {
  const struct {
    Variant stored;
    const char* format;
    const char* text;
  } cases[] = {
      {Variant(), "0.00", ""},                        {Variant::number(12), "0.00", "12.00"},
      {Variant::number(2.345), "0.00", "2.35"},       {Variant::number(12.5), "General", "12.5"},
      {Variant::number(38443), "dd/mm/yyyy", "01/04/2005"},
      {Variant::number(38443.75), "dd/mm/yyyy", "01/04/2005"},
      {Variant::number(60), "dd/mm/yyyy", "28/02/1900"},  // the fictitious 29 February 1900
      {Variant::number(60.5), "dd/mm/yyyy", "28/02/1900"},
      {Variant::text(" AB "), "General", " AB "},     {Variant::boolean(true), "General", "TRUE"},
      {Variant::boolean(false), "0.00", "FALSE"},
      {Variant::error(cell_error::kNA), "General", "#N/A"},
  };
  for (const auto& c : cases) {
    StoredSheet sheet = make_sheet();
    sheet.set_number_format(1, 1, c.format);
    sheet.store_value(1, 1, c.stored);
    EXPECT_EQ(sheet.Cells(1, 1).Text(), c.text) << c.format << " showing " << c.stored.to_text();
  }
}

TEST(DateReadBack, StoredSerialReadsAsTheDateAndTheDateIsStoredAsTheSerial) {
  const struct {
    bool date1904;
    double stored;
    CivilDate shown;
  } cases[] = {
      {false, 1, {1900, 1, 1}},      {false, 59, {1900, 2, 28}},   {false, 61, {1900, 3, 1}},
      {false, 38443, {2005, 4, 1}},  {true, 0, {1904, 1, 1}},      {true, 36981, {2005, 4, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.stored << (c.date1904 ? " in 1904" : " in 1900"));
    StoredSheet sheet = make_sheet(c.date1904);
    sheet.set_number_format(2, 2, "dd/mm/yyyy");
    sheet.store_value(2, 2, Variant::number(c.stored));
    EXPECT_EQ(sheet.Cells(2, 2).Value(), Variant::date(serial_from_civil(c.shown)));
    EXPECT_EQ(sheet.Cells(2, 2).Text(), date_text(serial_from_civil(c.shown)));
    sheet.Cells(3, 3).SetValue(Variant::date(serial_from_civil(c.shown)));
    EXPECT_EQ(sheet.stored_value(3, 3), Variant::number(c.stored));
    EXPECT_TRUE(sheet.has_date_format(3, 3));
  }
}

TEST(DateReadBack, EdgesOfTheDateSystems) {
  StoredSheet sheet = make_sheet(false);
  sheet.set_number_format(1, 1, "dd/mm/yyyy");
  const CivilDate the_28th{1900, 2, 28};
  for (double fictitious_29_february : {60.0, 60.5}) {
    sheet.store_value(1, 1, Variant::number(fictitious_29_february));
    EXPECT_EQ(civil_from_serial(sheet.Cells(1, 1).Value().number_value()), the_28th);
  }
  // A day before the 1904 system starts cannot be a serial: it is kept as text.
  StoredSheet sheet1904 = make_sheet(true);
  sheet1904.Cells(1, 1).SetValue(Variant::date(serial_from_civil({1903, 12, 31})));
  EXPECT_EQ(sheet1904.stored_value(1, 1), Variant::text("31/12/1903"));
  sheet1904.Cells(1, 2).SetValue(Variant::text("31/12/1903"));
  EXPECT_EQ(sheet1904.stored_value(1, 2), Variant::text("31/12/1903"));
}

}  // namespace
}  // namespace fenwarx
