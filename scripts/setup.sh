#!/usr/bin/env bash
# Installs the Debian packages a build needs (only those missing), then
# configures and builds into the given folder. Used by ./run and ./test.
#
#   scripts/setup.sh panel BUILD_DIR [CMAKE_ARGS...]   the panel program only
#   scripts/setup.sh all BUILD_DIR [CMAKE_ARGS...]     everything: tests and benchmarks too
#   scripts/setup.sh fuzz BUILD_DIR [CMAKE_ARGS...]    the libFuzzer harnesses, with Debian's clang
#   scripts/setup.sh soak BUILD_DIR [CMAKE_ARGS...]    configured as `all`, the soak tool built only
set -euo pipefail

mode=$1
build_dir=$2
shift 2

packages=(cmake g++ pkg-config libsdl2-dev libx11-dev libxext-dev libfreetype-dev libfontconfig-dev libpng-dev
          libtomlplusplus-dev fonts-liberation fonts-dejavu-core)
if [ "$mode" = all ] || [ "$mode" = soak ]; then
  packages+=(libgtest-dev libbenchmark-dev libcairo2-dev xvfb xdotool x11-utils)
fi
if [ "$mode" = fuzz ]; then
  packages+=(clang libclang-rt-dev)  # the compiler and its libFuzzer and sanitizer runtimes
fi

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

if [ "$mode" = panel ]; then
  # Only what starting the panel needs: no test or benchmark targets are made.
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIP_BUILD_TESTS=OFF -DIP_BUILD_BENCH=OFF "$@" >/dev/null
  cmake --build "$build_dir" -j "$(nproc)" --target instrument-panel
elif [ "$mode" = soak ]; then
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIP_BUILD_TESTS=ON -DIP_BUILD_BENCH=ON "$@" >/dev/null
  cmake --build "$build_dir" -j "$(nproc)" --target soak
elif [ "$mode" = fuzz ]; then
  # The library, the panel and the tools instrumented for libFuzzer, and the harnesses.
  cmake -S . -B "$build_dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIP_FUZZ=ON "$@" >/dev/null
  cmake --build "$build_dir" -j "$(nproc)"
else
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIP_BUILD_TESTS=ON -DIP_BUILD_BENCH=ON "$@" >/dev/null
  cmake --build "$build_dir" -j "$(nproc)"
fi
