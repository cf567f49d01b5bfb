#include "host/certificate_pages.hpp"

#include <string>
#include <system_error>
#include <unordered_set>

#include "host/certificate_document.hpp"
#include "platform/files/atomic_file.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx::host {
namespace {

namespace fs = std::filesystem;

// Two certificates of one number would write one file, the second hiding the first.
void refuse_repeated_numbers(const std::vector<Certificate>& certificates) {
  std::unordered_set<long long> seen;
  for (const auto& certificate : certificates) {
    if (!seen.insert(certificate.number).second)
      throw RuntimeError(err::kInvalidCall, std::string(error_text(err::kInvalidCall)) +
                                                ": certificate " +
                                                std::to_string(certificate.number) +
                                                " is given twice; each number makes one file");
  }
}

void make_folder(const fs::path& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (!error && fs::is_directory(folder, error)) return;
  const std::string reason = error ? " (" + error.message() + ")" : " (not a folder)";
  if (error == std::errc::permission_denied)
    throw RuntimeError(err::kPermission,
                       "Permission denied: cannot create the folder " + folder.string() + reason);
  throw RuntimeError(err::kPathNotFound,
                     "Path not found: cannot create the folder " + folder.string() + reason);
}

}  // namespace

void write_certificate_pdfs(const std::vector<Certificate>& certificates, const fs::path& folder) {
  refuse_repeated_numbers(certificates);
  make_folder(folder);
  for (const auto& certificate : certificates) {
    const fs::path file = folder / (std::to_string(certificate.number) + ".pdf");
    std::string bytes;
    try {
      bytes = certificate_pdf(certificate);
    } catch (const RuntimeError& e) {
      throw RuntimeError(e.number(), e.description() + "; " + file.string() + " not written");
    }
    // Written beside its name and renamed into place: a certificate is whole or absent.
    AtomicFile out(file);
    out.write(bytes);
    out.commit();
  }
}

}  // namespace fenwarx::host
