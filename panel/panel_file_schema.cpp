// The tables of a panel file's kinds and keys.
#include "panel/panel_file_schema.h"

#include <stdexcept>

namespace ip::panel {

namespace {

constexpr double kMaxFrame = 1000;  // checked against the instrument's size as well
constexpr double kMaxFontPoints = 200;
constexpr double kMaxDivisions = 1000;
constexpr double kMaxTicks = 719;  // 720 and more would step by 0 degrees
constexpr double kMaxAngle = 180;
constexpr double kPercent = 100;
constexpr double kMinStepMs = 10;
constexpr double kMaxStepMs = 60000;
constexpr size_t kCaptionBytes = 20;  // the record's caption field
constexpr size_t kStyleBytes = 32;    // the record's style field
constexpr size_t kLineBytes = 200;
constexpr size_t kBoardBytes = 4000;
constexpr size_t kTitleBytes = 255;
constexpr double kMaxCoordinate = kMaxWindowExtent;

KeySpec Whole(std::string_view name, std::string_view def, double min, double max, std::string_view meaning) {
  return {name, ValueType::kWhole, def, false, min, max, 0, meaning};
}
KeySpec Number(std::string_view name, std::string_view def, double min, double max, std::string_view meaning) {
  return {name, ValueType::kNumber, def, false, min, max, 0, meaning};
}
KeySpec Text(std::string_view name, std::string_view def, size_t maxBytes, std::string_view meaning) {
  return {name, ValueType::kText, def, false, 0, 0, maxBytes, meaning};
}
KeySpec Of(std::string_view name, ValueType type, std::string_view def, std::string_view meaning) {
  return {name, type, def, false, 0, 0, 0, meaning};
}
KeySpec Required(KeySpec spec) {
  spec.required = true;
  return spec;
}

KeySpec FrameWidth(std::string_view def) {
  return Whole("frame-width", def, 0, kMaxFrame, "frame thickness in pixels (less than half the smaller side)");
}
KeySpec FrameColour(std::string_view def) {
  return Of("frame-colour", ValueType::kColourName, def, "colour family of the frame");
}
KeySpec FillColour(std::string_view def) {
  return Of("fill-colour", ValueType::kColourName, def, "colour family of the background");
}
KeySpec Pattern(std::string_view def) { return Of("pattern", ValueType::kPattern, def, "background pattern"); }
KeySpec Caption(std::string_view def) { return Text("caption", def, kCaptionBytes, "caption"); }
KeySpec TextColour(std::string_view def) { return Of("text-colour", ValueType::kColourValue, def, "text colour"); }
KeySpec Picture() { return Of("background", ValueType::kBitmap, "\"\"", "bitmap file shown under the instrument"); }
KeySpec FontSize(std::string_view def) { return Whole("font-size", def, 1, kMaxFontPoints, "font size in points"); }

std::vector<KindSpec> MakeKinds() {
  return {
      {FileKind::kGauge, "gauge", "CreateGauge",
       {Of("background", ValueType::kBitmaps, "\"\"", "bitmap file(s) under the gauge (pattern \"bitmap\" shows it)"),
        FrameWidth("2"), FrameColour("\"grigio\""), Number("value", "0", 0, kPercent, "level in percent"),
        Whole("divisions", "10", 0, kMaxDivisions, "scale divisions (segments of a \"vmeter\" style)"),
        Caption("\"\""), TextColour("\"#FFFFFF\""), Of("style", ValueType::kGaugeStyle, "\"ori_blurosso\"", "level style"),
        FillColour("\"grigio\""), Pattern("0"),
        Of("drag", ValueType::kDrag, "\"none\"", "which mouse buttons drag the level")}},
      {FileKind::kLamp, "lamp", "CreateLedLamp",
       {Of("background", ValueType::kBitmaps, "\"\"", "bitmap file(s) under the lamp"), FrameWidth("2"),
        FrameColour("\"grigio\""), Number("level", "0", 0, kPercent, "level shown at start"),
        Of("scheme", ValueType::kLampScheme, "\"\"", "lamp scheme"), Caption("\"\""),
        Of("caption-colour", ValueType::kColourValue, "\"#000000\"", "caption colour")}},
      {FileKind::kRoundLamp, "round-lamp", "CreateRoundLamp",
       {Whole("frame-width", "1", 0, kMaxFrame, "bezel rings minus one (less than half the smaller side)"),
        Number("level", "0", 0, kPercent, "level shown at start"),
        Of("scheme", ValueType::kLampScheme, "\"\"", "lamp scheme"), Caption("\"\""),
        Of("caption-colour", ValueType::kColourValue, "\"#000000\"", "caption colour")}},
      {FileKind::kButton, "button", "CreateToggleButton",
       {Of("background", ValueType::kBitmaps, "\"\"", "\"OFF file/ON file\": bitmap faces instead of a drawn face"),
        FrameWidth("2"), FrameColour("\"grigio\""), Text("caption", "\"OFF/ON\"", kCaptionBytes, "label pair \"OFF label/ON label\""),
        TextColour("\"#000000\""), FillColour("\"grigio\""),
        Of("off-pattern", ValueType::kPattern, "0", "face pattern when OFF"),
        Of("on-pattern", ValueType::kPattern, "4", "face pattern when ON"),
        Text("toggle-labels", "\"\"", kLineBytes, "labels shown by a click or a fed state (\"\": the caption)"),
        Of("state", ValueType::kOnOff, "\"off\"", "state at start")}},
      {FileKind::kSwitch, "switch", "CreateInstrumentControl",
       {Required(Of("background", ValueType::kFacePair, "", "\"OFF file/ON file\": the two faces")),
        Of("state", ValueType::kOnOff, "\"off\"", "state at start")}},
      {FileKind::kKnob, "knob", "CreateKnob",
       {Picture(), Whole("bezel", "4", 0, kMaxFrame, "width of the outer ring in pixels"),
        Whole("ticks", "10", 0, kMaxTicks, "tick marks round the knob"),
        Whole("min-angle", "-135", -kMaxAngle, kMaxAngle, "angle of 0 %, degrees clockwise from 12 o'clock"),
        Whole("max-angle", "135", -kMaxAngle, kMaxAngle, "angle of 100 % (above min-angle)"),
        Whole("start-percent", "0", 0, kPercent, "position at start")}},
      {FileKind::kDisplay, "display", "CreateDigitalDisplay",
       {Picture(), FrameWidth("3"), FrameColour("\"grigio\""),
        Whole("char-size", "14", 0, kMaxFontPoints, "character size (font points = char-size / 1.2)"),
        TextColour("\"#00FF00\""), Text("style", "\"\"", kStyleBytes, "kept with the display, not drawn"),
        Of("fill-colour", ValueType::kColourName, "\"\"",
           "colour family of the background; \"\" a sunken frame and, with pattern 3, a green ramp"),
        Pattern("3"), Text("text", "\"\"", kLineBytes, "text shown at start")}},
      {FileKind::kTextPanel, "text-panel", "ShowTextPanel",
       {FrameWidth("1"), Number("level", "", 0, kPercent, "level of the bars; the panel is shown from the start only with one"),
        Whole("grid-percent", "0", 0, kPercent, "grid cell size in percent of the height (0, 1: no grid)"),
        Text("text", "\"\"", kLineBytes, "text"), FontSize("12"), TextColour("\"#FFFFFF\""), FillColour("\"grigio\"")}},
      {FileKind::kMarquee, "marquee", "ScrollMarquee",
       {Picture(), FrameWidth("4"), FrameColour("\"rosso\""), FillColour("\"grigio\""), Pattern("0"),
        Text("text", "\"\"", kLineBytes, "text that slides down"), TextColour("\"#0000FF\""), FontSize("16"),
        Whole("step-ms", "100", kMinStepMs, kMaxStepMs, "milliseconds between steps of one pixel")}},
      {FileKind::kBlackboard, "blackboard", "CreateGauge, WriteBlackboard",
       {Picture(), FrameWidth("4"), FrameColour("\"oro\""), FontSize("12"), TextColour("\"#FFFF00\""),
        Of("style", ValueType::kFrameStyle, "\"ver_blurosso\"", "\"\" (caption box) a box frame, any other style a bevel"),
        FillColour("\"grigio\""), Pattern("2"),
        {"text", ValueType::kLines, "\"\"", false, 0, 0, kBoardBytes, "lines of text"}}},
      {FileKind::kLabel, "label", "CreateGauge",
       {Picture(), FrameWidth("2"), FrameColour("\"verde\""), Caption("\"\""), TextColour("\"#FFFFFF\""),
        FillColour("\"verde\""), Pattern("0")}},
      {FileKind::kBackground, "background", "CreateInstrumentControl",
       {Picture(), FrameWidth("0"), FrameColour("\"grigio\""), FillColour("\"grigio\""), Pattern("3")}},
  };
}

std::string WholeText(double value) { return std::to_string(static_cast<int64_t>(value)); }

std::string TypeText(const KeySpec& key) {
  switch (key.type) {
    case ValueType::kWhole:
      return "whole number " + WholeText(key.min) + " to " + WholeText(key.max);
    case ValueType::kNumber:
      return "number " + WholeText(key.min) + " to " + WholeText(key.max);
    case ValueType::kText:
      return key.maxBytes != 0 ? "text, at most " + std::to_string(key.maxBytes) + " characters" : "text";
    case ValueType::kLines:
      return "text of lines, at most " + std::to_string(key.maxBytes) + " characters";
    case ValueType::kColourName:
      return "colour name";
    case ValueType::kColourValue:
      return "colour";
    case ValueType::kGaugeStyle:
      return "gauge style";
    case ValueType::kFrameStyle:
      return "gauge style or `\"\"`";
    case ValueType::kLampScheme:
      return "lamp scheme";
    case ValueType::kPattern:
      return "pattern";
    case ValueType::kBitmap:
      return "bitmap file";
    case ValueType::kBitmaps:
      return "bitmap file or pair";
    case ValueType::kFacePair:
      return "bitmap pair";
    case ValueType::kDrag:
      return "`\"none\"`, `\"left\"` or `\"both\"`";
    case ValueType::kOnOff:
      return "`\"on\"` or `\"off\"`";
  }
  return "";
}

std::string DefaultText(const KeySpec& key) {
  if (key.required) return "required";
  if (key.defaultValue.empty()) return "none";
  return "`" + std::string(key.defaultValue) + "`";
}

}  // namespace

std::string KeyTable(const std::vector<KeySpec>& keys) {
  std::string table = "| key | value | default | meaning |\n|---|---|---|---|\n";
  for (const KeySpec& key : keys) {
    table += "| `" + std::string(key.name) + "` | " + TypeText(key) + " | " + DefaultText(key) + " | " +
             std::string(key.meaning) + " |\n";
  }
  return table;
}

const std::vector<KeySpec>& CommonKeys() {
  static const std::vector<KeySpec> keys{
      Required(Of("kind", ValueType::kText, "", "the kind of instrument")),
      Required(Whole("id", "", 1, kMaxInstrumentId, "identifier, unique in the panel")),
      Required(Whole("x", "", 0, kMaxCoordinate, "left edge in the window, pixels")),
      Required(Whole("y", "", 0, kMaxCoordinate, "top edge in the window, pixels")),
      Required(Whole("width", "", 1, kMaxCoordinate, "width in pixels")),
      Required(Whole("height", "", 1, kMaxCoordinate, "height in pixels")),
  };
  return keys;
}

const std::vector<KeySpec>& WindowKeys() {
  static const std::vector<KeySpec> keys{
      Text("title", "\"Instrument panel\"", kTitleBytes, "window title"),
      Whole("width", "800", 1, kMaxWindowExtent, "client area width in pixels"),
      Whole("height", "600", 1, kMaxWindowExtent, "client area height in pixels"),
      Of("background", ValueType::kColourValue, "\"#3C4E3C\"", "window colour"),
  };
  return keys;
}

const std::vector<KindSpec>& Kinds() {
  static const std::vector<KindSpec> kinds = MakeKinds();
  return kinds;
}

const KindSpec& KindOf(FileKind kind) {
  for (const KindSpec& spec : Kinds()) {
    if (spec.kind == kind) return spec;
  }
  throw std::logic_error("a kind without its table");
}

const KindSpec* FindKind(std::string_view name) {
  for (const KindSpec& spec : Kinds()) {
    if (spec.name == name) return &spec;
  }
  return nullptr;
}

const KeySpec* FindKey(const std::vector<KeySpec>& keys, std::string_view name) {
  for (const KeySpec& key : keys) {
    if (key.name == name) return &key;
  }
  return nullptr;
}

}  // namespace ip::panel
