#!/usr/bin/env bash
# The layers of the library include downward only:
#   platform <- host <- toolkit <- instruments <- panel
# Each public header of include/instrument_panel/ belongs to one layer, and a
# folder (or a public header) may include only headers of its own layer or
# below. Public headers and the examples include public headers only.
# Usage: layering.sh BUILD_DIR SOURCE_DIR
set -u
source_dir=${2:?source folder}
cd "$source_dir" || exit 1

declare -A layer_of_folder=([platform]=0 [host]=1 [toolkit]=2 [instruments]=3 [panel]=4)
declare -A layer_of_public=(
  [types.h]=0 [session.h]=0
  [dialog.h]=1 [canvas.h]=1 [bitmaps.h]=1 [numbers.h]=1 [texts.h]=1 [errors.h]=1 [version.h]=1
  [colors.h]=2 [frames.h]=2 [backgrounds.h]=2 [labels.h]=2 [lamps.h]=2 [keys.h]=2
  [instrument_table.h]=3 [gauge.h]=3 [leds.h]=3 [buttons.h]=3 [knobs.h]=3 [display.h]=3
  [text_panels.h]=3 [interaction.h]=3 [instrument_values.h]=3 [instrument_panel.h]=3
)
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Every public header has a layer.
for header in include/instrument_panel/*.h cmake/version.h.in; do
  name=$(basename "${header%.in}")
  [ -n "${layer_of_public[$name]:-}" ] || fail "public header $name has no layer in $0"
done

# The layer of an included header, or "" when it is not one of ours.
layer_of_include() {
  local path=$1
  case "$path" in
    instrument_panel/*) echo "${layer_of_public[${path#instrument_panel/}]:-}" ;;
    */*) echo "${layer_of_folder[${path%%/*}]:-}" ;;
  esac
}

# check FILE LAYER PUBLIC_ONLY
check() {
  local file=$1 layer=$2 public_only=$3 included target
  while IFS= read -r included; do
    if [ "$public_only" = yes ] && [[ "$included" != instrument_panel/* ]]; then
      fail "$file includes the internal header $included"
      continue
    fi
    target=$(layer_of_include "$included")
    [ -z "$target" ] && continue
    [ "$target" -le "$layer" ] || fail "$file (layer $layer) includes $included (layer $target)"
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
}

for folder in "${!layer_of_folder[@]}"; do
  for file in "$folder"/*.cpp "$folder"/*.h; do
    [ -e "$file" ] && check "$file" "${layer_of_folder[$folder]}" no
  done
done
for file in include/instrument_panel/*.h; do
  check "$file" "${layer_of_public[$(basename "$file")]:-9}" yes
done
for file in examples/*.cpp examples/*/*.cpp; do
  [ -e "$file" ] && check "$file" 4 yes
done

[ "$failures" -eq 0 ] || exit 1
echo "ok: every include points to its own layer or below"
