#!/usr/bin/env python3
"""Draws the icons and the pipette cursor of the skinned controls.

Every picture is described here as shapes (discs, strokes, polygons with
rounded corners) in the coordinates of its 96-DPI size, rasterised with
8 x 8 supersampling for clean edges, and written as .ico / .cur files the
resource compiler embeds. Each file holds the picture drawn afresh at
100 %, 125 %, 150 % and 200 % of that size, so a dense display gets a sharp
drawing of the size it asks for instead of a stretched one. Nothing but the
Python standard library.

    draw_control_art.py OUTPUT_FOLDER [--preview SHEET.png]

--preview also writes a contact sheet: every picture at 100 % and at 8 x,
on the light and the dark caption colour, for a person to judge.
"""
import math
import os
import struct
import sys
import zlib

SUPERSAMPLE = 8


# ---------------------------------------------------------------- shapes
# A shape is a signed distance function d(x, y): negative inside, in pixels.

def disc(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def stroke(points, width):
    """A polyline of the given width with round ends and joins."""
    half = width / 2.0
    segments = list(zip(points, points[1:]))

    def distance(x, y):
        best = float("inf")
        for (ax, ay), (bx, by) in segments:
            dx, dy = bx - ax, by - ay
            length2 = dx * dx + dy * dy
            t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
            best = min(best, math.hypot(x - (ax + t * dx), y - (ay + t * dy)))
        return best - half
    return distance


def arc(cx, cy, r, start_deg, end_deg, width, steps=48):
    points = []
    for i in range(steps + 1):
        a = math.radians(start_deg + (end_deg - start_deg) * i / steps)
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return stroke(points, width)


def polygon(points, rounding=0.0):
    """A convex or concave polygon, its corners rounded by `rounding`."""
    edges = list(zip(points, points[1:] + points[:1]))

    def distance(x, y):
        best = float("inf")
        inside = False
        for (ax, ay), (bx, by) in edges:
            dx, dy = bx - ax, by - ay
            length2 = dx * dx + dy * dy
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
            best = min(best, math.hypot(x - (ax + t * dx), y - (ay + t * dy)))
            if (ay > y) != (by > y) and x < ax + (y - ay) * dx / dy:
                inside = not inside
        return (-best if inside else best) - rounding
    return distance


def rounded_rect(left, top, right, bottom, radius):
    return polygon([(left + radius, top + radius), (right - radius, top + radius),
                    (right - radius, bottom - radius), (left + radius, bottom - radius)], radius)


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def grow(shape, by):
    return lambda x, y: shape(x, y) - by


def subtract(shape, cut):
    return lambda x, y: max(shape(x, y), -cut(x, y))


# ---------------------------------------------------------------- canvas

# The scales every picture is drawn at: 100, 125, 150 and 200 %.
SCALES = (1.0, 1.25, 1.5, 2.0)


class Canvas:
    """Straight-alpha RGBA pixels, top row first. Shapes are given in the
    coordinates of the 96-DPI picture (`base` pixels square) and drawn at
    `scale` of that size."""

    def __init__(self, base, scale=1.0):
        self.scale = scale
        self.size = int(round(base * scale))
        self.pixels = [[(0, 0, 0, 0.0) for _ in range(self.size)] for _ in range(self.size)]

    def coverage(self, shape, px, py):
        n = SUPERSAMPLE
        k = self.scale
        hits = 0
        for sy in range(n):
            for sx in range(n):
                if shape((px + (sx + 0.5) / n) / k, (py + (sy + 0.5) / n) / k) <= 0:
                    hits += 1
        return hits / float(n * n)

    def paint(self, shape, colour, opacity=1.0, shade=None):
        """Composites `shape` over the canvas; `shade(x, y)` may vary the colour."""
        k = self.scale
        for py in range(self.size):
            for px in range(self.size):
                # Cheap rejection: far outside the shape at the pixel centre.
                if shape((px + 0.5) / k, (py + 0.5) / k) > 1.5:
                    continue
                a = self.coverage(shape, px, py) * opacity
                if a <= 0:
                    continue
                src = shade((px + 0.5) / k, (py + 0.5) / k) if shade else colour
                r0, g0, b0, a0 = self.pixels[py][px]
                out = a + a0 * (1 - a)
                mix = lambda s, d: (s * a + d * a0 * (1 - a)) / out
                self.pixels[py][px] = (mix(src[0], r0), mix(src[1], g0), mix(src[2], b0), out)

    def bgra_rows_bottom_up(self):
        rows = []
        for row in reversed(self.pixels):
            data = bytearray()
            for r, g, b, a in row:
                data += bytes((clamp(b), clamp(g), clamp(r), clamp(a * 255)))
            rows.append(bytes(data))
        return rows


def clamp(v):
    return max(0, min(255, int(round(v))))


def lerp(c0, c1, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


# ---------------------------------------------------------------- files

def mask_rows(bits_rows, width):
    """1-bit rows, bottom-up, each padded to 32 bits."""
    stride = (width + 31) // 32 * 4
    out = []
    for bits in bits_rows:
        row = bytearray(stride)
        for x, bit in enumerate(bits):
            if bit:
                row[x // 8] |= 0x80 >> (x % 8)
        out.append(bytes(row))
    return out


def icon_image(canvas):
    """One image of an .ico: 32-bit colour with alpha plus the 1-bit AND mask."""
    size = canvas.size
    colour = b"".join(canvas.bgra_rows_bottom_up())
    and_bits = [[a < 0.5 / 255 for (_, _, _, a) in row] for row in reversed(canvas.pixels)]
    mask = b"".join(mask_rows(and_bits, size))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def write_directory(path, kind, images):
    """An .ico (kind 1) or .cur (kind 2) file: `images` are (size, field1,
    field2, colour count, bytes); for an icon the two fields are its planes
    and bit count, for a cursor its hot spot."""
    directory = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, field1, field2, colours, image in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, field1, field2, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(directory + entries + b"".join(image for *_, image in images))


def write_icon(path, canvases):
    """An .ico with one image per canvas, the 96-DPI one first."""
    write_directory(path, 1, [(c.size, 1, 32, 0, icon_image(c)) for c in canvases])


def mono_cursor_image(size, black, white):
    xor_bits = []
    and_bits = []
    for y in reversed(range(size)):
        xor_bits.append([(x, y) in white for x in range(size)])
        and_bits.append([(x, y) not in black and (x, y) not in white for x in range(size)])
    xor = b"".join(mask_rows(xor_bits, size))
    mask = b"".join(mask_rows(and_bits, size))
    palette = struct.pack("<II", 0x00000000, 0x00FFFFFF)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    return header + palette + xor + mask


def write_mono_cursor(path, cursors):
    """A monochrome .cur; `cursors` are (size, black, white, hot spot), where
    `black` and `white` are sets of (x, y) and the rest is clear."""
    write_directory(path, 2, [(size, hot[0], hot[1], 2, mono_cursor_image(size, black, white))
                              for size, black, white, hot in cursors])


# ---------------------------------------------------------------- pictures

WHITE = (255, 255, 255)
OUTLINE = (24, 36, 64)


def outlined(canvas, shape, fill, outline=OUTLINE, width=1.1, opacity=0.85):
    """White-on-dark glyphs, like the caption title they sit beside."""
    canvas.paint(grow(shape, width), outline, opacity)
    canvas.paint(shape, fill)


def close_icon(scale=1.0):
    c = Canvas(16, scale)
    cross = union(stroke([(4.5, 4.5), (11.5, 11.5)], 2.2), stroke([(11.5, 4.5), (4.5, 11.5)], 2.2))
    outlined(c, cross, WHITE)
    return c


def menu_icon(scale=1.0):
    c = Canvas(16, scale)
    bars = union(*[stroke([(3.5, y), (12.5, y)], 2.0) for y in (4.5, 8.0, 11.5)])
    outlined(c, bars, WHITE)
    return c


def outside_icon(on, scale=1.0):
    """A check box: ticked when the shadow stays outside the object."""
    c = Canvas(16, scale)
    box = rounded_rect(2.0, 2.0, 14.0, 14.0, 2.2)
    c.paint(grow(box, 0.9), (70, 86, 112))
    top, bottom = (255, 255, 255), (222, 230, 242)
    c.paint(box, WHITE, shade=lambda x, y: lerp(top, bottom, (y - 2) / 12.0))
    if on:
        tick = stroke([(4.6, 8.4), (7.0, 10.9), (11.6, 5.0)], 2.3)
        c.paint(grow(tick, 0.6), WHITE, 0.9)
        c.paint(tick, (28, 120, 52))
    return c


def warning_icon(scale=1.0):
    c = Canvas(38, scale)
    triangle = polygon([(19.0, 5.0), (34.0, 32.0), (4.0, 32.0)], 2.5)
    c.paint(grow(triangle, 3.0), (0, 0, 0), 0.18)   # soft drop shadow
    c.paint(grow(triangle, 1.2), (150, 96, 0))
    amber_top, amber_bottom = (255, 216, 64), (245, 168, 0)
    c.paint(triangle, amber_top, shade=lambda x, y: lerp(amber_top, amber_bottom, (y - 4) / 30.0))
    c.paint(stroke([(19.0, 13.5), (19.0, 22.5)], 3.4), (40, 30, 10))
    c.paint(disc(19.0, 27.6, 2.0), (40, 30, 10))
    return c


def question_icon(scale=1.0):
    c = Canvas(38, scale)
    c.paint(disc(19.5, 20.5, 16.5), (0, 0, 0), 0.18)
    c.paint(disc(19.0, 19.0, 16.2), (24, 66, 140))
    light, deep = (96, 160, 236), (36, 96, 190)
    c.paint(disc(19.0, 19.0, 15.0), light, shade=lambda x, y: lerp(light, deep, (y - 4) / 30.0))
    hook = union(arc(19.0, 14.5, 5.0, 195, 395, 3.4), stroke([(23.0, 17.4), (19.0, 20.6), (19.0, 23.2)], 3.4))
    c.paint(hook, WHITE)
    c.paint(disc(19.0, 28.2, 2.1), WHITE)
    return c


def pipette_cursor(scale=1.0):
    """A dropper pointing down-left, black with a white rim so it shows on
    any colour; its tip is the hot spot, (8, 23) at 96 DPI."""
    size = int(round(32 * scale))
    tip = (8.5, 23.5)
    direction = (1 / math.sqrt(2), -1 / math.sqrt(2))

    def along(t, side=0.0):
        return (tip[0] + direction[0] * t + direction[1] * side, tip[1] + direction[1] * t - direction[0] * side)

    glass = polygon([along(0.6, 0.5), along(0.6, -0.5), along(11.0, -1.8), along(11.0, 1.8)], 0.5)
    collar = polygon([along(10.5, 3.6), along(10.5, -3.6), along(13.5, -3.6), along(13.5, 3.6)], 0.4)
    bulb = union(stroke([along(13.5), along(17.5)], 5.0), disc(*along(18.5), 3.1))
    body = union(glass, collar, bulb)
    outline = grow(body, 1.0)

    def hit(shape, x, y):
        return shape((x + 0.5) / scale, (y + 0.5) / scale) <= 0

    black, white = set(), set()
    for y in range(size):
        for x in range(size):
            if hit(body, x, y):
                black.add((x, y))
            elif hit(outline, x, y):
                white.add((x, y))
    hot = (int(8.5 * scale), int(23.5 * scale))
    black.add(hot)
    white.discard(hot)
    return size, black, white, hot


# ---------------------------------------------------------------- preview

def cursor_canvas(size, black, white):
    c = Canvas(size)
    for (x, y) in black:
        c.pixels[y][x] = (0, 0, 0, 1.0)
    for (x, y) in white:
        c.pixels[y][x] = (255, 255, 255, 1.0)
    return c


def write_sheet(path, rows_of_pictures):
    """One band per drawing scale, each picture on two backgrounds (window
    grey, caption blue), as drawn and magnified so that every scale shows
    at about the same size: the 200 % drawing should show more detail, not
    a bigger blur."""
    backgrounds = [(234, 234, 234), (126, 167, 206)]
    pad = 8
    band = 38 * 8 + 2 * pad
    cell = 38 * 8 + 76 + 3 * pad
    width = cell * max(len(row) for _, row in rows_of_pictures)
    height = band * len(backgrounds) * len(rows_of_pictures)
    rows = []
    for scale_of_row, pictures in rows_of_pictures:
        magnify = max(1, int(round(8 / scale_of_row)))
        for background in backgrounds:
            top = len(rows)
            rows.extend([background] * width for _ in range(band))
            for index, canvas in enumerate(pictures):
                left = index * cell + pad
                for y in range(canvas.size):
                    for x in range(canvas.size):
                        r, g, b, a = canvas.pixels[y][x]
                        colour = tuple(clamp(s * a + d * (1 - a)) for s, d in zip((r, g, b), background))
                        rows[top + pad + y][left + x] = colour
                        for dy in range(magnify):
                            line = rows[top + pad + y * magnify + dy]
                            x0 = left + canvas.size + pad + x * magnify
                            line[x0:x0 + magnify] = [colour] * magnify
    raw = b"".join(b"\x00" + bytes(v for px in row for v in px) for row in rows)
    chunk = lambda kind, data: struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    args = sys.argv[1:]
    sheet = None
    if "--preview" in args:
        at = args.index("--preview")
        sheet = args[at + 1] if at + 1 < len(args) else None
        del args[at:at + 2]
    if len(args) != 1 or ("--preview" in sys.argv and sheet is None):
        sys.exit(__doc__)
    folder = args[0]
    os.makedirs(folder, exist_ok=True)
    drawings = [("menu.ico", menu_icon), ("close.ico", close_icon), ("warning.ico", warning_icon),
                ("question.ico", question_icon), ("outside_on.ico", lambda k: outside_icon(True, k)),
                ("outside_off.ico", lambda k: outside_icon(False, k))]
    icons = [(name, [draw(k) for k in SCALES]) for name, draw in drawings]
    for name, canvases in icons:
        write_icon(os.path.join(folder, name), canvases)
    cursors = [pipette_cursor(k) for k in SCALES]
    write_mono_cursor(os.path.join(folder, "pipette.cur"), cursors)
    if sheet:
        write_sheet(sheet, [(k, [canvases[i] for _, canvases in icons] + [cursor_canvas(*cursors[i][:3])])
                            for i, k in enumerate(SCALES)])


if __name__ == "__main__":
    main()
