#!/usr/bin/env python3
"""Draws the program's own icon and picture and writes them in the formats the executable embeds.

    res/generate.py [OUTDIR]      (default: the folder of this script)

Writes zelivar-tagger.ico (32x32 4bpp, 16x16 4bpp, 16x16 8bpp), logo.bmp (183x74, 8bpp,
256-entry colour table, uncompressed) and icon-16.png / icon-32.png for the desktop's icon theme.
Everything is computed here from a fixed seed, so the output is the same on every run.
Standard library only.
"""

import math
import os
import struct
import sys
import zlib

# The 16 colours of the classic 4-bit palette, as (r, g, b).
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

SKY_TOP, SKY_LOW = (8, 10, 48), (235, 120, 40)


def palette256():
    """A 6x6x6 colour cube and a 40-step ramp of the picture's sky, from night blue to dusk."""
    cube = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    ramp = [tuple(int(a + (b - a) * i / 39) for a, b in zip(SKY_TOP, SKY_LOW)) for i in range(40)]
    return cube + ramp


class Nearest:
    """Maps a colour to the index of the nearest palette entry, with a cache."""

    def __init__(self, palette):
        self.palette = palette
        self.cache = {}

    def __call__(self, rgb):
        rgb = tuple(max(0, min(255, int(round(c)))) for c in rgb)
        if rgb not in self.cache:
            self.cache[rgb] = min(
                range(len(self.palette)),
                key=lambda i: sum((a - b) ** 2 for a, b in zip(self.palette[i], rgb)))
        return self.cache[rgb]


def rng(seed):
    """A small linear congruential generator, so the picture never depends on Python's random."""
    state = seed
    while True:
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        yield state


# ---------------------------------------------------------------------------------------------
# The picture: a night town under a dusk sky with a moon, stars and lit windows, and a brass
# trombone slide across the foreground.

def draw_logo(width, height):
    pixels = [[None] * width for _ in range(height)]
    for y in range(height):
        t = (y / (height - 1)) ** 1.6
        colour = tuple(a + (b - a) * t for a, b in zip(SKY_TOP, SKY_LOW))
        for x in range(width):
            pixels[y][x] = colour
    gen = rng(1998)
    for _ in range(60):
        x, y = next(gen) % width, next(gen) % (height // 2)
        pixels[y][x] = (255, 255, 230)
    # The moon, with a soft halo.
    mx, my, mr = 150, 16, 9
    for y in range(height):
        for x in range(width):
            d = math.hypot(x - mx, y - my)
            if d <= mr:
                shade = 1 - 0.25 * (d / mr)
                pixels[y][x] = (250 * shade, 240 * shade, 190 * shade)
            elif d <= mr + 6:
                k = (1 - (d - mr) / 6) * 0.35
                pixels[y][x] = tuple(c + (255 - c) * k for c in pixels[y][x])
    # The town: blocks of houses with lit windows.
    x = 0
    while x < width:
        w = 8 + next(gen) % 14
        h = 14 + next(gen) % 30
        body = (20 + next(gen) % 25, 18 + next(gen) % 20, 40 + next(gen) % 30)
        for yy in range(height - h, height):
            for xx in range(x, min(width, x + w)):
                pixels[yy][xx] = body
        for wy in range(height - h + 3, height - 4, 5):
            for wx in range(x + 2, min(width, x + w) - 2, 4):
                if next(gen) % 3:
                    for dy in range(2):
                        for dx in range(2):
                            if wx + dx < width:
                                pixels[wy + dy][wx + dx] = (255, 220, 90)
        x += w + 1
    # The trombone: a bell on the right and a long slide, drawn in brass.
    brass, shine = (200, 150, 30), (255, 230, 120)
    for xx in range(14, 132):
        for yy, c in ((54, brass), (55, shine), (61, brass), (62, shine)):
            pixels[yy][xx] = c
    for yy in range(54, 63):
        pixels[yy][14] = brass
        pixels[yy][15] = shine
    for xx in range(132, 168):
        spread = (xx - 132) ** 2 / 90
        for yy in range(int(58 - 3 - spread), int(58 + 3 + spread) + 1):
            if 0 <= yy < height:
                edge = abs(yy - 58) > 1 + spread
                pixels[yy][xx] = shine if edge else brass
    return pixels


def bmp_8bpp(pixels, palette):
    height, width = len(pixels), len(pixels[0])
    nearest = Nearest(palette)
    stride = (width + 3) & ~3
    rows = []
    for y in reversed(range(height)):  # bottom-up
        row = bytes(nearest(pixels[y][x]) for x in range(width))
        rows.append(row + b"\0" * (stride - width))
    bits = b"".join(rows)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(bits), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return header + info + table + bits


# ---------------------------------------------------------------------------------------------
# The icon: a yellow double note on a dark-blue rounded square.

def draw_icon(size):
    """Gives rows of (r, g, b) or None for a transparent pixel."""
    img = []
    s = size / 32
    for y in range(size):
        row = []
        for x in range(size):
            px, py = (x + 0.5) / s, (y + 0.5) / s  # in 32-unit space
            # Rounded square with a 6-unit corner radius.
            cx = min(max(px, 6), 26)
            cy = min(max(py, 6), 26)
            if math.hypot(px - cx, py - cy) > 6:
                row.append(None)
                continue
            colour = (0, 0, 128)
            if px < 2.5 or py < 2.5 or px > 29.5 or py > 29.5:
                colour = (0, 128, 128)
            heads = ((10, 23), (22, 20))
            for hx, hy in heads:
                dx, dy = (px - hx) / 4.2, (py - hy) / 3.0
                if dx * dx + dy * dy <= 1:
                    colour = (255, 255, 0)
            if 13 <= px <= 15.2 and 7 <= py <= 23:
                colour = (255, 255, 0)
            if 25 <= px <= 27.2 and 4 <= py <= 20:
                colour = (255, 255, 0)
            if 13 <= px <= 27.2 and 4 + (27.2 - px) * 3 / 14.2 - 1 <= py <= 8 + (27.2 - px) * 3 / 14.2:
                colour = (255, 255, 0)
            row.append(colour)
        img.append(row)
    return img


def dib_icon(img, palette, bpp):
    size = len(img)
    nearest = Nearest(palette)
    xor_stride = ((size * bpp + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor_rows, and_rows = [], []
    for y in reversed(range(size)):
        idx = [nearest(c) if c else 0 for c in img[y]]
        if bpp == 4:
            packed = bytes((idx[i] << 4) | idx[i + 1] for i in range(0, size, 2))
        else:
            packed = bytes(idx)
        xor_rows.append(packed + b"\0" * (xor_stride - len(packed)))
        mask = bytearray(and_stride)
        for x, c in enumerate(img[y]):
            if c is None:
                mask[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(bytes(mask))
    bits = b"".join(xor_rows) + b"".join(and_rows)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, len(bits), 0, 0,
                       len(palette), 0)
    return info + table + bits


def ico(images):
    """images: list of (size, bpp, dib bytes)."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, data = b"", b""
    for size, bpp, dib in images:
        colours = 16 if bpp == 4 else 0
        entries += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bpp, len(dib), offset)
        offset += len(dib)
        data += dib
    return header + entries + data


def png(img, palette):
    """An RGBA PNG of the icon as the palette shows it."""
    nearest = Nearest(palette)
    raw = b""
    for row in img:
        raw += b"\0"
        for c in row:
            raw += bytes(palette[nearest(c)]) + b"\xff" if c else b"\0\0\0\0"
    size = len(img)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(
            ">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    pal = palette256()
    icon32, icon16 = draw_icon(32), draw_icon(16)
    files = {
        "logo.bmp": bmp_8bpp(draw_logo(183, 74), pal),
        "zelivar-tagger.ico": ico([
            (32, 4, dib_icon(icon32, VGA16, 4)),
            (16, 4, dib_icon(icon16, VGA16, 4)),
            (16, 8, dib_icon(icon16, pal, 8)),
        ]),
        "icon-32.png": png(icon32, VGA16),
        "icon-16.png": png(icon16, pal),
    }
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
