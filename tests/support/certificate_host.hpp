#pragma once
// A certificate host in a scratch folder (its ini file in a system folder of its
// own, its two databases with their tables, a stand-in utility), a return object
// whose utility starts are recorded, and workbooks in the certificate layout.
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "layout/forms.hpp"
#include "platform/clock/clock.hpp"
#include "platform/spreadsheet/memory_workbook.hpp"
#include "state/return_object.hpp"

namespace fenwarx::testing {

struct Host {
  // In scratch_dir(): system/quondapath.ini naming host/, host/ with its two
  // databases and a utility that marks host/started.txt when it runs.
  Host();
  // Whether the utility ran within `wait` (it is not waited for: it marks the
  // file when it gets to it).
  bool utility_started(std::chrono::milliseconds wait = std::chrono::seconds(5)) const;
  std::filesystem::path dir, system, folder;
  std::filesystem::path database() const { return folder / "Quonda.mdb"; }
  // Each row of the query on the host database, its columns as texts.
  std::vector<std::vector<std::string>> rows(const std::string& query) const;
  // Both tables, whole: what a run that must change nothing leaves as it found.
  std::vector<std::vector<std::string>> tables() const;
};

// 15/06/2006 10:30:00.
double run_time();

struct CertificateBench {
  CertificateBench(Form form, const Host& host);
  RecordingUi ui;
  std::unique_ptr<Clock> clock;
  std::vector<std::vector<std::string>> started;
  ReturnObject self;
};

// The cells of a certificate row: {column, text} pairs, stored as texts.
using RowTexts = std::vector<std::pair<int, std::string>>;

// A workbook in the certificate layout of `form`: the deductor sheet with "D<row>"
// in column 2 of rows 1 to 43, "2005" in the year cell and `flag` in the flag
// cell; the deductee sheet with the rows from row 2 on. Its folder is `folder`.
std::shared_ptr<MemoryWorkbook> certificate_workbook(Form form, const std::string& flag,
                                                     const std::vector<RowTexts>& rows,
                                                     const std::filesystem::path& folder = {});

// A certificate row of a section, a PAN and a name, the rest filled alike.
RowTexts certificate_row(const std::string& section, const std::string& pan,
                         const std::string& name);

}  // namespace fenwarx::testing
