#!/usr/bin/env bash
# The programs given names that are not regular files: a FIFO under each of
# the panel's bitmap names in its working directory is passed over like a
# missing file (the run ends normally and draws what it draws without them),
# and an events file, case file or output path that is a FIFO, a directory or
# too large to make ends the program with a failure status and the reason.
# Usage: unreadable_inputs.sh BUILD_DIR SOURCE_DIR
set -u
build_dir=$(cd "${1:?build folder}" && pwd)
panel="$build_dir/instrument-panel"
render="$build_dir/render-cases"
scratch="$build_dir/scratch/unreadable_inputs.$$"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
rm -rf "$scratch"
mkdir -p "$scratch/fifos" "$scratch/plain" "$scratch/a_folder"
trap 'rm -rf "$scratch"' EXIT
mkfifo "$scratch/pipe"

# expect STATUS TEXT COMMAND...: the command ends with STATUS and its
# standard error holds TEXT.
expect() {
  local status=$1 text=$2
  shift 2
  local err
  err=$("$@" 2>&1 >/dev/null)
  local got=$?
  [ "$got" = "$status" ] || fail "$* ended with status $got, not $status ($err)"
  [[ "$err" == *"$text"* ]] || fail "$* said '$err', not '$text'"
}

# The panel with every bitmap name a FIFO in its working directory draws
# the same picture as in a folder without them.
for name in fondo1 fondo2 legno1 legno2 carta11 switch1 switch2; do mkfifo "$scratch/fifos/$name.bmp"; done
for folder in fifos plain; do
  (cd "$scratch/$folder" && "$panel" --headless --clock 12:00:00 --run-ms 300 --screenshot shot.png >/dev/null) ||
    fail "the panel in the folder '$folder' ended with status $?"
done
cmp -s "$scratch/fifos/shot.png" "$scratch/plain/shot.png" || fail "FIFOs named like bitmaps changed the picture"

expect 2 "$scratch/pipe: cannot read the events file: Is a FIFO, not a regular file" \
  "$panel" --headless --events "$scratch/pipe"
expect 1 "could not write the screenshot $scratch/pipe: Is a FIFO, not a regular file" \
  "$panel" --headless --screenshot "$scratch/pipe"

printf 'case huge\nsize 16384 16384\nclear 0\nend\n' >"$scratch/huge.txt"
printf 'case small\nsize 4 4\nclear 0\nend\n' >"$scratch/small.txt"
expect 2 "render-cases: $scratch/a_folder: cannot read the case file: Is a directory" \
  "$render" "$scratch/a_folder" "$scratch/out"
expect 2 "render-cases: $scratch/pipe: cannot read the case file: Is a FIFO, not a regular file" \
  "$render" "$scratch/pipe" "$scratch/out"
expect 1 "render-cases: case huge: a 16384 x 16384 canvas is too large to make" \
  "$render" "$scratch/huge.txt" "$scratch/out"
expect 1 "render-cases: cannot write $scratch/small.txt/small.png: Not a directory" \
  "$render" "$scratch/small.txt" "$scratch/small.txt"
expect 0 "" "$render" "$scratch/small.txt" "$scratch/out"
[ -s "$scratch/out/small.png" ] || fail "render-cases wrote no small.png"

[ "$failures" = 0 ] || exit 1
echo "unreadable inputs: refused with their reasons, FIFOs never waited on"
