#!/usr/bin/env bash
# CPU the panel's real window costs while it animates: the panel runs under
# its own Xvfb server, and over a measuring window of SECONDS (default 20)
# after a short settling time the script reads the processor time of every
# thread of the panel (and of the X server, which does the drawing on screen)
# from /proc in nanoseconds. Prints each run and the median as a share of one
# core. Usage: bench/real_window_cpu.sh BUILD_DIR [SECONDS] [RUNS] [EXTRA PANEL OPTIONS...]
set -u

build_dir=${1:?build folder}
seconds=${2:-20}
runs=${3:-3}
shift $(($# < 3 ? $# : 3))
panel="$build_dir/instrument-panel"
title="Libreria di tools grafici"
settle_seconds=2

source "$(dirname "$0")/../tests/support/xvfb.sh"
require_x_test_tools "$panel"
panel_pid=""
cleanup() {
  [ -n "$panel_pid" ] && kill "$panel_pid" 2>/dev/null
  stop_xvfb
}
trap cleanup EXIT
start_xvfb 1280x1024 || fail "could not start Xvfb"

# Processor time of every thread of a process, in nanoseconds.
cpu_ns() {
  local total=0 ns
  for stat in /proc/"$1"/task/*/schedstat; do
    read -r ns _ <"$stat" 2>/dev/null || continue
    total=$((total + ns))
  done
  echo "$total"
}

# Share of one core, in per cent with three decimals, of NS over WALL_NS.
percent() { awk -v n="$1" -v w="$2" 'BEGIN { printf "%.3f", 100 * n / w }'; }

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

panel_shares=()
server_shares=()
for run in $(seq "$runs"); do
  "$panel" "$@" >/dev/null 2>"$build_dir/real_window_cpu.stderr" &
  panel_pid=$!
  window=$(timeout 10 xdotool search --sync --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
  [ -n "$window" ] || fail "no window titled '$title' within 10 seconds"
  sleep "$settle_seconds"
  start_wall=$(date +%s%N)
  start_panel=$(cpu_ns "$panel_pid")
  start_server=$(cpu_ns "$xvfb_pid")
  sleep "$seconds"
  end_panel=$(cpu_ns "$panel_pid")
  end_server=$(cpu_ns "$xvfb_pid")
  end_wall=$(date +%s%N)
  kill "$panel_pid" 2>/dev/null
  wait "$panel_pid" 2>/dev/null
  panel_pid=""
  wall=$((end_wall - start_wall))
  panel_shares+=("$(percent $((end_panel - start_panel)) "$wall")")
  server_shares+=("$(percent $((end_server - start_server)) "$wall")")
  echo "run $run: panel ${panel_shares[-1]}% of a core, X server ${server_shares[-1]}%, over $(percent "$wall" 100000000000) s"
done
load=$(cut -d' ' -f1-3 /proc/loadavg)
echo "real window over ${seconds} s, median of $runs: panel $(printf '%s\n' "${panel_shares[@]}" | median)% of a core," \
     "X server $(printf '%s\n' "${server_shares[@]}" | median)% (load average $load)"
