// Fuzz harness: case files, parsed and run. Any text is either refused with
// a line number inside the text and a reason, or gives cases that run on
// canvases of at most kSmallSide pixels a side (their operations keep every
// argument as written, however absurd). A case gives a picture of its
// canvas's size, and the same picture when run again.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>

#include "tests/fuzz/fuzz_input.h"
#include "tools/case_file.h"

using namespace ip;
using fuzz_input::FuzzCheck;

namespace {

constexpr int32_t kSmallSide = 48;

// Bitmap files are looked up from the reference pictures' folder, and only
// files within the test data are read (the worst cases name theirs from a
// folder beside it).
const std::string& DataFolder() {
  static const std::string folder = std::string(IP_SOURCE_DIR) + "/tests/data";
  return folder;
}
const std::string& BitmapFolder() {
  static const std::string folder = DataFolder() + "/gdi-reference";
  return folder;
}

void KeepFilesInFolder(cases::Case& c) {
  for (cases::Operation& op : c.operations) {
    if (op.file.empty()) continue;
    const std::string resolved = (std::filesystem::path(BitmapFolder()) / op.file).lexically_normal().string();
    if (op.file[0] == '/' || resolved.rfind(DataFolder() + "/", 0) != 0) op.file = "none.bmp";
  }
}

void MakeSmall(cases::Case& c) {
  c.width = std::min(c.width, kSmallSide);
  c.height = std::min(c.height, kSmallSide);
  c.sourceWidth = std::min(c.sourceWidth, kSmallSide);
  c.sourceHeight = std::min(c.sourceHeight, kSmallSide);
}

size_t LineCount(const std::string& text) {
  return 1 + static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  cases::CaseFile file;
  cases::ParseError error;
  if (!cases::ParseCaseText(text, BitmapFolder(), file, error)) {
    FuzzCheck(error.line >= 1 && static_cast<size_t>(error.line) <= LineCount(text), "the line is in the text",
              std::to_string(error.line));
    FuzzCheck(!error.reason.empty(), "a refusal says why");
    return 0;
  }
  for (cases::Case& c : file.cases) {
    KeepFilesInFolder(c);
    MakeSmall(c);
    const platform::Surface first = cases::RunCase(c, file.folder);
    FuzzCheck(first.width == c.width && first.height == c.height, "a picture of the canvas's size", c.name);
    const platform::Surface again = cases::RunCase(c, file.folder);
    FuzzCheck(again.pixels == first.pixels, "the same case draws the same picture", c.name);
  }
  return 0;
}
