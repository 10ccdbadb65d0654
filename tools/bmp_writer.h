// A minimal writer of uncompressed 24-bit Windows bitmap files (BI_RGB,
// bottom-up rows padded to four bytes) for the development tools.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/file_access.h"

namespace ip::tools {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

// An image of width x height pixels, rows from the top.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;

  Image(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h) {}
  Rgb& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  const Rgb& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

inline void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// The bytes of the bitmap file: file header, BITMAPINFOHEADER, pixel rows.
inline std::vector<uint8_t> EncodeBmp24(const Image& image) {
  constexpr uint32_t kHeadersSize = 14 + 40;
  const uint32_t rowSize = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
  const uint32_t pixelBytes = rowSize * static_cast<uint32_t>(image.height);
  std::vector<uint8_t> out;
  out.reserve(kHeadersSize + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  PutLittleEndian(out, kHeadersSize + pixelBytes, 4);  // file size
  PutLittleEndian(out, 0, 4);                          // reserved
  PutLittleEndian(out, kHeadersSize, 4);               // offset of the pixels
  PutLittleEndian(out, 40, 4);                         // info header size
  PutLittleEndian(out, static_cast<uint32_t>(image.width), 4);
  PutLittleEndian(out, static_cast<uint32_t>(image.height), 4);  // positive: bottom-up
  PutLittleEndian(out, 1, 2);                          // planes
  PutLittleEndian(out, 24, 2);                         // bits per pixel
  PutLittleEndian(out, 0, 4);                          // BI_RGB
  PutLittleEndian(out, pixelBytes, 4);
  PutLittleEndian(out, 2835, 4);                       // 72 dots per inch
  PutLittleEndian(out, 2835, 4);
  PutLittleEndian(out, 0, 4);                          // colours used
  PutLittleEndian(out, 0, 4);                          // important colours
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const Rgb& p = image.At(x, y);
      out.push_back(p.b);
      out.push_back(p.g);
      out.push_back(p.r);
    }
    for (uint32_t pad = static_cast<uint32_t>(image.width) * 3; pad < rowSize; ++pad) out.push_back(0);
  }
  return out;
}

// Writes through a temporary file renamed into place; false with the reason.
inline bool WriteBmp24(const std::string& path, const Image& image, std::string& reason) {
  const std::vector<uint8_t> bytes = EncodeBmp24(image);
  return platform::WriteFileReplacing(
      path,
      [&bytes](std::FILE* file, std::string&) { return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size(); },
      reason);
}

inline bool WriteBmp24(const std::string& path, const Image& image) {
  std::string ignored;
  return WriteBmp24(path, image, ignored);
}

}  // namespace ip::tools
