// fenwarx-register on the built library: the entries its entry points write into
// the class registry, the entries they keep, and the failures the tool reports.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <optional>

#include "cli/run_program.hpp"
#include "setup/setup_support.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;
using testing::run_program;
using testing::slurp;

std::string entries_of(const fs::path& library) {
  std::string text;
  for (const char* id : {"clsExport24", "clsExport26", "clsExport27", "clsExport27EQ"})
    text += std::string("Fenwarx.") + id + "=" + library.string() + "\n";
  return text;
}

TEST(Registration, WritesItsEntriesKeepsOthersAndRemovesThem) {
  const fs::path dir = testing::scratch_dir();
  const fs::path system = dir / "var" / "lib" / "fenwarx";  // made by the registration
  const testing::Variable folder("FENWARX_SYSTEM_DIR", system.string());
  const fs::path registry = system / "classes.ini";

  auto done = run_program(testing::kRegisterTool, {testing::kLibrary});
  EXPECT_EQ(done.exit_code, 0) << done.err;
  EXPECT_EQ(done.out, "DllRegisterServer in libfenwarx.so.0 succeeded.\n");
  const std::string heading = "; Fenwarx classes: programmatic identifier=library\n";
  // The path given, not the file its link leads to: an upgrade replaces that file.
  EXPECT_EQ(slurp(registry), heading + entries_of(testing::kLibrary));
  done = run_program(testing::kRegisterTool, {"-u", testing::kLibrary});
  EXPECT_EQ(done.out, "DllUnregisterServer in libfenwarx.so.0 succeeded.\n");
  EXPECT_FALSE(fs::exists(registry)) << "no entry left";

  // Another class's entry and the comments stay; an earlier entry of ours, in
  // any case, is replaced, from a relative path made absolute.
  const std::string others = "# kept\r\nOther.Class = /opt/other/libother.so\n";
  std::ofstream(registry) << others << "fenwarx.CLSEXPORT26=/old/libfenwarx.so\n";
  const fs::path from = testing::kLibrary.parent_path();
  const fs::path relative = from.filename() / testing::kLibrary.filename();
  const fs::path was = fs::current_path();
  fs::current_path(from.parent_path());
  for (int run = 0; run < 2; ++run) {
    done = run_program(testing::kRegisterTool, {"-s", relative});
    EXPECT_TRUE(done.exit_code == 0 && done.out.empty() && done.err.empty()) << done.err;
    EXPECT_EQ(slurp(registry),
              "# kept\nOther.Class = /opt/other/libother.so\n" + entries_of(testing::kLibrary));
  }
  done = run_program(testing::kRegisterTool, {"-s", "-u", relative});
  fs::current_path(was);
  EXPECT_TRUE(done.exit_code == 0 && done.out.empty());
  EXPECT_EQ(slurp(registry), "# kept\nOther.Class = /opt/other/libother.so\n");
}

TEST(Registration, SaysWhatFailedEvenWhenSilent) {
  const fs::path dir = testing::scratch_dir();
  const testing::Variable folder("FENWARX_SYSTEM_DIR", (dir / "system").string());
  std::ofstream(dir / "notes.so") << "not a library\n";
  Dl_info libc{};
  ASSERT_NE(dladdr(reinterpret_cast<void*>(&::getpid), &libc), 0);
  const fs::path blocked = dir / "notes.so" / "system";  // under a file: cannot be made

  const struct {
    std::vector<std::string> args;
    std::optional<fs::path> system;
    int exit_code;
    std::string said;
  } cases[] = {
      {{"-s", dir / "absent.so"}, {}, 3, "cannot load " + (dir / "absent.so").string()},
      {{"-s", dir / "notes.so"}, {}, 3, "cannot load " + (dir / "notes.so").string()},
      {{"-s", libc.dli_fname}, {}, 3, "has no entry point fenwarx_register_server"},
      {{"-s", "-u", libc.dli_fname}, {}, 3, "has no entry point fenwarx_unregister_server"},
      {{"-s", testing::kLibrary},
       blocked,
       3,
       "DllRegisterServer in " + testing::kLibrary.string() +
           " failed: error 76: Path not found: cannot make " + blocked.string()},
      {{}, {}, 2, "LIBRARY is required"},
      {{"-x", testing::kLibrary}, {}, 2, "-x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.said);
    const testing::Variable system("FENWARX_SYSTEM_DIR", (c.system ? *c.system : dir).string());
    const auto done = run_program(testing::kRegisterTool, c.args);
    EXPECT_EQ(done.exit_code, c.exit_code);
    EXPECT_EQ(done.out, "");
    EXPECT_NE(done.err.find(c.said), std::string::npos) << done.err;
    EXPECT_FALSE(fs::exists(dir / "classes.ini"));
  }
}

}  // namespace
}  // namespace fenwarx
