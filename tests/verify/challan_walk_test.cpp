// The challan walk: per-column checks, the computed columns and their records, the
// end of the data, Form 26's stray-row guard, the book-entry rule, and the
// per-challan tally of the deductee sheet.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "support/clean_return.hpp"
#include "verify/challan_tally.hpp"
#include "verify/verification.hpp"

namespace fenwarx {
namespace {

using namespace fenwarx::testing;
using enum Form;

// Where a form keeps the challan's amounts, their total and the tallied columns.
struct ChallanColumns {
  int first_amount, total, count;
  std::array<int, 5> sums;    // repeating the deductee tax parts, tax and deposit
  std::array<int, 2> copies;  // of the last two amounts
  int voucher, transfer;      // the book-entry rule
};
ChallanColumns columns_of(Form form) {
  if (form == F24) return {2, 7, 15, {16, 17, 18, 21, 22}, {19, 20}, 12, 13};
  return {3, 8, 16, {17, 18, 19, 22, 23}, {20, 21}, 13, 14};
}
// The record field that keeps challan column `column`.
ChallanColumn field_of(Form form, int column) {
  return workbook_layout(form).challans.columns.at(column).role;
}

// The deductee columns the tally reads: the serial and the five summed ones.
struct TalliedColumns {
  int serial;
  std::array<int, 5> summed;
};
TalliedColumns deductee_columns(Form form) {
  if (form == F24) return {12, {8, 9, 10, 11, 13}};
  if (form == F27EQ) return {20, {12, 13, 14, 15, 17}};
  return {19, {11, 12, 13, 14, 16}};
}

// A clean deductee row with these amounts in the summed columns.
using Parts = std::array<const char*, 5>;
Cells deductee_row(Form form, int row, const std::string& serial, Parts parts) {
  Cells cells = clean_deductee(form, row, serial);
  const TalliedColumns d = deductee_columns(form);
  for (int k = 0; k < 5; ++k) cells = with(cells, {{row, d.summed[k], parts[k]}});
  return cells;
}
Cells rows_of(Cells a, const Cells& b, const Cells& c) { return with(with(std::move(a), b), c); }

// The challan walk over a clean return whose challan and deductee rows are these,
// with `deductor` typed over its deductor sheet, for the year 2005.
struct Bench : ReturnBench {
  Bench(Form form, const Cells& challans, const Cells& deductees = {}, const Cells& deductor = {})
      : ReturnBench(form) {
    auto sheets = clean_return(form, 0);
    Cells& headed = sheets[kChallanSheet].cells;
    std::erase_if(headed, [](const LaidCell& cell) { return cell.row > 1; });
    headed = with(headed, challans);
    sheets[kDeducteeSheet].cells = with(sheets[kDeducteeSheet].cells, deductees);
    sheets[kDeductorSheet].cells = with(sheets[kDeductorSheet].cells, deductor);
    workbook = memory_workbook(sheets);
    self.bind(workbook);
    self.financial_year = "2005";
    sheet = workbook->find_sheet(p.challans.name);
  }
  void run() { Verify_Challan(self); }
  std::uint32_t color(int row, int column) { return sheet->interior_color(row, column); }
};

TEST(ChallanWalk, CleanSheetsGiveNoMarkAndEndAtTheFirstEmptySerial) {
  for (Form form : kForms) {
    SCOPED_TRACE(form_name(form));
    Bench b(form, with(clean_challan(form), clean_challan(form, 5, "2")),
            with(clean_deductee(form), clean_deductee(form, 4, "2")));
    b.self.totals.challan_total = 77;
    b.run();
    EXPECT_TRUE(b.marks().empty());
    EXPECT_EQ(b.self.error_count, 0);
    EXPECT_TRUE(b.ui.messages.empty());
    EXPECT_EQ(b.self.totals.challan_count, 2);
    EXPECT_EQ(b.self.records.challan_index, 2);
    EXPECT_EQ(b.self.totals.challan_total, 2000);
    EXPECT_EQ(b.workbook->GetApplication().StatusBar(), " Verifing Challan Details Row NO 6");
    EXPECT_EQ(b.text(6, 2), "End of Data");
    for (int column = 1; column <= 6; ++column)
      EXPECT_EQ(b.color(6, column), column <= 5 ? kColorEndOfData : kColorNone) << column;
    // Form 26 leaves the transfer column as typed; the other forms' book-entry
    // rule empties it beside a voucher.
    EXPECT_EQ(b.text(4, columns_of(form).voucher), "12345");
    EXPECT_EQ(b.text(4, columns_of(form).transfer), form == F26 ? "T1" : "");
  }
}

// Each computed column, in the sheet and in the record; the deductee rows are read
// as they stand, and a row of another challan does not count.
TEST(ChallanWalk, ComputedColumnsTotalCountSumAndCopy) {
  for (Form form : kForms) {
    SCOPED_TRACE(form_name(form));
    const ChallanColumns c = columns_of(form);
    const Parts amounts{"60", "30.5", "10", "7", "2.5"};
    Cells challan = with(clean_challan(form), {{4, c.total, "5"}});
    for (int k = 0; k < 5; ++k) challan = with(challan, {{4, c.first_amount + k, amounts[k]}});
    Bench b(form, challan,
            rows_of(deductee_row(form, 3, "1", {"40", "1", "0", "41", "41"}),
                    deductee_row(form, 4, "3", {"500", "500", "500", "500", "500"}),
                    deductee_row(form, 5, "1", {"20.5", "0", "2", "22.5", "22.5"})));
    b.run();
    EXPECT_TRUE(b.marks().empty());
    // Form 24 keeps its amounts as typed; the others round them, halves to even.
    const bool rounded = form != F24;
    const ChallanRecord& record = b.self.records.challans.at(0);
    EXPECT_EQ(b.text(4, c.first_amount + 1), rounded ? "30" : "30.5");
    EXPECT_EQ(b.self.totals.challan_total, rounded ? 109 : 110);
    const Parts sums{"60.5", "1", "2", "63.5", "63.5"};
    std::vector<std::pair<int, std::string>> cells{{c.total, rounded ? "109" : "110"},
                                                   {c.count, "2"}};
    for (int k = 0; k < 5; ++k) cells.emplace_back(c.sums[k], sums[k]);
    for (const auto& [column, text] : cells) {
      EXPECT_EQ(b.text(4, column), text) << column;
      EXPECT_EQ(record[field_of(form, column)], text) << column;
    }
    EXPECT_EQ(b.text(4, c.copies[0]), "7");
    EXPECT_EQ(b.text(4, c.copies[1]), rounded ? "2" : "2.5");
    for (int copy : c.copies) EXPECT_EQ(record[field_of(form, copy)], "0.00") << copy;
    EXPECT_EQ(record[ChallanColumn::SerialNumber], "1");
    EXPECT_EQ(record[ChallanColumn::MinorHead], form == F27EQ ? "A" : "");
    EXPECT_EQ(record[ChallanColumn::Section], form == F24 ? "" : b.text(4, 2));  // Form 24 has none
  }
}

// Each check marks where its rule says, and only there.
TEST(ChallanWalk, ColumnRulesMarkTheirOwnCells) {
  // clang-format off
  const struct {
    Form form;
    Cells changes;
    Marks marks;
    int errors = 0;  // beyond one per marked cell: a cell marked twice
    Cells deductor = {};
    LaidCell after = {0, 0, ""};  // what a cell holds after the walk
  } cases[] = {
      {F26, {{4, 2, "194X"}}, {{4, 2}}}, {F26, {{4, 2, ""}}, {{4, 2}}}, {F26, {{4, 2, "194c"}}, {}},
      {F27, {{4, 2, "194C"}}, {{4, 2}}}, {F27, {{4, 2, "196d"}}, {}},
      {F27EQ, {{4, 2, "195"}}, {{4, 2}}},
      // The total of empty amounts is 0 beside a section code.
      {F26, {{4, 3, ""}, {4, 8, "100"}}, {{4, 8}}, 0, {}, {4, 8, "0"}},
      {F26, {{4, 3, "abc"}}, {{4, 8}}, 0, {}, {4, 3, "0"}},
      // A bank code of at most seven characters.
      {F26, {{4, 10, "ABCDEFGH"}}, {{4, 10}}}, {F26, {{4, 10, "ABCDEFG"}}, {}},
      {F24, {{4, 9, "ABCDEFGH"}}, {{4, 9}}},
      // The date must be present and not after today, then within the year.
      {F26, {{4, 11, ""}}, {{4, 11}}, 1}, {F26, {{4, 11, "15/06/2006"}}, {}},
      {F26, {{4, 11, "17/06/2006"}}, {{4, 11}}, 1}, {F26, {{4, 11, "30/03/2005"}}, {{4, 11}}},
      {F24, {{4, 10, "17/06/2006"}}, {{4, 10}}, 1},
      // A date kept as text compares as the date it reads as; other text is no date.
      {F26, {{4, 11, "'15/05/2005"}}, {}}, {F26, {{4, 11, "'abc"}}, {{4, 11}}, 1},
      // The flag is Y or N, empty meaning N.
      {F26, {{4, 12, ""}}, {}, 0, {}, {4, 12, "N"}}, {F26, {{4, 12, "Y"}}, {}},
      {F26, {{4, 12, "y"}}, {{4, 12}}}, {F24, {{4, 11, "X"}}, {{4, 11}}},
      // Form 26's columns 13 and 14 have no rule.
      {F26, {{4, 13, "1234567"}, {4, 14, ""}}, {}, 0, {{16, 2, "C"}}, {4, 13, "1234567"}},
      // The book-entry rule runs from both its columns' entries, so a bad voucher
      // or a missing transfer counts twice: a voucher of 6 characters, or no
      // transfer for deductor category C with the flag Y.
      {F27, {{4, 13, "123456"}}, {{4, 13}}, 1, {}, {4, 14, ""}},
      {F27EQ, {{4, 13, "123456"}}, {{4, 13}}, 1, {{16, 2, "c"}}, {4, 14, ""}},
      {F27, {{4, 12, "Y"}, {4, 14, ""}}, {{4, 14}}, 1, {{16, 2, " c "}}, {4, 13, ""}},
      {F27, {{4, 12, "Y"}, {4, 13, "123456"}}, {}, 0, {{16, 2, "C"}}, {4, 14, "T1"}},
      {F24, {{4, 12, "123456"}}, {{4, 12}}, 1, {}, {4, 13, ""}},
      {F24, {{4, 11, "Y"}, {4, 13, ""}}, {{4, 13}}, 1, {{16, 2, "C"}}, {4, 12, ""}},
      {F24, {{4, 11, "Y"}, {4, 12, "123456"}}, {}, 0, {{16, 2, "C"}}, {4, 13, "T1"}},
      {F27EQ, {{4, 24, "J"}}, {{4, 24}}}, {F27EQ, {{4, 24, "i"}}, {}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << form_name(c.form) << " case " << (&c - cases));
    Bench b(c.form, with(clean_challan(c.form), c.changes),
            deductee_row(c.form, 3, "1", {"0", "0", "0", "0", "0"}), c.deductor);
    b.run();
    EXPECT_EQ(b.marks(), c.marks);
    EXPECT_EQ(b.self.error_count, static_cast<double>(c.marks.size() + c.errors));
    EXPECT_TRUE(b.ui.messages.empty());
    if (c.after.row) {
      EXPECT_EQ(b.text(c.after.row, c.after.column), c.after.typed);
    }
    EXPECT_EQ(b.self.current_sheet, b.sheet);  // the category read switches back
  }
}

TEST(ChallanWalk, TalliesAboveTheChallanTotalAreMarked) {
  for (Form form : kForms) {
    SCOPED_TRACE(form_name(form));
    const ChallanColumns c = columns_of(form);
    Bench b(form, clean_challan(form),
            deductee_row(form, 3, "1", {"0", "0", "0", "1000.5", "1000.5"}));
    b.run();
    EXPECT_EQ(b.marks(), (Marks{{4, c.sums[3]}, {4, c.sums[4]}}));
  }
}

// Form 26 alone refuses a challan sheet whose first row is empty while the next
// is not: it says so in the row and stops, counting no error. The other forms
// stop there too, but as a gap with data below it: the empty first cell is an error.
TEST(ChallanWalk, AnEmptyFirstRowBeforeDataIsFlaggedOnlyInForm26) {
  for (Form form : kForms) {
    SCOPED_TRACE(form_name(form));
    Bench b(form, clean_challan(form, 5, "2"));
    b.self.totals.challan_count = 9;
    b.run();
    const bool f26 = form == F26;
    EXPECT_EQ(b.self.error_count, f26 ? 0 : 1);
    EXPECT_EQ(b.text(5, columns_of(form).total), "1000");  // row 5 is never reached
    EXPECT_EQ(b.text(4, 1), f26 ? "Delete This Row" : "");
    EXPECT_EQ(b.text(4, 2), f26 ? "" : "End of Data");
    for (int column = 1; column <= 6; ++column)
      EXPECT_EQ(b.color(4, column), column > 5           ? kColorNone
                                    : f26 || column == 1 ? kColorError
                                                         : kColorEndOfData)
          << column;
    EXPECT_EQ(b.self.totals.challan_count, f26 ? 9 : 0);
  }
}

// An empty sheet ends at once; an "End of Data" left by an earlier run ends the
// data even with rows below it, but over a row of data it is an error at the marker.
TEST(ChallanWalk, EndOfDataAndTheStaleEndOfDataStop) {
  Bench empty(F26, {});
  empty.self.totals.challan_total = 5;
  empty.run();
  EXPECT_EQ(empty.text(4, 2), "End of Data");
  EXPECT_EQ(empty.self.totals.challan_count, 0);
  EXPECT_EQ(empty.self.totals.challan_total, 0);

  for (Form form : kForms) {
    SCOPED_TRACE(form_name(form));
    const ChallanColumns c = columns_of(form);
    const Cells rows =
        rows_of(clean_challan(form), clean_challan(form, 5, "2"), clean_challan(form, 6, "3"));
    Bench b(form, with(rows, {{5, 2, " End of Data "}, {6, c.total, "7"}}));
    b.run();
    EXPECT_EQ(b.self.totals.challan_count, 1);
    EXPECT_EQ(b.text(5, 2), "End of Data");
    EXPECT_EQ(b.color(5, 1), kColorEndOfData);
    EXPECT_EQ(b.marks(), (Marks{{5, 2}}));
    ASSERT_EQ(b.self.findings.size(), 1u);
    EXPECT_EQ(b.self.findings[0].rule, Rule::DataUnderMarker);
    EXPECT_EQ(b.text(6, c.total), "7");
  }
}

TEST(ChallanWalk, RecordsKeepEveryColumnOfTheRowAndASecondRunRebuildsThem) {
  Bench b(F26, with(clean_challan(F26), {{4, 9, "note"}, {4, 13, "V1"}, {4, 15, "O'Neil"}}),
          deductee_row(F26, 3, "1", {"10", "10", "10", "10", "10"}));
  b.run();
  b.run();
  EXPECT_EQ(b.self.totals.challan_total, 1000);
  // Form 26's columns in the order of the record's fields.
  const std::vector<std::string> texts{
      "1",  "194C", "1000",   "0", "0",  "0",  "0",  "1000", "note", "510001", "15/05/2005", "N",
      "V1", "T1",   "O Neil", "1", "10", "10", "10", "0.00", "0.00", "10",     "10",         ""};
  ChallanRecord expected;
  for (std::size_t i = 0; i < texts.size(); ++i)
    expected.set(static_cast<ChallanColumn>(i), texts[i]);
  EXPECT_EQ(b.self.records.challans, std::vector{expected});
}

// After a verification that normalised the deductee rows, tallying the challans
// again does what a second challan check does: the same cells, marks, log lines
// and records, down to a deposit the normalised tax now exceeds.
TEST(ChallanWalk, RetallyingDoesWhatASecondCheckDoes) {
  for (Form form : kForms) {
    for (const char* tax : {"10.4", "900.5"}) {  // 900.5 puts the tax past the deposit
      SCOPED_TRACE(std::string(form_name(form)) + " " + tax);
      Cells deductees = rows_of(deductee_row(form, 3, "1", {tax, "0.6", "0", "7", "100"}),
                                deductee_row(form, 4, "1", {tax, "0", "0", "3", "100"}), {});
      Bench once(form, clean_challan(form), deductees), twice(form, clean_challan(form), deductees);
      for (Bench* b : {&once, &twice}) {
        VerifyData_Vantor_ETDS(b->self, b->workbook);
        b->self.error_count = 0;
        b->self.bind(b->workbook);
      }
      RetallyChallans(once.self);
      Verify_Challan(twice.self);
      EXPECT_EQ(once.self.records.challans, twice.self.records.challans);
      EXPECT_EQ(once.self.error_count, twice.self.error_count);
      EXPECT_EQ(once.marks(), twice.marks());
      EXPECT_EQ(once.marks().empty(), std::string(tax) == "10.4");
      for (int column = 1; column <= 24; ++column)
        EXPECT_EQ(once.text(4, column), twice.text(4, column)) << column;
      for (int row = 1; row <= 3; ++row)
        for (int column = 30; column <= 34; ++column)
          EXPECT_EQ(once.workbook->find_sheet(once.p.deductor.name)->Cells(row, column).Value(),
                    twice.workbook->find_sheet(twice.p.deductor.name)->Cells(row, column).Value());
    }
  }
}

// The tally names a challan by the leading number of the serial column, stops at
// the first row with an empty column 1, and gives what the one-challan functions
// give for every serial; the challan's own serial rounds halves to even, so that
// 2.5 is challan 2 again, a repeat the check marks.
TEST(ChallanTally, OnePassEqualsTheOneChallanFunctionsForEverySerial) {
  for (Form form : kForms) {
    SCOPED_TRACE(form_name(form));
    const TalliedColumns d = deductee_columns(form);
    const FieldTable<DeducteeColumn>& columns = workbook_layout(form).deductees.columns;
    EXPECT_EQ(columns.of(DeducteeColumn::ChallanSerial), d.serial);
    for (std::size_t k = 0; k < kTalliedColumns.size(); ++k)
      EXPECT_EQ(columns.of(kTalliedColumns[k]), d.summed[k]);
    Cells deductees;
    for (auto [row, serial] :
         {std::pair{3, "1"}, {4, "'01"}, {5, "2"}, {6, "1abc"}, {7, "2"}, {9, "1"}})
      deductees = with(deductees, deductee_row(form, row, serial, {"10", "10", "10", "10", "10"}));
    deductees = with(deductees, {{7, 2, ""}, {9, d.summed[0], "1000"}});  // row 8 ends the data
    Bench b(
        form,
        rows_of(clean_challan(form), clean_challan(form, 5, "2"), clean_challan(form, 6, "2.5")),
        deductees);
    const DeducteeTally tally(form, *b.workbook);
    for (double serial : {0.0, 1.0, 2.0, 3.0}) {
      SCOPED_TRACE(serial);
      const long long count = serial == 1 ? 3 : serial == 2 ? 2 : 0;
      EXPECT_EQ(CountDeducteesForChallan(form, serial, *b.workbook), count);
      EXPECT_EQ(tally.of(serial).count, count);
      for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(SumDeducteeColumnForChallan(form, serial, *b.workbook, d.summed[k]),
                  10.0 * count);
        EXPECT_EQ(tally.of(serial).sums[k], 10.0 * count);
      }
    }
    b.run();
    for (auto [row, count] : {std::pair{4, "3"}, {5, "2"}, {6, "2"}})
      EXPECT_EQ(b.text(row, columns_of(form).count), count) << row;
    EXPECT_EQ(b.marks(), (Marks{{6, 1}}));
  }
}

}  // namespace
}  // namespace fenwarx
