// Where the panel finds its seven bitmap files when they are not in the
// working directory.
#pragma once

#include <string>

namespace ip::panel {

// <program folder>/../share/instrument-panel when the program is installed
// with its bitmaps there; else the source tree's assets/ folder (a program
// run from its build tree); else "" (the working directory only).
std::string PanelAssetFolder();

}  // namespace ip::panel
