#include "platform/values/number_format.hpp"

#include <gtest/gtest.h>

namespace fenwarx {
namespace {

TEST(IsDateFormat, DayMonthOrYearOutsideLiterals) {
  for (const char* code : {"dd/mm/yyyy", "d-mmm-yy", "[$-409]d-mmm-yy;@", "mmm yyyy", "yyyy",
                           "DD/MM/YYYY", "[h]:mm", "mm:ss", "[ss]", "hh:mm", "dd/mm/yyyy;0.00"})
    EXPECT_TRUE(is_date_format(code)) << code;
  for (const char* code : {"General", "0.00", "#,##0", "\\d0", "\"day\" 0", "[Red]0", "0.00E+00",
                           "@", "0%", "_-* #,##0_-", "\"Rs\" #,##0.00;[Red]\"Rs\" -#,##0.00",
                           "0.00;dd/mm/yyyy", ""})
    EXPECT_FALSE(is_date_format(code)) << code;
}

TEST(FormatNumber, NumberCodesAndSections) {
  const char* sections = "#,##0.00;(#,##0.00);\"nil\";@";  // positive; negative; zero; text
  const struct {
    double value;
    const char* code;
    const char* text;
  } cases[] = {
      {12.5, "General", "12.5"},     {-0.1 - 0.2, "General", "-0.3"}, {1e20, "", "1E+20"},
      {2.5, "0", "3"},               {-2.5, "0", "-3"},               {-0.4, "0", "0"},
      {1.005, "0.00", "1.01"},       {2.345, "0.00", "2.35"},         {1.23456, "0.0000", "1.2346"},
      {0.5, "#.00", ".50"},          {1234567.891, "#,##0", "1,234,568"},
      {1234567.891, "#,##0.00", "1,234,567.89"}, {-1234.5, "#,##0.00", "-1,234.50"},
      {0, "#,##0.00", "0.00"},       {999, "#,##0", "999"},           {0.125, "0%", "13%"},
      {0.12345, "0.00%", "12.35%"},  {12345.678, "0.00E+00", "1.23E+04"},
      {0.000123, "0.00E+00", "1.23E-04"}, {9.999, "0.00E+00", "1.00E+01"},
      {0, "0.00E+00", "0.00E+00"},
      {5, "0.0#", "5.0"},            {5.25, "0.0#", "5.25"},          {1234567, "0,", "1235"},
      {42, "\"Rs \"0", "Rs 42"},     {42, "0\\%", "42%"},             {42, "[Red]0.0", "42.0"},
      {42, "_(0_)", " 42 "},         {1234567890, "000-000-0000", "123-456-7890"},
      {7, "00000", "00007"},         {42, "@", "42"},
      {1234.5, sections, "1,234.50"}, {-1234.5, sections, "(1,234.50)"}, {0, sections, "nil"},
      {-5, "0;[Red]0", "5"},         {0, "0;-0", "0"},                {0, "0;-0;;@", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(format_number(c.value, c.code), c.text) << c.code;
}

TEST(FormatNumber, DateAndTimeCodes) {
  const double april_first = 38443;  // a Friday
  const struct {
    double value;
    const char* code;
    const char* text;
  } cases[] = {
      {april_first, "dd/mm/yyyy", "01/04/2005"},           {april_first, "d/m/yy", "1/4/05"},
      {april_first, "ddd dd-mmm-yyyy", "Fri 01-Apr-2005"}, {april_first, "mmmmm", "A"},
      {april_first, "dddd, d mmmm yyyy", "Friday, 1 April 2005"},
      {april_first, "[$-409]d-mmm-yy;@", "1-Apr-05"},      {april_first, "h:mm am/pm", "12:00 am"},
      {april_first + 0.5, "dd/mm/yyyy hh:mm", "01/04/2005 12:00"},
      {april_first + 0.75, "h:mm AM/PM", "6:00 PM"},
      {april_first + 0.25, "hh:mm:ss", "06:00:00"},
      {3725.0 / 86400, "mm:ss", "02:05"},                  {1.5, "[h]:mm", "36:00"},
      {3725.0 / 86400, "h \"h\" m \"min\"", "1 h 2 min"},
      {0.5 + 0.4 / 86400, "hh:mm:ss", "12:00:00"},  {0.5 + 0.6 / 86400, "hh:mm:ss", "12:00:01"},
      {0.5 + 0.25 / 86400, "ss.00", "00.25"},              {-1, "dd/mm/yyyy", "########"},
  };
  for (const auto& c : cases) EXPECT_EQ(format_number(c.value, c.code), c.text) << c.code;
}

TEST(FormatText, OnlyATextSectionChangesAText) {
  EXPECT_EQ(format_text("ABCDE1234F", "0.00"), "ABCDE1234F");
  EXPECT_EQ(format_text("ABCDE1234F", "0;-0;0"), "ABCDE1234F");
  EXPECT_EQ(format_text("ABCDE1234F", "0;-0;0;\"PAN \"@"), "PAN ABCDE1234F");
  EXPECT_EQ(format_text("x", "0;-0;0;\"none\""), "x");
  EXPECT_EQ(format_text("x", "@"), "x");
}

}  // namespace
}  // namespace fenwarx
