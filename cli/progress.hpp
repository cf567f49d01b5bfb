#pragma once
// The status bar of a long run, shown on a terminal: one line on standard error,
// rewritten in place a few times a second, cleared before a message box is shown
// and when the run ends. Nothing is written when standard error is not a
// terminal, so logs and pipes stay clean.
#include <chrono>
#include <cstdio>

#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/ui/ui.hpp"

namespace fenwarx::cli {

// A Ui in front of the one that shows the messages.
class Progress : public Ui {
 public:
  Progress(Application& application, std::FILE* terminal, Ui& messages);
  ~Progress() override;
  void MsgBox(const Message& message) override;
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

 private:
  void show(const std::string& status);
  void clear();

  Application& application_;
  std::FILE* terminal_;  // null when progress is not shown
  Ui& messages_;
  std::chrono::steady_clock::time_point last_{};
  bool shown_ = false;
};

}  // namespace fenwarx::cli
