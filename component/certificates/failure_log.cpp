#include "certificates/failure_log.hpp"

#include <sys/stat.h>

#include <cmath>
#include <cstdio>

#include "platform/files/atomic_file.hpp"
#include "platform/files/file_system.hpp"
#include "platform/files/read_only_file.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/numbers.hpp"

namespace fenwarx {

std::string failure_log_line(double row, double now, const RuntimeError& failure) {
  const double day = std::floor(now);
  const long long seconds = std::llround((now - day) * 86400) % 86400;
  char time[16];
  std::snprintf(time, sizeof time, "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return number_text(row) + ".." + date_text(day) + " " + time + "--" + failure.description() +
         " " + std::to_string(failure.number()) + "\n";
}

void append_failure_log(const std::filesystem::path& folder, std::string_view lines) {
  const std::filesystem::path path = folder / kFailureLog;
  std::string text;
  struct stat info {};
  if (file_system().stat(path.c_str(), &info) == 0) {
    const ReadOnlyFile old(path);
    text.resize(static_cast<std::size_t>(old.size()));
    text.resize(old.read(0, text.size(), text.data()));
    if (!text.empty() && text.back() != '\n') text += '\n';
  }
  text += lines;
  AtomicFile file(path);
  file.write(text);
  file.commit();
}

}  // namespace fenwarx
