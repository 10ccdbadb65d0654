#!/usr/bin/env bash
# Feeds examples/panels/machine-monitor.toml from /proc, once a second:
#   examples/panels/machine-monitor-feed.sh | build/instrument-panel --panel examples/panels/machine-monitor.toml --feed -
# Lines: 11..18 CPU use of cores 0..7 in percent (gauges) and 21..28 the
# same on the lamps; 30 memory in use in percent; 31 the load average and
# 32 the load over the number of cores in percent (capped at 100); 33 the
# machine's name, kernel and uptime; 34 the time for the marquee.
# With --once it prints one round (after a second) and ends.
set -euo pipefail
export LC_ALL=C
interval=1
max_cores=8

# "busy total" of every cpuN line of /proc/stat, one line per core.
core_times() {
  awk '/^cpu[0-9]+ / { idle = $5 + $6; total = 0; for (i = 2; i <= NF; i++) total += $i; print total - idle, total }' /proc/stat
}

print_round() {
  local -a before=("$@")
  mapfile -t after < <(core_times)
  local core
  for ((core = 0; core < ${#after[@]} && core < max_cores; core++)); do
    read -r busy0 total0 <<<"${before[core]}"
    read -r busy1 total1 <<<"${after[core]}"
    awk -v id="$core" -v b=$((busy1 - busy0)) -v t=$((total1 - total0)) \
      'BEGIN { p = t > 0 ? 100 * b / t : 0; printf "%d %.1f\n%d %.1f\n", 11 + id, p, 21 + id, p }'
  done
  awk '/^MemTotal:/ { t = $2 } /^MemAvailable:/ { a = $2 } END { if (t > 0) printf "30 %.1f\n", 100 * (t - a) / t }' /proc/meminfo
  read -r load1 _ </proc/loadavg
  echo "31 $load1"
  awk -v l="$load1" -v n="$(nproc)" 'BEGIN { p = 100 * l / n; if (p > 100) p = 100; printf "32 %.1f\n", p }'
  local up
  up=$(awk '{ s = int($1); printf "%dd %02d:%02d", s / 86400, s % 86400 / 3600, s % 3600 / 60 }' /proc/uptime)
  echo "33 $(uname -n)\\n$(uname -sr)\\nup $up\\n$(nproc) cores"
  echo "34 $(date +%H:%M:%S)"
}

mapfile -t previous < <(core_times)
while true; do
  sleep "$interval"
  print_round "${previous[@]}"
  mapfile -t previous < <(core_times)
  [ "${1:-}" = --once ] && break
done
