#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12), configures and builds.
# Usage: scripts/setup.sh BUILD_DIR [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ ninja-build qt6-base-dev libjpeg62-turbo-dev libgtest-dev googletest
          libbenchmark-dev fonts-dejavu-core fonts-liberation2 xvfb xauth xdotool imagemagick
          poppler-utils cups printer-driver-cups-pdf python3
          clang libclang-rt-14-dev llvm dpkg-dev file libjpeg-turbo-progs)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build_dir=$1; shift
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja "$@"
fi
cmake --build "$build_dir" --parallel "$(nproc)"
