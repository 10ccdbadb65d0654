// The panel's bitmap folder, found from the program's own path.
#include "panel/asset_folder.h"

#include <filesystem>
#include <system_error>

namespace ip::panel {

namespace {

const char* const kSelfLink = "/proc/self/exe";
const char* const kInstalledAssets = "../share/instrument-panel";
const char* const kProbeBitmap = "fondo1.bmp";  // one of the seven, present in any complete folder

bool HoldsBitmaps(const std::filesystem::path& folder) {
  std::error_code error;
  return std::filesystem::is_regular_file(folder / kProbeBitmap, error);
}

}  // namespace

std::string PanelAssetFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink(kSelfLink, error);
  if (!error) {
    const std::filesystem::path installed = (program.parent_path() / kInstalledAssets).lexically_normal();
    if (HoldsBitmaps(installed)) return installed.string();
  }
#ifdef IP_SOURCE_ASSETS
  if (HoldsBitmaps(IP_SOURCE_ASSETS)) return IP_SOURCE_ASSETS;
#endif
  return "";
}

}  // namespace ip::panel
