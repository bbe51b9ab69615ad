#!/usr/bin/env python3
"""Writes the PNG files the reader tests decode with both readers: every
colour type at every bit depth, with and without a transparent colour or
palette alpha, plain and Adam7-interlaced, at sizes that leave interlace
passes empty or narrow; each row filtered with the next of the five filters,
so every filter meets every pixel size. Then files that differ in how they
are stored (many or empty IDAT chunks, deflate levels 0 and 9, small zlib
windows, ancillary chunks before and after the data, bytes after IEND, short
and long palettes, indices past the palette) and files the fast reader must
leave to libpng (a gamma to correct, a transparent colour out of range, a
small window the data outgrows).

Writes DIR/manifest.txt: one line per file, its name and the forms
("own", "colour", "grey", or "-" for none) the fast reader must decode it
in. Standard library only.

usage: make_png_corpus.py DIR"""
import os
import random
import struct
import sys
import zlib

COLOUR_DEPTHS = {0: (1, 2, 4, 8, 16), 2: (8, 16), 3: (1, 2, 4, 8), 4: (8, 16), 6: (8, 16)}
CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}
SIZES = ((1, 1), (5, 7), (17, 13), (37, 11))
ADAM7 = ((0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2))


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filter_row(kind, row, prior, step):
    out = bytearray(len(row))
    for i, x in enumerate(row):
        a = row[i - step] if i >= step else 0
        b = prior[i] if prior else 0
        c = prior[i - step] if prior and i >= step else 0
        predicted = (0, a, b, (a + b) >> 1, paeth(a, b, c))[kind]
        out[i] = (x - predicted) & 0xFF
    return bytes([kind]) + bytes(out)


def pack_row(samples, depth):
    """Samples of one row as the file stores them."""
    if depth == 16:
        return b"".join(struct.pack(">H", s) for s in samples)
    if depth == 8:
        return bytes(samples)
    out, bits, acc = bytearray(), 0, 0
    for s in samples:
        acc, bits = (acc << depth) | s, bits + depth
        if bits == 8:
            out.append(acc)
            acc, bits = 0, 0
    if bits:
        out.append(acc << (8 - bits))
    return bytes(out)


class Picture:
    """Samples of every pixel (a list of per-pixel tuples, row by row)."""

    def __init__(self, colour, depth, width, height, seed, key=None, palette_size=None, index_top=None):
        self.colour, self.depth, self.width, self.height = colour, depth, width, height
        rng = random.Random(seed)
        top = (1 << depth) - 1
        if colour == 3:
            top = (index_top if index_top is not None else palette_size) - 1
        self.rows = []
        for y in range(height):
            row = []
            for x in range(width):
                if key is not None and rng.random() < 0.3:
                    row.append(tuple(key))  # some pixels are the transparent colour
                else:
                    row.append(tuple(rng.randint(0, top) for _ in range(CHANNELS[colour])))
            self.rows.append(row)

    def stored(self, first_filter=0):
        """The filtered scanlines, interlaced when asked (Adam7 passes)."""
        bits = CHANNELS[self.colour] * self.depth
        step = max(1, bits // 8)
        return lambda passes: b"".join(self._filtered(p, step, first_filter) for p in passes)

    def _filtered(self, rows, step, first_filter):
        out, prior = [], None
        for y, row in enumerate(rows):
            packed = pack_row([s for pixel in row for s in pixel], self.depth)
            out.append(filter_row((y + first_filter) % 5, packed, prior, step))
            prior = packed
        return b"".join(out)

    def passes(self, interlaced):
        if not interlaced:
            return [self.rows]
        out = []
        for x0, y0, dx, dy in ADAM7:
            rows = [r[x0::dx] for r in self.rows[y0::dy]]
            rows = [r for r in rows if r]
            if rows:
                out.append(rows)
        return out


def write_png(path, picture, interlaced=False, level=6, wbits=15, idat_cuts=None, before=(), after=(),
              palette=None, trns=None, trailing=b"", first_filter=0):
    raw = picture.stored(first_filter)(picture.passes(interlaced))
    compressor = zlib.compressobj(level, zlib.DEFLATED, wbits)
    data = compressor.compress(raw) + compressor.flush()
    header = struct.pack(">IIBBBBB", picture.width, picture.height, picture.depth, picture.colour, 0, 0,
                         1 if interlaced else 0)
    parts = [b"\x89PNG\r\n\x1a\n", chunk(b"IHDR", header)]
    parts += [chunk(kind, body) for kind, body in before]
    if palette is not None:
        parts.append(chunk(b"PLTE", b"".join(bytes(c) for c in palette)))
    if trns is not None:
        parts.append(chunk(b"tRNS", trns))
    pieces = [data]
    if idat_cuts:
        pieces, at = [], 0
        for cut in idat_cuts:
            pieces.append(data[at:at + cut])
            at += cut
        pieces.append(data[at:])
    parts += [chunk(b"IDAT", p) for p in pieces]
    parts += [chunk(kind, body) for kind, body in after]
    parts.append(chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(b"".join(parts) + trailing)


def key_of(colour, depth, rng):
    top = (1 << depth) - 1
    return [rng.randint(0, top) for _ in range(CHANNELS[colour])]


def palette_of(size, rng):
    return [(rng.randrange(256), rng.randrange(256), rng.randrange(256)) for _ in range(size)]


def forms_of(colour, depth, keyed):
    """The forms the fast reader serves for a plain file of this kind."""
    forms = []
    if colour in (0, 4) or (depth == 16 and colour != 3):
        forms.append("own")
    if (depth == 8 and colour in (2, 6)) or colour == 3:
        forms.append("colour")
    if colour == 0 and depth <= 8 and not keyed:
        forms.append("grey")
    return forms


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    manifest = []
    rng = random.Random(31)

    def add(name, forms, picture, **options):
        write_png(os.path.join(out_dir, name), picture, **options)
        manifest.append(f"{name} {','.join(forms) or '-'}")

    seed = 0
    for colour, depths in COLOUR_DEPTHS.items():
        for depth in depths:
            variants = [False, True] if colour in (0, 2, 3) else [False]
            for transparent in variants:
                for interlaced in (False, True):
                    for width, height in SIZES:
                        seed += 1
                        name = f"c{colour}d{depth}{'-t' if transparent else ''}-{'adam7' if interlaced else 'plain'}" \
                               f"-{width}x{height}.png"
                        options = {"interlaced": interlaced, "first_filter": seed % 5}
                        if colour == 3:
                            size = min(1 << depth, 5 + seed % 200)
                            pal = palette_of(size, rng)
                            picture = Picture(colour, depth, width, height, seed, palette_size=size)
                            options["palette"] = pal
                            if transparent:
                                options["trns"] = bytes(rng.randrange(256) for _ in range(max(1, size - 2)))
                        else:
                            key = key_of(colour, depth, rng) if transparent else None
                            picture = Picture(colour, depth, width, height, seed, key=key)
                            if transparent:
                                options["trns"] = b"".join(struct.pack(">H", k) for k in key)
                        add(name, forms_of(colour, depth, transparent), picture, **options)

    # Stored differently: the same pixels must come out.
    rgba = Picture(6, 8, 61, 29, 1001)
    add("idat-many.png", ["colour"], rgba, idat_cuts=[1, 0, 7, 100, 0, 33])
    add("deflate-stored.png", ["colour"], rgba, level=0)
    add("deflate-best.png", ["colour"], rgba, level=9)
    small = Picture(6, 8, 8, 8, 1002)
    add("window-small-fits.png", ["colour"], small, wbits=9)
    add("window-small-outgrown.png", [], rgba, wbits=9)
    text = [(b"tEXt", b"Comment\x00made for the reader tests"), (b"zzZz", b"an unknown ancillary chunk")]
    add("ancillary-around.png", ["colour"], rgba, before=text, after=text)
    add("bytes-after-iend.png", ["colour"], rgba, trailing=b"not part of the image")
    add("gamma-srgb.png", ["colour"], rgba, before=[(b"gAMA", struct.pack(">I", 45455)), (b"sRGB", b"\x00")])
    add("gamma-linear.png", [], rgba, before=[(b"gAMA", struct.pack(">I", 100000))])
    add("gamma-linear-deep.png", ["own"], Picture(6, 16, 9, 9, 1003), before=[(b"gAMA", struct.pack(">I", 100000))])
    add("gamma-linear-grey.png", ["own"], Picture(0, 8, 9, 9, 1004), before=[(b"gAMA", struct.pack(">I", 100000))])
    add("suggested-palette.png", ["colour"], Picture(2, 8, 9, 9, 1005), palette=palette_of(7, rng))
    wide = Picture(6, 8, 333, 41, 1006)
    add("rgba-wide.png", ["colour"], wide)
    add("rgba-wide-adam7.png", ["colour"], wide, interlaced=True)
    add("rgb16-wide.png", ["own"], Picture(2, 16, 129, 17, 1007))
    # Palettes: short ones with indices past their end (black, opaque, as
    # libpng leaves them), alpha for a few entries, more entries than the
    # depth can index.
    add("palette-short.png", ["colour"], Picture(3, 8, 23, 9, 1008, palette_size=6, index_top=256),
        palette=palette_of(6, rng))
    add("palette-short-alpha.png", ["colour"], Picture(3, 4, 23, 9, 1009, palette_size=6, index_top=16),
        palette=palette_of(6, rng), trns=b"\x00\x80")
    add("palette-long.png", ["colour"], Picture(3, 2, 23, 9, 1010, palette_size=4), palette=palette_of(40, rng))
    # A transparent colour past the bit depth: libpng compares only the
    # sample's bits, an oddity left to it.
    add("key-out-of-range.png", [], Picture(0, 4, 9, 9, 1011), trns=struct.pack(">H", 0x13))

    with open(os.path.join(out_dir, "manifest.txt"), "w") as f:
        f.write("\n".join(manifest) + "\n")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
