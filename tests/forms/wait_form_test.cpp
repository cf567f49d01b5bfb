// The wait form: its controls as designed, the colour pass of its load with its
// exceptions, and what it carries while a walk runs.
#include "forms/wait_form.hpp"

#include <gtest/gtest.h>

#include "platform/values/colors.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx {
namespace {

constexpr std::uint32_t kPeach = 12183036;  // 252 + 229 * 256 + 185 * 65536
constexpr std::uint32_t kOwn = rgb(10, 20, 30);

TEST(WaitForm, LoadingFillsTheFormAndItsControlsButNotTheBar) {
  EXPECT_EQ(fill_color(), kPeach);
  WaitForm form;
  const std::uint32_t bar = *form.control("prgBar1").back_color;
  EXPECT_EQ(form.control("lblProses").caption, "Please wait...");
  EXPECT_EQ(form.control("cmdCancel").caption, "&Cancel");
  EXPECT_FALSE(form.control("cmdCancel").bold);
  EXPECT_NE(form.back_color(), kPeach);

  form.Load();
  EXPECT_EQ(form.back_color(), kPeach);
  EXPECT_EQ(form.control("cmdCancel").back_color, kPeach);
  EXPECT_TRUE(form.control("cmdCancel").bold);
  for (const char* label : {"lblField", "lblAngka", "lblProses"}) {
    EXPECT_EQ(form.control(label).back_color, kPeach) << label;
    EXPECT_FALSE(form.control(label).bold) << label;
  }
  EXPECT_EQ(form.control("prgBar1").back_color, bar);
  EXPECT_FALSE(form.control("prgBar1").bold);
  EXPECT_THROW(form.control("cmdOK"), RuntimeError);
}

TEST(WaitForm, TheColourPassSparesTheHelpLabelAndGoesOnPastARefusal) {
  std::vector<Control> controls{
      {.kind = ControlKind::Label, .name = "lblHelp", .caption = "", .back_color = kOwn},
      {.kind = ControlKind::Label, .name = "LBLHELP", .caption = "", .back_color = kOwn},
      // Only a label of that name is spared.
      {.kind = ControlKind::CommandButton, .name = "lblhelp", .caption = "", .back_color = kOwn},
      // Drawn without a background: it refuses the colour, the pass goes on.
      {.kind = ControlKind::Frame, .name = "fraBorder", .caption = "", .back_color = {}},
      {.kind = ControlKind::CheckBox, .name = "chkAll", .caption = "", .back_color = kOwn},
      {.kind = ControlKind::OptionButton, .name = "optOne", .caption = "", .back_color = kOwn},
      {.kind = ControlKind::ProgressBar, .name = "prgBar2", .caption = "", .back_color = kOwn},
  };
  color_controls(controls, kPeach);
  EXPECT_EQ(controls[0].back_color, kOwn);
  EXPECT_EQ(controls[1].back_color, kOwn);
  EXPECT_EQ(controls[2].back_color, kPeach);
  EXPECT_TRUE(controls[2].bold);
  EXPECT_EQ(controls[3].back_color, std::nullopt);
  EXPECT_EQ(controls[4].back_color, kPeach);
  EXPECT_EQ(controls[5].back_color, kPeach);
  EXPECT_FALSE(controls[5].bold);
  EXPECT_EQ(controls[6].back_color, kOwn);
}

TEST(WaitForm, ShowsTheSheetAndTheRowsDoneWithinTheRows) {
  WaitForm form;
  form.Load();
  form.Show("Deductee Details", 1200, 65534);
  EXPECT_EQ(form.control("lblField").caption, "Deductee Details");
  EXPECT_EQ(form.control("lblAngka").caption, "1200 of 65534 rows");
  EXPECT_EQ(form.bar_value(), 1200);
  EXPECT_EQ(form.bar_max(), 65534);
  // The row past the used range, where a walk finds its end, is no row more.
  form.Show("Challan Details", 8, 7);
  EXPECT_EQ(form.control("lblAngka").caption, "7 of 7 rows");
  EXPECT_EQ(form.bar_value(), 7);
  form.Show("Challan Details", 0, 0);
  EXPECT_EQ(form.control("lblAngka").caption, "0 of 0 rows");
}

}  // namespace
}  // namespace fenwarx
