// Bitmap canvases, bitmap files drawn into a canvas, copies and stretches
// between canvases, and pixel buffers (the snapshot format the instruments
// use to put a background back before redrawing their moving parts).
#include <algorithm>
#include <fstream>
#include <vector>

#include "host/canvas_internal.h"
#include "host/window_records.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "platform/bmp_file.h"
#include "platform/file_access.h"
#include "platform/handles.h"
#include "platform/raster_blit.h"
#include "platform/raster_picture.h"
#include "platform/rounding.h"

namespace ip {

namespace {

constexpr size_t kBitsHeaderBytes = 8;  // width, height
constexpr size_t kBytesPerPixel = 4;

std::vector<std::string>& BitmapSearchFolders() {
  static std::vector<std::string> folders;
  return folders;
}

bool FileExists(const std::string& path) { return platform::IsRegularFile(path); }

// The path a bitmap name refers to: the name itself (relative to the working
// directory) when such a file exists, else the name in the first search
// folder that holds it, else the name in the last search folder.
std::string ResolveBitmapPath(const std::string& name) {
  if (FileExists(name) || name.front() == '/') return name;
  std::string last = name;
  for (const std::string& folder : BitmapSearchFolders()) {
    last = folder + "/" + name;
    if (FileExists(last)) return last;
  }
  return last;
}

// Whether a picture of width x height may be made at all.
bool PictureSizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width * height <= platform::kMaxSurfacePixels;
}

// Reads and decodes a bitmap file by name; false on any failure.
bool ReadPicture(const std::string& name, platform::BmpPicture& picture) {
  return !name.empty() && platform::ReadBmpFile(ResolveBitmapPath(name), picture);
}

// Loads a bitmap file scaled to width x height; empty on any failure.
platform::Surface LoadPicture(const std::string& name, int64_t width, int64_t height) {
  platform::BmpPicture picture;
  if (!PictureSizeAllowed(width, height) || !ReadPicture(name, picture)) return {};
  if (width == picture.pixels.width && height == picture.pixels.height) return std::move(picture.pixels);
  const int w = static_cast<int>(width), h = static_cast<int>(height);
  return platform::ScalePictureWindow(picture, w, h, platform::PictureWindow{0, 0, w, h});
}

// The part of a width x height rectangle at (left, top) that lands on the
// surface, in the rectangle's own coordinates (empty when nothing does).
platform::PictureWindow LandingWindow(const platform::Surface& surface, int32_t left, int32_t top, int32_t width,
                                      int32_t height) {
  const int64_t x0 = std::max<int64_t>(0, -int64_t{left}), y0 = std::max<int64_t>(0, -int64_t{top});
  const int64_t x1 = std::min<int64_t>(width, int64_t{surface.width} - left);
  const int64_t y1 = std::min<int64_t>(height, int64_t{surface.height} - top);
  if (x0 >= x1 || y0 >= y1) return {};
  return {static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0), static_cast<int>(y1 - y0)};
}

// The source canvas of a copy, found the way CanvasAttach finds a canvas.
WindowRecord* FindSourceCanvas(Handle owner, int32_t id) {
  WindowRecord* source = FindControlRecord(owner, id);
  if (source == nullptr) source = FindRecord(owner);
  return IsCanvas(source) ? source : nullptr;
}

platform::RasterOp RasterOpFromMixCode(int32_t mixCode) {
  switch (mixCode) {
    case 2: return platform::RasterOp::kNotSrcErase;
    case 4: return platform::RasterOp::kNotSrcCopy;
    case 5: return platform::RasterOp::kSrcErase;
    case 7: return platform::RasterOp::kSrcInvert;
    case 9: return platform::RasterOp::kSrcAnd;
    case 12: return platform::RasterOp::kMergePaint;
    case 15: return platform::RasterOp::kSrcPaint;
    default: return platform::RasterOp::kSrcCopy;
  }
}

// The pixel count of inclusive corners a..b (b - a + 1), or 0 when it does not
// fit a 32-bit extent (corners far apart, or a coordinate that was not finite).
int32_t InclusiveExtent(int32_t a, int32_t b) {
  int64_t extent = int64_t{b} - a + 1;
  return extent > INT32_MAX || extent < -int64_t{INT32_MAX} ? 0 : static_cast<int32_t>(extent);
}

void WriteInt32(std::string& buffer, size_t offset, int32_t value) {
  uint32_t bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) buffer[offset + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
}

int32_t ReadInt32(const std::string& buffer, size_t offset) {
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= uint32_t{static_cast<uint8_t>(buffer[offset + i])} << (8 * i);
  return static_cast<int32_t>(bits);
}

}  // namespace

void SetBitmapSearchFolder(const std::string& folder) { SetBitmapSearchFolders({folder}); }

void SetBitmapSearchFolders(const std::vector<std::string>& folders) {
  BitmapSearchFolders().clear();
  for (const std::string& folder : folders) {
    if (!folder.empty()) BitmapSearchFolders().push_back(folder);
  }
}

std::string FindBitmapFile(const std::string& name) {
  if (name.empty()) return "";
  const std::string path = ResolveBitmapPath(name);
  return FileExists(path) ? path : "";
}

Handle LoadBitmapCanvas(const std::string& name, int32_t width, int32_t height) {
  platform::Surface picture = LoadPicture(name, width, height);
  if (picture.Empty()) return 0;
  WindowRecord& registered = RegisterBitmapCanvas(width, height);
  registered.canvas.bitmap = std::move(picture);
  return registered.key;
}

// The picture is scaled only where it lands on the canvas: a picture drawn
// millions of pixels wide costs the canvas's pixels, not the picture's.
void CanvasRenderBitmap(const std::string& name, float x1, float y1, float x2, float y2) {
  WindowRecord* record = CurrentCanvasRecord();
  if (record == nullptr) return;
  int32_t left = RoundToInt(x1), top = RoundToInt(y1);
  int32_t width = InclusiveExtent(left, RoundToInt(x2));
  int32_t height = InclusiveExtent(top, RoundToInt(y2));
  platform::BmpPicture file;
  if (!PictureSizeAllowed(width, height) || !ReadPicture(name, file)) return;
  platform::Surface& canvas = record->canvas.bitmap;
  const platform::PictureWindow window = LandingWindow(canvas, left, top, width, height);
  if (window.width > 0 && width == file.pixels.width && height == file.pixels.height) {
    platform::BlockCopy(canvas, left + window.x, top + window.y, window.width, window.height, file.pixels, window.x,
                        window.y, platform::RasterOp::kSrcCopy);  // shown at its own size: no scaling
  } else if (window.width > 0) {
    const platform::Surface picture = platform::ScalePictureWindow(file, width, height, window);
    if (picture.Empty()) return;
    platform::BlockCopy(canvas, left + window.x, top + window.y, window.width, window.height, picture, 0, 0,
                        platform::RasterOp::kSrcCopy);
  }
  RepaintIfImmediate(*record);
}

void CanvasCopy(Handle sourceOwner, int32_t sourceId, int32_t mixCode) {
  WindowRecord* dest = CurrentCanvasRecord();
  WindowRecord* source = FindSourceCanvas(sourceOwner, sourceId);
  if (dest == nullptr || source == nullptr) return;
  platform::Surface& target = dest->canvas.bitmap;
  // A canvas copied onto itself at the same place reads each pixel before
  // writing it, so no temporary copy is needed.
  const platform::Surface& from = source->canvas.bitmap;
  int width = std::min(target.width, from.width);
  int height = std::min(target.height, from.height);
  platform::BlockCopy(target, 0, 0, width, height, from, 0, 0, RasterOpFromMixCode(mixCode));
  RepaintIfImmediate(*dest);
}

void CanvasStretch(Handle sourceOwner, int32_t sourceId, float sx1, float sy1, float sx2, float sy2, float dx1,
                   float dy1, float dx2, float dy2, int32_t mixCode) {
  WindowRecord* dest = CurrentCanvasRecord();
  WindowRecord* source = FindSourceCanvas(sourceOwner, sourceId);
  if (dest == nullptr || source == nullptr) return;
  int32_t sourceLeft = RoundToInt(sx1), sourceTop = RoundToInt(sy1);
  int32_t sourceWidth = InclusiveExtent(sourceLeft, RoundToInt(sx2));
  int32_t sourceHeight = InclusiveExtent(sourceTop, RoundToInt(sy2));
  int32_t destLeft = RoundToInt(dx1), destTop = RoundToInt(dy1);
  int32_t destWidth = InclusiveExtent(destLeft, RoundToInt(dx2));
  int32_t destHeight = InclusiveExtent(destTop, RoundToInt(dy2));
  // Stretching a canvas onto itself reads from an unchanged copy.
  platform::Surface sameCanvasCopy;
  if (source == dest) sameCanvasCopy = source->canvas.bitmap;
  const platform::Surface& from = source == dest ? sameCanvasCopy : source->canvas.bitmap;
  platform::StretchCopy(dest->canvas.bitmap, destLeft, destTop, destWidth, destHeight, from, sourceLeft, sourceTop,
                        sourceWidth, sourceHeight, RasterOpFromMixCode(mixCode));
  RepaintIfImmediate(*dest);
}

std::string CanvasGetBits() {
  const WindowRecord* record = CurrentCanvasRecord();
  if (record == nullptr || record->canvas.bitmap.Empty()) return {};
  const platform::Surface& bitmap = record->canvas.bitmap;
  std::string buffer(kBitsHeaderBytes + bitmap.pixels.size() * kBytesPerPixel, '\0');
  WriteInt32(buffer, 0, bitmap.width);
  WriteInt32(buffer, 4, bitmap.height);
  platform::CopyPixelsToBytes(bitmap.pixels.data(), buffer.data() + kBitsHeaderBytes, bitmap.pixels.size());
  return buffer;
}

void CanvasSetBits(const std::string& buffer) {
  WindowRecord* record = CurrentCanvasRecord();
  if (record == nullptr || buffer.size() < kBitsHeaderBytes) return;
  platform::Surface& bitmap = record->canvas.bitmap;
  int32_t width = ReadInt32(buffer, 0);
  int32_t height = ReadInt32(buffer, 4);
  // Only a whole picture of exactly this canvas's size is taken; anything
  // else (a short buffer, another size, a non-positive size) changes nothing.
  if (bitmap.Empty() || width != bitmap.width || height != bitmap.height) return;
  if (buffer.size() - kBitsHeaderBytes < bitmap.pixels.size() * kBytesPerPixel) return;
  platform::CopyPixelsFromBytes(buffer.data() + kBitsHeaderBytes, bitmap.pixels.data(), bitmap.pixels.size());
  RepaintIfImmediate(*record);
}

}  // namespace ip
