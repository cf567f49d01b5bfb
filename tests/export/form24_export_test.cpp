// The Form 24 return file: golden copies of a regular and a nil return, the
// challans' section told by the deductor's category, the nil challan dated at the
// quarter's end, and the rows the file does not carry, listed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/export.hpp"
#include "export/export_bench.hpp"
#include "export/record_writer.hpp"
#include "support/clean_return.hpp"
#include "support/test_paths.hpp"
#include "verify/verification.hpp"

namespace fenwarx {
namespace {

using namespace fenwarx::testing;
using enum Form;

constexpr int kCategoryRow = 16, kQuarterRow = 32;

// Challan 1 of 1000 and challan 2 of 0.50 + 1.50 + 2.50 (the batch header rounds
// 1004.50 to 1004.00); under challan 1 a name with a tab and a line break, and a
// row deposited on another day; under challan 2 a row without tax; and two rows
// without tax naming no challan of the return (0 and 9), which the file does not
// carry. Category "C": the challans' section is 92A.
std::vector<LaidSheet> regular_return(const std::string& category = "C") {
  auto sheets = clean_return(F24, 0);
  Cells& deductor = sheets[kDeductorSheet].cells;
  deductor = with(deductor, {{kCategoryRow, 2, category}});
  Cells& challans = sheets[kChallanSheet].cells;
  challans = with(challans, with(clean_challan(F24, 5, "2"),
                                 at_row(5, {{2, "0.50"}, {3, "1.50"}, {4, "2.50"}, {7, ""}})));
  Cells& rows = sheets[kDeducteeSheet].cells;
  for (const Cells& row : {with(clean_deductee(F24, 3, "1"), at_row(3, {{5, "Ram\tLal\nSingh"}})),
                           untaxed_deductee(4, "0"),
                           with(clean_deductee(F24, 5, "1"), at_row(5, {{15, "12/05/2005"}})),
                           untaxed_deductee(6, "2"), untaxed_deductee(7, "9")})
    rows = with(rows, row);
  return sheets;
}

std::vector<std::string> challan_sections(const std::string& file) {
  std::vector<std::string> sections;
  for (const std::string& line : lines_of(file))
    if (fields(line)[1] == "CD") sections.push_back(fields(line)[20]);
  return sections;
}

// The cells a verification marked, for a test's failure message.
std::string marked(const ReturnObject& self) {
  std::string out;
  for (const Finding& f : self.findings)
    out += f.sheet + " " + std::to_string(f.row) + "," + std::to_string(f.column) + ": " +
           std::string(rule_text(f.rule)) + "\n";
  return out;
}

Message success(const std::filesystem::path& folder) {
  return {"File Exported Successfully at " + (folder / "eTDS24.txt").string() +
              " ! Please Validate Your data",
          ""};
}

TEST(Form24Export, ARegularReturnWritesItsGoldenFileAndListsWhatItLeavesOut) {
  const std::filesystem::path folder = scratch_dir();
  ExportBench b(F24, folder);
  b.run(regular_return());
  ASSERT_TRUE(b.self.exported.completed) << marked(b.self);
  EXPECT_EQ(b.ui.messages, std::vector<Message>{success(folder)});
  EXPECT_EQ(files_in(folder), std::vector<std::string>{"eTDS24.txt"});
  const std::string file = b.file();
  expect_golden(file, "form24.txt");
  expect_record_shapes(file);
  expect_clean_check(file);
  EXPECT_EQ(b.self.exported.not_written, (std::vector<int>{4, 7}));
  EXPECT_TRUE(b.self.exported.nil_records.empty());
  EXPECT_EQ(b.self.exported.nil_challans, 0);

  // A verification beforehand, or a second export, changes nothing.
  ExportBench again(F24, scratch_dir());
  auto book = memory_workbook(regular_return());
  VerifyData_Vantor_ETDS(again.self, book);
  ExportETDS_Vantor(again.self, book);
  ExportETDS_Vantor(again.self, book);
  EXPECT_EQ(again.file(), file);
  EXPECT_EQ(again.self.exported.not_written, (std::vector<int>{4, 7}));
}

// Only a category held as exactly "C" gives 92A; the batch header carries it trimmed.
TEST(Form24Export, TheChallansSectionComesFromTheCategoryAsHeld) {
  const struct {
    const char *category, *section, *batch_category;
  } cases[] = {{"C", "92A", "C"}, {"c", "92B", "c"}, {" C", "92B", "C"}, {"S", "92B", "S"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.category + "\"");
    ExportBench b(F24, scratch_dir());
    b.run(regular_return(c.category));
    ASSERT_TRUE(b.self.exported.completed) << marked(b.self);
    const std::string file = b.file();
    EXPECT_EQ(challan_sections(file), (std::vector<std::string>{c.section, c.section}));
    EXPECT_EQ(fields(lines_of(file)[1])[31], c.batch_category);
    expect_clean_check(file);
  }
}

// What a verification leaves of a return without challans or deductees: the
// file states one nil challan, dated at the end of the quarter.
struct NilReturn {
  explicit NilReturn(const Cells& deductor_changes) : b(F24, scratch_dir()) {
    auto sheets = clean_return(F24, 0);
    sheets[kChallanSheet].cells.clear();
    Cells& deductor = sheets[kDeductorSheet].cells;
    deductor = with(deductor, deductor_changes);
    b.book = memory_workbook(sheets);
    b.self.bind(b.book);
    Verify_Challan(b.self);
    VerifyDeducteeDetails(b.self);
    b.ui.messages.clear();
    write_return_file(b.self);
  }
  ExportBench b;
};

TEST(Form24Export, ANilReturnWritesItsGoldenFile) {
  NilReturn nil({});
  EXPECT_EQ(nil.b.ui.messages, std::vector<Message>{success(nil.b.self.platform().output_folder)});
  const std::string file = nil.b.file();
  expect_golden(file, "form24-nil.txt");
  expect_record_shapes(file);
  expect_clean_check(file);
  EXPECT_EQ(nil.b.self.exported.nil_challans, 1);
  EXPECT_TRUE(nil.b.self.exported.not_written.empty());
}

// The nil challan is dated at the quarter's end (read as the other forms' nil
// return reads it: that test's cases). Category "O", trimmed and in upper case,
// gives a nil challan 92B.
TEST(Form24Export, TheNilChallanTakesTheQuarterEndAndTheCategory) {
  const struct {
    const char *quarter, *category, *date, *section;
  } cases[] = {{"q2", "A", "30092005", "92A"},
               {" Q3 ", "C", "31122005", "92A"},
               {"Q1", "O", "30062005", "92B"},
               {"Q1", " o ", "30062005", "92B"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.quarter + "\", \"" + c.category + "\"");
    NilReturn nil({{kQuarterRow, 2, c.quarter}, {kCategoryRow, 2, c.category}});
    const std::vector<std::string> lines = lines_of(nil.b.file());
    ASSERT_EQ(lines.size(), 3u);
    const std::vector<std::string> cd = fields(lines[2]);
    EXPECT_EQ(cd[5], "Y");
    EXPECT_EQ(cd[17], c.date);
    EXPECT_EQ(cd[20], c.section);
  }
}

// DD 25 is the date of deposit as ddMMyyyy (the golden file shows it), empty when
// the record holds none; DD 26, the rate, Form 24 does not have.
TEST(Form24Export, ADeducteeRecordWithoutADateOfDepositLeavesDD25Empty) {
  RecordingUi ui;
  const auto clock = fixed_clock(serial_from_civil({2006, 6, 15}));
  ReturnObject self(return_class(F24), Platform{ui, *clock});
  ReturnHeader header;
  header.financial_year = "2005";
  RecordWriter writer(self, export_profile(F24), header);
  DeducteeRecord record;
  record.set(DeducteeColumn::Rate, "10");
  std::string line;
  writer.write(record_table(F24, RecordKind::Deductee),
               {.line = 4, .challan_serial = 1, .deductee_serial = 1, .deductee = &record}, line);
  const std::vector<std::string> dd = fields(lines_of(line).at(0));
  ASSERT_EQ(dd.size(), 32u);
  EXPECT_EQ(dd[24], "");
  EXPECT_EQ(dd[25], "");
}

}  // namespace
}  // namespace fenwarx
