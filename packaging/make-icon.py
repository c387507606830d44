#!/usr/bin/env python3
"""Draws the program's icon, a graduated measuring jug, as a 32x32 PNG of 16 indexed colours,
and wraps the same picture for Windows (.ico) and macOS (.icns), which both accept PNG data.
The web page's icons are the same picture enlarged pixel by pixel to 192 and 512 pixels.

Usage: make-icon.py OUTPUT_DIRECTORY. Run it again after changing the drawing; the files it
writes are kept in the repository.
"""
import os
import struct
import sys
import zlib

SIZE = 32
PALETTE = [
    (0, 0, 0),        # 0 transparent
    (0, 0, 0),        # 1 outline
    (0, 0, 160),      # 2 glass edge
    (96, 160, 255),   # 3 water
    (230, 245, 255),  # 4 empty glass
    (255, 128, 255),  # 5 handle
    (0, 0, 0),        # 6 graduations
    (0, 64, 192),     # 7 water surface
] + [(255, 255, 255)] * 8


def draw():
    px = [[0] * SIZE for _ in range(SIZE)]
    left, right, top, bottom = 6, 22, 5, 29
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            edge = x in (left, right) or y == bottom
            px[y][x] = 2 if edge else (3 if y >= 13 else 4)
    for x in range(left + 1, right):
        px[13][x] = 7
    # Spout on the upper left.
    for i in range(3):
        px[top - 1 - i][left - 1 - i] = 2
        px[top - i][left - i] = 2
    # Graduations on the left of the glass: long every 8 pixels, short every 4.
    for y in range(9, bottom, 4):
        length = 7 if (y - 9) % 8 == 0 else 4
        for x in range(left + 1, left + 1 + length):
            px[y][x] = 6
    # Handle on the right.
    for y in range(9, 24):
        for x in range(right + 1, right + 6):
            ring = y in (9, 10, 22, 23) or x in (right + 4, right + 5)
            if ring:
                px[y][x] = 5
    return px


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def enlarged(px, factor):
    return [[c for c in row for _ in range(factor)] for row in px for _ in range(factor)]


def png(px):
    size = len(px)
    rows = b""
    for row in px:
        packed = bytes((row[i] << 4) | row[i + 1] for i in range(0, size, 2))
        rows += b"\x00" + packed
    header = struct.pack(">IIBBBBB", size, size, 4, 3, 0, 0, 0)
    palette = b"".join(bytes(c) for c in PALETTE)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", palette)
            + chunk(b"tRNS", b"\x00") + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def ico(data):
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(data), 6 + 16)
    return header + entry + data


def icns(data):
    element = b"icp5" + struct.pack(">I", 8 + len(data)) + data
    return b"icns" + struct.pack(">I", 8 + len(element)) + element


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    picture = png(draw())
    files = [("capacita.png", picture), ("capacita.ico", ico(picture)), ("capacita.icns", icns(picture))]
    files += [(os.path.join("web", "icon-%d.png" % (SIZE * f)), png(enlarged(draw(), f))) for f in (6, 16)]
    for name, data in files:
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
