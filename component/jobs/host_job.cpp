// The stand-in certificate host: its databases made whole under a temporary
// name and renamed into place, its utility installed, and the ini file naming
// the folder written last, so that a host that stops half set up is never named.
#include <sys/stat.h>

#include <system_error>

#include "certificates/certificates.hpp"
#include "certificates/host_link.hpp"
#include "certificates/host_schema.hpp"
#include "jobs/jobs.hpp"
#include "jobs/workbook_run.hpp"
#include "platform/database/database.hpp"
#include "platform/files/atomic_file.hpp"
#include "platform/files/file_system.hpp"
#include "platform/files/folders.hpp"
#include "platform/files/read_only_file.hpp"
#include "platform/files/system_folder.hpp"

namespace fenwarx::jobs {
namespace {

namespace fs = std::filesystem;

bool taken(const fs::path& path) {
  std::error_code error;
  return fs::symlink_status(path, error).type() != fs::file_type::not_found;
}

// A database made complete under a temporary name, then renamed over `target`.
void install_database(const fs::path& target, bool with_tables) {
  const fs::path temporary = target.parent_path() / ("." + target.filename().string() + ".new");
  file_system().unlink(temporary.c_str());
  try {
    {
      const auto database = database_engine().open(temporary, OpenMode::CreateNew);
      if (with_tables) create_host_tables(*database);
    }
    if (file_system().rename(temporary.c_str(), target.c_str()) != 0)
      throw RuntimeError(err::kPathFileAccess,
                         "Path/File access error: cannot rename " + temporary.string() + " to " +
                             target.string() + " (" + std::generic_category().message(errno) + ")");
  } catch (...) {
    file_system().unlink(temporary.c_str());
    throw;
  }
}

void install_utility(const fs::path& utility, const fs::path& target) {
  const ReadOnlyFile program(utility);
  std::string bytes(static_cast<std::size_t>(program.size()), '\0');
  if (!program.read_exactly(0, bytes.size(), bytes.data()))
    throw RuntimeError(err::kDeviceIo, "Device I/O error reading " + utility.string());
  AtomicFile file(target);
  file.make_executable();
  file.write(bytes);
  file.commit();
}

}  // namespace

HostResult init_host(const HostJob& job, const Environment& environment) {
  HostResult result;
  try {
    fs::path folder = fs::absolute(job.folder).lexically_normal();
    if (folder.filename().empty()) folder = folder.parent_path();
    result.folder = folder;
    const fs::path system =
        environment.system_folder.empty() ? default_system_folder() : environment.system_folder;
    result.ini = system / kHostIni;

    struct stat info {};
    if (file_system().stat(job.utility.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
      throw RuntimeError(err::kFileNotFound, "File not found: " + job.utility.string() +
                                                 ", the certificate utility to install as " +
                                                 std::string(kHostUtility));
    if (!job.replace) {
      for (const HostFile& file : kHostFiles)
        if (taken(folder / file.name)) result.in_the_way.push_back((folder / file.name).string());
      const std::string named = ReadHostPath(system);
      if (!named.empty() && fs::path(named).lexically_normal() != folder)
        result.in_the_way.push_back(result.ini.string() + " names " + named);
      if (!result.in_the_way.empty()) {
        result.outcome = Outcome::Refused;
        return result;
      }
    }

    make_folder(folder);
    install_database(folder / kHostMainDatabase, false);
    install_database(folder / kHostDatabase, true);
    install_utility(job.utility, folder / kHostUtility);
    make_folder(system);
    AtomicFile ini(result.ini);
    ini.write(folder.string() + "\n");
    ini.commit();
  } catch (const RuntimeError& error) {
    result.outcome = Outcome::Failed;
    result.failure = failure_of(error);
  }
  return result;
}

}  // namespace fenwarx::jobs
