#pragma once
// The run-time error a step raises, as the tests compare it.
#include <string>

#include "platform/values/runtime_error.hpp"

namespace fenwarx::testing {

// "number description" of what `step` raises, or "" when it raises nothing.
std::string error_of(auto&& step) try {
  step();
  return "";
} catch (const RuntimeError& e) {
  return std::to_string(e.number()) + " " + e.description();
}

}  // namespace fenwarx::testing
