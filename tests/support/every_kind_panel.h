// A panel with one instrument of each kind that takes values, ids 1 to 11
// (and a background, 12), shared by the feed tests and the feed fuzz harness.
#pragma once

namespace testing_support {

inline constexpr const char* kEveryKindPanelText = R"(
[window]
width = 400
height = 300
[[instrument]]
kind = "gauge"
id = 1
x = 0
y = 0
width = 200
height = 20
drag = "both"
[[instrument]]
kind = "lamp"
id = 2
x = 0
y = 30
width = 60
height = 18
[[instrument]]
kind = "round-lamp"
id = 3
x = 70
y = 30
width = 18
height = 18
[[instrument]]
kind = "knob"
id = 4
x = 0
y = 60
width = 60
height = 60
[[instrument]]
kind = "button"
id = 5
x = 0
y = 130
width = 120
height = 22
[[instrument]]
kind = "switch"
id = 6
x = 130
y = 130
width = 22
height = 22
background = "switch1.bmp/switch2.bmp"
[[instrument]]
kind = "display"
id = 7
x = 200
y = 30
width = 96
height = 32
[[instrument]]
kind = "text-panel"
id = 8
x = 70
y = 60
width = 120
height = 60
[[instrument]]
kind = "marquee"
id = 9
x = 200
y = 70
width = 100
height = 50
[[instrument]]
kind = "blackboard"
id = 10
x = 200
y = 130
width = 150
height = 60
[[instrument]]
kind = "label"
id = 11
x = 0
y = 160
width = 60
height = 18
[[instrument]]
kind = "background"
id = 12
x = 0
y = 200
width = 60
height = 60
)";

}  // namespace testing_support
