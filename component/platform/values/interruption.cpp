#include "platform/values/interruption.hpp"

#include "platform/values/runtime_error.hpp"

namespace fenwarx {

bool Interruption::request() noexcept {
  int running = kRunning;
  return state_.compare_exchange_strong(running, kRequested);
}

void Interruption::seal() {
  int running = kRunning;
  if (!state_.compare_exchange_strong(running, kSealed) && running == kRequested) raise();
}

void Interruption::raise() { throw RuntimeError(err::kUserInterrupt); }

}  // namespace fenwarx
