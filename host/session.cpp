// Session selection: the real window or the headless backend.
#include "instrument_panel/session.h"

#include "host/dialog_internal.h"
#include "host/error_report.h"
#include "platform/clock.h"
#include "platform/display_scale.h"
#include "platform/png_file.h"
#include "platform/window_backend.h"
#include "platform/window_headless.h"
#include "platform/window_sdl.h"

namespace ip {

namespace {

bool session_started = false;
int session_scale = 1;

// The headless desktop has the density that asks for no scaling.
constexpr double kHeadlessDotsPerInch = platform::kBaseDotsPerInch;

bool IsFixedScale(int scale) { return scale >= kMinDisplayScale && scale <= kMaxDisplayScale; }

}  // namespace

bool StartRealWindowSession(std::string& error) { return StartRealWindowSession(RealWindowSettings{}, error); }

bool StartRealWindowSession(const RealWindowSettings& settings, std::string& error) {
  ResetWindowHost();
  session_scale = 1;
  if (!IsFixedScale(settings.scale) && settings.scale != kAutoDisplayScale) {
    SetLastError(ErrorCode::kInvalidDisplayScale);
    error = "display scale " + std::to_string(settings.scale) + " is not 1 to " + std::to_string(kMaxDisplayScale) +
            " or automatic";
    session_started = false;
    return false;
  }
  session_started = platform::StartSdlBackend(settings, error);
  if (session_started) session_scale = platform::SdlDisplayScale();
  return session_started;
}

void StartHeadlessSession(const HeadlessSettings& settings) {
  ResetWindowHost();
  platform::StartHeadlessBackend(settings);
  session_started = true;
  session_scale = settings.scale;
  if (settings.scale == kAutoDisplayScale) {
    session_scale = platform::ScaleForDensity(kHeadlessDotsPerInch, kMaxDisplayScale);
  } else if (!IsFixedScale(settings.scale)) {
    SetLastError(ErrorCode::kInvalidDisplayScale);
    session_scale = 1;
  }
}

void EndWindowSession() {
  ResetWindowHost();
  platform::InstallBackend(nullptr);
  session_started = false;
  session_scale = 1;
}

int SessionDisplayScale() { return session_scale; }

bool WindowSessionStarted() { return session_started; }

int64_t SessionClockMs() { return platform::MonotonicMs(); }

ClockTime LocalClockNow() { return platform::LocalTimeNow(); }

bool WriteShownPicture(const std::string& path, std::string& reason) {
  const platform::Surface& picture = platform::HeadlessShownPicture();
  if (picture.Empty()) {
    reason = "no headless run has shown a picture";
    return false;
  }
  if (session_scale == 1) return platform::WritePngFile(path, picture, reason);
  const platform::Surface scaled = platform::ScaledCopy(picture, session_scale);
  if (scaled.Empty()) {
    reason = "the picture is too large to write at display scale " + std::to_string(session_scale);
    return false;
  }
  return platform::WritePngFile(path, scaled, reason);
}

bool WriteShownPicture(const std::string& path) {
  std::string ignored;
  return WriteShownPicture(path, ignored);
}

}  // namespace ip
