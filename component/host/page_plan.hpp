#pragma once
// Which lines of a certificate stand on which page, known before any page is
// drawn so that every footer can say how many pages there are.
#include <cstddef>
#include <vector>

namespace fenwarx::host {

struct PageLines {
  std::size_t first = 0;  // index of the page's first line
  std::size_t count = 0;
};

// `heights` are the lines' heights in order, `room` the height the table's lines
// have on every page, `totals` the height of the totals, which stand after the
// last line on its page. Lines stay whole and in order; a page holds at least one
// line even when that line is taller than the room. The totals never stand alone
// on a page while the last page could give them a line's company. There is always
// a page, even for no line.
std::vector<PageLines> plan_pages(const std::vector<double>& heights, double room, double totals);

}  // namespace fenwarx::host
