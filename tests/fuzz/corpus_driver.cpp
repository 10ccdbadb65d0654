// Runs a fuzz harness over saved inputs, without libFuzzer: each argument is
// a file or a folder of files (taken in name order), and every file is given
// to LLVMFuzzerTestOneInput once. Built with the regular compiler, this makes
// each harness's seed corpus and its regression inputs an ordinary test: a
// harness that aborts, or a sanitizer report in a sanitizer build, fails it.
//
//   fuzz_NAME_corpus PATH...
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

namespace fs = std::filesystem;

// The files an argument names: itself, or a folder's regular files by name.
std::vector<fs::path> InputFiles(const fs::path& argument) {
  if (!fs::is_directory(argument)) return {argument};
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(argument)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool RunFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE_OR_FOLDER...\n", argv[0]);
    return 2;
  }
  if (LLVMFuzzerInitialize != nullptr) LLVMFuzzerInitialize(&argc, &argv);
  size_t inputs = 0;
  for (int i = 1; i < argc; ++i) {
    const std::vector<fs::path> files = InputFiles(argv[i]);
    if (files.empty()) {
      std::fprintf(stderr, "no inputs in %s\n", argv[i]);
      return 1;
    }
    for (const fs::path& path : files) {
      std::fprintf(stderr, "%s\n", path.c_str());  // names the input a crash came from
      if (!RunFile(path)) return 1;
      ++inputs;
    }
  }
  std::printf("%zu inputs ran\n", inputs);
  return 0;
}
