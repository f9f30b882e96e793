#!/usr/bin/env python3
"""The canonical forms of the puzzle lists: how many each list and all of
them together have, the forms a list repeats, and the forms two lists share.

For each list (data/*.txt by default) it runs vantric-solve --format %m and
prints the list's lines and distinct forms, the lines of each repeated form,
then for every two lists that share forms how many, with the first one's
lines in both, and whether the two lines are the same text.

  scripts/list-forms.py [--solve PATH] [--jobs N] [LIST...]
"""
import argparse
import glob
import itertools
import os
import subprocess
from collections import defaultdict

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def forms_of(solve, jobs, path):
    run = subprocess.run([solve, "--jobs", str(jobs), "--format", "%i %m", path],
                         capture_output=True, text=True, check=True)
    return [(int(number), form) for number, form in (line.split() for line in run.stdout.splitlines())]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--solve", default=os.path.join(ROOT, "build/native/cli/vantric-solve"))
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    parser.add_argument("lists", nargs="*")
    args = parser.parse_args()
    lists = args.lists or sorted(glob.glob(os.path.join(ROOT, "data", "*.txt")))
    where = defaultdict(lambda: defaultdict(list))
    texts = {}
    total = 0
    for path in lists:
        name = os.path.relpath(path, ROOT)
        with open(path) as list_file:
            texts[name] = list_file.read().splitlines()
        forms = forms_of(args.solve, args.jobs, path)
        total += len(forms)
        for number, form in forms:
            where[form][name].append(number)
        distinct = sum(1 for form in where.values() if name in form)
        print("%s: %d puzzles, %d forms" % (name, len(forms), distinct))
        for form in where.values():
            if len(form.get(name, [])) > 1:
                print("  the same form at lines %s" % ", ".join(map(str, form[name])))
    print("all %d lists: %d puzzles, %d forms" % (len(lists), total, len(where)))
    shared = defaultdict(list)
    for form in where.values():
        for first, second in itertools.combinations(sorted(form), 2):
            shared[(first, second)].append((form[first][0], form[second][0]))
    for (first, second), pairs in sorted(shared.items()):
        same = sum(1 for a, b in pairs if texts[first][a - 1][:81] == texts[second][b - 1][:81])
        print("%s and %s share %d forms (%d as the same text), e.g. lines %d and %d"
              % (first, second, len(pairs), same, pairs[0][0], pairs[0][1]))


if __name__ == "__main__":
    main()
