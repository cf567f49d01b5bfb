// fenwarx-setup: installs the library shipped beside it (see installation.hpp).
// Exit 0 installed or already installed, 2 usage, 3 when something was not done.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "install/installation.hpp"

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  CLI::App app{
      "Installs the Fenwarx library shipped beside this program: copies libfenwarx.so into "
      "the system folder (FENWARX_SYSTEM_DIR, else ${XDG_DATA_HOME:-~/.local/share}/fenwarx/"
      "system), registers it there with fenwarx-register, waiting for the outcome, and then "
      "deletes the shipped copy.",
      "fenwarx-setup"};
  app.set_version_flag("--version", "fenwarx-setup " FENWARX_VERSION);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  }

  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (error) {
    std::fprintf(stderr,
                 "fenwarx-setup: Fenwarx was not installed: this program's folder is unknown "
                 "(/proc/self/exe: %s)\n",
                 error.message().c_str());
    return 3;
  }
  const auto result = fenwarx::setup::install_component(self.parent_path());
  if (!result.message.empty()) std::printf("%s\n", result.message.c_str());
  std::fflush(stdout);
  if (!result.failure.empty()) std::fprintf(stderr, "fenwarx-setup: %s\n", result.failure.c_str());
  return result.failure.empty() ? 0 : 3;
}
