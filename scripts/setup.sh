#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12), configures and builds.
# Usage: scripts/setup.sh [--program] BUILD_DIR [extra cmake arguments...]
#   --program  build only the program, quietly, with one progress line (the log stays in BUILD_DIR)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ ninja-build qt6-base-dev qt6-translations-l10n libjpeg62-turbo-dev libgtest-dev googletest
          libbenchmark-dev fonts-dejavu-core fonts-liberation2 xvfb xauth xdotool openbox imagemagick
          poppler-utils cups printer-driver-cups-pdf python3 tzdata
          clang libclang-rt-14-dev llvm dpkg-dev file lintian appstream desktop-file-utils libjpeg-turbo-progs
          valgrind dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0)

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

program_only=false
if [ "$1" = "--program" ]; then program_only=true; shift; fi
build_dir=$1; shift
if [ ! -f "$build_dir/build.ninja" ]; then
  if $program_only; then
    cmake -S . -B "$build_dir" -G Ninja "$@" > "$build_dir.configure.log" 2>&1 || { cat "$build_dir.configure.log"; exit 1; }
    mv "$build_dir.configure.log" "$build_dir/configure.log"
  else
    cmake -S . -B "$build_dir" -G Ninja "$@"
  fi
fi
if $program_only; then
  # The compiler's output goes to a log; the terminal shows one line that counts the steps.
  log=$build_dir/build-program.log
  NINJA_STATUS="[%f/%t] " cmake --build "$build_dir" --target gnomora --parallel "$(nproc)" > "$log" 2>&1 &
  pid=$!
  while kill -0 "$pid" 2>/dev/null; do
    step=$(grep -o '^\[[0-9]*/[0-9]*\]' "$log" | tail -n 1 || true)
    printf '\rBuilding Gnomora %s ' "${step:-...}"
    sleep 1
  done
  if ! wait "$pid"; then
    printf '\rBuilding Gnomora failed; the end of %s:\n' "$log"
    tail -n 40 "$log"
    exit 1
  fi
  printf '\rBuilding Gnomora: done.            \n'
  exit 0
fi
cmake --build "$build_dir" --parallel "$(nproc)"
