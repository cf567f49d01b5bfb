#include "forms/wait_form.hpp"

#include <algorithm>

#include "platform/values/ascii.hpp"
#include "platform/values/colors.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx {
namespace {

// The colours the controls are designed with: the window face, and the bar's own.
constexpr std::uint32_t kFace = rgb(240, 240, 240);
constexpr std::uint32_t kBarBack = rgb(255, 255, 255);

bool takes_fill(ControlKind kind) {
  switch (kind) {
    case ControlKind::Form:
    case ControlKind::Frame:
    case ControlKind::CheckBox:
    case ControlKind::CommandButton:
    case ControlKind::Label:
    case ControlKind::OptionButton: return true;
    case ControlKind::ProgressBar: break;
  }
  return false;
}

void set_back_color(Control& control, std::uint32_t color) {
  if (!control.back_color) throw RuntimeError(err::kNoSuchMember);
  control.back_color = color;
}

// The control of that name in `controls`, const or not.
template <class Controls>
auto& find(Controls& controls, std::string_view name) {
  const auto found = std::find_if(controls.begin(), controls.end(),
                                  [&](const Control& c) { return c.name == name; });
  if (found == controls.end())
    throw RuntimeError(err::kSubscript, std::string(error_text(err::kSubscript)) +
                                            ": the wait form has no control '" + std::string(name) +
                                            "'");
  return *found;
}

}  // namespace

void color_controls(std::vector<Control>& controls, std::uint32_t color) {
  for (Control& control : controls) {
    if (!takes_fill(control.kind)) continue;
    if (control.kind == ControlKind::Label && equal_ignoring_case(control.name, "lblHelp"))
      continue;
    try {
      set_back_color(control, color);
      if (control.kind == ControlKind::CommandButton) control.bold = true;
    } catch (const RuntimeError&) {
      // One control that will not take it does not keep the others plain.
    }
  }
}

WaitForm::WaitForm()
    : back_color_(kFace),
      // clang-format off
      controls_{
          {.kind = ControlKind::ProgressBar, .name = "prgBar1", .caption = "", .back_color = kBarBack},
          {.kind = ControlKind::Label, .name = "lblField", .caption = "", .back_color = kFace},
          {.kind = ControlKind::Label, .name = "lblAngka", .caption = "", .back_color = kFace},
          {.kind = ControlKind::Label, .name = "lblProses", .caption = "Please wait...", .back_color = kFace},
          {.kind = ControlKind::CommandButton, .name = "cmdCancel", .caption = "&Cancel", .back_color = kFace},
      } {}
// clang-format on

void WaitForm::Load() {
  back_color_ = fill_color();
  color_controls(controls_, fill_color());
}

void WaitForm::Show(std::string_view sheet, int done, int rows) {
  bar_max_ = std::max(rows, 0);
  bar_value_ = std::clamp(done, 0, bar_max_);
  named("lblField").caption = sheet;
  named("lblAngka").caption =
      std::to_string(bar_value_) + " of " + std::to_string(bar_max_) + " rows";
}

const Control& WaitForm::control(std::string_view name) const { return find(controls_, name); }

Control& WaitForm::named(std::string_view name) { return find(controls_, name); }

}  // namespace fenwarx
