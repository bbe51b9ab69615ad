#!/usr/bin/env python3
"""Exits 0 when two PNG files hold the same pixels: same size, same channels
(RGB or RGBA), same bytes. The files themselves differ when different
encoders wrote them, so they are compared decoded. 8-bit PNGs only;
standard library only."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from pngio import read_png as decode  # noqa: E402


def main(a, b):
    wa, ha, ca, pa = decode(a)
    wb, hb, cb, pb = decode(b)
    if (wa, ha, ca) != (wb, hb, cb):
        print(f"differ: {a} is {wa}x{ha}x{ca}, {b} is {wb}x{hb}x{cb}")
        return 1
    if pa != pb:
        first = next(i for i in range(len(pa)) if pa[i] != pb[i])
        count = sum(1 for x, y in zip(pa, pb) if x != y)
        pixel = first // ca
        print(f"differ: {count} bytes, first at pixel ({pixel % wa}, {pixel // wa}) channel {first % ca}")
        return 1
    print(f"same pixels: {wa}x{ha}x{ca}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
