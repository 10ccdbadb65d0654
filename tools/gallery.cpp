// Draws the pictures of the manual: labelled sheets of every instrument,
// style, scheme, pattern and colour name, made headless by the library
// itself, and the demonstration panel with its groups marked.
//
//   gallery OUTDIR [SHEET...]
//
// Writes OUTDIR/SHEET.png for every sheet (or the sheets named) and, when it
// draws them all, OUTDIR/labels.txt: one line "SHEET<TAB>TEXT" for every
// text drawn on a sheet, in drawing order. Bitmaps come from the project's
// assets folder, whatever the working directory; the virtual clock is fixed
// and nothing is random, so the same library draws the same files, byte for
// byte. Exit status: 0 done, 1 a sheet failed, 2 usage.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/gallery_sheets.h"

#if defined(__SANITIZE_ADDRESS__)
// Fontconfig keeps a few hundred bytes of its parsed configuration until the
// process ends; that is the system library's own and not ours to report.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

namespace gallery {

namespace {

namespace fs = std::filesystem;

constexpr int kFailure = 1;
constexpr int kUsage = 2;
constexpr ip::ClockTime kSheetClock{12, 0, 33, 0};
const char* const kManifestName = "labels.txt";

int Usage() {
  std::fprintf(stderr, "usage: gallery OUTDIR [SHEET...]\nsheets:");
  for (const SheetEntry& entry : AllSheets()) std::fprintf(stderr, " %s", entry.name);
  std::fprintf(stderr, "\n");
  return kUsage;
}

const SheetEntry* FindSheet(const std::string& name) {
  for (const SheetEntry& entry : AllSheets()) {
    if (name == entry.name) return &entry;
  }
  return nullptr;
}

bool WriteManifest(const fs::path& path, const std::vector<std::string>& lines) {
  std::ofstream file(path, std::ios::binary);
  for (const std::string& line : lines) file << line << '\n';
  return static_cast<bool>(file);
}

// Draws one sheet and writes it; adds its labels to `manifest`.
void DrawSheet(const SheetEntry& entry, const fs::path& folder, std::vector<std::string>& manifest) {
  StartSheetSession(kSheetClock, 0);
  const std::unique_ptr<Sheet> sheet = entry.make();
  const fs::path file = folder / (std::string(entry.name) + ".png");
  if (!sheet->WritePng(file.string())) throw std::runtime_error("cannot write " + file.string());
  for (const std::string& label : sheet->labels()) manifest.push_back(std::string(entry.name) + "\t" + label);
  std::printf("%s: %d x %d\n", file.string().c_str(), sheet->width(), sheet->height());
}

int Run(const std::vector<std::string>& args) {
  if (args.empty() || args[0].empty() || args[0][0] == '-') return Usage();
  std::vector<const SheetEntry*> chosen;
  for (size_t i = 1; i < args.size(); ++i) {
    const SheetEntry* entry = FindSheet(args[i]);
    if (entry == nullptr) {
      std::fprintf(stderr, "gallery: no sheet named '%s'\n", args[i].c_str());
      return Usage();
    }
    chosen.push_back(entry);
  }
  const bool all = chosen.empty();
  if (all) {
    for (const SheetEntry& entry : AllSheets()) chosen.push_back(&entry);
  }
  const fs::path folder = fs::absolute(args[0]);
  fs::create_directories(folder);
  // Bitmap names are looked up in the working directory first: the assets.
  fs::current_path(IP_GALLERY_ASSETS);
  std::vector<std::string> manifest;
  for (const SheetEntry* entry : chosen) DrawSheet(*entry, folder, manifest);
  if (all && !WriteManifest(folder / kManifestName, manifest)) {
    throw std::runtime_error("cannot write " + (folder / kManifestName).string());
  }
  return 0;
}

}  // namespace

const std::vector<SheetEntry>& AllSheets() {
  static const std::vector<SheetEntry> sheets{
      {"panel-groups", MakePanelSheet},   {"gauges", MakeGaugeSheet},   {"gauge-captions", MakeGaugeCaptionSheet},
      {"lamps", MakeLampSheet},           {"buttons", MakeButtonSheet}, {"knobs", MakeKnobSheet},
      {"displays", MakeDisplaySheet},     {"text-panels", MakeTextPanelSheet},
      {"frames", MakeFrameSheet},         {"backgrounds", MakeBackgroundSheet},
      {"colours", MakeColourSheet},       {"panel-file-kinds", MakePanelFileSheet},
  };
  return sheets;
}

}  // namespace gallery

int main(int argc, char** argv) {
  try {
    return gallery::Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "gallery: %s\n", error.what());
    return gallery::kFailure;
  }
}
