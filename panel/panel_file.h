// A panel described by a file (TOML): a [window] table and one
// [[instrument]] table per control, each with its kind, identifier, place
// and the parameters of its kind by English names. Reading checks the whole
// file before anything is built: every error is reported as
// "FILE:LINE:COLUMN: reason", and a file with any error gives no panel.
//
// After reading, every parameter of an instrument's kind is present: given
// in the file or its default. Texts are Windows-1252 bytes, keys are the
// system's own (an English name becomes its Italian key), colour values are
// colour values and patterns numbers.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "instrument_panel/types.h"

namespace ip::panel {

enum class FileKind : uint8_t {
  kGauge,
  kLamp,
  kRoundLamp,
  kButton,
  kSwitch,
  kKnob,
  kDisplay,
  kTextPanel,
  kMarquee,
  kBlackboard,
  kLabel,
  kBackground,
};

// 1-based, as an editor shows them; 0 when unknown.
struct SourcePosition {
  int line = 0;
  int column = 0;
};

struct ParameterValue {
  double number = 0;   // whole numbers, numbers, colour values, patterns
  std::string text;    // texts, keys, bitmap names, choices
  bool given = false;  // written in the file (else the default, if the key has one)
  SourcePosition at;   // where the file gives it
};

struct InstrumentDescription {
  FileKind kind = FileKind::kGauge;
  int32_t id = 0;
  int32_t x = 0, y = 0, width = 0, height = 0;
  SourcePosition at;  // the instrument's table
  std::map<std::string, ParameterValue, std::less<>> parameters;

  // A parameter of the instrument's kind (every key of the kind is present).
  const ParameterValue& Parameter(std::string_view key) const;
  int32_t Whole(std::string_view key) const { return static_cast<int32_t>(Parameter(key).number); }
  float Number(std::string_view key) const { return static_cast<float>(Parameter(key).number); }
  ColorRef Colour(std::string_view key) const { return static_cast<ColorRef>(Parameter(key).number); }
  const std::string& Text(std::string_view key) const { return Parameter(key).text; }
  bool Given(std::string_view key) const { return Parameter(key).given; }
};

struct WindowDescription {
  std::string title = "Instrument panel";
  int32_t width = 800;
  int32_t height = 600;
  ColorRef background = 0x3C4E3C;  // red 60, green 78, blue 60
};

struct PanelDescription {
  std::string fileName;
  WindowDescription window;
  std::vector<InstrumentDescription> instruments;  // in the file's order

  // The instrument with that identifier, or nullptr.
  const InstrumentDescription* Find(int32_t id) const;
};

// Whether a bitmap file name can be found where the panel will look for it.
using BitmapFinder = std::function<bool(const std::string& name)>;

// The largest panel file read.
constexpr size_t kMaxPanelFileBytes = 4 * 1024 * 1024;

// Reads and checks the text of a panel file named `fileName` (the name the
// messages start with). False with `errors`: every error found, one a line,
// in the order of the file.
bool ParsePanelText(const std::string& fileName, std::string_view text, const BitmapFinder& bitmapExists,
                    PanelDescription& out, std::string& errors);
// Reads a panel file; bitmaps are looked for with ip::FindBitmapFile, so
// the bitmap search folders must be set first.
bool ReadPanelFile(const std::string& path, PanelDescription& out, std::string& errors);

}  // namespace ip::panel
