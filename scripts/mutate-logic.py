#!/usr/bin/env python3
"""Whether the native tests catch small faults put into logic/ and generator/.

Each mutation below changes one line: it names a file, an exact text that
must occur there once, and what replaces it, so that it still applies after
the code around it moves. One at a time, the script puts the mutation in,
rebuilds the targets of the tests that could catch it in build/native, runs
those tests with ctest, and puts the file back as it was. It prints for each
whether the tests caught it (a test failed), missed it, or the mutation did
not apply or build, and which tests failed.

  scripts/mutate-logic.py                 every mutation
  scripts/mutate-logic.py --list          the mutations and their tests
  scripts/mutate-logic.py jellyfish bug   those whose names contain a word

The tree is configured with `cmake --preset native` first. A file the script
was changing when it was stopped is put back from the copy it left in
build/native/mutation-backup on the next run.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build", "native")
BACKUP = os.path.join(BUILD, "mutation-backup")

# The ctest tests a mutation may be run against, and the build targets each needs.
TARGETS = {
    "logic_tests": ["logic_tests"],
    "rating_agreement_dev": ["logic_trace"],
    "rating_agreement_17clue_sample": ["logic_trace"],
    "rating_agreement_top1465_sample": ["logic_trace"],
    "make_command_tests": ["make_command_tests", "vantric-make"],
    "solve_command_tests": ["solve_command_tests", "vantric-solve"],
    "canonical_form_tests": ["canonical_form_tests"],
    "canonical_form_deep_tests": ["canonical_form_deep_tests"],
    "canonical_command_tests": ["canonical_command_tests", "vantric-solve", "vantric-make"],
}
AGREEMENT = ["rating_agreement_dev", "rating_agreement_17clue_sample",
             "rating_agreement_top1465_sample"]
# What a change of the rating engine can show in: its own tests, the
# agreement with the grader, and the ratings vantric-solve prints.
RATER = ["logic_tests"] + AGREEMENT + ["solve_command_tests"]
MAKER = ["make_command_tests"]
CANONICAL = ["canonical_form_tests", "canonical_form_deep_tests", "canonical_command_tests"]

# (name, file, text, replacement, tests)
MUTATIONS = [
    ("a changed digit's cells compared in their first 64 only", "logic/digit_memo.h",
     "if (memo.digitCells[d] == digitCells[d])",
     "if (memo.digitCells[d].word[0] == digitCells[d].word[0])", RATER),
    ("an almost locked set's own changed cells overlooked", "logic/als_wings.cpp",
     "if (!touched) within = within - search.unchanged;",
     "if (!touched || search.cellCount < 9) within = within - search.unchanged;", RATER),
    ("a unique loop walked only from its last cell of the pair alone", "logic/uniqueness.cpp",
     "digits == search.pair && next < search.start", "digits == search.pair && next > search.start",
     RATER),
    ("the house positions miss a candidate that comes back", "logic/house_scan.cpp",
     "table.positions[house][std::countr_zero(unsigned(bits))] |= bit;",
     "table.positions[house][std::countr_zero(unsigned(bits))] &= bit;", RATER),
    ("jellyfish rates 5.3", "logic/techniques.h",
     '"jellyfish", {5.2}', '"jellyfish", {5.3}', RATER),
    ("X-wing rates 3.3", "logic/techniques.h",
     '"X-wing", {3.2}', '"X-wing", {3.3}', RATER),
    ("fish removes from its own lines", "logic/fish.cpp",
     "table.positions[cover][bestDigit - 1] & ~bestLines;",
     "table.positions[cover][bestDigit - 1];", RATER),
    ("fish skips a digit with one more placed", "logic/fish.cpp",
     "placed[digit - 1] + 2 * size > 9", "placed[digit - 1] + 2 * size >= 9", RATER),
    ("8-cell unique loop rates 4.8", "logic/techniques.h",
     "{4.6, 4.7, 5.0}", "{4.6, 4.8, 5.0}", RATER),
    ("6-cell unique loop rates 4.7", "logic/techniques.h",
     "{4.6, 4.7, 5.0}", "{4.7, 4.7, 5.0}", RATER),
    ("unique loop type 3 naked set adds 0.1 x n", "logic/uniqueness.cpp",
     "base + 0.1 * (n - 1)", "base + 0.1 * n", RATER),
    ("BUG type 3 adds 0.1 x n", "logic/bug.cpp",
     "startGraveStep(step, grave, 3, 0.1 * (n - 1))", "startGraveStep(step, grave, 3, 0.1 * n)",
     RATER),
    ("BUG type 3 only of size 2", "logic/bug.cpp",
     "for (int n = 2; n <= 6; ++n)", "for (int n = 2; n <= 2; ++n)", RATER),
    ("BUG type 1 rates 5.7", "logic/techniques.h",
     "{5.6, 5.7}", "{5.7, 5.7}", RATER),
    ("BUG type 4 rates 5.8", "logic/bug.cpp",
     "startGraveStep(step, grave, 4);", "startGraveStep(step, grave, 4, 0.1);", RATER),
    ("nested level 3 without its multiple chains", "logic/nested_chains.cpp",
     "{2, {InnerKind::kForcingChains, InnerKind::kMultipleChains}}",
     "{1, {InnerKind::kForcingChains, InnerKind::kMultipleChains}}", RATER),
    ("a kept run goes on past the rules it has not tried", "logic/nested_chains.cpp",
     "  return below.count;\n", "  return above.count;\n", RATER),
    ("dynamic chains add 0.4 a level", "logic/chains.cpp",
     "family.base + 0.5 * level", "family.base + 0.4 * level", RATER),
    ("hidden single in a box rates 1.3", "logic/techniques.h",
     "{1.0, 1.2, 1.5}", "{1.0, 1.3, 1.5}", RATER),
    ("claiming rates 2.7", "logic/techniques.h",
     '"claiming", {2.8}', '"claiming", {2.7}', RATER),
    ("naked set removes every other digit", "logic/subsets.cpp",
     "std::uint16_t(masks[p] & digits);", "std::uint16_t(masks[p]);", RATER),
    ("WXYZ-wing based 5.6", "logic/techniques.h",
     '"WXYZ-wing", {5.5}', '"WXYZ-wing", {5.6}', RATER),
    ("aligned exclusions rate 0.1 more", "logic/exclusion.cpp",
     "startStep(step, technique, techniqueRating(technique));",
     "startStep(step, technique, techniqueRating(technique) + 0.1);", RATER),
    ("chain length adds at the threshold", "logic/chain_engine.cpp",
     "length > threshold", "length >= threshold", RATER),
    ("the hardest step is the last to reach the rating", "logic/rating.cpp",
     "if (step.rating > result.rating) {", "if (step.rating >= result.rating) {", RATER),
    ("ratings truncate", "logic/rating.cpp",
     "int((rating + 0.05) * 10.0)", "int(rating * 10.0)", RATER + MAKER),
    ("maker refuses singles at 2.3 unrated", "generator/puzzle_maker.cpp",
     "request.minRating > 23", "request.minRating >= 23", MAKER),
    ("maker stops a run at its highest rating", "generator/puzzle_maker.cpp",
     "ratingTenths(step.rating) <= cap.maxRating", "ratingTenths(step.rating) < cap.maxRating",
     MAKER),
    ("maker keeps a rating below the lowest", "generator/puzzle_maker.cpp",
     "candidate.ratingTenths < request.minRating", "candidate.ratingTenths < request.minRating - 1",
     MAKER),
    ("canonical form never transposes", "generator/canonical_form.cpp",
     "o < (symmetric ? 1 : 2); ++o", "o < 1; ++o", CANONICAL),
    ("canonical form drops a depth-first form below the kept rows", "generator/canonical_form.cpp",
     "if (order < 0) return;", "if (order < 0) order = 1;", CANONICAL),
    ("coupled rows run past their row", "generator/canonical_form.cpp",
     "const int rowEnd = (cell / kSide + 1) * kSide;", "const int rowEnd = s.rowEnd;", CANONICAL),
    ("canonical form drops the ties past those kept", "generator/canonical_form.cpp",
     "  finishDeep(s, a);", "  if (s.keptCount < 0) finishDeep(s, a);", CANONICAL),
]


def restore_leftovers():
    """Puts back any file a stopped run left changed."""
    if not os.path.isdir(BACKUP):
        return
    for folder, _, files in os.walk(BACKUP):
        for name in files:
            saved = os.path.join(folder, name)
            target = os.path.join(ROOT, os.path.relpath(saved, BACKUP))
            shutil.copyfile(saved, target)
            print("put back %s from an earlier run" % os.path.relpath(target, ROOT))
    shutil.rmtree(BACKUP)


def build(targets, log):
    run = subprocess.run(["cmake", "--build", BUILD, "--target"] + sorted(set(targets)),
                         stdout=log, stderr=subprocess.STDOUT)
    return run.returncode == 0


def run_tests(tests, log):
    """The tests that failed, from ctest's summary."""
    pattern = "^(%s)$" % "|".join(re.escape(t) for t in tests)
    run = subprocess.run(["ctest", "--test-dir", BUILD, "-R", pattern, "-j", "2",
                          "--output-on-failure"], capture_output=True, text=True)
    log.write(run.stdout)
    log.write(run.stderr)
    failed = re.findall(r"^\s*\d+ - (\S+) \(", run.stdout, re.MULTILINE)
    # gtest names the cases that failed inside a test program.
    cases = re.findall(r"^\[  FAILED  \] ([A-Za-z_]\w*\.\w+)", run.stdout, re.MULTILINE)
    cases = sorted(set(cases))
    if run.returncode != 0 and not failed:
        failed = ["ctest exit %d" % run.returncode]
    return failed, cases


def mutate(name, path, text, replacement, tests, log):
    """'caught', 'missed', 'not found' or 'no build', and the failed tests."""
    full = os.path.join(ROOT, path)
    with open(full) as f:
        original = f.read()
    count = original.count(text)
    if count != 1:
        return ("not found" if count == 0 else "found %d times" % count), []
    saved = os.path.join(BACKUP, path)
    os.makedirs(os.path.dirname(saved), exist_ok=True)
    shutil.copy2(full, saved)
    try:
        with open(full, "w") as f:
            f.write(original.replace(text, replacement))
        log.write("\n== %s\n" % name)
        log.flush()
        if not build([t for test in tests for t in TARGETS[test]], log):
            return "no build", []
        failed, cases = run_tests(tests, log)
        return ("caught" if failed else "missed"), failed + cases
    finally:
        # A fresh time on the file, so that the build sees it changed back.
        shutil.copyfile(saved, full)
        os.remove(saved)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("words", nargs="*", help="only mutations whose names contain one of these")
    parser.add_argument("--list", action="store_true", help="list the mutations and stop")
    parser.add_argument("--log", default=os.path.join(BUILD, "mutate-logic.log"),
                        help="the builds' and tests' output (default build/native/...)")
    args = parser.parse_args()

    chosen = [m for m in MUTATIONS if not args.words or any(w in m[0] for w in args.words)]
    if args.list:
        for name, path, _, _, tests in chosen:
            print("%-50s %-28s %s" % (name, path, " ".join(tests)))
        return
    if not os.path.exists(os.path.join(BUILD, "build.ninja")):
        sys.exit("configure build/native first: cmake --preset native")
    restore_leftovers()
    all_targets = [t for m in chosen for test in m[4] for t in TARGETS[test]]
    with open(args.log, "w") as log:
        if not build(all_targets, log):
            sys.exit("the tree does not build as it is; see %s" % args.log)
        failed, _ = run_tests(sorted({t for m in chosen for t in m[4]}), log)
        if failed:
            sys.exit("tests fail before any mutation: %s" % " ".join(failed))
        caught = 0
        for name, path, text, replacement, tests in chosen:
            start = time.monotonic()
            result, failures = mutate(name, path, text, replacement, tests, log)
            caught += result == "caught"
            print("%-10s %-50s %5.0f s  %s" % (result, name, time.monotonic() - start,
                                              " ".join(failures)), flush=True)
        # The binaries of the tree as it is again.
        build(all_targets, log)
    shutil.rmtree(BACKUP, ignore_errors=True)
    print("caught %d of %d mutations" % (caught, len(chosen)))
    sys.exit(0 if caught == len(chosen) else 1)


if __name__ == "__main__":
    main()
