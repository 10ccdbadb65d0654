// The whole instrument library in one include: the window-system vocabulary,
// sessions and dialogs, the canvas and its services, the drawing toolkit,
// every instrument, mouse handling, keys, errors and the version.
#pragma once

#include "instrument_panel/types.h"
#include "instrument_panel/version.h"
#include "instrument_panel/errors.h"
#include "instrument_panel/session.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/canvas.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/numbers.h"
#include "instrument_panel/texts.h"
#include "instrument_panel/keys.h"
#include "instrument_panel/colors.h"
#include "instrument_panel/frames.h"
#include "instrument_panel/backgrounds.h"
#include "instrument_panel/labels.h"
#include "instrument_panel/lamps.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/gauge.h"
#include "instrument_panel/leds.h"
#include "instrument_panel/buttons.h"
#include "instrument_panel/knobs.h"
#include "instrument_panel/display.h"
#include "instrument_panel/text_panels.h"
#include "instrument_panel/interaction.h"
#include "instrument_panel/instrument_values.h"
