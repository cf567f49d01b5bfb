#include "platform/clock/clock.hpp"

#include <chrono>
#include <cmath>
#include <ctime>
#include <thread>

#include "platform/values/dates.hpp"

namespace fenwarx {
namespace {

constexpr double kSecondsPerDay = 86400.0;

class SystemClock : public Clock {
 public:
  double now() override {
    const auto point = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(point);
    std::tm local{};
    localtime_r(&seconds, &local);
    const double day = serial_from_civil({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
    return day + (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / kSecondsPerDay;
  }

  void sleep_until(double serial) override {
    for (double left = serial - now(); left > 0; left = serial - now())
      std::this_thread::sleep_for(
          std::chrono::duration<double>(std::min(left * kSecondsPerDay, 0.25)));
  }
};

class FixedClock : public Clock {
 public:
  explicit FixedClock(double serial) : now_(serial) {}
  double now() override { return now_; }
  void sleep_until(double serial) override { now_ = std::max(now_, serial); }

 private:
  double now_;
};

}  // namespace

std::unique_ptr<Clock> system_clock() { return std::make_unique<SystemClock>(); }
std::unique_ptr<Clock> fixed_clock(double serial) { return std::make_unique<FixedClock>(serial); }

}  // namespace fenwarx
