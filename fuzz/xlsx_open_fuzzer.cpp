// Any bytes given to XlsxWorkbook::open must end in a workbook or a RuntimeError.
// A workbook that opened is read cell by cell, painted, saved and opened again:
// what we save from a readable workbook must itself be readable.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"

namespace {

namespace fs = std::filesystem;

// Bounds the walk over the used range, which a hostile dimension can make huge.
constexpr int kRowLimit = 300;
constexpr int kColumnLimit = 60;

const fs::path& work_dir() {
  static const fs::path dir = [] {
    auto d = fs::temp_directory_path() / ("fenwarx-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(d);
    return d;
  }();
  return dir;
}

void read_every_cell(fenwarx::XlsxWorkbook& book) {
  for (std::size_t i = 0; i < book.sheet_count(); ++i) {
    auto& sheet = book.sheet(i);
    const int rows = std::min(sheet.last_row(), kRowLimit);
    const int columns = std::min(sheet.last_column(), kColumnLimit);
    for (int r = 1; r <= rows; ++r)
      for (int c = 1; c <= columns; ++c) {
        auto cell = sheet.Cells(r, c);
        try {
          (void)cell.Value().to_text();
        } catch (const fenwarx::RuntimeError&) {
        }
        (void)cell.Text();
        (void)cell.NumberFormat();
        (void)cell.InteriorColor();
      }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto input = work_dir() / "input.xlsx";
  const auto output = work_dir() / "output.xlsx";
  {
    std::ofstream out(input, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  std::shared_ptr<fenwarx::XlsxWorkbook> book;
  try {
    book = fenwarx::XlsxWorkbook::open(input);
    read_every_cell(*book);
    if (book->sheet_count() == 0) return 0;
    auto& sheet = book->sheet(0);
    sheet.Cells(1, 1).SetInteriorColor(255);
    sheet.Cells(2, 2).SetValue(fenwarx::Variant::text(" a & b < c "));
    book->save_as(output);
  } catch (const fenwarx::RuntimeError&) {
    return 0;
  }
  try {
    auto again = fenwarx::XlsxWorkbook::open(output);
    read_every_cell(*again);
  } catch (const fenwarx::RuntimeError& e) {
    // Our own save of a workbook we could read is unreadable: a writer fault.
    std::fprintf(stderr, "saved workbook does not reopen: %d %s\n", e.number(),
                 e.description().c_str());
    std::abort();
  }
  return 0;
}
