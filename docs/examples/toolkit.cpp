// Colour names, and a frame and background painted on a bitmap canvas.
#include <cstdio>
#include <instrument_panel/instrument_panel.h>

int main() {
  for (const char* name : {"rosso", " ROSSO ", "#FF8000", "blu"}) {
    ip::ClearLastError();
    const ip::ColorRef value = ip::ColorFromName(name, 100);  // 100 taken off every channel
    std::printf("\"%s\" %06X %s\n", name, static_cast<unsigned>(value), ip::ErrorDescription(ip::LastError()));
  }
  ip::StartHeadlessSession({});
  const ip::Handle canvas = ip::CreateBitmapCanvas(120, 40);
  ip::CanvasAttach(canvas, 0, ip::kAttachRedrawOnRequest);
  ip::DrawBevelTopLeft(3, ip::color::kGold);
  ip::DrawBevelBottomRight(3, ip::color::kGold);
  ip::DrawPanelBackground(canvas, 0, 3, ip::color::kGreen, ip::pattern::kVerticalCylinder);
}
// Prints:
// "rosso" 37379B no error
// " ROSSO " 37379B no error
// "#FF8000" 001C9B no error
// "blu" 000000 unknown colour name
