#!/usr/bin/env python3
"""How vantric-solve --rate agrees with the reference grader's ratings.

For each rated list (data/rated/se_rated_*.txt by default) it rates every
puzzle with vantric-solve --rate and prints: the share of exact agreement to
one decimal, the share within 0.2, Spearman's rank correlation, the share the
rater could not finish, and a table of the grader's whole-point band against
ours.

  scripts/rating-agreement.py [--solve PATH] [--jobs N] [--show N] [LIST...]
"""
import argparse
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_LISTS = [os.path.join(ROOT, "data", "rated", name) for name in
                 ("se_rated_dev.txt", "se_rated_17clue_sample.txt", "se_rated_top1465_sample.txt")]
CELLS = re.compile(r"[0-9.]{81}")


def read_rated(path):
    """(puzzle, rating) for every line that has both."""
    pairs = []
    with open(path) as lines:
        for line in lines:
            match = CELLS.search(line)
            if not match:
                continue
            rest = line[match.end():].split()
            if rest:
                pairs.append((match.group(0), float(rest[0])))
    return pairs


def rate(solve, puzzles, jobs):
    """Our rating of each puzzle, None where the rater gave none."""
    text = "".join(p + "\n" for p in puzzles)
    run = subprocess.run([solve, "--rate", "--jobs", str(jobs)], input=text, capture_output=True,
                         text=True, check=False)
    if run.returncode != 0:
        sys.exit(f"{solve} exited with {run.returncode}: {run.stderr.strip()}")
    ratings = []
    for line in run.stdout.splitlines():
        fields = line.split()
        try:
            ratings.append((float(fields[-2]), fields[-1]))
        except ValueError:
            ratings.append((None, fields[-1]))
    if len(ratings) != len(puzzles):
        sys.exit(f"{solve} gave {len(ratings)} lines for {len(puzzles)} puzzles")
    return ratings


def ranks(values):
    """Ranks from 1, ties sharing their average rank."""
    order = sorted(range(len(values)), key=lambda i: values[i])
    result = [0.0] * len(values)
    start = 0
    while start < len(order):
        end = start
        while end + 1 < len(order) and values[order[end + 1]] == values[order[start]]:
            end += 1
        for k in range(start, end + 1):
            result[order[k]] = (start + end) / 2 + 1
        start = end + 1
    return result


def spearman(xs, ys):
    if len(xs) < 2:
        return float("nan")
    rx, ry = ranks(xs), ranks(ys)
    mx, my = sum(rx) / len(rx), sum(ry) / len(ry)
    cov = sum((a - mx) * (b - my) for a, b in zip(rx, ry))
    vx = sum((a - mx) ** 2 for a in rx)
    vy = sum((b - my) ** 2 for b in ry)
    return cov / (vx * vy) ** 0.5 if vx > 0 and vy > 0 else float("nan")


def band(rating):
    return min(int(rating + 1e-9), 11)


def report(path, pairs, ours, show):
    n = len(pairs)
    tenths = lambda r: int(round(r * 10))
    exact = within = unfinished = 0
    finished_theirs, finished_ours = [], []
    table = {}
    differing = []
    for (puzzle, theirs), (mine, name) in zip(pairs, ours):
        if mine is None:
            unfinished += 1
            column = "-"
        else:
            exact += tenths(mine) == tenths(theirs)
            within += abs(tenths(mine) - tenths(theirs)) <= 2
            finished_theirs.append(theirs)
            finished_ours.append(mine)
            column = band(mine)
            if tenths(mine) != tenths(theirs):
                differing.append((puzzle, theirs, mine, name))
        row = table.setdefault(band(theirs), {})
        row[column] = row.get(column, 0) + 1
    print(f"{os.path.relpath(path, ROOT)}: {n} puzzles")
    print(f"  exact agreement   {100.0 * exact / n:5.1f} %")
    print(f"  within 0.2        {100.0 * within / n:5.1f} %")
    print(f"  Spearman's rho    {spearman(finished_theirs, finished_ours):6.3f} (finished puzzles)")
    print(f"  unfinished        {100.0 * unfinished / n:5.1f} % ({unfinished})")
    columns = list(range(1, 12)) + ["-"]
    label = lambda c: "-" if c == "-" else ("11+" if c == 11 else f"{c}.x")
    print("  grader \\ ours " + "".join(f"{label(c):>6}" for c in columns))
    for b in sorted(table):
        print(f"  {label(b):>13} " + "".join(f"{table[b].get(c, 0) or '.':>6}" for c in columns))
    for puzzle, theirs, mine, name in differing[:show]:
        print(f"  differs: {puzzle} grader {theirs:.1f} ours {mine:.1f} {name}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--solve", default=os.path.join(ROOT, "build", "native", "cli", "vantric-solve"))
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    parser.add_argument("--show", type=int, default=0, help="list this many differing puzzles")
    parser.add_argument("lists", nargs="*", default=DEFAULT_LISTS)
    args = parser.parse_args()
    for path in args.lists:
        pairs = read_rated(path)
        report(path, pairs, rate(args.solve, [p for p, _ in pairs], args.jobs), args.show)


if __name__ == "__main__":
    main()
