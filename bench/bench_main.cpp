// fenwarx-bench: generates realistic return workbooks and times the component's
// work on them (open, read, mark, save).
#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "layout/forms.hpp"
#include "platform/values/runtime_error.hpp"
#include "sample_return.hpp"
#include "sample_workbook.hpp"
#include "workbook_phases.hpp"

namespace {

using namespace fenwarx::bench;

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 3;

// The middle phases are named by the run ("read"/"edit" for the round trip); a
// run without them passes nothing.
void print_times(const char* title, const PhaseTimes& times, int repeat,
                 const char* first = nullptr, const char* second = nullptr,
                 const char* third = nullptr) {
  fmt::print("{} ({} run{}{})\n", title, repeat, repeat == 1 ? "" : "s",
             repeat == 1 ? "" : ", medians");
  fmt::print("  open   {:10.1f} ms\n", times.open_ms);
  if (first) {
    fmt::print("  {:<6} {:10.1f} ms\n", first, times.read_ms);
    if (second) fmt::print("  {:<6} {:10.1f} ms\n", second, times.edit_ms);
    if (third) fmt::print("  {:<6} {:10.1f} ms\n", third, times.extra_ms);
  }
  fmt::print("  save   {:10.1f} ms\n", times.save_ms);
  fmt::print("  total  {:10.1f} ms\n", times.total_ms);
}

// The day the verify runs take as today (07/12/2026): a fixed day keeps the runs
// comparable.
constexpr double kBenchToday = 46363;

struct Arguments {
  std::string form = "26";
  int deductees = 0, challans = 0, salaries = 0, repeat = 1;
  bool mistakes = false, as_typed = false, salary = false;
  std::filesystem::path in, out;
};

int generate(const Arguments& args) {
  const std::optional<fenwarx::Form> form = fenwarx::find_form(args.form);
  if (!form) {
    fmt::print(stderr, "fenwarx-bench: --form takes 24, 26, 27 or 27EQ, not {}\n", args.form);
    return kExitUsage;
  }
  if (args.salaries != 0 && (*form != fenwarx::Form::F24 || args.salaries > args.deductees)) {
    fmt::print(stderr, "fenwarx-bench: --salary takes Form 24 and 1 to {} rows, one per deductee\n",
               args.deductees);
    return kExitUsage;
  }
  const int planted = write_sample_workbook(args.out, {.form = *form,
                                                       .deductees = args.deductees,
                                                       .challans = args.challans,
                                                       .mistakes = args.mistakes,
                                                       .as_typed = args.as_typed,
                                                       .salaries = args.salaries});
  const std::string salaries =
      args.salaries ? fmt::format(", {} salary rows as typed", args.salaries) : "";
  fmt::print("{}: Form {}, {} deductees{}, {} challans{}, {} mistakes, {} bytes\n",
             args.out.string(), fenwarx::form_name(*form), args.deductees,
             args.as_typed ? " as typed" : "", args.challans, salaries, planted,
             std::filesystem::file_size(args.out));
  return 0;
}

int run_roundtrip(const Arguments& args) {
  std::vector<PhaseTimes> runs;
  RunCounts counts;
  for (int i = 0; i < args.repeat; ++i) runs.push_back(roundtrip(args.in, args.out, counts));
  print_times("roundtrip", median(runs), args.repeat, "read", "edit");
  fmt::print("  cells  {} read ({} bytes of text), {} painted, {} rewritten\n", counts.cells,
             counts.text_bytes, counts.painted, counts.rewritten);
  fmt::print("  peak   {:10.1f} MiB\n", peak_memory_mib());
  return 0;
}

int run_loadsave(const Arguments& args) {
  std::vector<PhaseTimes> runs;
  for (int i = 0; i < args.repeat; ++i) runs.push_back(loadsave(args.in, args.out));
  print_times("loadsave", median(runs), args.repeat);
  fmt::print("  peak   {:10.1f} MiB\n", peak_memory_mib());
  return 0;
}

int run_export(const Arguments& args) {
  const std::string_view form =
      fenwarx::form_name(*fenwarx::find_form(args.form));  // checked by the parser
  std::vector<PhaseTimes> runs;
  bool completed = false;
  const auto out_dir =
      args.out.parent_path().empty() ? std::filesystem::path(".") : args.out.parent_path();
  for (int i = 0; i < args.repeat; ++i)
    runs.push_back(export_return(args.in, args.out, out_dir, form, kBenchToday, completed));
  print_times("export", median(runs), args.repeat, "export", nullptr);
  fmt::print("  file   {}\n", completed ? "written" : "not written");
  fmt::print("  peak   {:10.1f} MiB\n", peak_memory_mib());
  return 0;
}

int run_certificates(const Arguments& args) {
  const std::string_view form =
      fenwarx::form_name(*fenwarx::find_form(args.form));  // checked by the parser
  std::vector<PhaseTimes> runs;
  std::size_t rows = 0;
  for (int i = 0; i < args.repeat; ++i)
    runs.push_back(certificate_layout(args.in, args.out, form, kBenchToday, rows));
  print_times("certificates", median(runs), args.repeat, "verify", "layout");
  fmt::print("  rows   {:10}\n", rows);
  fmt::print("  peak   {:10.1f} MiB\n", peak_memory_mib());
  return 0;
}

int run_verify(const Arguments& args) {
  const std::string_view form =
      fenwarx::form_name(*fenwarx::find_form(args.form));  // checked by the parser
  std::vector<PhaseTimes> runs;
  double errors = 0;
  for (int i = 0; i < args.repeat; ++i)
    runs.push_back(verify(args.in, args.out, form, kBenchToday, args.salary, errors));
  print_times("verify", median(runs), args.repeat, "challan", "walks",
              args.salary ? "salary" : nullptr);
  fmt::print("  errors {:10.0f}\n", errors);
  fmt::print("  peak   {:10.1f} MiB\n", peak_memory_mib());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Generates return workbooks and times the work on them.", "fenwarx-bench"};
  app.require_subcommand(1);
  Arguments args;

  auto* gen = app.add_subcommand("generate", "Write a realistic return workbook");
  gen->add_option("--form", args.form, "Return form: 24, 26, 27 or 27EQ")->required();
  gen->add_option("--deductees", args.deductees, "Deductee rows")
      ->required()
      ->check(CLI::Range(1, kMaxDeductees));
  gen->add_option("--challans", args.challans, "Challan rows")
      ->required()
      ->check(CLI::Range(1, kMaxDeductees));
  auto* mistakes =
      gen->add_flag("--mistakes", args.mistakes, "Plant the documented typical mistakes");
  // The documented findings are those of the normalised sample.
  gen->add_flag("--as-typed", args.as_typed,
                "Deductee taxes with paise and totals not summed, for the verification to fix")
      ->excludes(mistakes);
  gen->add_option("--salary", args.salaries,
                  "Form 24: salary rows as typed, one per deductee from the first")
      ->check(CLI::Range(1, kMaxDeductees));
  gen->add_option("OUT", args.out, "The workbook to write")->required();

  std::vector<CLI::App*> timed;
  for (const auto& [name, what] :
       {std::pair{"roundtrip", "Open, read every cell, mark, save as"},
        {"loadsave", "Open and save as, the bare baseline"},
        {"verify", "Verify as fenwarx verify does, save as"},
        {"export", "Export as fenwarx export does (the return file beside OUT)"},
        {"certificates",
         "Lay the return out for the certificates as fenwarx certificates does, save as"}}) {
    auto* sub = app.add_subcommand(name, what);
    sub->add_option("IN", args.in, "The workbook to open")->required()->check(CLI::ExistingFile);
    sub->add_option("OUT", args.out, "Where to save it")->required();
    sub->add_option("--repeat", args.repeat, "Runs; each phase's median is printed")
        ->check(CLI::PositiveNumber);
    timed.push_back(sub);
  }
  timed[2]->add_flag("--salary", args.salary,
                     "Then verify the salary sheets (Form 24) as fenwarx verify --salary does");
  for (CLI::App* sub : {timed[2], timed[3], timed[4]})
    sub->add_option("--form", args.form, "Return form: 24, 26, 27 or 27EQ")
        ->capture_default_str()
        ->check(CLI::Validator(
            [](std::string& text) -> std::string {
              return fenwarx::find_form(text) ? "" : "not a return form: " + text;
            },
            "24|26|27|27EQ"));

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : kExitUsage;
  }

  try {
    if (gen->parsed()) return generate(args);
    if (timed[0]->parsed()) return run_roundtrip(args);
    if (timed[2]->parsed()) return run_verify(args);
    if (timed[3]->parsed()) return run_export(args);
    if (timed[4]->parsed()) return run_certificates(args);
    return run_loadsave(args);
  } catch (const fenwarx::RuntimeError& e) {
    fmt::print(stderr, "fenwarx-bench: error {}: {}\n", e.number(), e.description());
  } catch (const std::exception& e) {
    fmt::print(stderr, "fenwarx-bench: {}\n", e.what());
  }
  return kExitFailure;
}
