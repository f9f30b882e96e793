#!/usr/bin/env python3
"""Compares the rating engine's path through rated puzzles with the grader's.

Runs logic_trace over the puzzles of a rated list (data/rated/se_rated_*.txt)
and reads the grader's path from its steps file (data/rated/steps/*.gz). For
each puzzle whose rating differs it prints both ratings and the first step
where the two paths part, with a few steps before it; then a summary: the
share of exact and near agreement, the unfinished runs, and the grader's
whole-point bands against ours.

  scripts/compare-steps.py data/rated/se_rated_17clue_sample.txt
  scripts/compare-steps.py data/rated/se_rated_dev.txt --first 200 --jobs 2
  scripts/compare-steps.py data/rated/se_rated_dev.txt --only-differing
  scripts/compare-steps.py data/rated/se_rated_dev.txt --puzzle 0830200900...
  scripts/compare-steps.py data/rated/se_rated_dev.txt --paths --check

Each run but --puzzle writes the puzzles whose rating differs to a list
beside logic_trace, which --only-differing reads back. A step of the two
paths agrees when its rating does and, as far as the grader's line tells,
its technique, its placement or eliminations and its pattern's cells
(the grader's among the step's own).
"""

import argparse
import gzip
import os
import re
import subprocess
import sys
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# The grader's technique names, their numbered suffixes taken off, and the
# one-word names logic_trace prints for the same technique. A name missing
# here is not compared; the rating and the facts still are.
GRADER_NAMES = {
    "Hidden Single": "HiddenSingle",
    "Direct Pointing": "DirectPointing",
    "Direct Claiming": "DirectClaiming",
    "Direct Hidden Pair": "DirectHiddenPair",
    "Naked Single": "NakedSingle",
    "Direct Hidden Triplet": "DirectHiddenTriplet",
    "Pointing": "Pointing",
    "Claiming": "Claiming",
    "Naked Pair": "NakedPair",
    "X-Wing": "XWing",
    "Hidden Pair": "HiddenPair",
    "Naked Triplet": "NakedTriplet",
    "Swordfish": "Swordfish",
    "Hidden Triplet": "HiddenTriplet",
    "Skyscraper": "Skyscraper",
    "Two-string Kite": "TwoStringKite",
    "Turbot Crane": "TurbotCrane",
    "Grouped Skyscraper": "GroupedSkyscraper",
    "Grouped 2-String Kite": "GroupedTwoStringKite",
    "Grouped Turbot Crane": "GroupedTurbotCrane",
    "XY-Wing": "XYWing",
    "XYZ-Wing": "XYZWing",
    "Unique Rectangle": "UniqueRectangle",
    "Unique Loop": "UniqueLoop",
    "Naked Quad": "NakedQuad",
    "Jellyfish": "Jellyfish",
    "Hidden Quad": "HiddenQuad",
    "3 Skyscrapers": "ThreeSkyscrapers",
    "3-String Kite": "ThreeStringKite",
    "3 Strong links (including blocks)": "ThreeStrongLinks",
    "WXYZ-Wing": "WXYZWing",
    "BUG": "BivalueUniversalGrave",
    "VWXYZ-Wing": "VWXYZWing",
    "Aligned Pair Exclusion": "AlignedPairExclusion",
    "Aligned Triplet Exclusion": "AlignedTripletExclusion",
    "Nishio Forcing Chain": "NishioForcingChain",
}


# The band column of the unfinished runs, after every whole-point band.
UNFINISHED = 99


def tenths(text):
    return int(round(float(text) * 10))


def steps_file_for(rated):
    base = os.path.basename(rated)
    name = base.replace("se_rated_", "").replace("_sample", "").replace(".txt", "")
    return os.path.join(os.path.dirname(os.path.abspath(rated)), "steps", name + "_steps.txt.gz")


def read_rated(path):
    """(puzzle, rating in tenths) in file order."""
    puzzles = []
    with open(path) as f:
        for line in f:
            match = re.search(r"(?<![0-9.])([0-9.]{81})\s+([0-9]+\.[0-9])", line)
            if match:
                puzzles.append((match.group(1), tenths(match.group(2))))
    return puzzles


def grader_cell(name):
    """'G5' (column letter, row number) as 'r5c7'."""
    return "r%sc%d" % (name[1], ord(name[0]) - ord("A") + 1)


def grader_facts(name, details):
    """What a grader's line lets us check: placements, removals, cells, digits."""
    facts = {"place": set(), "removes": set(), "cells": set(), "digits": set()}
    node = re.compile(r"([A-I][1-9])\.([1-9]) (on|off)")
    if "==>" in details or node.fullmatch(details.strip()):
        premise, _, conclusion = details.rpartition("==>")
        if "both on & off" in conclusion:
            match = node.search(premise)
            if match:
                kind = "removes" if match.group(3) == "on" else "place"
                facts[kind].add((grader_cell(match.group(1)), match.group(2)))
        else:
            for cell, digit, state in node.findall(conclusion):
                facts["place" if state == "on" else "removes"].add((grader_cell(cell), digit))
        return facts
    if name in ("Hidden Single", "Naked Single"):
        match = re.match(r"\s*([A-I][1-9]): ([1-9])", details)
        if match:
            facts["place"].add((grader_cell(match.group(1)), match.group(2)))
        return facts
    cells_part, _, rest = details.partition(":")
    if not rest:
        cells_part, _, rest = details.partition(" on ")
    facts["cells"] = {grader_cell(c) for c in re.findall(r"\b[A-I][1-9]\b", cells_part)}
    facts["digits"] = set(re.findall(r"\b[1-9]\b", re.split(r" in |of ", rest)[0]))
    return facts


def grader_name(name):
    base = re.sub(r" \(Using .*\)$", "", name)
    grouped = base != name
    base = re.sub(r" type [0-9]+$", "", base)
    base = re.sub(r"^Unique Loop [0-9]+", "Unique Loop", base)
    base = re.sub(r" [0-9]+$", "", base)
    word = GRADER_NAMES.get(base)
    if grouped and word in ("ThreeSkyscrapers", "ThreeStringKite", "ThreeStrongLinks"):
        word = "GroupedThreeStrongLinks"
    return word


def read_grader_steps(path, wanted):
    """{puzzle: [(rating tenths, line, name word, facts)]} for the wanted puzzles."""
    paths = {}
    current = None
    with gzip.open(path, "rt") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("# "):
                # A steps file may write empty cells as dots where the list has zeros.
                puzzle = line[2:].split()[0].replace(".", "0")
                current = paths.setdefault(puzzle, []) if puzzle in wanted else None
                continue
            if current is None or not line.strip():
                continue
            rating, _, text = line.partition(" ")
            name, _, details = text.partition(":")
            current.append((tenths(rating), line, grader_name(name), grader_facts(name, details)))
    return paths


def parse_facts(line):
    words = line.split()
    facts = {"name": words[1], "place": set(), "removes": set(), "cells": set(), "digits": set()}
    section = None
    for word in words[2:]:
        if word in ("place", "removes", "cells", "digits", "complexity"):
            section = word
        elif section == "complexity":
            facts["complexity"] = int(word)
        elif section in ("place", "removes"):
            for digit in word[4:]:
                facts[section].add((word[:4], digit))
        elif section == "cells":
            facts["cells"].add(word)
        elif section == "digits":
            facts["digits"] = set(word)
    return facts


def parse_trace(text):
    """{puzzle: (rating tenths, finished, name, [(rating tenths, line, facts)])}."""
    results = {}
    puzzle, steps = None, []
    for line in text.splitlines():
        if line.startswith("# "):
            puzzle, steps = line[2:].strip(), []
        elif line.startswith("= "):
            if steps:
                steps[-1] = (steps[-1][0], steps[-1][1], parse_facts(line))
        elif line.startswith("rating "):
            words = line.split()
            results[puzzle] = (tenths(words[1]), "unfinished" not in words, words[2], steps)
        elif puzzle is not None and line.strip():
            steps.append((tenths(line.split()[0]), line, None))
    return results


def run_trace(trace, puzzles, jobs, max_work):
    chunks = [puzzles[i::jobs] for i in range(jobs)]
    outputs = [""] * jobs
    command = [trace, "-m"] + (["-w", str(max_work)] if max_work is not None else [])

    def run(index):
        process = subprocess.run(
            command, input="\n".join(chunks[index]) + "\n", capture_output=True, text=True
        )
        if process.returncode != 0:
            sys.stderr.write(process.stderr)
        outputs[index] = process.stdout

    threads = [threading.Thread(target=run, args=(i,)) for i in range(jobs) if chunks[i]]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    results = {}
    for output in outputs:
        results.update(parse_trace(output))
    return results


def step_mismatch(theirs, ours, ratings_only):
    """Why two steps differ, or None when they agree as far as we can tell."""
    their_rating, _, their_word, their_facts = theirs
    our_rating, _, our_facts = ours
    if their_rating != our_rating:
        return "rating"
    if ratings_only or our_facts is None:
        return None
    if their_word is not None and not our_facts["name"].startswith(their_word):
        return "technique"
    if their_facts["place"] and their_facts["place"] != our_facts["place"]:
        return "placement"
    if their_facts["removes"] and not their_facts["removes"] <= (
        our_facts["removes"] | our_facts["place"]
    ):
        return "elimination"
    # The grader names a pattern's main cells; a step may record more (the
    # cells of a group, or of the set a unique rectangle forms).
    if their_facts["cells"] and our_facts["cells"] and not their_facts["cells"] <= our_facts["cells"]:
        return "pattern cells"
    if (
        their_facts["digits"]
        and our_facts["digits"]
        and not their_facts["digits"] <= our_facts["digits"]
    ):
        return "pattern digits"
    return None


def first_difference(grader, ours, ratings_only):
    for index in range(max(len(grader), len(ours))):
        if index >= len(grader) or index >= len(ours):
            return index, "path length"
        reason = step_mismatch(grader[index], ours[index], ratings_only)
        if reason:
            return index, reason
    return None, None


def hardest_difference(result):
    """Why the technique named with our rating is not that of the first step
    to reach it, or None."""
    our_rating, _, name, ours = result
    first = next((step for step in ours if step[0] == our_rating), None)
    if first is None or first[2] is None or first[2]["name"] == name:
        return None
    return "the rating names %s, its first step of %s is %s" % (
        name, show(our_rating), first[2]["name"])


def show(rating):
    return "%d.%d" % (rating // 10, rating % 10)


def print_difference(puzzle, their_rating, result, grader, context, ratings_only, whole=False):
    our_rating, finished, name, ours = result
    index, reason = first_difference(grader, ours, ratings_only)
    print("%s grader %s ours %s%s (%s)" % (
        puzzle, show(their_rating), show(our_rating), "" if finished else " unfinished", name))
    if index is None:
        print("  the paths agree step by step")
    else:
        print("  first difference at step %d (%s):" % (index + 1, reason))
    if index is None and not whole:
        return
    first = 0 if whole else max(0, index - context)
    last = max(len(grader), len(ours)) - 1 if whole else index
    for i in range(first, last + 1):
        mark = ">" if i == index else " "
        their_line = grader[i][1] if i < len(grader) else "(no step)"
        our_line = ours[i][1] if i < len(ours) else "(no step)"
        if i < len(ours) and ours[i][2] and "complexity" in ours[i][2]:
            our_line = "%s [complexity %d]" % (our_line, ours[i][2]["complexity"])
        print("  %s %3d grader: %s" % (mark, i + 1, their_line))
        print("  %s %3s ours:   %s" % (mark, "", our_line))


def band(rating):
    return min(rating // 10, 11)


def print_summary(compared, bands, elapsed):
    total = len(compared)
    if total == 0:
        print("no puzzles compared")
        return
    exact = sum(1 for theirs, ours, _ in compared if theirs == ours)
    near = sum(1 for theirs, ours, _ in compared if abs(theirs - ours) <= 2)
    unfinished = sum(1 for _, _, finished in compared if not finished)
    print()
    print("puzzles %d  exact %.1f%% (%d)  within 0.2 %.1f%% (%d)  unfinished %d  %.3f s each" % (
        total, 100.0 * exact / total, exact, 100.0 * near / total, near, unfinished,
        elapsed / total))
    columns = sorted({b for row in bands.values() for b in row})
    labels = ["unf" if b == UNFINISHED else "%d" % b for b in columns]
    print("grader band (rows) against ours (columns)")
    print("      " + "".join("%6s" % label for label in labels))
    for their_band in sorted(bands):
        row = bands[their_band]
        print("%5d " % their_band + "".join(
            "%6s" % (row.get(b, "") or ".") for b in columns))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("rated", help="a rated list, data/rated/se_rated_*.txt")
    parser.add_argument("--steps", help="the grader's steps (default: from the list's name)")
    parser.add_argument("--trace", default=os.path.join(ROOT, "build/native/tests/logic/logic_trace"),
                        help="the logic_trace program (default build/native/...)")
    parser.add_argument("--first", type=int, help="only the first N puzzles")
    parser.add_argument("--puzzle", help="only this puzzle (81 cells), its whole paths printed")
    parser.add_argument("--only-differing", action="store_true",
                        help="only the puzzles that differed in the last run (see --list)")
    parser.add_argument("--list", help="where each run but --puzzle writes its differing puzzles "
                        "(default: beside logic_trace, named for the list)")
    parser.add_argument("--min", type=float, help="only puzzles the grader rates at least this")
    parser.add_argument("--max", type=float, help="only puzzles the grader rates at most this")
    parser.add_argument("--paths", action="store_true",
                        help="also report puzzles whose ratings agree but whose paths differ, or "
                        "whose rating names another technique than its first step of that rating")
    parser.add_argument("--ratings-only", action="store_true",
                        help="compare steps by rating alone, not by technique and cells")
    parser.add_argument("--context", type=int, default=3, help="steps shown before a difference")
    parser.add_argument("--jobs", type=int, default=1, help="logic_trace processes at once")
    parser.add_argument("--max-work", type=int,
                        help="the chain nodes a rating may visit, 0 for no bound (default: the "
                        "rater's)")
    parser.add_argument("--quiet", action="store_true", help="the summary only")
    parser.add_argument("--check", action="store_true",
                        help="exit with status 1 when a rating differs or a run is unfinished, "
                        "and with --paths when a path differs")
    args = parser.parse_args()

    if not os.access(args.trace, os.X_OK):
        sys.exit("no logic_trace at %s (build it, or give --trace)" % args.trace)
    if args.list is None:
        name = os.path.splitext(os.path.basename(args.rated))[0]
        args.list = os.path.join(os.path.dirname(args.trace), name + "-differing.txt")
    puzzles = read_rated(args.rated)
    if args.puzzle:
        puzzles = [p for p in puzzles if p[0] == args.puzzle] or [(args.puzzle, 0)]
    if args.only_differing:
        with open(args.list) as f:
            keep = {line.split()[0] for line in f if line.strip()}
        puzzles = [p for p in puzzles if p[0] in keep]
    if args.min is not None:
        puzzles = [p for p in puzzles if p[1] >= tenths(args.min)]
    if args.max is not None:
        puzzles = [p for p in puzzles if p[1] <= tenths(args.max)]
    if args.first:
        puzzles = puzzles[: args.first]

    wanted = {p.replace(".", "0") for p, _ in puzzles}
    grader = read_grader_steps(args.steps or steps_file_for(args.rated), wanted)
    start = time.monotonic()
    results = run_trace(args.trace, [p for p, _ in puzzles], max(1, args.jobs), args.max_work)
    elapsed = time.monotonic() - start

    compared, bands, differing = [], {}, []
    # Puzzles whose rating or, with --paths, whose path differs or is missing.
    failed = 0
    for puzzle, their_rating in puzzles:
        result = results.get(puzzle)
        if result is None:
            print("%s: no result from logic_trace" % puzzle)
            failed += 1
            continue
        our_rating, finished, _, ours = result
        compared.append((their_rating, our_rating, finished))
        row = bands.setdefault(band(their_rating), {})
        key = band(our_rating) if finished else UNFINISHED
        row[key] = row.get(key, 0) + 1
        path = grader.get(puzzle.replace(".", "0"), [])
        if args.puzzle:
            print_difference(puzzle, their_rating, result, path, 0, args.ratings_only, whole=True)
            continue
        rating_differs = their_rating != our_rating or not finished
        if rating_differs:
            differing.append(puzzle)
        path_differs = args.paths and first_difference(path, ours, args.ratings_only)[0] is not None
        named_wrong = args.paths and hardest_difference(result)
        failed += bool(rating_differs or path_differs or named_wrong)
        if args.quiet:
            continue
        if rating_differs or path_differs:
            print_difference(puzzle, their_rating, result, path, args.context, args.ratings_only)
        if named_wrong:
            print("%s: %s" % (puzzle, named_wrong))

    if not args.puzzle:
        with open(args.list, "w") as f:
            f.writelines(p + "\n" for p in differing)
    print_summary(compared, bands, elapsed)
    if args.check and (failed or not compared):
        print("%d of %d puzzles differ from the grader" % (failed, len(puzzles)))
        sys.exit(1)


if __name__ == "__main__":
    main()
