// Ctrl-C during a real export of a large workbook: the command exits with 130
// after one line, the workbook and an earlier return file stay byte for byte as
// they were, and no progress is drawn on a standard error that is a pipe.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/clean_return.hpp"
#include "support/test_paths.hpp"

extern char** environ;

namespace fenwarx {
namespace {

namespace fs = std::filesystem;

// Whether the process has a handler of its own for SIGINT in place.
bool catches_interrupt(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with("SigCgt:"))
      return (std::stoull(line.substr(7), nullptr, 16) >> (SIGINT - 1)) & 1;
  return false;
}

TEST(CancelCommand, CtrlCDuringAnExportSavesNothingAndExitsWith130) {
  const fs::path dir = testing::scratch_dir(), book = dir / "large.xlsx", out = dir / "c";
  fs::create_directory(out);
  testing::write_workbook(book, testing::clean_return(Form::F26, 20000));
  std::ofstream(out / "eTDS26.txt") << "an earlier return\r\n";
  const std::string bytes = testing::slurp(book);

  int error_pipe[2];
  ASSERT_EQ(pipe(error_pipe), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const fs::path json = dir / "out.json";
  posix_spawn_file_actions_addopen(&actions, 1, json.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, error_pipe[1], 2);
  posix_spawn_file_actions_addclose(&actions, error_pipe[0]);
  posix_spawn_file_actions_addclose(&actions, error_pipe[1]);
  std::vector<std::string> words{FENWARX_CLI,  "export",    "--json",     "--today",
                                 "2006-06-15", "--out-dir", out.string(), book.string()};
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  // As a command typed at a terminal: Ctrl-C not ignored, whatever runs the tests.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t interrupt;
  sigemptyset(&interrupt);
  sigaddset(&interrupt, SIGINT);
  posix_spawnattr_setsigdefault(&attributes, &interrupt);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ), 0);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  close(error_pipe[1]);

  // Once the command catches Ctrl-C it is opening or walking the workbook.
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!catches_interrupt(pid) && std::chrono::steady_clock::now() < give_up)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  kill(pid, SIGINT);
  int status = 0;
  waitpid(pid, &status, 0);
  std::string error;
  char buffer[4096];
  for (ssize_t n; (n = read(error_pipe[0], buffer, sizeof buffer)) > 0;) error.append(buffer, n);
  close(error_pipe[0]);

  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 130);
  EXPECT_EQ(error, "fenwarx: cancelled; nothing was saved\n");
  const std::string report = testing::slurp(json);
  EXPECT_NE(report.find(R"("failure": {"number": 18, "description": "User interrupt occurred"})"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find(R"("cancelled": true)"), std::string::npos);
  EXPECT_NE(report.find(R"("return_file": null)"), std::string::npos);
  EXPECT_EQ(testing::slurp(book), bytes);
  EXPECT_EQ(testing::slurp(out / "eTDS26.txt"), "an earlier return\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
}

}  // namespace
}  // namespace fenwarx
