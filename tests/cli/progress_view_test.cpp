// The progress view as a terminal sees it: nothing off a terminal, a line
// redrawn in place at most ten times a second, fitted to the width, coloured
// only when asked, and taken away at the end.
#include "cli/progress_view.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fenwarx::cli {
namespace {

using namespace std::chrono_literals;
using Clock = ProgressView::Clock;

// What a view wrote on its stream, read when the view is gone.
class Written {
 public:
  Written() : stream_(open_memstream(&data_, &size_)) {}
  ~Written() {
    std::fclose(stream_);
    std::free(data_);
  }
  std::FILE* stream() { return stream_; }
  std::string text() {
    std::fflush(stream_);
    return std::string(data_, size_);
  }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* stream_;
};

const Progress kHalfway{.sheet = "Deductee Details", .done = 500, .rows = 1000};
const std::string kLine =
    "Deductee Details [############.............] 500 of 1000 rows  Ctrl-C to cancel";

TEST(ProgressView, DrawsOnATerminalOnlyAndAtMostTenTimesASecond) {
  const Clock::time_point t0{};
  {
    Written off;
    {
      ProgressView view(off.stream(), false, 80, false);
      EXPECT_FALSE(view.active());
      for (int i = 0; i < 5; ++i) view.update(kHalfway, t0 + i * 1s);
    }
    EXPECT_EQ(off.text(), "");
  }
  Written on;
  {
    ProgressView view(on.stream(), true, 80, false);
    view.update(kHalfway, t0);  // a run shorter than the interval shows nothing
    EXPECT_EQ(on.text(), "");
    view.update(kHalfway, t0 + 100ms);
    EXPECT_EQ(on.text(), "\r\033[K" + kLine);
    view.update({.sheet = "Deductee Details", .done = 600, .rows = 1000}, t0 + 150ms);
    EXPECT_EQ(on.text(), "\r\033[K" + kLine);
    view.update({.sheet = "Deductor Details", .done = 3, .rows = 39}, t0 + 200ms);
    EXPECT_EQ(on.text().substr(kLine.size() + 4),
              "\r\033[KDeductor Details [##...........................] 3 of 39 rows  Ctrl-C to "
              "cancel");
  }
  EXPECT_TRUE(on.text().ends_with("\r\033[K"));  // cleared at the end
}

TEST(ProgressView, FitsTheWidthAndColoursTheBarOnlyWhenAsked) {
  const Clock::time_point t0{};
  const auto line = [&](int width, bool color) {
    Written written;
    ProgressView view(written.stream(), true, width, color);
    view.update(kHalfway, t0);
    view.update(kHalfway, t0 + 1s);
    return view.line();
  };
  EXPECT_EQ(line(80, false), kLine);
  EXPECT_EQ(line(80, false).size(), 79u);  // the last column free: no wrap
  EXPECT_EQ(line(200, false), "Deductee Details [" + std::string(20, '#') + std::string(20, '.') +
                                  "] 500 of 1000 rows  Ctrl-C to cancel");
  // Too narrow for a bar, then for the hint, then cut.
  EXPECT_EQ(line(60, false), "Deductee Details 500 of 1000 rows  Ctrl-C to cancel");
  EXPECT_EQ(line(40, false), "Deductee Details 500 of 1000 rows");
  EXPECT_EQ(line(20, false), "Deductee Details 50");
  EXPECT_EQ(line(80, true), "Deductee Details [\033[30;48;2;252;229;185m" + std::string(12, '#') +
                                "\033[0m" + std::string(13, '.') +
                                "] 500 of 1000 rows  Ctrl-C to cancel");
}

}  // namespace
}  // namespace fenwarx::cli
