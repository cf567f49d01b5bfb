#include "platform/files/interrupt_cleanup.hpp"

#include <pthread.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <mutex>
#include <thread>

namespace fenwarx {
namespace {

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};

// A slot is filled by its owner and read by the handler only once it names a
// file; while the handler removes that file the owner waits before freeing it.
enum SlotState : int { kFree, kFilling, kNamed, kRemoving, kRemoved };

struct Slot {
  std::atomic<int> state{kFree};
  char path[PATH_MAX];
};
static_assert(std::atomic<int>::is_always_lock_free, "the handler reads the slots");

constexpr int kSlots = 16;
Slot slots[kSlots];

// Touched only by the first and last user (under the lock) and, between them, read
// by the handler.
std::mutex users_lock;
int users = 0;
std::array<struct sigaction, kSignals.size()> previous{};
std::array<bool, kSignals.size()> installed{};

// Only async-signal-safe calls from here on.
void on_signal(int signal) {
  const int saved_errno = errno;
  for (Slot& slot : slots) {
    int named = kNamed;
    if (!slot.state.compare_exchange_strong(named, kRemoving)) continue;
    ::unlink(slot.path);
    slot.state.store(kRemoved);
  }
  for (std::size_t i = 0; i < kSignals.size(); ++i)
    if (kSignals[i] == signal) ::sigaction(signal, &previous[i], nullptr);
  // Blocked until this handler returns, then taken as before we were here.
  ::raise(signal);
  errno = saved_errno;
}

sigset_t handled_signals() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : kSignals) sigaddset(&set, signal);
  return set;
}

}  // namespace

InterruptCleanup::InterruptCleanup() {
  const std::lock_guard lock(users_lock);
  if (users++ > 0) return;
  struct sigaction ours {};
  ours.sa_handler = on_signal;
  ours.sa_mask = handled_signals();
  ours.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kSignals.size(); ++i) {
    installed[i] = false;
    if (::sigaction(kSignals[i], nullptr, &previous[i]) != 0) continue;
    // A signal the process ignores (nohup, a background job) stays ignored.
    if (!(previous[i].sa_flags & SA_SIGINFO) && previous[i].sa_handler == SIG_IGN) continue;
    installed[i] = ::sigaction(kSignals[i], &ours, nullptr) == 0;
  }
}

InterruptCleanup::~InterruptCleanup() {
  forget();
  const std::lock_guard lock(users_lock);
  if (--users > 0) return;
  for (std::size_t i = 0; i < kSignals.size(); ++i)
    if (installed[i]) ::sigaction(kSignals[i], &previous[i], nullptr);
  installed.fill(false);
}

void InterruptCleanup::track(const char* path) noexcept {
  forget();
  if (std::strlen(path) >= PATH_MAX) return;
  for (int i = 0; i < kSlots; ++i) {
    int free = kFree;
    if (!slots[i].state.compare_exchange_strong(free, kFilling)) continue;
    std::strcpy(slots[i].path, path);
    slots[i].state.store(kNamed);
    slot_ = i;
    return;
  }
}

void InterruptCleanup::forget() noexcept {
  if (slot_ < 0) return;
  std::atomic<int>& state = slots[slot_].state;
  for (int seen = state.load();;) {
    if (seen == kRemoving) {
      std::this_thread::yield();
      seen = state.load();
    } else if (state.compare_exchange_weak(seen, kFree)) {
      break;
    }
  }
  slot_ = -1;
}

SignalsHeld::SignalsHeld() noexcept {
  const sigset_t held = handled_signals();
  ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

SignalsHeld::~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

}  // namespace fenwarx
