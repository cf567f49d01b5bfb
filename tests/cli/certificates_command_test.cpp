// fenwarx certificates and fenwarx host init end to end: the host's tables
// filled from an exported example with the workbook left byte for byte, the
// stops and failures with their exit codes, the host set up beside the program's
// utility; and with the page renderer built, the certificates as PDF files.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>

#include "cli/run_program.hpp"
#include "support/certificate_host.hpp"
#include "support/clean_return.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;
using testing::Host;
using testing::run_fenwarx;
using testing::run_program;

const fs::path kExamples = fs::path(FENWARX_FIXTURES) / ".." / ".." / "examples";

using testing::slurp;

// Sets a variable of the environment the programs run in, until it goes.
class Variable {
 public:
  Variable(const char* name, const fs::path& value) : name_(name) {
    if (const char* old = ::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~Variable() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }
  Variable(const Variable&) = delete;
  Variable& operator=(const Variable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// The host's system folder and output folder for the programs a test runs.
struct HostEnvironment {
  explicit HostEnvironment(const Host& host)
      : system("FENWARX_SYSTEM_DIR", host.system), out("FENWARX_OUT_DIR", host.dir / "c") {}
  Variable system, out;
};

// The Form 26 example, exported, in the host's scratch folder.
fs::path exported_example(const Host& host) {
  const fs::path book = host.dir / "form26-return.xlsx";
  fs::copy_file(kExamples / book.filename(), book);
  const auto exported = run_fenwarx({"export", "--today", "2026-12-07", book.string()});
  EXPECT_EQ(exported.exit_code, 0) << exported.err;
  return book;
}

TEST(CertificatesCommand, FillsTheHostStartsItsUtilityAndLeavesTheWorkbook) {
  const Host host;
  const HostEnvironment environment(host);
  const fs::path book = exported_example(host);
  const std::string bytes = slurp(book);
  const auto done = run_fenwarx({"certificates", "--today", "2026-12-07", book.string()});
  EXPECT_EQ(done.exit_code, 0) << done.err;
  EXPECT_EQ(done.out, "certificate host: 12 rows, 12 certificates written; started " +
                          (host.folder / "Plomberg.EXE").string() + "\n");
  EXPECT_EQ(done.err, "");
  const auto json = run_fenwarx({"certificates", "--json", "--today", "2026-12-07", book.string()});
  EXPECT_EQ(json.exit_code, 0);
  EXPECT_EQ(json.out,
            "{\n  \"messages\": [],\n  \"errors\": 0,\n  \"log\": [],\n"
            "  \"certificates\": {\"rows\": 12, \"certificates\": 12, \"utility\": \"" +
                (host.folder / "Plomberg.EXE").string() +
                "\"},\n  \"form\": \"26\",\n  \"return_file\": null,\n  \"saved\": null,\n"
                "  \"failure\": null\n}\n");
  EXPECT_EQ(slurp(book), bytes);  // after both runs
}

// A documented stop exits 1 with its message; a host database that fails exits
// 3 naming it.
TEST(CertificatesCommand, StopsExitOneFailuresExitThree) {
  const Host host;
  const HostEnvironment environment(host);
  const fs::path book = exported_example(host);
  const fs::path fresh = host.dir / "fresh.xlsx";
  fs::copy_file(kExamples / "form26-return.xlsx", fresh);
  const auto unexported = run_fenwarx({"certificates", fresh.string()});
  EXPECT_EQ(unexported.exit_code, 1);
  EXPECT_EQ(unexported.out, "[info] Please Export first then Press for Certificate !\n");

  std::ofstream(host.database(), std::ios::trunc) << std::string(4096, '#');
  const auto damaged = run_fenwarx({"certificates", book.string()});
  EXPECT_EQ(damaged.exit_code, 3);
  const std::string failure =
      host.database().string() + ": cannot begin a transaction: file is not a database";
  EXPECT_EQ(damaged.out, "[message] Certificates not generated: opening the host database: " +
                             failure + ". The host database keeps its earlier data.\n");
  EXPECT_EQ(damaged.err, "fenwarx: error -2147467259: " + failure + "\n");
  EXPECT_FALSE(host.utility_started(std::chrono::milliseconds(300)));
  EXPECT_NE(slurp(host.dir / "LogTDSZelto.log").find(failure), std::string::npos);
}

// call reaches both members: the certificates of a workbook in the certificate
// layout, and a new database (that it never replaces a file: SetDataBase's test).
TEST(CallCommand, ReachesGenerateCertificateAndSetDataBase) {
  const Host host;
  const HostEnvironment environment(host);
  const fs::path book = host.dir / "certificates.xlsx", created = host.dir / "New.mdb";
  testing::write_workbook(book, {{"Deductor Details", {{100, 101, "Exported"}}},
                                 {"Deductee Details", {{2, 1, "194C"}, {2, 3, "ABCDE1234F"}}}});
  const std::vector<std::string> calls{
      "call",      "--workbook", book.string(), "Fenwarx.clsExport26", "GenerateCertificate",
      "@workbook", ",",          "SetDataBase", created.string()};
  const auto done = run_fenwarx(calls);
  EXPECT_EQ(done.exit_code, 0) << done.err;
  EXPECT_EQ(host.rows("select PANNo from \"16a\""),
            (std::vector<std::vector<std::string>>{{"ABCDE1234F"}}));
  EXPECT_TRUE(fs::exists(created));
  EXPECT_TRUE(host.utility_started());

  // A host database that fails is a failure, though the member showed its message.
  std::ofstream(host.database(), std::ios::trunc) << std::string(4096, '#');
  const auto damaged = run_fenwarx({"call", "--no-save", "--workbook", book.string(),
                                    "Fenwarx.clsExport26", "GenerateCertificate", "@workbook"});
  EXPECT_EQ(damaged.exit_code, 3);
  EXPECT_EQ(damaged.err, "fenwarx: error -2147467259: " + host.database().string() +
                             ": cannot begin a transaction: file is not a database\n");
}

// The program's own folder is where its utility is looked for.
fs::path program_in(const fs::path& folder) {
  fs::create_directories(folder);
  const fs::path program = folder / "fenwarx";
  std::error_code linked;
  fs::create_hard_link(FENWARX_CLI, program, linked);
  if (linked) fs::copy_file(FENWARX_CLI, program);
  return program;
}

TEST(HostCommand, SetsUpTheHostFromTheUtilityBesideTheProgram) {
  const fs::path dir = testing::scratch_dir(), system = dir / "system";
  const Variable environment("FENWARX_SYSTEM_DIR", system);
  const fs::path bare = program_in(dir / "bare");
  const auto missing = run_program(bare.string(), {"host", "init", (dir / "host").string()});
  EXPECT_EQ(missing.exit_code, 3);
  EXPECT_EQ(missing.err, "fenwarx: error 53: File not found: " +
                             (dir / "bare" / "fenwarx-host-utility").string() +
                             ", the certificate utility to install as Plomberg.EXE\n");
  EXPECT_FALSE(fs::exists(dir / "host"));

  const fs::path program = program_in(dir / "bin");
  std::ofstream(dir / "bin" / "fenwarx-host-utility") << "#!/bin/sh\n";
  const auto done = run_program(program.string(), {"host", "init", (dir / "host").string()});
  EXPECT_EQ(done.exit_code, 0) << done.err;
  EXPECT_EQ(done.out, "certificate host ready in " + (dir / "host").string() +
                          ": Brelmo.mdb, Quonda.mdb, Plomberg.EXE\n" +
                          (system / "quondapath.ini").string() + " names it\n");
  const auto again = run_program(program.string(), {"host", "init", (dir / "host").string()});
  EXPECT_EQ(again.exit_code, 2);
  EXPECT_EQ(again.err.substr(0, again.err.find('\n')),
            "fenwarx: " + (dir / "host" / "Brelmo.mdb").string() +
                " exists; give --force to replace the host");
  EXPECT_EQ(
      run_program(program.string(), {"host", "init", "--force", (dir / "host").string()}).exit_code,
      0);
  EXPECT_EQ(run_program(program.string(), {"host"}).exit_code, 2);
}

// The host set up by fenwarx host init: the certificates of an exported example end as one PDF per
// number (what a PDF holds: the utility's and the pages' tests).
TEST(CertificatesCommand, TheHostsUtilityWritesTheCertificatesAsPdf) {
  const Host scratch;  // for its folder and the example; the host is set up anew
  const HostEnvironment environment(scratch);
  const fs::path book = exported_example(scratch), host = scratch.dir / "installed";
  const auto init = run_fenwarx({"host", "init", "--force", host.string()});
  ASSERT_EQ(init.exit_code, 0) << init.err;
  const auto done = run_fenwarx({"certificates", "--today", "2026-12-07", book.string()});
  ASSERT_EQ(done.exit_code, 0) << done.err;
  const fs::path last = host / "Certificates" / "12.pdf";
  for (int i = 0; i < 1000 && !fs::exists(last); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(fs::exists(last));
  EXPECT_TRUE(fs::exists(host / "Certificates" / "1.pdf"));
}

}  // namespace
}  // namespace fenwarx
