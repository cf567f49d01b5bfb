// The public text helpers: padding, replacing, zero filling, the pause, the version.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "platform/clock/clock.hpp"
#include "platform/spreadsheet/memory_workbook.hpp"
#include "platform/values/runtime_error.hpp"
#include "returns/return_object.hpp"
#include "returns/text_helpers.hpp"

namespace fenwarx {
namespace {

constexpr double kDay = 45000;  // a whole-day serial
constexpr double kSecond = 1 / 86400.0;

struct Harness {
  explicit Harness(double now = kDay) : clock(fixed_clock(now)) {}
  RecordingUi ui;
  std::unique_ptr<Clock> clock;
  ReturnObject self{profile_of(Form::F26), Platform{ui, *clock}};
};

TEST(TextHelpers, AddSpaceLeftJustifiesInCharactersNotBytes) {
  const struct { const char* text; int width; const char* padded; } cases[] = {
      {"AB", 4, "AB  "}, {"ABCDE", 3, "ABC"}, {"ABC", 3, "ABC"}, {"", 0, ""}, {"", 2, "  "}, {"AB", 0, ""},
      {"R\xC3\xA9", 3, "R\xC3\xA9 "}, {"R\xC3\xA9my", 2, "R\xC3\xA9"}};
  for (const auto& c : cases) EXPECT_EQ(AddSpace(c.text, c.width), c.padded) << c.text << " in " << c.width;
  EXPECT_THAT([] { AddSpace("AB", -1); },
              testing::Throws<RuntimeError>(testing::Property(&RuntimeError::number, err::kInvalidCall)));
}

TEST(TextHelpers, XplaceReplacesEveryOccurrenceOnce) {
  const struct { const char *text, *find, *replacement, *result; } cases[] = {
      {"aaa", "a", "aa", "aaaaaa"},  // replacements are not searched again
      {"aaaa", "aa", "a", "aa"},     // nor are joins they create
      {"1,23,456", ",", "", "123456"}, {"Aba", "a", "x", "Abx"}, {"abc", "", "x", "abc"},
      {"abc", "abcd", "x", "abc"},     {"", "a", "x", ""},       {"a.b", ".", "..", "a..b"}};
  for (const auto& c : cases)
    EXPECT_EQ(xplace(c.text, c.find, c.replacement), Variant::text(c.result)) << c.text << " " << c.find;
  EXPECT_EQ(xplaceHidetxt("\ta\r\nb \x0B"), "ab \x0B");  // only tabs, line feeds and returns go
  EXPECT_EQ(xplaceName(" O'Brien\t"), " O'Brien\t");
  EXPECT_EQ(GetVersion(), "2.2D ");
}

TEST(TextHelpers, AddZeroRightJustifiesWithZerosAndShowsWhereATooLongValueWasRead) {
  const struct { const char* text; int width; const char* filled; } cases[] = {
      {"1234.50", 15, "000000000123450"}, {"12.50", 6, "001250"}, {"1 2", 5, "00102"}, {"123", 3, "123"},
      {"1 2", 3, "1 2"},  // already the width: the blank stays
      {"", 4, "0000"}, {"1.2.3", 4, "0123"}, {"", 0, ""}, {"1234567", 5, ""}};
  Harness h;
  for (const auto& c : cases) {
    EXPECT_EQ(AddZero(h.self, c.text, c.width), c.filled) << c.text << " in " << c.width;
    EXPECT_EQ(h.self.last_text, c.text);
  }
  auto workbook = layout({{"Deductee Details", {{7, 11, "500"}}}});
  h.self.current_sheet = workbook->find_sheet("Deductee Details");
  h.self.GetCellText(7, 11);
  EXPECT_EQ(AddZero(h.self, "12345.67", 5), "");
  auto shown = [](std::string where) {
    return Message{"Data Not Entered in Correct format at " + where + "\rInvalid procedure call or argument",
                   " Check Value and Correct according to format ", msg_style::kCritical};
  };
  EXPECT_EQ(h.ui.messages,  // nothing read before the first: no sheet to name
            (std::vector<Message>{shown("Row 0, Column 0 Entered as  1234567 in "),
                                  shown("Row 7, Column 11 Entered as  12345.67 in Deductee Details")}));
}

TEST(TextHelpers, LoadingDelayEndsAfterDelayPlusOneSecondBoundaries) {
  const struct { double start_second; int delay; double end_second; } cases[] = {
      {13, 0, 14}, {13.4, 0, 14}, {13.999, 0, 14}, {13.4, 3, 17},
      {86399.5, 1, 86401},  // past midnight
      {13.4, -1, 13.4}};    // no boundary needs to pass
  for (const auto& c : cases) {
    Harness h(kDay + c.start_second * kSecond);
    EXPECT_TRUE(LoadingDelay(h.self, c.delay).is_empty());
    EXPECT_NEAR((h.clock->now() - kDay) * 86400, c.end_second, 1e-4)
        << "from " << c.start_second << " s with delay " << c.delay;
  }
  Harness h(kDay + 13 * kSecond);  // ends exactly where a whole-second clock reads the boundary
  LoadingDelay(h.self, 0, true);
  EXPECT_EQ(h.clock->now(), kDay + 14 / 86400.0);
}

}  // namespace
}  // namespace fenwarx
