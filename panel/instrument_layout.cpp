// Lamps, displays, buttons, knobs and text panels on the panel.
#include "panel/panel_parts.h"

void BuildRectLampGroup() {}
void BuildRoundLampGroup() {}
void BuildDisplayGroup() {}
void BuildTextPanelGroup() {}
void BuildButtonGroup() {}
void BuildKnobGroup() {}
void WriteBlackboardText() {}
void AnimateLamps() {}
void AnimateDisplays() {}
void AnimateTextPanels() {}
void RunPanelCommand(int32_t) {}
void TurnKnob(int32_t) {}
