// The deductee walk of each form, run as a verification runs it: the column rules
// and their marks, the rewritten and computed columns, the records, the end of the
// data, and the failure that stops the walk.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "support/clean_return.hpp"
#include "verify/verification.hpp"

namespace fenwarx {
namespace {

using namespace fenwarx::testing;
using enum Form;

// A verification run over a clean return with `deductees` rows and `changes` typed
// over its deductee sheet.
struct Bench : ReturnBench {
  explicit Bench(Form form, const Cells& changes = {}, int deductees = 1) : ReturnBench(form) {
    auto sheets = clean_return(form, deductees);
    sheets[kDeducteeSheet].cells = with(sheets[kDeducteeSheet].cells, changes);
    workbook = memory_workbook(sheets);
    sheet = workbook->find_sheet(p.deductees.name);
  }
  void run() { VerifyData_Vantor_ETDS(self, workbook); }
  std::string deductor(int row) {
    return workbook->find_sheet(p.deductor.name)->Cells(row, 2).Value().to_text();
  }
  std::string status() { return workbook->GetApplication().StatusBar(); }
};

std::array<double, 2> totals(const ReturnObject& self) {
  return {self.totals.amount_paid, self.totals.tax_deducted};
}

const Message kNoError{"No error.", " Verificaton Sucess ! ", msg_style::kInformation};
Message errors(int count) {
  return {"This sheet contains " + std::to_string(count) + " errors(s).", "",
          msg_style::kInformation};
}

TEST(DeducteeWalk, CleanRowsGiveNoMarkAndFeedTheControlTotals) {
  for (Form form : kForms) {
    Bench b(form, {}, 2);
    SCOPED_TRACE(form_name(b.p.form));
    b.run();
    EXPECT_EQ(b.ui.messages, std::vector<Message>{kNoError});
    for (auto name : {b.p.deductor.name, b.p.challans.name, b.p.deductees.name})
      EXPECT_TRUE(b.marks(name).empty()) << name;
    EXPECT_EQ(b.self.totals.deductee_count, 2);
    EXPECT_EQ(b.self.records.deductees.size(), 2u);
    EXPECT_EQ(totals(b.self), (std::array<double, 2>{2000, 200}));
    EXPECT_EQ(b.text(5, 2), "End of Data");
    for (int column = 1; column <= 16; ++column)
      EXPECT_EQ(b.sheet->interior_color(5, column),
                column >= 2 && column <= 15 ? kColorEndOfData : kColorNone)
          << column;
    for (auto [row, total] :
         {std::pair{33, "2000"}, {34, "200"}, {35, "1000"}, {36, "1"}, {37, "2"}})
      EXPECT_EQ(b.deductor(row), total) << row;
    EXPECT_EQ(b.status(), std::string(" Verifing ") + (form == F27EQ ? "Collector" : "Deductor") +
                              " Details Row NO 38");
  }
}

// The columns a walk rewrites, and whether the tax total takes column 14 (27EQ:
// 15, 24: 11) as typed or as recomputed.
TEST(DeducteeWalk, RewrittenAndComputedColumnsPerForm) {
  // clang-format off
  const struct {
    Form form;
    Cells changes;
    std::vector<std::pair<int, const char*>> after;
    double tax_total;
    const char* row34;  // the control total it becomes
  } cases[] = {
      {F26, at_row(3, {{10, "junk"}, {11, "100.5"}, {12, "2.5"}, {13, "3.5"}, {14, "999"}}),
       {{10, ""}, {11, "100"}, {12, "2"}, {13, "4"}, {14, "106"}}, 999, "999"},
      {F27, at_row(3, {{11, "100.5"}, {12, "2.5"}, {13, "3.5"}, {14, "999"}}),
       {{10, "N"}, {11, "100.5"}, {12, "2.5"}, {13, "3.5"}, {14, "106.5"}}, 106.5, "106.5"},
      {F27EQ, at_row(3, {{11, "junk"}, {12, "100.5"}, {13, "2.5"}, {14, "3.5"}, {15, "999"}}),
       {{11, ""}, {12, "100.5"}, {15, "106.5"}}, 106.5, "106.5"},
      {F24, at_row(3, {{7, "1000abc"}, {8, "100.5"}, {9, "2.5"}, {10, "3.5"}, {11, "999"}}),
       {{7, "1000"}, {8, "100.5"}, {11, "106.5"}}, 999, "999"},
  };
  // clang-format on
  for (const auto& c : cases) {
    Bench b(c.form, c.changes);
    SCOPED_TRACE(form_name(b.p.form));
    b.run();
    EXPECT_TRUE(b.marks(b.p.deductees.name).empty());
    for (auto [column, text] : c.after) EXPECT_EQ(b.text(3, column), text) << column;
    EXPECT_EQ(totals(b.self), (std::array<double, 2>{1000, c.tax_total}));
    EXPECT_EQ(b.deductor(34), c.row34);
  }
}

// Each rule marks its own cell. Rows of a nil rate or tax may name no challan. A
// deductee code of 1.5 passes its rule but not the one-character field it fills.
TEST(DeducteeWalk, ColumnRulesMarkTheirOwnCells) {
  using Typed = std::vector<std::pair<int, std::string>>;  // column, text; all in row 3
  const Typed nil{{9, "0"}, {11, "0"}, {14, "0"}, {16, "0"}, {19, "7"}};
  // clang-format off
  const struct {
    Form form;
    Typed typed;
    std::vector<int> marked;
    Typed after = {};
  } cases[] = {
      {F26, {{1, "195"}}, {1}}, {F26, {{2, "3"}}, {2}}, {F26, {{2, "1.5"}}, {2}},
      {F26, {{2, ""}}, {2}}, {F26, {{3, "ABCD_1234F"}}, {3}},
      {F26, {{3, "abcde 1234f"}, {4, "REF"}}, {}, {{3, "ABCDE1234F"}, {4, ""}}},
      {F26, {{3, ""}, {4, "REF1234567"}}, {}, {{3, "PANNOTAVBL"}, {4, "REF1234567"}}},
      {F26, {{6, "50"}}, {14}}, {F27, {{6, "50"}}, {6}}, {F27EQ, {{7, "5"}}, {7}},
      {F26, {{8, "y"}, {20, "b"}}, {}, {{8, "Y"}, {20, "B"}}},
      {F26, {{8, "Q"}, {20, "Z"}}, {}, {{8, "N"}, {20, "Z"}}},
      {F26, {{15, ""}}, {15}}, {F26, {{15, "1/07/2005"}}, {15}},
      {F26, {{9, "0"}, {11, "0"}, {14, "0"}, {16, "0"}, {15, ""}, {19, "1"}}, {}, {{15, ""}}},
      {F26, nil, {}, {{19, "7"}}}, {F26, {{9, "5"}, {19, "7"}}, {19}}, {F26, {{9, "0"}}, {11}},
      {F26, {{17, "12345678"}}, {17}}, {F27, {{10, "y"}}, {10}}, {F27, {{19, "7"}}, {19}},
      {F27, nil, {}, {{19, "0"}}}, {F27EQ, {{1, "206c"}}, {}}, {F27EQ, {{20, "7"}}, {20}},
      {F27EQ, {{2, "0"}, {16, ""}}, {2, 16}}, {F24, {{12, "7"}}, {12}},
      {F24, {{8, "0"}, {11, "0"}, {13, "0"}, {12, "7"}}, {}, {{12, "7"}, {14, ""}}},
      {F24, {{14, ""}}, {14}}, {F24, {{15, "30/03/2005"}}, {15}}, {F24, {{4, "ABCDE12345"}}, {4}},
  };
  // clang-format on
  for (const auto& c : cases) {
    Bench b(c.form, at_row(3, c.typed));
    SCOPED_TRACE(::testing::Message() << form_name(b.p.form) << " case " << (&c - cases));
    b.run();
    Marks marks;
    for (int column : c.marked) marks.emplace_back(3, column);
    EXPECT_EQ(b.marks(b.p.deductees.name), marks);
    EXPECT_TRUE(b.marks(b.p.challans.name).empty());
    EXPECT_EQ(b.self.error_count, static_cast<double>(marks.size()));
    for (const auto& [column, text] : c.after) EXPECT_EQ(b.text(3, column), text) << column;
  }
}

// A record field by the number of the Form 26 column that holds it; Form 27EQ's
// value of purchase is field 30, Form 24's date of deposit field 28.
DeducteeColumn field_role(int field) {
  using D = DeducteeColumn;
  // clang-format off
  static const std::map<int, D> kRoles{
      {1, D::Section},        {2, D::Code},           {3, D::Pan},          {4, D::PanReference},
      {5, D::Name},           {6, D::AmountPaid},     {7, D::PaymentDate},  {8, D::BookEntry},
      {9, D::Rate},           {10, D::GrossedUp},     {11, D::Tds},         {12, D::Surcharge},
      {13, D::Cess},          {14, D::TotalTax},      {15, D::DeductionDate}, {16, D::TaxDeposited},
      {17, D::BsrCode},       {18, D::DepositDate},   {19, D::ChallanSerial}, {20, D::Reason},
      {21, D::Certificate},   {22, D::Remarks},       {28, D::DepositDate}, {30, D::PurchaseValue}};
  return kRoles.at(field);
}
// clang-format on

// Form 26 stores what its checks leave, Form 27 what the user typed; Form 27EQ
// and Form 24 map their columns onto the record's fields.
TEST(DeducteeWalk, RecordsHoldEachFormsFields) {
  const Cells typed26 = at_row(3, {{3, "abcde1234f"},
                                   {4, "REF"},
                                   {5, "Ram\tLal"},
                                   {6, "1000abc"},
                                   {8, "y"},
                                   {10, "x"},
                                   {14, "999"},
                                   {20, "b"}});
  const std::map<int, std::string> common{
      {2, "1"},  {7, "10/05/2005"},  {9, "10"},   {11, "100"},    {12, "0"},
      {13, "0"}, {15, "10/05/2005"}, {16, "100"}, {17, "510001"}, {18, "x"},
      {19, "1"}, {21, "p"},          {22, "q"}};
  auto plus = [](std::map<int, std::string> fields, const std::map<int, std::string>& more) {
    for (const auto& [k, v] : more) fields[k] = v;
    return fields;
  };
  // clang-format off
  const struct {
    Form form;
    Cells changes;
    std::map<int, std::string> fields;
  } cases[] = {
      {F26, typed26,
       plus(common, {{1, "194C"}, {3, "ABCDE1234F"}, {5, "RamLal"}, {6, "1000"}, {8, "Y"},
                     {14, "100"}, {20, "B"}})},
      {F27, with(typed26, at_row(3, {{10, "Y"}})),
       plus(common, {{1, "195"}, {3, "abcde1234f"}, {4, "REF"}, {5, "RamLal"}, {6, "1000abc"},
                     {8, "y"}, {10, "Y"}, {14, "999"}, {20, "b"}})},
      {F27EQ,
       at_row(3, {{3, "abcde1234f"}, {4, "REF"}, {5, "Ram\tLal"}, {6, "500x"}, {9, "y"}, {11, "junk"},
                  {15, "999"}, {21, "b"}}),
       {{1, "206C"}, {2, "1"}, {3, "abcde1234f"}, {4, "REF"}, {5, "Ram\tLal"}, {30, "500x"},
        {6, "1000"}, {7, "10/05/2005"}, {8, "y"}, {9, "1"}, {10, "junk"}, {11, "100"}, {12, "0"},
        {13, "0"}, {14, "999"}, {15, "10/05/2005"}, {16, "100"}, {17, "510001"}, {18, "y"},
        {19, "1"}, {20, "b"}}},
      {F24, at_row(3, {{4, "abcde1234f"}, {5, "Ram\tLal"}, {7, "1000abc"}, {8, "100x"}, {16, "b"}}),
       {{3, "ABCDE1234F"}, {5, "Ram\tLal"}, {7, "10/05/2005"}, {6, "1000"}, {11, "100x"}, {12, "0"},
        {13, "0"}, {14, "100"}, {19, "1"}, {16, "100"}, {15, "10/05/2005"}, {28, "10/05/2005"},
        {20, "B"}}},
  };
  // clang-format on
  for (const auto& c : cases) {
    Bench b(c.form, c.changes);
    SCOPED_TRACE(form_name(b.p.form));
    b.run();
    ASSERT_EQ(b.self.records.deductees.size(), 1u);
    DeducteeRecord expected{};
    for (const auto& [field, text] : c.fields) expected.set(field_role(field), text);
    for (std::size_t role = 0; role < DeducteeRecord::kFields; ++role) {
      const auto column = static_cast<DeducteeColumn>(role);
      EXPECT_EQ(b.self.records.deductees[0][column], expected[column]) << "role " << role;
    }
  }
}

// What an export takes again after a walk that normalised the cells (totals not
// summed, amounts with paise, dates and flags as typed) is what a second walk
// over them keeps: the same records and totals.
TEST(DeducteeWalk, RetakingAfterAWalkKeepsWhatASecondWalkKeeps) {
  using D = DeducteeColumn;
  for (Form form : kForms) {
    SCOPED_TRACE(form_name(form));
    const FieldTable<DeducteeColumn>& columns = workbook_layout(form).deductees.columns;
    Cells typed;
    // clang-format off
    const std::pair<D, const char*> values[] = {
        {D::Pan, "abcde1234f"}, {D::Name, "Ram\tLal"}, {D::AmountPaid, "1000.4"}, {D::BookEntry, "y"},
        {D::Rate, "10"},        {D::Tds, "99.5"},       {D::Surcharge, "0.6"},    {D::Cess, "0"},
        {D::TotalTax, "7"},     {D::TaxDeposited, "100.1"}, {D::PaymentDate, "10-5-2005"},
        {D::DeductionDate, "10 May 2005"}, {D::Reason, "a"}, {D::PurchaseValue, "500.55"}};
    for (int row : {3, 4})
      for (const auto& [role, text] : values)
        if (columns.has(role)) typed.push_back({row, columns.of(role), text});
    Bench b(form, typed, 2);
    b.run();
    ASSERT_EQ(b.self.error_count, 0) << ::testing::PrintToString(b.marks(b.p.deductees.name));
    RetakeDeducteeDetails(b.self);
    const std::vector<DeducteeRecord> retaken = b.self.records.deductees;
    const std::array<double, 2> retaken_totals = totals(b.self);
    VerifyDeducteeDetails(b.self);
    EXPECT_EQ(b.self.records.deductees, retaken);
    EXPECT_EQ(totals(b.self), retaken_totals);
  }
  // clang-format on
}

// A blank rate fails Form 26's nil-rate rule at column 11: the walk marks that
// cell, says where it stopped, and ends without the end-of-data marking or the
// deductor walk; the rows already read keep their records.
TEST(DeducteeWalk, AFailureStopsTheWalkWithItsMessage) {
  Bench b(F26, at_row(4, {{9, ""}, {12, "2.5"}}), 2);
  b.run();
  const Message failure{
      "Data Not Entered in Correct format at Row 4, Column 9 Entered as   in Deductee Details\r"
      "Type mismatch",
      " Check Value and Correct according to format ", msg_style::kCritical};
  EXPECT_EQ(b.ui.messages, (std::vector<Message>{failure, errors(2)}));
  EXPECT_EQ(b.marks("Deductee Details"), (Marks{{4, 9}, {4, 11}}));
  EXPECT_EQ(b.text(4, 12), "2.5");  // not reached
  EXPECT_EQ(b.sheet->interior_color(5, 2), kColorNone);
  EXPECT_EQ(b.status(), " Verifing Deductee Details Row NO 4");
  EXPECT_EQ(b.deductor(37), "");  // the deductor walk did not run
  EXPECT_EQ(b.self.records.deductee_index, 1);
}

TEST(DeducteeWalk, NoDeducteeRowIsAnErrorAndTheDeductorWalkStillRuns) {
  for (Form form : kForms) {
    Bench b(form, {}, 0);
    SCOPED_TRACE(form_name(b.p.form));
    b.run();
    const Message none{" Their should be atleast one Deductee ", " No Data Available ",
                       msg_style::kInformation};
    EXPECT_EQ(b.ui.messages, (std::vector<Message>{none, errors(1)}));
    EXPECT_EQ(b.text(3, 2), "End of Data");
    EXPECT_EQ(b.sheet->interior_color(3, 15), kColorEndOfData);
    EXPECT_EQ(b.deductor(37), "0");
    EXPECT_EQ(b.deductor(36), "1");
  }
}

// Blanks alone in column 1 stop the walk, whatever the rest of the row holds; with
// data after it the row is an error at its first cell, and its values are kept. The
// walk clears marks only in the rows it reads; a second run starts its records afresh.
TEST(DeducteeWalk, BlankColumnOneStopsTheWalkAndRunsDoNotAccumulate) {
  Bench b(F26, at_row(4, {{1, "'   "}}), 3);
  b.sheet->set_interior_color(3, 6, kColorError);
  b.sheet->set_interior_color(5, 6, kColorError);
  b.run();
  b.run();
  EXPECT_EQ(b.ui.messages, (std::vector<Message>{errors(1), errors(1)}));
  EXPECT_EQ(b.self.records.deductees.size(), 1u);
  EXPECT_EQ(b.text(4, 2), "1");
  EXPECT_EQ(b.sheet->interior_color(4, 1), kColorError);
  EXPECT_EQ(b.sheet->interior_color(3, 6), kColorNone);
  EXPECT_EQ(b.sheet->interior_color(5, 6), kColorError);
  EXPECT_EQ(totals(b.self), (std::array<double, 2>{1000, 100}));
}

}  // namespace
}  // namespace fenwarx
