// Picture scaling by window: bilinear sampling for pictures of more than
// one bit per pixel, the stretch rule for one-bit pictures.
#include "platform/raster_picture.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/rounding.h"
#include "platform/raster_blit.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ip::platform {

namespace {

constexpr int kFloatMantissaBits = 24;  // significand bits of a float, the leading one included

// One sampling position along an axis: the source index on the left (top),
// its clamped neighbour and the float fraction between them.
struct Sample {
  int index = 0;
  int next = 0;
  float fraction = 0;
};

// Sampling positions d * S / D for d in [first, first + count), top-left
// aligned. The positions are summed step by step in single precision (the
// loader's own arithmetic), which decides the exact-half cases the way the
// system's loader does.
std::vector<Sample> BilinearSamples(int sourceCount, int destCount, int first, int count) {
  std::vector<Sample> samples(static_cast<size_t>(count));
  const float step = static_cast<float>(sourceCount) / static_cast<float>(destCount);
  float position = SumOfFloatSteps(step, first);
  for (Sample& s : samples) {
    const float whole = std::floor(position);
    s.index = std::clamp(RoundToInt(whole), 0, sourceCount - 1);
    s.next = std::min(s.index + 1, sourceCount - 1);
    s.fraction = position - whole;
    position += step;
  }
  return samples;
}

#if !defined(__SSE2__)
// a + (b - a) * t in single precision, rounded half up to a channel value.
// With t in [0, 1) the value lies between a and b, so it is never negative
// and adding one half then truncating rounds it.
uint32_t Lerp(uint32_t a, uint32_t b, float t) {
  const float value = static_cast<float>(a) + (static_cast<float>(b) - static_cast<float>(a)) * t;
  return static_cast<uint32_t>(static_cast<double>(value) + 0.5);
}

uint32_t Channel(Pixel p, int shift) { return (p >> shift) & 0xFF; }

#else
// The three channels at once: the same single precision operations in the
// same order as a + (b - a) * t on one channel, and the same rounding.
__m128 ChannelsOf(Pixel p) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i bytes = _mm_cvtsi32_si128(static_cast<int>(p));
  return _mm_cvtepi32_ps(_mm_unpacklo_epi16(_mm_unpacklo_epi8(bytes, zero), zero));
}

__m128 Lerp4(__m128 a, __m128 b, __m128 t) { return _mm_add_ps(a, _mm_mul_ps(_mm_sub_ps(b, a), t)); }

// floor(v + 1/2) for v >= 0: the whole part, plus one when the fraction
// (exact, v being below 256) is at least a half.
__m128 RoundHalfUp4(__m128 v) {
  const __m128 whole = _mm_cvtepi32_ps(_mm_cvttps_epi32(v));
  const __m128 up = _mm_cmpge_ps(_mm_sub_ps(v, whole), _mm_set1_ps(0.5f));
  return _mm_add_ps(whole, _mm_and_ps(up, _mm_set1_ps(1.0f)));
}

Pixel PixelOfChannels(__m128 channels) {
  const __m128i words = _mm_cvttps_epi32(channels);  // whole values 0..255
  const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(words, words), _mm_setzero_si128());
  return static_cast<Pixel>(_mm_cvtsi128_si32(bytes)) & 0x00FFFFFF;
}
#endif

// Interpolates along x first, rounding each row's value to a whole channel
// value, then along y.
Pixel BlendBilinear(const Surface& s, const Sample& sx, const Sample& sy) {
  const Pixel p00 = s.At(sx.index, sy.index), p10 = s.At(sx.next, sy.index);
  const Pixel p01 = s.At(sx.index, sy.next), p11 = s.At(sx.next, sy.next);
#if defined(__SSE2__)
  const __m128 tx = _mm_set1_ps(sx.fraction);
  const __m128 top = RoundHalfUp4(Lerp4(ChannelsOf(p00), ChannelsOf(p10), tx));
  const __m128 bottom = RoundHalfUp4(Lerp4(ChannelsOf(p01), ChannelsOf(p11), tx));
  return PixelOfChannels(RoundHalfUp4(Lerp4(top, bottom, _mm_set1_ps(sy.fraction))));
#else
  Pixel result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t top = Lerp(Channel(p00, shift), Channel(p10, shift), sx.fraction);
    const uint32_t bottom = Lerp(Channel(p01, shift), Channel(p11, shift), sx.fraction);
    result |= Lerp(top, bottom, sy.fraction) << shift;
  }
  return result;
#endif
}

Surface ScaleBilinearWindow(const Surface& source, int width, int height, const PictureWindow& window) {
  Surface result = MakeSurface(window.width, window.height, 0);
  if (result.Empty()) return result;
  const std::vector<Sample> columns = BilinearSamples(source.width, width, window.x, window.width);
  const std::vector<Sample> rows = BilinearSamples(source.height, height, window.y, window.height);
  for (int y = 0; y < window.height; ++y) {
    Pixel* out = result.Row(y);
    const Sample& row = rows[static_cast<size_t>(y)];
    for (int x = 0; x < window.width; ++x) out[x] = BlendBilinear(source, columns[static_cast<size_t>(x)], row);
  }
  return result;
}

// The window of the picture at its own size: a plain copy.
Surface CopyWindow(const Surface& source, const PictureWindow& window) {
  Surface result = MakeSurface(window.width, window.height, 0);
  if (result.Empty()) return result;
  BlockCopy(result, 0, 0, window.width, window.height, source, window.x, window.y, RasterOp::kSrcCopy);
  return result;
}

// The window of the one-bit picture stretched to width x height.
Surface StretchWindow(const Surface& source, int width, int height, const PictureWindow& window) {
  Surface result = MakeSurface(window.width, window.height, 0);
  if (result.Empty()) return result;
  StretchCopy(result, -window.x, -window.y, width, height, source, 0, 0, source.width, source.height,
              RasterOp::kSrcCopy);
  return result;
}

bool WindowFits(int width, int height, const PictureWindow& w) {
  return w.width > 0 && w.height > 0 && w.x >= 0 && w.y >= 0 && w.x <= width - w.width && w.y <= height - w.height;
}

// How many steps of `increment` can be taken at once from `position`: every
// step from position + j * increment (j below the result) must stay in
// position's binade, where the spacing of floats is fixed. One step less is
// taken than the double arithmetic allows, in case it rounded.
int64_t StepsWithinBinade(float position, float step, double increment) {
  int exponent = 0;
  std::frexp(position, &exponent);  // position in [2^(exponent-1), 2^exponent)
  const double binadeEnd = std::ldexp(1.0, exponent);
  const double spacing = std::ldexp(1.0, exponent - kFloatMantissaBits);
  const double room = binadeEnd - spacing - (static_cast<double>(position) + step);
  return room > 0 ? static_cast<int64_t>(std::floor(room / increment)) - 1 : 0;
}

}  // namespace

float SumOfFloatSteps(float step, int64_t count) {
  float position = 0;
  while (count > 0) {
    const float next = position + step;
    if (next == position) break;  // too small to move it: no later step will
    // Within one binade of floats, when two steps in a row add the same
    // amount every further step that stays in the binade adds it too: a sum
    // exactly half-way between two floats goes to the even one, and a
    // position that is even stays so.
    const double increment = static_cast<double>(next) - position;
    const float nextButOne = next + step;
    if (position > 0 && static_cast<double>(nextButOne) - next == increment) {
      const int64_t jumps = std::min(count, StepsWithinBinade(position, step, increment));
      if (jumps > 0) {
        position = static_cast<float>(position + static_cast<double>(jumps) * increment);
        count -= jumps;
        continue;
      }
    }
    position = next;
    --count;
  }
  return position;
}

Surface ScalePictureWindow(const BmpPicture& picture, int width, int height, const PictureWindow& window) {
  const Surface& source = picture.pixels;
  if (source.Empty() || !WindowFits(width, height, window)) return Surface{};
  if (width == source.width && height == source.height) return CopyWindow(source, window);
  if (picture.bitsPerPixel == 1) return StretchWindow(source, width, height, window);
  return ScaleBilinearWindow(source, width, height, window);
}

}  // namespace ip::platform
