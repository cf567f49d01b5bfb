#include "jobs/c_workbook.h"

#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "jobs/jobs.hpp"
#include "jobs/result_json.hpp"
#include "platform/spreadsheet/recorded_workbook.hpp"
#include "platform/values/runtime_error.hpp"

struct fenwarx_book {
  std::shared_ptr<fenwarx::RecordedWorkbook> workbook =
      std::make_shared<fenwarx::RecordedWorkbook>();
  std::string report;
  std::vector<fenwarx::CellChange> changes;
  std::vector<fenwarx_cell_change> handed;
};

namespace fenwarx {
namespace {

// The status bar's texts, passed on to the caller's callback.
class StatusCallback : public jobs::Observer {
 public:
  StatusCallback(fenwarx_status_callback callback, void* data) : callback_(callback), data_(data) {}
  void status(const std::string& text) override {
    if (callback_) callback_(text.c_str(), data_);
  }

 private:
  fenwarx_status_callback callback_;
  void* data_;
};

Variant from_kind(unsigned char kind, double number, const char*& text, const char* end) {
  switch (kind) {
    case FENWARX_EMPTY: return {};
    case FENWARX_NUMBER:
    case FENWARX_DATE: return Variant::number(number);
    case FENWARX_BOOLEAN: return Variant::boolean(number != 0);
    case FENWARX_ERROR: return Variant::error(static_cast<int>(number));
    case FENWARX_TEXT: {
      const void* nul = text < end ? std::memchr(text, '\0', end - text) : nullptr;
      if (!nul) throw RuntimeError(err::kInvalidCall, "the texts end before the sheet's last text");
      Variant value = Variant::text(std::string(text, static_cast<const char*>(nul)));
      text = static_cast<const char*>(nul) + 1;
      return value;
    }
    default: throw RuntimeError(err::kInvalidCall, "a cell of no kind a sheet holds");
  }
}

fenwarx_variant to_c(const Variant& value) {
  switch (value.type()) {
    case VariantType::Number: return {FENWARX_NUMBER, value.number_value(), nullptr, nullptr};
    case VariantType::Text: return {FENWARX_TEXT, 0, value.text_value().c_str(), nullptr};
    case VariantType::Boolean: return {FENWARX_BOOLEAN, value.number_value(), nullptr, nullptr};
    case VariantType::Error:
      return {FENWARX_ERROR, static_cast<double>(value.error_value()), nullptr, nullptr};
    default: return {FENWARX_EMPTY, 0, nullptr, nullptr};
  }
}

jobs::Result run_job(fenwarx_book& book, std::string_view job, const char* form,
                     const char* out_dir, double today, jobs::Observer& observer) {
  jobs::Result result;
  const jobs::WorkbookJob held{.workbook = book.workbook->Path() / "workbook",
                               .form = form && *form ? find_form(form) : std::nullopt,
                               .save = false,
                               .open = book.workbook};
  if (form && *form && !held.form) {
    result.outcome = jobs::Outcome::Failed;
    result.failure = {err::kInvalidCall,
                      "not a return form (24, 26, 27 or 27EQ): " + std::string(form)};
    return result;
  }
  const jobs::Environment environment{.observer = &observer,
                                      .today = today > 0 ? std::optional(today) : std::nullopt,
                                      .out_dir = out_dir ? out_dir : "."};
  if (job == "verify") return jobs::verify(held, environment);
  if (job == "salary") return jobs::verify(held, environment, true);
  if (job == "export") return jobs::export_return(held, environment);
  result.outcome = jobs::Outcome::Failed;
  result.failure = {err::kInvalidCall, "no job of that name: " + std::string(job)};
  return result;
}

}  // namespace
}  // namespace fenwarx

using fenwarx::RuntimeError;
namespace err = fenwarx::err;

fenwarx_book* fenwarx_book_new(const char* folder) {
  try {
    auto* book = new fenwarx_book;
    if (folder) book->workbook->set_path(folder);
    return book;
  } catch (const std::exception&) {
    return nullptr;
  }
}

int fenwarx_book_add_sheet(fenwarx_book* book, const char* name, int rows, int columns,
                           const unsigned char* kinds, const double* numbers, const char* texts,
                           size_t texts_size) {
  if (!book || !name || rows < 0 || columns < 0 || rows > fenwarx::kMaxRows ||
      columns > fenwarx::kMaxColumns)
    return err::kInvalidCall;
  const std::size_t cells = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
  if (cells > 0 && (!kinds || !numbers)) return err::kInvalidCall;
  try {
    // Read whole before the sheet is added, so that cells that do not add up add nothing.
    const char* text = texts;
    const char* end = texts ? texts + texts_size : texts;
    std::vector<fenwarx::Variant> values;
    values.reserve(cells);
    for (std::size_t i = 0; i < cells; ++i)
      values.push_back(fenwarx::from_kind(kinds[i], numbers[i], text, end));
    fenwarx::StoredSheet& sheet = book->workbook->add_sheet(name);
    std::size_t i = 0;
    for (int row = 1; row <= rows; ++row) {
      for (int column = 1; column <= columns; ++column, ++i) {
        if (!values[i].is_empty()) sheet.store_value(row, column, values[i]);
      }
    }
    return 0;
  } catch (const RuntimeError& error) {
    return error.number();
  } catch (const std::exception&) {
    return err::kOutOfMemory;
  }
}

int fenwarx_book_format(fenwarx_book* book, const char* sheet, int first_row, int first_column,
                        int last_row, int last_column, const char* format, long color) {
  if (!book || !sheet) return err::kInvalidCall;
  // Before a job: the storage itself, so that nothing of it counts as a change.
  fenwarx::StoredSheet* storage = book->workbook->find_storage(sheet);
  if (!storage) return err::kSubscript;
  if (first_row < 1 || first_column < 1 || last_row > fenwarx::kMaxRows ||
      last_column > fenwarx::kMaxColumns || first_row > last_row || first_column > last_column)
    return err::kInvalidCall;
  try {
    for (int row = first_row; row <= last_row; ++row) {
      for (int column = first_column; column <= last_column; ++column) {
        if (format) storage->set_number_format(row, column, format);
        if (color >= 0) storage->set_interior_color(row, column, static_cast<std::uint32_t>(color));
      }
    }
    return 0;
  } catch (const RuntimeError& error) {
    return error.number();
  } catch (const std::exception&) {
    return err::kOutOfMemory;
  }
}

const char* fenwarx_book_run(fenwarx_book* book, const char* job, const char* form,
                             const char* out_dir, double today, fenwarx_status_callback status,
                             void* data) {
  if (!book) return nullptr;
  fenwarx::jobs::Result result;
  try {
    fenwarx::StatusCallback observer(status, data);
    result = fenwarx::run_job(*book, job ? job : "", form, out_dir, today, observer);
  } catch (const std::exception& error) {
    // A job hands back its own failures; this is what escaped it (memory, mostly).
    result.outcome = fenwarx::jobs::Outcome::Failed;
    result.failure = {err::kApplication, error.what()};
  }
  book->report = fenwarx::jobs::json_text(result);
  return book->report.c_str();
}

const fenwarx_cell_change* fenwarx_book_changes(fenwarx_book* book, size_t* count) {
  if (count) *count = 0;
  if (!book) return nullptr;
  book->changes = book->workbook->changes();
  book->handed.clear();
  book->handed.reserve(book->changes.size());
  for (const fenwarx::CellChange& change : book->changes) {
    book->handed.push_back({.sheet = change.sheet.c_str(),
                            .row = change.row,
                            .column = change.column,
                            .changed = (change.value_changed ? FENWARX_CHANGED_VALUE : 0) |
                                       (change.format_changed ? FENWARX_CHANGED_FORMAT : 0) |
                                       (change.color_changed ? FENWARX_CHANGED_COLOR : 0),
                            .value = fenwarx::to_c(change.value),
                            .format = change.format.c_str(),
                            .color = static_cast<long>(change.color)});
  }
  if (count) *count = book->handed.size();
  return book->handed.data();
}

void fenwarx_book_release(fenwarx_book* book) { delete book; }
