#!/usr/bin/env python3
"""Compares the search's time per node of this tree with an earlier revision.

  scripts/compare-node-cost.py [--rounds N] [--chunk LINES] REV [LIST...]

Builds vantric-solve of REV (in build/compare/REV) and of this tree (the
native preset), then runs the two alternately, each on the same slice of
a list, so that a slow stretch of a busy machine falls on both alike; it
adds up the seconds and nodes each reports and prints ns per node. The
lists default to the puzzle lists of the repository's data folder. It also
checks that every line but the run time (verdict, nodes, deepest slot,
grid) is the same.
"""
import argparse
import glob
import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def run(command, **kwargs):
    return subprocess.run(command, check=True, **kwargs)


def buildRevision(revision):
    source = os.path.join(ROOT, 'build', 'compare', 'src-' + revision)
    binary = os.path.join(ROOT, 'build', 'compare', revision, 'cli', 'vantric-solve')
    if not os.path.isdir(source):
        # A build folder removed by hand leaves its work tree registered.
        run(['git', '-C', ROOT, 'worktree', 'prune'])
        run(['git', '-C', ROOT, 'worktree', 'add', '--detach', source, revision],
            stdout=subprocess.DEVNULL)
    build = os.path.dirname(os.path.dirname(binary))
    run(['cmake', '-S', source, '-B', build, '-G', 'Ninja', '-DCMAKE_BUILD_TYPE=Release'],
        stdout=subprocess.DEVNULL)
    run(['cmake', '--build', build, '--target', 'vantric-solve'], stdout=subprocess.DEVNULL)
    return binary


def buildThisTree():
    run(['cmake', '--preset', 'native'], cwd=ROOT, stdout=subprocess.DEVNULL)
    run(['cmake', '--build', '--preset', 'native', '--target', 'vantric-solve'], cwd=ROOT,
        stdout=subprocess.DEVNULL)
    return os.path.join(ROOT, 'build', 'native', 'cli', 'vantric-solve')


def oneJobArguments(binary):
    # Revisions before --jobs solve on one thread anyway.
    usage = subprocess.run([binary, '--help'], capture_output=True, text=True).stdout
    return ['--jobs', '1'] if '--jobs' in usage else []


def solve(binary, extra, path):
    done = subprocess.run([binary, *extra, '--stats', path], capture_output=True, text=True)
    found = re.search(r'(\d+) nodes, ([\d.]+) seconds', done.stderr)
    lines = [' '.join(line.split()[:3] + line.split()[4:5]) for line in done.stdout.splitlines()]
    return int(found.group(1)), float(found.group(2)), lines


def compareList(path, binaries, rounds, chunkLines, scratch):
    lines = open(path).read().splitlines(True)
    chunks = []
    for start in range(0, len(lines), chunkLines):
        chunk = os.path.join(scratch, '%s.%d' % (os.path.basename(path), start))
        with open(chunk, 'w') as out:
            out.writelines(lines[start:start + chunkLines])
        chunks.append(chunk)
    totals = [[0, 0.0] for _ in binaries]
    same = True
    for round in range(rounds):
        for chunk in chunks:
            order = range(len(binaries)) if round % 2 == 0 else reversed(range(len(binaries)))
            results = {}
            for i in order:
                nodes, seconds, text = solve(binaries[i][0], binaries[i][1], chunk)
                totals[i][0] += nodes
                totals[i][1] += seconds
                results[i] = text
            same = same and results[0] == results[1]
    before, after = (seconds / nodes * 1e9 for nodes, seconds in totals)
    print('%-40s %9d nodes  %7.1f -> %7.1f ns/node  %+6.1f%%  %s' %
          (os.path.basename(path), totals[0][0] // rounds, before, after,
           (after / before - 1) * 100, 'same results' if same else 'RESULTS DIFFER'))
    return same


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--rounds', type=int, default=3)
    parser.add_argument('--chunk', type=int, default=2000)
    parser.add_argument('revision')
    parser.add_argument('lists', nargs='*')
    options = parser.parse_args()
    lists = options.lists or sorted(glob.glob(os.path.join(ROOT, 'data', '*.txt')))
    earlier = buildRevision(options.revision)
    current = buildThisTree()
    binaries = [(earlier, oneJobArguments(earlier)), (current, oneJobArguments(current))]
    print('%s against this tree, %d rounds, slices of %d lines' %
          (options.revision, options.rounds, options.chunk))
    with tempfile.TemporaryDirectory() as scratch:
        same = all([compareList(path, binaries, options.rounds, options.chunk, scratch)
                    for path in lists])
    return 0 if same else 1


if __name__ == '__main__':
    sys.exit(main())
