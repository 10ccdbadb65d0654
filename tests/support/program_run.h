// Runs the panel program's command line in-process and keeps what it printed.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "panel/command_line.h"

namespace testing_support {

struct ProgramOutcome {
  int status = -1;
  std::string out;
  std::string err;
};

inline ProgramOutcome RunProgramWith(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  ProgramOutcome outcome;
  outcome.status = ip::panel::RunProgram(args, out, err);
  outcome.out = out.str();
  outcome.err = err.str();
  return outcome;
}

}  // namespace testing_support
