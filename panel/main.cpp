// Program entry of the demonstration panel: the real window, or a headless
// run when asked on the command line (see panel/command_line.h).
#include <iostream>
#include <string>
#include <vector>

#include "panel/command_line.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return ip::panel::RunProgram(args, std::cout, std::cerr);
}
