// Renders canvas-operation case files to PNG pictures.
//
//   render-cases CASEFILE OUTDIR [--repeat N]
//
// Writes OUTDIR/NAME.png (8-bit RGB) for every case and prints one line per
// case. With --repeat N it then renders the whole set N more times, timing
// only that loop, and prints "rendered C cases N times in T us" last. T is
// the processor time the loop used, so that other work on a busy machine
// does not count; on an idle machine it is the elapsed time.
// A malformed or unreadable case file (missing, a directory, a FIFO) is
// reported on standard error, with its line number when there is one, and
// ends the program with status 2. A case whose canvas is too large to make,
// or a picture that cannot be written, ends it with status 1.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <time.h>

#include "host/terminal_text.h"
#include "platform/png_file.h"
#include "tools/case_file.h"

namespace {

using namespace ip;

constexpr int kUsageStatus = 2;
constexpr int kMaxRepeat = 1000000;

int Usage() {
  std::fprintf(stderr, "usage: render-cases CASEFILE OUTDIR [--repeat N]\n");
  return kUsageStatus;
}

bool ParseRepeat(const char* text, int& repeat) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 0 || value > kMaxRepeat) return false;
  repeat = static_cast<int>(value);
  return true;
}

int WriteAll(const cases::CaseFile& file, const std::string& outDir) {
  std::error_code ignored;
  std::filesystem::create_directories(outDir, ignored);
  for (const cases::Case& c : file.cases) {
    const platform::Surface picture = cases::RunCase(c, file.folder);
    if (picture.Empty()) {
      std::fprintf(stderr, "render-cases: case %s: a %d x %d canvas is too large to make (at most %lld pixels)\n",
                   c.name.c_str(), c.width, c.height, static_cast<long long>(platform::kMaxSurfacePixels));
      return 1;
    }
    const std::string path = outDir + "/" + c.name + ".png";
    std::string reason;
    if (!platform::WritePngFile(path, picture, reason)) {
      std::fprintf(stderr, "render-cases: cannot write %s: %s\n", PrintableText(path).c_str(), reason.c_str());
      return 1;
    }
    std::printf("%s %dx%d %zu operations -> %s\n", c.name.c_str(), picture.width, picture.height,
                c.operations.size(), path.c_str());
  }
  return 0;
}

int64_t ProcessorMicros() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return int64_t{now.tv_sec} * 1000000 + now.tv_nsec / 1000;
}

void TimeRepeats(const cases::CaseFile& file, int repeat) {
  const int64_t start = ProcessorMicros();
  for (int pass = 0; pass < repeat; ++pass) {
    for (const cases::Case& c : file.cases) cases::RunCase(c, file.folder);
  }
  const long long micros = ProcessorMicros() - start;
  std::printf("rendered %zu cases %d times in %lld us\n", file.cases.size(), repeat, micros);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 5) return Usage();
  int repeat = 0;
  if (argc == 5) {
    if (std::string(argv[3]) != "--repeat" || !ParseRepeat(argv[4], repeat)) return Usage();
  }
  cases::CaseFile file;
  cases::ParseError error;
  if (!cases::LoadCaseFile(argv[1], file, error)) {
    const std::string where = PrintableText(argv[1]) + (error.line > 0 ? ":" + std::to_string(error.line) : "");
    std::fprintf(stderr, "render-cases: %s: %s\n", where.c_str(), PrintableText(error.reason).c_str());
    return kUsageStatus;
  }
  if (int status = WriteAll(file, argv[2]); status != 0) return status;
  if (repeat > 0) TimeRepeats(file, repeat);
  return 0;
}
