// One builder per kind, each calling the kind's creation operation with the
// parameters of the file, then showing what the file asks to show at start.
#include "panel/panel_file_build.h"

#include <string>

#include "instrument_panel/backgrounds.h"
#include "instrument_panel/buttons.h"
#include "instrument_panel/canvas.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/display.h"
#include "instrument_panel/frames.h"
#include "instrument_panel/gauge.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/instrument_values.h"
#include "instrument_panel/knobs.h"
#include "instrument_panel/leds.h"
#include "instrument_panel/text_panels.h"

namespace ip::panel {

namespace {

constexpr uint32_t kWindowStyle = 0xB0000;  // WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX
constexpr int32_t kCentred = -1;
constexpr uint32_t kNoClicks = 0;  // a canvas control without SS_NOTIFY: the mouse goes through it
const char* const kSwitchLabels = "OFF/ON";
const char* const kOn = "on";

using Builder = void (*)(Handle, const InstrumentDescription&);

int16_t Short(int32_t value) { return static_cast<int16_t>(value); }  // values are checked to fit

void BuildGauge(Handle dialog, const InstrumentDescription& d) {
  CreateGauge(dialog, d.id, d.x, d.y, d.width, d.height, d.Text("background"), d.Whole("frame-width"),
              d.Text("frame-colour"), d.Number("value"), Short(d.Whole("divisions")), d.Text("caption"),
              d.Colour("text-colour"), d.Text("style"), d.Text("fill-colour"), d.Whole("pattern"));
}

void BuildLabel(Handle dialog, const InstrumentDescription& d) {
  CreateGauge(dialog, d.id, d.x, d.y, d.width, d.height, d.Text("background"), d.Whole("frame-width"),
              d.Text("frame-colour"), 0, 0, d.Text("caption"), d.Colour("text-colour"), "", d.Text("fill-colour"),
              d.Whole("pattern"));
}

// A blackboard is a gauge whose font size is kept as its divisions; its text
// is written over the gauge's background.
void BuildBlackboard(Handle dialog, const InstrumentDescription& d) {
  CreateGauge(dialog, d.id, d.x, d.y, d.width, d.height, d.Text("background"), d.Whole("frame-width"),
              d.Text("frame-colour"), 0, Short(d.Whole("font-size")), "", d.Colour("text-colour"), d.Text("style"),
              d.Text("fill-colour"), d.Whole("pattern"));
  WriteBlackboard(dialog, d.id, d.Text("text"));
}

// A new lamp shows level 0 whatever its creator is given; a start level is
// shown after.
void BuildLamp(Handle dialog, const InstrumentDescription& d) {
  CreateLedLamp(dialog, d.id, d.x, d.y, d.width, d.height, d.Text("background"), d.Whole("frame-width"),
                d.Text("frame-colour"), d.Number("level"), d.Text("scheme"), d.Text("caption"),
                d.Colour("caption-colour"));
  if (d.Number("level") != 0) SetLedLampValue(dialog, d.id, d.Number("level"), "");
}

void BuildRoundLamp(Handle dialog, const InstrumentDescription& d) {
  CreateRoundLamp(dialog, d.id, d.x, d.y, d.width, d.height, "", d.Whole("frame-width"), "", d.Number("level"),
                  d.Text("scheme"), d.Text("caption"), d.Colour("caption-colour"));
  if (d.Number("level") != 0) SetRoundLampValue(dialog, d.id, d.Number("level"), "");
}

void BuildButton(Handle dialog, const InstrumentDescription& d) {
  CreateToggleButton(dialog, d.id, d.x, d.y, d.width, d.height, d.Text("background"), d.Whole("frame-width"),
                     d.Text("frame-colour"), d.Text("caption"), d.Colour("text-colour"), d.Text("fill-colour"),
                     d.Whole("off-pattern"), d.Whole("on-pattern"));
  if (d.Text("state") == kOn) SetButtonState(dialog, d.id, true, ToggleLabels(d));
}

void BuildSwitch(Handle dialog, const InstrumentDescription& d) {
  CreateInstrumentControl(dialog, d.id, d.x, d.y, d.width, d.height, d.Text("background"));
  if (d.Text("state") == kOn) SetButtonState(dialog, d.id, true, ToggleLabels(d));
}

void BuildKnob(Handle dialog, const InstrumentDescription& d) {
  CreateKnob(dialog, d.id, d.x, d.y, d.width, d.height, d.Text("background"), d.Whole("bezel"), d.Whole("ticks"),
             d.Whole("min-angle"), d.Whole("max-angle"), d.Whole("start-percent"));
}

void BuildDisplay(Handle dialog, const InstrumentDescription& d) {
  int32_t width = d.width;
  int32_t height = d.height;
  CreateDigitalDisplay(dialog, d.id, d.x, d.y, width, height, d.Text("background"), d.Whole("frame-width"),
                       d.Text("frame-colour"), d.Whole("char-size"), d.Colour("text-colour"), d.Text("style"),
                       d.Text("fill-colour"), d.Whole("pattern"));
  if (!d.Text("text").empty()) SetDisplayText(dialog, d.id, d.Text("text"));
}

// A text panel is painted whole by each call; it is shown from the start
// only when the file gives it a level, else at its first value.
void BuildTextPanel(Handle dialog, const InstrumentDescription& d) {
  CreateInstrumentControl(dialog, d.id, d.x, d.y, d.width, d.height, "");
  if (!d.Given("level")) return;
  ShowTextPanel(dialog, d.id, d.Whole("frame-width"), d.Number("level"), Short(d.Whole("grid-percent")),
                d.Text("text"), d.Whole("font-size"), d.Colour("text-colour"), d.Text("fill-colour"));
}

// A marquee shows its background until its first step.
void BuildMarquee(Handle dialog, const InstrumentDescription& d) {
  CreateInstrumentControl(dialog, d.id, d.x, d.y, d.width, d.height, d.Text("background"));
}

// A background is a canvas the mouse goes through: a frame round a pattern
// (or its bitmap, pattern 6), painted once.
void BuildBackground(Handle dialog, const InstrumentDescription& d) {
  AddCanvasControl(dialog, d.id, d.x, d.y, d.width, d.height, kNoClicks, 0, nullptr, "");
  if (!d.Text("background").empty()) LoadFaceBitmap(dialog, d.id, d.Text("background"));
  CanvasAttach(dialog, d.id, kAttachRedrawOnRequest);
  DrawBevelTopLeft(d.Whole("frame-width"), d.Text("frame-colour"));
  DrawBevelBottomRight(d.Whole("frame-width"), d.Text("frame-colour"));
  DrawPanelBackground(dialog, d.id, d.Whole("frame-width"), d.Text("fill-colour"), d.Whole("pattern"));
  CanvasRedraw();
}

Builder BuilderOf(FileKind kind) {
  switch (kind) {
    case FileKind::kGauge:
      return BuildGauge;
    case FileKind::kLamp:
      return BuildLamp;
    case FileKind::kRoundLamp:
      return BuildRoundLamp;
    case FileKind::kButton:
      return BuildButton;
    case FileKind::kSwitch:
      return BuildSwitch;
    case FileKind::kKnob:
      return BuildKnob;
    case FileKind::kDisplay:
      return BuildDisplay;
    case FileKind::kTextPanel:
      return BuildTextPanel;
    case FileKind::kMarquee:
      return BuildMarquee;
    case FileKind::kBlackboard:
      return BuildBlackboard;
    case FileKind::kLabel:
      return BuildLabel;
    case FileKind::kBackground:
      return BuildBackground;
  }
  return BuildBackground;
}

}  // namespace

Handle CreateDescribedWindow(const WindowDescription& window) {
  const Handle dialog = CreateDialogWindow(0, window.title, kCentred, kCentred, window.width, window.height,
                                           kWindowStyle, 0, kUnitsPixels);
  ApplyWindowColour(dialog, window);
  return dialog;
}

void ApplyWindowColour(Handle dialog, const WindowDescription& window) {
  SetWindowColors(dialog, kDialogItself, -1, window.background);
  SetInstrumentSurroundColor(dialog, window.background);
}

void BuildInstrument(Handle dialog, const InstrumentDescription& instrument) {
  BuilderOf(instrument.kind)(dialog, instrument);
}

std::string ToggleLabels(const InstrumentDescription& instrument) {
  return instrument.kind == FileKind::kSwitch ? kSwitchLabels : instrument.Text("toggle-labels");
}

}  // namespace ip::panel
