// The shared foundations: rounding (double and extended precision) and pixel surfaces.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "platform/handle_table.h"
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

// What the extended-precision conversion replaces: nearbyintl, then the
// double conversion.
int32_t NearbyintlReference(long double value) { return RoundToInt(static_cast<double>(std::nearbyintl(value))); }

TEST(Rounding, ExtendedPrecisionTiesAndLimits) {
  struct Case {
    long double value;
    int32_t rounded;
  };
  const long double infinity = std::numeric_limits<long double>::infinity();
  const Case cases[] = {
      {0.5L, 0},
      {1.5L, 2},
      {2.5L, 2},
      {-0.5L, 0},
      {-1.5L, -2},
      {77.5L, 78},
      {12.5L, 12},
      {std::nextafterl(12.5L, 13.0L), 13},
      {std::nextafterl(77.5L, 0.0L), 77},
      {-0.0L, 0},
      {2147483646.5L, 2147483646},
      {2147483647.4999L, 2147483647},
      {2147483647.5L, INT32_MIN},  // rounds to 2^31, outside the range
      {-2147483647.5L, INT32_MIN},  // -2^31 itself
      {-2147483648.5L, INT32_MIN},
      {-2147483649.0L, INT32_MIN},
      {0x1p62L, INT32_MIN},
      {-0x1p63L, INT32_MIN},
      {1e30L, INT32_MIN},
      {std::numeric_limits<long double>::max(), INT32_MIN},
      {std::numeric_limits<long double>::denorm_min(), 0},
      {infinity, INT32_MIN},
      {-infinity, INT32_MIN},
      {std::numeric_limits<long double>::quiet_NaN(), INT32_MIN},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RoundExtendedToInt(c.value), c.rounded) << static_cast<double>(c.value);
    EXPECT_EQ(NearbyintlReference(c.value), c.rounded) << static_cast<double>(c.value);
  }
}

// The fast conversion gives what nearbyintl gave for the values the gauges
// round: every half and its neighbours, the colour ramp k * i and 255 - k * i
// for every canvas size (k a 32-bit float), the shade (100 - v) * 2.55 for
// values in hundredths, and numbers of every magnitude.
TEST(Rounding, ExtendedPrecisionAgreesWithNearbyintl) {
  std::vector<long double> values;
  for (int k = -100000; k <= 100000; ++k) {
    const long double half = k + 0.5L;
    values.insert(values.end(), {static_cast<long double>(k), half, std::nextafterl(half, -1e9L),
                                 std::nextafterl(half, 1e9L)});
  }
  for (int size = 1; size <= 1200; ++size) {
    const auto k = static_cast<long double>(static_cast<float>(255.0L / size));
    for (int i = 0; i <= size + 1; ++i) values.insert(values.end(), {k * i, 255 - k * i});
  }
  for (int hundredths = -20000; hundredths <= 30000; ++hundredths) {
    const auto v = static_cast<long double>(static_cast<float>(hundredths / 100.0));
    values.push_back((100 - v) * static_cast<long double>(2.55f));
  }
  std::mt19937_64 random(20240601);
  std::uniform_real_distribution<double> exponent(-10, 64);
  for (int n = 0; n < 200000; ++n) {
    const long double magnitude = std::exp2l(exponent(random));
    values.push_back(n % 2 ? magnitude : -magnitude);
  }
  size_t differing = 0;
  for (long double v : values) {
    if (RoundExtendedToInt(v) != NearbyintlReference(v)) {
      if (++differing <= 5) ADD_FAILURE() << "differs at " << static_cast<double>(v);
    }
  }
  EXPECT_EQ(differing, 0u) << "of " << values.size();
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

// The handle table: found by handle whatever the order of arrival (a counter
// that wrapped round hands out smaller handles), visited in handle order,
// replaced and erased in place; objects stay where they are while others come
// and go.
TEST(HandleTable, FindPutEraseInHandleOrder) {
  platform::HandleTable<int> table;
  for (uint32_t handle : {0x10005u, 0x10001u, 0x10009u, 0x10003u}) table.Put(handle, std::make_unique<int>(handle & 0xF));
  int* three = table.Find(0x10003);
  ASSERT_NE(three, nullptr);
  EXPECT_EQ(*three, 3);
  for (uint32_t missing : {0u, 0x10000u, 0x10002u, 0x1000Au, 0xFFFFFFFFu}) EXPECT_EQ(table.Find(missing), nullptr) << missing;
  table.Put(0x10002, std::make_unique<int>(2));
  table.Erase(0x10001);
  EXPECT_FALSE(table.Erase(0x10001));
  EXPECT_EQ(table.Find(0x10003), three);  // still where it was
  table.Put(0x10005, std::make_unique<int>(50));
  std::vector<int> visited;
  table.ForEach([&](uint32_t, const int& value) { visited.push_back(value); });
  EXPECT_EQ(visited, (std::vector<int>{2, 3, 50, 9}));
  EXPECT_EQ(table.Size(), 4u);
  int* firstOdd = table.FirstWhere([](int value) { return value % 2 == 1; });
  EXPECT_EQ(firstOdd, three);
  EXPECT_EQ(table.FirstWhere([](int value) { return value > 100; }), nullptr);
}
