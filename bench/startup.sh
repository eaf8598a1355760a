#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time of Gnomora, from the process start until both windows (the start window and the
# main window, opened as the start button opens it) have been painted, against two yardsticks:
#   bare  a bare Qt Widgets program that paints one window (bench/startup_bare.cpp);
#   text  a Qt program that paints only the texts of Gnomora's two windows, in the same face
#         (bench/startup_text.cpp): the floor of Gnomora's job.
# All run as whole processes, in turn (Gnomora, bare, text, Gnomora, ...), on a private Xvfb
# display (or Qt's offscreen platform with --offscreen), in a working folder filled from data/.
# Each ends itself after painting: Gnomora as bench/startup_gnomora.cpp builds it, the yardsticks
# because GNOMORA_QUIT_AFTER_PAINT is set.
#
# Usage: bench/startup.sh [--offscreen] [RUNS]      (default 40 runs of each)
#   GNOMORA_STARTUP_BUILD=DIR   build folder (default build-startup; Release, no tests)
# Prints each program's median wall and CPU time, then Gnomora's time against each yardstick as
# the ratios of the runs taken together (Gnomora's n-th run over the yardstick's n-th): their
# minimum, median and maximum, so that a change in the machine's load shows as spread.
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
cmake --build "$build" --target startup_gnomora startup_bare startup_text --parallel "${GNOMORA_JOBS:-$(nproc)}"
gnomora=$PWD/$build/startup_gnomora
bare=$PWD/$build/startup_bare
text=$PWD/$build/startup_text

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

# Each must end by itself, or the figures mean nothing.
for program in "$gnomora" "$bare" "$text"; do
  timeout 20 "$program" >/dev/null 2>&1 || { echo "startup: $program did not end after painting" >&2; exit 1; }
done

echo "platform: $platform, $runs runs each, in turn"
# In turn, so that a change in the machine's load touches all alike. Each run is timed as a whole
# process: wall time from spawn to exit, and the CPU time it used (user + system).
python3 - "$gnomora" "$bare" "$text" "$runs" <<'PY'
import os, statistics, subprocess, sys, time
programs = {"gnomora": sys.argv[1], "bare": sys.argv[2], "text": sys.argv[3]}
runs = int(sys.argv[4])
wall = {name: [] for name in programs}
cpu = {name: [] for name in programs}
for i in range(runs + 3):  # the first three of each warm the caches and are not counted
    for name, program in programs.items():
        start = time.perf_counter()
        child = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(child.pid, 0)
        elapsed = time.perf_counter() - start
        if status != 0:
            sys.exit(f"startup: {program} failed (status {status})")
        if i >= 3:
            wall[name].append(elapsed * 1000)
            cpu[name].append((usage.ru_utime + usage.ru_stime) * 1000)
for name in programs:
    print(f"{name:8s} wall median {statistics.median(wall[name]):6.1f} ms   cpu median {statistics.median(cpu[name]):6.1f} ms")
def spread(mine, yardstick):
    ratios = [a / b for a, b in zip(mine, yardstick) if b > 0]
    return f"{statistics.median(ratios):.3f} (min {min(ratios):.3f}, max {max(ratios):.3f})"
for yardstick in ("bare", "text"):
    print(f"gnomora / {yardstick:4s}  cpu {spread(cpu['gnomora'], cpu[yardstick])}"
          f"   wall {spread(wall['gnomora'], wall[yardstick])}")
PY
