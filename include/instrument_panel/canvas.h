// Canvas drawing operations: an immediate-mode drawing interface on the
// current canvas (a canvas control or a bitmap canvas), chosen with
// CanvasAttach. Coordinates are float32 pixels rounded to nearest, ties to
// even; lines exclude their end pixel and boxes their right and bottom edge.
// Without a current canvas every operation does nothing and queries give 0, 0.
#pragma once

#include <cstdint>
#include <string>

#include "instrument_panel/types.h"

namespace ip {

constexpr int32_t kAttachRedrawOnRequest = 0x80;
constexpr int32_t kCornerEllipse = INT32_MIN;  // 0x80000000
constexpr int32_t kPieMode = 2;

void CanvasAttach(Handle owner, int32_t id, int32_t mode);
void CanvasRedraw();
IntPair CanvasGetSize();

void CanvasMoveTo(float x, float y, int32_t relative);
void CanvasLineTo(float x, float y, ColorRef color, int32_t relative);
void CanvasBox(float x1, float y1, float x2, float y2, int32_t corner, ColorRef lineColor, ColorRef fillColor,
               int32_t fillStyle);
void CanvasPie(float x1, float y1, float x2, float y2, float startAngle, float endAngle, ColorRef lineColor,
               ColorRef fillColor, int32_t fillStyle, int32_t mode);

void CanvasSetForeColor(ColorRef color);
void CanvasSetBackColor(ColorRef color);
void CanvasSetLineWidth(int32_t width);

// Style bits: 1 bold, 2 italic, 4 underline, 8 strike-out.
void CanvasSetFont(const std::string& faceName, int32_t points, int32_t style);
void CanvasPrint(const std::string& text);
void CanvasNewLine();
IntPair CanvasGetPos();
IntPair CanvasCharSize();                       // charWidth, lineHeight
IntPair CanvasTextSize(const std::string& text);  // width, font height

}  // namespace ip
