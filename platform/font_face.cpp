// FreeType faces at one em size: opening and caching them, their text
// metrics in whole pixels, their decoration lines, and rendering glyphs to
// grayscale coverage once per byte.
#include <algorithm>
#include <map>
#include <tuple>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include "platform/rounding.h"
#include "platform/font_face.h"

namespace ip::platform {
namespace {

// The face cache is emptied when it grows past this many entries; faces in
// use by a font survive, being shared.
constexpr size_t kMaxCachedFaces = 256;

// FreeType's 26.6 fixed-point values to whole pixels, rounding halves up.
int PixelsFrom26Dot6(FT_Pos value) {
  return static_cast<int>((value + 32) >> 6);
}

// The FreeType library, made once and kept for the whole run. The TrueType
// interpreter version is fixed so that the pictures do not depend on the
// environment's FreeType settings.
FT_Library Library() {
  static FT_Library library = [] {
    FT_Library made = nullptr;
    if (FT_Init_FreeType(&made) != 0) return static_cast<FT_Library>(nullptr);
    FT_UInt interpreter = TT_INTERPRETER_VERSION_40;
    FT_Property_Set(made, "truetype", "interpreter-version", &interpreter);
    return made;
  }();
  return library;
}

using FaceKey = std::tuple<std::string, int, int, bool, bool>;  // file, index, ppem, synthetic bold / italic

std::map<FaceKey, std::shared_ptr<FaceInstance>>& FaceCache() {
  static auto* cache = new std::map<FaceKey, std::shared_ptr<FaceInstance>>();  // lives for the whole run
  return *cache;
}

// TrueType scaling as the Windows rasterizer does it: one 16.16 scale
// factor s = round(ppem * 65536 / upem), then SCALE(v) = round(v * s / 65536).
struct DesignScale {
  double factor = 0;
  int operator()(long designUnits) const { return RoundToInt(static_cast<double>(designUnits) * factor / 65536.0); }
};

DesignScale ScaleFor(const FT_Face face, int emPixels) {
  return DesignScale{static_cast<double>(RoundToInt(emPixels * 65536.0 / face->units_per_EM))};
}

// Text metrics from the OS/2 and hhea tables; false when a table is missing.
bool ReadMetrics(FaceInstance& instance) {
  FT_Face face = instance.face;
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  if (os2 == nullptr || os2->version == 0xFFFF || hhea == nullptr || face->units_per_EM == 0) return false;
  DesignScale scale = ScaleFor(face, instance.emPixels);
  FontMetrics& m = instance.metrics;
  m.ascent = scale(os2->usWinAscent);
  m.descent = scale(os2->usWinDescent);
  m.height = m.ascent + m.descent;
  long winExtent = long{os2->usWinAscent} + os2->usWinDescent;
  long hheaExtent = long{hhea->Ascender} - hhea->Descender;
  m.externalLeading = std::max(0, scale(hhea->Line_Gap - (winExtent - hheaExtent)));
  m.aveCharWidth = std::max(1, scale(os2->xAvgCharWidth));
  if (m.height <= 0) return false;

  // Underline from the post table (top edge, negative below the baseline),
  // strike-out from OS/2 (top edge above the baseline); at least one pixel.
  auto* post = static_cast<TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
  long underlinePosition = post ? post->underlinePosition : -face->units_per_EM / 10;
  long underlineThickness = post ? post->underlineThickness : face->units_per_EM / 20;
  instance.underline = {-scale(underlinePosition), std::max(1, scale(underlineThickness))};
  instance.strikeOut = {-scale(os2->yStrikeoutPosition), std::max(1, scale(os2->yStrikeoutSize))};
  return true;
}

// Copies FreeType's grayscale bitmap of the current glyph slot.
void CopyCoverage(const FT_GlyphSlot slot, GlyphImage& image) {
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.pitch < 0 || bitmap.buffer == nullptr) return;
  image.left = slot->bitmap_left;
  image.top = slot->bitmap_top;
  image.width = static_cast<int>(bitmap.width);
  image.rows = static_cast<int>(bitmap.rows);
  image.coverage.resize(static_cast<size_t>(image.width) * image.rows);
  for (int row = 0; row < image.rows; ++row) {
    const uint8_t* source = bitmap.buffer + static_cast<size_t>(row) * bitmap.pitch;
    std::copy(source, source + image.width, image.coverage.begin() + static_cast<size_t>(row) * image.width);
  }
}

GlyphImage RenderGlyph(const FaceInstance& instance, uint8_t byte) {
  GlyphImage image;
  FT_Face face = instance.face;
  FT_UInt index = FT_Get_Char_Index(face, UnicodeFromWindows1252(byte));  // 0: the missing-glyph box
  if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_NORMAL) != 0) return image;
  FT_GlyphSlot slot = face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return image;
  if (instance.syntheticItalic) FT_GlyphSlot_Oblique(slot);
  if (instance.syntheticBold) FT_GlyphSlot_Embolden(slot);
  image.advance = std::max(0, PixelsFrom26Dot6(slot->advance.x));
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0) CopyCoverage(slot, image);
  return image;
}

std::shared_ptr<FaceInstance> MakeFaceInstance(const FaceLocation& location, int emPixels, bool syntheticBold,
                                               bool syntheticItalic) {
  FT_Library library = Library();
  if (library == nullptr) return nullptr;
  auto instance = std::make_shared<FaceInstance>();
  if (FT_New_Face(library, location.file.c_str(), location.index, &instance->face) != 0) {
    instance->face = nullptr;
    return nullptr;
  }
  instance->file = location.file;
  instance->emPixels = emPixels;
  instance->syntheticBold = syntheticBold;
  instance->syntheticItalic = syntheticItalic;
  if (!FT_IS_SCALABLE(instance->face) || FT_Set_Pixel_Sizes(instance->face, 0, emPixels) != 0) return nullptr;
  if (!ReadMetrics(*instance)) return nullptr;
  return instance;
}

}  // namespace

FaceInstance::~FaceInstance() {
  if (face != nullptr) FT_Done_Face(face);
}

const GlyphImage& FaceInstance::Glyph(uint8_t byte) {
  std::unique_ptr<GlyphImage>& slot = glyphs[byte];
  if (!slot) slot = std::make_unique<GlyphImage>(RenderGlyph(*this, byte));
  return *slot;
}

std::shared_ptr<FaceInstance> OpenFaceInstance(const FaceLocation& location, int emPixels, bool bold,
                                               bool italic) {
  if (emPixels < 1 || emPixels > kMaxFontEmPixels) return nullptr;
  bool syntheticBold = bold && !location.hasBold;
  bool syntheticItalic = italic && !location.hasItalic;
  FaceKey key{location.file, location.index, emPixels, syntheticBold, syntheticItalic};
  auto& cache = FaceCache();
  if (auto found = cache.find(key); found != cache.end()) return found->second;
  std::shared_ptr<FaceInstance> instance = MakeFaceInstance(location, emPixels, syntheticBold, syntheticItalic);
  if (instance == nullptr) return nullptr;
  if (cache.size() >= kMaxCachedFaces) cache.clear();
  cache.emplace(std::move(key), instance);
  return instance;
}

}  // namespace ip::platform
