#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time of Gnomora, from the process start until both windows (the start window and the
# main window, opened as the start button opens it) have been painted, against three yardsticks: a
# bare Qt Widgets program that paints one window (bench/startup_bare.cpp), a program that shows
# only the same texts as Gnomora's two windows in real widgets (bench/startup_text.cpp), and the
# floor, the same pixels painted with a painter alone (bench/startup_painter.cpp). All run as whole
# processes, one after the other in the same run, on a private Xvfb display (or Qt's offscreen
# platform with --offscreen), in a working folder filled from data/. Each ends itself once its
# windows are painted and it has nothing left to do, no event for 100 ms and no timer pending
# (bench/startup_idle.h): Gnomora as bench/startup_gnomora.cpp builds it, the yardsticks because
# GNOMORA_QUIT_WHEN_IDLE is set. What a program does after its first paint (a repaint when a
# control takes the focus, work queued for the idle loop) is counted with its start.
#
# Usage: bench/startup.sh [--offscreen] [--instructions] [RUNS]      (default 40 runs of each)
#   GNOMORA_STARTUP_BUILD=DIR   build folder (default build-startup; Release, no tests)
# Prints each program's median wall and CPU time, and Gnomora's paired ratios to each yardstick
# (each run against the yardstick's run next to it) with their median, minimum and maximum. The
# wall time ends at the program's last event, which it prints, not after its quiet wait.
# With --instructions it counts instead each program's instructions once under callgrind (the
# program's own process; repeatable to a fraction of a per cent, whatever the machine's load) and
# prints Gnomora's ratio to each yardstick.
set -euo pipefail
cd "$(dirname "$0")/.."

platform=xcb
instructions=
if [ "${1:-}" = "--offscreen" ]; then platform=offscreen; shift; fi
if [ "${1:-}" = "--instructions" ]; then instructions=1; shift; fi
runs=${1:-40}
build=${GNOMORA_STARTUP_BUILD:-build-startup}

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGNOMORA_TESTS=OFF -DGNOMORA_BENCH=OFF \
        -DGNOMORA_STARTUP_BENCH=ON
fi
cmake --build "$build" --target startup_gnomora startup_bare startup_text startup_painter \
      --parallel "${GNOMORA_JOBS:-$(nproc)}"
gnomora=$PWD/$build/startup_gnomora
text=$PWD/$build/startup_text
bare=$PWD/$build/startup_bare
painter=$PWD/$build/startup_painter

scratch=$(mktemp -d /tmp/gnomora-startup.XXXXXX)
xvfb_pid=
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; rm -rf "$scratch"; }
trap cleanup EXIT
mkdir -p "$scratch/work" && cp -R data/. "$scratch/work/"
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export GNOMORA_QUIT_WHEN_IDLE=1

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
for program in "$gnomora" "$bare" "$text" "$painter"; do
  timeout 20 "$program" >/dev/null 2>&1 || { echo "startup: $program did not become idle after painting" >&2; exit 1; }
done

if [ -n "$instructions" ]; then
  echo "platform: $platform, instructions under callgrind"
  # The toolkit forks a short-lived child to look for a session bus; callgrind counts it apart,
  # and only the program's own process (the lower process number) is taken.
  count() {
    valgrind --tool=callgrind --callgrind-out-file="$scratch/callgrind.%p" "$1" >/dev/null 2>&1
    local own total
    own=$(ls "$scratch"/callgrind.* | sort -t. -k2 -n | head -1)
    total=$(grep -m1 '^totals:' "$own" | awk '{print $2}')
    rm -f "$scratch"/callgrind.*
    echo "$total"
  }
  declare -A counted
  for name in gnomora bare text painter; do
    counted[$name]=$(count "${!name}")
    printf '%-8s %8.1f M instructions\n' "$name" "$(echo "${counted[$name]} / 1000000" | bc -l)"
  done
  for yardstick in bare text painter; do
    printf 'against %-8s %.3f\n' "$yardstick" "$(echo "${counted[gnomora]} / ${counted[$yardstick]}" | bc -l)"
  done
  exit 0
fi

echo "platform: $platform, $runs runs each, alternating"
# Alternating runs, so that a change in the machine's load touches both alike. Each run is timed
# as a whole process: wall time from spawn to the program's last event (it prints the monotonic
# clock then, "idle-at <ns>"), and the CPU time it used (user + system).
python3 - "$gnomora" "$bare" "$text" "$painter" "$runs" <<'PY'
import os, statistics, subprocess, sys, time
programs = {"gnomora": sys.argv[1], "bare": sys.argv[2], "text": sys.argv[3], "painter": sys.argv[4]}
runs = int(sys.argv[5])
wall = {name: [] for name in programs}
cpu = {name: [] for name in programs}
for i in range(runs + 3):  # the first three of each warm the caches and are not counted
    for name, program in programs.items():
        start = time.monotonic_ns()
        child = subprocess.Popen([program], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        output = child.stdout.read().decode()
        _, status, usage = os.wait4(child.pid, 0)
        if status != 0 or not output.startswith("idle-at "):
            sys.exit(f"startup: {program} failed (status {status})")
        if i >= 3:
            wall[name].append((int(output.split()[1]) - start) / 1e6)
            cpu[name].append((usage.ru_utime + usage.ru_stime) * 1000)
for name in programs:
    print(f"{name:8s} wall median {statistics.median(wall[name]):6.1f} ms   cpu median {statistics.median(cpu[name]):6.1f} ms")
# Each run of Gnomora against the run of the yardstick right after it: the spread of those pairs.
def paired(measure, yardstick):
    ratios = sorted(g / y for g, y in zip(measure["gnomora"], measure[yardstick]))
    return f"median {statistics.median(ratios):.2f} (min {ratios[0]:.2f}, max {ratios[-1]:.2f})"
for yardstick, what in (("bare", "a bare one-window Qt program"), ("text", "the same texts alone"),
                        ("painter", "the same pixels painted alone")):
    print(f"against {what}: cpu {paired(cpu, yardstick)}, wall {paired(wall, yardstick)}")
PY
