// Reading a panel file: TOML parsed by toml++, then every table, key and
// value checked against the tables of panel_file_schema, then the checks
// that take several values together (place in the window, frame against
// size, identifiers used twice, instruments on top of each other). Every
// error is collected with its place; the file gives a panel only when there
// is none.
#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>

#include <toml++/toml.h>

#include "host/terminal_text.h"
#include "host/terminal_text.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/keys.h"
#include "panel/panel_file.h"
#include "panel/panel_file_schema.h"
#include "panel/panel_file_values.h"
#include "platform/file_access.h"

namespace ip::panel {

namespace {

const char* const kWindowTable = "window";
const char* const kInstrumentArray = "instrument";
const char* const kKindKey = "kind";
constexpr char kFaceSeparator = '/';
constexpr size_t kMaxBitmapNameBytes = 255;
constexpr size_t kMaxErrors = 50;

SourcePosition PositionOf(const toml::source_region& region) {
  return {static_cast<int>(region.begin.line), static_cast<int>(region.begin.column)};
}

bool Before(const SourcePosition& a, const SourcePosition& b) {
  return a.line != b.line ? a.line < b.line : a.column < b.column;
}

// The errors of one file, each with its place, reported in the file's order.
class ErrorList {
 public:
  explicit ErrorList(const std::string& fileName) : fileName_(PrintableText(fileName)) {}

  void Add(SourcePosition at, std::string reason) { errors_.push_back({at, std::move(reason)}); }
  bool Empty() const { return errors_.empty(); }
  size_t Count() const { return errors_.size(); }

  std::string Text() {
    std::stable_sort(errors_.begin(), errors_.end(), [](const auto& a, const auto& b) { return Before(a.at, b.at); });
    std::string text;
    const size_t shown = std::min(errors_.size(), kMaxErrors);
    for (size_t i = 0; i < shown; ++i) {
      text += fileName_ + ":" + std::to_string(errors_[i].at.line) + ":" + std::to_string(errors_[i].at.column) + ": " +
              errors_[i].reason + "\n";
    }
    if (errors_.size() > shown) {
      text += fileName_ + ": " + std::to_string(errors_.size() - shown) + " more errors\n";
    }
    return text;
  }

 private:
  struct Entry {
    SourcePosition at;
    std::string reason;
  };
  std::string fileName_;
  std::vector<Entry> errors_;
};

std::string TypeName(const toml::node& node) {
  switch (node.type()) {
    case toml::node_type::string:
      return "a text";
    case toml::node_type::integer:
      return "a whole number";
    case toml::node_type::floating_point:
      return "a number";
    case toml::node_type::boolean:
      return "true or false";
    case toml::node_type::array:
      return "an array";
    case toml::node_type::table:
      return "a table";
    default:
      return "a date or time";
  }
}

std::string NumberText(double value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

std::string RangeText(const KeySpec& key) { return NumberText(key.min) + " to " + NumberText(key.max); }

// A word of the file in a message, quoted (and escaped where it is not plain text).
std::string Quote(std::string_view text) { return "'" + PrintableText(text) + "'"; }

// Reads one value of a key; false with the reason when it is not a value of
// the key's type and range.
class ValueReader {
 public:
  explicit ValueReader(const BitmapFinder& bitmapExists) : bitmapExists_(bitmapExists) {}

  bool Read(const KeySpec& key, const toml::node& node, ParameterValue& out, std::string& reason) const {
    switch (key.type) {
      case ValueType::kWhole:
        return ReadWhole(key, node, out, reason);
      case ValueType::kNumber:
        return ReadNumber(key, node, out, reason);
      case ValueType::kPattern:
        return ReadPattern(key, node, out, reason);
      default:
        break;
    }
    const std::optional<std::string_view> word = node.value<std::string_view>();
    if (!word) {
      reason = Quote(key.name) + " must be a text, not " + TypeName(node);
      return false;
    }
    return ReadWord(key, *word, out, reason);
  }

 private:
  bool ReadWhole(const KeySpec& key, const toml::node& node, ParameterValue& out, std::string& reason) const {
    const std::optional<int64_t> value = node.value_exact<int64_t>();
    if (!value || *value < key.min || *value > key.max) {
      reason = Quote(key.name) + " must be a whole number from " + RangeText(key) + ", not " + Shown(node);
      return false;
    }
    out.number = static_cast<double>(*value);
    return true;
  }

  bool ReadNumber(const KeySpec& key, const toml::node& node, ParameterValue& out, std::string& reason) const {
    const std::optional<double> value = node.is_number() ? node.value<double>() : std::nullopt;
    if (!value || !std::isfinite(*value) || *value < key.min || *value > key.max) {
      reason = Quote(key.name) + " must be a number from " + RangeText(key) + ", not " + Shown(node);
      return false;
    }
    out.number = *value;
    return true;
  }

  bool ReadPattern(const KeySpec& key, const toml::node& node, ParameterValue& out, std::string& reason) const {
    if (const std::optional<int64_t> number = node.value_exact<int64_t>()) {
      if (*number >= 0 && *number < static_cast<int64_t>(kPatterns.size())) {
        out.number = static_cast<double>(*number);
        return true;
      }
    } else if (const std::optional<std::string_view> word = node.value<std::string_view>()) {
      if (const std::optional<int> found = PatternNumber(*word)) {
        out.number = *found;
        out.text = std::string(*word);
        return true;
      }
      reason = "unknown pattern " + Quote(*word) + DidYouMean(*word, PatternCandidates());
      return false;
    }
    reason = Quote(key.name) + " must be a pattern 0 to 6 or its name, not " + Shown(node);
    return false;
  }

  bool ReadWord(const KeySpec& key, std::string_view word, ParameterValue& out, std::string& reason) const {
    switch (key.type) {
      case ValueType::kText:
      case ValueType::kLines:
        return ReadText(key, word, out, reason);
      case ValueType::kColourName:
        if (!word.empty() && word.front() == '#' && !HexColour(word)) {
          reason = Quote(word) + " is not a colour \"#RRGGBB\" of six hexadecimal digits";
          return false;
        }
        return Resolved(ColourNameKey(word), "colour", word, ColourCandidates(), out.text, reason);
      case ValueType::kColourValue:
        return ReadColourValue(word, out, reason);
      case ValueType::kGaugeStyle:
      case ValueType::kFrameStyle: {
        const bool captionBox = key.type == ValueType::kFrameStyle;
        return Resolved(GaugeStyleKey(word, captionBox), "gauge style", word, GaugeStyleCandidates(captionBox),
                        out.text, reason);
      }
      case ValueType::kLampScheme:
        return Resolved(LampSchemeKey(word), "lamp scheme", word, LampSchemeCandidates(), out.text, reason);
      case ValueType::kBitmap:
      case ValueType::kBitmaps:
      case ValueType::kFacePair:
        return ReadBitmaps(key, word, out, reason);
      case ValueType::kDrag:
        return Choice(key, word, {"none", "left", "both"}, out, reason);
      case ValueType::kOnOff:
        return Choice(key, word, {"off", "on"}, out, reason);
      default:
        throw std::logic_error("a key type without a reader");
    }
  }

  static bool ReadText(const KeySpec& key, std::string_view word, ParameterValue& out, std::string& reason) {
    std::optional<std::string> bytes = ToWindows1252(word, key.type == ValueType::kLines, reason);
    if (!bytes) return false;
    if (key.maxBytes != 0 && bytes->size() > key.maxBytes) {
      reason = Quote(key.name) + " is " + std::to_string(bytes->size()) + " characters long; it holds at most " +
               std::to_string(key.maxBytes);
      return false;
    }
    out.text = std::move(*bytes);
    return true;
  }

  static bool ReadColourValue(std::string_view word, ParameterValue& out, std::string& reason) {
    const std::optional<ColorRef> colour = ColourValue(word);
    if (!colour && !word.empty() && word.front() == '#') {
      reason = Quote(word) + " is not a colour \"#RRGGBB\" of six hexadecimal digits";
      return false;
    }
    if (!colour) {
      reason = "unknown colour " + Quote(word) + ": use \"#RRGGBB\" or a colour name" +
               DidYouMean(word, ColourCandidates());
      return false;
    }
    out.number = *colour;
    out.text = std::string(word);
    return true;
  }

  static bool Resolved(const std::optional<std::string>& key, const char* what, std::string_view word,
                       const std::vector<std::string_view>& candidates, std::string& out, std::string& reason) {
    if (key) {
      out = *key;
      return true;
    }
    reason = std::string("unknown ") + what + " " + Quote(word) + DidYouMean(word, candidates);
    return false;
  }

  static bool Choice(const KeySpec& key, std::string_view word, const std::vector<std::string_view>& choices,
                     ParameterValue& out, std::string& reason) {
    if (std::find(choices.begin(), choices.end(), word) != choices.end()) {
      out.text = std::string(word);
      return true;
    }
    std::string list;
    for (std::string_view choice : choices) list += (list.empty() ? "" : ", ") + Quote(choice);
    reason = Quote(key.name) + " must be one of " + list + ", not " + Quote(word) + DidYouMean(word, choices);
    return false;
  }

  bool ReadBitmaps(const KeySpec& key, std::string_view word, ParameterValue& out, std::string& reason) const {
    const size_t separator = word.find(kFaceSeparator);
    const bool pair = separator != std::string_view::npos;
    if (key.type == ValueType::kFacePair && !pair) {
      reason = Quote(key.name) + " must name two bitmap files, \"OFF file/ON file\"";
      return false;
    }
    if (key.type == ValueType::kBitmap && pair) {
      reason = Quote(key.name) + " names one bitmap file; '/' is not part of a name";
      return false;
    }
    if (word.empty() && key.type != ValueType::kFacePair) return true;
    const std::vector<std::string_view> names =
        pair ? std::vector<std::string_view>{word.substr(0, separator), word.substr(separator + 1)}
             : std::vector<std::string_view>{word};
    for (std::string_view name : names) {
      if (!CheckBitmapName(key, name, reason)) return false;
    }
    out.text = std::string(word);
    return true;
  }

  bool CheckBitmapName(const KeySpec& key, std::string_view name, std::string& reason) const {
    if (name.empty() || name.find_first_not_of(' ') == std::string_view::npos) {
      reason = Quote(key.name) + " names an empty bitmap file";
      return false;
    }
    if (name.size() > kMaxBitmapNameBytes || name.find(kFaceSeparator) != std::string_view::npos ||
        name.find('\0') != std::string_view::npos) {
      reason = "'" + std::string(name.substr(0, kMaxBitmapNameBytes)) + "' is not a bitmap file name";
      return false;
    }
    if (!bitmapExists_(std::string(name))) {
      reason = "no bitmap file " + Quote(name) + " in the working directory or the panel's folders";
      return false;
    }
    return true;
  }

  static std::string Shown(const toml::node& node) {
    if (const std::optional<int64_t> whole = node.value_exact<int64_t>()) return std::to_string(*whole);
    if (node.is_floating_point()) return NumberText(*node.value<double>());
    if (const std::optional<std::string_view> word = node.value<std::string_view>()) return Quote(*word);
    return TypeName(node);
  }

  const BitmapFinder& bitmapExists_;
};

// The defaults of every key, read once from their notation in the tables.
// They are remembered by what decides them, not by the key's address: the
// keys of an instrument are read from a list put together for it.
const ParameterValue& DefaultOf(const KeySpec& key) {
  using DefaultId = std::tuple<ValueType, std::string, std::string>;
  static std::map<DefaultId, ParameterValue> defaults;
  const DefaultId id{key.type, std::string(key.name), std::string(key.defaultValue)};
  auto it = defaults.find(id);
  if (it != defaults.end()) return it->second;
  ParameterValue value;
  if (!key.defaultValue.empty()) {
    const toml::table parsed = toml::parse("v = " + std::string(key.defaultValue));
    const BitmapFinder anything = [](const std::string&) { return true; };
    std::string reason;
    if (!ValueReader(anything).Read(key, *parsed.get("v"), value, reason)) {
      throw std::logic_error("the default of " + std::string(key.name) + " is wrong: " + reason);
    }
  }
  return defaults.emplace(id, value).first->second;
}

struct Box {
  int64_t left, top, right, bottom;
  bool Overlaps(const Box& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
};

Box BoxOf(const InstrumentDescription& d) {
  return {d.x, d.y, int64_t{d.x} + d.width, int64_t{d.y} + d.height};
}

class PanelReader {
 public:
  PanelReader(const std::string& fileName, const BitmapFinder& bitmapExists)
      : fileName_(fileName), errors_(fileName), values_(bitmapExists) {}

  bool Read(std::string_view text, PanelDescription& out, std::string& errorText) {
    PanelDescription panel;
    panel.fileName = fileName();
    try {
      const toml::table root = toml::parse(text);
      ReadRoot(root, panel);
    } catch (const toml::parse_error& error) {
      errors_.Add(PositionOf(error.source()), PrintableText(error.description()));
    }
    if (errors_.Empty()) CheckAcrossInstruments(panel);
    if (!errors_.Empty()) {
      errorText = errors_.Text();
      return false;
    }
    out = std::move(panel);
    return true;
  }

 private:
  const std::string& fileName() const { return fileName_; }

  void ReadRoot(const toml::table& root, PanelDescription& panel) {
    for (const auto& [key, node] : root) {
      if (key.str() == kWindowTable) {
        if (const toml::table* table = node.as_table()) {
          ReadWindow(*table, panel.window);
        } else {
          errors_.Add(PositionOf(node.source()), "'window' must be a table, [window]");
        }
      } else if (key.str() == kInstrumentArray) {
        ReadInstruments(node, panel);
      } else {
        errors_.Add(PositionOf(key.source()), "unknown table " + Quote(key.str()) +
                                                  DidYouMean(key.str(), {kWindowTable, kInstrumentArray}));
      }
    }
  }

  void ReadWindow(const toml::table& table, WindowDescription& window) {
    std::map<std::string, ParameterValue, std::less<>> values;
    ReadKeys(table, WindowKeys(), "the window", values);
    for (const KeySpec& key : WindowKeys()) {
      if (!values.count(key.name)) values[std::string(key.name)] = DefaultOf(key);
    }
    window.title = values["title"].text;
    window.width = static_cast<int32_t>(values["width"].number);
    window.height = static_cast<int32_t>(values["height"].number);
    window.background = static_cast<ColorRef>(values["background"].number);
  }

  void ReadInstruments(const toml::node& node, PanelDescription& panel) {
    const toml::array* array = node.as_array();
    if (array == nullptr || !array->is_array_of_tables()) {
      errors_.Add(PositionOf(node.source()), "'instrument' must be tables, each under [[instrument]]");
      return;
    }
    for (const toml::node& element : *array) {
      InstrumentDescription instrument;
      if (ReadInstrument(*element.as_table(), instrument)) panel.instruments.push_back(std::move(instrument));
    }
  }

  // False when the instrument has an error (it is then left out of the panel).
  bool ReadInstrument(const toml::table& table, InstrumentDescription& out) {
    const size_t errorsBefore = errors_.Count();
    out.at = PositionOf(table.source());
    const KindSpec* kind = ReadKind(table, out.at);
    if (kind == nullptr) return false;
    out.kind = kind->kind;
    std::vector<KeySpec> keys = CommonKeys();
    keys.insert(keys.end(), kind->keys.begin(), kind->keys.end());
    ReadKeys(table, keys, "a " + std::string(kind->name), out.parameters);
    for (const KeySpec& key : keys) {
      if (out.parameters.count(key.name) || table.contains(key.name)) continue;  // a wrong value is reported already
      if (key.required) {
        errors_.Add(out.at, "a " + std::string(kind->name) + " needs " + Quote(key.name));
      } else {
        out.parameters[std::string(key.name)] = DefaultOf(key);
      }
    }
    if (errors_.Count() != errorsBefore) return false;
    out.id = out.Whole("id");
    out.x = out.Whole("x");
    out.y = out.Whole("y");
    out.width = out.Whole("width");
    out.height = out.Whole("height");
    CheckWithinItself(out);
    return errors_.Count() == errorsBefore;
  }

  const KindSpec* ReadKind(const toml::table& table, SourcePosition at) {
    const toml::node* node = table.get(kKindKey);
    if (node == nullptr) {
      errors_.Add(at, "an instrument needs 'kind'");
      return nullptr;
    }
    const std::optional<std::string_view> name = node->value<std::string_view>();
    if (!name) {
      errors_.Add(PositionOf(node->source()), "'kind' must be a text, not " + TypeName(*node));
      return nullptr;
    }
    const KindSpec* kind = FindKind(*name);
    if (kind == nullptr) {
      std::vector<std::string_view> names;
      for (const KindSpec& spec : Kinds()) names.push_back(spec.name);
      errors_.Add(PositionOf(node->source()), "unknown kind " + Quote(*name) + DidYouMean(*name, names));
    }
    return kind;
  }

  void ReadKeys(const toml::table& table, const std::vector<KeySpec>& keys, const std::string& owner,
                std::map<std::string, ParameterValue, std::less<>>& out) {
    std::vector<std::string_view> names;
    for (const KeySpec& key : keys) names.push_back(key.name);
    for (const auto& [key, node] : table) {
      const KeySpec* spec = FindKey(keys, key.str());
      if (spec == nullptr) {
        errors_.Add(PositionOf(key.source()), "unknown key " + Quote(key.str()) + " for " + owner +
                                                  DidYouMean(key.str(), names));
        continue;
      }
      ParameterValue value;
      value.given = true;
      value.at = PositionOf(node.source());
      std::string reason;
      if (spec->name == kKindKey) {
        value.text = node.value_or(std::string());  // checked first, by ReadKind
        out[std::string(spec->name)] = std::move(value);
      } else if (values_.Read(*spec, node, value, reason)) {
        out[std::string(spec->name)] = std::move(value);
      } else {
        errors_.Add(value.at, reason);
      }
    }
  }

  // The checks that take several keys of one instrument together.
  void CheckWithinItself(const InstrumentDescription& d) {
    const int32_t smaller = std::min(d.width, d.height);
    for (const char* key : {"frame-width", "bezel"}) {
      const auto it = d.parameters.find(key);
      if (it == d.parameters.end()) continue;
      const int64_t thickness = static_cast<int64_t>(it->second.number);
      if (2 * thickness >= smaller) {
        errors_.Add(it->second.given ? it->second.at : d.at,
                    Quote(key) + " " + std::to_string(thickness) + " leaves no room inside " + std::to_string(d.width) +
                        " x " + std::to_string(d.height) + " pixels (at most " +
                        std::to_string(std::max(0, (smaller - 1) / 2)) + ")");
      }
    }
    if (d.kind == FileKind::kKnob && d.Whole("min-angle") >= d.Whole("max-angle")) {
      errors_.Add(d.Parameter("max-angle").given ? d.Parameter("max-angle").at : d.at,
                  "'max-angle' must be above 'min-angle' (" + std::to_string(d.Whole("min-angle")) + ")");
    }
  }

  void CheckAcrossInstruments(const PanelDescription& panel) {
    const WindowDescription& w = panel.window;
    for (size_t i = 0; i < panel.instruments.size(); ++i) {
      const InstrumentDescription& d = panel.instruments[i];
      if (int64_t{d.x} + d.width > w.width || int64_t{d.y} + d.height > w.height) {
        errors_.Add(d.Parameter("x").at, Describe(d) + " reaches (" + std::to_string(int64_t{d.x} + d.width) + ", " +
                                             std::to_string(int64_t{d.y} + d.height) + "), outside the window of " +
                                             std::to_string(w.width) + " x " + std::to_string(w.height));
      }
      for (size_t j = 0; j < i; ++j) CheckPair(panel.instruments[j], d);
    }
  }

  // An identifier used twice, or two instruments on top of each other (a
  // background may lie under the instruments that come after it).
  void CheckPair(const InstrumentDescription& earlier, const InstrumentDescription& later) {
    if (earlier.id == later.id) {
      errors_.Add(later.Parameter("id").at, "id " + std::to_string(later.id) + " is already used by the " +
                                                std::string(KindOf(earlier.kind).name) + " at line " +
                                                std::to_string(earlier.at.line));
      return;
    }
    if (earlier.kind == FileKind::kBackground || !BoxOf(earlier).Overlaps(BoxOf(later))) return;
    const std::string reason = later.kind == FileKind::kBackground
                                   ? "; a background must come before the instruments on it"
                                   : "";
    errors_.Add(later.Parameter("x").at, Describe(later) + " overlaps " + Describe(earlier) + " of line " +
                                             std::to_string(earlier.at.line) + reason);
  }

  static std::string Describe(const InstrumentDescription& d) {
    return "the " + std::string(KindOf(d.kind).name) + " " + std::to_string(d.id);
  }

  std::string fileName_;
  ErrorList errors_;
  ValueReader values_;
};

}  // namespace

const ParameterValue& InstrumentDescription::Parameter(std::string_view key) const {
  const auto it = parameters.find(key);
  if (it == parameters.end()) throw std::logic_error("no parameter " + std::string(key) + " of this kind");
  return it->second;
}

const InstrumentDescription* PanelDescription::Find(int32_t id) const {
  for (const InstrumentDescription& instrument : instruments) {
    if (instrument.id == id) return &instrument;
  }
  return nullptr;
}

bool ParsePanelText(const std::string& fileName, std::string_view text, const BitmapFinder& bitmapExists,
                    PanelDescription& out, std::string& errors) {
  return PanelReader(fileName, bitmapExists).Read(text, out, errors);
}

bool ReadPanelFile(const std::string& path, PanelDescription& out, std::string& errors) {
  std::string text, reason;
  if (!platform::ReadRegularFile(path, kMaxPanelFileBytes, text, reason)) {
    errors = PrintableText(path) + ": cannot read the panel file: " + reason + "\n";
    return false;
  }
  const BitmapFinder finder = [](const std::string& name) { return !FindBitmapFile(name).empty(); };
  return ParsePanelText(path, text, finder, out, errors);
}

}  // namespace ip::panel
