// window-pixel WINDOW X Y: prints "R G B", the colour an X window shows at
// (X, Y) of its own area, read back from the X server. The real-window
// tests use it to see what a panel draws.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kStatusUsage = 2;
constexpr int kStatusNoPicture = 1;
constexpr unsigned long kChannelMask = 0xFF;
constexpr int kRedShift = 16;
constexpr int kGreenShift = 8;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: window-pixel WINDOW X Y\n");
    return kStatusUsage;
  }
  const Window window = std::strtoul(argv[1], nullptr, 0);
  const int x = std::atoi(argv[2]);
  const int y = std::atoi(argv[3]);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "window-pixel: no X display\n");
    return kStatusNoPicture;
  }
  XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) {
    std::fprintf(stderr, "window-pixel: cannot read (%d, %d) of window %s\n", x, y, argv[1]);
    XCloseDisplay(display);
    return kStatusNoPicture;
  }
  const unsigned long pixel = XGetPixel(image, 0, 0);  // a 24-bit TrueColor screen: 0xRRGGBB
  std::printf("%lu %lu %lu\n", (pixel >> kRedShift) & kChannelMask, (pixel >> kGreenShift) & kChannelMask,
              pixel & kChannelMask);
  XDestroyImage(image);
  XCloseDisplay(display);
  return 0;
}
