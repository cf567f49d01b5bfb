#pragma once
// The wait form: a progress bar, three labels and a Cancel button, as a model the
// front end draws. Loading it gives the form and its controls the fill colour;
// while a walk runs it carries the sheet being walked, the rows done out of the
// rows, and the bar's value and maximum. Cancel's part is played by the front
// end's own stop (Ctrl-C on the command line).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fenwarx {

enum class ControlKind { Form, Frame, CheckBox, CommandButton, Label, OptionButton, ProgressBar };

struct Control {
  ControlKind kind;
  std::string name;
  std::string caption;
  // Its own background; none for a control drawn without one, which refuses a
  // colour (error 438).
  std::optional<std::uint32_t> back_color;
  bool bold = false;
};

// The colour pass of a form's load: every form, frame, check box, command button,
// label and option button gets `color`, a command button a bold font too; a label
// named lblHelp (in any case) keeps its own, and other kinds (a progress bar) are
// left alone. A control that refuses the colour is passed over.
void color_controls(std::vector<Control>& controls, std::uint32_t color);

class WaitForm {
 public:
  WaitForm();  // the controls as designed, before the form loads

  // The fill colour for the form, then the colour pass over its controls.
  void Load();
  // Where a walk stands: the sheet in lblField, "DONE of ROWS rows" in lblAngka,
  // the bar at `done` out of `rows` (done is held within the rows).
  void Show(std::string_view sheet, int done, int rows);

  std::uint32_t back_color() const noexcept { return back_color_; }
  const std::vector<Control>& controls() const noexcept { return controls_; }
  // The control of that name (as designed, exact); RuntimeError 9 when none.
  const Control& control(std::string_view name) const;
  int bar_value() const noexcept { return bar_value_; }
  int bar_max() const noexcept { return bar_max_; }

 private:
  Control& named(std::string_view name);

  std::uint32_t back_color_;
  std::vector<Control> controls_;
  int bar_value_ = 0;
  int bar_max_ = 100;
};

}  // namespace fenwarx
