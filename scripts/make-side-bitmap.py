#!/usr/bin/env python3
"""Draws the wizard's side picture, src/res/side.bmp: 87 x 171 pixels, 256-colour Windows bitmap.

End grain of a log: growth rings around a heart low on the left,
wavering a little, with fine grain and a warm light from the top.  The palette is one gradient from
dark heartwood to pale sapwood; each pixel is an index into it.
"""
import math
import struct
import sys

WIDTH, HEIGHT = 87, 171
DARK, LIGHT = (96, 52, 24), (238, 204, 150)


def palette():
    entries = []
    for i in range(256):
        t = i / 255
        b, g, r = (round(DARK[k] + (LIGHT[k] - DARK[k]) * t) for k in (2, 1, 0))
        entries.append(bytes((b, g, r, 0)))
    return b"".join(entries)


def shade(x, y):
    cx, cy = 18.0, 128.0  # the heart of the log, low on the left
    dx, dy = (x - cx) * 1.15, (y - cy) * 0.9
    wobble = 1.8 * math.sin(y * 0.11 + x * 0.05) + 0.9 * math.sin(x * 0.37 + y * 0.023)
    radius = math.hypot(dx, dy) + wobble
    ring = (radius / 7.5) % 1.0
    # Late wood is a narrow dark band at the outer edge of each ring.
    band = 1.0 - 0.55 * math.exp(-((1.0 - ring) * 7.0) ** 2) - 0.25 * math.exp(-(ring * 9.0) ** 2)
    grain = 0.05 * math.sin(x * 2.3 + 3.0 * math.sin(y * 0.21))
    light = 0.62 + 0.38 * (1.0 - y / HEIGHT) - 0.10 * math.exp(-radius / 25.0)
    return max(0.0, min(1.0, band * light + grain))


def main(path):
    stride = (WIDTH + 3) & ~3
    rows = []
    for y in range(HEIGHT - 1, -1, -1):  # bottom-up
        row = bytes(round(shade(x, y) * 255) for x in range(WIDTH))
        rows.append(row + bytes(stride - WIDTH))
    pixels = b"".join(rows)
    offset = 14 + 40 + 256 * 4
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    with open(path, "wb") as out:
        out.write(header + info + palette() + pixels)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "src/res/side.bmp")
