#pragma once
// The user's request to stop a run (Ctrl-C), made from a signal handler and taken
// by the run at its next row, where it raises RuntimeError 18 "User interrupt
// occurred". Once the run starts writing what it made (a save, the return file,
// the host's tables), a request comes too late and is refused: the caller then
// ends the process as it would have without one, and a write under way is
// cleaned up as any interrupted write is.
#include <atomic>

namespace fenwarx {

class Interruption {
 public:
  // Async-signal-safe. True when the run will stop; false when it is writing
  // already, or a stop was asked for before (a second request).
  bool request() noexcept;
  bool requested() const noexcept { return state_.load(std::memory_order_relaxed) == kRequested; }
  // RuntimeError 18 when a stop was asked for.
  void check() const {
    if (requested()) raise();
  }
  // The run writes from here on: a stop asked for before is raised now, later
  // requests are refused.
  void seal();

 private:
  [[noreturn]] static void raise();

  enum State : int { kRunning, kRequested, kSealed };
  std::atomic<int> state_{kRunning};
  static_assert(std::atomic<int>::is_always_lock_free, "requested from a signal handler");
};

}  // namespace fenwarx
