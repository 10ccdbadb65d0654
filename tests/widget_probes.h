// Helpers for the widget suites: a fresh dialog to create instruments on,
// and probes that read a canvas's pixels and pictures.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "host/dialog.h"
#include "host/window_records.h"
#include "instruments/instrument_table.h"
#include "panel/panel.h"
#include "platform/surface.h"

namespace widget_probes {

constexpr ColorRef Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

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

// Every test starts from the start-of-program state with a hidden panel-sized
// dialog to put controls on.
class WidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPanelState();
    dialog_ = CreateDialogWindow(0, "widgets", -1, -1, kPanelWidth, kPanelHeight, 0xB0000, 0, kUnitsPixels);
    ASSERT_NE(dialog_, 0u);
  }
  Handle dialog_ = 0;
};

}  // namespace widget_probes
