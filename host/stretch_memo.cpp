// Repeated stretches served from a kept copy of the pixels they write. A
// source counts as unchanged while its canvas version (renewed whenever the
// canvas is made or attached for drawing) stays the same.
#include "host/stretch_memo.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "host/canvas_internal.h"
#include "host/window_records.h"
#include "instrument_panel/bitmaps.h"
#include "platform/window_system.h"

namespace ip {

namespace {

// Scratch canvases start in two colours that no stretch can write both of,
// so the pixels a stretch writes are exactly those equal on both afterwards.
constexpr platform::Pixel kFirstBlank = 0x000000;
constexpr platform::Pixel kSecondBlank = 0xFFFFFF;

struct StretchArgs {
  Handle source = 0;
  uint64_t sourceVersion = 0;
  int32_t destWidth = 0;
  int32_t destHeight = 0;
  std::array<float, 8> corners{};  // source then destination corners
  bool operator==(const StretchArgs&) const = default;
};

struct KeptStretch {
  StretchArgs args;
  bool seenTwice = false;        // asked for the same stretch at least twice in a row
  bool keepable = true;          // false when the stretch writes no rectangle
  platform::Rect written;        // the pixels it writes, in the canvas
  platform::Surface pixels;      // their values, written.Width() x written.Height()
};

std::unordered_map<Handle, KeptStretch>& Kept() {
  static std::unordered_map<Handle, KeptStretch> kept;
  return kept;
}

// Forgets the pictures of canvases that have gone.
void ForgetGoneCanvases() { std::erase_if(Kept(), [](const auto& entry) { return FindRecord(entry.first) == nullptr; }); }

WindowRecord* SourceCanvas(Handle owner, int32_t id) {
  WindowRecord* source = FindControlRecord(owner, id);
  if (source == nullptr) source = FindRecord(owner);
  return IsCanvas(source) ? source : nullptr;
}

void Stretch(const StretchArgs& a, Handle owner, int32_t id) {
  const auto& c = a.corners;
  CanvasStretch(owner, id, c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], SRCCOPY);
}

// The stretch drawn on a scratch canvas of the destination's size that
// starts filled with `blank`.
platform::Surface StretchOnBlank(const StretchArgs& a, Handle owner, int32_t id, platform::Pixel blank) {
  WindowRecord& scratch = RegisterBitmapCanvas(a.destWidth, a.destHeight);
  const Handle key = scratch.key;
  std::fill(scratch.canvas.bitmap.pixels.begin(), scratch.canvas.bitmap.pixels.end(), blank);
  CanvasAttach(key, 0, 0);
  Stretch(a, owner, id);
  platform::Surface result = std::move(FindRecord(key)->canvas.bitmap);
  FreeRecord(key);
  return result;
}

// Finds the pixels the stretch writes; keeps them when they form a rectangle.
void KeepStretch(KeptStretch& kept, Handle owner, int32_t id) {
  const platform::Surface first = StretchOnBlank(kept.args, owner, id, kFirstBlank);
  const platform::Surface second = StretchOnBlank(kept.args, owner, id, kSecondBlank);
  platform::Rect box{first.width, first.height, 0, 0};
  size_t count = 0;
  for (int y = 0; y < first.height; ++y) {
    for (int x = 0; x < first.width; ++x) {
      if (first.At(x, y) != second.At(x, y)) continue;
      box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
      ++count;
    }
  }
  kept.keepable = count > 0 && count == static_cast<size_t>(box.Width()) * box.Height();
  if (!kept.keepable) return;
  kept.written = box;
  kept.pixels = platform::MakeSurface(box.Width(), box.Height(), 0);
  for (int y = box.top; y < box.bottom; ++y) {
    std::copy(first.Row(y) + box.left, first.Row(y) + box.right, kept.pixels.Row(y - box.top));
  }
}

void PutKept(const KeptStretch& kept, platform::Surface& bitmap) {
  const platform::Rect& r = kept.written;
  for (int y = r.top; y < r.bottom; ++y) {
    const platform::Pixel* from = kept.pixels.Row(y - r.top);
    std::copy(from, from + r.Width(), bitmap.Row(y) + r.left);
  }
}

}  // namespace

void CanvasStretchRepeated(Handle sourceOwner, int32_t sourceId, float sx1, float sy1, float sx2, float sy2, float dx1,
                           float dy1, float dx2, float dy2) {
  WindowRecord* dest = CurrentCanvasRecord();
  const WindowRecord* source = SourceCanvas(sourceOwner, sourceId);
  StretchArgs args{0, 0, 0, 0, {sx1, sy1, sx2, sy2, dx1, dy1, dx2, dy2}};
  if (dest == nullptr || source == nullptr || source == dest || dest->canvas.bitmap.Empty()) {
    Stretch(args, sourceOwner, sourceId);
    return;
  }
  args.source = source->key;
  args.sourceVersion = source->canvas.version;
  args.destWidth = dest->canvas.bitmap.width;
  args.destHeight = dest->canvas.bitmap.height;
  const Handle destKey = dest->key;
  if (Kept().count(destKey) == 0) ForgetGoneCanvases();
  KeptStretch& kept = Kept()[destKey];
  if (kept.args == args && kept.seenTwice && kept.keepable) {
    PutKept(kept, dest->canvas.bitmap);
    RepaintIfImmediate(*dest);
    return;
  }
  if (kept.args == args && !kept.seenTwice) {
    kept.seenTwice = true;
    const int32_t mode = (dest->flags & kFlagRedrawOnRequest) != 0 ? kAttachRedrawOnRequest : 0;
    KeepStretch(kept, sourceOwner, sourceId);
    CanvasAttach(destKey, 0, mode);  // back to the canvas being painted
  } else if (!(kept.args == args)) {
    kept = KeptStretch{};
    kept.args = args;
  }
  Stretch(args, sourceOwner, sourceId);
}

size_t KeptStretchCount() { return Kept().size(); }

}  // namespace ip
