// Session selection: the real window or the headless backend.
#include "host/dialog_session.h"

#include "host/dialog.h"
#include "platform/clock.h"
#include "platform/png_file.h"
#include "platform/window_backend.h"
#include "platform/window_sdl.h"

bool StartRealWindowSession(std::string& error) {
  ResetWindowHost();
  return platform::StartSdlBackend(error);
}

void EndWindowSession() {
  ResetWindowHost();
  platform::InstallBackend(nullptr);
}

void StartHeadlessSession(const HeadlessSettings& settings) {
  ResetWindowHost();
  platform::StartHeadlessBackend(settings);
}

int64_t SessionClockMs() { return platform::MonotonicMs(); }

ClockTime LocalClockNow() { return platform::LocalTimeNow(); }

bool WriteShownPicture(const std::string& path) {
  const platform::Surface& picture = platform::HeadlessShownPicture();
  if (picture.Empty()) return false;
  return platform::WritePngFile(path, picture);
}
