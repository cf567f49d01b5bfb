// The stand-in certificate host's utility: reads the host's tables from
// DIR/Quonda.mdb and writes one PDF per certificate number into
// DIR/Certificates. DIR is the argument, else the folder this program stands in
// (the host installs it there as Plomberg.EXE).
#include <cstdio>
#include <exception>
#include <filesystem>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "host/certificate_pages.hpp"
#include "host/host_tables.hpp"

namespace {

namespace fs = std::filesystem;
using namespace fenwarx;

constexpr int kDone = 0, kNoDatabase = 1, kUsage = 2, kFailure = 3;

fs::path own_folder() {
  std::error_code error;
  const fs::path me = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::current_path() : me.parent_path();
}

std::vector<host::Certificate> certificates_of(const host::HostTables& tables) {
  std::vector<host::Certificate> out;
  for (const host::HostCertificate& found : tables.certificates) {
    host::Certificate certificate{.number = found.number,
                                  .deductor_name = tables.company.name,
                                  .tan = tables.company.tan,
                                  .pan = tables.company.pan,
                                  .lines = {}};
    for (const host::HostRow& row : found.rows)
      certificate.lines.push_back({.pan = row.pan,
                                   .name = row.name,
                                   .section = row.section,
                                   .amount_paid = row.amount_paid,
                                   .tax = row.tax,
                                   .payment_date = row.payment_date,
                                   .deduction_date = row.deduction_date,
                                   .deposit_date = row.deposit_date,
                                   .challan = row.challan});
    out.push_back(std::move(certificate));
  }
  return out;
}

// The certificates of an earlier run whose numbers this run did not issue: left
// there, they would pass for current ones.
int remove_stale(const fs::path& folder, const std::vector<host::Certificate>& current) {
  std::set<std::string> names;
  for (const host::Certificate& certificate : current)
    names.insert(std::to_string(certificate.number) + ".pdf");
  int removed = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    const std::string stem = entry.path().stem().string();
    const bool numbered = entry.path().extension() == ".pdf" && !stem.empty() &&
                          stem.find_first_not_of("0123456789") == std::string::npos;
    if (numbered && entry.is_regular_file() && !names.contains(name) && fs::remove(entry.path()))
      ++removed;
  }
  return removed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2) {
    std::fprintf(stderr, "usage: %s [DIR]\n", argv[0]);
    return kUsage;
  }
  const fs::path folder = argc == 2 ? fs::path(argv[1]) : own_folder();
  host::HostTables tables;
  try {
    tables =
        host::read_host_tables(*database_engine().open(folder / "Quonda.mdb", OpenMode::ReadOnly));
  } catch (const RuntimeError& e) {
    std::fprintf(stderr, "fenwarx-host-utility: cannot read the host database: error %d: %s\n",
                 e.number(), e.description().c_str());
    return kNoDatabase;
  }
  try {
    const std::vector<host::Certificate> certificates = certificates_of(tables);
    const fs::path out = folder / "Certificates";
    fs::create_directories(out);
    host::write_certificate_pdfs(certificates, out);
    const int removed = remove_stale(out, certificates);
    std::printf("%zu certificates written to %s", certificates.size(), out.c_str());
    if (removed > 0) std::printf("; %d of an earlier run removed", removed);
    std::printf("\n");
    return kDone;
  } catch (const RuntimeError& e) {
    std::fprintf(stderr, "fenwarx-host-utility: error %d: %s\n", e.number(),
                 e.description().c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "fenwarx-host-utility: %s\n", e.what());
  }
  return kFailure;
}
