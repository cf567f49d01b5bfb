#include "ctrl_c_stop.hpp"

#include <cerrno>

namespace fenwarx::cli {
namespace {

// One job runs at a time: the handler reaches them through these.
Interruption interruption_asked;
struct sigaction previous {};

// Only async-signal-safe calls here.
void on_interrupt(int signal) {
  if (interruption_asked.request()) return;
  const int saved_errno = errno;
  ::sigaction(signal, &previous, nullptr);
  // Held until this handler returns, then taken as it would have been.
  ::raise(signal);
  errno = saved_errno;
}

}  // namespace

CtrlCStop::CtrlCStop() {
  if (::sigaction(SIGINT, nullptr, &previous) != 0) return;
  if (!(previous.sa_flags & SA_SIGINFO) && previous.sa_handler == SIG_IGN) return;
  struct sigaction ours {};
  ours.sa_handler = on_interrupt;
  sigemptyset(&ours.sa_mask);
  ours.sa_flags = SA_RESTART;
  installed_ = ::sigaction(SIGINT, &ours, nullptr) == 0;
}

CtrlCStop::~CtrlCStop() {
  if (installed_) ::sigaction(SIGINT, &previous, nullptr);
}

Interruption* CtrlCStop::interruption() noexcept {
  return installed_ ? &interruption_asked : nullptr;
}

}  // namespace fenwarx::cli
