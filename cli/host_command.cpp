// fenwarx host init: sets up the stand-in certificate host in a folder and names
// it in the system folder's ini file, its utility the fenwarx-host-utility
// program that stands beside this one.
#include <fmt/format.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "command.hpp"
#include "exit_codes.hpp"
#include "job_report.hpp"
#include "jobs/jobs.hpp"

namespace fenwarx::cli {
namespace {

constexpr const char* kUtility = "fenwarx-host-utility";

struct HostOptions {
  std::string folder;
  bool force = false;
};

// The utility beside the running program.
std::filesystem::path utility_beside_me() {
  std::error_code error;
  const std::filesystem::path me = std::filesystem::read_symlink("/proc/self/exe", error);
  return (error ? std::filesystem::path(".") : me.parent_path()) / kUtility;
}

int init(const HostOptions& options) {
  const jobs::HostResult result = jobs::init_host(
      {.folder = options.folder, .utility = utility_beside_me(), .replace = options.force});
  if (result.outcome == jobs::Outcome::Refused) {
    for (const std::string& what : result.in_the_way)
      fmt::print(stderr, "fenwarx: {} exists; give --force to replace the host\n", what);
    return kExitUsage;
  }
  if (result.outcome == jobs::Outcome::Failed) return report_failure(*result.failure);
  fmt::print("certificate host ready in {}: Brelmo.mdb, Quonda.mdb, Plomberg.EXE\n",
             result.folder.string());
  fmt::print("{} names it\n", result.ini.string());
  return kExitDone;
}

Command add_host(CLI::App& parent) {
  auto options = std::make_shared<HostOptions>();
  auto* app = parent.add_subcommand("host", "The stand-in certificate host");
  app->require_subcommand(1);
  auto* init_app = app->add_subcommand(
      "init", "Set up the certificate host in DIR and name it in the system folder");
  init_app->add_option("DIR", options->folder, "The host's folder (made when missing)")->required();
  init_app->add_flag("--force", options->force, "Replace the host's files and the ini file");
  return {app, [options] { return init(*options); }};
}

[[maybe_unused]] const bool registered = register_command(&add_host);

}  // namespace
}  // namespace fenwarx::cli
