// Builds BMP files in memory for the bitmap tests: any header size, depth,
// compression, palette and channel masks, rows given from the top. The
// fields can be overwritten afterwards to make broken files.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace bmp_builder {

constexpr uint32_t kRgb = 0;
constexpr uint32_t kBitfields = 3;

struct Spec {
  uint32_t headerSize = 40;  // 12, 40, 52, 56, 108 or 124
  int32_t width = 0;
  int32_t height = 0;  // rows; the file stores -height when topDown
  bool topDown = false;
  uint16_t bitsPerPixel = 24;
  uint32_t compression = kRgb;
  std::vector<uint32_t> palette;  // 0x00RRGGBB entries
  uint32_t colorsUsed = 0;        // the header's field (0: 2^bits)
  std::vector<uint32_t> masks;    // red, green, blue; written when compression is kBitfields
  // Raw values from the top row down: palette indexes, 16-bit words, or
  // 0x00RRGGBB for 24 bits, or the 32-bit word for 32 bits.
  std::vector<std::vector<uint32_t>> rows;
};

// Little-endian values at a byte offset.
inline void PutBytes(std::vector<uint8_t>& out, size_t at, uint32_t v, int count) {
  for (int i = 0; i < count; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) { PutBytes(out, at, v, 2); }
inline void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) { PutBytes(out, at, v, 4); }

inline std::vector<uint8_t> EncodeRow(const std::vector<uint32_t>& values, int bits, size_t stride) {
  std::vector<uint8_t> row(stride, 0);
  for (size_t x = 0; x < values.size(); ++x) {
    uint32_t v = values[x];
    if (bits < 8) {
      size_t bit = x * bits;
      row[bit / 8] |= static_cast<uint8_t>(v << (8 - bits - bit % 8));
    } else {
      for (int i = 0; i < bits / 8; ++i) row[x * (bits / 8) + i] = static_cast<uint8_t>(v >> (8 * i));
    }
  }
  return row;
}

// The file bytes of `spec`.
inline std::vector<uint8_t> Build(const Spec& spec) {
  const bool core = spec.headerSize == 12;
  const size_t entrySize = core ? 3 : 4;
  const size_t maskBytes = (spec.compression == kBitfields && spec.headerSize == 40) ? 12 : 0;
  const size_t paletteOffset = 14 + spec.headerSize + maskBytes;
  const size_t pixelOffset = paletteOffset + spec.palette.size() * entrySize;
  const size_t stride = ((static_cast<size_t>(spec.width) * spec.bitsPerPixel + 31) / 32) * 4;
  std::vector<uint8_t> out(pixelOffset + stride * spec.rows.size(), 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<uint32_t>(out.size()));
  Put32(out, 10, static_cast<uint32_t>(pixelOffset));
  Put32(out, 14, spec.headerSize);
  if (core) {
    Put16(out, 18, static_cast<uint32_t>(spec.width));
    Put16(out, 20, static_cast<uint32_t>(spec.height));
    Put16(out, 22, 1);
    Put16(out, 24, spec.bitsPerPixel);
  } else {
    Put32(out, 18, static_cast<uint32_t>(spec.width));
    Put32(out, 22, static_cast<uint32_t>(spec.topDown ? -spec.height : spec.height));
    Put16(out, 26, 1);
    Put16(out, 28, spec.bitsPerPixel);
    Put32(out, 30, spec.compression);
    Put32(out, 46, spec.colorsUsed);
    if (spec.compression == kBitfields) {
      for (size_t i = 0; i < spec.masks.size() && i < 3; ++i) Put32(out, 54 + 4 * i, spec.masks[i]);
    }
  }
  for (size_t i = 0; i < spec.palette.size(); ++i) PutBytes(out, paletteOffset + i * entrySize, spec.palette[i], 3);
  for (size_t r = 0; r < spec.rows.size(); ++r) {
    size_t stored = spec.topDown ? r : spec.rows.size() - 1 - r;
    std::vector<uint8_t> row = EncodeRow(spec.rows[r], spec.bitsPerPixel, stride);
    std::copy(row.begin(), row.end(), out.begin() + static_cast<std::ptrdiff_t>(pixelOffset + stored * stride));
  }
  return out;
}

// A picture of `bits` per pixel with the given raw rows (see Spec::rows) and
// palette; bit fields when `masks` are given.
inline Spec Picture(uint16_t bits, const std::vector<std::vector<uint32_t>>& rows,
                    const std::vector<uint32_t>& palette = {}, const std::vector<uint32_t>& masks = {}) {
  Spec spec;
  spec.bitsPerPixel = bits;
  spec.width = rows.empty() ? 0 : static_cast<int32_t>(rows[0].size());
  spec.height = static_cast<int32_t>(rows.size());
  spec.rows = rows;
  spec.palette = palette;
  spec.masks = masks;
  if (!masks.empty()) spec.compression = kBitfields;
  return spec;
}

// A 24-bit picture with the given 0x00RRGGBB rows.
inline Spec Picture24(const std::vector<std::vector<uint32_t>>& rows) { return Picture(24, rows); }

inline bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace bmp_builder
