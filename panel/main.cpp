// Program entry of the demonstration panel: the real window, or a headless
// run when asked on the command line (see panel/command_line.h).
#include <iostream>
#include <string>
#include <vector>

#include "panel/command_line.h"

#if defined(__SANITIZE_ADDRESS__)
// Fontconfig keeps a few hundred bytes of its parsed configuration until the
// process ends; that is the system library's own and not ours to report.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return ip::panel::RunProgram(args, std::cout, std::cerr);
}
