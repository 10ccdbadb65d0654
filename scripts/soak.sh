#!/usr/bin/env bash
# ./test --soak: one simulated hour of the panel headless under 8,000 random
# moves, clicks and drags (a seeded events file), whose peak resident memory
# must stay within 5% of a one-minute run of the same file; then ten minutes
# across midnight under AddressSanitizer and UndefinedBehaviorSanitizer with
# leak detection. Every run must end sane (tools/soak.cpp says what that is).
# Prints the figures; the status is 1 when anything failed.
#
#   scripts/soak.sh
set -euo pipefail
cd "$(dirname "$0")/.."
seed=2024
actions_per_hour=8000
hour_ms=3600000
minute_ms=60000
midnight_ms=600000
midnight_start=23:55:00.500
day_start=12:00:00.500
allowed_growth_percent=5

bash scripts/setup.sh soak build
bash scripts/setup.sh soak build-sanitize -DIP_SANITIZE=ON -DIP_BUILD_BENCH=OFF  # as ./test --sanitize
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
work=build/soak-runs
mkdir -p "$work"

peak_of() { sed -n 's/^peak resident memory: \([0-9]*\) kB$/\1/p' "$1"; }

build/soak events "$seed" "$actions_per_hour" "$hour_ms" "$work/hour.txt"
echo "== one minute"
build/soak run "$day_start" "$minute_ms" "$work/hour.txt" | tee "$work/minute.log"
echo "== one hour"
build/soak run "$day_start" "$hour_ms" "$work/hour.txt" | tee "$work/hour.log"
minute_kb=$(peak_of "$work/minute.log")
hour_kb=$(peak_of "$work/hour.log")
growth=$((hour_kb - minute_kb))
status=0
if [ $((100 * ${growth#-})) -gt $((allowed_growth_percent * minute_kb)) ]; then
  echo "FAIL: the hour's peak memory differs from the minute's by more than ${allowed_growth_percent}%"
  status=1
fi

echo "== ten minutes across midnight under the sanitizers"
build/soak events "$((seed + 1))" "$((actions_per_hour * midnight_ms / hour_ms))" "$midnight_ms" "$work/midnight.txt"
if ! build-sanitize/soak run "$midnight_start" "$midnight_ms" "$work/midnight.txt" 2>&1 | tee "$work/midnight.log"; then
  status=1
fi
grep -q 'ERROR: \(AddressSanitizer\|LeakSanitizer\)\|runtime error' "$work/midnight.log" && status=1

echo "== soak figures"
awk -v a="$minute_kb" -v b="$hour_kb" -v am="$minute_ms" -v bm="$hour_ms" \
  'BEGIN { printf "peak resident memory: %d kB after %d ms, %d kB after %d ms (%+d kB, %+.2f%%)\n", a, am, b, bm, b - a, 100 * (b - a) / a }'
echo "midnight run under the sanitizers: $([ "$status" = 0 ] && echo passed || echo see $work/midnight.log)"
exit "$status"
