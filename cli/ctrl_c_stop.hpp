#pragma once
// Ctrl-C while a job runs asks it to stop at its next row instead of ending the
// process: the job saves nothing and the command exits with 130. A second Ctrl-C,
// or one once the job writes what it made, ends the process by the signal as
// before (a save under way removes its temporary file first).
#include <csignal>

#include "platform/values/interruption.hpp"

namespace fenwarx::cli {

class CtrlCStop {
 public:
  // Catches SIGINT while alive, unless the process ignores it (a background job).
  CtrlCStop();
  ~CtrlCStop();  // puts back what was there
  CtrlCStop(const CtrlCStop&) = delete;
  CtrlCStop& operator=(const CtrlCStop&) = delete;

  // What the job checks; null when SIGINT is not caught.
  Interruption* interruption() noexcept;

 private:
  bool installed_ = false;
};

}  // namespace fenwarx::cli
