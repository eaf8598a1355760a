#!/usr/bin/env bash
# Prepares the Windows cross build on a Debian 12 machine, configures it and builds it: installs
# the MinGW-w64 compiler, Wine, NSIS, wixl (for the MSI package) and the rest from Debian's archive,
# unpacks the cross-built Qt (with libjpeg-turbo and GoogleTest) into a fixed place when it is not
# there yet, and builds the program, its modules and the tests for 64-bit Windows.
# Usage: scripts/setup-windows.sh BUILD_DIR [extra cmake arguments...]
#   GNOMORA_WIN_TOOLCHAIN  the folder holding qt6-mingw.tar.zst [../shared/toolchains/windows]
#   GNOMORA_WIN_PREFIX     where the cross-built Qt is unpacked  [/opt/gnomora-qt6-mingw]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build ccache qt6-base-dev qt6-base-dev-tools g++-mingw-w64-x86-64-posix
          wine64 wine fonts-wine fonts-dejavu-core nsis msitools wixl zstd xvfb xauth xdotool imagemagick file python3
          qt6-translations-l10n cups printer-driver-cups-pdf poppler-utils)
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

toolchain=${GNOMORA_WIN_TOOLCHAIN:-$(pwd)/../shared/toolchains/windows}
prefix=${GNOMORA_WIN_PREFIX:-/opt/gnomora-qt6-mingw}
archive=$toolchain/qt6-mingw.tar.zst
# The unpacked prefix remembers the archive it came from; another archive replaces it.
stamp=$prefix/.gnomora-archive
if [ ! -f "$stamp" ] || ! cmp -s "$stamp" <(sha256sum < "$archive"); then
  [ -f "$archive" ] || { echo "The Windows toolchain $archive is missing (set GNOMORA_WIN_TOOLCHAIN)." >&2; exit 1; }
  echo "Unpacking $archive into $prefix"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  tmp=$(mktemp -d "$(dirname "$prefix")/.gnomora-qt6-mingw.XXXXXX" 2>/dev/null || "${sudo_cmd[@]}" mktemp -d "$(dirname "$prefix")/.gnomora-qt6-mingw.XXXXXX")
  "${sudo_cmd[@]}" tar -C "$tmp" --zstd -xf "$archive"
  sha256sum < "$archive" | "${sudo_cmd[@]}" tee "$tmp/qt6-mingw/.gnomora-archive" > /dev/null
  "${sudo_cmd[@]}" rm -rf "$prefix"
  "${sudo_cmd[@]}" mv "$tmp/qt6-mingw" "$prefix"
  "${sudo_cmd[@]}" rmdir "$tmp"
fi

build_dir=$1; shift
if [ ! -f "$build_dir/build.ninja" ]; then
  launcher=()
  command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-toolchain.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DGNOMORA_BENCH=OFF "${launcher[@]}" "$@"
fi
cmake --build "$build_dir" --parallel "$(nproc)"
