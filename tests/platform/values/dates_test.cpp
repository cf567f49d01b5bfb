#include "platform/values/dates.hpp"

#include <gtest/gtest.h>

namespace fenwarx {
namespace {

TEST(Serials, CountDaysFrom30December1899BothWaysAndValidity) {
  // clang-format off
  const struct { CivilDate date; double serial; } cases[] = {
      {{1899, 12, 30}, 0}, {{1900, 3, 1}, 61}, {{2005, 4, 1}, 38443}, {{2000, 2, 29}, 36585},
      {{1899, 12, 29}, -1}, {{9999, 12, 31}, 2958465}, {{100, 1, 1}, -657434}};
  for (const auto& c : cases) {
    EXPECT_EQ(serial_from_civil(c.date), c.serial) << c.serial;
    EXPECT_EQ(civil_from_serial(c.serial), c.date) << c.serial;
    EXPECT_TRUE(is_valid_civil(c.date)) << c.serial;
  }
  // The time of day never moves the date, on either side of the epoch.
  EXPECT_EQ(civil_from_serial(38443.999), (CivilDate{2005, 4, 1}));
  EXPECT_EQ(civil_from_serial(-1.25), (CivilDate{1899, 12, 29}));
  for (CivilDate bad : {CivilDate{2005, 4, 31}, {2005, 2, 29}, {1900, 2, 29}, {2005, 13, 1},
                        {2005, 0, 1}, {2005, 1, 0}, {99, 12, 31}, {10000, 1, 1}})
    EXPECT_FALSE(is_valid_civil(bad)) << bad.day << '/' << bad.month << '/' << bad.year;
  // clang-format on
  EXPECT_EQ(day_difference(38443.9, 38444.1), 1);  // whole days, times ignored
  EXPECT_EQ(day_difference(38444.1, 38443.9), -1);
}

TEST(ParseDate, ReadsDayFirstAndIsoDatesAndNothingElse) {
  const double april = 38443;  // 1 April 2005
  // clang-format off
  const struct { const char* text; double serial; } cases[] = {
      {"01/04/2005", april},   {"1-4-2005", april},     {"1.4.2005", april},    {"1 4 2005", april},
      {" 01/04/05 ", april},   {"01/Apr/2005", april},  {"01-APR-05", april},   {"1 april 2005", april},
      {"2005-04-01", april},   {"2005/4/1", april},     {"01 / 04 / 2005", april},
      {"05 June 2005", 38508}, {"30/sept/2005", 38625}, {"29/02/2004", 38046},  {"01/01/00", 36526},
      {"31/12/29", 47483},     {"01/01/30", 10959},     {"31/12/99", 36525},
      {"01/04/2005 12:00", april + 0.5},              {"2005-04-01 18:00", april + 0.75},
      {"01/04/2005 06:00:36", april + 0.25 + 36.0 / 86400}};
  for (const auto& c : cases) {
    const auto serial = parse_date(c.text);
    ASSERT_TRUE(serial.has_value()) << c.text;
    EXPECT_DOUBLE_EQ(*serial, c.serial) << c.text;
    EXPECT_TRUE(is_date(c.text)) << c.text;
  }
  for (const char* text : {"", "12", "20050401", "38443", "31/04/2005", "29/02/2005", "00/04/2005",
                           "01/13/2005", "01/04", "01/04/2005/1", "1/4/5", "1/4/205", "Apr/01/2005",
                           "04/Foo/2005", "111/4/2005", "2005-04-001", "01/04/2005 25:00",
                           "01/04/2005 10:60", "01/04/2005 10", "10:30", "01/04-2005",
                           "01/04/2005x", "01/04/0099"}) {
    EXPECT_FALSE(parse_date(text).has_value()) << text;
    EXPECT_FALSE(is_date(text)) << text;
  }
  // clang-format on
}

TEST(DateTexts, FixedLayouts) {
  // clang-format off
  const struct { double serial; const char *short_text, *long_text, *compact; } cases[] = {
      {38443.99, "01/04/2005", "01/Apr/2005", "01042005"},
      {36585, "29/02/2000", "29/Feb/2000", "29022000"},
      {-657434, "01/01/0100", "01/Jan/0100", "01010100"}};
  for (const auto& c : cases) {
    EXPECT_EQ(date_text(c.serial), c.short_text);
    EXPECT_EQ(long_date_text(c.serial), c.long_text);
    EXPECT_EQ(ddmmyyyy(c.serial), c.compact);
  }
  // clang-format on
}

}  // namespace
}  // namespace fenwarx
