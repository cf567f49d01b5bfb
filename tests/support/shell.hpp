#pragma once
// Runs a shell command line and keeps what it printed (standard error too): how
// the tests drive the real readers.
#include <string>

namespace fenwarx::testing {

struct ShellRun {
  int status = -1;  // the exit status, -1 when it did not exit
  std::string out;
};

ShellRun run_shell(const std::string& command);

// The real readers the reader tests need and this machine lacks ("" when it has
// both): openpyxl under /usr/bin/python3, and LibreOffice's soffice.
std::string missing_readers();

}  // namespace fenwarx::testing
