// The real-window backend on SDL2. The desktop work area comes from
// SDL_GetDisplayUsableBounds; the native window is made when the window
// system shows its top-level window and has no frame of its own in our
// coordinates (SDL places and measures the client area).
#include <SDL.h>

#include <algorithm>
#include <climits>
#include <string>

#include "platform/clock.h"
#include "platform/window_backend.h"
#include "platform/window_sdl.h"

namespace ip::platform {

namespace {

SDL_Window* sdl_window = nullptr;
// The event type that wakes SDL_WaitEvent for the inbox (0 before it is registered).
Uint32 wake_event_type = 0;

Rect SdlWorkArea() {
  SDL_Rect bounds{};
  if (SDL_GetDisplayUsableBounds(0, &bounds) != 0 && SDL_GetDisplayBounds(0, &bounds) != 0) return {0, 0, 0, 0};
  return {bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h};
}

FrameInsets SdlFrame() { return {}; }

void SdlShowWindow(uint32_t, const std::string& utf8Title, Rect client) {
  if (sdl_window != nullptr) SDL_DestroyWindow(sdl_window);
  sdl_window = SDL_CreateWindow(utf8Title.c_str(), client.left, client.top, std::max(1, client.Width()),
                                std::max(1, client.Height()), SDL_WINDOW_SHOWN);
}

void SdlCloseWindow(uint32_t) {
  if (sdl_window != nullptr) SDL_DestroyWindow(sdl_window);
  sdl_window = nullptr;
}

void SdlPresent(const Surface& backBuffer) {
  if (sdl_window == nullptr || backBuffer.Empty()) return;
  SDL_Surface* screen = SDL_GetWindowSurface(sdl_window);
  if (screen == nullptr) return;
  const int width = std::min(backBuffer.width, screen->w);
  const int height = std::min(backBuffer.height, screen->h);
  if (SDL_MUSTLOCK(screen)) SDL_LockSurface(screen);
  SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB888, backBuffer.pixels.data(),
                    backBuffer.width * static_cast<int>(sizeof(Pixel)), screen->format->format, screen->pixels,
                    screen->pitch);
  if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
  SDL_UpdateWindowSurface(sdl_window);
}

void Translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEMOTION:
      InjectMouseMove(event.motion.x, event.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (event.button.button != SDL_BUTTON_LEFT && event.button.button != SDL_BUTTON_RIGHT) break;
      InjectMouseMove(event.button.x, event.button.y);
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
          MoveShownWindow(event.window.data1, event.window.data2);
          break;
        case SDL_WINDOWEVENT_EXPOSED:
          if (sdl_window != nullptr) SDL_UpdateWindowSurface(sdl_window);
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

bool SdlPoll() {
  bool any = false;
  SDL_Event event;
  while (SDL_PollEvent(&event) == 1) {
    Translate(event);
    any = true;
  }
  return any;
}

bool SdlWait(int64_t deadlineMs) {
  SDL_Event event;
  int got = 0;
  if (deadlineMs < 0) {
    got = SDL_WaitEvent(&event);
  } else {
    const int64_t timeout = std::clamp<int64_t>(deadlineMs - MonotonicMs(), 1, INT_MAX);
    got = SDL_WaitEventTimeout(&event, static_cast<int>(timeout));
  }
  if (got == 1) Translate(event);
  return true;
}

// SDL_Quit, not only the video subsystem: it also closes SDL's D-Bus connection.
void SdlShutdown() {
  SdlCloseWindow(0);
  SDL_Quit();
}

// Any thread: an event of our own type ends SDL_WaitEvent; Translate
// ignores it, and the loop then finds the inbox's messages.
void SdlWake() {
  if (wake_event_type == 0) return;
  SDL_Event event{};
  event.type = wake_event_type;
  SDL_PushEvent(&event);
}

const Backend kSdlBackend{SdlWorkArea, SdlFrame, SdlShowWindow, SdlCloseWindow,
                          SdlPresent,  SdlPoll,  SdlWait,       SdlShutdown, SdlWake};

// SDL falls back to offscreen or console drivers when there is no desktop;
// those show nothing, so they count as "no display" unless asked for by name.
bool IsDesktopDriver(const char* driver) {
  if (SDL_getenv("SDL_VIDEODRIVER") != nullptr) return true;
  const std::string name = driver != nullptr ? driver : "";
  return name == "x11" || name == "wayland";
}

}  // namespace

bool StartSdlBackend(std::string& error) {
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
  UseRealClock();
  InstallBackend(&kSdlBackend);
  return true;
}

}  // namespace ip::platform
