#!/usr/bin/env python3
"""Exits 0 when two PNG files hold the same pixels: same size, same channels
(RGB or RGBA), same bytes. The files themselves differ when different
encoders wrote them, so they are compared decoded. 8-bit PNGs only;
standard library only."""
import struct
import sys
import zlib


def decode(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG file")
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    channels = {0: 1, 2: 3, 4: 2, 6: 4}[colour]
    if depth != 8 or interlace:
        raise ValueError(f"{path}: only 8-bit, non-interlaced PNGs")
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        previous = line
    return width, height, channels, b"".join(rows)


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
