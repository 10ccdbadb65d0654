#!/usr/bin/env bash
# The example panels' programs at work, headless: the knob bank's report,
# piped into its settings program, leaves the settings file the clicks and
# drags asked for; one round of the machine monitor's feeder, read from this
# machine's /proc, is a feed the monitor takes without refusing a line.
# Usage: panel_file_pipeline.sh BUILD_DIR SOURCE_DIR
set -u
build_dir=${1:?build folder}
source_dir=${2:?source folder}
panel="$build_dir/instrument-panel"
examples="$source_dir/examples/panels"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*"
  exit 1
}

# Switch 31 on, the INPUT knob (centre 56, 80) turned to 3 o'clock, then
# switch 32 on and off again.
cat >"$work/events.txt" <<'EVENTS'
100 click 31 147
200 move 99 80
201 down left
260 up left
300 click 127 147
400 click 127 147
EVENTS
"$panel" --panel "$examples/knob-bank.toml" --headless --run-ms 500 --events "$work/events.txt" --report \
  2>"$work/panel.err" | "$examples/knob-bank-settings.sh" "$work/channels.conf" >"$work/changes.txt" ||
  fail "the pipeline failed: $(cat "$work/panel.err")"
printf 'input: on\ninput: level 83\nbass: on\nbass: off\n' | diff -u - "$work/changes.txt" ||
  fail "the settings program printed other changes"
cat >"$work/expected.conf" <<'CONF'
input.level = 83
input.enabled = true
bass.level = 50
bass.enabled = false
treble.level = 50
treble.enabled = false
output.level = 50
output.enabled = false
CONF
diff -u "$work/expected.conf" "$work/channels.conf" || fail "channels.conf holds other settings"
[ "$(cat "$work/panel.err")" = "panel open at 500 ms" ] || fail "the panel said: $(cat "$work/panel.err")"

# One round of the feeder, each line given the time 0.
"$examples/machine-monitor-feed.sh" --once >"$work/round.txt" || fail "the feeder failed"
grep -q '^30 [0-9.]*$' "$work/round.txt" || fail "no memory line in: $(cat "$work/round.txt")"
grep -q '^11 [0-9.]*$' "$work/round.txt" || fail "no line for core 0 in: $(cat "$work/round.txt")"
sed 's/^/0 /' "$work/round.txt" >"$work/round.feed"
"$panel" --panel "$examples/machine-monitor.toml" --headless --run-ms 100 --feed "$work/round.feed" \
  >"$work/monitor.out" 2>"$work/monitor.err" || fail "the monitor did not run: $(cat "$work/monitor.err")"
[ ! -s "$work/monitor.err" ] || fail "the monitor refused lines of the feeder: $(cat "$work/monitor.err")"
echo "ok: the knob bank's report kept its settings; the monitor took a round of its feeder"
