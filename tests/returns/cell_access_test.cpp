// The cell reader and writer every check rests on, binding a workbook, and the public
// text helpers: padding, replacing, zero filling and the pause (the version: the call command).
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "platform/clock/clock.hpp"
#include "platform/spreadsheet/memory_workbook.hpp"
#include "platform/values/runtime_error.hpp"
#include "state/return_object.hpp"
#include "state/text_helpers.hpp"
#include "support/error_of.hpp"

namespace fenwarx {
namespace {

constexpr const char* kNotSet = "Object variable or With block variable not set";
constexpr double kDay = 45000, kSecond = 1 / 86400.0;  // a whole-day serial

// The challan sheet current, holding "kept" at (2, 2).
struct Harness {
  explicit Harness(Form form = Form::F26, double now = kDay)
      : clock(fixed_clock(now)), self(return_class(form), Platform{ui, *clock}) {
    self.current_sheet = sheet;
  }
  RecordingUi ui;
  std::unique_ptr<Clock> clock;
  ReturnObject self;
  std::shared_ptr<MemoryWorkbook> workbook = layout({{"Challan Details", {{2, 2, "kept"}}}});
  Worksheet* sheet = workbook->find_sheet("Challan Details");
};

using fenwarx::testing::error_number_of;

TEST(CellAccess, GetCellTextTrimsThenTurnsApostrophesIntoBlanks) {
  // clang-format off
  const struct { Variant stored; const char* read; } cases[] = {
      {Variant::text("O'Brien"), "O Brien"}, {Variant::text("'AB'"), " AB "},
      {Variant::text(" ' "), " "},       // the trim comes first, so the blank stays
      {Variant::text("\tAB "), "\tAB"},  // blanks only: a tab is not trimmed
      {Variant::text("  AB  CD  "), "AB  CD"}, {Variant(), ""}, {Variant::number(12.5), "12.5"}};
  for (const auto& c : cases) {
    Harness h;
    h.sheet->store_value(4, 6, c.stored);
    EXPECT_EQ(h.self.GetCellText(4, 6), c.read) << c.stored.to_text();
    EXPECT_TRUE(h.self.last.text == c.read && h.ui.messages.empty());
  }
  // clang-format on
}

TEST(CellAccess, FailuresShowTheirDescriptionAndKeepTheLastRead) {
  for (const bool with_sheet : {false, true}) {
    Harness h;
    h.self.GetCellText(2, 2);
    if (!with_sheet) h.self.current_sheet = nullptr;
    EXPECT_EQ(h.self.GetCellText(with_sheet ? 0 : 3, 3), "");
    const char* description = with_sheet ? "Application-defined or object-defined error" : kNotSet;
    EXPECT_EQ(h.ui.messages, (std::vector<Message>{{description, "", msg_style::kPlain}}));
    EXPECT_TRUE(h.self.last.text == "kept" && h.self.last.row == 2 &&
                h.self.last.column == 2);  // the last good read
  }
}

TEST(CellAccess, PutCellTextWritesTheTrimmedTextAsTyped) {
  Harness h;
  h.self.current_sheet = nullptr;
  h.self.PutCellText(1, 1, "AB");
  EXPECT_EQ(h.ui.messages, (std::vector<Message>{{kNotSet, "", msg_style::kPlain}}));
  h.self.current_sheet = h.sheet;
  for (auto [column, typed] : {std::pair{1, "  AB C "}, {2, " 12 "}, {3, "   "}})
    h.self.PutCellText(1, column, typed);
  EXPECT_EQ(h.sheet->stored_value(1, 1), Variant::text("AB C"));
  EXPECT_EQ(h.sheet->stored_value(1, 2), Variant::number(12));
  EXPECT_TRUE(h.sheet->stored_value(1, 3).is_empty() && h.ui.messages.size() == 1);
}

TEST(CellAccess, BindPerFormAndTheRegularFlagPerObjectOrPerThread) {
  // clang-format off
  const struct { Form form; const char* deductor_sheet; bool shared_flag; } cases[] = {
      {Form::F24, "Deductor Details", false}, {Form::F27, "Deductor Details", true},
      {Form::F27EQ, "Collector Details", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(form_name(c.form));
    Harness h(c.form), other(c.form);
    auto workbook = layout({{"Challan Details", {}}, {c.deductor_sheet, {{1, 31, "4"}}}});
    h.self.bind(workbook);
    EXPECT_TRUE(h.self.workbook == workbook && module_state().workbook == workbook);
    EXPECT_EQ(h.self.deductor_sheet, workbook->find_sheet(c.deductor_sheet));
    EXPECT_EQ(h.self.deductor_sheet->stored_value(1, 31), Variant::number(0));  // the error log count
    // Another workbook drops the sheets of the former one.
    h.self.current_sheet = module_state().deductee_sheet = workbook->find_sheet("Challan Details");
    h.self.bind(layout({{c.deductor_sheet, {}}}));
    EXPECT_TRUE(h.self.current_sheet == nullptr && module_state().deductee_sheet == nullptr);
    h.self.regular_flag() = false;
    other.self.regular_flag() = true;
    EXPECT_EQ(std::exchange(h.self.regular_flag(), false), c.shared_flag);
  }
  // clang-format on
  Harness h(Form::F27EQ);
  auto workbook = layout({{"Deductor Details", {}}});
  EXPECT_EQ(error_number_of([&] { h.self.bind(workbook); }), err::kSubscript);
  EXPECT_TRUE(module_state().workbook == workbook &&
              h.ui.messages.empty());  // stored before the sheet is fetched
}

TEST(TextHelpers, AddSpaceInCharactersNotBytesAndXplaceReplacesEveryOccurrenceOnce) {
  // clang-format off
  const struct { const char* text; int width; const char* padded; } spaced[] = {
      {"AB", 4, "AB  "}, {"ABCDE", 3, "ABC"}, {"", 2, "  "}, {"AB", 0, ""}, {"R\xC3\xA9", 3, "R\xC3\xA9 "},
      {"R\xC3\xA9my", 2, "R\xC3\xA9"}};
  for (const auto& c : spaced) EXPECT_EQ(AddSpace(c.text, c.width), c.padded) << c.text << " in " << c.width;
  EXPECT_EQ(error_number_of([] { AddSpace("AB", -1); }), err::kInvalidCall);
  const struct { const char *text, *find, *replacement, *result; } replaced[] = {
      {"aaa", "a", "aa", "aaaaaa"},  // replacements are not searched again
      {"aaaa", "aa", "a", "aa"},     // nor are joins they create
      {"1,23,456", ",", "", "123456"}, {"Aba", "a", "x", "Abx"}, {"abc", "", "x", "abc"}, {"abc", "abcd", "x", "abc"}};
  for (const auto& c : replaced)
    EXPECT_EQ(xplace(c.text, c.find, c.replacement), Variant::text(c.result)) << c.text << " " << c.find;
  EXPECT_EQ(xplaceHidetxt("\ta\r\nb \x0B"), "ab \x0B");  // only tabs, line feeds and returns go
  EXPECT_EQ(xplaceName(" O'Brien\t"), " O'Brien\t");
}
// clang-format on

TEST(TextHelpers, AddZeroRightJustifiesWithZerosAndShowsWhereATooLongValueWasRead) {
  // clang-format off
  const struct { const char* text; int width; const char* filled; } cases[] = {
      {"1234.50", 15, "000000000123450"}, {"1 2", 5, "00102"}, {"123", 3, "123"},
      {"1 2", 3, "1 2"},  // already the width: the blank stays
      {"", 4, "0000"}, {"1.2.3", 4, "0123"}, {"1234567", 5, ""}};
  Harness h;
  h.self.current_sheet = nullptr;
  for (const auto& c : cases) {
    EXPECT_EQ(AddZero(h.self, c.text, c.width), c.filled) << c.text << " in " << c.width;
    EXPECT_EQ(h.self.last.text, c.text);  // what a later box names
  }
  // clang-format on
  auto workbook = layout({{"Deductee Details", {{7, 11, "500"}}}});
  h.self.current_sheet = workbook->find_sheet("Deductee Details");
  h.self.GetCellText(7, 11);
  EXPECT_EQ(AddZero(h.self, "12345.67", 5), "");
  auto shown = [](std::string where) {
    return Message{
        "Data Not Entered in Correct format at " + where + "\rInvalid procedure call or argument",
        " Check Value and Correct according to format ", msg_style::kCritical};
  };
  EXPECT_EQ(
      h.ui.messages,  // nothing read before the first: no sheet to name
      (std::vector<Message>{shown("Row 0, Column 0 Entered as  1234567 in "),
                            shown("Row 7, Column 11 Entered as  12345.67 in Deductee Details")}));
}

TEST(TextHelpers, LoadingDelayEndsAfterDelayPlusOneSecondBoundaries) {
  // clang-format off
  const struct { double start_second; int delay; double end_second; } cases[] = {
      {13, 0, 14}, {13.999, 0, 14}, {13.4, 3, 17},
      {86399.5, 1, 86401},  // past midnight
      {13.4, -1, 13.4}};    // no boundary needs to pass
  for (const auto& c : cases) {
    Harness h(Form::F26, kDay + c.start_second * kSecond);
    EXPECT_TRUE(LoadingDelay(h.self, c.delay).is_empty());
    EXPECT_NEAR((h.clock->now() - kDay) * 86400, c.end_second, 1e-4) << "from " << c.start_second << " s + " << c.delay;
  }
  // clang-format on
  Harness h(Form::F26,
            kDay + 13 * kSecond);  // ends exactly where a whole-second clock reads the boundary
  LoadingDelay(h.self, 0, true);
  EXPECT_EQ(h.clock->now(), kDay + 14 / 86400.0);
}

}  // namespace
}  // namespace fenwarx
