// fenwarx-setup: the shipped library copied into the system folder, registered
// there, the shipped copy removed; and what it says when a step was not done.
#include <gtest/gtest.h>

#include <fstream>

#include "cli/run_program.hpp"
#include "install/installation.hpp"
#include "platform/files/fault_injection.hpp"
#include "platform/registry/class_registry.hpp"
#include "setup/setup_support.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;
using setup::install_component;
using setup::SetupOutcome;
using testing::run_program;
using testing::slurp;
using testing::Variable;

// A folder as shipped: the setup program, the registration tool and the library.
fs::path shipped(const fs::path& dir, bool with_library = true) {
  const fs::path folder = dir / "shipped";
  fs::create_directories(folder);
  fs::copy_file(testing::kSetupTool, folder / "fenwarx-setup");
  fs::copy_file(testing::kRegisterTool, folder / "fenwarx-register");
  if (with_library) fs::copy_file(testing::kLibrary, folder / "libfenwarx.so");
  return folder;
}

TEST(Setup, CopiesRegistersRemovesTheShippedCopyThenFindsItInstalled) {
  const fs::path dir = testing::scratch_dir();
  const fs::path ship = shipped(dir);
  const fs::path system = dir / "system";
  const Variable folder("FENWARX_SYSTEM_DIR", system.string());
  fs::create_directories(system);
  std::ofstream(system / "libfenwarx.so") << "an older library";

  auto done = run_program(ship / "fenwarx-setup", {});
  EXPECT_EQ(done.exit_code, 0) << done.err;
  EXPECT_EQ(done.out, "DllRegisterServer in libfenwarx.so succeeded.\n");
  EXPECT_EQ(done.err, "");
  EXPECT_EQ(slurp(system / "libfenwarx.so"), slurp(testing::kLibrary));
  EXPECT_FALSE(fs::exists(ship / "libfenwarx.so"));
  EXPECT_EQ(registered_library(read_class_registry(system), "Fenwarx.clsExport27EQ"),
            (system / "libfenwarx.so").string());
  const fs::path book = dir / "form26-return.xlsx";
  fs::copy_file(testing::kExamples / "form26-return.xlsx", book);
  EXPECT_EQ(run_program(testing::kClientExample, {book}).out, "No error.\n");

  done = run_program(ship / "fenwarx-setup", {});
  EXPECT_EQ(done.exit_code, 0) << done.err;
  EXPECT_EQ(done.out, "Fenwarx is already installed and registered in " + system.string() + "\n");
}

TEST(Setup, AFailedRegistrationIsReportedAndKeepsTheShippedCopy) {
  const fs::path dir = testing::scratch_dir();
  const fs::path ship = shipped(dir, false);
  std::ofstream(ship / "libfenwarx.so") << "not a library";
  const fs::path system = dir / "system";
  const Variable folder("FENWARX_SYSTEM_DIR", system.string());

  const auto done = run_program(ship / "fenwarx-setup", {});
  EXPECT_EQ(done.exit_code, 3);
  EXPECT_EQ(done.out, "");
  const std::string target = (system / "libfenwarx.so").string();
  EXPECT_NE(done.err.find("fenwarx-register: cannot load " + target), std::string::npos);
  EXPECT_NE(done.err.find("fenwarx-setup: Fenwarx was copied to " + target +
                          " but not registered: fenwarx-register -s " + target +
                          " ended with exit status 3; the shipped copy " +
                          (ship / "libfenwarx.so").string() + " is kept\n"),
            std::string::npos)
      << done.err;
  EXPECT_TRUE(fs::exists(ship / "libfenwarx.so"));
  EXPECT_FALSE(fs::exists(system / "classes.ini"));
}

TEST(Setup, SaysWhatWasNotDone) {
  const fs::path dir = testing::scratch_dir();
  const fs::path system = dir / "system";
  const Variable folder("FENWARX_SYSTEM_DIR", system.string());
  const fs::path ship = shipped(dir);
  const fs::path source = ship / "libfenwarx.so";
  const fs::path target = system / "libfenwarx.so";

  {
    const fs::path empty = dir / "empty";
    const auto result = install_component(empty);
    EXPECT_EQ(result.outcome, SetupOutcome::Failed);
    EXPECT_EQ(result.failure, "Fenwarx was not installed: " + (empty / "libfenwarx.so").string() +
                                  " is missing, and " + system.string() +
                                  " holds no registered libfenwarx.so");
  }
  {
    FaultInjectingFileSystem files({{.call = FileCall::Write, .error = ENOSPC}});
    const FileSystemOverride in_place(files);
    const auto result = install_component(ship);
    EXPECT_EQ(result.failure, "Fenwarx was not installed: copying " + source.string() + " to " +
                                  target.string() + " failed: error 61: Disk full: cannot write " +
                                  target.string() + ". Nothing was registered.");
    EXPECT_EQ(files.open_descriptors(), 0);
  }
  EXPECT_FALSE(fs::exists(target));
  fs::remove(ship / "fenwarx-register");
  {
    const auto result = install_component(ship);
    EXPECT_EQ(result.outcome, SetupOutcome::Failed);
    EXPECT_EQ(result.failure.rfind("Fenwarx was copied to " + target.string() +
                                       " but not registered: cannot start " +
                                       (ship / "fenwarx-register").string() + ": error 53",
                                   0),
              0u)
        << result.failure;
  }
  fs::copy_file(testing::kRegisterTool, ship / "fenwarx-register");
  {
    // Registered, so it says so; the copy it could not delete is a failure too.
    FaultInjectingFileSystem files({{.call = FileCall::Unlink, .error = EBUSY}});
    const FileSystemOverride in_place(files);
    const auto result = install_component(ship);
    EXPECT_EQ(result.outcome, SetupOutcome::Installed);
    EXPECT_EQ(result.message, "DllRegisterServer in libfenwarx.so succeeded.");
    EXPECT_EQ(result.failure.rfind("the shipped copy " + source.string() + " was not deleted", 0),
              0u)
        << result.failure;
  }
  EXPECT_TRUE(fs::exists(source));
  EXPECT_EQ(install_component(ship).outcome, SetupOutcome::Installed);
  EXPECT_FALSE(fs::exists(source));
}

}  // namespace
}  // namespace fenwarx
