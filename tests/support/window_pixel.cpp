// Reads pixels of a window on the X server in DISPLAY, for the real-window
// tests: `window-pixel WINDOW X Y [X Y ...]` prints "R G B" for each point
// (window coordinates), one line each. Status 1 when the display, the window
// or a point cannot be read, 2 for bad arguments.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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

bool PrintPixel(Display* display, Window window, const XWindowAttributes& attributes, int x, int y) {
  if (x < 0 || y < 0 || x >= attributes.width || y >= attributes.height) return false;
  XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  const unsigned long pixel = XGetPixel(image, 0, 0);
  const Visual* visual = attributes.visual;
  std::printf("%u %u %u\n", Channel(pixel, visual->red_mask), Channel(pixel, visual->green_mask),
              Channel(pixel, visual->blue_mask));
  XDestroyImage(image);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || argc % 2 != 0) {
    std::fprintf(stderr, "usage: window-pixel WINDOW X Y [X Y ...]\n");
    return kUsageStatus;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "window-pixel: cannot open the display\n");
    return 1;
  }
  const Window window = std::strtoul(argv[1], nullptr, 0);
  XWindowAttributes attributes{};
  int status = 0;
  if (XGetWindowAttributes(display, window, &attributes) == 0) {
    std::fprintf(stderr, "window-pixel: no window %s\n", argv[1]);
    status = 1;
  }
  for (int i = 2; status == 0 && i + 1 < argc; i += 2) {
    if (!PrintPixel(display, window, attributes, std::atoi(argv[i]), std::atoi(argv[i + 1]))) {
      std::fprintf(stderr, "window-pixel: cannot read (%s, %s)\n", argv[i], argv[i + 1]);
      status = 1;
    }
  }
  XCloseDisplay(display);
  return status;
}
