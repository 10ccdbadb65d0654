// Canvas text operations (placeholder until fonts are drawn).
#include "host/canvas_text.h"

void ApplyDefaultCanvasFont(CanvasState&) {}
