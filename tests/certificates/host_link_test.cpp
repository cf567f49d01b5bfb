// Finding the certificate host: the ini file's first line as it stands, the
// host's files tested in order (nothing tested before the ini file names a
// folder), each missing one with its own message and no database touched; and a
// new host database that never replaces a file.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "certificates/certificates.hpp"
#include "platform/database/database.hpp"
#include "platform/database/fault_injection.hpp"
#include "platform/files/fault_injection.hpp"
#include "returns/dispatch.hpp"
#include "support/certificate_host.hpp"
#include "support/error_of.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

using namespace fenwarx::testing;
namespace fs = std::filesystem;

TEST(HostPath, TheIniFilesFirstLineAsItStands) {
  const fs::path dir = scratch_dir();
  EXPECT_EQ(ReadHostPath(dir), "");
  const struct {
    std::string ini, path;
  } cases[] = {
      {"/opt/host\r\nsecond line\r\n", "/opt/host"},
      {"/opt/host", "/opt/host"},
      {"  /opt/my host  \n", "  /opt/my host  "},
      {"/opt/host\rsecond", "/opt/host"},
      {"\nsecond line", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ini);
    std::ofstream(dir / "quondapath.ini", std::ios::binary) << c.ini;
    EXPECT_EQ(ReadHostPath(dir), c.path);
  }
}

// Each stop shows its message, leaves the host's tables as they were and starts
// nothing; a file test never comes before the ini file names the host.
TEST(HostCheck, EachMissingPieceStopsTheRunWithItsMessageInOrder) {
  const struct {
    std::string missing;  // "ini", "first line", or a file of the host
    Message message;
  } cases[] = {
      {"ini", Message::information(" Login in Orlinex Once to Proceed ! ", " Path not Available ")},
      {"first line",
       Message::information(" Login in Orlinex Once to Proceed ! ", " Path not Available ")},
      {"Brelmo.mdb",
       Message::information(" Files are not available ! ", "File is missing Brelmo.mdb ")},
      {"Quonda.mdb",
       Message::information(" Resourse Files are not available ! ", "File is missing Quonda.mdb")},
      {"Plomberg.EXE",
       Message::information(" 'Plomberg' not available ! ", "File is missing Plomberg.exe ")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.missing);
    const Host host;
    const auto before = host.tables();
    if (c.missing == "ini") fs::remove(host.system / "quondapath.ini");
    if (c.missing == "first line") std::ofstream(host.system / "quondapath.ini") << "\r\n/x\r\n";
    // The files after the missing one are gone too: the first missing one is named.
    bool gone = false;
    for (const char* name : {"Brelmo.mdb", "Quonda.mdb", "Plomberg.EXE"}) {
      gone = gone || c.missing == name;
      if (gone && name != std::string("Quonda.mdb")) fs::remove(host.folder / name);
    }
    if (c.missing == "Quonda.mdb") fs::rename(host.database(), host.dir / "kept.mdb");
    CertificateBench bench(Form::F26, host);
    FaultInjectingFileSystem counted({});
    FaultInjectingDatabaseEngine databases({});
    {
      FileSystemOverride files(counted);
      DatabaseEngineOverride engine(databases);
      GenerateCertificate(bench.self, certificate_workbook(Form::F26, "Exported",
                                                           {certificate_row("194C", "P", "N")}));
    }
    EXPECT_EQ(bench.ui.messages, std::vector{c.message});
    EXPECT_EQ(bench.self.certificates.end, CertificateOutcome::End::Stopped);
    EXPECT_TRUE(bench.started.empty());
    EXPECT_EQ(databases.calls(DatabaseCall::Open), 0);
    if (c.missing == "ini") {
      EXPECT_EQ(counted.calls(FileCall::Stat), 1);  // the ini file's, and no other
    }
    if (c.missing == "Quonda.mdb") fs::rename(host.dir / "kept.mdb", host.database());
    EXPECT_EQ(host.tables(), before);
  }
}

TEST(SetDataBase, ANewEmptyDatabaseAndNeverAReplacedFile) {
  const fs::path dir = scratch_dir();
  RecordingUi ui;
  const auto clock = fixed_clock(run_time());
  ReturnObject self(return_class(Form::F27), Platform{.ui = ui, .clock = *clock});
  std::vector<Variant> args{Variant::text((dir / "New.mdb").string())};
  invoke(self, "setdatabase", args);
  const auto database = sqlite_engine().open(dir / "New.mdb", OpenMode::ReadOnly);
  const auto tables = database->prepare("select count(*) from sqlite_master");
  ASSERT_TRUE(tables->step());
  EXPECT_EQ(tables->column_text(0), "0");

  std::ofstream(dir / "Host.mdb") << "the host's data";
  args = {Variant::text((dir / "Host.mdb").string())};
  EXPECT_EQ(error_of([&] { invoke(self, "SetDataBase", args); }),
            "58 File already exists: " + (dir / "Host.mdb").string());
  std::ifstream in(dir / "Host.mdb");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "the host's data");
  args = {Variant::text("")};
  EXPECT_THROW(invoke(self, "SetDataBase", args), RuntimeError);
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace fenwarx
