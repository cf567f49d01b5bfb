#pragma once
// Where the tests find their fixtures and tools, and a scratch folder per test.
#include <filesystem>

namespace fenwarx::testing {

std::filesystem::path fixture(const char* name);  // tests/fixtures/NAME
// A fresh empty folder for the running test, removed by the next run.
std::filesystem::path scratch_dir();

}  // namespace fenwarx::testing
