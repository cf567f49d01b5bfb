// The benchmark tool's generated workbooks: reproducible, readable by the component,
// and internally consistent, since timings on a broken file would mean nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run_program.hpp"
#include "platform/values/numbers.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

using testing::Outcome;
using Rows = std::vector<std::vector<std::string>>;

class BenchToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string tool = FENWARX_BENCH_TOOL;
    if (tool.empty() || !std::filesystem::exists(tool)) GTEST_SKIP() << "fenwarx-bench not built";
    dir_ = testing::scratch_dir();
  }

  Outcome bench(const std::vector<std::string>& args) {
    return testing::run_program(FENWARX_BENCH_TOOL, args);
  }

  std::string generate(const std::string& name, int deductees, int challans) {
    const std::string path = (dir_ / name).string();
    const Outcome made =
        bench({"generate", "--form", "26", "--deductees", std::to_string(deductees), "--challans",
               std::to_string(challans), path});
    EXPECT_EQ(made.exit_code, 0) << made.err;
    return path;
  }

  Rows sheet(const std::string& workbook, const std::string& name) {
    const Outcome shown = testing::run_program(FENWARX_CLI, {"show", workbook, "--sheet", name});
    EXPECT_EQ(shown.exit_code, 0) << shown.err;
    Rows rows;
    std::istringstream lines(shown.out);
    for (std::string line; std::getline(lines, line);) {
      rows.emplace_back();
      std::istringstream fields(line + "\t");
      for (std::string field; std::getline(fields, field, '\t');) rows.back().push_back(field);
    }
    return rows;
  }

  std::filesystem::path dir_;
};

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST_F(BenchToolTest, SameArgumentsGiveSameBytes) {
  const auto first = generate("a.xlsx", 40, 3);
  const auto second = generate("b.xlsx", 40, 3);
  EXPECT_EQ(slurp(first), slurp(second));
  EXPECT_NE(slurp(first), slurp(generate("c.xlsx", 41, 3)));
}

TEST_F(BenchToolTest, ChallansAndControlTotalsAgreeWithDeductees) {
  const auto path = generate("return.xlsx", 40, 3);
  const Rows deductees = sheet(path, "Deductee Details");
  const Rows challans = sheet(path, "Challan Details");
  const Rows deductor = sheet(path, "Deductor Details");
  ASSERT_EQ(deductees.size(), 2u + 40u);  // headings, column numbers, data from row 3
  ASSERT_EQ(challans.size(), 3u + 3u);    // headings, notes, column numbers, data from row 4
  ASSERT_EQ(deductor.size(), 100u);
  EXPECT_EQ(deductees[0].size(), 25u);
  EXPECT_EQ(challans[0].size(), 24u);

  struct Sums {
    int count = 0;
    double tds = 0, deducted = 0;
  };
  std::map<std::string, Sums> by_challan;
  double amount_paid = 0;
  for (std::size_t row = 2; row < deductees.size(); ++row) {
    const auto& cells = deductees[row];
    Sums& sums = by_challan[cells[18]];
    sums.count += 1;
    sums.tds += leading_number(cells[10]);
    sums.deducted += leading_number(cells[13]);
    amount_paid += leading_number(cells[5]);
    EXPECT_EQ(leading_number(cells[13]),
              leading_number(cells[10]) + leading_number(cells[11]) + leading_number(cells[12]))
        << "row " << row + 1;
    EXPECT_EQ(cells[3].empty(), cells[2] != "PANNOTAVBL") << "row " << row + 1;
  }
  for (std::size_t row = 3; row < challans.size(); ++row) {
    const auto& cells = challans[row];
    const Sums& sums = by_challan[cells[0]];
    EXPECT_EQ(cells[15], std::to_string(sums.count)) << "challan " << cells[0];
    EXPECT_EQ(leading_number(cells[16]), sums.tds) << "challan " << cells[0];
    EXPECT_EQ(leading_number(cells[21]), sums.deducted) << "challan " << cells[0];
  }
  EXPECT_EQ(deductor[35][1], "3");
  EXPECT_EQ(deductor[36][1], "40");
  EXPECT_NEAR(leading_number(deductor[32][1]), amount_paid, 0.005);
  EXPECT_EQ(deductor[99][99], "2005");
  EXPECT_EQ(sheet(path, "State Code")[35], (std::vector<std::string>{"35", "Jharkhand"}));
}

TEST_F(BenchToolTest, RefusesOutOfRangeSizes) {
  const std::vector<std::vector<std::string>> cases = {
      {"--deductees", "65535", "--challans", "1"},
      {"--deductees", "0", "--challans", "1"},
      {"--deductees", "10", "--challans", "0"},
  };
  for (auto args : cases) {
    args.insert(args.begin(), {"generate", "--form", "26"});
    args.push_back((dir_ / "x.xlsx").string());
    EXPECT_EQ(bench(args).exit_code, 2) << ::testing::PrintToString(args);
  }
  EXPECT_FALSE(std::filesystem::exists(dir_ / "x.xlsx"));
}

TEST_F(BenchToolTest, RoundTripVisitsEveryUsedCell) {
  const auto path = generate("return.xlsx", 40, 3);
  const Outcome trip = bench({"roundtrip", path, (dir_ / "out.xlsx").string()});
  ASSERT_EQ(trip.exit_code, 0) << trip.err;
  // Used ranges: 100 x 100 deductor, 6 x 24 challans, 42 x 25 deductees, 36 x 2 states.
  EXPECT_NE(trip.out.find("cells  11266 read ("), std::string::npos) << trip.out;
  EXPECT_NE(trip.out.find(", 564 painted, 563 rewritten"), std::string::npos) << trip.out;
  EXPECT_EQ(sheet((dir_ / "out.xlsx").string(), "Deductor Details")[99][99], "2005");
}

}  // namespace
}  // namespace fenwarx
