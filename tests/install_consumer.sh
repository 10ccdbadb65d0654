#!/usr/bin/env bash
# The library from outside: `cmake --install` into a temporary prefix gives
# the public headers, the library, the CMake package, the pkg-config file,
# the bitmaps and the panel; examples/consumer, configured from outside the
# source tree with find_package, builds and runs headless to the golden
# picture tests/golden/consumer.png (IP_UPDATE_GOLDEN=1 writes it); a
# one-file program builds with pkg-config alone; the installed panel reads
# its bitmaps from the prefix's share folder.
# Usage: install_consumer.sh BUILD_DIR SOURCE_DIR
set -u
build_dir=$(cd "${1:?build folder}" && pwd)
source_dir=$(cd "${2:?source folder}" && pwd)
golden="$source_dir/tests/golden/consumer.png"

fail() {
  echo "FAIL: $*"
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log" 2>&1 || fail "install: $(tail -5 "$work/install.log")"

# ---- what the prefix holds ----
for file in include/instrument_panel/instrument_panel.h include/instrument_panel/version.h \
  lib/cmake/InstrumentPanel/InstrumentPanelConfig.cmake lib/cmake/InstrumentPanel/InstrumentPanelConfigVersion.cmake \
  lib/cmake/InstrumentPanel/InstrumentPanelTargets.cmake lib/pkgconfig/instrument-panel.pc bin/instrument-panel; do
  [ -e "$prefix/$file" ] || fail "$file is not installed"
done
[ -e "$prefix/lib/libinstrument-panel.a" ] || [ -e "$prefix/lib/libinstrument-panel.so.1.0.0" ] ||
  fail "no libinstrument-panel.a or libinstrument-panel.so.1.0.0 in $prefix/lib"
[ "$(ls "$prefix/share/instrument-panel" | wc -l)" = 7 ] || fail "the seven bitmaps are not in share/instrument-panel"
expected_headers=$( (ls "$source_dir/include/instrument_panel"; echo version.h) | sort)
[ "$(ls "$prefix/include/instrument_panel" | sort)" = "$expected_headers" ] ||
  fail "installed headers differ from the public ones: $(ls "$prefix/include/instrument_panel" | tr '\n' ' ')"

# ---- a separate CMake project: find_package, build, run headless ----
cmake -S "$source_dir/examples/consumer" -B "$work/consumer" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_BUILD_TYPE=Release >"$work/consumer.log" 2>&1 || fail "consumer configure: $(tail -20 "$work/consumer.log")"
cmake --build "$work/consumer" -j 2 >>"$work/consumer.log" 2>&1 || fail "consumer build: $(tail -20 "$work/consumer.log")"
(cd "$work" && "$work/consumer/consumer" --headless --run-ms 2300 --screenshot "$work/consumer.png") ||
  fail "the consumer did not run"
if [ -n "${IP_UPDATE_GOLDEN:-}" ]; then
  cp "$work/consumer.png" "$golden" || fail "could not write $golden"
fi
[ -f "$golden" ] || fail "missing golden picture $golden (IP_UPDATE_GOLDEN=1 writes it)"
cmp -s "$work/consumer.png" "$golden" || {
  cp "$work/consumer.png" "$build_dir/consumer_actual.png"
  fail "the consumer's picture differs from $golden (see $build_dir/consumer_actual.png)"
}

# ---- pkg-config alone: the smallest program of the README ----
export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
flags=$(pkg-config --cflags --libs instrument-panel) || fail "pkg-config does not know instrument-panel"
g++ -std=c++20 "$source_dir/examples/smallest.cpp" -o "$work/smallest" $flags 2>"$work/smallest.log" ||
  fail "pkg-config build: $(head -20 "$work/smallest.log")"
(cd "$work" && LD_LIBRARY_PATH="$prefix/lib" "$work/smallest") || fail "the pkg-config program did not run"
# A PNG of 140 x 40: its signature, then width and height in the IHDR chunk.
signature=$(od -An -tx1 -N8 "$work/mine.png" | tr -d ' \n')
size=$(od -An -tu1 -j16 -N8 "$work/mine.png" | tr -s ' ' | sed 's/^ //')
[ "$signature" = 89504e470d0a1a0a ] && [ "$size" = "0 0 0 140 0 0 0 40" ] ||
  fail "the pkg-config program wrote no 140 x 40 PNG"

# ---- the installed panel reads the prefix's bitmaps ----
mkdir -p "$work/empty"
run_panel() {
  (cd "$work/empty" && "$1" --headless --clock 12:00:00 --run-ms 300 --screenshot "$2" >/dev/null) || fail "$1 did not run"
}
run_panel "$build_dir/instrument-panel" "$work/panel-build.png"
run_panel "$prefix/bin/instrument-panel" "$work/panel-installed.png"
cmp -s "$work/panel-build.png" "$work/panel-installed.png" || fail "the installed panel shows another picture"
cp "$prefix/share/instrument-panel/fondo2.bmp" "$prefix/share/instrument-panel/fondo1.bmp"
run_panel "$prefix/bin/instrument-panel" "$work/panel-swapped.png"
cmp -s "$work/panel-build.png" "$work/panel-swapped.png" && fail "the installed panel did not read share/instrument-panel"
echo "ok: installed, consumer and pkg-config program built and run"
