#!/usr/bin/env python3
"""How vantric-solve's ratings agree with the reference grader's.

For each rated list (data/rated/se_rated_*.txt by default) it rates every
puzzle with vantric-solve --format '%r/%p/%d %t' and prints: the share of
exact agreement of ER to one decimal, the share within 0.2, Spearman's rank
correlation, the share the rater could not finish, a table of the grader's
whole-point band against ours, and the exact agreement of EP and ED. The
grader's EP and ED are those of a list that writes ER/EP/ED, or follow from
its path in the list's steps file (data/rated/steps/): ED is the first
step's rating, EP the largest up to the first step that places a digit.

  scripts/rating-agreement.py [--solve PATH] [--jobs N] [--show N] [--check] [LIST...]

With --check it exits with status 1 when a rating, an EP or an ED differs
from the grader's or a rating is unfinished.
"""
import gzip
import argparse
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_LISTS = [os.path.join(ROOT, "data", "rated", name) for name in
                 ("se_rated_dev.txt", "se_rated_17clue_sample.txt", "se_rated_top1465_sample.txt",
                  "se_rated_positions_dev.txt")]
CELLS = re.compile(r"[0-9.]{81}")
RATINGS = re.compile(r"([0-9]+\.[0-9])(?:/([0-9]+\.[0-9])/([0-9]+\.[0-9]))?")
# The grader's steps that place a digit, besides chains that prove one.
PLACING = ("Hidden Single", "Naked Single", "Direct Pointing", "Direct Claiming",
           "Direct Hidden Pair", "Direct Hidden Triplet")
NODE = re.compile(r"[A-I][1-9]\.[1-9] (on|off)")


def read_rated(path):
    """(puzzle, ER, EP, ED) for every line that has a puzzle and a rating;
    EP and ED are None where the line gives ER alone."""
    rated = []
    with open(path) as lines:
        for line in lines:
            match = CELLS.search(line)
            if not match:
                continue
            rest = line[match.end():].split()
            ratings = RATINGS.fullmatch(rest[0]) if rest else None
            if ratings:
                ep, ed = ratings.group(2, 3)
                rated.append((match.group(0), float(ratings.group(1)),
                              ep and float(ep), ed and float(ed)))
    return rated


def places(step):
    """Whether a line of the grader's path places a digit: a single, a
    direct technique, or a chain whose conclusion is a digit on."""
    name, _, details = step.partition(":")
    if name.startswith(PLACING):
        return True
    if "==>" not in details and not NODE.fullmatch(details.strip()):
        return False
    premise, _, conclusion = details.rpartition("==>")
    if "both on & off" in conclusion:
        match = NODE.search(premise)
        return bool(match) and match.group(1) == "off"
    return any(state == "on" for state in NODE.findall(conclusion))


def steps_file(path):
    name = os.path.basename(path).replace("se_rated_", "").replace("_sample", "")
    return os.path.join(os.path.dirname(path), "steps", name.replace(".txt", "_steps.txt.gz"))


def path_ratings(path):
    """{puzzle: (EP, ED)} from the grader's paths in a steps file."""
    result = {}
    steps = None
    with gzip.open(path, "rt") as lines:
        for line in lines:
            if line.startswith("# "):
                steps = []
                result[line[2:].split()[0]] = steps
            elif line.strip() and steps is not None:
                rating, _, text = line.strip().partition(" ")
                steps.append((float(rating), places(text)))
    for puzzle, steps in result.items():
        er = ep = ed = 0.0
        for rating, placed in steps:
            er = max(er, rating)
            if ep == 0.0:
                ed = ed or er
                ep = er if placed else 0.0
        result[puzzle] = (ep, ed)
    return result


def with_path_ratings(path, rated):
    """The list's EP and ED where it gives none, from its steps file."""
    if all(ep is not None for _, _, ep, _ in rated) or not os.path.exists(steps_file(path)):
        return rated
    paths = path_ratings(steps_file(path))
    return [(p, er, *paths.get(p, (None, None))) if ep is None else (p, er, ep, ed)
            for p, er, ep, ed in rated]


def rate(solve, puzzles, jobs):
    """Our (ER, EP, ED, name) for each puzzle, the ratings None where the
    rater gave none or did not finish."""
    text = "".join(p + "\n" for p in puzzles)
    run = subprocess.run([solve, "--format", "%r %p %d %t", "--jobs", str(jobs)], input=text,
                         capture_output=True, text=True, check=False)
    if run.returncode != 0:
        sys.exit(f"{solve} exited with {run.returncode}: {run.stderr.strip()}")
    ratings = []
    for line in run.stdout.splitlines():
        fields = line.split()
        try:
            ratings.append((*(float(f) for f in fields[:3]), fields[3]))
        except ValueError:
            ratings.append((None, None, None, fields[3]))
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


def report(path, rated, ours, show):
    """Prints the agreement; the number of puzzles whose ER, EP or ED
    differs or is unfinished."""
    n = len(rated)
    tenths = lambda r: int(round(r * 10))
    exact = within = unfinished = 0
    finished_theirs, finished_ours = [], []
    table = {}
    differing = []
    pearls = diamonds = compared = 0
    failed = 0
    for (puzzle, theirs, their_ep, their_ed), (mine, ep, ed, name) in zip(rated, ours):
        if their_ep is not None and mine is not None:
            compared += 1
            pearls += tenths(ep) == tenths(their_ep)
            diamonds += tenths(ed) == tenths(their_ed)
        failed += (mine is None or tenths(mine) != tenths(theirs) or
                   (their_ep is not None and (tenths(ep) != tenths(their_ep) or
                                              tenths(ed) != tenths(their_ed))))
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
    if compared:
        print(f"  EP exact          {100.0 * pearls / compared:5.1f} % ({pearls} of {compared})")
        print(f"  ED exact          {100.0 * diamonds / compared:5.1f} % ({diamonds} of {compared})")
    else:
        print("  EP and ED         not given by the list or a steps file")
    for puzzle, theirs, mine, name in differing[:show]:
        print(f"  differs: {puzzle} grader {theirs:.1f} ours {mine:.1f} {name}")
    return failed


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--solve", default=os.path.join(ROOT, "build", "native", "cli", "vantric-solve"))
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    parser.add_argument("--show", type=int, default=0, help="list this many differing puzzles")
    parser.add_argument("--check", action="store_true",
                        help="exit with status 1 when an ER, EP or ED differs or is unfinished")
    parser.add_argument("lists", nargs="*", default=DEFAULT_LISTS)
    args = parser.parse_args()
    failed = 0
    for path in args.lists:
        rated = with_path_ratings(path, read_rated(path))
        if not rated:
            sys.exit(f"{path}: no rated puzzles")
        failed += report(path, rated, rate(args.solve, [r[0] for r in rated], args.jobs), args.show)
    if args.check and failed:
        print(f"{failed} puzzles differ from the grader")
        sys.exit(1)


if __name__ == "__main__":
    main()
