#pragma once
// The temporary files of saves under way, removed when SIGINT, SIGTERM or SIGHUP
// ends the process, so Ctrl-C or a closed terminal never leaves one behind. The
// handlers are in place only while a save is: the first cleanup installs them
// (leaving alone a signal the process ignores), the last one gone restores what
// was there before. The handler unlinks each file named, puts the previous
// disposition back and raises the signal again, so the process ends as it would
// have (or the program's own handler runs).
#include <csignal>

namespace fenwarx {

class InterruptCleanup {
 public:
  InterruptCleanup();
  ~InterruptCleanup();  // forgets its file
  InterruptCleanup(const InterruptCleanup&) = delete;
  InterruptCleanup& operator=(const InterruptCleanup&) = delete;

  // Names the file a signal removes. At most a few saves at once are covered:
  // beyond them a file is not named, and stays behind as before.
  void track(const char* path) noexcept;
  void forget() noexcept;  // the file was renamed or removed

 private:
  int slot_ = -1;
};

// Holds SIGINT, SIGTERM and SIGHUP back from the calling thread while alive, so a
// temporary file cannot be made and left before it is tracked; one that arrived
// meanwhile is handled once they are let through.
class SignalsHeld {
 public:
  SignalsHeld() noexcept;
  ~SignalsHeld();
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t previous_;
};

}  // namespace fenwarx
