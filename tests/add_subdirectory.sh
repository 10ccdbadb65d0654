#!/usr/bin/env bash
# The project as part of another (tests/subproject): with add_subdirectory
# and with FetchContent from a local folder, it configures with every
# library source found and none of its own tests, tools or programs.
# Configuring is enough to catch paths taken from the wrong project; the
# build itself is the library's, which the suite builds already.
# Usage: add_subdirectory.sh BUILD_DIR SOURCE_DIR
set -u
source_dir=$(cd "${2:?source folder}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

expected=$(ls "$source_dir"/platform/*.cpp "$source_dir"/host/*.cpp "$source_dir"/toolkit/*.cpp \
  "$source_dir"/instruments/*.cpp | wc -l)
for how in add_subdirectory FetchContent; do
  if ! cmake -S "$source_dir/tests/subproject" -B "$work/$how" -DIP_SOURCE="$source_dir" -DIP_HOW="$how" \
    >"$work/$how.log" 2>&1; then
    echo "FAIL: $how: $(tail -20 "$work/$how.log")"
    exit 1
  fi
  count=$(sed -n 's/.*instrument library sources: \([0-9]*\).*/\1/p' "$work/$how.log")
  [ "$count" = "$expected" ] || { echo "FAIL: $how: $count library sources, expected $expected"; exit 1; }
done
echo "ok: add_subdirectory and FetchContent configure with all $expected library sources"
