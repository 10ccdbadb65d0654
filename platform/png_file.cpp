// PNG files through libpng's simplified API.
#include "platform/png_file.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace ip::platform {

bool WritePngFile(const std::string& path, const Surface& surface) {
  if (surface.Empty()) return false;
  std::vector<png_byte> rgb(static_cast<size_t>(surface.width) * surface.height * 3);
  for (size_t i = 0; i < surface.pixels.size(); ++i) {
    Pixel p = surface.pixels[i];
    rgb[i * 3 + 0] = static_cast<png_byte>(p >> 16);
    rgb[i * 3 + 1] = static_cast<png_byte>(p >> 8);
    rgb[i * 3 + 2] = static_cast<png_byte>(p);
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(surface.width);
  image.height = static_cast<png_uint_32>(surface.height);
  image.format = PNG_FORMAT_RGB;
  int ok = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr);
  png_image_free(&image);
  return ok != 0;
}

bool ReadPngFile(const std::string& path, Surface& out) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  if (int64_t{image.width} * image.height > kMaxSurfacePixels) {
    png_image_free(&image);
    return false;
  }
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  out = MakeSurface(static_cast<int>(image.width), static_cast<int>(image.height), 0);
  for (size_t i = 0; i < out.pixels.size(); ++i) {
    out.pixels[i] = (Pixel{rgb[i * 3]} << 16) | (Pixel{rgb[i * 3 + 1]} << 8) | rgb[i * 3 + 2];
  }
  return true;
}

}  // namespace ip::platform
