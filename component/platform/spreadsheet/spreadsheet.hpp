#pragma once
// The spreadsheet as the component sees it: a workbook of named sheets, cells
// addressed by row and column, and the application's status bar. The typed-entry
// and read-back behaviour lives in Cell, once, above every storage.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/values/colors.hpp"
#include "platform/values/interruption.hpp"
#include "platform/values/variant.hpp"

namespace fenwarx {

inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;

// Interior colours.
inline constexpr std::uint32_t kColorNone = rgb(255, 255, 255);  // what an unfilled cell reports
inline constexpr std::uint32_t kColorError = rgb(255, 0, 0);
inline constexpr std::uint32_t kColorEndOfData = rgb(0, 255, 255);
static_assert(kColorNone == 16777215 && kColorError == 255 && kColorEndOfData == 16776960);

class Worksheet;

// One cell of a sheet; a cheap handle, valid while its sheet lives.
class Cell {
 public:
  Cell(Worksheet& sheet, int row, int column) : sheet_(&sheet), row_(row), column_(column) {}

  int row() const noexcept { return row_; }
  int column() const noexcept { return column_; }

  // Empty, Number, Text, Boolean, Error, or Date for a number shown in a date format.
  Variant Value() const;
  // Value().to_text(), which every check reads a cell as.
  std::string ValueText() const;
  // As if typed: a text that reads wholly as a number becomes a number, a day-first
  // date text a date (a date format is set when the cell has none); other texts stay
  // texts; a Date is stored as its serial in a date format; Empty clears the value.
  void SetValue(const Variant& value);
  std::string Text() const;  // as displayed in the cell's number format
  std::string NumberFormat() const;
  void SetNumberFormat(std::string_view code);
  std::uint32_t InteriorColor() const;
  void SetInteriorColor(std::uint32_t color);

 private:
  Worksheet* sheet_;
  int row_, column_;
};

// A sheet: storage primitives implemented per backing, the cell semantics above them.
class Worksheet : public Object {
 public:
  virtual const std::string& Name() const = 0;

  // Rows and columns as the component passes them (doubles, halves to even);
  // outside 1..kMaxRows / 1..kMaxColumns is RuntimeError 1004.
  Cell Cells(double row, double column) {
    // Whole numbers within the sheet, as callers almost always pass, need nothing more.
    if (row >= 1 && row <= kMaxRows && column >= 1 && column <= kMaxColumns) {
      const int r = static_cast<int>(row), c = static_cast<int>(column);
      if (r == row && c == column) return Cell(*this, r, c);
    }
    return rounded_cell(row, column);
  }

  // The value as Cell::Value gives it (a number in a date format as a Date); a
  // backing may answer it at once rather than through the two primitives.
  virtual Variant value(int row, int column) const;
  // The value's text; a backing may give it without making the value first.
  virtual std::string value_text(int row, int column) const;

  // Storage primitives, 1-based and already range-checked.
  // Stored value: Empty, Number, Text, Boolean or Error (never Date).
  virtual Variant stored_value(int row, int column) const = 0;
  virtual void store_value(int row, int column, const Variant& value) = 0;
  virtual std::string number_format(int row, int column) const = 0;
  virtual bool has_date_format(int row, int column) const = 0;
  virtual void set_number_format(int row, int column, std::string_view code) = 0;
  virtual std::uint32_t interior_color(int row, int column) const = 0;
  virtual void set_interior_color(int row, int column, std::uint32_t color) = 0;
  // Serials in this workbook count from 1/1/1904 (the cell layer converts).
  virtual bool date1904() const { return false; }
  // The used range: the last row and column holding a value or a format (0 when none).
  virtual int last_row() const = 0;
  virtual int last_column() const = 0;
  // How many times a stored value has changed since the sheet was read: a run
  // that leaves it as it was has changed nothing the sheet shows.
  virtual std::uint64_t value_changes() const { return 0; }

  // Counts the writes made through Cell to values and number formats (whatever
  // they changed): a reader may keep what it read of a cell while it stands.
  std::uint64_t writes() const noexcept { return writes_; }
  // Tells this sheet from every other of the process, even one made later at
  // the same address.
  std::uint64_t id() const noexcept { return id_; }

 protected:
  Worksheet();

 private:
  friend class Cell;
  Cell rounded_cell(double row, double column);

  std::uint64_t id_;
  std::uint64_t writes_ = 0;
};

// The rows a walk from `first_row` expects to read: those of the sheet's used
// range, up to `last_row`.
int rows_to_walk(const Worksheet& sheet, int first_row, int last_row);

// Where a walk over a sheet's rows stands: `done` of its `rows` rows behind it.
struct Progress {
  std::string_view sheet;
  int done = 0;
  int rows = 0;
};

// The application behind a workbook: its status bar, and the events a long loop
// lets it process (where the loop stands, and the user's request to stop).
class Application {
 public:
  using Listener = std::function<void(const std::string&)>;
  using ProgressListener = std::function<void(const Progress&)>;
  const std::string& StatusBar() const noexcept { return status_bar_; }
  void SetStatusBar(std::string text);
  void set_listener(Listener listener) { listener_ = std::move(listener); }

  // Once a row of a walk: a stop the user asked for is raised here (RuntimeError
  // 18), before the row is touched; otherwise the progress listener hears it.
  void ReportProgress(const Progress& progress) {
    if (interruption_) interruption_->check();
    if (progress_listener_) progress_listener_(progress);
  }
  // What the run writes from here on is written whole: a stop asked for before is
  // raised now, and later ones are refused.
  void BeginWriting() {
    if (interruption_) interruption_->seal();
  }
  void set_progress_listener(ProgressListener listener) {
    progress_listener_ = std::move(listener);
  }
  void set_interruption(Interruption* interruption) noexcept { interruption_ = interruption; }

 private:
  std::string status_bar_;
  Listener listener_;
  ProgressListener progress_listener_;
  Interruption* interruption_ = nullptr;
};

class Workbook : public Object {
 public:
  // The sheet of that name; RuntimeError 9 "Subscript out of range: the workbook has
  // no sheet 'NAME'" when none.
  Worksheet& Worksheets(std::string_view name);
  virtual std::vector<std::string> sheet_names() const = 0;
  virtual Worksheet* find_sheet(std::string_view name) = 0;
  Application& GetApplication() noexcept { return application_; }
  // The folder of the workbook's file, as the spreadsheet's Path gives it: empty
  // for a workbook that has none.
  virtual std::filesystem::path Path() const { return {}; }

 private:
  Application application_;
};

}  // namespace fenwarx
