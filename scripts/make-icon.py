#!/usr/bin/env python3
"""Writes ui/win32/vantric.ico: one 32 x 32 image in 16 colours.

The picture is a 3 x 3 block of Sudoku cells divided by black lines; each
cell is green, white, or silver with a small black digit.
Run it again after changing the picture; the .ico is committed.
"""
import pathlib
import struct

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, SILVER, GREEN, WHITE = 0, 7, 10, 15

# 3 x 5 pixel digits.
DIGITS = {
    "3": ["###", "..#", ".##", "..#", "###"],
    "5": ["###", "#..", "###", "..#", "###"],
    "9": ["###", "#.#", "###", "..#", "###"],
}

# Each cell: its fill and, for silver cells, the digit it shows.
CELLS = [
    [(SILVER, "5"), (WHITE, None), (GREEN, None)],
    [(WHITE, None), (SILVER, "3"), (WHITE, None)],
    [(GREEN, None), (WHITE, None), (SILVER, "9")],
]

SIZE = 32
# Black lines at these columns and rows; cells fill the spans between them.
LINES = [0, 10, 21, 31]


def picture():
    pixels = [[BLACK] * SIZE for _ in range(SIZE)]
    for row in range(3):
        for column in range(3):
            fill, digit = CELLS[row][column]
            top, bottom = LINES[row] + 1, LINES[row + 1]
            left, right = LINES[column] + 1, LINES[column + 1]
            for y in range(top, bottom):
                for x in range(left, right):
                    pixels[y][x] = fill
            if digit:
                x0 = left + (right - left - 3) // 2
                y0 = top + (bottom - top - 5) // 2
                for dy, line in enumerate(DIGITS[digit]):
                    for dx, mark in enumerate(line):
                        if mark == "#":
                            pixels[y0 + dy][x0 + dx] = BLACK
    return pixels


def icon_bytes(pixels):
    xor_rows = []
    for y in reversed(range(SIZE)):  # bitmaps are stored bottom-up
        row = pixels[y]
        xor_rows.append(bytes((row[x] << 4) | row[x + 1] for x in range(0, SIZE, 2)))
    xor = b"".join(xor_rows)
    mask = bytes(SIZE * SIZE // 8)  # fully opaque
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    target = pathlib.Path(__file__).resolve().parent.parent / "ui" / "win32" / "vantric.ico"
    target.write_bytes(icon_bytes(picture()))
    print(target)


if __name__ == "__main__":
    main()
