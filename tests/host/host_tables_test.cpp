// The stand-in host's utility: what the certificate run wrote, read back as
// certificates (the deductor by position, the rows grouped by number), and with
// the page renderer built, the PDFs it writes.
#include "host/host_tables.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "certificates/certificates.hpp"
#include "support/certificate_host.hpp"
#include "support/error_of.hpp"
#include "support/shell.hpp"

namespace fenwarx::host {
namespace {

using namespace fenwarx::testing;
namespace fs = std::filesystem;

// A host holding five rows of three certificates, written by the certificate run.
Host written_host() {
  Host host;
  CertificateBench bench(Form::F26, host);
  std::vector<RowTexts> rows;
  for (const auto& [pan, name, amount] : {std::tuple{"AAAPA1111A", "Asha", "1000"},
                                          {"AAAPA1111A", "Asha", "2500.50"},
                                          {"BBBPB2222B", "Bina", "700"},
                                          {"CCCPC3333C", "Chetan", "990"},
                                          {"BBBPB2222B", "Bina", "300"}}) {
    RowTexts row = certificate_row("194C", pan, name);
    row[3] = {12, amount};
    rows.push_back(row);
  }
  GenerateCertificate(bench.self, certificate_workbook(Form::F26, "Exported", rows));
  EXPECT_EQ(bench.self.certificates.end, CertificateOutcome::End::Written);
  return host;
}

TEST(HostTables, TheDeductorByPositionAndTheRowsByNumber) {
  const Host host = written_host();
  const HostTables tables =
      read_host_tables(*sqlite_engine().open(host.database(), OpenMode::ReadOnly));
  EXPECT_EQ(tables.company.name, "D3");
  EXPECT_EQ(tables.company.pan, "D2");
  EXPECT_EQ(tables.company.tan, "D1");
  ASSERT_EQ(tables.certificates.size(), 3u);
  std::vector<std::vector<std::string>> seen;
  for (const HostCertificate& certificate : tables.certificates)
    for (const HostRow& row : certificate.rows)
      seen.push_back({std::to_string(certificate.number), row.pan, row.name, row.amount_paid});
  // Bina's second row comes after Chetan's: it takes the latest number, Chetan's.
  EXPECT_EQ(seen, (std::vector<std::vector<std::string>>{{"1", "AAAPA1111A", "Asha", "1000"},
                                                         {"1", "AAAPA1111A", "Asha", "2500.50"},
                                                         {"2", "BBBPB2222B", "Bina", "700"},
                                                         {"3", "CCCPC3333C", "Chetan", "990"},
                                                         {"3", "BBBPB2222B", "Bina", "300"}}));
  const HostRow& row = tables.certificates[0].rows[0];
  EXPECT_EQ(row.section, "194C");
  EXPECT_EQ(row.tax, "100");
  EXPECT_EQ(row.payment_date, "10/05/2005");
  EXPECT_EQ(row.deduction_date, "10/05/2005");
  EXPECT_EQ(row.deposit_date, "15/05/2005");
  EXPECT_EQ(row.challan, "1");
}

TEST(HostTables, WhatTheUtilityCannotPrintIsNamed) {
  const Host host = written_host();
  auto database = sqlite_engine().open(host.database(), OpenMode::Existing);
  database->execute("update \"16a\" set TDSIssueNo = '2a' where rowid = 4");
  const auto read = [&] { read_host_tables(*database); };
  EXPECT_EQ(error_of(read), "1004 " + host.database().string() +
                                ": row 4 of table 16a has '2a' as its certificate number");
  database->execute("delete from mstcompany");
  EXPECT_EQ(error_of(read),
            "1004 " + host.database().string() + ": the company table mstcompany has no row");
}

// One PDF per number holding its rows' PANs and amounts;
// a missing database is a clear failure.
TEST(HostUtility, OnePdfPerCertificateWithItsPansAndAmounts) {
  const std::string utility = FENWARX_HOST_UTILITY;
  const Host host = written_host();
  fs::create_directories(host.folder / "Certificates");
  std::ofstream(host.folder / "Certificates" / "9.pdf") << "an earlier run's";
  const ShellRun run = run_shell("'" + utility + "' '" + host.folder.string() + "'");
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_FALSE(fs::exists(host.folder / "Certificates" / "9.pdf"));
  const struct {
    int number;
    std::vector<std::string> texts;
  } expected[] = {{1, {"AAAPA1111A", "1000", "2500.50", "D1", "D2", "D3"}},
                  {2, {"BBBPB2222B", "700"}},
                  {3, {"CCCPC3333C", "990", "BBBPB2222B", "300"}}};
  for (const auto& certificate : expected) {
    const fs::path pdf =
        host.folder / "Certificates" / (std::to_string(certificate.number) + ".pdf");
    ASSERT_TRUE(fs::exists(pdf)) << pdf;
    const ShellRun text = run_shell("pdftotext '" + pdf.string() + "' -");
    for (const std::string& wanted : certificate.texts)
      EXPECT_NE(text.out.find(wanted), std::string::npos) << wanted << " in " << text.out;
  }
  fs::remove(host.database());
  const ShellRun missing = run_shell("'" + utility + "' '" + host.folder.string() + "'");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out,
            "fenwarx-host-utility: cannot read the host database: error 53: File "
            "not found: " +
                host.database().string() + "\n");
}

}  // namespace
}  // namespace fenwarx::host
