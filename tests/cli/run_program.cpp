#include "run_program.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/test_paths.hpp"

extern char** environ;

namespace fenwarx::testing {

// stdout and stderr go to files rather than pipes, so neither can fill and block.
Outcome run_program(const std::string& program, const std::vector<std::string>& args) {
  const auto dir = std::filesystem::temp_directory_path() / "fenwarx-tests";
  std::filesystem::create_directories(dir);
  // Per process: ctest may run the tests side by side.
  const auto stem = "run-" + std::to_string(getpid());
  const auto out_path = dir / (stem + ".out"), err_path = dir / (stem + ".err");

  std::vector<std::string> argv_text{program};
  argv_text.insert(argv_text.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& arg : argv_text) argv.push_back(arg.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  pid_t pid = 0;
  Outcome result;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  result.out = slurp(out_path);
  result.err = slurp(err_path);
  std::filesystem::remove(out_path);
  std::filesystem::remove(err_path);
  return result;
}

void expect_runs(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    SCOPED_TRACE(::testing::PrintToString(run.args));
    const Outcome outcome = run_fenwarx(run.args);
    EXPECT_EQ(outcome.exit_code, run.exit_code);
    EXPECT_EQ(outcome.out, run.out);
    EXPECT_EQ(outcome.err, run.err);
  }
}

}  // namespace fenwarx::testing
