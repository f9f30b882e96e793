#!/usr/bin/env python3
"""The browser front end's speed in headless Chromium on this machine: a report, not a test.

  - opening the page to the first painted board (and to the first frame)
  - a typed move through to its repainted board and rewritten boxes
  - Fill in Solution, 50-odd moves, each repainted and listed
  - the solver's time per node in wasm (the worker's module, and the game's
    own search with its turns to the page) against the native build
  - a hint and a rating of the rated lists' hardest puzzles, in the worker

Usage: bench/web_bench.py [--site build/web/site] [--solver build/native/cli/vantric-solve]
"""
import argparse
import os
import statistics
import subprocess
import sys
import time

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))
from cdp import Browser  # noqa: E402

PUZZLE = "083020090000800100029300008000098700070000060006740000300006980002005000010030540"
LONG_SEARCH = "..5..7...............6......5......7.4.........28.......67.......7...56.....58..."


def read_list(path):
    with open(path) as lines:
        return [line.split() for line in lines if line.strip()]


def open_page(browser, site, fragment=PUZZLE):
    page = browser.new_page()
    page.call("Emulation.setDeviceMetricsOverride",
              {"width": 1100, "height": 800, "deviceScaleFactor": 1, "mobile": False})
    page.navigate(f"file://{os.path.abspath(site)}/index.html#{fragment}")
    page.wait_for("window.vantric && window.vantric.ready && window.vantric.firstFrameAt", 20)
    page.wait_for("document.getElementById('status').textContent.startsWith('Solution found!')", 20)
    return page


def centre(page, cell):
    point = page.evaluate(f"window.vantric.cellCentre({cell})")
    return point["x"], point["y"]


def handled_after(page, at):
    """How long the game took over the first message handed to it after at (ms)."""
    return page.wait_for(f"window.vantric.handled && window.vantric.handled.at > {at} && "
                         "window.vantric.handled.ms", 10)


def bench_start(browser, site):
    starts, frames = [], []
    for _ in range(5):
        page = open_page(browser, site)
        starts.append(page.evaluate("window.vantric.startedAt"))
        frames.append(page.evaluate("window.vantric.firstFrameAt"))
        page.call("Page.close")
    print(f"open to first painted board: median {statistics.median(starts):.0f} ms "
          f"(first frame {statistics.median(frames):.0f} ms), over 5 loads")


def bench_moves(browser, site):
    page = open_page(browser, site)
    cell = PUZZLE.index("0")
    page.move(*centre(page, cell))
    times = []
    for i in range(60):
        at = page.evaluate("performance.now()")
        page.type_character("1" if i % 2 == 0 else " ")
        times.append(handled_after(page, at))
    print(f"typed move to repainted board and boxes: median {statistics.median(times):.2f} ms, "
          f"largest {max(times):.2f} ms, over 60 moves and erasures (target 16 ms)")
    count = "document.getElementById('moves').value.split('\\n').filter((l) => l.includes('=')).length"
    before = page.evaluate(count)
    at = page.evaluate("performance.now()")
    page.evaluate("document.querySelector('[data-command=\"40007\"]').dispatchEvent("
                  "new MouseEvent('mouseup'))")
    fill = handled_after(page, at)
    print(f"Fill in Solution: {fill:.1f} ms for {page.evaluate(count) - before} moves "
          "(target 300 ms)")
    page.call("Page.close")


def bench_solver(browser, site, solver):
    puzzles = [line[0] for line in read_list(os.path.join(ROOT, "data", "top1465.txt"))]
    page = open_page(browser, site)
    page.wait_for("!document.getElementById('hint').disabled", 20)
    cells = [0 if ch == "." else int(ch) for puzzle in puzzles for ch in puzzle]
    best = None
    for _ in range(3):
        answer = page.evaluate(f"window.vantric.worker('bench', {{puzzles: {cells}}})", 120)
        if best is None or answer["ms"] < best["ms"]:
            best = answer
    wasm_ns = best["ms"] * 1e6 / best["nodes"]
    native_ns = None
    if solver and os.path.exists(solver):
        runs = []
        for _ in range(3):
            out = subprocess.run([solver, "--jobs", "1"], input="\n".join(puzzles) + "\n",
                                 capture_output=True, text=True, check=True).stdout.split("\n")
            fields = [line.split() for line in out if line]
            runs.append((sum(float(f[3]) for f in fields), sum(int(f[1]) for f in fields)))
        seconds, nodes = min(runs)
        native_ns = seconds * 1e9 / nodes
    line = (f"solver on top1465.txt: {best['nodes']:,.0f} nodes, wasm {wasm_ns:.0f} ns a node")
    if native_ns:
        line += f", native {native_ns:.0f} ns a node ({wasm_ns / native_ns:.2f} times)"
    print(line)
    # The game's own search, with its turns to the page every few milliseconds.
    page.evaluate(f"document.getElementById('position').value = '{LONG_SEARCH}'")
    page.wait_for("document.getElementById('status').textContent.startsWith('Searching')", 10)
    start = time.monotonic()
    first = page.evaluate("document.getElementById('status').textContent")
    while time.monotonic() - start < 3:
        time.sleep(0.25)
    last = page.evaluate("document.getElementById('status').textContent")

    def reading(text):
        inside = text.split("(")[1]
        return float(inside.split()[0]), int(inside.split(", ")[1].split()[0])

    (s0, n0), (s1, n1) = reading(first), reading(last)
    print(f"the game's search in the page: {(s1 - s0) * 1e9 / (n1 - n0):.0f} ns a node, "
          f"turns to the page included")
    page.call("Page.close")


def bench_panel(browser, site):
    lists = ["se_rated_dev.txt", "se_rated_17clue_sample.txt", "se_rated_top1465_sample.txt"]
    rated = []
    for name in lists:
        for fields in read_list(os.path.join(ROOT, "data", "rated", name)):
            puzzle = next(f for f in fields if len(f) == 81)
            rated.append((float(fields[-1]), puzzle.replace("0", ".")))
    hardest = sorted(rated, reverse=True)[:5]
    page = open_page(browser, site)
    page.wait_for("!document.getElementById('hint').disabled", 20)
    for rating, puzzle in hardest:
        cells = [0 if ch == "." else int(ch) for ch in puzzle]
        hint = page.evaluate(f"window.vantric.worker('hint', {{givens: {cells}, board: {cells}}})", 120)
        rate = page.evaluate(f"window.vantric.worker('rate', {{givens: {cells}}})", 120)
        path = page.evaluate(f"window.vantric.worker('explain', {{givens: {cells}, board: {cells}}})", 120)
        print(f"  {puzzle} ({rating}): hint {hint['ms']:.0f} ms, rating {rate['ms']:.0f} ms "
              f"({rate['text'].splitlines()[0]}), explanation {path['ms']:.0f} ms "
              f"({len(path['text'].splitlines()) - 1} steps)")
    page.call("Page.close")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", default=os.path.join(ROOT, "build", "web", "site"))
    parser.add_argument("--solver", default=os.path.join(ROOT, "build", "native", "cli", "vantric-solve"))
    args = parser.parse_args()
    with Browser() as browser:
        print(browser.send("Browser.getVersion")["product"])
        bench_start(browser, args.site)
        bench_moves(browser, args.site)
        bench_solver(browser, args.site, args.solver)
        print("the rated lists' five hardest puzzles, in the worker:")
        bench_panel(browser, args.site)


if __name__ == "__main__":
    main()
