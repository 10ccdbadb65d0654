// BMP decoding. The file is parsed in two steps: the layout (headers,
// palette, channel masks, where the pixels are and how many bytes they take)
// is read and checked with 64-bit arithmetic first, then the pixel rows are
// converted. Nothing is read outside the data and nothing is allocated before
// the picture is known to be within the surface size limit.
#include "platform/bmp_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "platform/file_access.h"
#include "platform/raster_picture.h"
#include "platform/rounding.h"

namespace ip::platform {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kV2HeaderSize = 52;  // info header + RGB masks
constexpr uint32_t kV3HeaderSize = 56;  // info header + RGBA masks
constexpr uint32_t kV4HeaderSize = 108;
constexpr uint32_t kV5HeaderSize = 124;
constexpr uint32_t kMaskBytes = 12;  // three 32-bit masks after an info header
constexpr uint32_t kCompressionRgb = 0;
constexpr uint32_t kCompressionBitfields = 3;
// Enough bytes for any header, masks and the largest palette.
constexpr size_t kLayoutProbeBytes = kFileHeaderSize + kV5HeaderSize + kMaskBytes + 256 * 4;

// Where everything of a file is, after checking that it is all inside.
struct BmpLayout {
  int width = 0;
  int height = 0;  // rows, positive
  bool topDown = false;
  int bitsPerPixel = 0;
  std::array<uint32_t, 3> masks{};  // red, green, blue (16 and 32 bits per pixel)
  uint64_t paletteOffset = 0;
  uint32_t paletteCount = 0;
  uint32_t paletteEntrySize = 4;
  uint64_t pixelOffset = 0;
  uint64_t rowStride = 0;
  uint64_t EndOfPixels() const { return pixelOffset + rowStride * static_cast<uint64_t>(height); }
};

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t ReadU32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
int32_t ReadI32(const uint8_t* p) { return static_cast<int32_t>(ReadU32(p)); }

bool IsKnownHeaderSize(uint32_t size) {
  return size == kCoreHeaderSize || size == kInfoHeaderSize || size == kV2HeaderSize || size == kV3HeaderSize ||
         size == kV4HeaderSize || size == kV5HeaderSize;
}

bool IsSupportedDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// A mask is usable when it is not zero and fits in the pixel.
bool IsUsableMask(uint32_t mask, int bitsPerPixel) {
  if (mask == 0) return false;
  return bitsPerPixel == 32 || (mask >> bitsPerPixel) == 0;
}

// Reads width, height, depth and compression; false for anything unsupported.
bool ParseDimensions(const uint8_t* info, uint32_t headerSize, int64_t& width, int64_t& height, int& bits,
                     uint32_t& compression) {
  if (headerSize == kCoreHeaderSize) {
    width = ReadU16(info + 4);
    height = ReadU16(info + 6);
    if (ReadU16(info + 8) != 1) return false;
    bits = ReadU16(info + 10);
    compression = kCompressionRgb;
    return true;
  }
  width = ReadI32(info + 4);
  height = ReadI32(info + 8);
  if (ReadU16(info + 12) != 1) return false;
  bits = ReadU16(info + 14);
  compression = ReadU32(info + 16);
  return true;
}

// Fills in the masks of a 16 or 32 bits per pixel picture.
bool ParseMasks(const uint8_t* data, size_t size, uint32_t headerSize, uint32_t compression, BmpLayout& layout) {
  if (compression == kCompressionRgb) {
    layout.masks = layout.bitsPerPixel == 16 ? std::array<uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                                             : std::array<uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
    return true;
  }
  uint64_t maskOffset = kFileHeaderSize + uint64_t{kInfoHeaderSize};  // inside V2+ headers, else right after
  if (maskOffset + kMaskBytes > size) return false;
  if (headerSize == kInfoHeaderSize) layout.paletteOffset += kMaskBytes;
  for (int i = 0; i < 3; ++i) {
    layout.masks[i] = ReadU32(data + maskOffset + 4 * i);
    if (!IsUsableMask(layout.masks[i], layout.bitsPerPixel)) return false;
  }
  return true;
}

// Reads and checks the layout. Needs the headers, masks and palette within
// `size`; the pixel data itself is checked by the caller.
bool ParseLayout(const uint8_t* data, size_t size, BmpLayout& layout) {
  if (data == nullptr || size < kFileHeaderSize + 4) return false;
  if (data[0] != 'B' || data[1] != 'M') return false;
  const uint8_t* info = data + kFileHeaderSize;
  uint32_t headerSize = ReadU32(info);
  if (!IsKnownHeaderSize(headerSize) || kFileHeaderSize + uint64_t{headerSize} > size) return false;

  int64_t width = 0, height = 0;
  int bits = 0;
  uint32_t compression = 0;
  if (!ParseDimensions(info, headerSize, width, height, bits, compression)) return false;
  if (!IsSupportedDepth(bits)) return false;
  if (compression != kCompressionRgb && !(compression == kCompressionBitfields && (bits == 16 || bits == 32))) {
    return false;
  }
  layout.topDown = height < 0;
  if (height < 0) height = -height;
  if (width <= 0 || height <= 0 || width * height > kMaxSurfacePixels) return false;
  layout.width = static_cast<int>(width);
  layout.height = static_cast<int>(height);
  layout.bitsPerPixel = bits;
  layout.paletteOffset = kFileHeaderSize + uint64_t{headerSize};
  layout.paletteEntrySize = headerSize == kCoreHeaderSize ? 3 : 4;
  if (bits >= 16 && !ParseMasks(data, size, headerSize, compression, layout)) return false;

  layout.pixelOffset = ReadU32(data + 10);
  if (layout.pixelOffset < layout.paletteOffset) return false;  // pixels would overlap the headers
  if (bits <= 8) {
    uint32_t maxColors = 1u << bits;
    uint32_t used = headerSize == kCoreHeaderSize ? 0 : ReadU32(info + 32);
    if (used > maxColors) return false;
    // Without a colour count the palette is what fits before the pixels, up
    // to 2^bits entries (writers often store fewer).
    uint64_t room = (layout.pixelOffset - layout.paletteOffset) / layout.paletteEntrySize;
    uint32_t count = used != 0 ? used : static_cast<uint32_t>(std::min<uint64_t>(maxColors, room));
    if (count == 0 || count > room) return false;
    uint64_t paletteEnd = layout.paletteOffset + uint64_t{count} * layout.paletteEntrySize;
    if (paletteEnd > size) return false;
    layout.paletteCount = count;
  }
  layout.rowStride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
  return true;
}

// Expands an n-bit channel value to 8 bits by repeating its bits (31 -> 255).
uint32_t ExpandChannel(uint32_t value, int bits) {
  if (bits >= 8) return (value >> (bits - 8)) & 0xFF;
  uint32_t result = 0;
  for (int shift = 8 - bits; shift > -bits; shift -= bits) {
    result |= shift >= 0 ? value << shift : value >> -shift;
  }
  return result & 0xFF;
}

uint32_t ExtractChannel(uint32_t raw, uint32_t mask) {
  int shift = std::countr_zero(mask);
  int bits = 32 - std::countl_zero(mask) - shift;
  return ExpandChannel((raw & mask) >> shift, bits);
}

Pixel PixelFromMasked(uint32_t raw, const std::array<uint32_t, 3>& masks) {
  return (ExtractChannel(raw, masks[0]) << 16) | (ExtractChannel(raw, masks[1]) << 8) | ExtractChannel(raw, masks[2]);
}

std::vector<Pixel> ReadPalette(const uint8_t* data, const BmpLayout& layout) {
  std::vector<Pixel> palette(layout.paletteCount);
  const uint8_t* entry = data + layout.paletteOffset;
  for (Pixel& colour : palette) {
    colour = (Pixel{entry[2]} << 16) | (Pixel{entry[1]} << 8) | entry[0];
    entry += layout.paletteEntrySize;
  }
  return palette;
}

// Converts one stored row. Palette indexes past the palette give black.
void DecodeRow(const uint8_t* row, const BmpLayout& layout, const std::vector<Pixel>& palette, Pixel* out) {
  int bits = layout.bitsPerPixel;
  for (int x = 0; x < layout.width; ++x) {
    if (bits <= 8) {
      uint64_t bitPosition = static_cast<uint64_t>(x) * bits;
      uint8_t byte = row[bitPosition / 8];
      int shift = 8 - bits - static_cast<int>(bitPosition % 8);
      uint32_t index = (byte >> shift) & ((1u << bits) - 1);
      out[x] = index < palette.size() ? palette[index] : 0;
    } else if (bits == 16) {
      out[x] = PixelFromMasked(ReadU16(row + 2 * static_cast<size_t>(x)), layout.masks);
    } else if (bits == 24) {
      const uint8_t* p = row + 3 * static_cast<size_t>(x);
      out[x] = (Pixel{p[2]} << 16) | (Pixel{p[1]} << 8) | p[0];
    } else {
      out[x] = PixelFromMasked(ReadU32(row + 4 * static_cast<size_t>(x)), layout.masks);
    }
  }
}

}  // namespace

bool DecodeBmp(const uint8_t* data, size_t size, BmpPicture& out) {
  BmpLayout layout;
  if (!ParseLayout(data, size, layout)) return false;
  if (layout.EndOfPixels() > size) return false;
  Surface pixels = MakeSurface(layout.width, layout.height, 0);
  if (pixels.Empty()) return false;
  std::vector<Pixel> palette = ReadPalette(data, layout);
  for (int stored = 0; stored < layout.height; ++stored) {
    int y = layout.topDown ? stored : layout.height - 1 - stored;
    DecodeRow(data + layout.pixelOffset + layout.rowStride * static_cast<uint64_t>(stored), layout, palette,
              pixels.Row(y));
  }
  out.pixels = std::move(pixels);
  out.bitsPerPixel = layout.bitsPerPixel;
  return true;
}

bool ReadBmpFile(const std::string& path, BmpPicture& out) {
  RegularFile file;
  std::string reason;
  if (!file.Open(path, reason)) return false;  // missing, unreadable or not a regular file
  std::vector<uint8_t> bytes(kLayoutProbeBytes);
  bytes.resize(file.Read(bytes.data(), bytes.size()));
  BmpLayout layout;
  if (!ParseLayout(bytes.data(), bytes.size(), layout)) return false;
  // The layout bounds the file: read exactly up to the end of the pixels.
  uint64_t needed = layout.EndOfPixels();
  if (needed > file.Size()) return false;  // truncated: allocate nothing
  if (needed > bytes.size()) {
    size_t have = bytes.size();
    bytes.resize(static_cast<size_t>(needed));
    if (file.Read(bytes.data() + have, static_cast<size_t>(needed - have)) != needed - have) return false;
  }
  return DecodeBmp(bytes.data(), bytes.size(), out);
}

Surface ScalePicture(const BmpPicture& picture, int width, int height) {
  return ScalePictureWindow(picture, width, height, PictureWindow{0, 0, width, height});
}

Surface LoadBmpScaled(const std::string& path, int width, int height) {
  if (width <= 0 || height <= 0 || int64_t{width} * height > kMaxSurfacePixels) return Surface{};
  BmpPicture picture;
  if (!ReadBmpFile(path, picture)) return Surface{};
  if (width == picture.pixels.width && height == picture.pixels.height) return std::move(picture.pixels);
  return ScalePicture(picture, width, height);
}

}  // namespace ip::platform
