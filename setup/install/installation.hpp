#pragma once
// What fenwarx-setup does: the library shipped beside it copied into the system
// folder, registered there by the registration tool (waited for, its outcome
// read), and the shipped copy deleted once the registration succeeded.
#include <filesystem>
#include <string>

namespace fenwarx::setup {

inline constexpr const char* kShippedLibrary = "libfenwarx.so";
inline constexpr const char* kRegisterTool = "fenwarx-register";

enum class SetupOutcome { Installed, AlreadyInstalled, Failed };

struct SetupResult {
  SetupOutcome outcome = SetupOutcome::Failed;
  std::string message;  // what was done, for standard output
  std::string failure;  // what did not happen and why, for standard error; empty when all went
};

// Installs PROGRAM_FOLDER/libfenwarx.so into default_system_folder() (made
// absolute) with PROGRAM_FOLDER/fenwarx-register. With no shipped library, a
// folder that already holds a registered one is reported as installed; anything
// else that stops the installation is a failure naming what was not done.
SetupResult install_component(const std::filesystem::path& program_folder);

}  // namespace fenwarx::setup
