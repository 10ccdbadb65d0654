#!/usr/bin/env bash
# The manual's pictures stay true: the gallery draws every sheet again into
# the build folder, and each file must equal the one committed in
# docs/pictures byte for byte, with none missing and none left over. A
# failure names the sheet and the command that refreshes the pictures.
# Usage: docs_pictures.sh BUILD_DIR SOURCE_DIR
set -u
build_dir=$(cd "${1:?build folder}" && pwd)
source_dir=$(cd "${2:?source folder}" && pwd)
committed="$source_dir/docs/pictures"
fresh="$build_dir/docs-pictures"
refresh="$build_dir/gallery $committed"

rm -rf "$fresh"
"$build_dir/gallery" "$fresh" >"$build_dir/docs-pictures.log" 2>&1 || {
  echo "FAIL: the gallery did not run: $(tail -5 "$build_dir/docs-pictures.log")"
  exit 1
}

# A file of the pictures folder: a sheet, or the list of every label drawn.
describe() {
  case "$1" in
    *.png) echo "sheet ${1%.png}" ;;
    *) echo "$1" ;;
  esac
}

status=0
for file in "$fresh"/*; do
  name=$(basename "$file")
  if [ ! -f "$committed/$name" ]; then
    echo "FAIL: $(describe "$name") is missing from docs/pictures; refresh the pictures with: $refresh"
    status=1
  elif ! cmp -s "$file" "$committed/$name"; then
    echo "FAIL: $(describe "$name") is stale: docs/pictures/$name differs from what the library draws now" \
      "($file); refresh the pictures with: $refresh"
    status=1
  fi
done
for file in "$committed"/*; do
  name=$(basename "$file")
  [ -f "$fresh/$name" ] || {
    echo "FAIL: docs/pictures/$name is no longer drawn by the gallery; remove it"
    status=1
  }
done

# An unknown sheet is a usage error, not a crash.
"$build_dir/gallery" "$build_dir/docs-pictures-unused" no-such-sheet >/dev/null 2>&1
[ $? -eq 2 ] || { echo "FAIL: an unknown sheet name does not end the gallery with status 2"; status=1; }

[ $status -eq 0 ] && echo "ok: $(ls "$fresh" | wc -l) files in docs/pictures are what the library draws"
exit $status
