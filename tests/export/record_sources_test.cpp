// The record tables against the workbook: typing over the cells a field is taken
// from changes that field and no other, and a finding on the field names them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "export/export.hpp"
#include "export/export_bench.hpp"
#include "export/return_file_check.hpp"
#include "layout/record_tables.hpp"
#include "platform/values/dates.hpp"
#include "support/clean_return.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

using namespace fenwarx::testing;
using enum Form;
using Place = std::tuple<std::string, int, int>;  // sheet, row, column
using FieldAt = std::pair<long long, int>;        // line, field

// A clean return of one challan and one deductee: FH, BH, CD and DD on lines 1 to 4.
struct Exported {
  std::vector<std::vector<std::string>> records;  // fields of each line
  std::string bytes;
  std::shared_ptr<MemoryWorkbook> workbook;
};

Exported export_of(Form form, const std::vector<std::pair<Place, std::string>>& typed) {
  auto sheets = clean_return(form);
  for (const auto& [place, text] : typed)
    for (LaidSheet& sheet : sheets)
      if (sheet.name == std::get<0>(place))
        sheet.cells = with(sheet.cells, {{std::get<1>(place), std::get<2>(place), text}});
  RecordingUi ui;
  const auto clock = fixed_clock(serial_from_civil({2006, 6, 15}));
  ReturnObject self(return_class(form), Platform{ui, *clock, scratch_dir()});
  Exported out{.records = {}, .bytes = {}, .workbook = memory_workbook(sheets)};
  ExportETDS_Vantor(self, out.workbook);
  EXPECT_TRUE(self.exported.completed) << (ui.messages.empty() ? "" : ui.messages.front().text);
  out.bytes = slurp(return_file_path(self));
  for (const std::string& line : lines_of(out.bytes)) out.records.push_back(fields(line));
  return out;
}

// Where each field of the file was taken from, by the locator.
std::vector<std::pair<FieldAt, Place>> sources(const Exported& file, Form form) {
  CheckReport report = check_return_file(file.bytes);
  report.findings.clear();
  for (std::size_t line = 0; line < file.records.size(); ++line)
    for (std::size_t field = 0; field < file.records[line].size(); ++field)
      report.findings.push_back(
          {static_cast<long long>(line + 1), static_cast<int>(field + 1), "", {}, 0, 0});
  locate_findings(report, *file.workbook, form);
  std::vector<std::pair<FieldAt, Place>> out;
  for (const CheckFinding& f : report.findings)
    if (f.column > 0) out.push_back({{f.line, f.field}, {f.sheet, f.row, f.column}});
  return out;
}

struct Change {
  std::vector<std::pair<Place, std::string>> typed;
  std::vector<Place> changed;  // the cells a verification leaves changed: typed, or computed
};

std::vector<Change> changes(Form form) {
  const WorkbookLayout& layout = workbook_layout(form);
  const std::string deductor(layout.deductor.name), challan(layout.challans.name),
      deductee(layout.deductees.name);
  const auto row_of = [&](DeductorRow role) -> Place {
    return {deductor, layout.deductor.rows.of(role), 2};
  };
  const auto challan_at = [&](ChallanColumn role) -> Place {
    return {challan, 4, layout.challans.columns.of(role)};
  };
  const auto deductee_at = [&](DeducteeColumn role) -> Place {
    return {deductee, 3, layout.deductees.columns.of(role)};
  };
  const auto one = [](Place place, std::string text) { return Change{{{place, text}}, {place}}; };
  using R = DeductorRow;
  using C = ChallanColumn;
  using D = DeducteeColumn;
  // clang-format off
  std::vector<Change> list{
      one(row_of(R::Tan), "WXYZ98765Q"), one(row_of(R::Pan), "PQRST6789U"),
      one(row_of(R::Name), "Zenith"), one(row_of(R::Flat), "9 Hill Road"),
      one(row_of(R::Premises), "Tower B"), one(row_of(R::Road), "Ring Road"),
      one(row_of(R::Area), "Lajpat Nagar"), one(row_of(R::Town), "Delhi"), one(row_of(R::State), "GOA"),
      one(row_of(R::Pin), "110099"), one(row_of(R::StdCode), "022"), one(row_of(R::Telephone), "555"),
      one(row_of(R::Email), "a@b.in"), one(row_of(R::AddressChanged), "Y"),
      // Form 24's challans are 92A for category "C" only.
      one(row_of(R::Category), form == F24 ? "C" : "S"),
      one(row_of(R::ResponsibleName), "S Rao"), one(row_of(R::ResponsibleDesignation), "Clerk"),
      one(row_of(R::ResponsibleFlat), "y"), one(row_of(R::ResponsiblePremises), "Block C"),
      one(row_of(R::ResponsibleRoad), "Mall Road"), one(row_of(R::ResponsibleArea), "Civil Lines"),
      one(row_of(R::ResponsibleTown), "Agra"), one(row_of(R::ResponsibleState), "GOA"),
      one(row_of(R::ResponsiblePin), "282001"), one(row_of(R::ResponsibleStdCode), "0562"),
      one(row_of(R::ResponsibleTelephone), "777"), one(row_of(R::ResponsibleEmail), "c@d.in"),
      one(row_of(R::Remarks), "none"),
      one(challan_at(C::Cheque), "123456"), one(challan_at(C::BsrCode), "0510002"),
      one(challan_at(C::DepositDate), "16/05/2005"), one(challan_at(C::ChallanNumber), "12346"),
      one(challan_at(C::Remarks), "paid"),
      // Two amounts of the same total: the total stays as it was.
      {{{challan_at(C::Tds), "990"}, {challan_at(C::Surcharge), "10"}}, {challan_at(C::Tds), challan_at(C::Surcharge)}},
      {{{challan_at(C::Tds), "990"}, {challan_at(C::Cess), "4"}, {challan_at(C::Interest), "6"}},
       // The copy of the interest is written "0.00" whatever the cell shows.
       {challan_at(C::Tds), challan_at(C::Cess), challan_at(C::Interest)}},
      one(deductee_at(D::Pan), "PQRST6789U"), one(deductee_at(D::Name), "Sita"),
      one(deductee_at(D::AmountPaid), "2000"), one(deductee_at(D::PaymentDate), "11/05/2005"),
      one(deductee_at(D::DeductionDate), "11/05/2005"), one(deductee_at(D::Reason), "B"),
      // A deductee's tax parts: the challan's sums of them follow.
      {{{deductee_at(D::Tds), "90"}, {deductee_at(D::Surcharge), "10"}},
       {deductee_at(D::Tds), deductee_at(D::Surcharge), challan_at(C::TdsOfDeductees),
        challan_at(C::SurchargeOfDeductees)}},
      {{{deductee_at(D::TaxDeposited), "90"}}, {deductee_at(D::TaxDeposited), challan_at(C::TaxDepositedOfDeductees)}},
  };
  // clang-format on
  // Form 24 has no section, deductee code, book entry or rate, and a date of
  // deposit for each deductee; Form 27EQ has one section code only.
  if (form == F24) {
    list.push_back(one(deductee_at(D::DepositDate), "16/05/2005"));
    return list;
  }
  for (const Change& change : {one(deductee_at(D::Code), "2"), one(deductee_at(D::BookEntry), "Y"),
                               one(deductee_at(D::Rate), "20")})
    list.push_back(change);
  if (form != F27EQ) list.push_back(one(challan_at(C::Section), form == F27 ? "196A" : "194J"));
  if (form == F27EQ) list.push_back(one(deductee_at(D::PurchaseValue), "700"));
  return list;
}

TEST(RecordSources, EachFieldChangesWithItsCellsAndFindingsNameThem) {
  for (Form form : kForms) {
    const Exported base = export_of(form, {});
    ASSERT_EQ(base.records.size(), 4u);
    for (const Change& change : changes(form)) {
      SCOPED_TRACE(std::string(form_name(form)) + " " + std::get<0>(change.changed.front()) +
                   " row " + std::to_string(std::get<1>(change.changed.front())) + " column " +
                   std::to_string(std::get<2>(change.changed.front())));
      const Exported file = export_of(form, change.typed);
      ASSERT_EQ(file.records.size(), base.records.size());
      std::set<FieldAt> differing, expected;
      for (std::size_t line = 0; line < file.records.size(); ++line)
        for (std::size_t field = 0; field < file.records[line].size(); ++field)
          if (file.records[line][field] != base.records[line][field])
            differing.insert({static_cast<long long>(line + 1), static_cast<int>(field + 1)});
      for (const auto& [at, place] : sources(file, form))
        if (std::find(change.changed.begin(), change.changed.end(), place) != change.changed.end())
          expected.insert(at);
      EXPECT_FALSE(differing.empty());
      EXPECT_EQ(differing, expected);

      // A field the checker judges, spoilt: the finding on it names its cell.
      for (const auto& [line, field] : differing) {
        std::vector<std::vector<std::string>> spoilt = file.records;
        spoilt[static_cast<std::size_t>(line - 1)][static_cast<std::size_t>(field - 1)] = "#";
        CheckReport report = check_return_file(text_of(spoilt));
        locate_findings(report, *file.workbook, form);
        int found = 0;
        for (const CheckFinding& f : report.findings)
          if (f.line == line && f.field == field) {
            ++found;
            const Place named{f.sheet, f.row, f.column};
            EXPECT_NE(std::find(change.changed.begin(), change.changed.end(), named),
                      change.changed.end())
                << f.message;
          }
        const RecordKind kinds[] = {RecordKind::FileHeader, RecordKind::BatchHeader,
                                    RecordKind::Challan, RecordKind::Deductee};
        const ReturnField* rule = record_table(form, kinds[line - 1]).field(field);
        EXPECT_EQ(found > 0, rule && rule->check != Check::None)
            << "line " << line << ", field " << field;
      }
    }
  }
}

}  // namespace
}  // namespace fenwarx
