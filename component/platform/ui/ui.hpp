#pragma once
// Message boxes, as the component shows them to the user. The CLI prints them;
// tests record them.
#include <string>
#include <utility>
#include <vector>

namespace fenwarx {

// Message box styles: the buttons and icon numbers the component uses.
namespace msg_style {
inline constexpr int kPlain = 0;         // OK only
inline constexpr int kCritical = 16;     // OK, critical icon
inline constexpr int kInformation = 64;  // OK, information icon
}  // namespace msg_style

struct Message {
  std::string text;
  std::string title;
  int style = msg_style::kPlain;
  friend bool operator==(const Message&, const Message&) = default;

  static Message plain(std::string text, std::string title = {}) {
    return {.text = std::move(text), .title = std::move(title), .style = msg_style::kPlain};
  }
  static Message information(std::string text, std::string title = {}) {
    return {.text = std::move(text), .title = std::move(title), .style = msg_style::kInformation};
  }
  static Message critical(std::string text, std::string title = {}) {
    return {.text = std::move(text), .title = std::move(title), .style = msg_style::kCritical};
  }
};

class Ui {
 public:
  virtual ~Ui() = default;
  // A modal message box with an OK button; returns when the user has seen it.
  virtual void MsgBox(const Message& message) = 0;
};

// Keeps every message, in order: for tests and for the CLI's --json.
class RecordingUi : public Ui {
 public:
  void MsgBox(const Message& message) override { messages.push_back(message); }
  std::vector<Message> messages;
};

}  // namespace fenwarx
