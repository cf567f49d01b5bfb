#pragma once
// Where the tests find their fixtures and tools, and a scratch folder per test.
#include <filesystem>
#include <string>

namespace fenwarx::testing {

std::filesystem::path fixture(const char* name);  // tests/fixtures/NAME
// A fresh empty folder for the running test, removed by the next run.
std::filesystem::path scratch_dir();
// A file's bytes; empty when it cannot be read.
std::string slurp(const std::filesystem::path& path);

}  // namespace fenwarx::testing
