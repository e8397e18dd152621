#!/usr/bin/env python3
"""Draws the preview toolbar's six default icons (16 x 16, 32-bit with alpha)
into com/res/. Run once by hand; the .ico files are committed."""
import math
import os
import struct
import sys

N = 16
SS = 4  # supersampling per axis


def blank():
    return [[(0, 0, 0, 0.0)] * (N * SS) for _ in range(N * SS)]


def paint(img, inside, colour):
    """Paints every subsample (x, y in icon pixels) for which inside(x, y) holds."""
    r, g, b = colour
    for sy in range(N * SS):
        for sx in range(N * SS):
            x, y = (sx + 0.5) / SS, (sy + 0.5) / SS
            if inside(x, y):
                img[sy][sx] = (r, g, b, 1.0)


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def ring(cx, cy, r0, r1):
    return lambda x, y: r0 <= math.hypot(x - cx, y - cy) < r1


def disc(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) < r


def band(x0, y0, x1, y1, half):
    """Points within `half` of the segment (x0, y0)-(x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) < half
    return inside


def page(img, x0, y0, x1, y1, lines=True):
    paint(img, rect(x0, y0, x1, y1), (64, 64, 64))
    paint(img, rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1), (255, 255, 255))
    if lines:
        for y in range(int(y0) + 3, int(y1) - 2, 2):
            paint(img, rect(x0 + 2, y, x1 - 2, y + 1), (150, 170, 200))


def zoom(img):
    paint(img, band(9.5, 9.5, 14.5, 14.5, 1.5), (120, 80, 40))
    paint(img, disc(6.5, 6.5, 4.5), (210, 235, 255))
    paint(img, ring(6.5, 6.5, 4.5, 6.0), (40, 70, 140))


def one_page(img):
    page(img, 3, 1, 13, 15)


def multiple_pages(img):
    page(img, 0.5, 3, 8, 13)
    page(img, 8.5, 3, 15.5, 13)


def setup(img):
    page(img, 1, 1, 11, 15)
    for k in range(8):
        a = k * math.pi / 4
        paint(img, band(11 + 2.2 * math.cos(a), 11 + 2.2 * math.sin(a),
                        11 + 4.4 * math.cos(a), 11 + 4.4 * math.sin(a), 0.8), (90, 90, 100))
    paint(img, disc(11, 11, 3.2), (90, 90, 100))
    paint(img, disc(11, 11, 1.3), (255, 255, 255))


def printer(img):
    paint(img, rect(4, 1, 12, 7), (64, 64, 64))
    paint(img, rect(5, 2, 11, 7), (255, 255, 255))
    paint(img, rect(1, 6, 15, 13), (70, 70, 80))
    paint(img, rect(2, 7, 14, 12), (170, 170, 180))
    paint(img, rect(11, 8, 13, 9), (40, 200, 60))
    paint(img, rect(4, 11, 12, 15), (64, 64, 64))
    paint(img, rect(5, 11, 11, 14), (255, 255, 255))


def close(img):
    paint(img, band(3.5, 3.5, 12.5, 12.5, 1.6), (200, 30, 30))
    paint(img, band(12.5, 3.5, 3.5, 12.5, 1.6), (200, 30, 30))


def to_ico(img):
    rows = []
    for y in range(N - 1, -1, -1):  # bottom-up
        row = b''
        for x in range(N):
            samples = [img[y * SS + j][x * SS + i] for j in range(SS) for i in range(SS)]
            a = sum(s[3] for s in samples) / len(samples)
            if a == 0:
                row += b'\0\0\0\0'
                continue
            c = [round(sum(s[k] * s[3] for s in samples) / (a * len(samples))) for k in range(3)]
            row += bytes((c[2], c[1], c[0], round(a * 255)))
        rows.append(row)
    xor = b''.join(rows)
    mask = b''
    for y in range(N - 1, -1, -1):
        bits = 0
        for x in range(N):
            a = xor[((N - 1 - y) * N + x) * 4 + 3]
            if a == 0:
                bits |= 1 << (15 - x)
        mask += struct.pack('>H', bits) + b'\0\0'
    header = struct.pack('<IiiHHIIiiII', 40, N, 2 * N, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    return struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', N, N, 0, 0, 1, 32, len(image), 22) + image


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'com', 'res')
    for name, draw in [('Zoom', zoom), ('OnePage', one_page), ('MultiplePages', multiple_pages),
                       ('Setup', setup), ('PrintDoc', printer), ('Close', close)]:
        img = blank()
        draw(img)
        with open(os.path.join(out, name + '.ico'), 'wb') as f:
            f.write(to_ico(img))


main()
