// Pixel surfaces: allocation with a bound on size, and block copies between
// pixels and the bytes of a pixel buffer.
#include "platform/surface.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ip::platform {

Surface MakeSurface(int width, int height, Pixel fill) {
  Surface s;
  if (width <= 0 || height <= 0) return s;
  if (int64_t{width} * height > kMaxSurfacePixels) return s;
  s.width = width;
  s.height = height;
  s.pixels.resize(static_cast<size_t>(width) * height);
  if (fill != 0) FillPixels(s.pixels.data(), s.pixels.size(), fill);
  return s;
}

namespace {

constexpr Pixel kPixelMask = 0x00FFFFFF;
constexpr size_t kBytesPerPixel = 4;

Pixel PixelFromBytes(const uint8_t* in) {
  return (Pixel{in[0]} | (Pixel{in[1]} << 8) | (Pixel{in[2]} << 16)) & kPixelMask;
}

}  // namespace

void FillPixels(Pixel* pixels, size_t count, Pixel value) {
  size_t i = 0;
#if defined(__SSE2__)
  constexpr size_t kPixelsPerStore = 4;
  const __m128i block = _mm_set1_epi32(static_cast<int>(value));
  for (; i + 2 * kPixelsPerStore <= count; i += 2 * kPixelsPerStore) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + i), block);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + i + kPixelsPerStore), block);
  }
  if (i + kPixelsPerStore <= count) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + i), block);
    i += kPixelsPerStore;
  }
#endif
  for (; i < count; ++i) pixels[i] = value;
}

void CopyPixelsFromBytes(const void* bytes, Pixel* pixels, size_t count) {
  const auto* in = static_cast<const uint8_t*>(bytes);
  size_t i = 0;
#if defined(__SSE2__)
  // Four pixels at a time: a 16-byte load, the fourth bytes masked off, a store.
  constexpr size_t kPixelsPerBlock = 4;
  const __m128i mask = _mm_set1_epi32(static_cast<int>(kPixelMask));
  for (; i + kPixelsPerBlock <= count; i += kPixelsPerBlock) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i * kBytesPerPixel));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + i), _mm_and_si128(block, mask));
  }
#endif
  for (; i < count; ++i) pixels[i] = PixelFromBytes(in + i * kBytesPerPixel);
}

void CopyPixelsToBytes(const Pixel* pixels, void* bytes, size_t count) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(bytes, pixels, count * kBytesPerPixel);
  } else {
    auto* out = static_cast<uint8_t*>(bytes);
    for (size_t i = 0; i < count; ++i) {
      for (size_t b = 0; b < kBytesPerPixel; ++b) *out++ = static_cast<uint8_t>(pixels[i] >> (8 * b));
    }
  }
}

}  // namespace ip::platform
