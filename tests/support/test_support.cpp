// Shared test helpers: data paths, PNG files and exact picture comparison.
#include "tests/support/test_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include <unistd.h>

#include "platform/png_file.h"

using namespace ip;

namespace testing_support {

std::string ReferenceDir() { return std::string(IP_SOURCE_DIR) + "/tests/data/gdi-reference"; }
std::string SourceDir() { return IP_SOURCE_DIR; }
std::string BinaryDir() { return IP_BINARY_DIR; }

std::string ScratchDir() {
  static const std::string folder = [] {
    std::string path = BinaryDir() + "/scratch/" + std::to_string(::getpid());
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

bool ReadPng(const std::string& path, platform::Surface& out) { return platform::ReadPngFile(path, out); }
bool WritePng(const std::string& path, const platform::Surface& surface) {
  return platform::WritePngFile(path, surface);
}

namespace {

std::string Rgb(platform::Pixel p) {
  char text[32];
  std::snprintf(text, sizeof text, "(%u, %u, %u)", (p >> 16) & 255, (p >> 8) & 255, p & 255);
  return text;
}

}  // namespace

std::string ComparePictures(const platform::Surface& expected, const platform::Surface& actual,
                            const std::string& diffPath) {
  std::ostringstream report;
  if (expected.width != actual.width || expected.height != actual.height) {
    report << "size differs: expected " << expected.width << " x " << expected.height << ", got "
           << actual.width << " x " << actual.height;
    return report.str();
  }
  platform::Surface diff = platform::MakeSurface(expected.width, expected.height, 0);
  int64_t wrong = 0;
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      platform::Pixel e = expected.At(x, y) & 0xFFFFFF;
      platform::Pixel a = actual.At(x, y) & 0xFFFFFF;
      if (e == a) {
        diff.Row(y)[x] = (e >> 2) & 0x3F3F3F;  // dimmed picture where equal
        continue;
      }
      diff.Row(y)[x] = 0xFF00FF;
      if (wrong++ == 0) {
        report << "first wrong pixel (" << x << ", " << y << "): expected " << Rgb(e) << ", got " << Rgb(a);
      }
    }
  }
  if (wrong == 0) return "";
  report << "; " << wrong << " pixels differ";
  if (!diffPath.empty() && platform::WritePngFile(diffPath, diff)) report << "; difference image " << diffPath;
  return report.str();
}

std::string CompareWithGolden(const std::string& name, const platform::Surface& actual) {
  const std::string folder = SourceDir() + "/tests/golden";
  const std::string golden = folder + "/" + name + ".png";
  if (std::getenv("IP_UPDATE_GOLDEN") != nullptr) {
    std::filesystem::create_directories(folder);
    if (!WritePng(golden, actual)) return "could not write golden picture " + golden;
  }
  platform::Surface expected;
  if (!ReadPng(golden, expected)) return "missing golden picture " + golden + " (IP_UPDATE_GOLDEN=1 writes it)";
  return ComparePictures(expected, actual, BinaryDir() + "/" + name + "_diff.png");
}

}  // namespace testing_support
