// Shaded frames and bevels round the whole current canvas: stacks of
// one-pixel lines in one colour family, each a step darker.
#pragma once

#include <cstdint>
#include <string>

namespace ip {

void DrawBoxFrame(int32_t thickness, const std::string& colorName);
void DrawBevelTopLeft(int32_t thickness, const std::string& colorName);
void DrawBevelBottomRight(int32_t thickness, const std::string& colorName);

}  // namespace ip
