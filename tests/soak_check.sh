#!/usr/bin/env bash
# A short soak: twenty virtual seconds of the panel across midnight under 200
# random moves, clicks and drags, after which `soak run` checks that the
# clock display shows the end time as a fresh run draws it, no mouse button
# is left down and nothing follows the mouse. (./test --soak runs the long
# ones.) Usage: soak_check.sh BUILD_DIR SOURCE_DIR
set -eu
build_dir=$(cd "${1:?build folder}" && pwd)
scratch="$build_dir/scratch/soak_check.$$"
mkdir -p "$scratch"
trap 'rm -rf "$scratch"' EXIT
"$build_dir/soak" events 7 200 20000 "$scratch/events.txt"
[ "$(grep -c ' down ' "$scratch/events.txt")" = "$(grep -c ' up ' "$scratch/events.txt")" ] ||
  { echo "FAIL: every press in the events file needs its release"; exit 1; }
"$build_dir/soak" run 23:59:50.500 20000 "$scratch/events.txt"
