#!/usr/bin/env python3
"""What EP and ED cost: vantric-solve --format '%g %r/%p/%d' against --rate on
one list, each run in turn on one thread so that the machine's load falls on
both alike, timed in processor seconds. A report, not a test.

Usage: bench/format_bench.py [--solver build/native/cli/vantric-solve]
                             [--list data/rated/se_rated_dev.txt] [--runs 5]
"""
import argparse
import os
import statistics
import subprocess

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
MODES = {
    "--rate": ["--rate"],
    "--format '%g %r/%p/%d'": ["--format", "%g %r/%p/%d"],
}


def timed(command):
    """The run's processor time, which other work on the machine disturbs
    less than the wall clock."""
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    if status != 0:
        raise SystemExit(f"{command[0]} ended with status {status}")
    return usage.ru_utime + usage.ru_stime


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--solver", default=os.path.join(ROOT, "build/native/cli/vantric-solve"))
    parser.add_argument("--list", default=os.path.join(ROOT, "data/rated/se_rated_dev.txt"))
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    with open(args.list) as lines:
        count = sum(1 for line in lines if line.strip())
    times = {mode: [] for mode in MODES}
    for _ in range(args.runs):
        for mode, options in MODES.items():
            times[mode].append(timed([args.solver, "--jobs", "1", *options, args.list]))
    print(f"{os.path.basename(args.list)}: {count:,} puzzles, one thread, "
          f"{args.runs} runs each, in turn")
    medians = {}
    for mode, runs in times.items():
        medians[mode] = statistics.median(runs)
        print(f"  {mode:<26} median {medians[mode]:.3f} s, "
              f"{1e3 * medians[mode] / count:.2f} ms a puzzle "
              f"(fastest {min(runs):.3f} s, slowest {max(runs):.3f} s)")
    rate, formatted = medians.values()
    print(f"  EP and ED add {100 * (formatted - rate) / rate:+.1f} % at the median")


if __name__ == "__main__":
    main()
