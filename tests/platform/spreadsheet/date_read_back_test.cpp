// Stored serials against the dates they show, in both date systems.
#include <gtest/gtest.h>

#include "platform/spreadsheet/memory_style_book.hpp"
#include "platform/spreadsheet/stored_sheet.hpp"
#include "platform/values/dates.hpp"

namespace fenwarx {
namespace {

struct Serial {
  bool date1904;
  double stored;
  CivilDate shown;
  const char* text;
};

StoredSheet make_sheet(bool date1904) {
  return StoredSheet("S", std::make_shared<TextPool>(), std::make_shared<MemoryStyleBook>(), date1904);
}

class DateReadBack : public ::testing::TestWithParam<Serial> {};

TEST_P(DateReadBack, StoredSerialReadsAsTheDate) {
  const Serial& s = GetParam();
  StoredSheet sheet = make_sheet(s.date1904);
  sheet.set_number_format(2, 2, "dd/mm/yyyy");
  sheet.store_value(2, 2, Variant::number(s.stored));
  const Variant v = sheet.Cells(2, 2).Value();
  ASSERT_EQ(v.type(), VariantType::Date);
  EXPECT_EQ(civil_from_serial(v.number_value()), s.shown);
  EXPECT_EQ(sheet.Cells(2, 2).Text(), s.text);
}

TEST_P(DateReadBack, DateIsStoredAsTheSerial) {
  const Serial& s = GetParam();
  StoredSheet sheet = make_sheet(s.date1904);
  sheet.Cells(2, 2).SetValue(Variant::date(serial_from_civil(s.shown)));
  EXPECT_EQ(sheet.stored_value(2, 2), Variant::number(s.stored));
  EXPECT_TRUE(sheet.has_date_format(2, 2));
}

INSTANTIATE_TEST_SUITE_P(
    Systems, DateReadBack,
    ::testing::Values(Serial{false, 1, {1900, 1, 1}, "01/01/1900"},
                      Serial{false, 59, {1900, 2, 28}, "28/02/1900"},
                      Serial{false, 61, {1900, 3, 1}, "01/03/1900"},
                      Serial{false, 38443, {2005, 4, 1}, "01/04/2005"},
                      Serial{true, 0, {1904, 1, 1}, "01/01/1904"},
                      Serial{true, 36981, {2005, 4, 1}, "01/04/2005"}));

TEST(DateReadBackEdges, TheFictitious29February1900ReadsAsThe28th) {
  StoredSheet sheet = make_sheet(false);
  sheet.set_number_format(1, 1, "dd/mm/yyyy");
  sheet.store_value(1, 1, Variant::number(60));
  EXPECT_EQ(civil_from_serial(sheet.Cells(1, 1).Value().number_value()), (CivilDate{1900, 2, 28}));
  EXPECT_EQ(sheet.Cells(1, 1).Text(), "28/02/1900");
  sheet.store_value(1, 1, Variant::number(60.5));
  EXPECT_EQ(civil_from_serial(sheet.Cells(1, 1).Value().number_value()), (CivilDate{1900, 2, 28}));
}

TEST(DateReadBackEdges, ANumberOutsideADateFormatStaysANumber) {
  StoredSheet sheet = make_sheet(false);
  sheet.store_value(1, 1, Variant::number(38443));
  EXPECT_EQ(sheet.Cells(1, 1).Value(), Variant::number(38443));
}

TEST(DateReadBackEdges, ADayBeforeTheSystemStartIsKeptAsText) {
  StoredSheet sheet = make_sheet(true);
  sheet.Cells(1, 1).SetValue(Variant::date(serial_from_civil({1903, 12, 31})));
  EXPECT_EQ(sheet.stored_value(1, 1), Variant::text("31/12/1903"));
  sheet.Cells(1, 2).SetValue(Variant::text("31/12/1903"));
  EXPECT_EQ(sheet.stored_value(1, 2), Variant::text("31/12/1903"));
}

}  // namespace
}  // namespace fenwarx
