#!/usr/bin/env bash
# Builds the libFuzzer harnesses of tests/fuzz with clang (AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for SECONDS, one after another,
# with a memory limit of 512 MB and a time limit of 2 s per input. New inputs
# go to BUILD_DIR/fuzz/NAME/corpus (the committed seed corpus is only read);
# findings (crash-*, timeout-*, oom-*, leak-*) to BUILD_DIR/fuzz/NAME/findings.
# Prints the inputs run and the findings of each harness; the status is 1
# when there was any finding.
#
#   scripts/fuzz.sh BUILD_DIR SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$1
seconds=$2
rss_limit_mb=512
input_timeout_s=2

bash scripts/setup.sh fuzz "$build_dir"

# The inputs libFuzzer ran: its final count, or the last progress line's.
runs_of() {
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$1" | tail -n 1)
  [ -n "$runs" ] || runs=$(grep -o '^#[0-9]*' "$1" | tail -n 1 | tr -d '#')
  echo "${runs:-0}"
}

total_findings=0
report=()
printf '%-20s %12s %9s\n' harness inputs findings
while read -r name; do
  [ -n "$name" ] || continue
  work="$build_dir/fuzz/$name"
  rm -rf "$work/findings"
  mkdir -p "$work/corpus" "$work/findings"
  log="$work/log.txt"
  "$build_dir/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -rss_limit_mb="$rss_limit_mb" \
    -timeout="$input_timeout_s" -dict="tests/fuzz/$name.dict" -artifact_prefix="$work/findings/" \
    -print_final_stats=1 "$work/corpus" "tests/fuzz/corpus/$name" >"$log" 2>&1 || true
  findings=$(find "$work/findings" -type f | wc -l)
  printf '%-20s %12s %9s\n' "$name" "$(runs_of "$log")" "$findings"
  if [ "$findings" -gt 0 ]; then
    total_findings=$((total_findings + findings))
    report+=("$name: $(find "$work/findings" -type f | head -n 3 | tr '\n' ' ')(log: $log)")
  fi
done <"$build_dir/tests/fuzz/harnesses.txt"

for line in "${report[@]}"; do echo "finding in $line"; done
if [ "$total_findings" -gt 0 ]; then
  echo "$total_findings findings: add each input to tests/fuzz/corpus/NAME/ once its fault is fixed"
  exit 1
fi
echo "no findings"
