#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer harnesses of fuzz/ (clang++, AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs each for a bounded time, starting from its seeds and earlier findings in
# fuzz/corpus/<target>/, with the pieces of input in fuzz/dict/<target>.dict. Exits non-zero when a harness crashes, leaks, hangs or fails an invariant;
# the input that did it is saved as <build>/fuzz-artifacts/<target>/crash-* (or leak-, timeout-).
# Add such a file to fuzz/corpus/<target>/ so that every later run replays it.
#
# Usage: scripts/fuzz-run.sh [SECONDS_EACH] [TARGET...]      (default 60 s each, every target)
#   GNOMORA_FUZZ_BUILD=DIR   build folder (default build-fuzz)
#   GNOMORA_FUZZ_FRESH=1     work on a throw-away copy of the seeds instead of the corpus that
#                            earlier runs grew in <build>/fuzz-corpus/<target>/
#   GNOMORA_JOBS=N           parallel compile jobs (default: all cores)
#   GNOMORA_FUZZ_SYSTEM_JPEG=1   link the JPEG harness against the system libjpeg instead of the
#                            one scripts/fuzz-libjpeg.sh builds with coverage feedback
#   GNOMORA_FUZZ_JPEG_MAX_LEN=BYTES   longest input of the JPEG harnesses (default 1 MB)
# Needs clang and libclang-rt-14-dev (libFuzzer and the sanitizer run-times).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
[ $# -gt 0 ] && shift
build=${GNOMORA_FUZZ_BUILD:-build-fuzz}
if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for dir in fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

# The JPEG harness links a libjpeg built with coverage feedback when its source can be had;
# otherwise the system's, which the fuzzer cannot see into.
jpeg=
if [ "${GNOMORA_FUZZ_SYSTEM_JPEG:-0}" != 1 ]; then
  if scripts/fuzz-libjpeg.sh "$build"; then
    jpeg=$(cd "$build" && pwd)/libjpeg-turbo
  else
    echo "fuzz-run: NOTICE: the JPEG harness uses the system libjpeg, without coverage feedback" >&2
  fi
fi
if [ ! -f "$build/build.ninja" ] || ! grep -qx "GNOMORA_FUZZ_JPEG:PATH=$jpeg" "$build/CMakeCache.txt"; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DGNOMORA_FUZZ=ON -DGNOMORA_TESTS=OFF -DGNOMORA_BENCH=OFF -DGNOMORA_FUZZ_JPEG="$jpeg"
fi
cmake --build "$build" --target fuzzers --parallel "${GNOMORA_JOBS:-$(nproc)}"

scratch=$(mktemp -d /tmp/gnomora-fuzz.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/fuzz/lsan.supp:print_suppressions=0}

passed=0 failed=0 failures=()
for target in "${targets[@]}"; do
  fuzzer=$build/fuzz/fuzz_$target
  seeds=fuzz/corpus/$target
  if [ ! -x "$fuzzer" ] || [ ! -d "$seeds" ]; then
    echo "fuzz-run: no fuzzer or seeds for \"$target\"" >&2
    exit 2
  fi
  if [ "${GNOMORA_FUZZ_FRESH:-0}" = 1 ]; then
    work=$scratch/corpus/$target
  else
    work=$build/fuzz-corpus/$target
  fi
  artifacts=$build/fuzz-artifacts/$target
  mkdir -p "$work" "$artifacts"
  log=$scratch/$target.log
  options=()
  [ -f "fuzz/dict/$target.dict" ] && options+=(-dict="fuzz/dict/$target.dict")
  # Whole pictures for the JPEG harnesses, grown to that size from the start (libFuzzer would
  # otherwise keep inputs near the seeds' size for a long while); the text readers keep
  # libFuzzer's limit (4 KB or the largest seed).
  case $target in
    picture_*) options+=(-max_len="${GNOMORA_FUZZ_JPEG_MAX_LEN:-1048576}" -len_control=0) ;;
  esac
  echo "== $target: ${seconds} s"
  # New inputs go into the first folder; the seeds are only read.
  if "$fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$artifacts/" "${options[@]}" "$work" "$seeds" >"$log" 2>&1; then
    grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' "$log" | tr '\n' ' '
    echo
    passed=$((passed + 1))
  else
    tail -n 60 "$log"
    echo "== $target FAILED; the input is in $artifacts/"
    failed=$((failed + 1))
    failures+=("$target")
  fi
done
echo "fuzzers: $passed passed, $failed failed${failures:+ (${failures[*]})}"
[ "$failed" -eq 0 ]
