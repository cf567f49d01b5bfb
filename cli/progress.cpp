#include "progress.hpp"

#include <unistd.h>

#include <string>

namespace fenwarx::cli {
namespace {

constexpr auto kInterval = std::chrono::milliseconds(200);

}  // namespace

Progress::Progress(Application& application, std::FILE* terminal, Ui& messages)
    : application_(application),
      terminal_(isatty(fileno(terminal)) ? terminal : nullptr),
      messages_(messages) {
  if (terminal_) application_.set_listener([this](const std::string& status) { show(status); });
}

Progress::~Progress() {
  application_.set_listener(nullptr);
  clear();
}

void Progress::MsgBox(const Message& message) {
  clear();
  messages_.MsgBox(message);
}

void Progress::clear() {
  if (!shown_) return;
  std::fputs("\r\033[K", terminal_);
  std::fflush(terminal_);
  shown_ = false;
}

void Progress::show(const std::string& status) {
  const auto now = std::chrono::steady_clock::now();
  if (now - last_ < kInterval) return;
  last_ = now;
  shown_ = true;
  std::fprintf(terminal_, "\r\033[K%s", status.c_str());
  std::fflush(terminal_);
}

}  // namespace fenwarx::cli
