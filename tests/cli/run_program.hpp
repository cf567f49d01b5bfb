#pragma once
// Runs a program of the build with its output captured, as a caller sees it.
#include <string>
#include <vector>

namespace fenwarx::testing {

struct Outcome {
  int exit_code = -1;  // 128 + signal when killed
  std::string out, err;
};

Outcome run_program(const std::string& program, const std::vector<std::string>& args);
// The fenwarx binary of this build.
inline Outcome run_fenwarx(const std::vector<std::string>& args) {
  return run_program(FENWARX_CLI, args);
}

// A run of fenwarx and what it must exit with and print.
struct Run {
  std::vector<std::string> args;
  int exit_code;
  std::string out, err;
};
// Runs each in turn, expecting its exit code and both outputs exactly.
void expect_runs(const std::vector<Run>& runs);

}  // namespace fenwarx::testing
