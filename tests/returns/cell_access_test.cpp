// Binding a workbook and the cell reader and writer every check rests on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "platform/clock/clock.hpp"
#include "platform/spreadsheet/memory_workbook.hpp"
#include "platform/values/runtime_error.hpp"
#include "returns/return_object.hpp"

namespace fenwarx {
namespace {

constexpr const char* kNotSet = "Object variable or With block variable not set";

struct Harness {
  explicit Harness(Form form = Form::F26) : self(profile_of(form), Platform{ui, *clock}) {}
  RecordingUi ui;
  std::unique_ptr<Clock> clock = fixed_clock(45000);
  ReturnObject self;
  std::shared_ptr<MemoryWorkbook> workbook = layout({{"Challan Details", {{2, 2, "kept"}}}});
  Worksheet* sheet = workbook->find_sheet("Challan Details");
};

TEST(CellAccess, GetCellTextTrimsThenTurnsApostrophesIntoBlanks) {
  const struct { Variant stored; const char* read; } cases[] = {
      {Variant::text("O'Brien"), "O Brien"}, {Variant::text("'AB'"), " AB "},
      {Variant::text(" ' "), " "},  // the trim comes first, so the blank stays
      {Variant::text("\tAB "), "\tAB"},  // blanks only: a tab is not trimmed
      {Variant::text("  AB  CD  "), "AB  CD"}, {Variant(), ""}, {Variant::number(12.5), "12.5"},
      {Variant::boolean(true), "True"}};
  for (const auto& c : cases) {
    Harness h;
    h.sheet->store_value(4, 6, c.stored);
    h.self.current_sheet = h.sheet;
    EXPECT_EQ(h.self.GetCellText(4, 6), c.read) << c.stored.to_text();
    EXPECT_EQ(h.self.last_text, c.read);
    EXPECT_TRUE(h.ui.messages.empty());
  }
}

TEST(CellAccess, FailuresShowTheirDescriptionAndKeepTheLastRead) {
  const struct { bool with_sheet; double row; const char* description; } cases[] = {
      {false, 3, kNotSet}, {true, 0, "Application-defined or object-defined error"}};
  for (const auto& c : cases) {
    Harness h;
    h.self.current_sheet = h.sheet;
    h.self.GetCellText(2, 2);
    if (!c.with_sheet) h.self.current_sheet = nullptr;
    EXPECT_EQ(h.self.GetCellText(c.row, 3), "");
    EXPECT_EQ(h.ui.messages, (std::vector<Message>{{c.description, "", msg_style::kPlain}}));
    EXPECT_EQ(h.self.last_text, "kept");  // what the last good read left
    EXPECT_EQ(h.self.last_row, 2);
    EXPECT_EQ(h.self.last_column, 2);
  }
}

TEST(CellAccess, PutCellTextWritesTheTrimmedTextAsTyped) {
  Harness h;
  h.self.PutCellText(1, 1, "AB");
  EXPECT_EQ(h.ui.messages, (std::vector<Message>{{kNotSet, "", msg_style::kPlain}}));
  h.self.current_sheet = h.sheet;
  for (auto [column, typed] : {std::pair{1, "  AB C "}, {2, " 12 "}, {3, "   "}})
    h.self.PutCellText(1, column, typed);
  EXPECT_EQ(h.sheet->stored_value(1, 1), Variant::text("AB C"));
  EXPECT_EQ(h.sheet->stored_value(1, 2), Variant::number(12));
  EXPECT_TRUE(h.sheet->stored_value(1, 3).is_empty());
  EXPECT_EQ(h.ui.messages.size(), 1u);
}

TEST(CellAccess, BindPerFormAndTheRegularFlagPerObjectOrPerThread) {
  const struct { Form form; const char* deductor_sheet; bool shared_flag; } cases[] = {
      {Form::F24, "Deductor Details", false}, {Form::F26, "Deductor Details", false},
      {Form::F27, "Deductor Details", true}, {Form::F27EQ, "Collector Details", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(profile_of(c.form).name);
    Harness h(c.form), other(c.form);
    auto workbook = layout({{"Challan Details", {}}, {c.deductor_sheet, {{1, 31, "4"}}}});
    h.self.bind(workbook);
    EXPECT_EQ(h.self.workbook, workbook);
    EXPECT_EQ(module_state().workbook, workbook);
    EXPECT_EQ(h.self.deductor_sheet, workbook->find_sheet(c.deductor_sheet));
    EXPECT_EQ(h.self.deductor_sheet->stored_value(1, 31), Variant::number(0));  // the error log count
    // Another workbook drops the sheets of the former one.
    h.self.current_sheet = module_state().deductee_sheet = workbook->find_sheet("Challan Details");
    h.self.bind(layout({{c.deductor_sheet, {}}}));
    EXPECT_EQ(h.self.current_sheet, nullptr);
    EXPECT_EQ(module_state().deductee_sheet, nullptr);

    h.self.regular_flag() = false;
    other.self.regular_flag() = true;
    EXPECT_EQ(h.self.regular_flag(), c.shared_flag);
    other.self.regular_flag() = false;
  }
  Harness h(Form::F27EQ);
  auto workbook = layout({{"Deductor Details", {}}});
  EXPECT_THAT([&] { h.self.bind(workbook); },
              testing::Throws<RuntimeError>(testing::Property(&RuntimeError::number, err::kSubscript)));
  EXPECT_EQ(module_state().workbook, workbook);  // stored before the sheet is fetched
  EXPECT_TRUE(h.ui.messages.empty());
}

}  // namespace
}  // namespace fenwarx
