#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into fuzz/corpus/<target>/.

Each seed is a small, valid example of what its target reads, so fuzzing
starts from inputs that reach deep into the code instead of spending its
first minutes discovering the format. The layouts are the ones described at
the top of each fuzz target. Inputs that once found a fault are kept beside
the seeds as regression-*; this script never touches those.

usage: python3 fuzz/make_seeds.py
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# kShadowParamTable order: blur, transparency, angleX, angleY, angleZ, posX,
# posY, perspective, zoom, color, outside, shadowPosition, intensity,
# softness, shadowOnly.
DEFAULTS = [20, 30, 0, 0, 0, 0, 0, 80, 100, 0, 1, 0, 100, 0, 0]
CAST_IN_FRONT = [70, 60, -110, 0, 0, 0, 0, 80, 100, 0, 1, 0, 80, 40, 0]
REAR = [20, 30, 60, 20, -30, 12, -9, 40, 150, 0x203040, 0, 2, 50, 70, 1]
OUT_OF_RANGE = [-5, 400, 720, -1000, 9999, 100000, -100000, 250, 0, -1, 7, 5, 0, 500, 3]
EXTREMES = [2**31 - 1, -2**31, -2**31, 2**31 - 1, 2**31 - 1, -2**31, 2**31 - 1, -2**31, 2**31 - 1, 2**31 - 1,
            -2**31, -2**31, 2**31 - 1, -2**31, 2**31 - 1]


def i32s(values):
    return b"".join(struct.pack("<i", v) for v in values)


def png(width, height, colour_type, rows, bit_depth=8, extra_chunks=(), interlace=0):
    """A PNG from raw scanlines (each already starting with its filter byte)."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", width, height, bit_depth, colour_type, 0, 0, interlace)
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
    for kind, data in extra_chunks:
        out += chunk(kind, data)
    out += chunk(b"IDAT", zlib.compress(b"".join(rows)))
    return out + chunk(b"IEND", b"")


def disc(width, height, cx, cy, radius):
    """Opacity of an antialiased disc at each pixel, 0-255."""
    def alpha(x, y):
        d = math.hypot(x - cx, y - cy)
        return 255 if d <= radius - 1 else 0 if d >= radius else int((radius - d) * 255)
    return [[alpha(x, y) for x in range(width)] for y in range(height)]


def rgba_png(width, height, alphas):
    rows = []
    for y in range(height):
        row = bytearray([0])
        for x in range(width):
            row += bytes([(40 + 3 * x) & 255, (90 + y) & 255, (200 - x) & 255, alphas[y][x]])
        rows.append(bytes(row))
    return png(width, height, 6, rows)


def rgb_png(width, height):
    rows = [bytes([0]) + b"".join(bytes([(40 + 3 * x) & 255, (90 + y) & 255, 128]) for x in range(width))
            for y in range(height)]
    return png(width, height, 2, rows)


def grey_png(width, height, values):
    return png(width, height, 0, [bytes([0]) + bytes(values[y]) for y in range(height)])


def rect_mask(width, height, left, top, right, bottom):
    return [[255 if left <= x <= right and top <= y <= bottom else 0 for x in range(width)] for y in range(height)]


def png_render_seeds():
    layer = rgba_png(32, 28, disc(32, 28, 15.5, 12.5, 8))
    flat = rgb_png(24, 24)
    mask = grey_png(24, 24, rect_mask(24, 24, 6, 4, 15, 17))
    # 16-bit grey+alpha, a palette with a transparency chunk, and an
    # interlaced image: other decoder paths to the same 8-bit pixels.
    grey16 = png(8, 8, 4, [bytes([0]) + b"".join(struct.pack(">HH", 4000 * x, 60000 if 2 <= x <= 5 and 1 <= y <= 6
                                                              else 0) for x in range(8)) for y in range(8)], 16)
    palette = png(8, 8, 3, [bytes([0]) + bytes((x + y) % 3 for x in range(8)) for y in range(8)], 8,
                  [(b"PLTE", bytes([255, 0, 0, 0, 255, 0, 0, 0, 255])), (b"tRNS", bytes([0, 255, 128]))])
    interlaced = png(16, 16, 6, [bytes([0]) + b"".join(bytes([x * 16, y * 16, 99, 255 if 4 <= x < 12 else 0])
                                                         for x in range(16)) for y in range(16)], 8, (), 1)

    def seed(flags, params, image, mask_png=b""):
        return bytes([flags]) + i32s(params) + struct.pack("<I", len(image)) + image + mask_png
    return {
        "layer-defaults": seed(0, DEFAULTS, layer),
        "layer-cast-in-front": seed(0, CAST_IN_FRONT, layer),
        "flat-with-mask": seed(1, REAR, flat, mask),
        "layer-with-mask": seed(1, DEFAULTS, rgba_png(24, 24, disc(24, 24, 11, 11, 7)), mask),
        "mask-size-differs": seed(1, DEFAULTS, layer, mask),
        "flat-no-mask": seed(0, DEFAULTS, flat),
        "grey16-alpha": seed(0, CAST_IN_FRONT, grey16),
        "palette-trns": seed(0, REAR, palette),
        "interlaced": seed(0, DEFAULTS, interlaced),
    }


def scene_seed(width, height, planes, pads, has_mask, params, pattern, mask_pattern, steps=b"", client=(0, 0)):
    head = bytes([width - 1, height - 1, planes - 3, pads[0], pads[1], pads[2], 1 if has_mask else 0])
    return (head + i32s(params) + bytes(client) + bytes([len(pattern) - 1]) + bytes(pattern) +
            bytes([len(mask_pattern) - 1]) + bytes(mask_pattern) + steps)


def shadow_scene_seeds():
    # Pixel patterns repeat over the interleaved bytes; with 4 planes a
    # 12-byte pattern gives three pixels, one of them transparent.
    rgba = [200, 40, 40, 255, 30, 200, 30, 255, 0, 0, 0, 0]
    rgb = [10, 20, 30, 40, 50, 60]
    selection = [0, 255, 255, 128, 0]
    every_step = bytes([3, 1, 2, 3, 0]) + i32s(REAR) + bytes([3, 4])
    return {
        "layer": scene_seed(40, 30, 4, (0, 0, 0), False, DEFAULTS, rgba, [0], b"", (120, 90)),
        "layer-padded": scene_seed(33, 17, 4, (3, 5, 0), False, CAST_IN_FRONT, rgba, [0], every_step, (40, 300 % 256)),
        "flat-mask": scene_seed(24, 24, 3, (1, 0, 7), True, REAR, rgb, selection, every_step),
        "layer-mask": scene_seed(20, 20, 4, (0, 2, 1), True, DEFAULTS, rgba, selection),
        "five-planes": scene_seed(16, 9, 5, (0, 0, 0), False, DEFAULTS, [1, 2, 3, 255, 9, 4, 5, 6, 0, 9], [0]),
        "one-pixel": scene_seed(1, 1, 4, (0, 0, 0), False, DEFAULTS, [9, 9, 9, 255], [0]),
        "two-by-two": scene_seed(2, 2, 4, (1, 1, 1), False, DEFAULTS, [9, 9, 9, 255], [0]),
        "one-row-mask": scene_seed(30, 1, 3, (0, 0, 0), True, DEFAULTS, rgb, [255]),
        "out-of-range": scene_seed(20, 16, 4, (0, 0, 0), False, OUT_OF_RANGE, rgba, [0], every_step),
        "extremes": scene_seed(20, 16, 4, (0, 0, 0), False, EXTREMES, rgba, [0], bytes([3, 4])),
    }


def descriptor_seeds():
    keys = [b"outS", b"posI", b"bluR", b"traN", b"intE", b"angX", b"angY", b"angZ", b"zooM", b"offX", b"offY",
            b"perS", b"colR"]

    def full_read(play_info, values):
        # open, then for each key: choice (odd: a known key), index, type,
        # flags, a get answer and the value; then "no more keys" and close.
        body = bytes([0, 0]) + struct.pack("<h", play_info) + bytes([1])
        for index, value in enumerate(values):
            body += bytes([1, index]) + struct.pack("<Ii", 0x6C6F6E67, 0) + bytes([1])
            body += bytes([value & 255]) if index == 0 else struct.pack("<i", value)
        return body + bytes([7, 1])

    def full_write(flags, values, closes=True):
        body = bytes([0, flags]) + i32s(values) + bytes([1])
        body += bytes([1]) * 15  # put answers
        return body + (bytes([1, 1]) if closes else bytes([0, 1]))
    read = full_read(1, [1, 0] + CAST_IN_FRONT[:12])
    return {
        "read-all-write-all": read + full_write(2, DEFAULTS),
        "read-no-dialog": full_read(0, [0, 2] + REAR[:12]) + full_write(0, REAR),
        "unknown-key": bytes([0, 0, 2, 0, 1, 0]) + b"zzzz" + bytes(8) + full_write(0, DEFAULTS),
        "read-error": bytes([0, 0, 1, 0, 1, 1, 2]) + bytes(8) + bytes([0, 3, 0]) + full_write(2, DEFAULTS, False),
        "no-suites": bytes([0x3F, 0x01, 1, 0]) + bytes([0x0F, 0x05]),
        "no-handles": bytes([0x20, 0x08, 1, 0, 1, 7, 1]) + full_write(2, DEFAULTS),
        "null-token": bytes([0, 0, 1, 0, 8]) + bytes([0, 0, 8]),
        "keys-as-text": bytes([0, 0, 1, 0, 1]) + b"".join(bytes([2]) + k[::-1] + bytes(8) + bytes([1, 9, 0, 0, 0])
                                                           for k in keys),
    }


def language_seeds():
    texts = {
        "escapes": b"\x00Line one\\nline two\\tcolumn \\\\t kept \\x and \\",
        "reference": b"\x00[Msg]/ok",
        "reference-nested": b"\x00[Main_dlg]/[Msg]/yes",
        "list": b"\x00Top,,Center,Bottom,",
        "number-hex": b"\x00  -0x7FFFFFFF0",
        "number-octal": b"\x00017",
        "shift-jis": b"\x01\x83\x5d/\x82\xa0\\n[\x83\x5d]/key,\x88\x5c\x2c",
        "shift-jis-trailing-lead": b"\x01[a]\x81",
    }
    return texts


def pipl_and_aete():
    def prop(key, data):
        padded = data + bytes(-len(data) % 4)
        return b"MIB8" + key[::-1] + struct.pack("<ii", 0, len(padded)) + padded

    props = [
        prop(b"kind", b"MFB8"),
        prop(b"name", b"\x09Veydra..."),
        prop(b"catg", b"\x0eTevra Software"),
        prop(b"vers", struct.pack("<I", 0x00010001)),
        prop(b"8664", b"PluginMainVeydra\0"),
        prop(b"wx86", b"PluginMainVeydra\0"),
        prop(b"hstm", struct.pack("<i", 0) + b"2Wzk" + b"nXqp" + struct.pack("<h", 17000) + b"Tevra Software Veydra\0"),
        prop(b"mode", b"\x10\0\0\0"),
        prop(b"enbl", b"in (PSHOP_ImageMode,RGBMode)\0"),
        prop(b"flly", b"\x80\0\0\0"),
        prop(b"fici", b"".join(bytes([1, 1, f, 0]) for f in (7, 15, 15, 7, 15, 7, 15))),
    ]
    pipl = struct.pack("<hii", 1, 0, len(props)) + b"".join(props)

    def pstr(text):
        return bytes([len(text)]) + text
    names = [(b"Outside Only", b"outS", b"bool"), (b"Shadow Position", b"posI", b"long"), (b"Blur", b"bluR", b"long"),
             (b"Zoom", b"zooM", b"long"), (b"Color", b"colR", b"long")]
    aete = struct.pack("<hBBhhh", 1, 1, 0, 0, 0, 1) + pstr(b"Tevra Software") + pstr(b"Tevra Orvane") + b"2Wzk"
    aete += struct.pack("<hhh", 1, 1, 1) + pstr(b"Tevra Veydra") + pstr(b"") + b"2Wzk" + b"nXqp"
    aete += b"llun" + pstr(b"") + struct.pack("<H", 0) + b"RmI#" + pstr(b"") + struct.pack("<H", 0xB000)
    aete += struct.pack("<h", len(names))
    for name, key, kind in names:
        aete += pstr(name) + key[::-1] + kind[::-1] + pstr(b"") + struct.pack("<H", 0)
    aete += struct.pack("<hhh", 0, 0, 0)
    return pipl, aete


def resource_seeds():
    pipl, aete = pipl_and_aete()
    return {
        "pipl": pipl,
        "aete": aete,
        "pipl-unpadded-last": pipl[:-2],
        "pipl-empty-strings": struct.pack("<hii", 1, 0, 3) + b"MIB8dnik" + bytes(8) + b"MIB8eman" + bytes(8) +
        b"MIB868xw" + bytes(8),
    }


def png_read_seeds():
    """Files as they come (flags 0-2: the form) and files the target builds
    (flag 4): every kind, plain and interlaced, with and without tRNS."""
    kinds = [(0, 1, 1), (0, 2, 1), (0, 4, 1), (0, 8, 1), (0, 16, 1), (2, 8, 3), (2, 16, 3), (3, 1, 1),
             (3, 2, 1), (3, 4, 1), (3, 8, 1), (4, 8, 2), (4, 16, 2), (6, 8, 4), (6, 16, 4)]
    passes = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]

    def rows(width, height, channels, depth, interlaced):
        out, n = bytearray(), 0
        sizes = [(width, height)] if not interlaced else [
            ((width - x0 + dx - 1) // dx, (height - y0 + dy - 1) // dy) for x0, y0, dx, dy in passes
            if width > x0 and height > y0]
        for w, h in sizes:
            for y in range(h):
                out.append(y % 5)
                for _ in range((w * channels * depth + 7) // 8):
                    n += 1
                    out.append((n * 29 + y * 7) & 255)
        return bytes(out)

    def built(form, width, height, kind, options, palette=16, alphas=3, key=(1, 2, 3)):
        colour, depth, channels = kinds[kind]
        head = bytes([4 | form, width - 1, height - 1, kind, options, palette - 1, alphas])
        return head + b"".join(struct.pack("<H", k) for k in key) + rows(width, height, channels, depth, options & 1)

    seeds = {}
    for kind, (colour, depth, _) in enumerate(kinds):
        form = 1 if colour in (2, 3, 6) and (depth == 8 or colour == 3) else 0
        seeds[f"built-c{colour}d{depth}"] = built(form, 13, 9, kind, 2 if colour in (0, 2, 3) else 0)
        seeds[f"built-c{colour}d{depth}-adam7"] = built(form, 11, 7, kind, 1 | 16 | 0x40)
    seeds["built-grey-mask"] = built(2, 17, 5, 3, 0)
    seeds["built-gamma-far"] = built(1, 9, 9, 13, 4 | 8)
    seeds["file-layer"] = bytes([1]) + rgba_png(32, 28, disc(32, 28, 15.5, 12.5, 8))
    seeds["file-flat"] = bytes([1]) + rgb_png(24, 24)
    seeds["file-mask"] = bytes([2]) + grey_png(24, 24, rect_mask(24, 24, 6, 4, 15, 17))
    seeds["file-palette-trns"] = bytes([1]) + png(8, 8, 3, [bytes([0]) + bytes((x + y) % 3 for x in range(8))
                                                           for y in range(8)], 8,
                                                  [(b"PLTE", bytes([255, 0, 0, 0, 255, 0, 0, 0, 255])),
                                                   (b"tRNS", bytes([0, 255, 128]))])
    seeds["file-grey16-alpha"] = bytes([0]) + png(8, 8, 4, [bytes([y % 5]) + b"".join(
        struct.pack(">HH", 4000 * x, 60000 if 2 <= x <= 5 else 0) for x in range(8)) for y in range(8)], 16)
    return seeds


def write(target, seeds):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    for name in os.listdir(folder):
        if name.startswith("seed-"):
            os.remove(os.path.join(folder, name))
    for name, data in seeds.items():
        with open(os.path.join(folder, "seed-" + name), "wb") as f:
            f.write(data)


def main():
    write("png_render", png_render_seeds())
    write("png_read", png_read_seeds())
    write("shadow_scene", shadow_scene_seeds())
    write("descriptors", descriptor_seeds())
    write("language_text", language_seeds())
    write("plugin_resources", resource_seeds())


if __name__ == "__main__":
    main()
