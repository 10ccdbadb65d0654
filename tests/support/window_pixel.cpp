// Reads pixels of a window on the X server in DISPLAY, for the real-window
// tests:
//   window-pixel WINDOW X Y [X Y ...]   prints "R G B" for each point (window
//       coordinates), one line each;
//   window-pixel WINDOW --grab OUT.png [EXPECTED.png]   writes the whole
//       window to OUT.png and, given EXPECTED.png, compares the two pixel for
//       pixel, naming the first pixel that differs (or the two sizes).
// Status 1 when the display, the window or a point cannot be read, or the
// window differs from the expected picture; 2 for bad arguments.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/png_file.h"

namespace {

constexpr int kUsageStatus = 2;

// The 8-bit value of the channel that `mask` selects from `pixel`.
unsigned Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  const unsigned long top = mask >> shift;
  return static_cast<unsigned>(((pixel & mask) >> shift) * 255 / top);
}

// `pixel` of the window's visual as 0x00RRGGBB.
ip::platform::Pixel AsRgb(unsigned long pixel, const Visual* visual) {
  return (Channel(pixel, visual->red_mask) << 16) | (Channel(pixel, visual->green_mask) << 8) |
         Channel(pixel, visual->blue_mask);
}

bool PrintPixel(Display* display, Window window, const XWindowAttributes& attributes, int x, int y) {
  if (x < 0 || y < 0 || x >= attributes.width || y >= attributes.height) return false;
  XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  const ip::platform::Pixel rgb = AsRgb(XGetPixel(image, 0, 0), attributes.visual);
  std::printf("%u %u %u\n", rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
  XDestroyImage(image);
  return true;
}

int PrintPixels(Display* display, Window window, const XWindowAttributes& attributes, int count, char** points) {
  for (int i = 0; i + 1 < count; i += 2) {
    if (!PrintPixel(display, window, attributes, std::atoi(points[i]), std::atoi(points[i + 1]))) {
      std::fprintf(stderr, "window-pixel: cannot read (%s, %s)\n", points[i], points[i + 1]);
      return 1;
    }
  }
  return 0;
}

bool GrabWindow(Display* display, Window window, const XWindowAttributes& attributes, ip::platform::Surface& out) {
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  out = ip::platform::MakeSurface(attributes.width, attributes.height, 0);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) out.Row(y)[x] = AsRgb(XGetPixel(image, x, y), attributes.visual);
  }
  XDestroyImage(image);
  return !out.Empty();
}

// True when `shown` equals `expected`; otherwise says where they first differ.
bool SamePicture(const ip::platform::Surface& shown, const ip::platform::Surface& expected) {
  if (shown.width != expected.width || shown.height != expected.height) {
    std::fprintf(stderr, "window-pixel: the window is %d x %d, the picture %d x %d\n", shown.width, shown.height,
                 expected.width, expected.height);
    return false;
  }
  for (int y = 0; y < shown.height; ++y) {
    for (int x = 0; x < shown.width; ++x) {
      if (shown.At(x, y) == expected.At(x, y)) continue;
      std::fprintf(stderr, "window-pixel: first difference at (%d, %d): window #%06X, picture #%06X\n", x, y,
                   shown.At(x, y), expected.At(x, y));
      return false;
    }
  }
  return true;
}

int GrabAndCompare(Display* display, Window window, const XWindowAttributes& attributes, const char* outPath,
                   const char* expectedPath) {
  ip::platform::Surface shown;
  if (!GrabWindow(display, window, attributes, shown) || !ip::platform::WritePngFile(outPath, shown)) {
    std::fprintf(stderr, "window-pixel: cannot grab the window into %s\n", outPath);
    return 1;
  }
  if (expectedPath == nullptr) return 0;
  ip::platform::Surface expected;
  if (!ip::platform::ReadPngFile(expectedPath, expected)) {
    std::fprintf(stderr, "window-pixel: cannot read %s\n", expectedPath);
    return 1;
  }
  return SamePicture(shown, expected) ? 0 : 1;
}

bool IsGrab(int argc, char** argv) { return argc >= 4 && std::strcmp(argv[2], "--grab") == 0 && argc <= 5; }

}  // namespace

int main(int argc, char** argv) {
  if (!IsGrab(argc, argv) && (argc < 4 || argc % 2 != 0)) {
    std::fprintf(stderr, "usage: window-pixel WINDOW X Y [X Y ...]\n       window-pixel WINDOW --grab OUT.png [EXPECTED.png]\n");
    return kUsageStatus;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "window-pixel: cannot open the display\n");
    return 1;
  }
  const Window window = std::strtoul(argv[1], nullptr, 0);
  XWindowAttributes attributes{};
  int status = 1;
  if (XGetWindowAttributes(display, window, &attributes) == 0) {
    std::fprintf(stderr, "window-pixel: no window %s\n", argv[1]);
  } else if (IsGrab(argc, argv)) {
    status = GrabAndCompare(display, window, attributes, argv[3], argc == 5 ? argv[4] : nullptr);
  } else {
    status = PrintPixels(display, window, attributes, argc - 2, argv + 2);
  }
  XCloseDisplay(display);
  return status;
}
