#include "install/installation.hpp"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <system_error>

#include "platform/files/atomic_file.hpp"
#include "platform/files/file_system.hpp"
#include "platform/files/folders.hpp"
#include "platform/files/read_only_file.hpp"
#include "platform/files/system_folder.hpp"
#include "platform/process/process.hpp"
#include "platform/registry/class_registry.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx::setup {
namespace {

namespace fs = std::filesystem;

std::string told(const RuntimeError& error) {
  return "error " + std::to_string(error.number()) + ": " + error.description();
}

bool present(const fs::path& path) {
  struct stat info {};
  if (file_system().stat(path.c_str(), &info) == 0) return true;
  if (errno == ENOENT || errno == ENOTDIR) return false;
  throw RuntimeError(err::kPathFileAccess, "Path/File access error: " + path.string() + " (" +
                                               std::strerror(errno) + ")");
}

bool installed_and_registered(const fs::path& system, const fs::path& target) {
  if (!present(target)) return false;
  for (const ClassEntry& entry : read_class_registry(system))
    if (fs::path(entry.library).lexically_normal() == target) return true;
  return false;
}

// The copy appears whole or not at all, over any earlier file of its name.
void copy_whole(const fs::path& from, const fs::path& to) {
  const ReadOnlyFile in(from);
  AtomicFile out(to);
  std::string chunk(std::size_t{1} << 20, '\0');
  std::uint64_t copied = 0;
  while (copied < in.size()) {
    const std::size_t n = in.read(copied, chunk.size(), chunk.data());
    if (n == 0)
      throw RuntimeError(err::kDeviceIo,
                         "Device I/O error: " + from.string() + " shrank while it was copied");
    out.write(std::string_view(chunk.data(), n));
    copied += n;
  }
  out.commit();
}

void delete_file(const fs::path& path) {
  if (file_system().unlink(path.c_str()) == 0) return;
  if (errno == EACCES || errno == EPERM || errno == EROFS)
    throw RuntimeError(err::kPermission, "Permission denied: " + path.string());
  throw RuntimeError(err::kPathFileAccess, "Path/File access error: " + path.string() + " (" +
                                               std::strerror(errno) + ")");
}

}  // namespace

SetupResult install_component(const fs::path& program_folder) {
  SetupResult result;
  const fs::path source = program_folder / kShippedLibrary;
  const fs::path tool = program_folder / kRegisterTool;
  const fs::path system = fs::absolute(default_system_folder()).lexically_normal();
  const fs::path target = system / kShippedLibrary;

  try {
    if (!present(source)) {
      if (!installed_and_registered(system, target)) {
        result.failure = "Fenwarx was not installed: " + source.string() + " is missing, and " +
                         system.string() + " holds no registered " + kShippedLibrary;
        return result;
      }
      result.outcome = SetupOutcome::AlreadyInstalled;
      result.message = "Fenwarx is already installed and registered in " + system.string();
      return result;
    }
    make_folder(system);
  } catch (const RuntimeError& error) {
    result.failure = "Fenwarx was not installed: " + told(error);
    return result;
  }

  // Run from the system folder itself, the shipped copy is the installed one:
  // it is neither copied onto itself nor deleted.
  std::error_code same_error;
  const bool in_place = fs::equivalent(source, target, same_error);
  if (!in_place) {
    try {
      copy_whole(source, target);
    } catch (const RuntimeError& error) {
      result.failure = "Fenwarx was not installed: copying " + source.string() + " to " +
                       target.string() + " failed: " + told(error) + ". Nothing was registered.";
      return result;
    }
  }

  const std::string kept = in_place ? "" : "; the shipped copy " + source.string() + " is kept";
  try {
    const int status = run_and_wait({tool.string(), "-s", target.string()});
    if (status != 0) {
      result.failure = "Fenwarx was copied to " + target.string() +
                       " but not registered: " + kRegisterTool + " -s " + target.string() +
                       " ended with exit status " + std::to_string(status) + kept;
      return result;
    }
  } catch (const RuntimeError& error) {
    result.failure = "Fenwarx was copied to " + target.string() +
                     " but not registered: cannot start " + tool.string() + ": " + told(error) +
                     kept;
    return result;
  }

  result.outcome = SetupOutcome::Installed;
  result.message = "DllRegisterServer in " + target.filename().string() + " succeeded.";
  if (in_place) return result;
  try {
    delete_file(source);
  } catch (const RuntimeError& error) {
    result.failure = "the shipped copy " + source.string() + " was not deleted: " + told(error);
  }
  return result;
}

}  // namespace fenwarx::setup
