#include "support/test_paths.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace fenwarx::testing {

std::filesystem::path fixture(const char* name) {
  return std::filesystem::path(FENWARX_FIXTURES) / name;
}

std::filesystem::path scratch_dir() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string leaf = info ? std::string(info->test_suite_name()) + "." + info->name() : "scratch";
  for (char& c : leaf)
    if (c == '/') c = '_';
  auto dir = std::filesystem::temp_directory_path() / "fenwarx-tests" / leaf;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

std::string slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace fenwarx::testing
