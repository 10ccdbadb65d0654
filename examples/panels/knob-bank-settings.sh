#!/usr/bin/env bash
# The second program of examples/panels/knob-bank.toml: reads the panel's
# report on standard input ("ID VALUE" for a knob turned, "ID on|off" for a
# switch flipped) and keeps the channel settings in FILE, rewritten whole
# (through a temporary file renamed over it) after every line, so that a
# reader never sees half a file. Prints each change as it applies it.
#   build/instrument-panel --panel examples/panels/knob-bank.toml --report \
#       | examples/panels/knob-bank-settings.sh channels.conf
set -euo pipefail
file=${1:?usage: knob-bank-settings.sh FILE}
channels=(input bass treble output)
levels=(50 50 50 50)
switches=(off off off off)

write_settings() {
  local i
  {
    for i in "${!channels[@]}"; do
      echo "${channels[i]}.level = ${levels[i]}"
      echo "${channels[i]}.enabled = $([ "${switches[i]}" = on ] && echo true || echo false)"
    done
  } >"$file.new"
  mv -f "$file.new" "$file"
}

write_settings
while read -r id value; do
  case "$id" in
    2[1-4]) i=$((id - 21)); levels[i]=$value; what="level $value" ;;
    3[1-4]) i=$((id - 31)); switches[i]=$value; what="$value" ;;
    *) echo "knob-bank-settings: no channel has instrument $id" >&2; continue ;;
  esac
  write_settings
  echo "${channels[i]}: $what"
done
