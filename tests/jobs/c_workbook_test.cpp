// The C interface for a caller that holds the workbook itself (the spreadsheet's
// toolbar in its bulk mode): a job run on cells handed over must change exactly
// what the same job run on the workbook's file changes.
#include "jobs/c_workbook.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "jobs/jobs.hpp"
#include "jobs/result_json.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/dates.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "support/clean_return.hpp"
#include "support/test_paths.hpp"

namespace fenwarx::jobs {
namespace {

using namespace fenwarx::testing;
namespace fs = std::filesystem;

const double kToday = serial_from_civil({2006, 1, 15});

using Book = std::unique_ptr<fenwarx_book, decltype(&fenwarx_book_release)>;

// The sheets handed over as a caller reads them: each sheet's values in one
// call, then the number format of each cell that has one, spelled as `spell`
// gives it.
Book book_of(
    Workbook& workbook, std::string (*spell)(std::string) = [](std::string code) { return code; }) {
  Book book(fenwarx_book_new(nullptr), fenwarx_book_release);
  for (const std::string& name : workbook.sheet_names()) {
    Worksheet& sheet = workbook.Worksheets(name);
    const int rows = sheet.last_row(), columns = sheet.last_column();
    std::vector<unsigned char> kinds;
    std::vector<double> numbers;
    std::string texts;
    for (int row = 1; row <= rows; ++row) {
      for (int column = 1; column <= columns; ++column) {
        const Variant value = sheet.stored_value(row, column);
        switch (value.type()) {
          case VariantType::Number: kinds.push_back(FENWARX_NUMBER); break;
          case VariantType::Text: kinds.push_back(FENWARX_TEXT); break;
          case VariantType::Boolean: kinds.push_back(FENWARX_BOOLEAN); break;
          default: kinds.push_back(FENWARX_EMPTY);
        }
        numbers.push_back(value.type() == VariantType::Number ? value.number_value() : 0);
        if (value.type() == VariantType::Text) texts += value.text_value() + '\0';
      }
    }
    EXPECT_EQ(fenwarx_book_add_sheet(book.get(), name.c_str(), rows, columns, kinds.data(),
                                     numbers.data(), texts.data(), texts.size()),
              0);
    for (int row = 1; row <= rows; ++row) {
      for (int column = 1; column <= columns; ++column) {
        const std::string code = sheet.number_format(row, column);
        if (code != "General")
          fenwarx_book_format(book.get(), name.c_str(), row, column, row, column,
                              spell(code).c_str(), -1);
      }
    }
  }
  return book;
}

std::vector<fenwarx_cell_change> changes_of(fenwarx_book* book) {
  std::size_t count = 0;
  const fenwarx_cell_change* changes = fenwarx_book_changes(book, &count);
  return {changes, changes + count};
}

Variant value_of(const fenwarx_variant& v) {
  switch (v.type) {
    case FENWARX_NUMBER: return Variant::number(v.number);
    case FENWARX_TEXT: return Variant::text(v.text);
    case FENWARX_BOOLEAN: return Variant::boolean(v.number != 0);
    case FENWARX_ERROR: return Variant::error(static_cast<int>(v.number));
    default: return {};
  }
}

// Verify of a return with a mistake and export of a clean one, on the file and
// on the cells: the same report (but the saved file), and the changes written
// over the cells make what the job saved, cell for cell: value, text and fill.
TEST(BookJobs, ChangeWhatTheSameJobChangesInTheFile) {
  for (const auto& [job, mistakes] :
       {std::pair<const char*, Cells>{"verify", {{4, 3, "not a pan"}, {3, 15, "15/07/2005"}}},
        std::pair<const char*, Cells>{"export", {}}}) {
    SCOPED_TRACE(job);
    const fs::path dir = scratch_dir();
    auto sheets = clean_return(Form::F26, 3);
    sheets[kDeducteeSheet].cells = with(sheets[kDeducteeSheet].cells, mistakes);
    write_workbook(dir / "return.xlsx", sheets);
    const Environment environment{.today = kToday, .out_dir = dir};
    Result on_file = std::string(job) == "verify"
                         ? verify({.workbook = dir / "return.xlsx"}, environment)
                         : export_return({.workbook = dir / "return.xlsx"}, environment);
    ASSERT_TRUE(on_file.saved);
    on_file.saved.reset();

    const auto before = memory_workbook(sheets);
    Book book = book_of(*before);
    EXPECT_EQ(fenwarx_book_run(book.get(), job, nullptr, dir.c_str(), kToday, nullptr, nullptr),
              json_text(on_file));
    const auto saved = XlsxWorkbook::open(dir / "return.xlsx");
    const std::vector<fenwarx_cell_change> changes = changes_of(book.get());
    ASSERT_FALSE(changes.empty());
    for (const fenwarx_cell_change& change : changes) {
      Worksheet& sheet = before->Worksheets(change.sheet);
      if (change.changed & FENWARX_CHANGED_VALUE)
        sheet.store_value(change.row, change.column, value_of(change.value));
      if (change.changed & FENWARX_CHANGED_FORMAT)
        sheet.set_number_format(change.row, change.column, change.format);
      if (change.changed & FENWARX_CHANGED_COLOR)
        sheet.set_interior_color(change.row, change.column,
                                 static_cast<std::uint32_t>(change.color));
    }
    for (const std::string& name : saved->sheet_names()) {
      Worksheet &expected = saved->Worksheets(name), &actual = before->Worksheets(name);
      for (int row = 1; row <= expected.last_row(); ++row) {
        for (int column = 1; column <= expected.last_column(); ++column) {
          SCOPED_TRACE(name + " row " + std::to_string(row) + " column " + std::to_string(column));
          EXPECT_EQ(actual.stored_value(row, column), expected.stored_value(row, column));
          EXPECT_EQ(actual.interior_color(row, column), expected.interior_color(row, column));
          EXPECT_EQ(actual.Cells(row, column).Text(), expected.Cells(row, column).Text());
        }
      }
    }
  }
}

// A clean return changes what the run writes, nothing else: a date format
// spelled in capitals, as another spreadsheet spells it, is the date format the
// checks give a date, and a mark cleared where there is none is no change.
TEST(BookJobs, ACleanReturnChangesOnlyWhatTheRunWrites) {
  auto sheets = clean_return(Form::F26, 2);
  const auto workbook = memory_workbook(sheets);
  Book book = book_of(*workbook, [](std::string code) {
    for (char& c : code) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return code;
  });
  const std::string report =
      fenwarx_book_run(book.get(), "verify", "26", nullptr, kToday, nullptr, nullptr);
  EXPECT_NE(report.find("\"errors\": 0,"), std::string::npos) << report;
  EXPECT_NE(report.find("\"saved\": null,"), std::string::npos) << report;
  const CellPlace flag = workbook_layout(Form::F26).deductor.flag;
  bool flagged = false;
  for (const fenwarx_cell_change& change : changes_of(book.get())) {
    SCOPED_TRACE(std::string(change.sheet) + " " + std::to_string(change.row) + "," +
                 std::to_string(change.column));
    if (change.changed & FENWARX_CHANGED_FORMAT)
      EXPECT_FALSE(equal_ignoring_case(
          change.format,
          workbook->Worksheets(change.sheet).number_format(change.row, change.column)));
    EXPECT_NE(change.color, static_cast<long>(kColorError));
    if (change.row == flag.row && change.column == flag.column) {
      flagged = true;
      EXPECT_STREQ(change.value.text, "Verified");
    }
  }
  EXPECT_TRUE(flagged);
}

// What does not add up is refused whole, and a job of no known name or form
// comes back as a failure, changing nothing.
TEST(BookJobs, RefusesWhatDoesNotAddUp) {
  Book book(fenwarx_book_new(nullptr), fenwarx_book_release);
  const unsigned char kinds[] = {FENWARX_TEXT, FENWARX_TEXT, 9};
  const double numbers[] = {0, 0, 0};
  EXPECT_EQ(fenwarx_book_add_sheet(book.get(), "Short", 1, 2, kinds, numbers, "one", 4), 5);
  EXPECT_EQ(fenwarx_book_add_sheet(book.get(), "Kind", 1, 3, kinds, numbers, "a\0b", 4), 5);
  EXPECT_EQ(fenwarx_book_format(book.get(), "Short", 1, 1, 1, 1, "0.00", -1), 9);
  EXPECT_EQ(fenwarx_book_add_sheet(book.get(), "Two", 1, 2, kinds, numbers, "a\0b", 4), 0);
  EXPECT_EQ(fenwarx_book_format(book.get(), "Two", 2, 1, 1, 1, "0.00", -1), 5);
  for (const auto& [job, form, failure] :
       {std::tuple{"verify", "25", "not a return form (24, 26, 27 or 27EQ): 25"},
        std::tuple{"certify", "", "no job of that name: certify"}}) {
    const std::string report =
        fenwarx_book_run(book.get(), job, form, nullptr, kToday, nullptr, nullptr);
    EXPECT_NE(report.find(failure), std::string::npos) << report;
  }
  EXPECT_TRUE(changes_of(book.get()).empty());
}

}  // namespace
}  // namespace fenwarx::jobs
