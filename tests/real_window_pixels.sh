#!/usr/bin/env bash
# The real window shows exactly the back buffer: a still panel (lamps, a
# gauge, a display, a button, a label; nothing animates) under its own Xvfb
# server, read whole from the X server, equals the headless screenshot of the
# same panel pixel for pixel, at scale 1 and at scale 2; after values come
# through a FIFO (a wake from the feed thread, a present of the changed
# rectangles only) it equals a headless run fed the same lines; and after the
# window is unmapped and mapped again (exposed) it still does; SIGTERM then
# ends it with status 0. Each time
# through the X11 path (IP_REAL_WINDOW_PATH=x11, which reports on standard
# error when that path could not start) and through SDL's window surface
# (IP_REAL_WINDOW_PATH=sdl). Usage: real_window_pixels.sh BUILD_DIR SOURCE_DIR
set -u

build_dir=${1:?build folder}
panel="$build_dir/instrument-panel"
pixel_tool="$build_dir/tests/window-pixel"
title="Exact pixels"
# How long the window may take to show a picture: tries, 0.1 s apart.
tries=30

source "$(dirname "$0")/support/xvfb.sh"
require_x_test_tools "$panel" "$pixel_tool"
work=$(mktemp -d)
panel_pid=""
cleanup() {
  exec 3>&- 2>/dev/null
  [ -n "$panel_pid" ] && kill "$panel_pid" 2>/dev/null && wait "$panel_pid" 2>/dev/null
  stop_xvfb
  rm -rf "$work"
  return 0
}
trap cleanup EXIT

cat >"$work/still.toml" <<PANEL
[window]
title = "$title"
width = 300
height = 120

[[instrument]]
kind = "gauge"
id = 1
x = 10
y = 10
width = 180
height = 20
value = 30

[[instrument]]
kind = "lamp"
id = 2
x = 200
y = 10
width = 90
height = 20
scheme = "traffic light"
level = 20
caption = "OK"

[[instrument]]
kind = "round-lamp"
id = 3
x = 10
y = 40
width = 24
height = 24
scheme = "red"
level = 0

[[instrument]]
kind = "display"
id = 4
x = 44
y = 40
width = 110
height = 32
text = "12.5 V"

[[instrument]]
kind = "button"
id = 5
x = 164
y = 40
width = 126
height = 24
caption = "stopped/running"

[[instrument]]
kind = "label"
id = 6
x = 10
y = 84
width = 280
height = 20
caption = "STILL"
PANEL
feed_lines=("1 75" "2 90 HIGH" "3 100" "4 -3.25 V" "5 on" "6 FED")

# The headless pictures: as started and as fed, at scales 1 and 2.
for line in "${feed_lines[@]}"; do echo "0 $line"; done >"$work/fed.feed"
for scale in 1 2; do
  "$panel" --panel "$work/still.toml" --headless --scale "$scale" --screenshot "$work/still-$scale.png" >/dev/null ||
    fail "no headless picture at scale $scale"
  "$panel" --panel "$work/still.toml" --headless --scale "$scale" --run-ms 10 --feed "$work/fed.feed" \
    --screenshot "$work/fed-$scale.png" >/dev/null || fail "no fed headless picture at scale $scale"
done
cmp -s "$work/still-1.png" "$work/fed-1.png" && fail "the fed lines change nothing headless"

start_xvfb 1280x1024 || fail "could not start Xvfb"
mkfifo "$work/feed"

# shows PICTURE WHAT: waits until the window equals PICTURE, pixel for pixel.
shows() {
  for _ in $(seq "$tries"); do
    "$pixel_tool" "$window" --grab "$work/shown.png" "$1" 2>"$work/difference.txt" && return 0
    sleep 0.1
  done
  fail "$2: $(cat "$work/difference.txt")"
}

# check_path PATH SCALE: the panel served through PATH at SCALE shows the
# headless pictures as started, as fed, and after an expose.
check_path() {
  local path=$1 scale=$2 what="$1 path at scale $2"
  IP_REAL_WINDOW_PATH=$path "$panel" --panel "$work/still.toml" --scale "$scale" --feed "$work/feed" \
    >/dev/null 2>"$work/panel.err" &
  panel_pid=$!
  exec 3>"$work/feed"
  window=$(timeout 10 xdotool search --sync --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
  [ -n "$window" ] || fail "no window titled '$title' within 10 seconds ($what): $(cat "$work/panel.err")"
  shows "$work/still-$scale.png" "$what, as started"
  printf '%s\n' "${feed_lines[@]}" >&3
  shows "$work/fed-$scale.png" "$what, after the feed"
  xdotool windowunmap --sync "$window"
  xdotool windowmap --sync "$window"
  shows "$work/fed-$scale.png" "$what, after an expose"
  [ ! -s "$work/panel.err" ] || fail "$what: $(cat "$work/panel.err")"
  exec 3>&-
  kill "$panel_pid"  # SIGTERM: the window's close button, so a clean end
  wait "$panel_pid"
  local status=$?
  panel_pid=""
  [ "$status" = 0 ] || fail "$what: the panel ended with status $status after SIGTERM: $(cat "$work/panel.err")"
}

for path in x11 sdl; do
  for scale in 1 2; do check_path "$path" "$scale"; done
done
echo "the window equals the headless pictures pixel for pixel: still, fed through a FIFO, exposed;" \
  "at scales 1 and 2, through the X11 path and through SDL's window surface"
