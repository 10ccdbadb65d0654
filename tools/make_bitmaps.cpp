// Draws the panel's seven bitmap files into OUTDIR as 24-bit BMP files:
// two background textures (brushed metal, carbon weave), light and dark wood,
// paper, and a toggle switch with its lever down (OFF) and up (ON).
// Everything is computed from fixed seeds, so every run writes the same bytes.
//
// Usage: make-bitmaps OUTDIR
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <numbers>
#include <string>

#include "platform/rounding.h"
#include "tools/bmp_writer.h"

namespace {

using ip::RoundToInt;
using ip::tools::Image;
using ip::tools::Rgb;

struct Color {
  double r = 0, g = 0, b = 0;
};

Color Mix(const Color& a, const Color& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Color Scale(const Color& c, double f) { return {c.r * f, c.g * f, c.b * f}; }
Color Add(const Color& c, double d) { return {c.r + d, c.g + d, c.b + d}; }

uint8_t Channel(double v) { return static_cast<uint8_t>(std::clamp(RoundToInt(v), 0, 255)); }
Rgb ToRgb(const Color& c) { return {Channel(c.r), Channel(c.g), Channel(c.b)}; }

// ---- Deterministic noise ----

// A well-mixed 32-bit hash of a lattice point and a seed, as a value in [0, 1).
double Hash(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h = seed * 0x9E3779B9u;
  h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
  h = (h ^ (h >> 15)) * 0x2C1B3C6Du;
  h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
  h = (h ^ (h >> 13)) * 0x297A2D39u;
  h ^= h >> 16;
  return h / 4294967296.0;
}

double SmoothStep(double t) { return t * t * (3 - 2 * t); }

// Value noise: lattice hashes blended smoothly, in [0, 1).
double ValueNoise(double x, double y, uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int32_t ix = RoundToInt(fx), iy = RoundToInt(fy);
  const double tx = SmoothStep(x - fx), ty = SmoothStep(y - fy);
  const double top = Hash(ix, iy, seed) + (Hash(ix + 1, iy, seed) - Hash(ix, iy, seed)) * tx;
  const double bottom = Hash(ix, iy + 1, seed) + (Hash(ix + 1, iy + 1, seed) - Hash(ix, iy + 1, seed)) * tx;
  return top + (bottom - top) * ty;
}

// Four octaves of value noise, in [0, 1).
double Fractal(double x, double y, uint32_t seed) {
  double sum = 0, amplitude = 0.5, total = 0;
  for (int octave = 0; octave < 4; ++octave) {
    sum += amplitude * ValueNoise(x, y, seed + octave);
    total += amplitude;
    x *= 2;
    y *= 2;
    amplitude *= 0.5;
  }
  return sum / total;
}

Image Paint(int width, int height, const std::function<Color(int, int)>& shader) {
  Image image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.At(x, y) = ToRgb(shader(x, y));
  return image;
}

// ---- Textures ----

// Brushed aluminium: long horizontal streaks over a light blue-grey.
Image BrushedMetal() {
  constexpr int kSize = 128;
  return Paint(kSize, kSize, [](int x, int y) {
    const double streaks = Fractal(x / 48.0, y / 1.3, 11) - 0.5;
    const double grain = Hash(x, y, 12) - 0.5;
    const double sheen = 12 * std::cos((y - kSize * 0.35) / kSize * std::numbers::pi);
    const double v = 168 + 34 * streaks + 8 * grain + sheen;
    return Color{v - 3, v, v + 6};
  });
}

// Carbon fibre: a twill of 8-pixel tows, each shaded across its width.
Image CarbonWeave() {
  constexpr int kSize = 128, kTow = 8;
  return Paint(kSize, kSize, [](int x, int y) {
    const int cellX = x / kTow, cellY = y / kTow;
    const bool horizontal = ((cellX + cellY) / 2) % 2 == 0;
    const double across = ((horizontal ? y : x) % kTow + 0.5) / kTow;
    const double along = ((horizontal ? x : y) % kTow + 0.5) / kTow;
    const double body = std::sin(std::numbers::pi * across);
    const double fibres = 0.12 * (Hash(horizontal ? y : x, cellX * 31 + cellY, 21) - 0.5);
    const double light = 0.25 + 0.75 * body * body + fibres + 0.1 * std::sin(std::numbers::pi * along);
    return Add(Scale(Color{52, 58, 72}, light), 14);
  });
}

// Wood: growth rings bent by noise, with fine streaks along the grain.
Image Wood(const Color& early, const Color& late, uint32_t seed) {
  constexpr int kWidth = 180, kHeight = 120;
  return Paint(kWidth, kHeight, [&](int x, int y) {
    const double bend = 26 * Fractal(x / 70.0, y / 30.0, seed);
    const double rings = (y + bend + 0.04 * x) / 9.0;
    const double ring = rings - std::floor(rings);
    const double latewood = std::pow(SmoothStep(ring), 3);
    const double streak = Fractal(x / 25.0, y / 0.9, seed + 7) - 0.5;
    const double pore = Hash(x, y, seed + 13) < 0.015 ? -18 : 0;
    return Add(Mix(early, late, 0.75 * latewood), 22 * streak + pore);
  });
}

// Paper: a warm white with soft fibre clouds and a few specks.
Image Paper() {
  constexpr int kWidth = 180, kHeight = 120;
  return Paint(kWidth, kHeight, [](int x, int y) {
    const double clouds = Fractal(x / 18.0, y / 18.0, 31) - 0.5;
    const double fibres = Fractal(x / 3.0, y / 7.0, 37) - 0.5;
    const double speck = Hash(x, y, 41) < 0.004 ? -40 : 0;
    return Add(Color{247, 241, 222}, 14 * clouds + 8 * fibres + speck);
  });
}

// ---- Toggle switch ----

constexpr int kSwitchSize = 64;
constexpr int kSamples = 4;  // per axis, for smooth edges

double Length(double x, double y) { return std::sqrt(x * x + y * y); }

// Distance from p to the segment a-b, and where along it (0..1) the nearest point lies.
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by, double& along) {
  const double dx = bx - ax, dy = by - ay;
  along = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return Length(px - (ax + along * dx), py - (ay + along * dy));
}

// The colour of the switch picture at a point: a metal plate with a round
// bezel, and a chromed lever (with its shadow) pointing down or up.
Color SwitchAt(double x, double y, bool on) {
  const double c = kSwitchSize / 2.0;
  const double tipY = on ? c - 21 : c + 21;

  // Plate: rounded square, lit from the top.
  const double margin = 3, corner = 9;
  const double qx = std::max(std::abs(x - c) - (c - margin - corner), 0.0);
  const double qy = std::max(std::abs(y - c) - (c - margin - corner), 0.0);
  const double plateEdge = Length(qx, qy) - corner;
  Color color{60, 78, 60};  // outside the plate: the panel's colour
  if (plateEdge < 0) color = Mix(Color{212, 214, 218}, Color{138, 140, 146}, y / kSwitchSize);
  if (plateEdge < 0 && plateEdge > -2) color = Scale(color, 0.6);

  // Shadow of the lever on the plate.
  double along = 0;
  const double shadow = SegmentDistance(x - 3, y - 3, c, c, c, tipY, along);
  if (shadow < 4.5 + 2.5 * along || Length(x - 3 - c, y - 3 - tipY) < 7) color = Scale(color, 0.7);

  // Bezel: a ring with a dark hole.
  const double r = Length(x - c, y - c);
  if (r < 14) color = Mix(Color{235, 235, 238}, Color{120, 122, 128}, (y - c + 14) / 28);
  if (r < 14 && r > 12.5) color = Scale(color, 0.55);
  if (r < 7.5) color = Color{40, 40, 44};

  // Lever: a tapered chrome rod, shaded across its width, ending in a ball.
  const double rod = SegmentDistance(x, y, c, c, c, tipY, along);
  const double radius = 3.5 + 2 * along;
  if (rod < radius) {
    const double across = (x - c) / radius;  // -1 left .. 1 right
    const double light = 0.55 + 0.45 * std::cos(std::numbers::pi / 2 * (across + 0.35));
    color = Scale(Color{226, 228, 234}, light);
  }
  const double ball = Length(x - c, y - tipY);
  if (ball < 6.5) {
    const double hx = (x - c + 2) / 6.5, hy = (y - tipY + 2) / 6.5;  // highlight up and left
    const double light = 1.0 - 0.45 * std::min(1.0, Length(hx, hy));
    color = Scale(Color{236, 238, 244}, light);
  }
  return color;
}

Image ToggleSwitch(bool on) {
  return Paint(kSwitchSize, kSwitchSize, [on](int x, int y) {
    Color sum;
    for (int sy = 0; sy < kSamples; ++sy) {
      for (int sx = 0; sx < kSamples; ++sx) {
        const Color c = SwitchAt(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples, on);
        sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
      }
    }
    return Scale(sum, 1.0 / (kSamples * kSamples));
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-bitmaps OUTDIR\n");
    return 2;
  }
  const std::string folder = argv[1];
  const struct {
    const char* name;
    Image image;
  } files[] = {
      {"fondo1.bmp", BrushedMetal()},
      {"fondo2.bmp", CarbonWeave()},
      {"legno1.bmp", Wood(Color{226, 188, 138}, Color{178, 128, 76}, 51)},
      {"legno2.bmp", Wood(Color{118, 68, 36}, Color{58, 28, 12}, 61)},
      {"carta11.bmp", Paper()},
      {"switch1.bmp", ToggleSwitch(false)},
      {"switch2.bmp", ToggleSwitch(true)},
  };
  for (const auto& file : files) {
    const std::string path = folder + "/" + file.name;
    std::string reason;
    if (!ip::tools::WriteBmp24(path, file.image, reason)) {
      std::fprintf(stderr, "make-bitmaps: cannot write %s: %s\n", path.c_str(), reason.c_str());
      return 1;
    }
  }
  return 0;
}
