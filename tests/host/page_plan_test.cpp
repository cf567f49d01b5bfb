#include "host/page_plan.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace fenwarx::host {
namespace {

using Pages = std::vector<std::pair<std::size_t, std::size_t>>;

Pages plan(const std::vector<double>& heights, double room, double totals) {
  Pages pages;
  for (const auto& page : plan_pages(heights, room, totals))
    pages.emplace_back(page.first, page.count);
  return pages;
}

TEST(PagePlan, LinesFillPagesInOrderAndWhole) {
  EXPECT_EQ(plan({}, 100, 10), (Pages{{0, 0}}));
  EXPECT_EQ(plan({30, 30, 30}, 100, 10), (Pages{{0, 3}}));
  EXPECT_EQ(plan({30, 30, 30, 30, 30}, 100, 10), (Pages{{0, 3}, {3, 2}}));
  EXPECT_EQ(plan({30, 80, 30}, 100, 10), (Pages{{0, 1}, {1, 1}, {2, 1}}));
  EXPECT_EQ(plan({150, 30}, 100, 10), (Pages{{0, 1}, {1, 1}}));  // too tall, still placed
}

TEST(PagePlan, TotalsTakeTheLastLineAlongRatherThanStandAlone) {
  EXPECT_EQ(plan({30, 30, 30}, 100, 20), (Pages{{0, 2}, {2, 1}}));
  EXPECT_EQ(plan({30, 30, 30}, 100, 10), (Pages{{0, 3}}));  // exactly full
  EXPECT_EQ(plan({95}, 100, 10), (Pages{{0, 1}, {1, 0}}));  // a lone line stays put
  EXPECT_EQ(plan({}, 5, 10), (Pages{{0, 0}}));              // no second empty page
}

TEST(PagePlan, EveryLineLandsOnceWithinTheRoom) {
  std::vector<double> heights;
  for (int i = 0; i < 500; ++i) heights.push_back(10 + (i * 37) % 41);
  for (double room : {60.0, 200.0, 651.5}) {
    const auto pages = plan_pages(heights, room, 25);
    std::size_t next = 0;
    for (const auto& page : pages) {
      EXPECT_EQ(page.first, next);
      double used = 0;
      for (std::size_t i = page.first; i < page.first + page.count; ++i) used += heights[i];
      if (&page == &pages.back()) used += 25;
      EXPECT_LE(used, room);
      next += page.count;
    }
    EXPECT_EQ(next, heights.size());
  }
}

}  // namespace
}  // namespace fenwarx::host
