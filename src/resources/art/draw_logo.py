#!/usr/bin/env python3
"""Draws the About box's picture: a standing letter V on a studio floor,
lit from the front left, casting a soft shadow that falls back towards the
horizon the way the filter's own rear shadows do.

The credits scroll over the left part of the picture in dark grey, so that
part stays a calm, light backdrop; the letter and its shadow sit on the
right. 600 x 380 pixels, written as a 24-bit Windows bitmap that the module
embeds as resource "LOGO" 252; --double also draws it afresh at twice that
size (resource 253), which the About box shows on dense displays instead of
enlarging the small one. Nothing but the Python standard library, and
nothing random: the same bytes on every machine.

    draw_logo.py OUTPUT.bmp [--preview PICTURE.png] [--double OUTPUT2.bmp]
"""
import math
import struct
import sys
import zlib

WIDTH, HEIGHT = 600, 380
# The scene is described in the coordinates of the 600 x 380 picture; K is
# the number of pixels per unit of the drawing being made (1 or 2), W and H
# its size.
K = 1
W, H = WIDTH, HEIGHT

HORIZON = 196            # where the floor meets the wall, in screen rows
BASE = 318               # the row the letter stands on
CENTRE_X = 467           # the letter's middle, and the vanishing point's column
DEPTH = 300.0            # viewing distance for the floor's perspective
SHADOW_REACH = 1.7       # depth of the shadow per unit of height
SHADOW_DRIFT = 0.95      # sideways travel of the shadow per unit of height

# The letter's front face, clockwise from the top of the left arm.
LETTER = [(408, 150), (441, 150), (467, 258), (493, 150), (526, 150), (481, 318), (453, 318)]
EXTRUSION = (7, -5)      # the side faces: the front face pushed back and right


# ---------------------------------------------------------------- coverage

def polygon_coverage(points, width, height, subrows=8):
    """Area coverage (0..1) of a polygon in every pixel: the polygon is cut
    into horizontal spans on `subrows` lines per pixel row, and each span adds
    its exact length to the pixels it crosses."""
    cover = [[0.0] * width for _ in range(height)]
    edges = list(zip(points, points[1:] + points[:1]))
    top = max(0, int(math.floor(min(p[1] for p in points))))
    bottom = min(height, int(math.ceil(max(p[1] for p in points))) + 1)
    weight = 1.0 / subrows
    for y in range(top, bottom):
        row = cover[y]
        for s in range(subrows):
            sy = y + (s + 0.5) / subrows
            crossings = []
            for (ax, ay), (bx, by) in edges:
                if (ay <= sy < by) or (by <= sy < ay):
                    crossings.append(ax + (sy - ay) * (bx - ax) / (by - ay))
            crossings.sort()
            for xa, xb in zip(crossings[0::2], crossings[1::2]):
                add_span(row, max(0.0, xa), min(float(width), xb), weight)
    return cover


def add_span(row, xa, xb, weight):
    if xb <= xa:
        return
    first, last = int(xa), min(int(xb), len(row) - 1)
    if first == last:
        row[first] += (xb - xa) * weight
        return
    row[first] += (first + 1 - xa) * weight
    for x in range(first + 1, last):
        row[x] += weight
    row[last] += (xb - last) * weight


def sample(cover, x, y):
    """Bilinear read of a coverage grid; 0 outside."""
    x -= 0.5
    y -= 0.5
    x0, y0 = int(math.floor(x)), int(math.floor(y))
    fx, fy = x - x0, y - y0
    total = 0.0
    for dy, wy in ((0, 1 - fy), (1, fy)):
        yy = y0 + dy
        if 0 <= yy < len(cover):
            row = cover[yy]
            for dx, wx in ((0, 1 - fx), (1, fx)):
                xx = x0 + dx
                if 0 <= xx < len(row):
                    total += row[xx] * wx * wy
    return total


def box_blur(grid, radius, area):
    """One box blur of the given radius, inside area = (left, top, right,
    bottom); the grid outside the area is left alone."""
    left, top, right, bottom = area
    span = 2 * radius + 1
    for y in range(top, bottom):
        row = grid[y]
        source = row[left:right]
        acc = sum(source[:radius + 1])
        out = []
        for i in range(len(source)):
            out.append(acc / span)
            if i + radius + 1 < len(source):
                acc += source[i + radius + 1]
            if i - radius >= 0:
                acc -= source[i - radius]
        row[left:right] = out
    for x in range(left, right):
        column = [grid[y][x] for y in range(top, bottom)]
        acc = sum(column[:radius + 1])
        for i in range(len(column)):
            grid[top + i][x] = acc / span
            if i + radius + 1 < len(column):
                acc += column[i + radius + 1]
            if i - radius >= 0:
                acc -= column[i - radius]


# ---------------------------------------------------------------- colours

def mix(c0, c1, t):
    t = min(1.0, max(0.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def smooth(t):
    t = min(1.0, max(0.0, t))
    return t * t * (3 - 2 * t)


WALL_TOP = (226, 232, 240)
WALL_LOW = (243, 241, 236)
FLOOR_NEAR = (222, 217, 208)
FLOOR_FAR = (238, 235, 229)
FACE_TOP = (104, 146, 205)
FACE_BOTTOM = (50, 88, 146)
SIDE = (36, 60, 98)
SHADOW_TINT = (52, 56, 70)


def backdrop(x, y):
    if y < HORIZON:
        colour = mix(WALL_TOP, WALL_LOW, smooth(y / HORIZON))
    else:
        colour = mix(FLOOR_FAR, FLOOR_NEAR, smooth((y - HORIZON) / (HEIGHT - HORIZON)))
    # The horizon is a soft fold of the sweep, not a line.
    fold = math.exp(-((y - HORIZON) / 9.0) ** 2) * 3
    # A pool of light around the letter.
    glow = math.exp(-(((x - CENTRE_X) / 150.0) ** 2 + ((y - 250) / 120.0) ** 2)) * 8
    # A slight darkening into the right and bottom corners.
    vignette = (max(0.0, x - 420) / 180.0) ** 2 * 6 + (max(0.0, y - 300) / 80.0) ** 2 * 5
    return tuple(c + fold + glow - vignette for c in colour)


# ---------------------------------------------------------------- the picture

def shadow_mask(front):
    """The letter's silhouette laid on the floor behind it: every floor
    pixel between horizon and base looks up the silhouette point whose
    shadow lands there, softened more the farther it falls."""
    mask = [[0.0] * W for _ in range(H)]
    area = (360 * K, (HORIZON + 1) * K, W, (BASE + 12) * K)
    for y in range((HORIZON + 1) * K, (BASE + 1) * K):
        scale = ((y + 0.5) / K - HORIZON) / (BASE - HORIZON)
        depth = DEPTH * (1.0 / scale - 1.0)
        height = depth / SHADOW_REACH
        sy = BASE - height
        if sy < 140:
            continue
        for x in range(area[0], area[2]):
            sx = CENTRE_X + ((x + 0.5) / K - CENTRE_X) / scale - height * SHADOW_DRIFT
            mask[y][x] = sample(front, sx * K, sy * K)
    sharp = [row[:] for row in mask]
    box_blur(mask, 5 * K, area)
    box_blur(mask, 5 * K, area)
    soft = mask
    out = [[0.0] * W for _ in range(H)]
    for y in range(area[1], area[3]):
        t = smooth((BASE - y / K) / 70.0)      # 0 at the foot, 1 far away
        fade = 0.70 - 0.36 * t
        for x in range(area[0], area[2]):
            out[y][x] = (sharp[y][x] * (1 - t) + soft[y][x] * t) * fade
    return out


def contact_shadow():
    """The dark band where the letter's foot meets the floor."""
    grid = [[0.0] * W for _ in range(H)]
    for y in range((BASE - 6) * K, (BASE + 10) * K):
        for x in range(430 * K, 510 * K):
            d = ((x / K - CENTRE_X) / 34.0) ** 2 + ((y / K - BASE - 1) / 4.5) ** 2
            grid[y][x] = 0.55 * math.exp(-d * 1.6)
    return grid


def letter_layers():
    front = polygon_coverage([(x * K, y * K) for x, y in LETTER], W, H)
    dx, dy = EXTRUSION
    steps = 8 * K
    side = [[0.0] * W for _ in range(H)]
    for i in range(1, steps + 1):
        shifted = [((x + dx * i / steps) * K, (y + dy * i / steps) * K) for x, y in LETTER]
        layer = polygon_coverage(shifted, W, H, subrows=4)
        for y in range(H):
            row, src = side[y], layer[y]
            for x in range(360 * K, W):
                if src[x] > row[x]:
                    row[x] = src[x]
    return front, side


def face_colour(x, y):
    t = (y - 150) / (BASE - 150)
    colour = mix(FACE_TOP, FACE_BOTTOM, t)
    # Light from the left: the left arm faces it, the right arm turns away.
    lean = -0.10 if x < CENTRE_X - 0.03 * (BASE - y) else 0.10
    return tuple(c * (1 - lean) for c in colour)


def render():
    front, side = letter_layers()
    shade = shadow_mask(front)
    contact = contact_shadow()
    pixels = []
    for y in range(H):
        row = []
        for x in range(W):
            colour = backdrop(x / K, y / K)
            darkness = min(1.0, shade[y][x] + contact[y][x])
            if darkness > 0:
                colour = mix(colour, SHADOW_TINT, darkness)
            s = min(1.0, side[y][x])
            if s > 0:
                colour = mix(colour, SIDE, s)
            f = min(1.0, front[y][x])
            if f > 0:
                colour = mix(colour, face_colour(x / K, y / K), f)
            row.append(tuple(max(0, min(255, int(c + 0.5))) for c in colour))
        pixels.append(row)
    highlight_edges(pixels, front)
    return pixels


def highlight_edges(pixels, front):
    """A thin light rim on the edges that face the light (up and left)."""
    for y in range(1, H):
        for x in range(1, W):
            here = min(1.0, front[y][x])
            if here <= 0:
                continue
            exposed = max(0.0, here - min(1.0, front[y][x - 1])) + max(0.0, here - min(1.0, front[y - 1][x]))
            if exposed > 0:
                pixels[y][x] = tuple(int(c + (255 - c) * min(1.0, exposed) * 0.45) for c in pixels[y][x])


# ---------------------------------------------------------------- files

def bmp_bytes(pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        body += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    return header + info + bytes(body)


def png_bytes(pixels):
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in pixels)
    chunk = lambda kind, data: struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    head = struct.pack(">IIBBBBB", len(pixels[0]), len(pixels), 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def draw_at(k):
    global K, W, H
    K, W, H = k, WIDTH * k, HEIGHT * k
    return render()


def main(argv):
    args = argv[1:]
    options = {}
    while len(args) >= 3 and args[-2] in ("--preview", "--double"):
        options[args[-2]] = args[-1]
        del args[-2:]
    if len(args) != 1 or len(argv) - 2 != 2 * len(options):
        sys.stderr.write(__doc__)
        return 2
    pixels = draw_at(1)
    with open(args[0], "wb") as out:
        out.write(bmp_bytes(pixels))
    if "--preview" in options:
        with open(options["--preview"], "wb") as out:
            out.write(png_bytes(pixels))
    if "--double" in options:
        with open(options["--double"], "wb") as out:
            out.write(bmp_bytes(draw_at(2)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
