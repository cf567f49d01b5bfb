// The certificate run on a workbook in the certificate layout: the flag's stops,
// the company row and the certificate rows as the host receives them, the
// numbers, and a failing statement that leaves the host as it was.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "certificates/certificates.hpp"
#include "layout/workbook_layout.hpp"
#include "platform/database/fault_injection.hpp"
#include "support/certificate_host.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

using namespace fenwarx::testing;
namespace fs = std::filesystem;
using Rows = std::vector<std::vector<std::string>>;

// A host whose tables hold a run's rows already, so that what a stopped or
// failed run leaves can be told from an empty table.
Host host_with_rows() {
  Host host;
  CertificateBench bench(Form::F26, host);
  GenerateCertificate(bench.self,
                      certificate_workbook(Form::F26, "Exported",
                                           {certificate_row("194C", "OLDPN1234A", "Earlier")}));
  EXPECT_EQ(bench.self.certificates.end, CertificateOutcome::End::Written);
  return host;
}

TEST(CertificateRun, TheFlagStopsTheRunUnlessAnExportWentBefore) {
  const Host host = host_with_rows();
  const Rows before = host.tables();
  const struct {
    std::string flag;
    Message message;
  } cases[] = {
      {"Error",
       Message::information(
           "Their is Error in Data. Please Verify and Export first then Press for Certificate !",
           "Please Verify Again")},
      {"Verified", Message::information("Please Export first then Press for Certificate !")},
      {"", Message::information("Please Export first then Press for Certificate !")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flag);
    CertificateBench bench(Form::F26, host);
    GenerateCertificate(
        bench.self, certificate_workbook(Form::F26, c.flag, {certificate_row("194C", "P", "N")}));
    EXPECT_EQ(bench.ui.messages, std::vector{c.message});
    EXPECT_EQ(bench.self.certificates.end, CertificateOutcome::End::Stopped);
    EXPECT_TRUE(bench.started.empty());
    EXPECT_EQ(host.tables(), before);
  }
}

TEST(CertificateRun, TheCompanyRowHoldsItsFortyTwoValuesInOrder) {
  const Host host;
  CertificateBench bench(Form::F27EQ, host);
  GenerateCertificate(bench.self, certificate_workbook(Form::F27EQ, "Exported", {}));
  // clang-format off
  const std::vector<std::string> expected{
      "1", "1", "D3", "D3", "D4", "D5", "D6", "D7", "D8", "D9", "D10", "EMAIL", "OrgType",
      "15/Jun/2006", "15/Jun/2006", "D2", "panward", "D1", "D36", "D5", "D13", "D15", "D16", "D17",
      "D18", "D19", "D20", "D21", "D22", "D23", "chkRespAddChange", "D26", "D27", "UserName",
      "Password", "UserStatus", "D11", "D12", "D24", "D25", "RespFatherName", "2005"};
  // clang-format on
  EXPECT_EQ(host.rows("select * from mstcompany"), Rows{expected});
  EXPECT_EQ(host.rows("select typeof(Value1) from mstcompany"), Rows{{"integer"}});
  // No certificate row: the table is emptied, the utility still started.
  EXPECT_EQ(host.rows("select count(*) from \"16a\""), Rows{{"0"}});
  EXPECT_EQ(bench.started, Rows{{(host.folder / "Plomberg.EXE").string()}});
  EXPECT_TRUE(bench.ui.messages.empty());
}

TEST(CertificateRun, EachRowWithItsValuesNumberAndDescription) {
  const Host host = host_with_rows();
  CertificateBench bench(Form::F26, host);
  std::vector<std::string> statuses;
  // clang-format off
  auto workbook = certificate_workbook(Form::F26, "Exported",
      {certificate_row("194C", "ABCDE1234F", "O'Brien"),
       {{1, " 194J "}, {3, "ABCDE1234G"}, {4, "Ram Lal"}, {5, "Flat 1"}, {11, "110001"},
        {21, "15/Jun/2006"}, {24, "Main branch"}, {25, "C-7"}, {26, "  "}}},
      host.dir);
  // clang-format on
  workbook->GetApplication().set_listener([&](const std::string& s) { statuses.push_back(s); });
  GenerateCertificate(bench.self, workbook);
  const Rows rows = host.rows(
      "select ID, PName, Block1, Build2, PostOffice3, SubDivi4, District, State, Pincode, "
      "Residency, PANNo, Status, TDSCertificate, TaxSection, AmountPaid, DteAmountPaid, "
      "RateofTax, AmtOfTax, DteOfDeduction, DteOfDeposit, ChallanNo, DteIssCerti, Reason, "
      "BankName, BranchName, TDSIssueNo, AmtInWords, SectionDescription from \"16a\" "
      "order by rowid");
  // clang-format off
  const Rows expected{
      {"1", "O Brien", "", "", "", "", "", "", "", "Residency", "ABCDE1234F", "status", "", "194C",
       "1000", "10/05/2005", "10", "100", "10/05/2005", "15/05/2005", "1", "15/Jun/2006", "A",
       "0510001", "", "1", "AmtInWords", "Contractors"},
      {"1", "Ram Lal", "Flat 1", "", "", "", "", "", "110001", "Residency", "ABCDE1234G", "status",
       "C-7", "194J", "", "", "", "", "", "", "", "15/Jun/2006", "", "", "Main branch", "2",
       "AmtInWords", "194J"}};
  // clang-format on
  EXPECT_EQ(rows, expected);
  EXPECT_EQ(bench.self.certificates.end, CertificateOutcome::End::Written);
  EXPECT_EQ(bench.self.certificates.rows, 2);
  EXPECT_EQ(bench.self.certificates.certificates, 2);
  EXPECT_EQ(bench.started.size(), 1u);
  EXPECT_EQ(statuses, (std::vector<std::string>{
                          " Please Wait..........", " Checking for Resources..........",
                          " Updating Company..........", " Updating Deductee Records..........",
                          " Deductee Records No 2 ..........", " Deductee Records No 3 ..........",
                          " Updated .........."}));
  EXPECT_FALSE(fs::exists(host.dir / "LogTDSZelto.log"));
}

// Rows of one certificate share section, name and issue date: adjacent equal rows
// share a number, a later row equal to earlier ones takes the latest number.
TEST(CertificateNumbers, EqualRowsShareTheLatestNumberIssued) {
  const Host host;
  CertificateBench bench(Form::F26, host);
  const auto row = [](const char* section, const char* name, const char* pan) {
    return certificate_row(section, pan, name);
  };
  GenerateCertificate(bench.self,
                      certificate_workbook(Form::F26, "Exported",
                                           {row("194C", "Asha", "P1"), row("194C", "Asha", "P2"),
                                            row("194J", "Asha", "P3"), row("194C", "Asha", "P4"),
                                            row("194C", "Ravi", "P5"), row("194c", "Ravi", "P6"),
                                            row("194J", "Asha", "P7")}));
  EXPECT_EQ(bench.self.certificate_numbers, (std::vector<long long>{1, 1, 2, 2, 3, 4, 4}));
  EXPECT_EQ(host.rows("select PANNo, TDSIssueNo from \"16a\" order by rowid"), (Rows{{"P1", "1"},
                                                                                     {"P2", "1"},
                                                                                     {"P3", "2"},
                                                                                     {"P4", "2"},
                                                                                     {"P5", "3"},
                                                                                     {"P6", "4"},
                                                                                     {"P7", "4"}}));
}

// Past the 16-bit counts: every row written, each with its own number, in time
// linear in the rows (comparing each row with all earlier ones would take minutes).
TEST(CertificateNumbers, SeventyThousandRowsAreAllWrittenAndNumbered) {
  const Host host;
  CertificateBench bench(Form::F26, host);
  std::vector<RowTexts> rows;
  for (int i = 0; i < 70000; ++i)
    rows.push_back(
        {{1, "194C"}, {3, "PAN"}, {4, "Name " + std::to_string(i / 2)}, {21, "15/Jun/2006"}});
  GenerateCertificate(bench.self, certificate_workbook(Form::F26, "Exported", rows));
  ASSERT_EQ(bench.self.certificate_numbers.size(), 70000u);
  EXPECT_EQ(bench.self.certificate_numbers[65534], 32768);
  EXPECT_EQ(bench.self.certificate_numbers.back(), 35000);
  EXPECT_EQ(bench.self.certificates.rows, 70000);
  EXPECT_EQ(host.rows("select count(*), max(cast(TDSIssueNo as integer)) from \"16a\""),
            (Rows{{"70000", "35000"}}));
  EXPECT_EQ(host.rows("select PName from \"16a\" where TDSIssueNo = '35000'"),
            (Rows{{"Name 34999"}, {"Name 34999"}}));
}

// A value the host cannot hold fails its statement: both tables keep what they
// had, one message names the row, the column and the reason, the log in the
// workbook's folder gets the failure, and no utility starts.
TEST(CertificateRun, AValueTooLongForTheHostRollsBothTablesBack) {
  const Host host = host_with_rows();
  const Rows before = host.tables();
  std::ofstream(host.dir / "LogTDSZelto.log") << "an earlier line\n";
  // The company row's workbook has no folder: its log line goes elsewhere.
  auto company = certificate_workbook(Form::F26, "Exported", {});
  company->find_sheet("Deductor Details")->store_value(36, 2, Variant::text(std::string(256, 'y')));
  const struct {
    std::shared_ptr<MemoryWorkbook> workbook;
    std::string where;
  } cases[] = {
      // A deductee row, named by the host's column.
      {certificate_workbook(Form::F26, "Exported",
                            {certificate_row("194C", "P", "N"), certificate_row("194C", "P", "M"),
                             certificate_row("194J", "ABCDE1234G", std::string(300, 'x'))},
                            host.dir),
       "Deductee Details row 4, column 4 (PName): 300"},
      // The company row, named by its cell on the deductor sheet.
      {company, "Deductor Details row 36, column 2 (mstcompany value 19): 256"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    CertificateBench bench(Form::F26, host);
    GenerateCertificate(bench.self, c.workbook);
    EXPECT_EQ(bench.ui.messages,
              std::vector{Message::plain("Certificates not generated: " + c.where +
                                         " characters, more than the 255 the host takes. The "
                                         "host database keeps its earlier data.")});
    EXPECT_EQ(host.tables(), before);
    EXPECT_TRUE(bench.started.empty());
    EXPECT_EQ(bench.self.certificates.end, CertificateOutcome::End::Failed);
    EXPECT_TRUE(bench.self.certificates.too_long);
  }
  EXPECT_EQ(slurp(host.dir / "LogTDSZelto.log"),
            "an earlier line\n4..15/06/2006 10:30:00--" + host.database().string() +
                ": cannot run insert into \"16a\": CHECK constraint failed: length(\"PName\") "
                "<= 255 -2147217900\n");
}

// A locked database: the statement's own failure is the reason.
TEST(CertificateRun, ALockedDatabaseChangesNothingAndSaysSo) {
  const Host host = host_with_rows();
  const Rows before = host.tables();
  const auto run = [&](CertificateBench& bench) {
    GenerateCertificate(bench.self, certificate_workbook(Form::F26, "Exported",
                                                         {certificate_row("194C", "P", "N"),
                                                          certificate_row("194C", "P", "M")}));
  };
  {
    // Statements: the two deletes, the company row, then the rows.
    FaultInjectingDatabaseEngine faulty({{.call = DatabaseCall::Step, .nth = 5}});
    DatabaseEngineOverride in_place(faulty);
    CertificateBench bench(Form::F26, host);
    run(bench);
    EXPECT_EQ(bench.ui.messages,
              std::vector{Message::plain("Certificates not generated: Deductee Details row 3: " +
                                         host.database().string() +
                                         ": cannot run the statement: database is locked. The "
                                         "host database keeps its earlier data.")});
    EXPECT_EQ(bench.self.certificates.failure->number(), -2147467259);
    EXPECT_FALSE(bench.self.certificates.too_long);
    EXPECT_TRUE(bench.started.empty());
    EXPECT_EQ(faulty.rollbacks(), 1);
  }
  EXPECT_EQ(host.tables(), before);
  // The log goes to the output folder when the workbook has no folder of its own.
  EXPECT_EQ(slurp(host.dir / "c" / "LogTDSZelto.log"),
            "3..15/06/2006 10:30:00--" + host.database().string() +
                ": cannot run the statement: database is locked -2147467259\n");
}

// A missing deductee sheet is a step skipped: the company row is written, the
// certificate table emptied, the utility started; the message names the sheet.
// A utility that cannot start leaves the tables written and says why.
TEST(CertificateRun, AMissingSheetIsSkippedAndAFailedStartIsTold) {
  const Host host = host_with_rows();
  CertificateBench bench(Form::F24, host);
  auto workbook = std::make_shared<MemoryWorkbook>();
  workbook->add_sheet("Deductor Details").store_value(100, 101, Variant::text("Exported"));
  GenerateCertificate(bench.self, workbook);
  EXPECT_EQ(bench.ui.messages,
            std::vector{Message::plain(
                "Subscript out of range: the workbook has no sheet 'Deductee Details'")});
  EXPECT_EQ(host.rows("select count(*) from \"16a\""), Rows{{"0"}});
  EXPECT_EQ(host.rows("select Value3 from mstcompany"), Rows{{""}});
  EXPECT_EQ(bench.started.size(), 1u);

  // A utility that is no program: it cannot start.
  fs::remove(host.folder / "Plomberg.EXE");
  std::ofstream(host.folder / "Plomberg.EXE") << "not a program";
  RecordingUi ui;
  const auto clock = fixed_clock(run_time());
  ReturnObject self(return_class(Form::F26),
                    Platform{.ui = ui, .clock = *clock, .system_folder = host.system});
  GenerateCertificate(
      self, certificate_workbook(Form::F26, "Exported", {certificate_row("194C", "P", "N")}));
  EXPECT_EQ(self.certificates.end, CertificateOutcome::End::Written);
  EXPECT_EQ(self.notes, std::vector<std::string>{"the certificate utility was not started: "
                                                 "File not found: " +
                                                 (host.folder / "Plomberg.EXE").string() +
                                                 " (Permission denied)"});
  EXPECT_EQ(host.rows("select PANNo from \"16a\""), Rows{{"P"}});
}

}  // namespace
}  // namespace fenwarx
