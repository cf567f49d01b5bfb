// The certificate run: the flag, the host, then both host tables replaced in one
// transaction with every value a bound parameter, then the host's utility.
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "certificates/certificates.hpp"
#include "certificates/failure_log.hpp"
#include "certificates/host_link.hpp"
#include "certificates/host_schema.hpp"
#include "layout/certificate_layout.hpp"
#include "platform/database/database.hpp"
#include "platform/process/process.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/utf8.hpp"
#include "state/message_texts.hpp"
#include "state/return_object.hpp"

namespace fenwarx {
namespace {

namespace cl = certificate_layout;

// A value bound into a statement, with the cell it was read from (row 0 for a
// value of the component's own) and the host's column it fills: a named column,
// or a position of the company row.
struct BoundValue {
  std::string text;
  int row = 0, column = 0;
  std::string_view target = {};
  int position = 0;
  bool number = false;  // bound as a number
};

std::string target_of(const BoundValue& value) {
  if (value.position == 0) return std::string(value.target);
  return std::string(value.target) + " value " + std::to_string(value.position);
}

// What the statement being run writes: named in the message when it fails, as
// the sheet's row when it writes one.
struct Writing {
  std::string what;
  std::string_view sheet = {};  // where its values were read
  std::vector<BoundValue> values = {};
  int row = 0;
};

std::string what_of(const Writing& writing) {
  if (writing.row == 0) return writing.what;
  return std::string(writing.sheet) + " row " + std::to_string(writing.row);
}

std::string quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

std::string placeholders(std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += i == 0 ? "?" : ", ?";
  return text;
}

std::string company_insert() {
  return "insert into " + quoted(cl::kCompanyTable) + " values (" +
         placeholders(cl::kCompany.size()) + ")";
}

std::string row_insert() {
  std::string columns;
  for (const cl::RowValue& value : cl::kRow)
    columns += (columns.empty() ? "" : ", ") + quoted(value.column);
  return "insert into " + quoted(cl::kRowTable) + " (" + columns + ") values (" +
         placeholders(cl::kRow.size()) + ")";
}

void show_status(Workbook& excel, std::string_view text) {
  excel.GetApplication().SetStatusBar(std::string(text));
}

// The sheet, or nothing after a message naming what is missing: the run skips
// the step that needed it.
Worksheet* sheet_or_message(ReturnObject& self, Workbook& excel, std::string_view name) {
  try {
    return &excel.Worksheets(name);
  } catch (const RuntimeError& failure) {
    self.ui().MsgBox(Message::plain(failure.description()));
    return nullptr;
  }
}

// The flag of the deductor sheet: an export must have gone before. Shows why
// not and returns false when the run stops here.
bool exported(ReturnObject& self) {
  const CellPlace cell = self.layout().deductor.flag;
  const std::string flag = self.current_sheet ? self.GetCellText(cell.row, cell.column) : "";
  if (flag == texts::kFlagError) {
    self.ui().MsgBox(Message::information(std::string(texts::kErrorInData.text),
                                          std::string(texts::kErrorInData.title)));
    return false;
  }
  if (flag == texts::kFlagVerified || flag.empty()) {
    self.ui().MsgBox(Message::information(std::string(texts::kExportFirst)));
    return false;
  }
  return true;
}

class CertificateRun {
 public:
  CertificateRun(ReturnObject& self, Workbook& excel) : self_(self), excel_(excel) {}

  // Writes both tables in one transaction; a failure propagates with `writing`
  // saying what was being written.
  void write(Database& database) {
    Transaction transaction(database);
    show_status(excel_, texts::kUpdatingCompany);
    execute(database, "emptying table " + std::string(cl::kCompanyTable),
            "delete from " + quoted(cl::kCompanyTable));
    write_company(database);
    show_status(excel_, texts::kUpdatingDeductees);
    execute(database, "emptying table " + std::string(cl::kRowTable),
            "delete from " + quoted(cl::kRowTable));
    const WorkbookLayout& layout = self_.layout();
    self_.current_sheet = sheet_or_message(self_, excel_, layout.deductees.name);
    if (self_.current_sheet) {
      NumberCertificates(self_);
      write_rows(database);
    }
    writing = {.what = "committing the host database's changes"};
    // A stop the user asked for until now leaves both tables as they were.
    excel_.GetApplication().BeginWriting();
    transaction.commit();
  }

  Writing writing;

 private:
  void execute(Database& database, std::string what, std::string_view sql) {
    writing = {.what = std::move(what)};
    database.execute(sql);
  }

  // The values stay in `writing` until the statement is reset: they are bound
  // without a copy.
  void run(Statement& statement) {
    for (std::size_t i = 0; i < writing.values.size(); ++i) {
      const BoundValue& value = writing.values[i];
      const int parameter = static_cast<int>(i) + 1;
      if (value.number)
        statement.bind(parameter, static_cast<long long>(leading_number(value.text)));
      else
        statement.bind_borrowed(parameter, value.text);
    }
    statement.run();
    statement.reset();
  }

  std::string read(int row, int column) {
    writing.values.push_back(
        {.text = self_.GetCellText(row, column), .row = row, .column = column});
    return writing.values.back().text;
  }

  // Sets a value of the certificate row being written, its text's buffer reused.
  void set(BoundValue& value, std::string_view text, int row = 0, int column = 0) {
    value.text.assign(text);
    value.row = row;
    value.column = column;
  }

  void write_company(Database& database) {
    const WorkbookLayout& layout = self_.layout();
    writing = {.what = "the company row", .sheet = layout.deductor.name};
    const std::string today = long_date_text(self_.clock().today());
    for (const cl::CompanyValue& value : cl::kCompany) {
      std::visit(
          [&](const auto& source) {
            using Source = std::decay_t<decltype(source)>;
            if constexpr (std::is_same_v<Source, cl::FixedNumber>) {
              writing.values.push_back(
                  {.text = number_text(static_cast<double>(source.number)), .number = true});
            } else if constexpr (std::is_same_v<Source, cl::Fixed>) {
              writing.values.push_back({.text = std::string(source.text)});
            } else if constexpr (std::is_same_v<Source, cl::DeductorCell>) {
              read(source.row, layout.deductor.value_column);
            } else if constexpr (std::is_same_v<Source, cl::YearCell>) {
              read(layout.deductor.year_formula.row, layout.deductor.year_formula.column);
            } else {
              writing.values.push_back({.text = today});
            }
          },
          value.source);
      writing.values.back().target = cl::kCompanyTable;
      writing.values.back().position = value.position;
    }
    const auto statement = database.prepare(company_insert());
    run(*statement);
  }

  void write_rows(Database& database) {
    const auto statement = database.prepare(row_insert());
    const std::string_view sheet = self_.layout().deductees.name;
    const std::size_t numbered = self_.certificate_numbers.size();
    writing = {.what = {}, .sheet = sheet, .values = std::vector<BoundValue>(cl::kRow.size())};
    for (std::size_t i = 0; i < cl::kRow.size(); ++i) writing.values[i].target = cl::kRow[i].column;
    Application& application = excel_.GetApplication();
    const int rows = rows_to_walk(*self_.current_sheet, cl::kFirstRow, kMaxRows);
    for (int row = cl::kFirstRow; row <= kMaxRows; ++row) {
      self_.position.row = row;
      application.ReportProgress({.sheet = sheet, .done = row - cl::kFirstRow, .rows = rows});
      if (trimmed(self_.cell(row, cl::kSectionColumn).ValueText()).empty()) break;
      show_status(excel_, texts::certificate_row_status(row));
      writing.row = row;
      const std::size_t index = static_cast<std::size_t>(row - cl::kFirstRow);
      for (std::size_t i = 0; i < cl::kRow.size(); ++i) {
        BoundValue& bound = writing.values[i];
        std::visit(
            [&](const auto& source) {
              using Source = std::decay_t<decltype(source)>;
              if constexpr (std::is_same_v<Source, cl::Fixed>) {
                set(bound, source.text);
              } else if constexpr (std::is_same_v<Source, cl::RowCell>) {
                set(bound, self_.GetCellText(row, source.column), row, source.column);
              } else if constexpr (std::is_same_v<Source, cl::CertificateNumber>) {
                set(bound, std::to_string(index < numbered ? self_.certificate_numbers[index] : 0));
              } else {
                set(bound, self_.GetCellText(row, source.column), row, source.column);
                if (trimmed(bound.text).empty())
                  set(bound, self_.GetCellText(row, source.fallback), row, source.fallback);
              }
            },
            cl::kRow[i].source);
      }
      run(*statement);
      ++self_.certificates.rows;
    }
    if (!self_.certificate_numbers.empty())
      self_.certificates.certificates = self_.certificate_numbers.back();
  }

  ReturnObject& self_;
  Workbook& excel_;
};

// The message for a failed statement, naming a value too long for the host's
// columns when one is to blame; then the log line(s) in the workbook's folder.
void report_failure(ReturnObject& self, Workbook& excel, const Writing& writing,
                    const RuntimeError& failure) {
  CertificateOutcome& outcome = self.certificates;
  outcome.end = CertificateOutcome::End::Failed;
  outcome.failure = failure;
  std::string where = what_of(writing), reason = failure.description();
  for (const BoundValue& value : writing.values) {
    const std::size_t characters = character_count(value.text);
    if (value.row == 0 || characters <= kHostTextLength) continue;
    where = std::string(writing.sheet) + " row " + std::to_string(value.row) + ", column " +
            std::to_string(value.column) + " (" + target_of(value) + ")";
    reason = texts::too_long_for_host(characters, kHostTextLength);
    outcome.too_long = true;
    break;
  }
  self.ui().MsgBox(texts::certificates_not_written(where, reason));

  const double now = self.clock().now();
  std::string lines = failure_log_line(self.position.row, now, failure);
  if (failure.number() == err::kDatabaseNoTable)
    lines += failure_log_line(self.position.row, now,
                              RuntimeError(failure.number(), "while " + what_of(writing)));
  std::filesystem::path folder = excel.Path();
  if (folder.empty()) folder = self.platform().output_folder;
  try {
    append_failure_log(folder, lines);
  } catch (const RuntimeError& log_failure) {
    self.notes.push_back("the failure could not be logged: " + log_failure.description());
  }
}

void start_utility(ReturnObject& self, const std::string& host) {
  const std::vector<std::string> argv{host_file(host, kHostUtility).string()};
  try {
    if (const auto& start = self.platform().start_program)
      start(argv);
    else
      start_detached(argv);
    self.certificates.utility = argv.front();
  } catch (const RuntimeError& failure) {
    // The tables stand; the user is told why no certificate appears.
    self.notes.push_back("the certificate utility was not started: " + failure.description());
  }
}

}  // namespace

void GenerateCertificate(ReturnObject& self, const std::shared_ptr<Workbook>& excel) {
  if (!excel) throw RuntimeError(err::kObjectNotSet);
  self.certificates = {};
  self.certificate_numbers.clear();
  self.position.row = 0;
  self.hold(excel);
  show_status(*excel, texts::kCertificatesWait);
  self.deductor_sheet = sheet_or_message(self, *excel, self.layout().deductor.name);
  self.current_sheet = self.deductor_sheet;
  self.certificates.end = CertificateOutcome::End::Stopped;
  if (!exported(self)) return;

  show_status(*excel, texts::kCheckingResources);
  std::optional<std::string> host;
  try {
    host = checked_host(self);
  } catch (const RuntimeError& failure) {
    self.ui().MsgBox(Message::plain(failure.description()));
  }
  if (!host) return;

  CertificateRun run(self, *excel);
  try {
    run.writing = {.what = "opening the host database"};
    const auto database =
        database_engine().open(host_file(*host, kHostDatabase), OpenMode::Existing);
    run.write(*database);
  } catch (const RuntimeError& failure) {
    // The user's stop: the transaction rolled back, and nothing is logged.
    if (failure.number() == err::kUserInterrupt) throw;
    report_failure(self, *excel, run.writing, failure);
    return;
  }
  self.certificates.end = CertificateOutcome::End::Written;
  show_status(*excel, texts::kCertificatesUpdated);
  start_utility(self, *host);
}

}  // namespace fenwarx
