// Turning knobs and dragging gauge levels with the mouse, in one call from a
// dialog callback: pass it every message, and it acts on WM_SETCURSOR, which
// the dialog receives on every mouse move and button press with the control
// under the cursor.
//
//   knob                         the left button held turns it to the
//                                cursor's angle (rounded to whole degrees)
//   gauge of an "ori"/"ver" style the left button held moves its level to
//                                the cursor, showing its stored caption;
//                                where the options allow it, the right
//                                button held does the same with the caption
//                                "%" (the level as a percentage)
//
// Before looking at the control it reads and discards the state of both
// mouse buttons, so that a press counts only from this message on; the
// button states it then reads are "held now".
#pragma once

#include <cstdint>
#include <functional>

#include "instrument_panel/types.h"

namespace ip {

struct FollowMouseOptions {
  // The controls that follow the mouse; every knob and every "ori"/"ver"
  // gauge when empty.
  std::function<bool(int32_t id)> follows;
  // The gauges whose level also follows the right button; none when empty.
  std::function<bool(int32_t id)> followsRightButton;
};

// Handles `message` for `dialog`; true when it turned a knob or moved a
// gauge level (the instrument then shows it).
bool FollowMouse(Handle dialog, uint32_t message, uint32_t wParam, const FollowMouseOptions& options = {});

}  // namespace ip
