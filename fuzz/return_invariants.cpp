#include "return_invariants.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "export/export.hpp"
#include "export/record_plan.hpp"
#include "export/return_file_check.hpp"
#include "layout/record_tables.hpp"
#include "layout/workbook_layout.hpp"
#include "memory_files.hpp"
#include "platform/clock/clock.hpp"
#include "platform/spreadsheet/stored_sheet.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/runtime_error.hpp"
#include "returns/dispatch.hpp"
#include "returns/registry.hpp"
#include "state/message_texts.hpp"
#include "support/clean_return.hpp"
#include "verify/verification.hpp"

namespace fenwarx::fuzzing {
namespace {

constexpr const char* kOutput = "/fenwarx-fuzz";

MemoryFileSystem& memory_files() {
  static MemoryFileSystem files;
  return files;
}

[[noreturn]] void broken(const GeneratedReturn& generated, const std::string& what) {
  std::fprintf(stderr, "invariant broken (Form %s): %s\n",
               std::string(form_name(generated.form)).c_str(), what.c_str());
  for (const LaidSheet& sheet : generated.sheets)
    for (const LaidCell& cell : sheet.cells)
      if (!cell.typed.empty() && cell.typed != "H" + std::to_string(cell.column) &&
          sheet.name != "State Code")
        std::fprintf(stderr, "  %s!R%dC%d = \"%s\"\n", sheet.name.c_str(), cell.row, cell.column,
                     cell.typed.c_str());
  std::abort();
}

// Every cell of every sheet the store holds, as stored: value, number format and
// colour (a walk through the stored cells, not the used range, which the flag
// cell far right and below makes large).
std::string snapshot(MemoryWorkbook& workbook) {
  std::string out;
  for (const std::string& name : workbook.sheet_names()) {
    const auto& sheet = dynamic_cast<const StoredSheet&>(*workbook.find_sheet(name));
    const CellStore& store = sheet.store();
    for (int row = 1; row <= store.row_count(); ++row) {
      const CellStore::Row* cells = store.row(row);
      if (!cells) continue;
      for (const CellRecord& cell : *cells) {
        const int column = static_cast<int>(cell.column);
        const Variant value = sheet.stored_value(row, column);
        const std::uint32_t color = sheet.interior_color(row, column);
        const std::string format = sheet.number_format(row, column);
        if (value.is_empty() && color == 0 && format == "General") continue;
        out += name + "!R" + std::to_string(row) + "C" + std::to_string(column) + " " +
               std::to_string(static_cast<int>(value.type())) + ":" + value.to_text() + " " +
               format + " " + std::to_string(color) + "\n";
      }
    }
  }
  return out;
}

// The lines of `a` not in `b`, and those of `b` not in `a`.
std::string difference(const std::string& a, const std::string& b) {
  const auto lines = [](const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t end = text.find('\n', at);
      out.push_back(text.substr(at, end - at));
      at = end == std::string::npos ? text.size() : end + 1;
    }
    std::sort(out.begin(), out.end());
    return out;
  };
  const auto x = lines(a), y = lines(b);
  std::vector<std::string> only_a, only_b;
  std::set_difference(x.begin(), x.end(), y.begin(), y.end(), std::back_inserter(only_a));
  std::set_difference(y.begin(), y.end(), x.begin(), x.end(), std::back_inserter(only_b));
  std::string out;
  for (const std::string& line : only_a) out += "  before: " + line + "\n";
  for (const std::string& line : only_b) out += "  after:  " + line + "\n";
  return out;
}

std::string findings_text(const ReturnObject& object) {
  std::string out;
  for (const Finding& finding : object.findings)
    out += finding.sheet + "!R" + std::to_string(finding.row) + "C" +
           std::to_string(finding.column) + " " + finding.caption.to_text() + " " +
           std::to_string(static_cast<int>(finding.rule)) + "\n";
  return out;
}

// One job's return object over an in-memory workbook, its messages kept.
struct Run {
  explicit Run(Form form)
      : object(create_object(return_class(form).prog_id,
                             Platform{.ui = ui, .clock = *clock, .output_folder = kOutput})) {}

  RecordingUi ui;
  std::unique_ptr<Clock> clock = fixed_clock(serial_from_civil({2006, 1, 15}));
  std::shared_ptr<ReturnObject> object;

  bool said(std::string_view text) const {
    return std::any_of(ui.messages.begin(), ui.messages.end(),
                       [&](const Message& m) { return m.text == text; });
  }
};

// The values changed on the sheets the walks read row by row (all but the
// deductor sheet), row markers among them: the object counts those apart.
std::uint64_t source_changes(MemoryWorkbook& book, const ReturnObject& object) {
  std::uint64_t changes = 0;
  for (const std::string& name : book.sheet_names())
    if (name != object.layout().deductor.name) changes += book.find_sheet(name)->value_changes();
  return changes;
}

struct Verified {
  std::string findings;
  bool rewrote = false;  // a walk rewrote a cell of a sheet it reads row by row
};

// As the verify button does, and Form 24's salary sheets after a run that read
// the year, as its salary button does.
Verified verify(const GeneratedReturn& generated, const std::shared_ptr<MemoryWorkbook>& book) {
  Run run(generated.form);
  const std::uint64_t before = source_changes(*book, *run.object);
  try {
    VerifyData_Vantor_ETDS(*run.object, book);
    if (generated.form == Form::F24 && !run.object->financial_year.empty()) {
      std::vector<Variant> args{Variant::object(book)};
      invoke(*run.object, "verifySalary", args);
    }
  } catch (const RuntimeError& error) {
    // The salary check raises 13 for a year that is not four digits, as documented;
    // the deductor walk has marked that year.
    if (error.number() != err::kTypeMismatch ||
        error.description() != texts::salary_year_unusable(run.object->financial_year))
      broken(generated, "the verification raised " + std::to_string(error.number()) + " " +
                            error.description());
  }
  const std::uint64_t changed = source_changes(*book, *run.object) - before;
  return {.findings = findings_text(*run.object), .rewrote = changed > run.object->marker_changes};
}

struct Exported {
  std::optional<std::string> file;
  std::vector<int> not_written;
  std::string findings;
  bool said_why = false;  // refused with a message that names what is missing
  std::string messages;
};

Exported export_return(const GeneratedReturn& generated,
                       const std::shared_ptr<MemoryWorkbook>& book, MemoryFileSystem& files) {
  Run run(generated.form);
  files.clear();
  try {
    ExportETDS_Vantor(*run.object, book);
  } catch (const RuntimeError& error) {
    broken(generated,
           "the export raised " + std::to_string(error.number()) + " " + error.description());
  }
  Exported out{.findings = findings_text(*run.object),
               .said_why = run.said(texts::kNoDeductee) || run.said(texts::kNoDeposit)};
  for (const Message& message : run.ui.messages) out.messages += message.text + "\n";
  if (run.object->exported.completed) {
    out.file = files.file(return_file_path(*run.object).string());
    if (!out.file) broken(generated, "the export said it wrote a file that is not there");
    out.not_written = run.object->exported.not_written;
  }
  return out;
}

std::vector<std::vector<std::string>> records_of(const std::string& file) {
  std::vector<std::vector<std::string>> lines;
  std::size_t start = 0;
  while (start < file.size()) {
    std::size_t end = file.find("\r\n", start);
    if (end == std::string::npos) end = file.size();
    std::vector<std::string> fields;
    const std::string_view line(file.data() + start, end - start);
    std::size_t from = 0;
    for (;;) {
      const std::size_t caret = line.find('^', from);
      fields.emplace_back(
          line.substr(from, caret == std::string_view::npos ? line.npos : caret - from));
      if (caret == std::string_view::npos) break;
      from = caret + 1;
    }
    lines.push_back(std::move(fields));
    start = end + 2;
  }
  return lines;
}

bool blank(std::string_view text) { return trimmed(text).empty(); }

// The deductee rows typed with data in any of the columns the walk reads, in
// sheet order.
std::vector<int> typed_rows(const GeneratedReturn& generated) {
  const auto& deductees = workbook_layout(generated.form).deductees;
  std::vector<int> rows;
  for (const LaidCell& cell : generated.sheets[testing::kDeducteeSheet].cells)
    if (cell.row >= deductees.first_row && cell.column <= deductees.walked_columns &&
        !blank(cell.typed))
      rows.push_back(cell.row);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

// Each typed deductee row is a DD record under the CD record of the challan it
// names (its PAN the row's), or under a nil challan, or a row the export lists
// as not written; nothing else is in the file.
void check_accounted(const GeneratedReturn& generated, Workbook& book, const Exported& exported) {
  const WorkbookLayout& layout = workbook_layout(generated.form);
  Worksheet& challans = book.Worksheets(layout.challans.name);
  Worksheet& deductees = book.Worksheets(layout.deductees.name);
  const int serial_column = layout.deductees.columns.of(DeducteeColumn::ChallanSerial);
  const int pan_column = layout.deductees.columns.of(DeducteeColumn::Pan);
  const int pan_field =
      record_table(generated.form, RecordKind::Deductee).deductee_field(DeducteeColumn::Pan);

  // The rows each challan key gathers, in sheet order.
  std::map<double, std::vector<int>> named;
  for (int row : typed_rows(generated)) {
    if (std::find(exported.not_written.begin(), exported.not_written.end(), row) !=
        exported.not_written.end())
      continue;
    named[challan_key(deductees.Cells(row, serial_column).Value().to_text())].push_back(row);
  }

  const CheckReport report = check_return_file(*exported.file);
  const auto records = records_of(*exported.file);
  std::size_t nil_records = 0;
  int ordinal = 0;
  for (std::size_t c = 0; c < report.challans.size(); ++c) {
    const CheckedChallan& challan = report.challans[c];
    const auto first = static_cast<std::size_t>(challan.line);  // the line after the CD, 0-based
    const auto last = c + 1 < report.challans.size()
                          ? static_cast<std::size_t>(report.challans[c + 1].line - 1)
                          : records.size();
    const std::size_t under = last - first;
    if (challan.nil) {
      nil_records += under;
      continue;
    }
    const int row = layout.challans.first_row + ordinal++;
    const double key =
        challan_key(challans.Cells(row, layout.challans.columns.of(ChallanColumn::SerialNumber))
                        .Value()
                        .to_text());
    const std::vector<int> rows = named.count(key) ? named[key] : std::vector<int>{};
    named.erase(key);
    if (rows.size() != under)
      broken(generated, "the challan of row " + std::to_string(row) + " has " +
                            std::to_string(under) + " deductee records for " +
                            std::to_string(rows.size()) + " rows naming it");
    for (std::size_t k = 0; k < under; ++k) {
      const auto& fields = records[first + k];
      const std::string pan = trimmed(deductees.Cells(rows[k], pan_column).Value().to_text());
      if (pan_field > 0 && (fields.size() < static_cast<std::size_t>(pan_field) ||
                            fields[static_cast<std::size_t>(pan_field - 1)] != pan))
        broken(generated, "the record of deductee row " + std::to_string(rows[k]) +
                              " does not carry its PAN " + pan);
    }
  }
  std::size_t unnamed = 0;
  for (const auto& [key, rows] : named) unnamed += rows.size();
  if (unnamed != nil_records)
    broken(generated, std::to_string(unnamed) + " rows name no written challan, " +
                          std::to_string(nil_records) + " records stand under nil challans");
}

// A fresh export, and one over the verified workbook (when given): the same
// bytes, a file the checker finds no fault with, and every typed deductee row
// accounted for.
void check_exports(const GeneratedReturn& generated,
                   const std::shared_ptr<MemoryWorkbook>& verified) {
  MemoryFileSystem& files = memory_files();
  const auto fresh = testing::memory_workbook(generated.sheets);
  const Exported exported = export_return(generated, fresh, files);
  const Exported after = verified ? export_return(generated, verified, files) : exported;
  if (exported.file != after.file)
    broken(generated, exported.file && after.file
                          ? "an export after a verification wrote other bytes:\n" + *after.file +
                                "than a fresh one:\n" + *exported.file
                          : "an export after a verification " +
                                std::string(after.file ? "wrote a file" : "wrote none") +
                                ", found\n" + after.findings + "and said\n" + after.messages +
                                "where a fresh one found\n" + exported.findings + "and said\n" +
                                exported.messages);

  if (!exported.file) {
    // Refused: a finding says why, or the message that the return has no deductee
    // or that a deduction names no deposit.
    if (exported.findings.empty() && !exported.said_why)
      broken(generated, "the export refused without a finding, saying\n" + exported.messages);
    return;
  }
  const CheckReport report = check_return_file(*exported.file);
  if (!report.findings.empty()) {
    std::string listed;
    for (const CheckFinding& finding : report.findings)
      listed += "  line " + std::to_string(finding.line) + " field " +
                std::to_string(finding.field) + ": " + finding.message + "\n";
    broken(generated, "the checker rejects the file the export wrote:\n" + listed + *exported.file);
  }
  check_accounted(generated, *fresh, exported);
}

}  // namespace

void check_invariants(const GeneratedReturn& generated) {
  const FileSystemOverride in_memory(memory_files());

  // Verified twice: the second run finds and changes nothing the first did not.
  // Where the first run rewrote a cell of a sheet it walks in normalised form, the
  // control totals and the challan sums it took from the deductee sheet were taken
  // as typed (the tax total adds the total tax found before the walk overwrites it
  // with the sum of its parts, and the challan check sums the deductee sheet before
  // the deductee walk normalises it), so the second run may differ from it in
  // those and what they are checked against; a third must then match the second.
  const auto verified = testing::memory_workbook(generated.sheets);
  Verified first = verify(generated, verified);
  std::string cells = snapshot(*verified);
  Verified second = verify(generated, verified);
  // Form 26's stray first challan row (empty, with a challan below it) is marked
  // "Delete This Row" for the user to delete; a second run, and an export after
  // the verification, read it as a challan.
  const WorkbookLayout& layout = workbook_layout(generated.form);
  if (verified->Worksheets(layout.challans.name)
          .Cells(layout.challans.first_row, kDataColumn)
          .ValueText() == texts::kDeleteThisRow)
    return check_exports(generated, nullptr);
  // A rewrite can take a second run: a sum written into a cell that a typed date
  // gave a date format shows as a date, which the next run takes as typed.
  for (int runs = 0; first.rewrote && runs < 3; ++runs) {
    first = second;
    cells = snapshot(*verified);
    second = verify(generated, verified);
  }
  if (second.findings != first.findings)
    broken(generated,
           "a second verification found\n" + second.findings + "after\n" + first.findings);
  if (const std::string now = snapshot(*verified); now != cells)
    broken(generated, "a second verification changed cells:\n" + difference(cells, now));

  check_exports(generated, verified);
}

}  // namespace fenwarx::fuzzing
