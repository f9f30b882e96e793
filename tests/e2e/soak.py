#!/usr/bin/env python3
"""Random real X input for the running Vantric window, for a bounded time.

Mouse moves, left and right clicks, keys and characters, menu commands by
their mnemonics (never Exit, About or Online Help), checkbox clicks, and
texts typed over the position box. Any message box that appears is answered,
OK or Cancel at random. Ends early, with status 1, if the program dies.

The pasted puzzles are made from the one the program opened with:
relabelled, transposed, thinned out to a few clues (several solutions, longer
searches), or spoilt with a repeated digit (no solution). Where the board,
the checkbox and the position box are comes from the probe's layout, in the
file VANTRIC_LAYOUT names.

Usage: soak.py CX CY W H PID SECONDS ACTIONS SEED PUZZLE
"""
import os
import random
import subprocess
import sys
import time

from screen import read_layout

KEYS = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "space", "s", "c", "S", "C",
        "Left", "Right", "BackSpace", "a", "z", "period", "Return", "Escape", "Up", "Down"]
MENU = ["u", "r", "f", "s", "l", "c"]


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=False, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def visible_windows():
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Vantric"],
                           capture_output=True, text=True).stdout.split()
    return found


# Unsolvable; its search takes several thousand nodes.
LONG_SEARCH = "1...............12..3.45........63...1.2......4.....7....8.....7...1....8.9...5.."


def made_puzzles(start, rng):
    puzzles = [LONG_SEARCH]
    for _ in range(200):
        cells = list(start)
        labels = dict(zip("123456789", rng.sample("123456789", 9)))
        cells = [labels.get(v, ".") for v in cells]
        if rng.random() < 0.5:
            cells = [cells[(i % 9) * 9 + i // 9] for i in range(81)]
        change = rng.random()
        if change < 0.2:
            kept = set(rng.sample(range(81), rng.randint(4, 20)))
            cells = [v if i in kept else "." for i, v in enumerate(cells)]
        elif change < 0.35:
            empty = cells.index(".")
            row = cells[empty // 9 * 9: empty // 9 * 9 + 9]
            cells[empty] = next(v for v in row if v != ".")
        puzzles.append("".join(cells))
    return puzzles


def main():
    cx, cy, w, h, pid, seconds, actions, seed = (int(v) for v in sys.argv[1:9])
    rng = random.Random(seed)
    puzzles = made_puzzles(sys.argv[9], rng)
    rects = read_layout()[1]
    board = rects["board"]
    button = rects["button"]
    position = rects["position"]
    main_windows = set(visible_windows())

    def alive():
        try:
            os.kill(pid, 0)
            return True
        except OSError:
            return False

    def answer_boxes():
        answered = False
        for window in set(visible_windows()) - main_windows:
            answer = rng.choice(["Return", "Escape"])
            counts["answer " + answer] = counts.get("answer " + answer, 0) + 1
            xdotool("windowfocus", window, "key", answer)
            answered = True
        # Without a window manager the X focus stays with the closed box.
        if answered:
            for window in main_windows:
                xdotool("windowfocus", window)

    def random_text():
        kind = rng.random()
        if kind < 0.5:
            return rng.choice(puzzles)
        if kind < 0.7:
            return "".join(rng.choice("123456789.*| -+\nxX0") for _ in range(rng.randint(0, 120)))
        if kind < 0.85:
            return rng.choice(puzzles) + rng.choice(puzzles)[: rng.randint(1, 20)]
        return rng.choice(puzzles)[: rng.randint(60, 80)]

    deadline = time.monotonic() + seconds
    done = 0
    counts = {}
    while done < actions and time.monotonic() < deadline:
        batch = []
        for _ in range(40):
            kind = rng.choices(["move", "left", "right", "key", "menu", "check", "paste"],
                               [30, 10, 8, 30, 6, 2, 2])[0]
            counts[kind] = counts.get(kind, 0) + 1
            # Over the board and around it, up to the column's edge.
            x = cx + rng.randint(0, button[0])
            y = cy + rng.randint(0, board[3] + 5)
            if kind == "move":
                batch += ["mousemove", str(x), str(y)]
            elif kind == "left":
                batch += ["mousemove", str(x), str(y), "click", "1"]
            elif kind == "right":
                batch += ["mousemove", str(x), str(y), "click", "3"]
            elif kind == "key":
                batch += ["key", "--delay", "2", rng.choice(KEYS)]
            elif kind == "menu":
                batch += ["key", "--delay", "2", "alt+p", rng.choice(MENU)]
            else:
                break
        if batch:
            xdotool(*batch)
        done = sum(v for k, v in counts.items() if not k.startswith("answer"))
        if kind == "check":
            xdotool("mousemove", str(cx + button[0] + 8), str(cy + (button[1] + button[3]) // 2),
                    "click", "1")
        elif kind == "paste":
            xdotool("mousemove", str(cx + (position[0] + position[2]) // 2),
                    str(cy + (position[1] + position[3]) // 2), "click", "1",
                    "key", "ctrl+Home", "key", "ctrl+shift+End")
            xdotool("type", "--delay", "1", random_text())
        answer_boxes()
        if not alive():
            print(f"soak: the program died after {done} actions", file=sys.stderr)
            return 1
    print(f"soak: {done} actions in {seconds - max(0, deadline - time.monotonic()):.0f} s: "
          + ", ".join(f"{k} {v}" for k, v in sorted(counts.items())))
    return 0


if __name__ == "__main__":
    sys.exit(main())
