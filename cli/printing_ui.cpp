#include "printing_ui.hpp"

#include <fmt/format.h>

namespace fenwarx::cli {
namespace {

// The icon is a bit field of the style; the buttons below it do not change the tag.
std::string_view tag_of(int style) {
  switch (style & 0x70) {
    case msg_style::kCritical: return "[critical]";
    case msg_style::kInformation: return "[info]";
    default: return "[message]";
  }
}

}  // namespace

std::string message_line(const Message& message) {
  if (message.title.empty()) return fmt::format("{} {}", tag_of(message.style), message.text);
  return fmt::format("{} {}: {}", tag_of(message.style), message.title, message.text);
}

void PrintingUi::MsgBox(const Message& message) {
  fmt::print(out_, "{}\n", message_line(message));
  // A box is seen before the run goes on: a later failure on stderr comes after it.
  std::fflush(out_);
}

}  // namespace fenwarx::cli
