// Fonts and text: faces found by name through fontconfig, measured and drawn
// with FreeType in grayscale antialiasing.
//
// Terms used here:
//   em size     the pixel size of the face's em square (ppem); a negative
//               LOGFONT height asks for it directly (ppem = -height).
//   ascent      whole pixels from the top of a text line to the baseline;
//   descent     whole pixels from the baseline to the bottom of the line;
//   height      ascent + descent: the height of a text cell.
//   cell        the box [x, x + text width) x [y, y + height) whose top-left is
//               where a text is drawn; an opaque background fills it.
// Text is bytes in the Windows-1252 code page; each byte is turned into a
// Unicode code point only to find its glyph.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/surface.h"

namespace ip::platform {

// What a font is made from: the fields of a LOGFONT the canvas sets.
struct FontRequest {
  std::string faceName;  // Windows-1252 bytes, matched without regard to case
  int emPixels = 0;      // ppem; 1 .. kMaxFontEmPixels
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
};

// Em sizes beyond this are refused (the canvas never asks for more than 96).
constexpr int kMaxFontEmPixels = 1000;

// Text metrics in whole pixels, named after their TEXTMETRIC fields.
struct FontMetrics {
  int ascent = 0;           // tmAscent
  int descent = 0;          // tmDescent
  int height = 0;           // tmHeight = ascent + descent
  int externalLeading = 0;  // tmExternalLeading
  int aveCharWidth = 0;     // tmAveCharWidth, at least 1
};

struct FaceInstance;  // a FreeType face at one em size with its glyph cache

// A face at a pixel size with its metrics and decorations. Fonts are shared
// and cached: asking again for the same face, size and style gives the same
// object without touching the disk.
struct Font {
  FontMetrics metrics;
  bool underline = false;
  bool strikeOut = false;
  std::shared_ptr<FaceInstance> face;
};

// Makes (or finds in the cache) the font of a request; nullptr when no face
// could be found or opened, or the em size is out of range.
std::shared_ptr<const Font> OpenFont(const FontRequest& request);

// The path of the font file behind a font (for diagnostics and tests).
std::string FontFilePath(const Font& font);

// Width of a text in pixels: the sum of its glyphs' advances.
int64_t TextWidth(const Font& font, std::string_view text);

// How a text is drawn: glyphs blended in `color`; with `opaque` the cell is
// first filled with `background` (a plain overwrite).
struct TextPaint {
  Pixel color = 0;
  bool opaque = false;
  Pixel background = 0;
};

// `over` laid on `under` with coverage 0..255: each channel
// (under * (255 - coverage) + over * coverage) / 255, rounded to nearest.
Pixel BlendCoverage(Pixel under, Pixel over, uint32_t coverage);

// Draws a text with the top-left of its cell at (x, y); the baseline is
// y + ascent. Each glyph's box sits at (pen x + left bearing, baseline - top
// bearing) and the pen advances by the glyph's advance. Underline and
// strike-out lines span the text width in the text colour. Everything is
// clipped to the surface; any coordinates are safe.
void DrawText(Surface& surface, const Font& font, int64_t x, int64_t y, std::string_view text,
              const TextPaint& paint);

// The Unicode code point of a Windows-1252 byte (0x80..0x9F included; the
// five bytes the code page leaves undefined map to the same C1 code point).
char32_t UnicodeFromWindows1252(uint8_t byte);
// Windows-1252 bytes as UTF-8.
std::string Utf8FromWindows1252(std::string_view text);

}  // namespace ip::platform
