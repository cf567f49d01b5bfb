// The command line: parse, dispatch to the chosen subcommand, map failures to exit codes.
#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <new>
#include <vector>

#include "command.hpp"
#include "exit_codes.hpp"
#include "platform/values/runtime_error.hpp"

int main(int argc, char** argv) {
  using namespace fenwarx::cli;

  CLI::App app{"Checks quarterly TDS/TCS return workbooks.", "fenwarx"};
  app.set_version_flag("--version", "fenwarx " FENWARX_VERSION);
  app.require_subcommand(1);

  std::vector<Command> commands;
  try {
    for (CommandSetup setup : registered_commands()) commands.push_back(setup(app));
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // Help and version are "errors" with code 0 that print to stdout.
    return app.exit(e) == 0 ? kExitDone : kExitUsage;
  }

  try {
    for (const Command& command : commands)
      if (command.app->parsed()) return command.run();
    return kExitUsage;
  } catch (const fenwarx::RuntimeError& e) {
    std::fflush(stdout);
    fmt::print(stderr, "fenwarx: error {}: {}\n", e.number(), e.description());
  } catch (const std::bad_alloc&) {
    std::fflush(stdout);
    fmt::print(stderr, "fenwarx: error {}: {}\n", fenwarx::err::kOutOfMemory,
               fenwarx::error_text(fenwarx::err::kOutOfMemory));
  } catch (const std::exception& e) {
    std::fflush(stdout);
    fmt::print(stderr, "fenwarx: internal error: {}\n", e.what());
  }
  return kExitFailure;
}
