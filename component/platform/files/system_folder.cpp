#include "platform/files/system_folder.hpp"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace fenwarx {
namespace {

const char* variable(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : nullptr;
}

std::filesystem::path home_folder() {
  if (const char* home = variable("HOME")) return home;
  if (const passwd* user = getpwuid(getuid()); user && user->pw_dir) return user->pw_dir;
  return "/";
}

}  // namespace

std::filesystem::path default_system_folder() {
  if (const char* folder = variable("FENWARX_SYSTEM_DIR")) return folder;
  const std::filesystem::path data =
      variable("XDG_DATA_HOME") ? variable("XDG_DATA_HOME") : home_folder() / ".local" / "share";
  return data / "fenwarx" / "system";
}

}  // namespace fenwarx
