#pragma once
// The wait form drawn on a terminal: one line of standard error, redrawn in place
// at most ten times a second while a walk runs: the sheet being walked, a bar
// over its rows, the rows done out of the rows and how to cancel. Nothing is
// drawn on anything but a terminal, so logs and pipes stay clean.
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

#include "forms/wait_form.hpp"
#include "jobs/job_result.hpp"

namespace fenwarx::cli {

class ProgressView {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr auto kInterval = std::chrono::milliseconds(100);

  // Draws on `stream` only when `terminal`, within `width` columns; with `color`
  // the bar's done part has the form's fill colour as its background.
  ProgressView(std::FILE* stream, bool terminal, int width, bool color);
  ~ProgressView();  // clears the line
  ProgressView(const ProgressView&) = delete;
  ProgressView& operator=(const ProgressView&) = delete;

  bool active() const noexcept { return stream_ != nullptr; }
  // Where the walk stands. Drawn once kInterval has passed since the last drawing,
  // or since the first report: a run shorter than that shows nothing.
  void update(const Progress& progress, Clock::time_point now);
  // Takes the line away, before a message is printed and at the end.
  void clear();
  // The line the form makes as it stands, without the cursor's return.
  std::string line() const;

 private:
  std::FILE* stream_;  // null when nothing is drawn
  int width_;
  bool color_;
  WaitForm form_;
  std::optional<Clock::time_point> next_;
  bool shown_ = false;
};

// The progress view of standard error: drawn when it is a terminal and the run is
// not quiet, as wide as the terminal, coloured unless NO_COLOR is set.
struct TerminalTraits {
  bool terminal;
  int width;
  bool color;
};
TerminalTraits standard_error_traits(bool quiet);

}  // namespace fenwarx::cli
