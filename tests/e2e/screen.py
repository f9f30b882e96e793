#!/usr/bin/env python3
"""Reads the Vantric window off the X screen, the way a user sees it.
(VANTRIC_SCREEN_FILE names a saved screenshot to read instead.)

Every command takes the client area's screen origin and size (from the probe)
and works on a fresh screenshot of the root window. Where the cells and the
status line are comes from the file VANTRIC_LAYOUT names, written by the
probe's layout command from the running program:
  status CX CY W H                solved | unsolved | blank (status line)
  givens CX CY W H CELLS          cells whose fill is silver, as 81 0/1 flags
  ink CX CY W H CELL              black pixels inside a cell (its digit)
  filled CX CY W H                cells showing a digit, as 81 0/1 flags
  candidates CX CY W H CELL       grey pixels inside a cell (its candidates)
  save CX CY W H FILE             the client area as a picture
"""
import os
import subprocess
import sys

GREY = (128, 128, 128)
SILVER = (192, 192, 192)


class Screen:
    def __init__(self):
        source = os.environ.get("VANTRIC_SCREEN_FILE")
        command = ["convert", source] if source else ["import", "-window", "root"]
        command += ["-depth", "8", "ppm:-"]
        data = subprocess.run(command, check=True, capture_output=True).stdout
        fields = []
        position = 0
        while len(fields) < 4:
            while data[position:position + 1].isspace():
                position += 1
            if data[position:position + 1] == b"#":
                position = data.index(b"\n", position) + 1
                continue
            end = position
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[position:end])
            position = end
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[position + 1:]

    def at(self, x, y):
        offset = 3 * (y * self.width + x)
        return tuple(self.pixels[offset:offset + 3])


def read_layout():
    """The probe's rectangles in client coordinates: 81 cells, then by name."""
    cells, named = [], {}
    with open(os.environ["VANTRIC_LAYOUT"]) as f:
        for line in f:
            name, *rect = line.split()
            if name == "cell":
                cells.append(tuple(int(v) for v in rect))
            else:
                named[name] = tuple(int(v) for v in rect)
    return cells, named


def status(screen, cx, cy, w, h):
    left, top, _, bottom = read_layout()[1]["status"]
    top, bottom = cy + top, cy + bottom

    def dark(x, y):
        return max(screen.at(x, y)) < 100

    for x in range(cx + left, cx + w):
        column = sum(1 for y in range(top, bottom) if dark(x, y))
        if column:
            # "No solution ..." opens with the full-height stem of an N,
            # "Solution found!" with the curve of an S.
            height = sum(1 for y in range(top, bottom)
                         if any(dark(x + dx, y) for dx in range(0, 8)))
            return "unsolved" if column * 10 >= height * 7 else "solved"
    return "blank"


def main():
    command = sys.argv[1]
    cx, cy, w, h = (int(v) for v in sys.argv[2:6])
    screen = Screen()
    cells = read_layout()[0] if command in ("givens", "filled", "ink", "candidates") else []

    def inside(cell):
        left, top, right, bottom = cells[cell]
        return ((cx + x, cy + y) for x in range(left + 1, right - 1) for y in range(top + 1, bottom - 1))

    def ink(cell):
        return sum(1 for x, y in inside(cell) if max(screen.at(x, y)) < 64)

    if command == "status":
        print(status(screen, cx, cy, w, h))
    elif command == "givens":
        print("".join("1" if screen.at(cx + r - 3, cy + b - 3) == SILVER else "0"
                      for _, _, r, b in cells))
    elif command == "filled":
        print("".join("1" if ink(cell) > 20 else "0" for cell in range(81)))
    elif command == "ink":
        print(ink(int(sys.argv[6])))
    elif command == "candidates":
        print(sum(1 for x, y in inside(int(sys.argv[6])) if screen.at(x, y) == GREY))
    elif command == "save":
        subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{cx}+{cy}", "+repage",
                        sys.argv[6]], check=True)
    else:
        raise SystemExit(f"unknown command {command}")


if __name__ == "__main__":
    main()
