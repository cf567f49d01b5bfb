// Starting a program and waiting for it: its status comes back, a missing one fails.
#include "platform/process/process.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/values/runtime_error.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

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
  try {
    run_and_wait({"fenwarx-no-such-program", "x"});
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), 53);
    EXPECT_EQ(e.description(), "File not found: fenwarx-no-such-program");
  }
  try {
    run_and_wait({});
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), 5);
  }
}

}  // namespace
}  // namespace fenwarx
