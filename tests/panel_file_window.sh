#!/usr/bin/env bash
# A panel file in the real window under its own Xvfb server: values written
# to a FIFO move a gauge, a drag on a knob through the X server prints its
# report lines, and saving the file (by renaming over it, as editors do)
# rebuilds the panel with the gauge's value kept, while a save with an error
# keeps the panel and prints FILE:LINE:COLUMN. Then the three example panels
# live: each opens, takes its recorded feed through a FIFO (a machine
# monitor's gauge moves), the knob bank reports a drag on its INPUT knob, and
# Escape ends each. Usage: panel_file_window.sh BUILD_DIR SOURCE_DIR
set -u

build_dir=${1:?build folder}
examples="${2:?source folder}/examples/panels"
panel="$build_dir/instrument-panel"
pixel_tool="$build_dir/tests/window-pixel"
title="Panel file test"

source "$(dirname "$0")/support/xvfb.sh"
require_x_test_tools "$panel" "$pixel_tool"

work=$(mktemp -d)
panel_pid=""
cleanup() {
  exec 3>&- 2>/dev/null
  [ -n "$panel_pid" ] && kill "$panel_pid" 2>/dev/null
  stop_xvfb
  rm -rf "$work"
  return 0
}
trap cleanup EXIT

start_xvfb 1024x768 || fail "could not start Xvfb"

# A gauge (id 1) along the top, a knob (id 2) whose centre is (30, 90).
write_panel() {  # BACKGROUND [EXTRA LINE]
  cat <<PANEL
[window]
title = "$title"
width = 300
height = 200
background = "$1"
[[instrument]]
kind = "gauge"
id = 1
x = 10
y = 10
width = 200
height = 20
${2:-}
[[instrument]]
kind = "knob"
id = 2
x = 0
y = 60
width = 60
height = 60
PANEL
}
save() {  # as an editor that writes a new file and renames it over the old one
  write_panel "$@" >"$work/panel.toml.new"
  mv "$work/panel.toml.new" "$work/panel.toml"
}
save "#3C4E3C"
mkfifo "$work/feed"

# Starts the panel of FILE titled TITLE with the FIFO as its feed (open on
# descriptor 3) and its report in report.txt.
start_panel() {  # FILE TITLE
  : >"$work/report.txt"
  "$panel" --panel "$1" --feed "$work/feed" --report >"$work/report.txt" 2>"$work/panel.err" &
  panel_pid=$!
  exec 3>"$work/feed"
  window=$(timeout 10 xdotool search --sync --onlyvisible --name "^$2\$" 2>/dev/null | head -n 1)
  [ -n "$window" ] || fail "no visible window titled '$2' within 10 seconds: $(cat "$work/panel.err")"
}

# Escape ends the panel with status 0.
stop_panel() {
  xdotool mousemove --window "$window" 1 1
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key Escape
  for _ in $(seq 20); do
    kill -0 "$panel_pid" 2>/dev/null || break
    sleep 0.1
  done
  exec 3>&-
  wait "$panel_pid"
  local status=$?
  panel_pid=""
  [ "$status" = 0 ] || fail "the panel ended with status $status: $(cat "$work/panel.err")"
}

# Drags with the left button from (X1, Y1) to (X2, Y2) through the X server.
drag() {  # X1 Y1 X2 Y2
  xdotool mousemove --window "$window" "$1" "$2" mousedown 1
  sleep 0.2
  xdotool mousemove --window "$window" "$3" "$4"
  sleep 0.2
  xdotool mouseup 1
}

# Waits up to two seconds for the report's last line to be LINE.
wait_report() {  # LINE
  for _ in $(seq 40); do
    [ "$(tail -n 1 "$work/report.txt")" = "$1" ] && return 0
    sleep 0.05
  done
  return 1
}

start_panel "$work/panel.toml" "$title"

pixel() { "$pixel_tool" "$window" "$1" "$2"; }
# Waits up to two seconds for (X, Y) to show COLOUR ("R G B"), or to differ from it with "not".
wait_pixel() {  # X Y [not] COLOUR
  local x=$1 y=$2 negate="" shown=""
  shift 2
  [ "$1" = not ] && negate=yes && shift
  for _ in $(seq 40); do
    shown=$(pixel "$x" "$y")
    if [ -z "$negate" ] && [ "$shown" = "$1" ]; then return 0; fi
    if [ -n "$negate" ] && [ -n "$shown" ] && [ "$shown" != "$1" ]; then return 0; fi
    sleep 0.05
  done
  echo "$shown"
  return 1
}

# The far end of the gauge: its empty colour at level 0, another at 100.
gauge_x=200
gauge_y=20
echo "1 0" >&3
sleep 0.3
empty=$(pixel $gauge_x $gauge_y)
[ -n "$empty" ] || fail "could not read the window's pixels"
echo "1 100" >&3
wait_pixel $gauge_x $gauge_y not "$empty" >/dev/null || fail "the gauge did not move when fed 100 (still $empty)"
full=$(pixel $gauge_x $gauge_y)
echo "1 0" >&3
wait_pixel $gauge_x $gauge_y "$empty" >/dev/null || fail "the gauge did not come back when fed 0"
echo "1 100" >&3
wait_pixel $gauge_x $gauge_y "$full" >/dev/null || fail "the gauge did not move again when fed 100"

# A drag on the knob from the right of its centre to the left of it.
drag 59 90 1 90
wait_report "2 16"
[ "$(head -n 1 "$work/report.txt")" = "2 83" ] || fail "the drag's first report line is not '2 83': $(cat "$work/report.txt")"
[ "$(tail -n 1 "$work/report.txt")" = "2 16" ] || fail "the drag's last report line is not '2 16': $(cat "$work/report.txt")"

# Saved with another background: rebuilt in place, the fed value kept.
corner_x=290
corner_y=190
save "#102030"
wait_pixel $corner_x $corner_y "16 32 48" >/dev/null || fail "the saved background was not shown"
[ "$(pixel $gauge_x $gauge_y)" = "$full" ] || fail "the gauge lost its value over the reload"

# Saved with an error: the panel stays, the error is printed.
save "#102030" 'divisions = "ten"'
for _ in $(seq 40); do
  grep -q "panel.toml:13:13: " "$work/panel.err" && break
  sleep 0.05
done
grep -q "^$work/panel.toml:13:13: 'divisions' must be a whole number" "$work/panel.err" ||
  fail "no FILE:LINE:COLUMN message for the bad save: $(cat "$work/panel.err")"
[ "$(pixel $corner_x $corner_y)" = "16 32 48" ] && [ "$(pixel $gauge_x $gauge_y)" = "$full" ] ||
  fail "the panel changed after a save with an error"
kill -0 "$panel_pid" 2>/dev/null || fail "the panel ended after a save with an error"

stop_panel

# The examples, each fed its recorded feed without the times.
live_feed() { sed 's/^[0-9][0-9]* //' "$examples/$1.feed" >&3; }

start_panel "$examples/machine-monitor.toml" "Machine monitor"
core0_x=21  # near the top of core 0's vertical bar
core0_y=40
echo "11 0" >&3
sleep 0.3
idle=$(pixel $core0_x $core0_y)
live_feed machine-monitor
echo "11 100" >&3
wait_pixel $core0_x $core0_y not "$idle" >/dev/null || fail "the machine monitor's core 0 gauge did not move"
[ ! -s "$work/panel.err" ] || fail "the machine monitor refused lines: $(cat "$work/panel.err")"
stop_panel

start_panel "$examples/knob-bank.toml" "Channel bank"
live_feed knob-bank
drag 99 80 13 80  # the INPUT knob (centre 56, 80), from 3 o'clock to 9 o'clock
wait_report "21 16" || fail "the knob bank's drag did not end on '21 16': $(cat "$work/report.txt")"
[ "$(head -n 1 "$work/report.txt")" = "21 83" ] || fail "the knob bank's drag did not start on '21 83'"
stop_panel

start_panel "$examples/annunciator.toml" "Annunciator"
live_feed annunciator
sleep 0.3
[ ! -s "$work/panel.err" ] || fail "the annunciator refused lines: $(cat "$work/panel.err")"
stop_panel
echo "panel files in a real window: the FIFO moved the gauges, the knobs' drags were reported, reload kept the" \
  "value, the three examples ran live"
