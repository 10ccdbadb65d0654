// Presenting the back buffer on an X11 window through a MIT-SHM image of our
// own, the window's size: each changed rectangle is copied into the shared
// memory (each pixel an N x N block at display scale N), put on the window
// with XShmPutImage, and the requests are sent with one XFlush. No round trip
// waits for the server to finish reading.
//
// Why no XSync is needed: a put is sent only after its rectangle was written,
// and the server reads the shared memory when it carries the put out, so the
// last put of every rectangle reads that rectangle's final pixels. If the
// next frame writes into the image while the server still works through the
// puts of this one, a put shows some of the newer pixels early; the newer
// frame's own put follows, so the window is never left showing a mix.
//
// The image's pixels are 32-bit values 0x00RRGGBB, least significant byte
// first: the bytes B, G, R, 0, exactly the back buffer's pixels, so a copy
// needs no conversion. A window with another pixel format is not served here.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>

#include "platform/display_scale.h"
#include "platform/x11_window.h"

namespace ip::platform {

namespace {

constexpr int kImageDepth = 24;
constexpr int kImageBitsPerPixel = 32;
constexpr unsigned long kRedMask = 0xFF0000;
constexpr unsigned long kGreenMask = 0x00FF00;
constexpr unsigned long kBlueMask = 0x0000FF;
constexpr int kOwnerOnlyAccess = 0600;

struct SharedImage {
  Display* display = nullptr;
  Window window = 0;
  GC gc = nullptr;
  XImage* image = nullptr;
  XShmSegmentInfo segment{};
  int scale = 1;
};

SharedImage shared;

// Set by the error handler in force while the server attaches the memory.
bool attach_failed = false;

int NoteAttachError(Display*, XErrorEvent*) {
  attach_failed = true;
  return 0;
}

// SDL gives its windows a DirectColor visual where the server has one (for
// gamma ramps) and loads its colour map with an identity ramp, so there too a
// pixel value is its colour, as with TrueColor.
bool HasOurPixelFormat(const XWindowAttributes& attributes) {
  const Visual* visual = attributes.visual;
  return attributes.depth == kImageDepth && visual != nullptr &&
         (visual->c_class == TrueColor || visual->c_class == DirectColor) && visual->red_mask == kRedMask &&
         visual->green_mask == kGreenMask && visual->blue_mask == kBlueMask;
}

// Frees whatever of `image` was made: the memory, the image, the GC.
void Release(SharedImage& image, bool attached) {
  if (attached) XShmDetach(image.display, &image.segment);
  if (image.segment.shmaddr != nullptr) shmdt(image.segment.shmaddr);
  if (image.image != nullptr) {
    image.image->data = nullptr;  // the shared memory is not Xlib's to free
    XDestroyImage(image.image);
  }
  if (image.gc != nullptr) XFreeGC(image.display, image.gc);
  if (attached) XFlush(image.display);
  image = SharedImage{};
}

// Makes the shared memory behind `image.image` and maps it here.
bool MapSharedMemory(SharedImage& image, std::string& reason) {
  const size_t bytes = static_cast<size_t>(image.image->bytes_per_line) * image.image->height;
  image.segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | kOwnerOnlyAccess);
  if (image.segment.shmid < 0) {
    reason = "no shared memory segment";
    return false;
  }
  void* address = shmat(image.segment.shmid, nullptr, 0);
  if (address == reinterpret_cast<void*>(-1)) {
    shmctl(image.segment.shmid, IPC_RMID, nullptr);
    reason = "the shared memory could not be mapped";
    return false;
  }
  image.segment.shmaddr = static_cast<char*>(address);
  image.image->data = image.segment.shmaddr;
  image.segment.readOnly = True;
  return true;
}

// Has the server attach the memory, and waits to learn whether it could (a
// server on another machine cannot). The segment is marked for removal at
// once: it goes when both sides have let it go, even if this process dies.
bool AttachToServer(SharedImage& image, std::string& reason) {
  attach_failed = false;
  XSync(image.display, False);  // errors of earlier requests are not ours to catch
  const auto previousHandler = XSetErrorHandler(NoteAttachError);
  const Status sent = XShmAttach(image.display, &image.segment);
  XSync(image.display, False);
  XSetErrorHandler(previousHandler);
  shmctl(image.segment.shmid, IPC_RMID, nullptr);
  if (sent == 0 || attach_failed) {
    reason = "the X server could not attach the shared memory";
    return false;
  }
  return true;
}

bool MakeImage(SharedImage& image, const XWindowAttributes& attributes, int width, int height, std::string& reason) {
  image.image = XShmCreateImage(image.display, attributes.visual, static_cast<unsigned>(attributes.depth), ZPixmap,
                                nullptr, &image.segment, static_cast<unsigned>(width), static_cast<unsigned>(height));
  if (image.image == nullptr) {
    reason = "no shared-memory image";
    return false;
  }
  if (image.image->bits_per_pixel != kImageBitsPerPixel || image.image->byte_order != LSBFirst) {
    reason = "the image's pixels are not 32-bit, least significant byte first";
    return false;
  }
  return true;
}

// The back buffer's rectangle `r` clipped to the back buffer and to what the
// image can hold at the display scale.
Rect ClipToImage(const Rect& r, const Surface& backBuffer) {
  const int n = shared.scale;
  const int width = std::min(backBuffer.width, shared.image->width / n);
  const int height = std::min(backBuffer.height, shared.image->height / n);
  return Rect{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width), std::min(r.bottom, height)};
}

void PutOnWindow(int x, int y, int width, int height) {
  XShmPutImage(shared.display, shared.window, shared.gc, shared.image, x, y, x, y, static_cast<unsigned>(width),
               static_cast<unsigned>(height), False);
}

}  // namespace

bool StartX11Present(_XDisplay* display, X11Window window, int width, int height, int scale, std::string& reason) {
  StopX11Present();
  if (display == nullptr || width <= 0 || height <= 0 || scale < 1) {
    reason = "no window to present to";
    return false;
  }
  if (XShmQueryExtension(display) == False) {
    reason = "the X server has no MIT-SHM extension";
    return false;
  }
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, window, &attributes) == 0) {
    reason = "the window's attributes cannot be read";
    return false;
  }
  if (!HasOurPixelFormat(attributes)) {
    reason = "the window's pixels are not 24-bit 0xRRGGBB";
    return false;
  }
  // Made in place: the image keeps the address of its segment information.
  shared.display = display;
  shared.window = window;
  shared.scale = scale;
  if (!MakeImage(shared, attributes, width, height, reason) || !MapSharedMemory(shared, reason) ||
      !AttachToServer(shared, reason)) {
    Release(shared, false);
    return false;
  }
  shared.gc = XCreateGC(display, window, 0, nullptr);
  return true;
}

void StopX11Present() {
  if (shared.image != nullptr) Release(shared, true);
}

bool X11PresentActive() { return shared.image != nullptr; }

void X11Present(const Surface& backBuffer, const std::vector<Rect>& changed) {
  if (shared.image == nullptr || backBuffer.Empty()) return;
  const int n = shared.scale;
  auto* pixels = reinterpret_cast<Pixel*>(shared.image->data);
  const size_t pitch = static_cast<size_t>(shared.image->bytes_per_line) / sizeof(Pixel);
  for (const Rect& r : changed) {
    const Rect area = ClipToImage(r, backBuffer);
    if (area.Width() <= 0 || area.Height() <= 0) continue;
    const size_t topLeft = static_cast<size_t>(area.top) * n * pitch + static_cast<size_t>(area.left) * n;
    ReplicatePixels(backBuffer, area, n, pixels + topLeft, pitch);
    PutOnWindow(area.left * n, area.top * n, area.Width() * n, area.Height() * n);
  }
  XFlush(shared.display);
}

void X11PresentAgain() {
  if (shared.image == nullptr) return;
  PutOnWindow(0, 0, shared.image->width, shared.image->height);
  XFlush(shared.display);
}

}  // namespace ip::platform
