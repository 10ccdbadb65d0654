#!/usr/bin/env bash
# Installs the Debian packages the project needs (only those missing), then
# configures and builds into the given folder. Used by ./run and ./test.
set -euo pipefail

packages=(cmake g++ pkg-config libsdl2-dev libfreetype-dev libfontconfig-dev libpng-dev
          libgtest-dev libbenchmark-dev fonts-liberation fonts-dejavu-core xvfb xdotool x11-utils)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
