#!/usr/bin/env python3
"""Reads the Vantric window off the X screen, the way a user sees it.
(VANTRIC_SCREEN_FILE names a saved screenshot to read instead.)

Every command takes the client area's screen origin and size (from the probe)
and works on a fresh screenshot of the root window:
  geometry CX CY W H              cell width, cell height, y of the lower rule
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
WHITE = (255, 255, 255)
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


def board_geometry(screen, cx, cy, w, h):
    """Cell size from the picture: the rule under the board gives the height."""
    cell_width = (w - 176) // 9
    x = cx + 5
    for y in range(cy + 20, cy + h - 1):
        if screen.at(x, y) == GREY and screen.at(x, y + 1) == WHITE:
            return cell_width, (y - cy - 18) // 9, y - cy
    raise SystemExit("no rule under the board")


def cell_origin(cell, cw, ch):
    row, column = divmod(cell, 9)
    return 10 + column * (cw - 1) + 2 * (column // 3), 12 + row * (ch - 1) + 2 * (row // 3)


def status(screen, cx, cy, w, h):
    _, _, rule = board_geometry(screen, cx, cy, w, h)
    top, bottom = cy + rule + 5, cy + h - 5

    def dark(x, y):
        return max(screen.at(x, y)) < 100

    for x in range(cx + 5, cx + w):
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
    if command == "geometry":
        print(*board_geometry(screen, cx, cy, w, h))
    elif command == "status":
        print(status(screen, cx, cy, w, h))
    elif command == "givens":
        cw, ch, _ = board_geometry(screen, cx, cy, w, h)
        flags = []
        for cell in range(81):
            x0, y0 = cell_origin(cell, cw, ch)
            flags.append("1" if screen.at(cx + x0 + cw - 3, cy + y0 + ch - 3) == SILVER else "0")
        print("".join(flags))
    elif command == "filled":
        cw, ch, _ = board_geometry(screen, cx, cy, w, h)
        flags = []
        for cell in range(81):
            x0, y0 = cell_origin(cell, cw, ch)
            ink = sum(1 for x in range(x0 + 1, x0 + cw - 1) for y in range(y0 + 1, y0 + ch - 1)
                      if max(screen.at(cx + x, cy + y)) < 64)
            flags.append("1" if ink > 20 else "0")
        print("".join(flags))
    elif command == "ink":
        cw, ch, _ = board_geometry(screen, cx, cy, w, h)
        x0, y0 = cell_origin(int(sys.argv[6]), cw, ch)
        print(sum(1 for x in range(x0 + 1, x0 + cw - 1) for y in range(y0 + 1, y0 + ch - 1)
                  if max(screen.at(cx + x, cy + y)) < 64))
    elif command == "candidates":
        cw, ch, _ = board_geometry(screen, cx, cy, w, h)
        x0, y0 = cell_origin(int(sys.argv[6]), cw, ch)
        print(sum(1 for x in range(x0 + 1, x0 + cw - 1) for y in range(y0 + 1, y0 + ch - 1)
                  if screen.at(cx + x, cy + y) == GREY))
    elif command == "save":
        subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{cx}+{cy}", "+repage",
                        sys.argv[6]], check=True)
    else:
        raise SystemExit(f"unknown command {command}")


if __name__ == "__main__":
    main()
