// Helpers for the widget and toolkit suites: colours as (r, g, b), probes
// that read a canvas's pixels and pictures, tables of pixels to expect, and a
// fresh panel-sized dialog to create instruments on.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <ostream>
#include <string>

#include "host/window_records.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/types.h"
#include "panel/panel.h"
#include "platform/surface.h"

namespace probe {

using namespace ip;
using namespace ip::panel;

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

// ---- The current canvas ----

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

// The colour value (0x00BBGGRR) of one pixel of a surface, or -1 outside it
// (an empty surface when there was no canvas to read).
inline Color At(const platform::Surface& s, int x, int y) {
  if (!s.Contains(x, y)) return Color{-1};
  return Color{static_cast<ColorRef>(platform::ColorRefFromPixel(s.At(x, y) & 0xFFFFFF))};
}

// A pixel position and the colour it must have.
struct Dot {
  int x, y;
  Color expected;
};
// Expects each dot's colour in the surface; a failure names the pixel.
// Called through EXPECT_DOTS, so that a failure also names the calling line.
inline void ExpectDots(const platform::Surface& s, std::initializer_list<Dot> dots) {
  for (const Dot& d : dots) EXPECT_EQ(At(s, d.x, d.y), d.expected) << "at " << d.x << ", " << d.y;
}
#define EXPECT_DOTS(surface, ...) \
  do { SCOPED_TRACE("dots"); probe::ExpectDots(surface, __VA_ARGS__); } while (0)

// Makes a bitmap canvas of width x height filled with `fill` and attaches it.
inline Handle FreshCanvas(int32_t width, int32_t height, ColorRef fill) {
  const Handle canvas = CreateBitmapCanvas(width, height);
  CanvasAttach(canvas, 0, kAttachRedrawOnRequest);
  CanvasBox(0, 0, static_cast<float>(width), static_cast<float>(height), 0, fill, fill, 0);
  return canvas;
}

// ---- A control's canvas, by owner and identifier ----

// The canvas of control `id` of `owner`, or `owner` itself when it is a
// bitmap canvas; nullptr when there is none.
inline CanvasState* CanvasOf(Handle owner, int32_t id) {
  WindowRecord* record = FindControlRecord(owner, id);
  if (record == nullptr) record = FindRecord(owner);
  return IsCanvas(record) ? &record->canvas : nullptr;
}

// The colour value of one pixel, or -1 outside the canvas.
inline ColorRef PixelAt(Handle owner, int32_t id, int x, int y) {
  const CanvasState* canvas = CanvasOf(owner, id);
  if (canvas == nullptr || !canvas->bitmap.Contains(x, y)) return -1;
  return static_cast<ColorRef>(platform::ColorRefFromPixel(canvas->bitmap.At(x, y)));
}

// A pixel position and the colour value it must have.
struct Pixel {
  int x, y;
  ColorRef expected;
};
// Expects each pixel's colour on the canvas of control `id` of `owner`; a
// failure names the pixel. Called through EXPECT_PIXELS, so that a failure
// also names the calling line.
inline void ExpectPixels(Handle owner, int32_t id, std::initializer_list<Pixel> pixels) {
  for (const Pixel& p : pixels) EXPECT_EQ(PixelAt(owner, id, p.x, p.y), p.expected) << "at " << p.x << ", " << p.y;
}
#define EXPECT_PIXELS(owner, id, ...) \
  do { SCOPED_TRACE("pixels"); probe::ExpectPixels(owner, id, __VA_ARGS__); } while (0)

// A copy of the whole canvas picture (empty when there is no canvas).
inline platform::Surface PictureOf(Handle owner, int32_t id) {
  const CanvasState* canvas = CanvasOf(owner, id);
  return canvas == nullptr ? platform::Surface{} : canvas->bitmap;
}

// Number of pixels that differ between two pictures of the same size.
inline int CountDifferences(const platform::Surface& a, const platform::Surface& b) {
  if (a.width != b.width || a.height != b.height) return -1;
  int count = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) count += a.pixels[i] != b.pixels[i];
  return count;
}

inline int CountPixels(const platform::Surface& picture, ColorRef color) {
  int count = 0;
  const platform::Pixel wanted = platform::PixelFromColorRef(static_cast<uint32_t>(color));
  for (platform::Pixel p : picture.pixels) count += p == wanted;
  return count;
}

// Every widget test starts from the start-of-program state with a hidden
// panel-sized dialog to put controls on.
class WidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPanelState();
    dialog_ = CreateDialogWindow(0, "widgets", -1, -1, kPanelWidth, kPanelHeight, 0xB0000, 0, kUnitsPixels);
    ASSERT_NE(dialog_, 0u);
  }
  Handle dialog_ = 0;
};

}  // namespace probe
