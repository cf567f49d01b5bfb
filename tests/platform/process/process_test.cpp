// Starting a program and waiting for it: its status comes back, a missing one
// fails; a program started without waiting runs on its own.
#include "platform/process/process.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "support/error_of.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

using testing::error_number_of;
using testing::error_of;

TEST(Process, ExitStatusAndSignal) {
  const struct {
    std::vector<std::string> argv;
    int status;
  } cases[] = {
      {{"true"}, 0},
      {{"false"}, 1},
      {{"sh", "-c", "exit 7"}, 7},
      {{"/bin/sh", "-c", "kill -TERM $$"}, 128 + 15},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.argv.back());
    EXPECT_EQ(run_and_wait(c.argv), c.status);
  }
}

// Arguments reach the program one by one, blanks and quotes untouched.
TEST(Process, PassesArgumentsAsGiven) {
  const auto out = testing::scratch_dir() / "args.txt";
  ASSERT_EQ(
      run_and_wait({"sh", "-c", "printf '%s|' \"$@\" > \"$0\"", out.string(), "a b", "'c'", ""}),
      0);
  std::ifstream in(out);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "a b|'c'||");
}

TEST(Process, MissingProgramAndEmptyCall) {
  EXPECT_EQ(error_of([] {
              run_and_wait({"fenwarx-no-such-program", "x"});
            }),
            "53 File not found: fenwarx-no-such-program");
  EXPECT_EQ(error_number_of([] { run_and_wait({}); }), 5);
}

using testing::slurp;

// Waits up to ten seconds for a file's content to end in a line.
std::string wait_for(const std::filesystem::path& path) {
  for (int i = 0; i < 1000; ++i) {
    const std::string text = slurp(path);
    if (!text.empty() && text.back() == '\n') return text;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return "";
}

// The call returns while the program still runs, and the program leads a session
// of its own (its session id is its process id); it reads /dev/null and writes
// its output where the caller's errors go.
TEST(Process, ADetachedProgramRunsOnInItsOwnSession) {
  const auto dir = testing::scratch_dir();
  const auto gate = dir / "gate", out = dir / "out.txt";
  const auto script = dir / "utility";
  std::ofstream(script) << "#!/bin/sh\n"
                        << "while [ ! -e '" << gate.string() << "' ]; do sleep 0.01; done\n"
                        << "set -- $(cat /proc/$$/stat)\n"
                        << "echo \"$1 $6\" > '" << out.string() << ".part'\n"
                        << "readlink /proc/$$/fd/0 >> '" << out.string() << ".part'\n"
                        << "[ \"$(readlink /proc/$$/fd/1)\" = \"$(readlink /proc/$$/fd/2)\" ] && "
                        << "echo same >> '" << out.string() << ".part'\n"
                        << "mv '" << out.string() << ".part' '" << out.string() << "'\n";
  std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  start_detached({script.string()});
  EXPECT_FALSE(std::filesystem::exists(out));
  std::ofstream(gate) << "go";
  const std::string said = wait_for(out);
  ASSERT_FALSE(said.empty());
  const std::string ids = said.substr(0, said.find('\n') + 1);
  EXPECT_EQ(said.substr(ids.size()), "/dev/null\nsame\n");
  const std::size_t blank = ids.find(' ');
  EXPECT_EQ(ids.substr(0, blank), ids.substr(blank + 1, ids.size() - blank - 2)) << ids;
  EXPECT_EQ(error_of([&] { start_detached({(dir / "Plomberg.EXE").string()}); }),
            "53 File not found: " + (dir / "Plomberg.EXE").string());
}

}  // namespace
}  // namespace fenwarx
