// Buttons and switches: state flips, lamp discs and frame widths per state,
// face patterns, label selection, bitmap faces and bad identifiers.
#include <gtest/gtest.h>

#include <utility>

#include "instrument_panel/backgrounds.h"
#include "instrument_panel/buttons.h"
#include "instrument_panel/colors.h"
#include "instrument_panel/frames.h"
#include "instruments/instrument_state.h"
#include "tests/canvas_probe.h"

using namespace ip;
using namespace ip::panel;

namespace {

using namespace probe;

constexpr int32_t kWidth = 164;
constexpr int32_t kHeight = 22;

class ButtonTest : public WidgetTest {
 protected:
  void MakeButton(int32_t id, const std::string& caption, int32_t offPattern = 4, int32_t onPattern = 5,
                  const std::string& background = "") {
    CreateToggleButton(dialog_, id, 540, 166, kWidth, kHeight, background, 2, "grigio", caption, 0xFF0000,
                       "grigio", offPattern, onPattern);
  }
  int32_t State(int32_t id) { return GetControlUserValue(GetControlHandle(dialog_, id), kSlotFaceState); }

  // True when columns [x0, x1) of the two canvases are identical.
  bool SameColumns(int32_t a, int32_t b, int x0, int x1) {
    for (int y = 0; y < kHeight; ++y) {
      for (int x = x0; x < x1; ++x) {
        if (PixelAt(dialog_, a, x, y) != PixelAt(dialog_, b, x, y)) return false;
      }
    }
    return true;
  }

  // A plain control painted with only the frame and face a button would draw.
  void MakeBareFace(int32_t id, int32_t frame, int32_t pattern) {
    CreateInstrumentControl(dialog_, id, 540, 400, kWidth, kHeight, "");
    CanvasAttach(dialog_, id, kAttachRedrawOnRequest);
    DrawBevelTopLeft(frame, "grigio");
    DrawBevelBottomRight(frame, "grigio");
    DrawPanelBackground(dialog_, id, frame, "grigio", pattern);
  }
};

// 164 x 22: u = round(255 / 22) = 12; discs of radius r = 5, 4, 3, 2 centred
// at (round(11 + r / 2), 11) in intensity 200 - 12 r: red when OFF, green
// when ON. The left bevel has 2 lines (shades 0, 128) when OFF and 3 (0, 85,
// 170) when ON.
TEST_F(ButtonTest, EachToggleFlipsTheStateTheLampColourAndTheFrameWidth) {
  MakeButton(903, "N/S");
  const std::pair<int, int> lamp[] = {{18, 140}, {16, 152}, {14, 164}, {13, 176}};
  for (int toggles = 0; toggles < 3; ++toggles) {
    SCOPED_TRACE(toggles);
    const bool on = toggles == 1;
    EXPECT_EQ(State(903), on ? 1 : 0);
    for (auto [x, v] : lamp) EXPECT_EQ(PixelAt(dialog_, 903, x, 11), on ? Rgb(0, v, 0) : Rgb(v, 0, 0)) << x;
    EXPECT_EQ(PixelAt(dialog_, 903, 0, 11), ColorFromName("grigio", 0));
    EXPECT_EQ(PixelAt(dialog_, 903, 1, 11), ColorFromName("grigio", on ? 85 : 128));
    if (on) {
      EXPECT_EQ(PixelAt(dialog_, 903, 2, 11), ColorFromName("grigio", 170));
    }
    ToggleButton(dialog_, 903, "OFF/ON");
  }
}

TEST_F(ButtonTest, OffFaceUsesPatternAndOnFaceUsesValue) {
  MakeButton(905, "", 2, 5);
  MakeBareFace(950, 2, 2);
  MakeBareFace(951, 3, 5);
  EXPECT_EQ(InstrumentAt(905)->value, 5.0f);
  EXPECT_EQ(InstrumentAt(905)->pattern, 2);
  EXPECT_TRUE(SameColumns(905, 950, 24, kWidth));  // no label: right of the lamp only frame and face
  ToggleButton(dialog_, 905, "");
  EXPECT_TRUE(SameColumns(905, 951, 24, kWidth));
  EXPECT_FALSE(SameColumns(905, 950, 24, kWidth));
}

TEST_F(ButtonTest, LabelPairChoosesTheTextOfTheNewState) {
  MakeButton(903, "N/S");
  MakeButton(904, "N/X");
  MakeButton(906, "Q/S");
  EXPECT_TRUE(SameColumns(903, 904, 0, kWidth));   // both show "N"
  EXPECT_FALSE(SameColumns(903, 906, 0, kWidth));  // "N" against "Q"
  ToggleButton(dialog_, 903, "");
  ToggleButton(dialog_, 904, "");
  ToggleButton(dialog_, 906, "");
  EXPECT_FALSE(SameColumns(903, 904, 0, kWidth));  // "S" against "X"
  EXPECT_TRUE(SameColumns(903, 906, 0, kWidth));   // both show "S"
}

TEST_F(ButtonTest, GivenLabelsReplaceTheCaptionWithoutChangingIt) {
  MakeButton(907, "?");
  MakeButton(908, "non attivo/attivo");
  ToggleButton(dialog_, 907, "non attivo/attivo");
  ToggleButton(dialog_, 908, "");
  EXPECT_TRUE(SameColumns(907, 908, 0, kWidth));  // "attivo"
  ToggleButton(dialog_, 907, "non attivo/attivo");
  ToggleButton(dialog_, 908, "");
  EXPECT_TRUE(SameColumns(907, 908, 0, kWidth));  // "non attivo"
  EXPECT_EQ(InstrumentAt(907)->caption.Read().substr(0, 2), "? ");
}

// "?" has no "/": shown when OFF, nothing when ON; an empty pair shows nothing.
TEST_F(ButtonTest, LabelsWithoutSeparatorOrTextShowOnlyWhatIsThere) {
  MakeButton(907, "?");
  MakeButton(906, "");
  MakeBareFace(950, 2, 4);
  MakeBareFace(951, 3, 5);
  EXPECT_FALSE(SameColumns(907, 950, 24, kWidth));
  EXPECT_TRUE(SameColumns(906, 950, 24, kWidth));
  ToggleButton(dialog_, 907, "");
  ToggleButton(dialog_, 906, "");
  EXPECT_TRUE(SameColumns(907, 951, 24, kWidth));
  EXPECT_TRUE(SameColumns(906, 951, 24, kWidth));
}

class BitmapSwitchTest : public ButtonTest {
 protected:
  void SetUp() override {
    ButtonTest::SetUp();
    SetBitmapSearchFolder(std::string(IP_SOURCE_DIR) + "/assets");
  }
  Handle Slot(int32_t id, int32_t slot) {
    return static_cast<Handle>(GetControlUserValue(GetControlHandle(dialog_, id), slot));
  }
};

TEST_F(BitmapSwitchTest, TwoFacesAreCopiedInTurn) {
  MakeButton(908, "?", 0, 4, "switch1.bmp/switch2.bmp");
  const Handle off = Slot(908, kSlotOffFace);
  const Handle on = Slot(908, kSlotOnFace);
  ASSERT_NE(off, 0u);
  ASSERT_NE(on, 0u);
  EXPECT_EQ(State(908), 0);
  EXPECT_EQ(CountDifferences(PictureOf(dialog_, 908), PictureOf(off, 0)), 0);
  ToggleButton(dialog_, 908, "OFF/ON");
  EXPECT_EQ(State(908), 1);
  EXPECT_EQ(CountDifferences(PictureOf(dialog_, 908), PictureOf(on, 0)), 0);
  EXPECT_NE(CountDifferences(PictureOf(off, 0), PictureOf(on, 0)), 0);
  ToggleButton(dialog_, 908, "");
  EXPECT_EQ(CountDifferences(PictureOf(dialog_, 908), PictureOf(off, 0)), 0);
}

TEST_F(BitmapSwitchTest, SingleBitmapIsTheOffFaceAndOnIsDrawn) {
  MakeButton(910, "", 0, 5, "carta11.bmp");
  const Handle off = Slot(910, kSlotOffFace);
  ASSERT_NE(off, 0u);
  EXPECT_EQ(Slot(910, kSlotOnFace), 0u);
  EXPECT_EQ(CountDifferences(PictureOf(dialog_, 910), PictureOf(off, 0)), 0);
  ToggleButton(dialog_, 910, "");
  EXPECT_EQ(PixelAt(dialog_, 910, 18, 11), Rgb(0, 140, 0));  // drawn ON face with its green lamp
  MakeBareFace(951, 3, 5);
  EXPECT_TRUE(SameColumns(910, 951, 24, kWidth));
}

TEST_F(ButtonTest, IdentifiersOutsideTheTableAreIgnored) {
  MakeButton(2001, "N/S");
  EXPECT_EQ(GetControlHandle(dialog_, 2001), 0u);
  ToggleButton(dialog_, 2001, "OFF/ON");
  ToggleButton(dialog_, -7, "");
  ToggleButton(dialog_, 1990, "");  // a record but no control: nothing to flip
  EXPECT_EQ(GetControlHandle(dialog_, 1990), 0u);
}

}  // namespace
