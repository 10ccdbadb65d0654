// Bookkeeping of the changed parts of a back buffer.
#include "platform/dirty_region.h"

#include <algorithm>

namespace ip::platform {

namespace {

bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

bool Inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

Rect Intersection(const Rect& a, const Rect& b) {
  return Rect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

}  // namespace

void AddDirtyRect(DirtyRegion& region, Rect changed, Rect bounds) {
  const Rect clipped = Intersection(changed, bounds);
  if (IsEmpty(clipped)) return;
  for (const Rect& listed : region.rects) {
    if (Inside(clipped, listed)) return;
  }
  std::erase_if(region.rects, [&](const Rect& listed) { return Inside(listed, clipped); });
  region.rects.push_back(clipped);
  if (region.rects.size() > kMaxDirtyRects) region.rects = {DirtyBounds(region)};
}

Rect DirtyBounds(const DirtyRegion& region) {
  if (region.rects.empty()) return {};
  Rect around = region.rects.front();
  for (const Rect& r : region.rects) {
    around.left = std::min(around.left, r.left);
    around.top = std::min(around.top, r.top);
    around.right = std::max(around.right, r.right);
    around.bottom = std::max(around.bottom, r.bottom);
  }
  return around;
}

}  // namespace ip::platform
