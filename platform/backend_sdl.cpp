// The real-window backend on SDL2. The desktop work area comes from
// SDL_GetDisplayUsableBounds; the native window is made when the window
// system shows its top-level window and has no frame of its own in our
// coordinates (SDL places and measures the client area). With a display
// scale of N the window system works in window pixels and this backend
// meets screen pixels: the work area, window position and size are
// multiplied by N on the way out and mouse positions divided on the way in,
// and each presented pixel becomes an N x N block.
//
// On a local X server the window is served by our own X11 path
// (x11_window.h): presenting through a shared-memory image without a round
// trip, and waiting in poll() on the X connection, with SDL reading the
// connection only when there is something to read. Elsewhere (Wayland, a
// remote server, any failure setting it up) SDL's window surface and event
// wait serve it, as they serve a window not yet shown.
#include <SDL.h>
#include <SDL_syswm.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/clock.h"
#include "platform/display_scale.h"
#include "platform/window_backend.h"
#include "platform/window_sdl.h"
#include "platform/x11_window.h"

namespace ip::platform {

namespace {

// Timers due within this long of each other run in one wake, about one tick
// of the clock Windows runs its own timers on: fewer wakes, fewer frames.
constexpr int64_t kRealTimerSlackMs = 15;

// A loop busy with messages asks the X connection for input at most once a
// millisecond; events SDL has already read are taken on every turn.
constexpr int64_t kInputPumpIntervalMs = 1;

SDL_Window* sdl_window = nullptr;
int64_t last_pump_ms = -1;
// The event type that wakes SDL_WaitEvent for the inbox (0 before it is registered).
Uint32 wake_event_type = 0;
int display_scale = 1;
Surface scaled_scratch;  // a presented rectangle at the display scale

// The desktop work area in screen pixels.
Rect RealWorkArea() {
  SDL_Rect bounds{};
  if (SDL_GetDisplayUsableBounds(0, &bounds) != 0 && SDL_GetDisplayBounds(0, &bounds) != 0) return {0, 0, 0, 0};
  return {bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h};
}

double DisplayDensity() {
  float diagonal = 0;
  return SDL_GetDisplayDPI(0, &diagonal, nullptr, nullptr) == 0 ? diagonal : 0.0;
}

Rect SdlWorkArea() { return LogicalWorkArea(RealWorkArea(), display_scale); }

FrameInsets SdlFrame() { return {}; }

// The environment variable IP_REAL_WINDOW_PATH chooses how the window is
// served, so that tests can cover each way: "sdl" SDL's window surface and
// event wait only; "x11" the X11 path, with the reason on standard error
// when it cannot start; unset or anything else, the X11 path where it starts
// and SDL's silently where it does not.
enum class WindowPath { kAutomatic, kSdlOnly, kX11Reported };

WindowPath ChosenWindowPath() {
  const char* chosen = SDL_getenv("IP_REAL_WINDOW_PATH");
  if (chosen == nullptr) return WindowPath::kAutomatic;
  if (std::strcmp(chosen, "sdl") == 0) return WindowPath::kSdlOnly;
  if (std::strcmp(chosen, "x11") == 0) return WindowPath::kX11Reported;
  return WindowPath::kAutomatic;
}

// Serves the new window through the X11 path where it can (width x height
// screen pixels); an empty reason when every part of it started.
std::string StartX11Path(int width, int height) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(sdl_window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    return "the window is not on an X server";
  }
  std::string reason;
  StartX11Present(info.info.x11.display, info.info.x11.window, width, height, display_scale, reason);
  if (!WatchX11Connection(info.info.x11.display)) reason = "no eventfd to wake the wait";
  return reason;
}

void SdlCloseWindow(uint32_t) {
  StopX11Present();
  ForgetX11Connection();
  if (sdl_window != nullptr) SDL_DestroyWindow(sdl_window);
  sdl_window = nullptr;
}

void SdlShowWindow(uint32_t, const std::string& utf8Title, Rect client) {
  SdlCloseWindow(0);
  const int n = display_scale;
  const int width = std::max(1, client.Width() * n);
  const int height = std::max(1, client.Height() * n);
  sdl_window = SDL_CreateWindow(utf8Title.c_str(), client.left * n, client.top * n, width, height, SDL_WINDOW_SHOWN);
  const WindowPath path = ChosenWindowPath();
  if (sdl_window == nullptr || path == WindowPath::kSdlOnly) return;
  const std::string reason = StartX11Path(width, height);
  if (path == WindowPath::kX11Reported && !reason.empty()) {
    std::fprintf(stderr, "the window is served by SDL alone: %s\n", reason.c_str());
  }
}

constexpr int kPixelBytes = static_cast<int>(sizeof(Pixel));

// Converts `width` x `height` pixels starting at `from` (rows `pitch` bytes
// apart, our pixel layout) into the window surface at (x, y), clipped to it.
void ConvertInto(SDL_Surface* screen, const Pixel* from, int pitch, int x, int y, int width, int height) {
  width = std::min(width, screen->w - x);
  height = std::min(height, screen->h - y);
  if (width <= 0 || height <= 0) return;
  auto* to = static_cast<uint8_t*>(screen->pixels) + static_cast<size_t>(y) * screen->pitch +
             static_cast<size_t>(x) * screen->format->BytesPerPixel;
  SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB888, from, pitch, screen->format->format, to, screen->pitch);
}

// Puts one changed rectangle of the back buffer on the window surface at the
// display scale; returns the screen rectangle it covers.
SDL_Rect PutRectangle(SDL_Surface* screen, const Surface& backBuffer, const Rect& r) {
  const int n = display_scale;
  const SDL_Rect onScreen{r.left * n, r.top * n, r.Width() * n, r.Height() * n};
  if (n == 1) {
    ConvertInto(screen, backBuffer.Row(r.top) + r.left, backBuffer.width * kPixelBytes, r.left, r.top, r.Width(),
                r.Height());
    return onScreen;
  }
  if (scaled_scratch.width < onScreen.w || scaled_scratch.height < onScreen.h) {
    scaled_scratch =
        MakeSurface(std::max(scaled_scratch.width, onScreen.w), std::max(scaled_scratch.height, onScreen.h), 0);
    if (scaled_scratch.Empty()) return SDL_Rect{};
  }
  ReplicatePixels(backBuffer, r, n, scaled_scratch, Point{0, 0});
  ConvertInto(screen, scaled_scratch.pixels.data(), scaled_scratch.width * kPixelBytes, onScreen.x, onScreen.y,
              onScreen.w, onScreen.h);
  return onScreen;
}

void SdlPresent(const Surface& backBuffer, const std::vector<Rect>& changed) {
  if (sdl_window == nullptr || backBuffer.Empty() || changed.empty()) return;
  if (X11PresentActive()) {
    X11Present(backBuffer, changed);
    return;
  }
  SDL_Surface* screen = SDL_GetWindowSurface(sdl_window);
  if (screen == nullptr) return;
  std::vector<SDL_Rect> onScreen;
  onScreen.reserve(changed.size());
  if (SDL_MUSTLOCK(screen)) SDL_LockSurface(screen);
  for (const Rect& r : changed) onScreen.push_back(PutRectangle(screen, backBuffer, r));
  if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
  SDL_UpdateWindowSurfaceRects(sdl_window, onScreen.data(), static_cast<int>(onScreen.size()));
}

// The window was exposed: all of it is shown again.
void PresentAgain() {
  if (X11PresentActive()) {
    X11PresentAgain();
  } else if (sdl_window != nullptr) {
    SDL_UpdateWindowSurface(sdl_window);
  }
}

void Translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEMOTION:
      InjectMouseMove(FloorDiv(event.motion.x, display_scale), FloorDiv(event.motion.y, display_scale));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (event.button.button != SDL_BUTTON_LEFT && event.button.button != SDL_BUTTON_RIGHT) break;
      InjectMouseMove(FloorDiv(event.button.x, display_scale), FloorDiv(event.button.y, display_scale));
      InjectMouseButton(event.button.button == SDL_BUTTON_LEFT ? MouseButton::kLeft : MouseButton::kRight,
                        event.type == SDL_MOUSEBUTTONDOWN);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const SDL_Keycode key = event.key.keysym.sym;
      const bool down = event.type == SDL_KEYDOWN;
      if (key == SDLK_ESCAPE) InjectKey(VK_ESCAPE, down);
      if (key == SDLK_RETURN || key == SDLK_KP_ENTER) InjectKey(VK_RETURN, down);
      break;
    }
    case SDL_QUIT:
      InjectCloseButton();
      break;
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          InjectCloseButton();
          break;
        case SDL_WINDOWEVENT_MOVED:
          MoveShownWindow(FloorDiv(event.window.data1, display_scale), FloorDiv(event.window.data2, display_scale));
          break;
        case SDL_WINDOWEVENT_EXPOSED:
          PresentAgain();
          break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          InjectActivation(true);
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          InjectActivation(false);
          break;
        default:
          break;
      }
      break;
    default:
      break;
  }
}

// Translates every event SDL holds; true if there was any.
bool TakeSdlEvents() {
  bool any = false;
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
    Translate(event);
    any = true;
  }
  return any;
}

// SDL reads the X connection; what it read ahead after its last look at it
// is moved where the next wait sees it.
void ReadX11Connection() {
  SDL_PumpEvents();
  X11SettleQueue();
}

bool SdlPoll() {
  const int64_t now = MonotonicMs();
  if (last_pump_ms < 0 || now - last_pump_ms >= kInputPumpIntervalMs) {
    if (!X11Watching()) {
      SDL_PumpEvents();
    } else if (X11InputReady()) {
      ReadX11Connection();
    }
    last_pump_ms = now;
  }
  return TakeSdlEvents();
}

// Milliseconds from now to deadlineMs, at least 1 (negative: no deadline).
int64_t TimeoutUntil(int64_t deadlineMs) {
  return deadlineMs < 0 ? -1 : std::clamp<int64_t>(deadlineMs - MonotonicMs(), 1, INT_MAX);
}

// Blocks in poll() unless events wait already, and has SDL read the
// connection only when it has something to read.
void WaitOnX11(int64_t deadlineMs) {
  if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) == SDL_FALSE &&
      (X11EventsWaiting() || WaitForX11(static_cast<int>(TimeoutUntil(deadlineMs))))) {
    ReadX11Connection();
  }
  TakeSdlEvents();
}

void WaitInSdl(int64_t deadlineMs) {
  SDL_Event event;
  const int64_t timeout = TimeoutUntil(deadlineMs);
  const int got = timeout < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, static_cast<int>(timeout));
  if (got == 1) Translate(event);
}

bool SdlWait(int64_t deadlineMs) {
  if (X11Watching()) {
    WaitOnX11(deadlineMs);
  } else {
    WaitInSdl(deadlineMs);
  }
  last_pump_ms = MonotonicMs();  // waiting read the X connection, or found nothing on it
  return true;
}

// SDL_Quit, not only the video subsystem: it also closes SDL's D-Bus connection.
void SdlShutdown() {
  SdlCloseWindow(0);
  SDL_Quit();
  CloseX11Wake();
}

// Any thread: the eventfd ends the wait on the X connection; otherwise an
// event of our own type ends SDL_WaitEvent (Translate ignores it). The loop
// then finds the inbox's messages.
void SdlWake() {
  X11Wake();
  if (X11Watching() || wake_event_type == 0) return;
  SDL_Event event{};
  event.type = wake_event_type;
  SDL_PushEvent(&event);
}

const Backend kSdlBackend{SdlWorkArea, SdlFrame, SdlShowWindow, SdlCloseWindow, SdlPresent,
                          SdlPoll,     SdlWait,  SdlShutdown,   SdlWake,        kRealTimerSlackMs};

// SDL falls back to offscreen or console drivers when there is no desktop;
// those show nothing, so they count as "no display" unless asked for by name.
bool IsDesktopDriver(const char* driver) {
  if (SDL_getenv("SDL_VIDEODRIVER") != nullptr) return true;
  const std::string name = driver != nullptr ? driver : "";
  return name == "x11" || name == "wayland";
}

}  // namespace

bool StartSdlBackend(const RealWindowSettings& settings, std::string& error) {
  InstallBackend(nullptr);
  const bool named = SDL_getenv("SDL_VIDEODRIVER") != nullptr;
  if (!named && SDL_getenv("DISPLAY") == nullptr && SDL_getenv("WAYLAND_DISPLAY") == nullptr) {
    error = "neither DISPLAY nor WAYLAND_DISPLAY is set";
    return false;
  }
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // The back buffer goes to the window with a plain blit (X11 shared memory),
  // not through an OpenGL texture: no GL driver threads for one 800 x 600 copy.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    error = SDL_GetError();
    return false;
  }
  if (!IsDesktopDriver(SDL_GetCurrentVideoDriver())) {
    error = std::string("only the '") + SDL_GetCurrentVideoDriver() + "' video driver is available";
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
  }
  if (wake_event_type == 0) {
    const Uint32 registered = SDL_RegisterEvents(1);
    if (registered != static_cast<Uint32>(-1)) wake_event_type = registered;
  }
  OpenX11Wake();
  // Only key presses are read, never text: no input method sees the keys.
  SDL_StopTextInput();
  display_scale = settings.scale;
  if (settings.scale == kAutoDisplayScale) {
    display_scale = ChooseAutoScale(RealWorkArea(), DisplayDensity(), settings.fitWidth, settings.fitHeight,
                                    kMaxDisplayScale);
  }
  UseRealClock();
  InstallBackend(&kSdlBackend);
  return true;
}

int SdlDisplayScale() { return display_scale; }

}  // namespace ip::platform
