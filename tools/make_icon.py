#!/usr/bin/env python3
"""Draws the updater's icon and writes it as a .ico file.

    make_icon.py OUTPUT.ico

A golden crescent and a star on a night-blue disc, transparent around it.
Every size is drawn from the same signed-distance shapes rather than scaled
from a large bitmap, so the small images stay sharp. Anti-aliasing comes
from the distance itself: a pixel is covered by how far its centre lies
inside the edge, within half a pixel.

The output depends on nothing but this script: no timestamps, no optional
PNG chunks, so two builds give the same bytes.
"""

import math
import struct
import sys
import zlib

SIZES = (256, 128, 96, 48, 32, 24, 16)
# Windows reads the largest image as PNG; the others stay plain bitmaps,
# which every version of the shell draws.
PNG_FROM = 256


def circle(px, py, cx, cy, r):
    return math.hypot(px - cx, py - cy) - r


def star5(px, py, cx, cy, r, rf):
    """Distance to a five-pointed star with a point straight up."""
    k1x, k1y = 0.809016994375, -0.587785252292
    k2x, k2y = -k1x, k1y
    # The shape is drawn with y growing upwards.
    x, y = abs(px - cx), cy - py
    d = 2.0 * max(k1x * x + k1y * y, 0.0)
    x, y = x - d * k1x, y - d * k1y
    d = 2.0 * max(k2x * x + k2y * y, 0.0)
    x, y = x - d * k2x, y - d * k2y
    x = abs(x)
    y -= r
    bax, bay = rf * -k1y, rf * k1x - 1.0
    h = min(max((x * bax + y * bay) / (bax * bax + bay * bay), 0.0), r)
    dist = math.hypot(x - bax * h, y - bay * h)
    return dist if (y * bax - x * bay) >= 0.0 else -dist


def coverage(distance_units, size):
    return min(max(0.5 - distance_units * size, 0.0), 1.0)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


SKY_TOP = (0.10, 0.15, 0.34)
SKY_BOTTOM = (0.24, 0.32, 0.58)
MOON = (0.97, 0.79, 0.30)
MOON_SHADE = (0.93, 0.62, 0.16)
STAR = (1.00, 0.96, 0.80)


def pixel(x, y, size):
    """Straight-alpha RGBA floats of one pixel."""
    u, v = (x + 0.5) / size, (y + 0.5) / size
    # Premultiplied colour and alpha, painted back to front.
    r = g = b = a = 0.0
    layers = (
        (circle(u, v, 0.5, 0.5, 0.47), mix(SKY_TOP, SKY_BOTTOM, v)),
        (max(circle(u, v, 0.45, 0.53, 0.31), -circle(u, v, 0.58, 0.42, 0.26)),
         mix(MOON, MOON_SHADE, v)),
        (star5(u, v, 0.67, 0.40, 0.13, 0.45), STAR),
    )
    for distance, colour in layers:
        c = coverage(distance, size)
        if c == 0.0:
            continue
        r = colour[0] * c + r * (1.0 - c)
        g = colour[1] * c + g * (1.0 - c)
        b = colour[2] * c + b * (1.0 - c)
        a = c + a * (1.0 - c)
    if a == 0.0:
        return 0.0, 0.0, 0.0, 0.0
    return r / a, g / a, b / a, a


def to_byte(value):
    return int(round(min(max(value, 0.0), 1.0) * 255.0))


def render(size):
    """Rows top to bottom, each a list of (r, g, b, a) bytes."""
    return [[tuple(to_byte(c) for c in pixel(x, y, size)) for x in range(size)]
            for y in range(size)]


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def encode_png(rows, size):
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header)
            + png_chunk(b"IDAT", zlib.compress(raw, 9)) + png_chunk(b"IEND", b""))


def encode_bmp(rows, size):
    """32-bit DIB as icons store it: doubled height, BGRA rows bottom-up,
    then the 1-bit AND mask (set where the image is transparent)."""
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + bytes(mask)


def build_ico():
    images = []
    for size in SIZES:
        rows = render(size)
        images.append((size, encode_png(rows, size) if size >= PNG_FROM else encode_bmp(rows, size)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        # A width or height of 256 does not fit the byte: it is written as 0.
        side = size % 256
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    data = build_ico()
    with open(sys.argv[1], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
