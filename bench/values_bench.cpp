// Micro benchmarks of the conversions every cell read goes through.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/spreadsheet/memory_workbook.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/numbers.hpp"

namespace {

using namespace fenwarx;

const std::vector<std::string> kNumberTexts = {"125000.50", "  42 ", "1,234", "abc",
                                               "-3.5E+2",   "0.00",  "17",    "9 876.25"};
const std::vector<std::string> kDateTexts = {"01/04/2005", "5-Jun-05",     "2005-06-30",
                                             "31.12.2005", "15 July 2005", "not a date"};

void BM_LeadingNumber(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(leading_number(kNumberTexts[i++ % kNumberTexts.size()]));
  }
}
BENCHMARK(BM_LeadingNumber);

void BM_NumberText(benchmark::State& state) {
  const double values[] = {125000.5, 0.1, 17, -3.25, 1e20, 38443, 0.000001, 2.0 / 3.0};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(number_text(values[i++ % std::size(values)]));
  }
}
BENCHMARK(BM_NumberText);

void BM_ParseDate(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(parse_date(kDateTexts[i++ % kDateTexts.size()]));
  }
}
BENCHMARK(BM_ParseDate);

// Value() over a 1,000 x 25 sheet of numbers, texts and dates, as the walks read it.
void BM_CellValue(benchmark::State& state) {
  MemoryWorkbook workbook;
  StoredSheet& sheet = workbook.add_sheet("Deductee Details");
  constexpr int kRows = 1000, kColumns = 25;
  for (int row = 1; row <= kRows; ++row) {
    for (int column = 1; column <= kColumns; ++column) {
      Cell cell(sheet, row, column);
      switch (column % 3) {
        case 0: cell.SetValue(Variant::number(row * 100.25)); break;
        case 1: cell.SetValue(Variant::text("ABCDE" + std::to_string(1000 + row) + "F")); break;
        default: cell.SetValue(Variant::date(38443 + row % 90)); break;
      }
    }
  }
  int row = 1, column = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Cell(sheet, row, column).Value());
    if (++column > kColumns) {
      column = 1;
      row = row % kRows + 1;
    }
  }
}
BENCHMARK(BM_CellValue);

}  // namespace

BENCHMARK_MAIN();
