#!/usr/bin/env python3
"""Draws the bundled sample: a figure with soft, anti-aliased edges on a
transparent layer (RGBA PNG), plus a flat RGB copy on white with a selection
mask, so both kinds of run can be tried. Standard library only."""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from pngio import write_png  # noqa: E402


def coverage(x, y):
    """How much of pixel (x, y) the figure covers, 0..1, 4x4 supersampled:
    a ball resting on a pedestal, with a soft glow around the ball."""
    inside = 0
    for sy in range(4):
        for sx in range(4):
            px, py = x + (sx + 0.5) / 4, y + (sy + 0.5) / 4
            ball = (px - 200) ** 2 + (py - 150) ** 2 <= 80 ** 2
            pedestal = 150 <= px <= 250 and 220 <= py <= 330 - abs(px - 200) * 0.2
            base = 110 <= px <= 290 and 320 <= py <= 345
            inside += ball or pedestal or base
    hard = inside / 16
    glow = max(0.0, 1.0 - abs(math.hypot(x - 200, y - 150) - 80) / 12) * 0.5
    return max(hard, glow if hard < 1 else 0)


def colour(x, y):
    if math.hypot(x - 200, y - 150) <= 92 and y < 220:
        shade = max(0.0, 1 - math.hypot(x - 175, y - 125) / 140)
        return (int(60 + 190 * shade), int(90 + 120 * shade), int(200 + 55 * shade))
    return (150 + (x * 37 + y * 11) % 20, 110, 70)


def main(out_dir):
    width, height = 400, 640
    rgba, rgb, mask = [], [], []
    for y in range(height):
        row_rgba, row_rgb, row_mask = [], [], []
        for x in range(width):
            a = int(round(coverage(x, y) * 255))
            r, g, b = colour(x, y)
            row_rgba += [r, g, b, a]
            # The flat copy: the figure composited on white, selected by its coverage.
            row_rgb += [(c * a + 255 * (255 - a)) // 255 for c in (r, g, b)]
            row_mask.append(a)
        rgba.append(row_rgba)
        rgb.append(row_rgb)
        mask.append(row_mask)
    write_png(f"{out_dir}/sample-layer.png", width, height, 4, rgba)
    write_png(f"{out_dir}/sample-flat.png", width, height, 3, rgb)
    write_png(f"{out_dir}/sample-mask.png", width, height, 1, mask)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else ".")
