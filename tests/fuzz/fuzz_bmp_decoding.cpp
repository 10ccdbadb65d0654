// Fuzz harness: the BMP decoder and the picture scaler.
// Every input is decoded; an accepted picture must be consistent and is
// scaled to a small size taken from the input's last bytes, both up and down,
// through the bilinear and the one-bit rule.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/bmp_file.h"

using namespace ip;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::BmpPicture picture;
  if (!platform::DecodeBmp(data, size, picture)) return 0;
  const platform::Surface& pixels = picture.pixels;
  if (pixels.Empty() || pixels.pixels.size() != static_cast<size_t>(pixels.width) * pixels.height) std::abort();
  int width = size >= 1 ? 1 + data[size - 1] % 48 : 1;
  int height = size >= 2 ? 1 + data[size - 2] % 48 : 1;
  platform::Surface scaled = platform::ScalePicture(picture, width, height);
  if (scaled.width != width || scaled.height != height) std::abort();
  picture.bitsPerPixel = picture.bitsPerPixel == 1 ? 24 : 1;  // the other rule too
  scaled = platform::ScalePicture(picture, width, height);
  if (scaled.width != width || scaled.height != height) std::abort();
  return 0;
}
