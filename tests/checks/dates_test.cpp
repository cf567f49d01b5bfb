// Date fields: CheckDate against the financial year and today; CheckQuarterDate against the
// quarter named on the deductor sheet; CheckDateQuarter on the deductor sheet's row 39.
#include "checks/check_bench.hpp"

namespace fenwarx::testing {
namespace {

// Not after today, not before 31 March of the financial year, and with checkFin not after
// 31 March of the next one; a valid date is rewritten. Without a usable financial year the
// bounds cannot be built: the failure is shown as a bare description, even for a date that
// is also in the future.
TEST(CheckDate, BoundsOfTheFinancialYearAndToday) {
  // written: the date the cell then holds; 0: left as typed.
  // clang-format off
  const struct { const char* typed; bool checkFin, marked; double written; std::string year = "2005"; } cases[] = {
      {"31/03/2005", false, false, day(2005, 3, 31)}, {"30/03/2005", false, true, 0},
      {"1/04/2005", false, false, day(2005, 4, 1)},   {"15/06/2006", false, false, day(2006, 6, 15)},
      {"16/06/2006", false, true, 0},                 {"15/06/2006", true, true, 0},
      {"31/03/2006", true, false, day(2006, 3, 31)},  {"01/04/2006", true, true, 0},
      {"31/02/2006", false, true, 0},                 {"", false, true, 0},
      {"38500", false, true, 0},  // no date
      {"01/04/2005", false, false, 0, ""},            {"01/01/2030", false, false, 0, "abcd"}};
  const std::vector<Message> type_mismatch{{"Type mismatch", "", msg_style::kPlain}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.typed) + (c.checkFin ? " fin " : " ") + c.year);
    CheckBench b;
    b.self.financial_year = c.year;
    b.type(2, 6, c.typed);
    const Variant typed = b.self.cell(2, 6).Value();
    bool checkFin = c.checkFin;
    CheckDate(b.self, 2, 6, checkFin);
    EXPECT_EQ(b.marked(2, 6), c.marked);
    EXPECT_EQ(b.ui.messages, c.year == "2005" ? std::vector<Message>{} : type_mismatch);
    EXPECT_EQ(b.self.cell(2, 6).Value(), c.written ? Variant::date(c.written) : typed);
    EXPECT_TRUE(c.marked || b.self.cell(2, 6).NumberFormat() == "dd/mm/yyyy");
  }
  // clang-format on
}

// Inside the quarter of the financial year, and never rewritten. An unknown quarter, or one
// whose bounds cannot be built, lets the date through after an "Error" box, and so does a
// workbook without a deductor sheet.
TEST(CheckQuarterDate, InsideTheQuarterOfTheFinancialYear) {
  // clang-format off
  const struct {
    const char *quarter, *typed;
    bool marked, error_box = false, no_deductor_sheet = false;
    const char* year = "2005";
    Form form = Form::F26;
  } cases[] = {
      {"Q1", "1/04/2005", false}, {"Q1", "30/06/2005", false}, {"Q1", "31/03/2005", true}, {"Q1", "1/07/2005", true},
      {"Q2", "1/07/2005", false}, {"Q2", "30/09/2005", false}, {"Q2", "1/10/2005", true}, {"Q3", "1/10/2005", false},
      {"Q3", "31/12/2005", false}, {"Q3", "30/09/2005", true}, {"Q4", "1/01/2006", false}, {"Q4", "31/03/2006", false},
      {"Q4", "31/12/2005", true}, {"Q4", "1/04/2006", true}, {" q2 ", "5/Aug/2005", false}, {"Q1", "16/06/2006", true},
      {"Q1", "", true}, {"Q5", "31/12/2001", false, true}, {"", "31/12/2001", false, true},
      {"Q1", "31/12/2001", false, false, false, ""}, {"Q1", "31/12/2001", false, true, true},
      {"Q4", "31/12/2001", false, false, false, "abcd"}, {"Q9", "31/12/2001", false, true, false, "2005", Form::F27EQ}};
  const std::vector<Message> error_box{{"Error", "", msg_style::kPlain}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.quarter) + " " + c.typed + " " + c.year);
    CheckBench b(c.form, {{32, 2, c.quarter}});
    b.self.financial_year = c.year;
    b.type(3, 4, c.typed);
    const Variant typed = b.self.cell(3, 4).Value();
    auto other = layout({{"Challan Details", {}}});
    CheckQuarterDate(b.self, 3, 4, c.no_deductor_sheet ? *other : *b.workbook);
    EXPECT_EQ(b.marked(3, 4), c.marked);
    EXPECT_EQ(b.ui.messages, c.error_box ? error_box : std::vector<Message>{});
    EXPECT_EQ(b.self.cell(3, 4).Value(), typed);
    EXPECT_TRUE(c.marked || b.self.cell(3, 4).NumberFormat() == "dd/mm/yyyy");
  }
  // clang-format on
}

// The mark lands on the deductor sheet, which stays current; a missing workbook or sheet
// reaches the caller.
TEST(CheckDateQuarter, DeductorRow39MustHoldADate) {
  // clang-format off
  const struct { Form form; const char* row39; bool marked; } cases[] = {
      {Form::F26, "01/04/2005", false}, {Form::F26, "", true}, {Form::F26, "38500", true},
      {Form::F27EQ, "1/7/2005", false}, {Form::F27EQ, "Q2", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row39);
    CheckBench b(c.form, {{39, 2, c.row39}});
    bool checkFin = false;
    CheckDateQuarter(b.self, 12, 5, checkFin);
    EXPECT_EQ(b.self.current_sheet, b.self.deductor_sheet);
    EXPECT_EQ(b.marked(12, 5), c.marked);
    EXPECT_EQ(b.sheet->interior_color(12, 5), kColorNone);
    EXPECT_EQ(b.self.error_count, c.marked ? 1 : 0);
  }
  // clang-format on
  for (const bool bound : {false, true}) {
    CheckBench b;
    b.self.workbook = bound ? layout({{"Challan Details", {}}}) : nullptr;
    bool checkFin = false;
    const int failure = error_number_of([&] { CheckDateQuarter(b.self, 12, 5, checkFin); });
    EXPECT_EQ(failure, bound ? err::kSubscript : err::kObjectNotSet);
    EXPECT_TRUE(b.ui.messages.empty());
  }
}

}  // namespace
}  // namespace fenwarx::testing
