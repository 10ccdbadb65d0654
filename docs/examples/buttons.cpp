// A toggle button that the program flips when it is clicked.
#include <cstdio>
#include <instrument_panel/instrument_panel.h>

int main() {
  ip::HeadlessSettings settings;
  settings.runMs = 200;                              // a click at (50, 20) after 100 ms
  settings.input = {{100, ip::ScriptedInput::Kind::kMove, 50, 20},
                    {100, ip::ScriptedInput::Kind::kButtonDown, 50, 20},
                    {100, ip::ScriptedInput::Kind::kButtonUp, 50, 20}};
  ip::StartHeadlessSession(settings);
  const ip::Handle dialog = ip::CreateDialogWindow(0, "Buttons", -1, -1, 184, 42, 0, 0, ip::kUnitsPixels);
  ip::CreateToggleButton(dialog, 7, 10, 10, 164, 22, "", 2, ip::color::kGold, "N/S", 0x000000, ip::color::kGold,
                         ip::pattern::kLightBottom, ip::pattern::kVerticalCylinder);
  std::printf("%d\n", ip::GetButtonState(dialog, 7));
  ip::RunDialogModal([](ip::Handle window, uint32_t message, uint32_t wParam, uint32_t) -> int32_t {
    if (message == ip::WM_COMMAND && ip::LowWord(wParam) == 7) ip::ToggleButton(window, 7, "");  // shows "S"
    return 0;
  }, dialog, nullptr);
  std::printf("%d\n", ip::GetButtonState(dialog, 7));
}
// Prints:
// 0
// 1
