// The sheets of the manual's pictures. Each maker starts from a fresh
// headless session (the gallery's main does that) and returns its finished
// sheet; the same library draws the same sheet, byte for byte.
#pragma once

#include <memory>
#include <vector>

#include "tools/gallery_sheet.h"

namespace gallery {

using SheetMaker = std::unique_ptr<Sheet> (*)();

struct SheetEntry {
  const char* name;  // the file is NAME.png
  SheetMaker make;
};

// Instruments (gallery_instruments.cpp).
std::unique_ptr<Sheet> MakeGaugeSheet();
std::unique_ptr<Sheet> MakeGaugeCaptionSheet();
std::unique_ptr<Sheet> MakeLampSheet();
std::unique_ptr<Sheet> MakeButtonSheet();
std::unique_ptr<Sheet> MakeKnobSheet();
// Displays and text panels (gallery_displays.cpp).
std::unique_ptr<Sheet> MakeDisplaySheet();
std::unique_ptr<Sheet> MakeTextPanelSheet();
// The drawing toolkit (gallery_toolkit.cpp).
std::unique_ptr<Sheet> MakeFrameSheet();
std::unique_ptr<Sheet> MakeBackgroundSheet();
std::unique_ptr<Sheet> MakeColourSheet();
// The demonstration panel with its ten groups marked (gallery_panel.cpp).
std::unique_ptr<Sheet> MakePanelSheet();
// The panel file of every kind (gallery_panel_file.cpp).
std::unique_ptr<Sheet> MakePanelFileSheet();

// Every sheet, in drawing order.
const std::vector<SheetEntry>& AllSheets();

}  // namespace gallery
