// What a panel file may say: the kinds of instrument, the keys of each kind
// with their type, range and default, and the keys of the [window] table.
// The reader checks a file against these tables and the manual's page on
// panel files shows them (a test keeps the two the same).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "panel/panel_file.h"

namespace ip::panel {

enum class ValueType : uint8_t {
  kWhole,        // a whole number within [min, max]
  kNumber,       // a number (whole or not) within [min, max]
  kText,         // a text of at most maxBytes Windows-1252 bytes
  kLines,        // a text like kText whose line breaks are kept (as CR LF)
  kColourName,   // a colour key, its English name, "#RRGGBB" or "" (a family shaded by the instrument)
  kColourValue,  // one colour: "#RRGGBB", a colour key or its English name (its unshaded colour)
  kGaugeStyle,   // a level style of a gauge (not the caption box)
  kFrameStyle,   // any gauge style, "" included: decides a blackboard's frame
  kLampScheme,   // a lamp scheme, "" the default one
  kPattern,      // a background pattern: 0..6 or its English name
  kBitmap,       // "" or one bitmap file name
  kBitmaps,      // "", one bitmap file name, or "OFF file/ON file"
  kFacePair,     // "OFF file/ON file"
  kDrag,         // "none", "left" or "both"
  kOnOff,        // "on" or "off"
};

struct KeySpec {
  std::string_view name;
  ValueType type;
  // The default in the file's own notation ("2", "\"grigio\"", "\"#FFFFFF\"");
  // empty: the key has no default (required, or optional without one).
  std::string_view defaultValue;
  bool required = false;
  double min = 0;
  double max = 0;
  size_t maxBytes = 0;  // texts
  std::string_view meaning;
};

struct KindSpec {
  FileKind kind;
  std::string_view name;       // as written in a file: "round-lamp"
  std::string_view creator;    // the library's operation behind it
  std::vector<KeySpec> keys;   // beside the common ones (kind, id, x, y, width, height)
};

// The keys every instrument has: kind, id, x, y, width, height.
const std::vector<KeySpec>& CommonKeys();
// The keys of the [window] table.
const std::vector<KeySpec>& WindowKeys();
// Every kind, in the order of the manual.
const std::vector<KindSpec>& Kinds();
const KindSpec& KindOf(FileKind kind);
const KindSpec* FindKind(std::string_view name);
const KeySpec* FindKey(const std::vector<KeySpec>& keys, std::string_view name);

// The manual's table of a list of keys (Markdown): one row per key with its
// type and range, its default and what it means.
std::string KeyTable(const std::vector<KeySpec>& keys);

// The largest identifier an instrument may have (the instrument table's).
constexpr int64_t kMaxInstrumentId = 2000;
// The largest window a panel file may ask for.
constexpr int64_t kMaxWindowExtent = 4096;

}  // namespace ip::panel
