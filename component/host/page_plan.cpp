#include "host/page_plan.hpp"

namespace fenwarx::host {

std::vector<PageLines> plan_pages(const std::vector<double>& heights, double room, double totals) {
  std::vector<PageLines> pages{{}};
  double used = 0;
  for (std::size_t line = 0; line < heights.size(); ++line) {
    if (pages.back().count > 0 && used + heights[line] > room) {
      pages.push_back({.first = line, .count = 0});
      used = 0;
    }
    ++pages.back().count;
    used += heights[line];
  }
  if (used + totals <= room || pages.back().count == 0) return pages;
  // The totals need a page of their own: the last line goes with them, unless it
  // is its page's only line.
  PageLines& last = pages.back();
  if (last.count > 1) {
    --last.count;
    pages.push_back({.first = last.first + last.count, .count = 1});
  } else {
    pages.push_back({.first = last.first + last.count, .count = 0});
  }
  return pages;
}

}  // namespace fenwarx::host
