#!/usr/bin/env python3
"""Draws the preview workspace's magnifier cursors and the tooltip's anchor cursor (32 x 32
monochrome .cur) and
the margin handles (19 x 19, 24-bit .bmp on RGB(237, 28, 34), the transparent
colour) into com/res/. Run once by hand; the files are committed."""
import math
import os
import struct
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "com", "res")

# Cursor pixels: None transparent, 0 black, 1 white.
def magnifier(sign):
    n, cx, cy, r = 32, 12, 12, 8.5
    px = [[None] * n for _ in range(n)]
    for y in range(n):
        for x in range(n):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            on_handle = x >= 17 and y >= 17 and abs((x - y)) <= 2 and x <= 28
            if d < r - 1.5:
                px[y][x] = 1
            elif d < r + 0.5 or on_handle:
                px[y][x] = 0
    for i in range(-4, 5):  # the sign in the lens
        px[cy][cx + i] = 0
        if sign == "+":
            px[cy + i][cx] = 0
    return px


# A pointing hand, the fingertip at (5, 0): outlines only; what the outline encloses is white.
HAND = """
.....##
....#..#
....#..#
....#..#
....#..###
....#..#..###
....#..#..#..##
.##.#..#..#..#.#
#..##........#..#
#...#...........#
.#..............#
..#.............#
..#............#
...#...........#
...#..........#
....#.........#
....#........#
.....#.......#
.....#########
"""


def hand():
    n = 32
    art = [line for line in HAND.strip("\n").split("\n")]
    px = [[None] * n for _ in range(n)]
    for y, line in enumerate(art):
        for x, c in enumerate(line):
            if c == "#":
                px[y][x] = 0
    # Everything the outline does not enclose stays transparent: flood from the edges.
    outside, todo = set(), [(x, y) for x in range(n) for y in (0, n - 1)] + [(x, y) for y in range(n) for x in (0, n - 1)]
    while todo:
        x, y = todo.pop()
        if not (0 <= x < n and 0 <= y < n) or (x, y) in outside or px[y][x] == 0:
            continue
        outside.add((x, y))
        todo += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    for y in range(n):
        for x in range(n):
            if px[y][x] is None and (x, y) not in outside:
                px[y][x] = 1
    return px


def cursor(px, hotspot):
    n = len(px)
    stride = 4  # 32 pixels at one bit each
    xor, andm = bytearray(), bytearray()
    for y in reversed(range(n)):
        xrow, arow = 0, 0
        for x in range(n):
            bit = 1 << (31 - x)
            if px[y][x] is None:
                arow |= bit
            elif px[y][x] == 1:
                xrow |= bit
        xor += struct.pack(">I", xrow)
        andm += struct.pack(">I", arow)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 1, 0, len(xor) + len(andm), 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + bytes(xor) + bytes(andm)
    assert len(xor) == n * stride
    directory = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", n, n, 0, 0, hotspot[0], hotspot[1], len(image), 22)
    return directory + image


def handle(down):
    """A pointer on the ruler: pointing down (left and right margins) or right (top and bottom)."""
    n = 19
    key, face, edge = (34, 28, 237), (255, 255, 255), (64, 64, 64)  # BGR
    rows = []
    for y in range(n):
        row = []
        for x in range(n):
            u, v = (x, y) if down else (y, x)  # u across the arrow, v along it
            half = 8 if v < 10 else 8 - (v - 10)  # a box, then a point towards the page
            inside = 1 <= v <= 18 and abs(u - 9) <= half - 0.5
            border = inside and (v == 1 or abs(u - 9) >= half - 1.5)
            row.append(edge if border else face if inside else key)
        rows.append(row)
    stride = (n * 3 + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = b"".join(bytes(c) for c in row)
        pixels += line + b"\0" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, n, n, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info)) + info + bytes(pixels)


def main():
    os.makedirs(OUT, exist_ok=True)
    files = {
        "MagnifyIn.cur": cursor(magnifier("+"), (12, 12)),
        "MagnifyOut.cur": cursor(magnifier("-"), (12, 12)),
        "Anchor.cur": cursor(hand(), (5, 0)),
        "MarginHandleX.bmp": handle(True),
        "MarginHandleY.bmp": handle(False),
    }
    for name, data in files.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
