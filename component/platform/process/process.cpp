#include "platform/process/process.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <thread>

#include "platform/values/runtime_error.hpp"

extern char** environ;

namespace fenwarx {

namespace {

std::vector<char*> arguments_of(const std::vector<std::string>& argv) {
  if (argv.empty()) throw RuntimeError(err::kInvalidCall);
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  return args;
}

// glibc reports a failed exec through the result, so a missing program never
// leaves a child behind that exits 127.
void check_started(int failed, const std::string& program) {
  if (failed == 0) return;
  std::string description = "File not found: " + program;
  if (failed != ENOENT) description += " (" + std::generic_category().message(failed) + ")";
  throw RuntimeError(err::kFileNotFound, description);
}

}  // namespace

int run_and_wait(const std::vector<std::string>& argv) {
  std::vector<char*> args = arguments_of(argv);
  pid_t pid = 0;
  check_started(posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ), argv[0]);

  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR)
      throw RuntimeError(err::kApplication, "waitpid: " + std::generic_category().message(errno));
  }
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

void start_detached(const std::vector<std::string>& argv) {
  std::vector<char*> args = arguments_of(argv);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  // It outlives the caller's output: what it says goes where the caller's messages
  // go, never into a standard output a caller may be reading as JSON; it reads nothing.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, args[0], &actions, &attributes, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  check_started(failed, argv[0]);
  std::thread([pid] {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

}  // namespace fenwarx
