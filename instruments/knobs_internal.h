// Drawing steps of the knob face that the knob painter shares with its tests.
#pragma once

#include <cstdint>

namespace ip {

// One pie slice `width` degrees wide centred on direction `direction`, in the
// grey 255 - 4 x width, of the ellipse inset by `inset` in a W x H canvas.
void DrawKnobShine(int32_t width, int32_t height, int32_t direction, int32_t sliceWidth, int32_t inset);

}  // namespace ip
