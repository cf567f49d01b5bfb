#pragma once
// Starting another program: the validator of a return file, the certificate
// host's utility.
#include <string>
#include <vector>

namespace fenwarx {

// Runs argv[0] (looked up in PATH when it has no "/") with the other arguments,
// the caller's standard streams inherited, and waits for it. Returns its exit
// status, 128 + the signal when a signal ended it. RuntimeError 53 "File not
// found" when the program cannot be started; 5 for an empty argv.
int run_and_wait(const std::vector<std::string>& argv);

// Starts argv[0] (a path, never looked up in PATH) with the other arguments in a
// session of its own, so that the terminal's Ctrl-C does not end it with the
// caller, and returns without waiting; its input is /dev/null and its standard
// output the caller's standard error. A thread of the caller collects its exit
// status so that it leaves no zombie. RuntimeError 53 naming the program when it
// cannot be started; 5 for an empty argv.
void start_detached(const std::vector<std::string>& argv);

}  // namespace fenwarx
