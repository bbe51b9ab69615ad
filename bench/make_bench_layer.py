#!/usr/bin/env python3
"""Writes the benchmark layer as an RGBA PNG: 4000 x 3000, an opaque disc of
radius 1000 with a soft 3-pixel rim on a transparent ground, coloured by
position; the same picture shadow_bench builds in memory. For timing the
plug-in through veydra-host against `veydra render --timings` on one file.
With --depth 16 the same picture as a 16-bit RGBA file: each sample the 8-bit
one times 257 (so the 8-bit file is its exact reduction) plus a small ripple
that stays within the sample's 8-bit step, as a photograph's low bits would.
Standard library only."""
import math
import struct
import sys
import zlib

WIDTH, HEIGHT = 4000, 3000


def row(y):
    out = bytearray(1 + WIDTH * 4)  # filter byte 0, then the pixels
    dy2 = (y - 1500) ** 2
    for x in range(WIDTH):
        d = math.sqrt((x - 2000) ** 2 + dy2)
        alpha = 255 if d <= 997 else 0 if d >= 1000 else int((1000 - d) * 85)
        out[1 + 4 * x:5 + 4 * x] = bytes((x & 255, y & 255, 128, alpha))
    return bytes(out)


def row16(y):
    eight = row(y)
    out = bytearray(1 + WIDTH * 8)
    for i in range(WIDTH * 4):
        v = eight[1 + i]
        ripple = 0 if v in (0, 255) else (i * 37 + y * 11) % 129 - 64
        struct.pack_into(">H", out, 1 + 2 * i, v * 257 + ripple)
    return bytes(out)


def main(path, depth=8):
    make = row16 if depth == 16 else row
    compressor = zlib.compressobj(1)
    data = b"".join(compressor.compress(make(y)) for y in range(HEIGHT)) + compressor.flush()

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, depth, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", data) + chunk(b"IEND", b""))


if __name__ == "__main__":
    args = sys.argv[1:]
    depth = 8
    if "--depth" in args:
        at = args.index("--depth")
        depth = int(args[at + 1])
        del args[at:at + 2]
    main(args[0] if args else "bench-layer.png", depth)
