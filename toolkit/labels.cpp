// Text labels: one line of text placed on the current canvas in its current
// font, centred, or flush left or right when it starts with "[<]" or "[>]".
#include "instrument_panel/labels.h"

#include "instrument_panel/canvas.h"
#include "instrument_panel/keys.h"
#include "platform/rounding.h"

namespace ip {

namespace {

const std::string kFlushLeftPrefix = caption::kAlignLeft;
const std::string kFlushRightPrefix = caption::kAlignRight;
constexpr int32_t kShadowOffset = 2;

bool StartsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

// Prints `text` with its top-left corner at (x, y), transparent background.
void PrintAt(const std::string& text, int32_t x, int32_t y, ColorRef color) {
  CanvasMoveTo(static_cast<float>(x), static_cast<float>(y), 0);
  CanvasSetForeColor(color);
  CanvasSetBackColor(kColorNone);
  CanvasPrint(text);
  CanvasNewLine();
}

}  // namespace

// round((canvas width - text width) / 2), ties to even.
int32_t CenteredTextX(const std::string& text) {
  const int32_t canvasWidth = CanvasGetSize().first;
  const int32_t textWidth = CanvasTextSize(text).first;
  return RoundToInt((static_cast<double>(canvasWidth) - textWidth) / 2.0);
}

// round((canvas height - line height) / 2); the same for every text of a font.
int32_t CenteredTextY(const std::string&) {
  const int32_t canvasHeight = CanvasGetSize().second;
  const int32_t lineHeight = CanvasCharSize().second;
  return RoundToInt((static_cast<double>(canvasHeight) - lineHeight) / 2.0);
}

// Both positions are computed on the text with its prefix, so a flush-right
// text ends short of the right edge by about the prefix's width.
void DrawTextLabel(std::string& text, ColorRef color, ColorRef shadowColor) {
  int32_t x = CenteredTextX(text);
  const int32_t y = CenteredTextY(text);
  if (StartsWith(text, kFlushLeftPrefix)) {
    text.erase(0, kFlushLeftPrefix.size());
    x = 0;
  } else if (StartsWith(text, kFlushRightPrefix)) {
    text.erase(0, kFlushRightPrefix.size());
    x = 2 * x;
  }
  if (shadowColor > 0) PrintAt(text, x + kShadowOffset, y + kShadowOffset, shadowColor);
  PrintAt(text, x, y, color);
}

}  // namespace ip
