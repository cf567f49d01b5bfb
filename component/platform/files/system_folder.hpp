#pragma once
// The folder that stands for the system folder: where the certificate host's ini
// file lies and the component's registry goes.
#include <filesystem>

namespace fenwarx {

// FENWARX_SYSTEM_DIR when set and not empty, else $XDG_DATA_HOME/fenwarx/system,
// else ~/.local/share/fenwarx/system (the home folder from HOME, else the user's
// entry in the password database).
std::filesystem::path default_system_folder();

}  // namespace fenwarx
