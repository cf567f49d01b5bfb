#include "support/shell.hpp"

#include <sys/wait.h>

#include <cstdio>

namespace fenwarx::testing {

ShellRun run_shell(const std::string& command) {
  ShellRun r;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return r;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    r.out.append(buffer, n);
  const int status = ::pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

std::string missing_readers() {
  std::string missing;
  if (run_shell("/usr/bin/python3 -c 'import openpyxl'").status != 0)
    missing += "python3 with openpyxl; ";
  if (run_shell("command -v soffice").status != 0) missing += "soffice; ";
  return missing;
}

}  // namespace fenwarx::testing
