// A user's program: its own global Min, Floor, Handle, SetTimer and WM_TIMER
// beside the library's, compiled with -Wall -Wextra -Wpedantic -Wconversion
// -Werror and only the public include folder on the include path. It builds
// and links only if the library keeps its names in namespace ip, its
// constants out of the preprocessor and its headers self-contained; it then
// checks that both sets of names mean what their owners say.
#include <cstdio>

#include "instrument_panel/instrument_panel.h"

using Handle = const char*;
constexpr int WM_TIMER = 7;
double Min(double a, double b) { return a < b ? b : a; }  // deliberately not the library's
int Floor(int x) { return x + 1; }
int SetTimer(Handle name) { return name[0]; }

namespace {

int failures = 0;

void Expect(bool condition, const char* what) {
  if (condition) return;
  std::printf("FAILED: %s\n", what);
  ++failures;
}

}  // namespace

int main() {
  Expect(Min(1, 2) == 2, "the program's own Min");
  Expect(ip::Min(1, 2) == 1, "the library's Min");
  Expect(Floor(2) == 3, "the program's own Floor");
  Expect(ip::Floor(2.5) == 2, "the library's Floor");
  Expect(SetTimer("x") == 'x', "the program's own SetTimer");
  Expect(ip::SetTimer(0, 1, 100) == 0, "the library's SetTimer without a window");
  Expect(WM_TIMER == 7 && ip::WM_TIMER == 275, "both WM_TIMER");
  const Handle own = "own";
  const ip::Handle window = 0;
  Expect(own[0] == 'o' && window == 0u, "both Handle types");
  Expect(ip::kVersionMajor == 1, "the version");
  std::printf("%s\n", failures == 0 ? "public headers: ok" : "public headers: failed");
  return failures == 0 ? 0 : 1;
}
