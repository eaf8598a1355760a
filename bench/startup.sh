#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time of Gnomora, from the process start until both windows (the start window and the
# main window, opened as the start button opens it) have been painted, against a bare Qt Widgets
# program that paints one window (bench/startup_bare.cpp). Both run as whole processes, one after
# the other in the same run, on a private Xvfb display (or Qt's offscreen platform with
# --offscreen), in a working folder filled from data/. Each ends itself after painting because
# GNOMORA_QUIT_AFTER_PAINT is set.
#
# Usage: bench/startup.sh [--offscreen] [RUNS]      (default 40 runs of each)
#   GNOMORA_STARTUP_BUILD=DIR   build folder (default build-startup; Release, no tests)
# Uses hyperfine when it is installed (Debian package hyperfine), else a timing loop of its own.
# Prints each program's median and mean wall time and the ratio of the medians.
set -euo pipefail
cd "$(dirname "$0")/.."

platform=xcb
if [ "${1:-}" = "--offscreen" ]; then platform=offscreen; shift; fi
runs=${1:-40}
build=${GNOMORA_STARTUP_BUILD:-build-startup}

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGNOMORA_TESTS=OFF -DGNOMORA_BENCH=OFF \
        -DGNOMORA_STARTUP_BENCH=ON
fi
cmake --build "$build" --target gnomora startup_bare --parallel "${GNOMORA_JOBS:-$(nproc)}"
gnomora=$PWD/$build/src/app/gnomora
bare=$PWD/$build/startup_bare

scratch=$(mktemp -d /tmp/gnomora-startup.XXXXXX)
xvfb_pid=
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; rm -rf "$scratch"; }
trap cleanup EXIT
mkdir -p "$scratch/work" && cp -R data/. "$scratch/work/"
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export GNOMORA_QUIT_AFTER_PAINT=1

if [ "$platform" = offscreen ]; then
  export QT_QPA_PLATFORM=offscreen
  unset DISPLAY
else
  unset QT_QPA_PLATFORM
  # -noreset: without it the server starts afresh (keyboard maps and all) each time its last
  # client leaves, and every run would wait for that.
  for n in $(seq 150 199); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || { display=:$n; break; }
  done
  Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
fi
cd "$scratch/work"

# Both must end by themselves, or the figures mean nothing.
for program in "$gnomora" "$bare"; do
  timeout 20 "$program" >/dev/null 2>&1 || { echo "startup: $program did not end after painting" >&2; exit 1; }
done

echo "platform: $platform, $runs runs each"
if command -v hyperfine >/dev/null; then
  hyperfine -N --warmup 3 --runs "$runs" --export-json "$scratch/times.json" \
            --command-name gnomora "$gnomora" --command-name bare "$bare"
  python3 - "$scratch/times.json" <<'PY'
import json, sys
r = {x["command"]: x for x in json.load(open(sys.argv[1]))["results"]}
for name in ("gnomora", "bare"):
    print(f"{name:8s} median {r[name]['median'] * 1000:7.1f} ms   mean {r[name]['mean'] * 1000:7.1f} ms")
print(f"ratio of medians: {r['gnomora']['median'] / r['bare']['median']:.2f}")
PY
else
  # Alternating runs, so that a change in the machine's load touches both alike.
  for i in $(seq "$runs"); do
    for name in gnomora bare; do
      program=$gnomora; [ $name = bare ] && program=$bare
      start=$(date +%s%N); "$program" >/dev/null 2>&1; end=$(date +%s%N)
      echo "$name $(( (end - start) / 1000 ))" >>"$scratch/times.txt"
    done
  done
  python3 - "$scratch/times.txt" <<'PY'
import statistics, sys
t = {}
for line in open(sys.argv[1]):
    name, micros = line.split()
    t.setdefault(name, []).append(int(micros) / 1000)
for name in ("gnomora", "bare"):
    print(f"{name:8s} median {statistics.median(t[name]):7.1f} ms   mean {statistics.mean(t[name]):7.1f} ms")
print(f"ratio of medians: {statistics.median(t['gnomora']) / statistics.median(t['bare']):.2f}")
PY
fi
