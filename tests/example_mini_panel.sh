#!/bin/bash
# The mini panel example runs headless, exits 0 and writes a PNG picture of
# its 260 x 120 dialog after ten timer steps.
# Arguments: the build folder and the source folder.
set -u
build_dir=$1
program="$build_dir/example-mini_panel"
picture="$build_dir/example_mini_panel.png"
rm -f "$picture"

if ! output=$("$program" "$picture"); then
  echo "example-mini_panel failed: $output"
  exit 1
fi
echo "$output"
[[ "$output" == *"10 timer steps"* ]] || { echo "expected 10 timer steps"; exit 1; }
# A PNG starts with its 8-byte signature; width and height follow in IHDR.
signature=$(head -c 8 "$picture" | od -An -tx1 | tr -d ' \n')
[[ "$signature" == "89504e470d0a1a0a" ]] || { echo "$picture is not a PNG"; exit 1; }
size=$(od -An -tu1 -j16 -N8 "$picture" | tr -s ' ' | sed 's/^ //')
[[ "$size" == "0 0 1 4 0 0 0 120" ]] || { echo "unexpected picture size bytes: $size"; exit 1; }
# Running without an output file is a usage error, not a crash.
"$program" > /dev/null 2>&1
[[ $? -eq 2 ]] || { echo "expected exit status 2 without arguments"; exit 1; }
echo "ok"
