#!/usr/bin/env bash
# Builds Gnomora and runs every test. Installs what is missing on a Debian 12 machine.
#   ./test.sh             normal build in build/
#   ./test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer build in build-sanitize/
#   ./test.sh --windows   the 64-bit Windows program, its tests and its installer, cross-built in
#                         build-windows/ and run under Wine (scripts/setup-windows.sh)
set -euo pipefail
cd "$(dirname "$0")"

build_dir=build
cmake_args=()
windows=false
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-sanitize
  cmake_args+=(-DGNOMORA_SANITIZE=ON -DGNOMORA_BENCH=OFF)
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
elif [ "${1:-}" = "--windows" ]; then
  build_dir=build-windows
  windows=true
fi

if $windows; then
  scripts/setup-windows.sh "$build_dir"
  # A Wine prefix of the build's own, headless, with the fonts the program names. The tests pick
  # their headless platform themselves: Wine hands no QT_* variable to Windows programs.
  export WINEPREFIX=$PWD/$build_dir/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
  packaging/windows/wine-prefix.sh
else
  scripts/setup.sh "$build_dir" "${cmake_args[@]}"
fi

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/gnomora-runtime.XXXXXX)}
chmod 700 "$XDG_RUNTIME_DIR"

# A real print queue (a CUPS PDF printer as the default) for the printing tests; without root
# they skip with a reason. Wine hands Windows programs the same queue.
if [ "$(id -u)" -eq 0 ]; then
  if out=$(tests/print/cups_pdf_printer.sh 2>&1); then
    export GNOMORA_PRINT_OUTPUT_DIR=$(printf '%s\n' "$out" | tail -n 1)
  else
    echo "warning: no test printer: $out" >&2
  fi
fi

# A few seconds of fuzzing of every reader of outside input (built with clang, in build-fuzz).
if [ "${1:-}" != "--sanitize" ] && ! $windows; then
  scripts/fuzz-smoke.sh
fi

# The printing tests share one print queue, so the tests run one after another.
ctest --test-dir "$build_dir" --output-on-failure
