// fenwarx-bench: generates realistic return workbooks and times the component's
// work on them (open, read, mark, save).
#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "form26_sheets.hpp"
#include "platform/values/runtime_error.hpp"
#include "return_package.hpp"
#include "workbook_phases.hpp"

namespace {

using namespace fenwarx::bench;

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 3;

void print_times(const char* title, const PhaseTimes& times, bool with_reads, int repeat) {
  fmt::print("{} ({} run{}{})\n", title, repeat, repeat == 1 ? "" : "s",
             repeat == 1 ? "" : ", medians");
  fmt::print("  open   {:10.1f} ms\n", times.open_ms);
  if (with_reads) {
    fmt::print("  read   {:10.1f} ms\n", times.read_ms);
    fmt::print("  edit   {:10.1f} ms\n", times.edit_ms);
  }
  fmt::print("  save   {:10.1f} ms\n", times.save_ms);
  fmt::print("  total  {:10.1f} ms\n", times.total_ms);
}

struct Arguments {
  int form = 26, deductees = 0, challans = 0, repeat = 1;
  std::filesystem::path in, out;
};

int generate(const Arguments& args) {
  if (args.form != 26) {
    fmt::print(stderr, "fenwarx-bench: only --form 26 is generated\n");
    return kExitUsage;
  }
  write_form26_workbook(args.out, args.deductees, args.challans);
  fmt::print("{}: Form {}, {} deductees, {} challans, {} bytes\n", args.out.string(), args.form,
             args.deductees, args.challans, std::filesystem::file_size(args.out));
  return 0;
}

int run_roundtrip(const Arguments& args) {
  std::vector<PhaseTimes> runs;
  RunCounts counts;
  for (int i = 0; i < args.repeat; ++i) runs.push_back(roundtrip(args.in, args.out, counts));
  print_times("roundtrip", median(runs), true, args.repeat);
  fmt::print("  cells  {} read ({} bytes of text), {} painted, {} rewritten\n", counts.cells,
             counts.text_bytes, counts.painted, counts.rewritten);
  fmt::print("  peak   {:10.1f} MiB\n", peak_memory_mib());
  return 0;
}

int run_loadsave(const Arguments& args) {
  std::vector<PhaseTimes> runs;
  for (int i = 0; i < args.repeat; ++i) runs.push_back(loadsave(args.in, args.out));
  print_times("loadsave", median(runs), false, args.repeat);
  fmt::print("  peak   {:10.1f} MiB\n", peak_memory_mib());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Generates return workbooks and times the work on them.", "fenwarx-bench"};
  app.require_subcommand(1);
  Arguments args;

  auto* gen = app.add_subcommand("generate", "Write a realistic return workbook");
  gen->add_option("--form", args.form, "Return form (26)")->required();
  gen->add_option("--deductees", args.deductees, "Deductee rows")
      ->required()
      ->check(CLI::Range(1, kMaxDeductees));
  gen->add_option("--challans", args.challans, "Challan rows")
      ->required()
      ->check(CLI::Range(1, kMaxDeductees));
  gen->add_option("OUT", args.out, "The workbook to write")->required();

  std::vector<CLI::App*> timed;
  for (const char* name : {"roundtrip", "loadsave"}) {
    auto* sub = app.add_subcommand(name, std::string(name) == "roundtrip"
                                             ? "Open, read every cell, mark, save as"
                                             : "Open and save as, the bare baseline");
    sub->add_option("IN", args.in, "The workbook to open")->required()->check(CLI::ExistingFile);
    sub->add_option("OUT", args.out, "Where to save it")->required();
    sub->add_option("--repeat", args.repeat, "Runs; each phase's median is printed")
        ->check(CLI::PositiveNumber);
    timed.push_back(sub);
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : kExitUsage;
  }

  try {
    if (gen->parsed()) return generate(args);
    if (timed[0]->parsed()) return run_roundtrip(args);
    return run_loadsave(args);
  } catch (const fenwarx::RuntimeError& e) {
    fmt::print(stderr, "fenwarx-bench: error {}: {}\n", e.number(), e.description());
  } catch (const std::exception& e) {
    fmt::print(stderr, "fenwarx-bench: {}\n", e.what());
  }
  return kExitFailure;
}
