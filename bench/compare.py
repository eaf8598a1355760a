#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs one of the Google Benchmark programs in bench/ with repetitions in random interleaved order
and prints every benchmark's CPU time per iteration (median, minimum and maximum over the
repetitions), and for each pair given with --ratio the CPU times of repetition n divided one by
the other: their median, minimum and maximum. Interleaving puts each pair's repetitions close in
time, so that the ratios hold when the shared machine's speed drifts; the absolute times do not.

Usage: bench/compare.py [--repetitions N] [--ratio A:B ...] PROGRAM [PROGRAM ARGUMENTS...]
  A and B are benchmark names as the program prints them (without the repetition suffixes).
Example:
  bench/compare.py --ratio BM_Full:BM_PlaceImage_Cropped build-release/bench/bench_picture_decode
"""
import argparse
import json
import statistics
import subprocess
import sys
import tempfile

SECONDS = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def spread(values):
    return f"{statistics.median(values):10.4g}  ({min(values):.4g} .. {max(values):.4g})"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--repetitions", type=int, default=10)
    parser.add_argument("--ratio", action="append", default=[], metavar="A:B")
    parser.add_argument("program")
    parser.add_argument("arguments", nargs=argparse.REMAINDER)
    options = parser.parse_args()

    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        subprocess.run([options.program, *options.arguments,
                        f"--benchmark_repetitions={options.repetitions}",
                        "--benchmark_enable_random_interleaving=true",
                        f"--benchmark_out={out.name}", "--benchmark_out_format=json",
                        "--benchmark_format=console"],
                       check=True, stdout=subprocess.DEVNULL)
        report = json.load(open(out.name))

    times = {}  # name -> CPU time per iteration of each repetition, in repetition order
    unit = {}
    for run in sorted(report["benchmarks"], key=lambda r: r.get("repetition_index", 0)):
        if run.get("run_type") != "iteration" or run.get("error_occurred"):
            continue
        times.setdefault(run["run_name"], []).append(run["cpu_time"])
        unit[run["run_name"]] = run["time_unit"]
    if not times:
        sys.exit("compare: the program reported no benchmark")

    context = report["context"]
    print(f"{context.get('host_name', '')}: {context.get('num_cpus')} CPUs at {context.get('mhz_per_cpu')} MHz, "
          f"{options.repetitions} repetitions interleaved; CPU time per iteration, median (min .. max)")
    width = max(len(name) for name in times)
    for name, values in sorted(times.items()):
        print(f"  {name:{width}s} {spread(values)} {unit[name]}")
    for pair in options.ratio:
        first, _, second = pair.partition(":")
        if first not in times or second not in times:
            sys.exit(f"compare: no benchmark named {first if first not in times else second}")
        scale = SECONDS[unit[first]] / SECONDS[unit[second]]
        ratios = [scale * a / b for a, b in zip(times[first], times[second]) if b > 0]
        print(f"  {first} / {second}: {spread(ratios)}")


if __name__ == "__main__":
    main()
