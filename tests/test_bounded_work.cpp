// Bounded work: canvas operations given absurd arguments (coordinates far
// off the canvas or not numbers at all, the widest pen, curves at the size
// limit, stretches by millions) finish, allocate memory bounded by the canvas
// they draw on and the bitmaps they read, and leave the canvas exactly as the
// rules say where that is known. This program replaces the global operator
// new to count the bytes.
//
// The hostile operations live in tests/data/hostile/cases.txt (the format of
// the GDI reference cases) so that other harnesses can replay them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <limits>
#include <map>
#include <new>
#include <string>

#include "platform/raster.h"
#include "platform/raster_blit.h"
#include "tests/support/test_support.h"
#include "tools/case_file.h"

// ---- Counting allocations ----

using namespace ip;

namespace {

struct AllocationCounts {
  size_t live = 0;   // bytes allocated and not yet freed
  size_t peak = 0;   // the most `live` has been since the last reset
  size_t total = 0;  // bytes allocated since the last reset
};
AllocationCounts g_counts;

// Each block carries its size and its offset from the malloc'd start just
// before the pointer handed out.
constexpr size_t kHeaderBytes = 2 * sizeof(size_t);

void* CountedAllocate(size_t size, size_t alignment) {
  const size_t offset = std::max(kHeaderBytes, alignment);
  const size_t bytes = (offset + size + alignment - 1) / alignment * alignment;
  auto* base = static_cast<char*>(alignment > alignof(std::max_align_t) ? std::aligned_alloc(alignment, bytes)
                                                                        : std::malloc(bytes));
  if (base == nullptr) return nullptr;
  char* block = base + offset;
  reinterpret_cast<size_t*>(block)[-2] = offset;
  reinterpret_cast<size_t*>(block)[-1] = size;
  g_counts.live += size;
  g_counts.total += size;
  g_counts.peak = std::max(g_counts.peak, g_counts.live);
  return block;
}

void CountedFree(void* pointer) {
  if (pointer == nullptr) return;
  auto* block = static_cast<char*>(pointer);
  const size_t offset = reinterpret_cast<size_t*>(block)[-2];
  g_counts.live -= reinterpret_cast<size_t*>(block)[-1];
  std::free(block - offset);
}

void* AllocateOrThrow(size_t size, size_t alignment) {
  if (void* block = CountedAllocate(size, alignment)) return block;
  throw std::bad_alloc();
}

constexpr size_t kPlainAlignment = alignof(std::max_align_t);

}  // namespace

void* operator new(size_t size) { return AllocateOrThrow(size, kPlainAlignment); }
void* operator new[](size_t size) { return AllocateOrThrow(size, kPlainAlignment); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return CountedAllocate(size, kPlainAlignment); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return CountedAllocate(size, kPlainAlignment); }
void* operator new(size_t size, std::align_val_t a) { return AllocateOrThrow(size, static_cast<size_t>(a)); }
void* operator new[](size_t size, std::align_val_t a) { return AllocateOrThrow(size, static_cast<size_t>(a)); }
void operator delete(void* p) noexcept { CountedFree(p); }
void operator delete[](void* p) noexcept { CountedFree(p); }
void operator delete(void* p, size_t) noexcept { CountedFree(p); }
void operator delete[](void* p, size_t) noexcept { CountedFree(p); }
void operator delete(void* p, std::align_val_t) noexcept { CountedFree(p); }
void operator delete[](void* p, std::align_val_t) noexcept { CountedFree(p); }
void operator delete(void* p, size_t, std::align_val_t) noexcept { CountedFree(p); }
void operator delete[](void* p, size_t, std::align_val_t) noexcept { CountedFree(p); }

namespace {

// What a piece of work allocated: its peak above what was live before, and
// everything it asked for.
struct Allocated {
  size_t peak = 0;
  size_t total = 0;
};

Allocated Measure(const std::function<void()>& work) {
  const size_t before = g_counts.live;
  g_counts.peak = before;
  g_counts.total = 0;
  work();
  return {g_counts.peak - before, g_counts.total};
}

// The bound: a small multiple of the pixels drawn on and read, plus a fixed
// allowance for the tables every operation may keep (the widest pen's cap,
// a font, the records of a canvas).
constexpr size_t kBytesPerPixel = 4;
constexpr size_t kPixelMultiple = 6;
constexpr size_t kFixedAllowance = 256 * 1024;

size_t Bound(size_t pixels) { return kPixelMultiple * kBytesPerPixel * pixels + kFixedAllowance; }

// ---- The hostile case file ----

std::string HostileCaseFile() { return testing_support::SourceDir() + "/tests/data/hostile/cases.txt"; }

platform::Pixel PixelOf(uint32_t colorRef) { return platform::PixelFromColorRef(colorRef); }
constexpr uint32_t kRed = 0x0000FF;    // as COLORREF 0x00BBGGRR
constexpr uint32_t kGreen = 0x00FF00;  // as COLORREF

int CountOf(const platform::Surface& s, platform::Pixel colour) {
  return static_cast<int>(std::count(s.pixels.begin(), s.pixels.end(), colour));
}

// Every pixel where `where(x, y)` holds has `colour`.
void ExpectColourWhere(const platform::Surface& s, platform::Pixel colour, const std::function<bool(int, int)>& where,
                       const std::string& name) {
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      if (where(x, y)) {
        ASSERT_EQ(s.At(x, y), colour) << name << " at " << x << "," << y;
      }
    }
  }
}

void ExpectAll(const platform::Surface& s, platform::Pixel colour, const std::string& name) {
  EXPECT_EQ(CountOf(s, colour), s.width * s.height) << name;
}

using Check = std::function<void(const platform::Surface&, const cases::Case&)>;

Check AllOf(uint32_t colorRef) {
  return [colorRef](const platform::Surface& s, const cases::Case& c) { ExpectAll(s, PixelOf(colorRef), c.name); };
}

Check Unchanged() {
  return [](const platform::Surface& s, const cases::Case& c) { ExpectAll(s, PixelOf(c.clear), c.name); };
}

// Pixels outside the rectangle [0, right) x [0, bottom) keep the clear colour.
Check UnchangedOutside(int right, int bottom) {
  return [right, bottom](const platform::Surface& s, const cases::Case& c) {
    ExpectColourWhere(s, PixelOf(c.clear), [&](int x, int y) { return x >= right || y >= bottom; }, c.name);
  };
}

// What is known of each hostile case's picture. Cases not listed must only
// finish within the bounds.
std::map<std::string, Check> KnownResults() {
  std::map<std::string, Check> known;
  // Everything on these canvases lies within half a pen width of the outline.
  known["wide-pen-ellipse-far-left"] = AllOf(kRed);
  known["wide-pen-ellipse-far-left-4096"] = AllOf(kRed);
  known["wide-pen-tall-ellipse-4096"] = AllOf(kGreen);
  known["wide-pen-round-rect-huge"] = AllOf(kRed);
  known["wide-pen-pie-huge"] = AllOf(kRed);  // the cap at the centre covers the canvas
  // ... or far inside the ring, in the hole or in the fill.
  known["wide-pen-ellipse-ring-inside"] = Unchanged();
  known["wide-pen-filled-ellipse-at-limit"] = AllOf(kGreen);
  known["wide-line-huge"] = AllOf(kGreen);
  // Curves beyond the size limit and boxes of NaN corners draw nothing.
  known["ellipse-past-curve-limit"] = Unchanged();
  known["boxes-nan-and-huge"] = Unchanged();
  known["pie-huge-thin"] = [](const platform::Surface& s, const cases::Case& c) {
    ExpectColourWhere(s, PixelOf(kRed), [](int, int y) { return y == 0; }, c.name);  // the start radial
    ExpectColourWhere(s, PixelOf(c.clear), [](int, int y) { return y > 0; }, c.name);
  };
  // Pictures: only what lands is drawn; a picture too large to make is left out.
  known["render-bitmap-far-left"] = [](const platform::Surface& s, const cases::Case& c) {
    ExpectColourWhere(s, PixelOf(c.clear), [](int, int y) { return y > 0; }, c.name);
    // So far along a 9-pixel picture every pixel samples the same place.
    ExpectColourWhere(s, s.At(0, 0), [](int, int y) { return y == 0; }, c.name);
    EXPECT_NE(s.At(0, 0), PixelOf(c.clear)) << c.name;
  };
  known["render-bitmap-far-left-too-large"] = Unchanged();
  known["render-bitmap-three-far"] = [](const platform::Surface& s, const cases::Case& c) {
    ExpectColourWhere(s, PixelOf(c.clear), [](int x, int y) { return x != 4 && y != 3; }, c.name);
    EXPECT_NE(s.At(0, 3), PixelOf(c.clear)) << c.name;
    EXPECT_NE(s.At(4, 0), PixelOf(c.clear)) << c.name;
  };
  known["render-bitmap-nan"] = Unchanged();
  // The middle of a 200-million-fold enlargement.
  known["stretch-enlarge-huge"] = [](const platform::Surface& s, const cases::Case& c) {
    ExpectColourWhere(s, cases::SourcePixel(8, 8), [](int x, int y) { return x > 0 && y > 0; }, c.name);
    EXPECT_EQ(s.At(0, 0), cases::SourcePixel(7, 7)) << c.name;
    EXPECT_EQ(s.At(5, 0), cases::SourcePixel(8, 7)) << c.name;
    EXPECT_EQ(s.At(0, 5), cases::SourcePixel(7, 8)) << c.name;
  };
  known["stretch-shrink-huge"] = UnchangedOutside(10, 10);
  known["stretch-shrink-to-one-pixel"] = [](const platform::Surface& s, const cases::Case& c) {
    EXPECT_EQ(CountOf(s, PixelOf(c.clear)), s.width * s.height - 1) << c.name;
  };
  known["stretch-nan-and-offside"] = Unchanged();
  known["copy-onto-smaller"] = AllOf(0);  // copied, then inverted by itself
  return known;
}

size_t PixelsOf(const cases::Case& c) {
  size_t pixels = static_cast<size_t>(c.width) * static_cast<size_t>(c.height);
  if (c.hasSource) pixels += static_cast<size_t>(c.sourceWidth) * static_cast<size_t>(c.sourceHeight);
  return pixels;
}

TEST(HostileCases, FinishWithinTheirCanvasAndDrawWhatIsKnown) {
  cases::CaseFile file;
  cases::ParseError error;
  ASSERT_TRUE(cases::LoadCaseFile(HostileCaseFile(), file, error)) << error.line << ": " << error.reason;
  std::map<std::string, Check> known = KnownResults();
  cases::RunCase(file.cases.front(), file.folder);  // fonts and tables made once, outside the counts
  for (const cases::Case& c : file.cases) {
    platform::Surface picture;
    const Allocated allocated = Measure([&] { picture = cases::RunCase(c, file.folder); });
    ASSERT_FALSE(picture.Empty()) << c.name;
    EXPECT_LE(allocated.peak, Bound(PixelsOf(c))) << c.name;
    EXPECT_LE(allocated.total, Bound(PixelsOf(c))) << c.name;
    if (auto entry = known.find(c.name); entry != known.end()) {
      entry->second(picture, c);
      known.erase(entry);
    }
  }
  for (const auto& [name, check] : known) ADD_FAILURE() << "no case " << name << " in " << HostileCaseFile();
}

// ---- The rasterizer called directly ----

constexpr int kSmallSide = 16;
constexpr int32_t kFar = std::numeric_limits<int32_t>::max();
constexpr int32_t kFarLeft = std::numeric_limits<int32_t>::min();

struct DirectCase {
  const char* name;
  std::function<void(platform::Surface&)> draw;
};

TEST(HostileRaster, PathsShapesAndCopiesStayWithinTheSurface) {
  using namespace platform;
  const RasterPen widest{true, kMaxPenWidth, 0x123456};
  const RasterPen absurd{true, kFarLeft, 0x123456};
  const RasterBrush hatch = HatchBrush(Hatch::kDiagonalCross, 1, true, 2);
  const int32_t half = static_cast<int32_t>(kMaxCurveExtent / 2), limit = 2 * half;
  const Surface source = MakeSurface(64, 64, 0x777777);
  const DirectCase table[] = {
      {"polyline through the corners of the plane",
       [&](Surface& s) {
         DrawPolyline(s, widest, {{kFarLeft, kFarLeft}, {kFar, kFarLeft}, {kFar, kFar}, {kFarLeft, kFar}}, true);
       }},
      {"polyline zigzag far apart",
       [&](Surface& s) {
         DrawPolyline(s, absurd, {{-2000000000, 5}, {2000000000, 9}, {-2000000000, 13}, {7, -2000000000}}, false);
       }},
      {"cosmetic line across the plane",
       [&](Surface& s) { DrawLine(s, {true, 0, 1}, {kFarLeft, kFarLeft + 3}, {kFar, kFar - 5}); }},
      {"ellipse at the curve limit, widest pen",
       [&](Surface& s) { DrawEllipse(s, widest, hatch, -half, -half, half, half); }},
      {"round rect with corners at the curve limit",
       [&](Surface& s) { DrawRoundRect(s, widest, hatch, -1000000, -10, 1000000, 90000, limit, limit); }},
      {"pie at the curve limit, every radial",
       [&](Surface& s) { DrawPie(s, widest, hatch, 0, 0, limit, limit, {kFar, 0}, {kFarLeft, kFarLeft}); }},
      {"arc at the curve limit", [&](Surface& s) { DrawArc(s, widest, -5, -5, limit - 5, 20, {0, 0}, {0, 0}); }},
      {"rectangle of the whole plane",
       [&](Surface& s) { DrawRectangle(s, widest, hatch, kFarLeft, kFarLeft, kFar, kFar); }},
      {"stretch enlarging by the 32-bit range",
       [&](Surface& s) {
         StretchCopy(s, kFarLeft, kFarLeft, kFar, kFar, source, 0, 0, 64, 64, RasterOp::kSrcCopy);
       }},
      {"stretch shrinking the 32-bit range, mirrored",
       [&](Surface& s) {
         StretchCopy(s, 15, 15, -16, -16, source, kFarLeft, kFarLeft, kFar, kFar, RasterOp::kSrcInvert);
       }},
      {"block copy from far away",
       [&](Surface& s) {
         BlockCopy(s, kFarLeft, kFarLeft, kFar, kFar, source, kFarLeft, kFarLeft, RasterOp::kSrcPaint);
       }},
  };
  for (const DirectCase& c : table) {
    Surface surface = MakeSurface(kSmallSide, kSmallSide, 0xFFFFFF);
    const Allocated allocated = Measure([&] { c.draw(surface); });
    EXPECT_LE(allocated.total, Bound(kSmallSide * kSmallSide)) << c.name;
  }
}

TEST(HostileRaster, TheAllocationCounterSeesTheRasterizersBuffers) {
  // A wide stroke's coverage grows with the canvas: the counter must see it.
  platform::Surface surface = platform::MakeSurface(800, 600, 0);
  const Allocated allocated = Measure([&] {
    platform::DrawEllipse(surface, {true, 3, 1}, platform::RasterBrush{}, 10, 10, 790, 590);
  });
  EXPECT_GT(allocated.total, 800u * 4);
}

}  // namespace
