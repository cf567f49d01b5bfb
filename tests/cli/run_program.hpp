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

}  // namespace fenwarx::testing
