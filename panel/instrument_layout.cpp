// Lamps, displays, buttons, knobs and text panels on the panel: the group
// builders, the blackboard text, the timer work and the command table.
#include <array>
#include <cmath>
#include <string>

#include "instrument_panel/buttons.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/display.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/knobs.h"
#include "instrument_panel/leds.h"
#include "instrument_panel/numbers.h"
#include "instrument_panel/text_panels.h"
#include "instrument_panel/texts.h"
#include "panel/panel.h"
#include "panel/panel_parts.h"
#include "platform/rounding.h"

namespace ip::panel {

namespace {

constexpr int32_t kSingleDigits = 7;
constexpr int32_t kDoubleDigits = 15;

// Group 1: rectangular LED lamps in a column.
struct RectLampRow {
  int32_t id, y, frameWidth;
  const char* frameColor;
  float level;
  const char* scheme;
  const char* caption;
  ColorRef captionColor;
};
constexpr int32_t kRectLampX = 10, kRectLampWidth = 64, kRectLampHeight = 18;
constexpr std::array<RectLampRow, 10> kRectLamps{{
    {101, 10, 4, "rosso", 100, "semaforo", "1", 0x000000},
    {102, 32, 1, "verde", 90, "blu-bianco", "2", 0x00FF00},
    {103, 54, 2, "grigio", 80, "blu-scuro", "3", 0xFFFFFF},
    {104, 76, 3, "oro", 70, "blu", "4", 0x000000},
    {105, 98, 4, "", 60, "verdino", "5", 0x000000},
    {106, 120, 3, "pulsanterosso", 50, "rosso-giallo", "6", 0x000000},
    {107, 142, 2, "pulsanteverde", 40, "rosso", "7", 0x000000},
    {108, 164, 1, "pulsantegrigio", 30, "rosso", "8", 0x00FFFF},
    {109, 186, 5, "pulsanteoro", 20, "rosso-arancio", "9", 0x000000},
    {110, 208, 3, "", 100, "", "", 0x000000},
}};

// Group 2: round LED lamps beside them.
struct RoundLampRow {
  int32_t id, y, frameWidth;
  float level;
  const char* scheme;
  const char* caption;
  ColorRef captionColor;
};
constexpr int32_t kRoundLampX = 80, kRoundLampSize = 18;
constexpr ColorRef kPaleRed = 0x6464FA;  // red 250, green 100, blue 100
constexpr std::array<RoundLampRow, 10> kRoundLamps{{
    {201, 10, 0, 100, "semaforo", "1", 0x000000},
    {202, 32, 1, 100, "blu-bianco", "2", 0x00FF00},
    {203, 54, 2, 100, "blu-scuro", "3", 0xFFFFFF},
    {204, 76, 3, 100, "blu", "4", 0x000000},
    {205, 98, 2, 100, "verdino", "5", 0x000000},
    {206, 120, 1, 100, "rosso-giallo", "6", 0x000000},
    {207, 142, 2, 100, "rosso", "7", 0x000000},
    {208, 164, 3, 100, "rosso", "8", 0x00FFFF},
    {209, 186, 2, 100, "rosso-arancio", "9", 0x000000},
    {210, 208, 1, 10, "", "x", kPaleRed},
}};

// Group 4: digital displays.
struct DisplayRow {
  int32_t id, y, frameWidth;
  const char* frameColor;
  int32_t charSize;
  ColorRef textColor;
  const char* fillColor;
  int32_t pattern;
};
constexpr int32_t kDisplayX = 300, kDisplayWidth = 84, kDisplayHeight = 32;
constexpr std::array<DisplayRow, 3> kDisplays{{
    {408, 10, 5, "oro", 14, 0xFFFFFF, "grigio", 5},
    {409, 46, 3, "grigio", 16, 0x0000FF, "rosso", 0},
    {410, 82, 5, "verde", 13, 0x00FF00, "verde", 3},
}};

// Group 6: plain canvas controls.
constexpr int32_t kTextPanelCount = 3, kTextPanelFirst = 601, kTextPanelX = 400, kTextPanelTop = 10;
constexpr int32_t kTextPanelStep = 84, kPlainWidth = 120, kPlainHeight = 80;
constexpr int32_t kWoodSwitchId = 700, kWoodSwitchX = 530, kMarqueeId = 800, kMarqueeX = 660, kPlainTop = 10;
const char* const kWoodFaces = "legno2.bmp/legno1.bmp";
const char* const kMarqueePaper = "carta11.bmp";

// Group 7: toggle buttons and bitmap switches.
struct ButtonRow {
  int32_t id, x, y, width, height;
  const char* background;
  int32_t frameWidth;
  const char* frameColor;
  const char* caption;
  ColorRef textColor;
  const char* fillColor;
  int32_t offPattern, onPattern;
};
constexpr std::array<ButtonRow, 10> kButtons{{
    {901, 540, 110, 164, 22, "", 0, "rosso", "off/on", 0xFFFFFF, "rosso", 0, 1},
    {902, 540, 138, 164, 22, "", 1, "oro", "OFF/ON", 0x0000FF, "oro", 4, 2},
    {903, 540, 166, 164, 22, "", 2, "grigio", "N/S", 0xFF0000, "grigio", 4, 5},
    {904, 540, 194, 164, 22, "", 3, "oro", "0/1", 0x000000, "verde", 3, 5},
    {905, 540, 222, 164, 22, "", 4, "oro", "-/+", 0x000000, "oro", 2, 5},
    {906, 540, 250, 164, 22, "", 5, "verde", "OFFO/ONNO", 0xFFFFFF, "verde", 0, 4},
    {907, 540, 278, 164, 22, "", 5, "", "?", 0x000000, "", 0, 4},
    {908, 540, 306, 22, 22, "switch1.bmp/switch2.bmp", 5, "", "?", 0x000000, "", 0, 4},
    {909, 562, 306, 22, 22, "switch2.bmp/switch1.bmp", 5, "", "?", 0x000000, "", 0, 4},
    {910, 584, 306, 40, 40, "switch2.bmp/switch1.bmp", 5, "", "?", 0x000000, "", 0, 4},
}};

// Group 9: knobs.
struct KnobRow {
  int32_t id, x, y, size;
  const char* background;
  int32_t bezel, ticks, minAngle, maxAngle, startPercent;
};
constexpr std::array<KnobRow, 3> kKnobs{{
    {1401, 350, 270, 120, "", 12, 24, -151, 151, 25},
    {1402, 470, 270, 60, "fondo1.bmp", 4, 10, -171, 171, 90},
    {1403, 470, 334, 40, "", 0, 0, -91, 91, 50},
}};

const char* const kBlackboardText = "Zeffarino\r\nDolvini\r\n0000 Bruvano";
constexpr int32_t kBlackboardId = 1500;

// Timer 600: the lamps and the marquee.
constexpr float kPhaseStep = 10, kPhaseCycle = 100;
constexpr int32_t kFirstRectLamp = 101, kLastAnimatedRectLamp = 109;
constexpr int32_t kFirstRoundLamp = 201, kLastAnimatedRoundLamp = 209;
constexpr int32_t kMarqueeFrameWidth = 8, kMarqueePattern = 6, kMarqueeFontSize = 16;
const char* const kMarqueeFrameColor = "rosso";
constexpr ColorRef kMarqueeTextColor = 0xFF0000;

// Timer 610: two clocks and the seconds since midnight.
constexpr int32_t kFirstClockDisplay = 408, kSecondClockDisplay = 409, kSecondsDisplay = 410;

// Timer 620: the text panels, each with its own level.
struct TextPanelRow {
  int32_t id, frameWidth;
  int16_t gridPercent;
  int32_t fontSize;
  ColorRef textColor;
  const char* fillColor;
};
constexpr ColorRef kMint = 0x78F070;  // red 112, green 240, blue 120
constexpr int32_t kSteadyPanel = 601, kRandomPanel = 602, kSecondsPanel = 603;
constexpr std::array<TextPanelRow, 3> kTextPanels{{
    {kSteadyPanel, 1, 20, 18, 0xFFFFFF, "grigio"},
    {kRandomPanel, 10, 20, 12, kMint, "verde"},
    {kSecondsPanel, 6, 0, 12, kMint, ""},
}};
const char* const kTextPanelText = "lavagna";
constexpr float kSteadyPanelLevel = 8;
constexpr double kRandomPanelSpan = 80;

// Command table: the first row whose range holds the identifier toggles
// that control with its label pair (empty: the control's own caption).
struct CommandRow {
  int32_t first, last;
  const char* labels;
};
constexpr std::array<CommandRow, 5> kCommands{{
    {kWoodSwitchId, kWoodSwitchId, "OFF/ON"},
    {901, 905, "OFF/ON"},
    {906, 906, ""},
    {907, 907, "non attivo/attivo"},
    {908, 910, ""},
}};

// The level a text panel shows on this tick; each call draws its own random number.
float TextPanelLevel(int32_t id) {
  if (id == kRandomPanel) return static_cast<float>(kRandomPanelSpan * RandomNumber());
  if (id == kSecondsPanel) {
    const double seconds = CurrentSeconds();
    return static_cast<float>(seconds * RandomNumber() / 6 * 10);
  }
  return kSteadyPanelLevel;
}

}  // namespace

void BuildRectLampGroup() {
  for (const RectLampRow& row : kRectLamps) {
    CreateLedLamp(PanelHandle, row.id, kRectLampX, row.y, kRectLampWidth, kRectLampHeight, "", row.frameWidth,
                  row.frameColor, row.level, row.scheme, row.caption, row.captionColor);
  }
}

void BuildRoundLampGroup() {
  for (const RoundLampRow& row : kRoundLamps) {
    CreateRoundLamp(PanelHandle, row.id, kRoundLampX, row.y, kRoundLampSize, kRoundLampSize, "", row.frameWidth,
                    "", row.level, row.scheme, row.caption, row.captionColor);
  }
}

void BuildDisplayGroup() {
  for (const DisplayRow& row : kDisplays) {
    int32_t width = kDisplayWidth;
    int32_t height = kDisplayHeight;
    CreateDigitalDisplay(PanelHandle, row.id, kDisplayX, row.y, width, height, "", row.frameWidth, row.frameColor,
                         row.charSize, row.textColor, "", row.fillColor, row.pattern);
  }
}

void BuildTextPanelGroup() {
  for (int32_t k = 0; k < kTextPanelCount; ++k) {
    CreateInstrumentControl(PanelHandle, kTextPanelFirst + k, kTextPanelX, kTextPanelTop + kTextPanelStep * k,
                            kPlainWidth, kPlainHeight, "");
  }
  CreateInstrumentControl(PanelHandle, kWoodSwitchId, kWoodSwitchX, kPlainTop, kPlainWidth, kPlainHeight,
                          kWoodFaces);
  CreateInstrumentControl(PanelHandle, kMarqueeId, kMarqueeX, kPlainTop, kPlainWidth, kPlainHeight,
                          kMarqueePaper);
}

void BuildButtonGroup() {
  for (const ButtonRow& row : kButtons) {
    CreateToggleButton(PanelHandle, row.id, row.x, row.y, row.width, row.height, row.background, row.frameWidth,
                       row.frameColor, row.caption, row.textColor, row.fillColor, row.offPattern, row.onPattern);
  }
}

void BuildKnobGroup() {
  for (const KnobRow& row : kKnobs) {
    CreateKnob(PanelHandle, row.id, row.x, row.y, row.size, row.size, row.background, row.bezel, row.ticks,
               row.minAngle, row.maxAngle, row.startPercent);
  }
}

void WriteBlackboardText() { WriteBlackboard(PanelHandle, kBlackboardId, kBlackboardText); }

void AnimateLamps() {
  AnimationPhase = std::fmod(AnimationPhase + kPhaseStep, kPhaseCycle);
  const float rectLevel = kPhaseCycle - AnimationPhase;
  const std::string rectCaption = NumberToText(rectLevel, kSingleDigits);  // the same for every lamp
  for (int32_t id = kFirstRectLamp; id <= kLastAnimatedRectLamp; ++id) {
    SetLedLampValue(PanelHandle, id, rectLevel, rectCaption);
  }
  for (int32_t id = kFirstRoundLamp; id <= kLastAnimatedRoundLamp; ++id) {
    SetRoundLampValue(PanelHandle, id, AnimationPhase, "");
  }
  ScrollMarquee(PanelHandle, kMarqueeId, kMarqueeFrameWidth, kMarqueeFrameColor, "", kMarqueePattern, TimeText(),
                kMarqueeTextColor, kMarqueeFontSize);
}

void AnimateDisplays() {
  SetDisplayText(PanelHandle, kFirstClockDisplay, TimeText());
  SetDisplayText(PanelHandle, kSecondClockDisplay, TimeText());
  SetDisplayText(PanelHandle, kSecondsDisplay, NumberToText(SecondsSinceMidnight(), kDoubleDigits));
}

void AnimateTextPanels() {
  for (const TextPanelRow& row : kTextPanels) {
    const float level = TextPanelLevel(row.id);
    ShowTextPanel(PanelHandle, row.id, row.frameWidth, level, row.gridPercent, kTextPanelText, row.fontSize,
                  row.textColor, row.fillColor);
  }
}

void RunPanelCommand(int32_t id) {
  for (const CommandRow& row : kCommands) {
    if (id >= row.first && id <= row.last) {
      ToggleButton(PanelHandle, id, row.labels);
      return;
    }
  }
}

}  // namespace ip::panel
