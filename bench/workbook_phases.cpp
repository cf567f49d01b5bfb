#include "workbook_phases.hpp"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>

#include "export/export.hpp"
#include "jobs/certificate_workbook.hpp"
#include "platform/clock/clock.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "returns/registry.hpp"
#include "verify/verification.hpp"

namespace fenwarx::bench {
namespace {

constexpr std::size_t kEditEvery = 20;
constexpr std::size_t kRewriteOffset = 10;

class Stopwatch {
 public:
  // Milliseconds since the last lap (or since construction).
  double lap() {
    const auto now = std::chrono::steady_clock::now();
    const double ms = std::chrono::duration<double, std::milli>(now - last_).count();
    last_ = now;
    return ms;
  }

 private:
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

// Calls visit(sheet, row, column) for every cell of every used range, in reading order.
template <typename Visit>
void each_used_cell(XlsxWorkbook& workbook, Visit&& visit) {
  for (std::size_t i = 0; i < workbook.sheet_count(); ++i) {
    StoredSheet& sheet = workbook.sheet(i);
    const int last_row = sheet.last_row();
    const int last_column = sheet.last_column();
    for (int row = 1; row <= last_row; ++row)
      for (int column = 1; column <= last_column; ++column) visit(sheet, row, column);
  }
}

// A timed run over the workbook of `in`: opening it is the first phase.
struct TimedRun {
  explicit TimedRun(const std::filesystem::path& in) : workbook(XlsxWorkbook::open(in)) {
    times.open_ms = watch.lap();
  }
  PhaseTimes times;
  Stopwatch watch;
  std::shared_ptr<XlsxWorkbook> workbook;
};

// The last phase of every timed run: save as `out`, then the total.
PhaseTimes saved(XlsxWorkbook& workbook, const std::filesystem::path& out, PhaseTimes times,
                 Stopwatch& watch) {
  workbook.save_as(out);
  times.save_ms = watch.lap();
  times.total_ms = times.open_ms + times.read_ms + times.edit_ms + times.extra_ms + times.save_ms;
  return times;
}

// Watches the runs as the command line does: the user's stop checked and the
// walk's place heard at every row, the clock read to see whether to draw.
class Watched {
 public:
  explicit Watched(Workbook& workbook) : application_(workbook.GetApplication()) {
    application_.set_interruption(&stop_);
    application_.set_progress_listener([this](const Progress& progress) {
      const auto now = std::chrono::steady_clock::now();
      if (now < next_) return;
      next_ = now + std::chrono::milliseconds(100);
      rows_ = progress.done;
    });
  }
  ~Watched() {
    application_.set_interruption(nullptr);
    application_.set_progress_listener(nullptr);
  }

 private:
  Application& application_;
  Interruption stop_;
  std::chrono::steady_clock::time_point next_{};
  int rows_ = 0;
};

double median_of(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

}  // namespace

PhaseTimes roundtrip(const std::filesystem::path& in, const std::filesystem::path& out,
                     RunCounts& counts) {
  TimedRun run(in);
  auto& [times, watch, workbook] = run;

  counts = {};
  each_used_cell(*workbook, [&](StoredSheet& sheet, int row, int column) {
    const std::string text = Cell(sheet, row, column).Value().to_text();
    ++counts.cells;
    counts.text_bytes += text.size();
  });
  times.read_ms = watch.lap();

  std::size_t index = 0;
  each_used_cell(*workbook, [&](StoredSheet& sheet, int row, int column) {
    const std::size_t slot = index++ % kEditEvery;
    if (slot == 0) {
      Cell(sheet, row, column).SetInteriorColor(kColorError);
      ++counts.painted;
    } else if (slot == kRewriteOffset) {
      Cell cell(sheet, row, column);
      cell.SetValue(Variant::text(cell.Value().to_text()));
      ++counts.rewritten;
    }
  });
  times.edit_ms = watch.lap();

  return saved(*workbook, out, times, watch);
}

PhaseTimes verify(const std::filesystem::path& in, const std::filesystem::path& out,
                  std::string_view form, double today, bool salary, double& errors) {
  TimedRun run(in);
  auto& [times, watch, workbook] = run;

  const Watched watched(*workbook);
  RecordingUi ui;
  const auto clock = fixed_clock(today);
  const auto object = create_object(find_return_class(form)->prog_id, Platform{ui, *clock});
  object->bind(workbook);
  const CellPlace year = object->layout().deductor_cell(DeductorRow::FinancialYear);
  object->financial_year =
      object->deductor_sheet->Cells(year.row, year.column).Value().to_text().substr(0, 4);
  Verify_Challan(*object);
  times.read_ms = watch.lap();
  VerifyDeducteeDetails(*object);
  finish_verification(*object);
  times.edit_ms = watch.lap();
  if (salary) {
    verifySalary(*object, workbook);
    times.extra_ms = watch.lap();
  }
  errors = object->error_count;

  return saved(*workbook, out, times, watch);
}

PhaseTimes export_return(const std::filesystem::path& in, const std::filesystem::path& out,
                         const std::filesystem::path& out_dir, std::string_view form, double today,
                         bool& completed) {
  TimedRun run(in);
  auto& [times, watch, workbook] = run;
  const Watched watched(*workbook);
  RecordingUi ui;
  const auto clock = fixed_clock(today);
  const auto object =
      create_object(find_return_class(form)->prog_id, Platform{ui, *clock, out_dir});
  ExportETDS_Vantor(*object, workbook);
  completed = object->exported.completed;
  times.read_ms = watch.lap();
  return saved(*workbook, out, times, watch);
}

PhaseTimes certificate_layout(const std::filesystem::path& in, const std::filesystem::path& out,
                              std::string_view form, double today, std::size_t& rows) {
  TimedRun run(in);
  auto& [times, watch, workbook] = run;
  RecordingUi ui;
  const auto clock = fixed_clock(today);
  const auto object = create_object(find_return_class(form)->prog_id, Platform{ui, *clock});
  verify_for_export(*object, workbook);
  times.read_ms = watch.lap();
  const auto laid = jobs::certificate_workbook(*object, *workbook);
  times.edit_ms = watch.lap();
  // Stored as they are, so that texts stay texts (a BSR code keeps its zero).
  const std::vector<std::string> names = laid->sheet_names();
  auto file = XlsxWorkbook::create(names);
  for (std::size_t i = 0; i < names.size(); ++i) {
    const auto& from = dynamic_cast<const StoredSheet&>(*laid->find_sheet(names[i]));
    StoredSheet& to = file->sheet(i);
    for (int row = 1; row <= from.store().row_count(); ++row)
      if (const CellStore::Row* cells = from.store().row(row))
        for (const CellRecord& cell : *cells)
          to.store_value(row, static_cast<int>(cell.column),
                         from.stored_value(row, static_cast<int>(cell.column)));
  }
  rows = static_cast<std::size_t>(std::max(0, file->sheet(1).last_row() - 1));
  return saved(*file, out, times, watch);
}

PhaseTimes loadsave(const std::filesystem::path& in, const std::filesystem::path& out) {
  TimedRun run(in);
  auto& [times, watch, workbook] = run;
  return saved(*workbook, out, times, watch);
}

PhaseTimes median(const std::vector<PhaseTimes>& runs) {
  auto phase = [&](double PhaseTimes::*member) {
    std::vector<double> values;
    for (const PhaseTimes& run : runs) values.push_back(run.*member);
    return values.empty() ? 0.0 : median_of(std::move(values));
  };
  return {.open_ms = phase(&PhaseTimes::open_ms),
          .read_ms = phase(&PhaseTimes::read_ms),
          .edit_ms = phase(&PhaseTimes::edit_ms),
          .extra_ms = phase(&PhaseTimes::extra_ms),
          .save_ms = phase(&PhaseTimes::save_ms),
          .total_ms = phase(&PhaseTimes::total_ms)};
}

double peak_memory_mib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // KiB on Linux
}

}  // namespace fenwarx::bench
