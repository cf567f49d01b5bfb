// The user's stop: taken while the run reads, refused once it writes, and a
// second request refused so the caller can end the process.
#include "platform/values/interruption.hpp"

#include <gtest/gtest.h>

#include "platform/values/runtime_error.hpp"

namespace fenwarx {
namespace {

int raised(auto step) {
  try {
    step();
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.description(), "User interrupt occurred");
    return error.number();
  }
  return 0;
}

TEST(Interruption, ARequestIsTakenUntilTheRunWritesAndOnlyOnce) {
  Interruption running;
  EXPECT_EQ(raised([&] { running.check(); }), 0);
  EXPECT_TRUE(running.request());
  EXPECT_FALSE(running.request());  // a second Ctrl-C: the caller ends the process
  EXPECT_EQ(raised([&] { running.check(); }), 18);
  EXPECT_EQ(raised([&] { running.seal(); }), 18);  // asked before the write: nothing written

  Interruption writing;
  writing.seal();
  EXPECT_FALSE(writing.request());  // too late: the write goes on whole
  EXPECT_EQ(raised([&] { writing.check(); }), 0);
  EXPECT_EQ(raised([&] { writing.seal(); }), 0);
}

}  // namespace
}  // namespace fenwarx
