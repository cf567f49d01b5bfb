#pragma once
// The command line's message boxes: one line per box on standard output, in the
// order the component shows them.
#include <cstdio>
#include <string>

#include "platform/ui/ui.hpp"

namespace fenwarx::cli {

// "[info] TITLE: TEXT" (information icon), "[critical] ..." (critical icon),
// "[message] ..." otherwise; "[info] TEXT" when the title is empty.
std::string message_line(const Message& message);

class PrintingUi : public Ui {
 public:
  explicit PrintingUi(std::FILE* out) : out_(out) {}
  void MsgBox(const Message& message) override;

 private:
  std::FILE* out_;
};

}  // namespace fenwarx::cli
