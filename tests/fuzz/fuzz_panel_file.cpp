// Fuzz harness: the panel-file reader. Any text either becomes a panel that
// keeps the file's rules (every instrument of a known kind inside the window,
// identifiers used once and within the table, every key of its kind present,
// no two instruments on top of each other except over a background before
// them) or is refused with messages "panel.toml:LINE:COLUMN: reason", one a
// line, that show no raw control character, leaving the output as it was.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "panel/panel_file.h"
#include "panel/panel_file_schema.h"
#include "tests/fuzz/fuzz_input.h"

using namespace ip::panel;
using fuzz_input::FuzzCheck;

namespace {

const char* const kFileName = "panel.toml";
const char* const kUntouched = "untouched";

// The bitmaps a fuzzed file may name and find.
bool KnownBitmap(const std::string& name) {
  return name == "fondo1.bmp" || name == "switch1.bmp" || name == "switch2.bmp";
}

void CheckPanel(const PanelDescription& panel) {
  const WindowDescription& w = panel.window;
  FuzzCheck(w.width > 0 && w.width <= kMaxWindowExtent && w.height > 0 && w.height <= kMaxWindowExtent,
            "the window has a size within the limit");
  std::set<int32_t> ids;
  for (const InstrumentDescription& d : panel.instruments) {
    FuzzCheck(ids.insert(d.id).second, "identifiers used once", std::to_string(d.id));
    FuzzCheck(d.id <= kMaxInstrumentId, "identifiers within the table", std::to_string(d.id));
    FuzzCheck(d.x >= 0 && d.y >= 0 && d.width > 0 && d.height > 0 && int64_t{d.x} + d.width <= w.width &&
                  int64_t{d.y} + d.height <= w.height,
              "instruments inside the window", std::to_string(d.id));
    for (const KeySpec& key : KindOf(d.kind).keys) {
      FuzzCheck(d.parameters.count(key.name) != 0, "every key of the kind present", std::string(key.name));
    }
  }
}

void CheckMessages(const std::string& errors) {
  FuzzCheck(!errors.empty() && errors.back() == '\n', "a refused file has messages, one a line", errors);
  size_t start = 0;
  while (start < errors.size()) {
    const size_t end = errors.find('\n', start);
    const std::string line = errors.substr(start, end - start);
    FuzzCheck(line.rfind(std::string(kFileName) + ":", 0) == 0, "each message names the file", line);
    FuzzCheck(fuzz_input::HasNoControlCharacters(line), "no raw control characters in a message", line);
    start = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxPanelFileBytes) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  PanelDescription panel;
  panel.fileName = kUntouched;
  std::string errors;
  if (ParsePanelText(kFileName, text, KnownBitmap, panel, errors)) {
    FuzzCheck(errors.empty(), "an accepted file has no messages", errors);
    CheckPanel(panel);
  } else {
    CheckMessages(errors);
    FuzzCheck(panel.fileName == kUntouched && panel.instruments.empty(), "a refused file leaves the output as it was");
  }
  return 0;
}
