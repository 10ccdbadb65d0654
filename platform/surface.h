// A pixel surface: the memory behind every canvas bitmap and the window's
// back buffer. Pixels are 32-bit values 0x00RRGGBB, which in memory are the
// bytes B, G, R, 0 (the pixel-buffer layout), rows top-down, no padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ip::platform {

using Pixel = uint32_t;

struct Surface {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;  // width * height, row-major from the top

  bool Empty() const { return width <= 0 || height <= 0; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  Pixel* Row(int y) { return pixels.data() + static_cast<size_t>(y) * width; }
  const Pixel* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * width; }
  Pixel At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The largest surface the system will make (pixels); larger requests fail.
constexpr int64_t kMaxSurfacePixels = int64_t{1} << 26;

// Makes a width x height surface filled with `fill`. A non-positive or too
// large size gives an empty surface.
Surface MakeSurface(int width, int height, Pixel fill);

// Sets `count` pixels to `value`, several at a time.
void FillPixels(Pixel* pixels, size_t count, Pixel value);

// Pixel buffers hold pixels as the bytes B, G, R, 0. These copy `count`
// pixels between such bytes and pixels as a block; bytes coming in have
// their fourth byte cleared, so a surface's pixels keep 0 in their top byte.
void CopyPixelsFromBytes(const void* bytes, Pixel* pixels, size_t count);
void CopyPixelsToBytes(const Pixel* pixels, void* bytes, size_t count);

// Colour value 0x00BBGGRR to pixel 0x00RRGGBB and back (red and blue swap).
constexpr Pixel PixelFromColorRef(uint32_t colorref) {
  return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}
constexpr uint32_t ColorRefFromPixel(Pixel pixel) {
  return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

}  // namespace ip::platform
