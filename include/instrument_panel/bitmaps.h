// Canvas bitmaps and pixel access: bitmap canvases (a canvas without a
// window, found by its handle), bitmap files drawn into a canvas, copies and
// stretches between canvases, and pixel buffers.
//
// Pixel buffer: int32 width, int32 height (little-endian), then width x height
// pixels of 4 bytes B, G, R, 0, rows from the top.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "instrument_panel/types.h"

namespace ip {

// Makes a blank (black) bitmap canvas of width x height; 0 on failure. Tools
// and tests use it as a drawing source.
Handle CreateBitmapCanvas(int32_t width, int32_t height);
// Loads a bitmap file scaled to width x height into a new bitmap canvas.
// Returns its handle, 0 on failure.
Handle LoadBitmapCanvas(const std::string& name, int32_t width, int32_t height);
// Draws a bitmap file scaled into the inclusive rectangle (x1, y1)-(x2, y2).
void CanvasRenderBitmap(const std::string& name, float x1, float y1, float x2, float y2);
// Copies the source canvas (resolved like CanvasAttach) to (0, 0) of the current canvas.
void CanvasCopy(Handle sourceOwner, int32_t sourceId, int32_t mixCode);
void CanvasStretch(Handle sourceOwner, int32_t sourceId, float sx1, float sy1, float sx2, float sy2, float dx1,
                   float dy1, float dx2, float dy2, int32_t mixCode);
std::string CanvasGetBits();
void CanvasSetBits(const std::string& buffer);

// Where bitmap files are looked for after the working directory (empty: nowhere else).
void SetBitmapSearchFolder(const std::string& folder);
// The same with several folders, looked in one after the other (empty ones skipped).
void SetBitmapSearchFolders(const std::vector<std::string>& folders);
// The file a bitmap name stands for: the name itself when it is a readable
// file in the working directory, else the first of the search folders that
// holds it; "" when none does.
std::string FindBitmapFile(const std::string& name);

}  // namespace ip
