// The shared foundations: rounding and pixel surfaces.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/rounding.h"
#include "platform/surface.h"

using namespace ip;

TEST(Rounding, TiesGoToEven) {
  EXPECT_EQ(RoundToInt(77.5), 78);
  EXPECT_EQ(RoundToInt(76.5), 76);
  EXPECT_EQ(RoundToInt(12.5), 12);
  EXPECT_EQ(RoundToInt(-2.5), -2);
  EXPECT_EQ(RoundToInt(-0.5), 0);
  EXPECT_EQ(RoundToInt(3.5), 4);
  EXPECT_EQ(RoundToInt(2.4999), 2);
}

TEST(Rounding, NonFiniteAndOutOfRangeGiveIntMin) {
  EXPECT_EQ(RoundToInt(std::nan("")), INT32_MIN);
  EXPECT_EQ(RoundToInt(std::numeric_limits<double>::infinity()), INT32_MIN);
  EXPECT_EQ(RoundToInt(-std::numeric_limits<double>::infinity()), INT32_MIN);
  EXPECT_EQ(RoundToInt(2147483648.0), INT32_MIN);
  EXPECT_EQ(RoundToInt(2147483647.0), 2147483647);
  EXPECT_EQ(RoundToInt(-2147483648.0), INT32_MIN);
}

TEST(Surface, BadSizesGiveEmptySurfaces) {
  EXPECT_TRUE(platform::MakeSurface(0, 5, 0).Empty());
  EXPECT_TRUE(platform::MakeSurface(-3, 5, 0).Empty());
  EXPECT_TRUE(platform::MakeSurface(100000, 100000, 0).pixels.empty());
  platform::Surface s = platform::MakeSurface(3, 2, 0x123456);
  ASSERT_EQ(s.pixels.size(), 6u);
  EXPECT_EQ(s.At(2, 1), 0x123456u);
}

TEST(Surface, ColorRefAndPixelSwapRedAndBlue) {
  EXPECT_EQ(platform::PixelFromColorRef(0x0000FF), 0xFF0000u);
  EXPECT_EQ(platform::PixelFromColorRef(0x3C4E3C), 0x3C4E3Cu);
  EXPECT_EQ(platform::ColorRefFromPixel(0x123456), 0x563412u);
}
