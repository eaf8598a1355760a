#!/usr/bin/env bash
# Builds Gnomora and runs every test. Installs what is missing on a Debian 12 machine.
#   ./test.sh             normal build in build/
#   ./test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer build in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")"

build_dir=build
cmake_args=()
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-sanitize
  cmake_args+=(-DGNOMORA_SANITIZE=ON -DGNOMORA_BENCH=OFF)
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

scripts/setup.sh "$build_dir" "${cmake_args[@]}"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/gnomora-runtime.XXXXXX)}
chmod 700 "$XDG_RUNTIME_DIR"

# A real print queue (a CUPS PDF printer as the default) for the printing tests; without root
# they skip with a reason.
if [ "$(id -u)" -eq 0 ]; then
  if out=$(tests/print/cups_pdf_printer.sh 2>&1); then
    export GNOMORA_PRINT_OUTPUT_DIR=$(printf '%s\n' "$out" | tail -n 1)
  else
    echo "warning: no test printer: $out" >&2
  fi
fi

# A few seconds of fuzzing of every reader of outside input (built with clang, in build-fuzz).
if [ "${1:-}" != "--sanitize" ]; then
  scripts/fuzz-smoke.sh
fi

# The printing tests share one print queue, so the tests run one after another.
ctest --test-dir "$build_dir" --output-on-failure
