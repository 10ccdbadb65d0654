// Fonts and text: the font cache in front of fontconfig and FreeType, text
// width, and drawing text into a surface (cell fill, glyph blending,
// underline and strike-out), all clipped to the surface.
#include "platform/font.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <tuple>

#include "platform/font_face.h"

namespace ip::platform {
namespace {

// The font cache is emptied when it grows past this many entries; fonts in
// use survive, being shared.
constexpr size_t kMaxCachedFonts = 512;

// Coordinates are held within this distance of the origin so that no sum
// overflows; anything that far out is off every surface anyway.
constexpr int64_t kFarAway = int64_t{1} << 40;

// The code points of Windows-1252 bytes 0x80..0x9F; the rest of the code
// page is Latin-1.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

using FontKey = std::tuple<std::string, int, int>;  // lower-case name, ppem, style flags

std::map<FontKey, std::shared_ptr<const Font>>& FontCache() {
  static auto* cache = new std::map<FontKey, std::shared_ptr<const Font>>();  // lives for the whole run
  return *cache;
}

FontKey KeyOf(const FontRequest& request) {
  std::string name = request.faceName;
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  int flags = (request.bold ? 1 : 0) | (request.italic ? 2 : 0) | (request.underline ? 4 : 0) |
              (request.strikeOut ? 8 : 0);
  return {name, request.emPixels, flags};
}

std::shared_ptr<FaceInstance> OpenRequestedFace(const FontRequest& request) {
  std::optional<FaceLocation> location = LocateFace(request.faceName, request.bold, request.italic);
  std::shared_ptr<FaceInstance> face;
  if (location) face = OpenFaceInstance(*location, request.emPixels, request.bold, request.italic);
  if (face == nullptr) {  // the matched file could not be used: the fallback face, styles synthesised
    if (std::optional<FaceLocation> fallback = LocateFallbackFace()) {
      face = OpenFaceInstance(*fallback, request.emPixels, request.bold, request.italic);
    }
  }
  return face;
}

// A pixel box clipped to the surface: columns [x0, x1), rows [y0, y1).
struct ClipBox {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool Empty() const { return x0 >= x1 || y0 >= y1; }
};

ClipBox Clip(const Surface& surface, int64_t left, int64_t top, int64_t right, int64_t bottom) {
  ClipBox box;
  box.x0 = static_cast<int>(std::clamp<int64_t>(left, 0, surface.width));
  box.y0 = static_cast<int>(std::clamp<int64_t>(top, 0, surface.height));
  box.x1 = static_cast<int>(std::clamp<int64_t>(right, 0, surface.width));
  box.y1 = static_cast<int>(std::clamp<int64_t>(bottom, 0, surface.height));
  return box;
}

void FillBox(Surface& surface, const ClipBox& box, Pixel color) {
  if (box.Empty()) return;
  for (int row = box.y0; row < box.y1; ++row) std::fill(surface.Row(row) + box.x0, surface.Row(row) + box.x1, color);
}

// Red and blue, and green alone, as 16-bit lanes of one word: a channel's
// weighted sum stays below 65536, so the lanes never carry into each other.
constexpr uint32_t kRedBlue = 0x00FF00FF;
constexpr uint32_t kGreen = 0x0000FF00;
constexpr uint32_t kFullCoverage = 255;
constexpr uint32_t kHalfInLanes = 0x007F007F;  // 127 in each lane: rounds to nearest
constexpr uint32_t kOneInLanes = 0x00010001;

// x / 255 in each 16-bit lane, for lane values up to 65535 - 256:
// (x + 1 + (x >> 8)) >> 8 is exact there.
uint32_t DivideLanesBy255(uint32_t lanes) {
  return ((lanes + kOneInLanes + ((lanes >> 8) & kRedBlue)) >> 8) & kRedBlue;
}

Pixel Blend(Pixel under, Pixel over, uint32_t coverage) {
  if (coverage == kFullCoverage) return over;
  const uint32_t keep = kFullCoverage - coverage;
  const uint32_t redBlue = (under & kRedBlue) * keep + (over & kRedBlue) * coverage + kHalfInLanes;
  const uint32_t green = ((under & kGreen) >> 8) * keep + ((over & kGreen) >> 8) * coverage + kHalfInLanes;
  return DivideLanesBy255(redBlue) | (DivideLanesBy255(green) << 8);
}

// Blends one glyph's coverage with its box's top-left at (left, top).
void DrawGlyph(Surface& surface, const GlyphImage& glyph, int64_t left, int64_t top, Pixel color) {
  ClipBox box = Clip(surface, left, top, left + glyph.width, top + glyph.rows);
  if (box.Empty()) return;
  for (int row = box.y0; row < box.y1; ++row) {
    const uint8_t* coverage = glyph.coverage.data() + (row - top) * glyph.width + (box.x0 - left);
    Pixel* target = surface.Row(row);
    for (int column = box.x0; column < box.x1; ++column, ++coverage) {
      if (*coverage != 0) target[column] = Blend(target[column], color, *coverage);
    }
  }
}

void DrawDecoration(Surface& surface, const DecorationLine& line, int64_t left, int64_t right, int64_t baseline,
                    Pixel color) {
  int64_t top = baseline + line.offset;
  FillBox(surface, Clip(surface, left, top, right, top + line.thickness), color);
}

}  // namespace

Pixel BlendCoverage(Pixel under, Pixel over, uint32_t coverage) { return Blend(under, over, coverage); }

char32_t UnicodeFromWindows1252(uint8_t byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kWindows1252High[byte - 0x80];
  return byte;
}

std::string Utf8FromWindows1252(std::string_view text) {
  std::string utf8;
  for (char c : text) {
    char32_t u = UnicodeFromWindows1252(static_cast<uint8_t>(c));
    if (u < 0x80) {
      utf8 += static_cast<char>(u);
    } else if (u < 0x800) {
      utf8 += static_cast<char>(0xC0 | (u >> 6));
      utf8 += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      utf8 += static_cast<char>(0xE0 | (u >> 12));
      utf8 += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return utf8;
}

std::shared_ptr<const Font> OpenFont(const FontRequest& request) {
  if (request.emPixels < 1 || request.emPixels > kMaxFontEmPixels) return nullptr;
  FontKey key = KeyOf(request);
  auto& cache = FontCache();
  if (auto found = cache.find(key); found != cache.end()) return found->second;
  std::shared_ptr<FaceInstance> face = OpenRequestedFace(request);
  if (face == nullptr) return nullptr;
  auto font = std::make_shared<Font>();
  font->metrics = face->metrics;
  font->underline = request.underline;
  font->strikeOut = request.strikeOut;
  font->face = std::move(face);
  if (cache.size() >= kMaxCachedFonts) cache.clear();
  cache.emplace(std::move(key), font);
  return font;
}

std::string FontFilePath(const Font& font) {
  return font.face ? font.face->file : std::string();
}

int64_t TextWidth(const Font& font, std::string_view text) {
  if (!font.face) return 0;
  int64_t width = 0;
  for (char c : text) width += font.face->Glyph(static_cast<uint8_t>(c)).advance;
  return width;
}

void DrawText(Surface& surface, const Font& font, int64_t x, int64_t y, std::string_view text,
              const TextPaint& paint) {
  if (!font.face || text.empty() || surface.Empty()) return;
  x = std::clamp(x, -kFarAway, kFarAway);
  y = std::clamp(y, -kFarAway, kFarAway);
  int64_t width = TextWidth(font, text);
  if (paint.opaque) FillBox(surface, Clip(surface, x, y, x + width, y + font.metrics.height), paint.background);
  int64_t baseline = y + font.metrics.ascent;
  int64_t pen = x;
  for (char c : text) {
    const GlyphImage& glyph = font.face->Glyph(static_cast<uint8_t>(c));
    DrawGlyph(surface, glyph, pen + glyph.left, baseline - glyph.top, paint.color);
    pen += glyph.advance;
  }
  if (font.underline) DrawDecoration(surface, font.face->underline, x, x + width, baseline, paint.color);
  if (font.strikeOut) DrawDecoration(surface, font.face->strikeOut, x, x + width, baseline, paint.color);
}

}  // namespace ip::platform
