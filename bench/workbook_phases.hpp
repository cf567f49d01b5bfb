#pragma once
// Timed runs over a workbook file: the full read-mark-save round trip the
// component does on a return, and the bare open + save baseline.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fenwarx::bench {

struct PhaseTimes {
  double open_ms = 0, read_ms = 0, edit_ms = 0, extra_ms = 0, save_ms = 0, total_ms = 0;
};

struct RunCounts {
  std::size_t cells = 0;       // cells read
  std::size_t text_bytes = 0;  // bytes of their texts
  std::size_t painted = 0, rewritten = 0;
};

// Opens `in`, reads every cell of every sheet's used range as text, paints every
// 20th cell red and rewrites every 20th value (10 cells later) as typed text,
// saves as `out`.
PhaseTimes roundtrip(const std::filesystem::path& in, const std::filesystem::path& out,
                     RunCounts& counts);
// A verification as `fenwarx verify` runs it on `in` with the return object of
// `form` and today fixed at `today` (a date serial), saved as `out`: read_ms is
// the challan check, edit_ms the deductee and deductor walks, and with `salary`
// extra_ms the salary verification after them. `errors` gets the count of errors
// the run found.
PhaseTimes verify(const std::filesystem::path& in, const std::filesystem::path& out,
                  std::string_view form, double today, bool salary, double& errors);
// An export as `fenwarx export` runs it: read_ms is the whole export (the silent
// verification and the return file written into `out_dir`), then the workbook is
// saved as `out`. `completed` tells whether the file was written.
PhaseTimes export_return(const std::filesystem::path& in, const std::filesystem::path& out,
                         const std::filesystem::path& out_dir, std::string_view form, double today,
                         bool& completed);
// What `fenwarx certificates` does before the host's tables: the export's
// verification (read_ms) and the deductee records laid out in the certificate
// layout in memory (edit_ms); that workbook is then saved as `out`, a workbook
// for `fenwarx certificates --as-is`. `rows` gets its certificate rows.
PhaseTimes certificate_layout(const std::filesystem::path& in, const std::filesystem::path& out,
                              std::string_view form, double today, std::size_t& rows);
// Opens `in` and saves it as `out`, nothing else.
PhaseTimes loadsave(const std::filesystem::path& in, const std::filesystem::path& out);

// The median of each phase over the runs.
PhaseTimes median(const std::vector<PhaseTimes>& runs);
double peak_memory_mib();  // the process's peak resident size so far

}  // namespace fenwarx::bench
