// Internal parts of the font system: where a face file is found
// (fontconfig) and a FreeType face opened at one em size, with its metrics,
// decoration lines and the cache of its rendered glyphs.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/font.h"

namespace ip::platform {

// A face file found for a name and style; `hasBold` / `hasItalic` say whether
// the face itself is drawn bold / italic (otherwise it is synthesised).
struct FaceLocation {
  std::string file;
  int index = 0;
  bool hasBold = false;
  bool hasItalic = false;
};

// Finds the face file for a name: "Arial", "courier new" and "MS Sans Serif"
// (any case) map to fixed families; other names go through fontconfig's own
// matching. Falls back to DejaVu Sans; nothing when no usable face exists.
std::optional<FaceLocation> LocateFace(const std::string& faceName, bool bold, bool italic);
// The fallback face (DejaVu Sans, regular), if installed.
std::optional<FaceLocation> LocateFallbackFace();

// One glyph rendered to 8-bit coverage; positions relative to the pen on the
// baseline (left bearing to the right, top bearing upward).
struct GlyphImage {
  int advance = 0;  // whole pixels
  int left = 0;
  int top = 0;
  int width = 0;
  int rows = 0;
  std::vector<uint8_t> coverage;  // rows x width, top row first
};

// A horizontal line relative to the baseline: rows [baseline + offset,
// baseline + offset + thickness).
struct DecorationLine {
  int offset = 0;
  int thickness = 1;
};

// A FreeType face at one em size, with synthetic bold / oblique when the face
// file lacks the style. Glyphs are rendered once per byte and kept.
struct FaceInstance {
  FT_Face face = nullptr;
  std::string file;
  int emPixels = 0;
  bool syntheticBold = false;
  bool syntheticItalic = false;
  FontMetrics metrics;
  DecorationLine underline;
  DecorationLine strikeOut;
  std::array<std::unique_ptr<GlyphImage>, 256> glyphs;

  FaceInstance() = default;
  FaceInstance(const FaceInstance&) = delete;
  FaceInstance& operator=(const FaceInstance&) = delete;
  ~FaceInstance();

  // The glyph of a Windows-1252 byte, rendered on first use.
  const GlyphImage& Glyph(uint8_t byte);
};

// Opens (or finds in the cache) a face file at an em size; nullptr when the
// file cannot be opened, is not scalable or lacks the tables metrics need.
std::shared_ptr<FaceInstance> OpenFaceInstance(const FaceLocation& location, int emPixels, bool bold,
                                               bool italic);

}  // namespace ip::platform
