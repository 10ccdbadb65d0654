#!/usr/bin/env bash
# The real window at display scale 2 under its own Xvfb server with a
# 2560 x 1600 screen: the client area is 1600 x 1200 and centred, each panel
# pixel shows as a 2 x 2 block, and a click at the scaled position of switch
# button 901 turns it on. Then `--scale auto` on a 192-dpi screen of the same
# size chooses 2, and on a 96-dpi one 1.
# Usage: real_window_scaled.sh BUILD_DIR SOURCE_DIR
set -u

build_dir=${1:?build folder}
panel="$build_dir/instrument-panel"
pixel_reader="$build_dir/tests/window-pixel"
title="Libreria di tools grafici"
screen_width=2560
screen_height=1600
# Button 901's top-left pixel, OFF and ON, and a point on its face to click (panel pixels).
button_x=540
button_y=110
off_colour="12 0 0"
on_colour="255 155 155"
click_x=640
click_y=121

source "$(dirname "$0")/support/xvfb.sh"
require_x_test_tools "$panel" "$pixel_reader"
panel_pid=""
stop_panel() {
  [ -n "$panel_pid" ] && kill "$panel_pid" 2>/dev/null && wait "$panel_pid" 2>/dev/null
  panel_pid=""
}
cleanup() {
  stop_panel
  stop_xvfb
}
trap cleanup EXIT

# start_panel OPTIONS...: starts the panel and sets `window`, `width`,
# `height`, `left`, `top` from its window.
start_panel() {
  "$panel" "$@" >/dev/null 2>"$build_dir/real_window_scaled.stderr" &
  panel_pid=$!
  window=$(timeout 10 xdotool search --sync --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
  [ -n "$window" ] || fail "no visible window titled '$title' within 10 seconds ($*)"
  local info
  info=$(xwininfo -id "$window")
  width=$(sed -n 's/^ *Width: *//p' <<<"$info")
  height=$(sed -n 's/^ *Height: *//p' <<<"$info")
  left=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
  top=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
}

# wait_for_colour X Y "R G B": true once the window shows that colour at (X, Y), within 2 seconds.
wait_for_colour() {
  for _ in $(seq 20); do
    [ "$("$pixel_reader" "$window" "$1" "$2")" = "$3" ] && return 0
    sleep 0.1
  done
  return 1
}

start_xvfb "${screen_width}x${screen_height}" -dpi 96 || fail "could not start Xvfb"
start_panel --scale 2
[ "$width" = 1600 ] && [ "$height" = 1200 ] || fail "client area at scale 2 is ${width} x ${height}, not 1600 x 1200"
expected_left=$(((screen_width - 1600) / 2))
expected_top=$(((screen_height - 1200) / 2))
[ "$left" = "$expected_left" ] && [ "$top" = "$expected_top" ] ||
  fail "client area at ($left, $top), not centred at ($expected_left, $expected_top)"
scaled_at="($left, $top)"

x=$((2 * button_x))
y=$((2 * button_y))
wait_for_colour "$x" "$y" "$off_colour" || fail "button 901 does not show OFF ($off_colour) at ($x, $y)"
block=$("$pixel_reader" "$window" "$x" "$y" $((x + 1)) "$y" "$x" $((y + 1)) $((x + 1)) $((y + 1)) | sort -u)
[ "$block" = "$off_colour" ] || fail "the 2 x 2 block at ($x, $y) is not one colour: $block"
xdotool mousemove --window "$window" $((2 * click_x)) $((2 * click_y)) click 1
wait_for_colour "$x" "$y" "$on_colour" ||
  fail "a click at ($((2 * click_x)), $((2 * click_y))) did not turn button 901 on: $("$pixel_reader" "$window" "$x" "$y")"
stop_panel
stop_xvfb

# The automatic scale follows the screen's density. Xvfb gives its screen a
# physical size only through the core protocol, not through XRandR, so SDL is
# told to read the screen that way.
for case in "192 1600 1200" "96 800 600"; do
  read -r dpi want_width want_height <<<"$case"
  start_xvfb "${screen_width}x${screen_height}" -dpi "$dpi" || fail "could not start Xvfb"
  SDL_VIDEO_X11_XRANDR=0 start_panel --scale auto
  [ "$width" = "$want_width" ] && [ "$height" = "$want_height" ] ||
    fail "--scale auto at $dpi dpi gives ${width} x ${height}, not ${want_width} x ${want_height}"
  stop_panel
  stop_xvfb
done
echo "real window at scale 2: 1600 x 1200 at $scaled_at on 2560 x 1600, click toggles button 901; auto: 2 at 192 dpi, 1 at 96"
