#!/usr/bin/env python3
"""The README's before/after picture: two pictures of the same size side by
side (the original and the shadowed result), each in a thin grey frame, on a
light ground. Layers are laid over white first. Standard library only.

usage: readme_pictures.py BEFORE.png AFTER.png OUT.png"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pngio import read_png, write_png  # noqa: E402

GAP = 16
GROUND = (244, 244, 244)
FRAME = (170, 170, 170)


def as_rgb_rows(path):
    """The picture as RGB rows, laid over white where it has transparency."""
    width, height, channels, pixels = read_png(path)
    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            p = pixels[(y * width + x) * channels:(y * width + x + 1) * channels]
            grey = channels <= 2
            colour = (p[0],) * 3 if grey else tuple(p[:3])
            alpha = p[-1] if channels in (2, 4) else 255
            row += bytes((c * alpha + 255 * (255 - alpha) + 127) // 255 for c in colour)
        rows.append(row)
    return width, height, rows


def main(before, after, out):
    w1, h1, left = as_rgb_rows(before)
    w2, h2, right = as_rgb_rows(after)
    if (w1, h1) != (w2, h2):
        sys.exit(f"readme_pictures: {before} is {w1}x{h1}, {after} is {w2}x{h2}")
    width, height = 2 * w1 + 3 * GAP, h1 + 2 * GAP
    ground, frame = bytes(GROUND), bytes(FRAME)
    rows = []
    for y in range(height):
        iy = y - GAP
        if iy < -1 or iy > h1:
            rows.append(ground * width)
            continue
        row = bytearray(ground * GAP)
        for picture in (left, right):
            if iy in (-1, h1):
                row[-3:] = frame
                row += frame * (w1 + 1)
            else:
                row[-3:] = frame
                row += picture[iy] + frame
            row += ground * (GAP - 1)
        rows.append(bytes(row[:3 * width]))
    write_png(out, width, height, 3, rows)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__.strip().splitlines()[-1])
    main(*sys.argv[1:])
