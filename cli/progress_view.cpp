#include "progress_view.hpp"

#include <fmt/format.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "platform/values/ascii.hpp"
#include "platform/values/colors.hpp"

namespace fenwarx::cli {
namespace {

constexpr int kShortestBar = 10, kLongestBar = 40;
constexpr int kDefaultWidth = 80;

// "&Cancel" as the hint says it: "cancel".
std::string cancel_word(std::string_view caption) {
  std::string word;
  for (char c : caption)
    if (c != '&') word += ascii_lower(c);
  return word;
}

}  // namespace

ProgressView::ProgressView(std::FILE* stream, bool terminal, int width, bool color)
    : stream_(terminal ? stream : nullptr), width_(width), color_(color) {
  form_.Load();
}

ProgressView::~ProgressView() { clear(); }

void ProgressView::update(const Progress& progress, Clock::time_point now) {
  if (!stream_) return;
  if (!next_) {
    next_ = now + kInterval;
    return;
  }
  if (now < *next_) return;
  next_ = now + kInterval;
  form_.Show(progress.sheet, progress.done, progress.rows);
  std::fprintf(stream_, "\r\033[K%s", line().c_str());
  std::fflush(stream_);
  shown_ = true;
}

void ProgressView::clear() {
  if (!shown_) return;
  std::fputs("\r\033[K", stream_);
  std::fflush(stream_);
  shown_ = false;
}

std::string ProgressView::line() const {
  const std::string& sheet = form_.control("lblField").caption;
  const std::string rows = " " + form_.control("lblAngka").caption;
  const std::string hint = "  Ctrl-C to " + cancel_word(form_.control("cmdCancel").caption);
  // The last column stays free: a line that fills it wraps, and the next one
  // would not be drawn over it.
  const int fits = width_ - 1;
  const int room = fits - static_cast<int>(sheet.size() + rows.size() + hint.size()) - 3;
  if (room < kShortestBar) {
    // Too narrow for a bar: the hint goes next, then the line is cut.
    std::string out = sheet + rows;
    if (out.size() + hint.size() <= static_cast<std::size_t>(std::max(fits, 0))) out += hint;
    out.resize(std::min(out.size(), static_cast<std::size_t>(std::max(fits, 0))));
    return out;
  }
  const int bar = std::min(room, kLongestBar);
  const int max = form_.bar_max();
  const int filled =
      max > 0 ? static_cast<int>(static_cast<long long>(bar) * form_.bar_value() / max) : 0;
  std::string out = sheet + " [";
  if (color_ && filled > 0) {
    const std::uint32_t fill = form_.back_color();
    out += fmt::format("\033[30;48;2;{};{};{}m", red_of(fill), green_of(fill), blue_of(fill));
  }
  out.append(static_cast<std::size_t>(filled), '#');
  if (color_ && filled > 0) out += "\033[0m";
  out.append(static_cast<std::size_t>(bar - filled), '.');
  return out + "]" + rows + hint;
}

TerminalTraits standard_error_traits(bool quiet) {
  int width = 0;
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0) width = size.ws_col;
  if (width <= 0)
    if (const char* columns = std::getenv("COLUMNS")) width = std::atoi(columns);
  const char* no_color = std::getenv("NO_COLOR");
  return {.terminal = !quiet && isatty(STDERR_FILENO) == 1,
          .width = width > 0 ? width : kDefaultWidth,
          .color = !(no_color && *no_color)};
}

}  // namespace fenwarx::cli
