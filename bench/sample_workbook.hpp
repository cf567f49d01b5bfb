#pragma once
// A sample return written straight as package parts into its form's template
// layout, without going through the component's cell API.
#include <filesystem>

#include "layout/forms.hpp"

namespace fenwarx::bench {

struct SampleOptions {
  Form form = Form::F26;
  int deductees = 0, challans = 0;  // 1..kMaxDeductees, >= 1
  bool mistakes = false;
  bool as_typed = false;  // deductee tax parts with paise, totals not summed
  // Form 24's salary rows as typed, 1..deductees; 0: one complete row per deductee.
  int salaries = 0;
};

// Replaces `path` atomically; RuntimeError on an I/O failure. Returns the number
// of mistakes planted.
int write_sample_workbook(const std::filesystem::path& path, const SampleOptions& options);

}  // namespace fenwarx::bench
