// The parts of a back buffer changed since it was last shown: a short list of
// rectangles in the buffer's coordinates, clipped to the buffer. Showing
// copies only these rectangles, so the cost of a frame follows what was
// repainted, not the size of the window.
#pragma once

#include <vector>

#include "platform/window_system.h"

namespace ip::platform {

// Past this many rectangles the list becomes the one rectangle around them
// all, so that bookkeeping never costs more than the copy it saves.
constexpr size_t kMaxDirtyRects = 256;

struct DirtyRegion {
  std::vector<Rect> rects;  // disjoint or overlapping; none inside another

  bool Empty() const { return rects.empty(); }
  void Clear() { rects.clear(); }
};

// Adds `changed`, clipped to `bounds` (the buffer's rectangle). A rectangle
// inside one already listed adds nothing; listed ones inside it are dropped.
void AddDirtyRect(DirtyRegion& region, Rect changed, Rect bounds);

// The smallest rectangle around every listed one (empty for an empty list).
Rect DirtyBounds(const DirtyRegion& region);

}  // namespace ip::platform
