#pragma once
// Subcommands register themselves from their own file; main builds the parser
// from whatever registered, so adding a command never touches main.
#include <CLI/App.hpp>
#include <functional>
#include <vector>

namespace fenwarx::cli {

struct Command {
  CLI::App* app = nullptr;   // the subcommand, to see whether it was chosen
  std::function<int()> run;  // runs it once the arguments are parsed; the exit code
};

// Adds one subcommand (and its options) to the top-level parser.
using CommandSetup = Command (*)(CLI::App& parent);

// For a namespace-scope initialiser: `const bool registered = register_command(&setup);`
bool register_command(CommandSetup setup);
const std::vector<CommandSetup>& registered_commands();

}  // namespace fenwarx::cli
