#pragma once
// Validators whose failures are ignored run each spreadsheet step through this: a
// failing step is skipped and the validator goes on with its next one.
#include "platform/values/runtime_error.hpp"

namespace fenwarx {

template <typename Step>
void ignoring_failure(Step&& step) {
  try {
    step();
  } catch (const RuntimeError&) {
  }
}

}  // namespace fenwarx
