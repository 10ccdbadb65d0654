// Session selection: the real window or the headless backend.
#include "instrument_panel/session.h"

#include "host/dialog_internal.h"
#include "platform/clock.h"
#include "platform/png_file.h"
#include "platform/window_backend.h"
#include "platform/window_headless.h"
#include "platform/window_sdl.h"

namespace ip {

namespace {

bool session_started = false;

}  // namespace

bool StartRealWindowSession(std::string& error) {
  ResetWindowHost();
  session_started = platform::StartSdlBackend(error);
  return session_started;
}

void StartHeadlessSession(const HeadlessSettings& settings) {
  ResetWindowHost();
  platform::StartHeadlessBackend(settings);
  session_started = true;
}

void EndWindowSession() {
  ResetWindowHost();
  platform::InstallBackend(nullptr);
  session_started = false;
}

bool WindowSessionStarted() { return session_started; }

int64_t SessionClockMs() { return platform::MonotonicMs(); }

ClockTime LocalClockNow() { return platform::LocalTimeNow(); }

bool WriteShownPicture(const std::string& path, std::string& reason) {
  const platform::Surface& picture = platform::HeadlessShownPicture();
  if (picture.Empty()) {
    reason = "no headless run has shown a picture";
    return false;
  }
  return platform::WritePngFile(path, picture, reason);
}

bool WriteShownPicture(const std::string& path) {
  std::string ignored;
  return WriteShownPicture(path, ignored);
}

}  // namespace ip
