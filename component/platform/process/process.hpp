#pragma once
// Starting another program: the validator of a return file.
#include <string>
#include <vector>

namespace fenwarx {

// Runs argv[0] (looked up in PATH when it has no "/") with the other arguments,
// the caller's standard streams inherited, and waits for it. Returns its exit
// status, 128 + the signal when a signal ended it. RuntimeError 53 "File not
// found" when the program cannot be started; 5 for an empty argv.
int run_and_wait(const std::vector<std::string>& argv);

}  // namespace fenwarx
