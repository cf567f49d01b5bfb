#pragma once
// The current date and time, as a date serial (days since 30/12/1899, the time as
// the fraction), and waiting: fixed in tests and by --today, the system's otherwise.
#include <memory>

namespace fenwarx {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual double now() = 0;
  double today() { return static_cast<double>(static_cast<long long>(now())); }
  // Returns once now() has reached `serial`.
  virtual void sleep_until(double serial) = 0;
};

// The system's local date and time.
std::unique_ptr<Clock> system_clock();
// A clock standing at `serial`; sleeping moves it forward at once.
std::unique_ptr<Clock> fixed_clock(double serial);

}  // namespace fenwarx
