// Fuzz harness: the panel program's command line. The input is split at zero
// bytes into arguments. Accepted arguments keep the options' rules; refused
// ones give a message without raw control characters, and the program then
// ends with the usage status before running anything.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "panel/command_line.h"
#include "tests/fuzz/fuzz_input.h"

using namespace ip;
using fuzz_input::FuzzCheck;

namespace {

constexpr size_t kMaxArguments = 16;

std::vector<std::string> Arguments(const uint8_t* data, size_t size) {
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size && args.size() <= kMaxArguments; ++i) {
    if (data[i] == 0) args.emplace_back();
    else args.back() += static_cast<char>(data[i]);
  }
  return args;
}

void CheckAccepted(const panel::CommandLine& options) {
  FuzzCheck(options.runMs >= 0 && options.runMs <= kMaxRunMilliseconds, "run length in range");
  const bool headlessOnly =
      options.hasClock || options.runMs != 0 || !options.eventsFile.empty() || !options.screenshotFile.empty();
  FuzzCheck(!headlessOnly || options.headless, "headless options only with --headless");
  if (options.hasClock) {
    const ClockTime& t = options.clock;
    FuzzCheck(t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 && t.second >= 0 && t.second < 60 &&
                  t.millisecond >= 0 && t.millisecond < 1000,
              "a valid time of day");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> args = Arguments(data, size);
  panel::CommandLine options;
  std::string error;
  if (panel::ParseCommandLine(args, options, error)) {
    CheckAccepted(options);  // not run: it would open a window or run the panel
    return 0;
  }
  FuzzCheck(fuzz_input::HasNoControlCharacters(error), "no raw control characters in the message", error);
  std::ostringstream out, err;
  FuzzCheck(panel::RunProgram(args, out, err) == panel::kExitUsage, "refused arguments end with the usage status");
  FuzzCheck(out.str().empty(), "nothing on standard output");
  return 0;
}
