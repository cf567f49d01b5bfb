#include "command.hpp"

namespace fenwarx::cli {
namespace {

// A function-local static, so registration works whatever the order in which
// the command files are initialised.
std::vector<CommandSetup>& registry() {
  static std::vector<CommandSetup> commands;
  return commands;
}

}  // namespace

bool register_command(CommandSetup setup) {
  registry().push_back(setup);
  return true;
}

const std::vector<CommandSetup>& registered_commands() { return registry(); }

}  // namespace fenwarx::cli
