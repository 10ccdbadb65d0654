// Test helpers for the toolkit and gauge suites: colours as (r, g, b), and a
// probe that reads the current canvas's pixels through its pixel buffer.
#pragma once

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>

#include "host/bitmaps.h"
#include "host/canvas.h"
#include "host/win_types.h"
#include "platform/surface.h"

namespace probe {

constexpr ColorRef Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

// A pixel colour that prints as (r, g, b) in failure messages.
struct Color {
  ColorRef value = 0;
  bool operator==(const Color&) const = default;
};
inline void PrintTo(const Color& c, std::ostream* out) {
  *out << "(" << (c.value & 255) << ", " << ((c.value >> 8) & 255) << ", " << ((c.value >> 16) & 255) << ")";
}
constexpr Color C(int r, int g, int b) { return Color{Rgb(r, g, b)}; }
constexpr Color Grey(int v) { return C(v, v, v); }

// The pixels of the current canvas as a surface (empty without a canvas).
inline platform::Surface Snapshot() {
  const std::string bits = CanvasGetBits();
  platform::Surface surface;
  if (bits.size() < 8) return surface;
  int32_t width = 0, height = 0;
  std::memcpy(&width, bits.data(), 4);
  std::memcpy(&height, bits.data() + 4, 4);
  surface = platform::MakeSurface(width, height, 0);
  if (bits.size() >= 8 + surface.pixels.size() * 4) {
    std::memcpy(surface.pixels.data(), bits.data() + 8, surface.pixels.size() * 4);
  }
  return surface;
}

// The colour value (0x00BBGGRR) of one pixel of a surface.
inline Color At(const platform::Surface& s, int x, int y) {
  return Color{static_cast<ColorRef>(platform::ColorRefFromPixel(s.At(x, y) & 0xFFFFFF))};
}

// Makes a bitmap canvas of width x height filled with `fill` and attaches it.
inline Handle FreshCanvas(int32_t width, int32_t height, ColorRef fill) {
  const Handle canvas = CreateBitmapCanvas(width, height);
  CanvasAttach(canvas, 0, kAttachRedrawOnRequest);
  CanvasBox(0, 0, static_cast<float>(width), static_cast<float>(height), 0, fill, fill, 0);
  return canvas;
}

}  // namespace probe
