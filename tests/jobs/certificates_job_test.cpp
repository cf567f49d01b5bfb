// The certificate run as a job: by default a return workbook verified and laid
// out in the certificate layout in memory (one host row per deductee, each with
// its challan's date and BSR code), as it is with --as-is; the workbook's file
// left byte for byte; and the stand-in host set up in a folder.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "jobs/jobs.hpp"
#include "layout/workbook_layout.hpp"
#include "platform/database/database.hpp"
#include "platform/values/dates.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "support/certificate_host.hpp"
#include "support/clean_return.hpp"
#include "support/test_paths.hpp"

namespace fenwarx::jobs {
namespace {

using namespace fenwarx::testing;
namespace fs = std::filesystem;
using Rows = std::vector<std::vector<std::string>>;

const fs::path kExamples = fs::path(FENWARX_FIXTURES) / ".." / ".." / "examples";

Environment environment_of(const Host& host) {
  return {.today = serial_from_civil({2026, 12, 7}),
          .out_dir = host.dir / "c",
          .system_folder = host.system};
}

// The example of `form`, exported, in the host's scratch folder.
fs::path exported_example(Form form, const Host& host) {
  std::string name(form_name(form));
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const fs::path book = host.dir / ("form" + name + "-return.xlsx");
  fs::copy_file(kExamples / book.filename(), book);
  const Result exported = export_return({.workbook = book}, environment_of(host));
  EXPECT_EQ(exported.outcome, Outcome::Done);
  return book;
}

// What the workbook shows for each deductee: PAN, name, amount paid, tax, and its
// challan's date of deposit and BSR code, read from the sheets by their layout.
Rows shown_rows(const fs::path& book, Form form) {
  const WorkbookLayout& layout = workbook_layout(form);
  auto workbook = XlsxWorkbook::open(book);
  Worksheet& deductees = workbook->Worksheets(layout.deductees.name);
  Worksheet& challans = workbook->Worksheets(layout.challans.name);
  const auto text = [](Worksheet& sheet, int row, int column) {
    return sheet.Cells(row, column).ValueText();
  };
  const auto& d = layout.deductees.columns;
  const auto& c = layout.challans.columns;
  Rows rows;
  for (int row = layout.deductees.first_row; !text(deductees, row, 1).empty(); ++row) {
    const std::string serial = text(deductees, row, d.of(DeducteeColumn::ChallanSerial));
    int challan = layout.challans.first_row;
    while (text(challans, challan, c.of(ChallanColumn::SerialNumber)) != serial) ++challan;
    rows.push_back({text(deductees, row, d.of(DeducteeColumn::Pan)),
                    text(deductees, row, d.of(DeducteeColumn::Name)),
                    text(deductees, row, d.of(DeducteeColumn::AmountPaid)),
                    text(deductees, row, d.of(DeducteeColumn::TotalTax)),
                    text(challans, challan, c.of(ChallanColumn::DepositDate)),
                    text(challans, challan, c.of(ChallanColumn::BsrCode))});
  }
  return rows;
}

TEST(CertificatesJob, AnExportedReturnGivesOneHostRowPerDeducteeAndStaysAsItWas) {
  for (Form form : kForms) {
    SCOPED_TRACE(form_name(form));
    const Host host;
    const fs::path book = exported_example(form, host);
    const std::string bytes = slurp(book);
    const Result result = certificates({.workbook = book}, environment_of(host));
    EXPECT_EQ(result.outcome, Outcome::Done);
    EXPECT_EQ(result.form, form);
    EXPECT_TRUE(result.messages.empty());
    const Rows shown = shown_rows(book, form);
    ASSERT_EQ(shown.size(), 12u);
    EXPECT_EQ(host.rows("select PANNo, PName, AmountPaid, AmtOfTax, DteOfDeposit, BankName "
                        "from \"16a\" order by rowid"),
              shown);
    ASSERT_TRUE(result.certificates);
    EXPECT_EQ(result.certificates->rows, 12);
    EXPECT_EQ(result.certificates->utility, host.folder / "Plomberg.EXE");
    EXPECT_TRUE(host.utility_started());
    EXPECT_EQ(slurp(book), bytes);
    const std::string section = form == Form::F24 ? "192B" : form == Form::F27EQ ? "206C" : "";
    if (!section.empty()) {
      const std::string description =
          form == Form::F24 ? section : "Collection at source from buyers of specified goods";
      EXPECT_EQ(
          host.rows("select distinct TaxSection, SectionDescription, DteIssCerti from \"16a\""),
          (Rows{{section, description, "07/Dec/2026"}}));
    }
  }
}

// Errors found on the way stop the run at the flag, listed as a verification
// lists them, and the host is left alone (a return not exported stops there too:
// the certificate run's and the command's tests).
TEST(CertificatesJob, ErrorsFoundStopAtTheFlag) {
  const Host host;
  const fs::path book = exported_example(Form::F26, host);
  const Rows before = host.tables();
  auto workbook = XlsxWorkbook::open(book);
  workbook->Worksheets("Deductee Details").Cells(5, 3).SetValue(Variant::text("NOTAPAN"));
  workbook->save();
  const std::string bytes = slurp(book);
  const Result errors = certificates({.workbook = book}, environment_of(host));
  EXPECT_EQ(errors.outcome, Outcome::DataErrors);
  EXPECT_EQ(errors.messages, std::vector{Message::information(
                                 "Their is Error in Data. Please Verify and Export first then "
                                 "Press for Certificate !",
                                 "Please Verify Again")});
  EXPECT_EQ(errors.errors, 1);
  ASSERT_EQ(errors.log.size(), 1u);
  EXPECT_EQ(errors.log[0].address, "C5");
  EXPECT_FALSE(errors.certificates);
  EXPECT_EQ(slurp(book), bytes);
  EXPECT_EQ(host.tables(), before);
  EXPECT_FALSE(host.utility_started(std::chrono::milliseconds(300)));
}

// --as-is hands the workbook itself; one that does not show its form is taken
// for any form but 27EQ, whose collector sheet it would show.
TEST(CertificatesJob, AsIsHandsTheCertificateLayoutOverUnverified) {
  const Host host;
  const fs::path book = host.dir / "certificates.xlsx";
  write_workbook(book, {{"Deductor Details", {{3, 2, "Acme"}, {100, 101, "Exported"}}},
                        {"Deductee Details",
                         {{2, 1, "194C"},
                          {2, 3, "ABCDE1234F"},
                          {2, 4, "Ram Lal"},
                          {2, 12, "5000"},
                          {3, 1, "194J"},
                          {3, 3, "ABCDE1234G"},
                          {3, 4, "Sita"}}}});
  const std::string bytes = slurp(book);
  const Result result = certificates({.workbook = book, .as_is = true}, environment_of(host));
  EXPECT_EQ(result.outcome, Outcome::Done);
  EXPECT_EQ(result.form, Form::F26);
  EXPECT_EQ(host.rows("select TaxSection, PANNo, PName, AmountPaid, TDSIssueNo, "
                      "SectionDescription from \"16a\" order by rowid"),
            (Rows{{"194C", "ABCDE1234F", "Ram Lal", "5000", "1", "194C"},
                  {"194J", "ABCDE1234G", "Sita", "", "2", "194J"}}));
  EXPECT_EQ(host.rows("select Value3 from mstcompany"), Rows{{"Acme"}});
  EXPECT_EQ(slurp(book), bytes);
}

// A value too long for the return is the data's to mend (DataErrors), not a
// failure, and is found before the host is touched: the host keeps its rows. (The
// host's own limit, for values the return can carry, is the certificate run's test.)
TEST(CertificatesJob, AValueTooLongForTheReturnStopsItBeforeTheHost) {
  const Host host;
  const fs::path book = exported_example(Form::F27, host);
  ASSERT_EQ(certificates({.workbook = book}, environment_of(host)).outcome, Outcome::Done);
  const Rows before = host.tables();
  auto workbook = XlsxWorkbook::open(book);
  workbook->Worksheets("Deductee Details")
      .Cells(7, 5)
      .SetValue(Variant::text(std::string(260, 'N')));
  workbook->save();
  const Result too_long = certificates({.workbook = book}, environment_of(host));
  EXPECT_EQ(too_long.outcome, Outcome::DataErrors);
  EXPECT_FALSE(too_long.failure);
  ASSERT_EQ(too_long.messages.size(), 1u);
  EXPECT_EQ(too_long.messages[0].text,
            "Their is Error in Data. Please Verify and Export first then Press for Certificate !");
  EXPECT_EQ(host.tables(), before);
}

TEST(HostJob, SetsUpTheHostAndNamesItRefusingToReplaceUnlessTold) {
  const fs::path dir = scratch_dir(), system = dir / "system";
  std::ofstream(dir / "utility") << "#!/bin/sh\n";
  const Environment environment{.system_folder = system};
  const HostJob job{.folder = dir / "host" / "", .utility = dir / "utility"};
  const HostResult done = init_host(job, environment);
  EXPECT_EQ(done.outcome, Outcome::Done);
  EXPECT_EQ(done.folder, dir / "host");
  EXPECT_EQ(done.ini, system / "quondapath.ini");
  EXPECT_EQ(slurp(system / "quondapath.ini"), (dir / "host").string() + "\n");
  EXPECT_EQ(slurp(dir / "host" / "Plomberg.EXE"), "#!/bin/sh\n");
  EXPECT_NE(fs::status(dir / "host" / "Plomberg.EXE").permissions() & fs::perms::owner_exec,
            fs::perms::none);
  const auto count = [&](const char* query) {
    const auto statement =
        sqlite_engine().open(dir / "host" / "Quonda.mdb", OpenMode::ReadOnly)->prepare(query);
    return statement->step() ? statement->column_text(0) : "";
  };
  EXPECT_EQ(count("select count(*) from mstcompany"), "0");
  EXPECT_EQ(count("select count(*) from \"16a\""), "0");
  EXPECT_TRUE(fs::exists(dir / "host" / "Brelmo.mdb"));

  const HostResult again = init_host(job, environment);
  EXPECT_EQ(again.outcome, Outcome::Refused);
  EXPECT_EQ(again.in_the_way, (std::vector<std::string>{(dir / "host" / "Brelmo.mdb").string(),
                                                        (dir / "host" / "Quonda.mdb").string(),
                                                        (dir / "host" / "Plomberg.EXE").string()}));
  const HostResult elsewhere =
      init_host({.folder = dir / "other", .utility = dir / "utility"}, environment);
  EXPECT_EQ(elsewhere.outcome, Outcome::Refused);
  EXPECT_EQ(elsewhere.in_the_way, (std::vector<std::string>{(system / "quondapath.ini").string() +
                                                            " names " + (dir / "host").string()}));
  EXPECT_FALSE(fs::exists(dir / "other"));
  EXPECT_EQ(
      init_host({.folder = dir / "other", .utility = dir / "utility", .replace = true}, environment)
          .outcome,
      Outcome::Done);
  EXPECT_EQ(slurp(system / "quondapath.ini"), (dir / "other").string() + "\n");

  // Without the utility nothing is written, the ini file included (its message:
  // the host command's test).
  const HostResult missing =
      init_host({.folder = dir / "third", .utility = dir / "none", .replace = true}, environment);
  EXPECT_EQ(missing.outcome, Outcome::Failed);
  EXPECT_FALSE(fs::exists(dir / "third"));
  EXPECT_EQ(slurp(system / "quondapath.ini"), (dir / "other").string() + "\n");
}

}  // namespace
}  // namespace fenwarx::jobs
