// Gauges and meters on the panel: layout, animation and dragging.
#include "panel/panel_parts.h"

void BuildGaugeGroup() {}
void BuildStatusGaugeGroup() {}
void BuildLongGaugeGroup() {}
void BuildBlackboardGroup() {}
void AnimateGauges() {}
void ShowStatusTime() {}
void DragGauge(int32_t) {}
