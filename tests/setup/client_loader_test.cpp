// The client loader, from programs of their own that link nothing else: the
// example creates its object by identifier in the library the registry names,
// in the user's folder first, then the system-wide one.
#include <gtest/gtest.h>

#include <fstream>

#include "cli/run_program.hpp"
#include "setup/setup_support.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;
using testing::run_program;
using testing::Variable;

fs::path workbook_in(const fs::path& dir) {
  const fs::path copy = dir / "form26-return.xlsx";
  fs::copy_file(testing::kExamples / "form26-return.xlsx", copy);
  return copy;
}

void register_library(const fs::path& library = testing::kLibrary) {
  const auto done = run_program(testing::kRegisterTool, {"-s", library});
  ASSERT_EQ(done.exit_code, 0) << done.err;
}

TEST(ClientLoader, CreatesTheRegisteredClassByItsIdentifier) {
  const fs::path dir = testing::scratch_dir();
  const fs::path book = workbook_in(dir);
  const std::string before = testing::slurp(book);
  const Variable folder("FENWARX_SYSTEM_DIR", (dir / "system").string());
  register_library();

  auto done = run_program(testing::kClientExample, {book, "fenwarx.CLSEXPORT26"});
  EXPECT_EQ(done.exit_code, 0) << done.err;
  EXPECT_EQ(done.out, "No error.\n");
  EXPECT_NE(testing::slurp(book), before) << "saved with its flag";

  done = run_program(testing::kClientExample, {book, "Fenwarx.clsExport99"});
  EXPECT_EQ(done.exit_code, 3);
  EXPECT_EQ(
      done.err.rfind("error 429: Can't create object: Fenwarx.clsExport99 is not registered (" +
                         (dir / "system" / "classes.ini").string() + " or ",
                     0),
      0u)
      << done.err;

  // A registered library that is gone: named, with why it did not load.
  std::ofstream(dir / "system" / "classes.ini")
      << "Fenwarx.clsExport26=" << (dir / "gone.so").string() << "\n";
  done = run_program(testing::kClientExample, {book});
  EXPECT_EQ(done.exit_code, 3);
  EXPECT_NE(done.err.find("error 429: Can't create object: Fenwarx.clsExport26 is registered to " +
                          (dir / "gone.so").string() + ", which cannot be loaded"),
            std::string::npos)
      << done.err;
}

TEST(ClientLoader, ReadsTheFolderTheLibraryRegisteredIn) {
  const fs::path dir = testing::scratch_dir();
  const fs::path book = workbook_in(dir);
  const Variable unset("FENWARX_SYSTEM_DIR", std::nullopt);
  const Variable data("XDG_DATA_HOME", (dir / "data").string());
  register_library();
  ASSERT_TRUE(fs::exists(dir / "data" / "fenwarx" / "system" / "classes.ini"));
  const auto done = run_program(testing::kClientExample, {book});
  EXPECT_EQ(done.exit_code, 0) << done.err;
  EXPECT_EQ(done.out, "No error.\n");
}

TEST(ClientLoader, FindsTheSystemWideRegistryAfterTheUsersOwn) {
  const fs::path dir = testing::scratch_dir();
  const fs::path book = workbook_in(dir);
  const fs::path system_wide = FENWARX_PROBE_REGISTRY;  // compiled into the probe's loader
  fs::remove_all(system_wide);
  {
    // As the package's post-install step registers the library.
    const Variable folder("FENWARX_SYSTEM_DIR", system_wide.string());
    register_library();
  }
  const Variable folder("FENWARX_SYSTEM_DIR", (dir / "user").string());
  auto done = run_program(FENWARX_CLIENT_PROBE, {book});
  EXPECT_EQ(done.exit_code, 0) << done.err;
  EXPECT_EQ(done.out, "No error.\n");

  fs::create_directories(dir / "user");
  std::ofstream(dir / "user" / "classes.ini")
      << "Fenwarx.clsExport26=" << (dir / "mine.so").string() << "\n";
  done = run_program(FENWARX_CLIENT_PROBE, {book});
  EXPECT_NE(done.err.find("registered to " + (dir / "mine.so").string()), std::string::npos)
      << "the user's entry comes first: " << done.err;
  fs::remove_all(system_wide);
}

}  // namespace
}  // namespace fenwarx
