#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds libjpeg-turbo for the fuzz build: the source package of the installed libjpeg, compiled
# with clang, coverage feedback, AddressSanitizer and UndefinedBehaviorSanitizer, so that the JPEG
# harness sees and checks the decoder's own branches (the system library has no coverage feedback).
# Its SIMD code is left out: assembly gets neither, and the C paths it replaces are then reached.
#
# Usage: scripts/fuzz-libjpeg.sh BUILD_DIR
# Leaves BUILD_DIR/libjpeg-turbo/{include,lib/libjpeg.a} and exits 0; an existing build is kept.
# Exits 1 with the reason on standard error when the source cannot be had or does not build:
# the caller then stays on the system libjpeg. The source comes from the Debian archive through
# apt-get with a private list of deb-src lines made from the machine's own sources; the machine's
# apt configuration is not changed. Needs apt-get, dpkg-source (dpkg-dev), cmake, ninja and clang.
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR}
mkdir -p "$build"
prefix=$(cd "$build" && pwd)/libjpeg-turbo
work=$prefix/work
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
recipe="3 $flags"  # the stamp: a change of recipe rebuilds

give_up() {
  echo "fuzz-libjpeg: $*" >&2
  exit 1
}

version=$(dpkg-query -W -f='${source:Version}' libjpeg62-turbo-dev 2>/dev/null || true)
stamp="$version $recipe"
if [ -f "$prefix/lib/libjpeg.a" ] && [ "$(cat "$prefix/stamp" 2>/dev/null)" = "$stamp" ]; then
  exit 0
fi
for tool in apt-get dpkg-source cmake ninja clang; do
  command -v "$tool" >/dev/null || give_up "$tool is missing"
done
rm -rf "$prefix"
mkdir -p "$work/apt/sources" "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/download"

# deb-src twins of the machine's Debian sources, one-line and deb822 alike.
shopt -s nullglob
for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$list" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$list"
done >"$work/apt/sources/src.list"
n=0
for list in /etc/apt/sources.list.d/*.sources; do
  n=$((n + 1))
  sed 's/^Types:.*/Types: deb-src/' "$list" >"$work/apt/sources/src$n.sources"
done
shopt -u nullglob

apt=(apt-get -q -o "Dir::Etc::SourceList=$work/apt/sources/src.list"
     -o "Dir::Etc::SourceParts=$work/apt/sources" -o "Dir::State::Lists=$work/apt/lists"
     -o "Dir::Cache=$work/apt/cache" -o Acquire::Retries=1 -o Acquire::http::Timeout=30
     -o APT::Sandbox::User=root)
echo "fuzz-libjpeg: fetching the source of libjpeg-turbo $version"
# Some third-party sources have no deb-src; what matters is whether the package comes.
"${apt[@]}" update >"$work/apt.log" 2>&1 || true
# The installed version first, so that the headers agree with the normal build's.
(cd "$work/download" &&
   { { [ -n "$version" ] && "${apt[@]}" source --download-only "libjpeg-turbo=$version" >>"$work/apt.log" 2>&1; } ||
     "${apt[@]}" source --download-only libjpeg-turbo >>"$work/apt.log" 2>&1; }) ||
  give_up "the source package cannot be fetched ($(grep -E '^(E|W):' "$work/apt.log" | head -n 1))"
dsc=$(ls "$work/download"/libjpeg-turbo_*.dsc | head -n 1)
dpkg-source -x "$dsc" "$work/source" >"$work/unpack.log" 2>&1 ||
  give_up "the source package does not unpack (see $work/unpack.log)"

echo "fuzz-libjpeg: building it with coverage feedback and sanitizers"
# The Huffman encoder is compression only, never linked by the harness; UndefinedBehaviorSanitizer
# makes clang spend most of the build's time on it. The loops over every coefficient and pixel
# (inverse DCT, arithmetic decoding, colour conversion, upsampling, quantizing) go without the
# tracing of comparisons: it took two thirds of the run time there and steers nothing, unlike in
# the marker and header readers, which keep it.
cat >"$work/per-file.cmake" <<'EOF'
set_source_files_properties(jchuff.c PROPERTIES COMPILE_OPTIONS "-fno-sanitize=undefined;-O1")
set_source_files_properties(jidctint.c jidctfst.c jidctflt.c jidctred.c jdarith.c jdcolor.c jdmerge.c
                            jdsample.c jquant1.c jquant2.c
                            PROPERTIES COMPILE_OPTIONS "-fno-sanitize-coverage=trace-cmp")
EOF
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$work/source" -B "$work/build" -G Ninja -DCMAKE_C_COMPILER=clang "${launcher[@]}" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS="$flags" -DENABLE_SHARED=OFF \
      -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF \
      -DCMAKE_PROJECT_INCLUDE="$work/per-file.cmake" >"$work/build.log" 2>&1 &&
  cmake --build "$work/build" --target jpeg-static --parallel "${GNOMORA_JOBS:-$(nproc)}" \
        >>"$work/build.log" 2>&1 ||
  give_up "libjpeg-turbo does not build (see $work/build.log)"

mkdir -p "$prefix/include" "$prefix/lib"
cp "$work/source"/{jpeglib.h,jmorecfg.h,jerror.h} "$work/build/jconfig.h" "$prefix/include/"
cp "$work/build/libjpeg.a" "$prefix/lib/"
printf '%s\n' "$stamp" >"$prefix/stamp"
rm -rf "$work/build" "$work/source" "$work/apt" "$work/download" "$work"/*.tar.*
echo "fuzz-libjpeg: built in $prefix"
