#include "platform/process/process.hpp"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <system_error>

#include "platform/values/runtime_error.hpp"

extern char** environ;

namespace fenwarx {

int run_and_wait(const std::vector<std::string>& argv) {
  if (argv.empty()) throw RuntimeError(err::kInvalidCall);
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);

  pid_t pid = 0;
  // glibc reports a failed exec through the result, so a missing program never
  // leaves a child behind that exits 127.
  const int failed = posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ);
  if (failed != 0) {
    std::string description = "File not found: " + argv[0];
    if (failed != ENOENT) description += " (" + std::generic_category().message(failed) + ")";
    throw RuntimeError(err::kFileNotFound, description);
  }

  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR)
      throw RuntimeError(err::kApplication, "waitpid: " + std::generic_category().message(errno));
  }
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

}  // namespace fenwarx
