#pragma once
// The run-time error a step raises, as the tests compare it: whole or by its number.
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

// The number of the run-time error `step` raises, or 0 when it raises nothing.
int error_number_of(auto&& step) try {
  step();
  return 0;
} catch (const RuntimeError& e) {
  return e.number();
}

}  // namespace fenwarx::testing
