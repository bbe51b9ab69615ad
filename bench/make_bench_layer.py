#!/usr/bin/env python3
"""Writes the benchmark layer as an RGBA PNG: 4000 x 3000, an opaque disc of
radius 1000 with a soft 3-pixel rim on a transparent ground, coloured by
position; the same picture shadow_bench builds in memory. For timing the
plug-in through veydra-host against `veydra render --timings` on one file.
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


def main(path):
    compressor = zlib.compressobj(1)
    data = b"".join(compressor.compress(row(y)) for y in range(HEIGHT)) + compressor.flush()

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", data) + chunk(b"IEND", b""))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "bench-layer.png")
