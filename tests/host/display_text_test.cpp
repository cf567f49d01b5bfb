#include "host/display_text.hpp"

#include <gtest/gtest.h>

namespace fenwarx::host {
namespace {

TEST(DisplayText, KeepsWellFormedTextAndReplacesWhatIsNot) {
  EXPECT_EQ(displayable("D'Souza Zoë Åström रमेश"), "D'Souza Zoë Åström रमेश");
  EXPECT_EQ(displayable("a\xFF\xFE"
                        "b"),
            "a\uFFFD\uFFFDb");
  EXPECT_EQ(displayable("\xC0\xAF"), "\uFFFD\uFFFD");            // overlong "/"
  EXPECT_EQ(displayable("\xED\xA0\x80"), "\uFFFD\uFFFD\uFFFD");  // a surrogate
  EXPECT_EQ(displayable("cut \xE0\xA4"), "cut \uFFFD\uFFFD");
}

TEST(DisplayText, ControlsBecomeBlanksSoARowStaysOneRow) {
  EXPECT_EQ(displayable(std::string("a\0b\tc\nd\re\x7F", 10)), "a b c d e ");
  EXPECT_EQ(displayable("x\u2028y\u0085z"), "x y z");
}

}  // namespace
}  // namespace fenwarx::host
