#include "certificates/host_link.hpp"

#include <sys/stat.h>

#include <algorithm>

#include "certificates/certificates.hpp"
#include "platform/database/database.hpp"
#include "platform/files/file_system.hpp"
#include "platform/files/read_only_file.hpp"
#include "platform/files/system_folder.hpp"
#include "state/return_object.hpp"

namespace fenwarx {
namespace {

// More than any path: the first line is all that is read.
constexpr std::size_t kFirstLineBytes = 64 * 1024;

// A file is there when a regular file (or a link to one) has its name.
bool file_exists(const std::filesystem::path& path) {
  struct stat info {};
  return file_system().stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::filesystem::path system_folder_of(const ReturnObject& self) {
  const std::filesystem::path& folder = self.platform().system_folder;
  return folder.empty() ? default_system_folder() : folder;
}

std::filesystem::path host_file(const std::string& host, std::string_view name) {
  return std::filesystem::path(host + "/" + std::string(name));
}

std::string ReadHostPath(const std::filesystem::path& system_folder) {
  const std::filesystem::path ini = system_folder / kHostIni;
  if (!file_exists(ini)) return {};
  const ReadOnlyFile file(ini);
  std::string text(static_cast<std::size_t>(std::min<std::uint64_t>(file.size(), kFirstLineBytes)),
                   '\0');
  text.resize(file.read(0, text.size(), text.data()));
  // A line ends at CR, LF or CR LF, as a text reader takes it.
  text.resize(std::min(text.find_first_of("\r\n"), text.size()));
  return text;
}

void SetDataBase(const std::string& dbPath) {
  if (dbPath.empty())
    throw RuntimeError(err::kInvalidCall, "SetDataBase needs the path of the new database");
  database_engine().open(dbPath, OpenMode::CreateNew);
}

std::optional<std::string> checked_host(ReturnObject& self) {
  const std::string host = ReadHostPath(system_folder_of(self));
  if (host.empty()) {
    self.ui().MsgBox(Message::information(std::string(texts::kNoHostPath.text),
                                          std::string(texts::kNoHostPath.title)));
    return std::nullopt;
  }
  for (const HostFile& file : kHostFiles) {
    if (file_exists(host_file(host, file.name))) continue;
    self.ui().MsgBox(
        Message::information(std::string(file.missing.text), std::string(file.missing.title)));
    return std::nullopt;
  }
  return host;
}

}  // namespace fenwarx
