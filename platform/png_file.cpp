// PNG files through libpng's simplified API, opened by name only as
// regular files.
#include "platform/png_file.h"

#include <png.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/file_access.h"

namespace ip::platform {

namespace {

// The largest PNG file read: far more than any picture of kMaxSurfacePixels.
constexpr size_t kMaxPngFileBytes = size_t{1} << 28;

std::vector<png_byte> RgbBytes(const Surface& surface) {
  std::vector<png_byte> rgb(static_cast<size_t>(surface.width) * surface.height * 3);
  for (size_t i = 0; i < surface.pixels.size(); ++i) {
    Pixel p = surface.pixels[i];
    rgb[i * 3 + 0] = static_cast<png_byte>(p >> 16);
    rgb[i * 3 + 1] = static_cast<png_byte>(p >> 8);
    rgb[i * 3 + 2] = static_cast<png_byte>(p);
  }
  return rgb;
}

// Encodes the picture into an open file; the reason is libpng's message
// unless the system said why a write failed.
bool EncodePng(std::FILE* file, const Surface& surface, std::string& reason) {
  const std::vector<png_byte> rgb = RgbBytes(surface);
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(surface.width);
  image.height = static_cast<png_uint_32>(surface.height);
  image.format = PNG_FORMAT_RGB;
  errno = 0;
  const bool ok = png_image_write_to_stdio(&image, file, 0, rgb.data(), 0, nullptr) != 0;
  if (!ok) reason = errno != 0 ? std::strerror(errno) : image.message;
  png_image_free(&image);
  return ok;
}

}  // namespace

bool WritePngFile(const std::string& path, const Surface& surface, std::string& reason) {
  if (surface.Empty()) {
    reason = "there is no picture to write";
    return false;
  }
  return WriteFileReplacing(
      path, [&surface](std::FILE* file, std::string& why) { return EncodePng(file, surface, why); }, reason);
}

bool WritePngFile(const std::string& path, const Surface& surface) {
  std::string ignored;
  return WritePngFile(path, surface, ignored);
}

bool ReadPngFile(const std::string& path, Surface& out) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  std::string bytes, reason;
  if (!ReadRegularFile(path, kMaxPngFileBytes, bytes, reason)) return false;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return false;
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
