#!/usr/bin/env bash
# The real window under its own Xvfb server: the panel opens a window titled
# "Libreria di tools grafici" whose client area is 800 x 600 and centred on the
# screen, and Escape sent through the X server ends it with status 0 within
# two seconds. Usage: real_window.sh BUILD_DIR SOURCE_DIR
set -u

build_dir=${1:?build folder}
panel="$build_dir/instrument-panel"
title="Libreria di tools grafici"
screen_width=1280
screen_height=1024

source "$(dirname "$0")/support/xvfb.sh"
require_x_test_tools "$panel"
panel_pid=""
cleanup() {
  [ -n "$panel_pid" ] && kill "$panel_pid" 2>/dev/null
  stop_xvfb
}
trap cleanup EXIT
start_xvfb "${screen_width}x${screen_height}" || fail "could not start Xvfb"

"$panel" >/dev/null 2>"$build_dir/real_window.stderr" &
panel_pid=$!

window=$(timeout 10 xdotool search --sync --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "no visible window titled '$title' within 10 seconds"

name=$(xdotool getwindowname "$window")
[ "$name" = "$title" ] || fail "window title is '$name'"

info=$(xwininfo -id "$window")
width=$(sed -n 's/^ *Width: *//p' <<<"$info")
height=$(sed -n 's/^ *Height: *//p' <<<"$info")
left=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
top=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
[ "$width" = 800 ] && [ "$height" = 600 ] || fail "client area is ${width} x ${height}, not 800 x 600"
expected_left=$(((screen_width - 800) / 2))
expected_top=$(((screen_height - 600) / 2))
[ "$left" = "$expected_left" ] && [ "$top" = "$expected_top" ] ||
  fail "client area at ($left, $top), not centred at ($expected_left, $expected_top)"

# What the window shows: the panel colour in its bottom-right corner (when
# ImageMagick is there to read the window's pixels).
if command -v import >/dev/null && command -v convert >/dev/null; then
  sleep 0.5
  shot="$build_dir/real_window.png"
  import -window "$window" "$shot" 2>/dev/null || fail "could not read the window's pixels"
  corner=$(convert "$shot" -format '%[pixel:p{799,599}]' info:)
  [ "$corner" = "srgb(60,78,60)" ] || fail "the window's bottom-right pixel is $corner, not srgb(60,78,60)"
fi

# Escape through the X server, with the keyboard focus on the panel.
sleep 0.3
xdotool mousemove --window "$window" 400 300
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key Escape
ended=""
for _ in $(seq 20); do
  if ! kill -0 "$panel_pid" 2>/dev/null; then ended=yes; break; fi
  sleep 0.1
done
[ -n "$ended" ] || fail "the panel was still running 2 seconds after Escape"
wait "$panel_pid"
status=$?
panel_pid=""
[ "$status" = 0 ] || fail "the panel ended with status $status: $(head -c 2000 "$build_dir/real_window.stderr")"
echo "real window: '$title', 800 x 600 at ($left, $top), closed by Escape"
