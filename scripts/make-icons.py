#!/usr/bin/env python3
"""Draws the application icon and writes the four icon images and the icon group directory that
Tavrin.rc embeds (app/resources/icons/). Pure standard library; run it again after changing the
artwork and commit what it writes.

The artwork: a blue rounded tile (the skin's light-blue theme) holding a memory module with an
upward arrow above it, for "more memory"."""
import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "app", "resources", "icons")

# (resource id, size, bits per pixel), in the order of the icon group.
IMAGES = [(30001, 24, 8), (30002, 256, 32), (30003, 48, 32), (30004, 32, 32)]


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def rounded_box(x, y, x0, y0, x1, y1, r):
    """Signed distance (in canvas units) from a rounded rectangle; negative inside."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r
    dx, dy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(dx, 0.0), max(dy, 0.0))
    return outside + min(max(dx, dy), 0.0) - r


def polygon_inside(x, y, points):
    inside = False
    n = len(points)
    for i in range(n):
        x0, y0 = points[i]
        x1, y1 = points[(i + 1) % n]
        if (y0 > y) != (y1 > y) and x < (x1 - x0) * (y - y0) / (y1 - y0) + x0:
            inside = not inside
    return inside


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


def over(dst, src, alpha):
    """src over dst, both straight RGBA in 0..1; alpha scales src."""
    sa = src[3] * alpha
    da = dst[3]
    oa = sa + da * (1 - sa)
    if oa <= 0:
        return (0.0, 0.0, 0.0, 0.0)
    rgb = tuple((src[i] * sa + dst[i] * da * (1 - sa)) / oa for i in range(3))
    return rgb + (oa,)


def hexcolour(h, a=1.0):
    return (int(h[0:2], 16) / 255, int(h[2:4], 16) / 255, int(h[4:6], 16) / 255, a)


TILE_TOP, TILE_BOTTOM = hexcolour("7CC4F4"), hexcolour("2476CF")
TILE_EDGE = hexcolour("1A5CA8")
BOARD, BOARD_EDGE = hexcolour("2FA555"), hexcolour("17693A")
CHIP = hexcolour("22313A")
PIN = hexcolour("F4C550")
ARROW, ARROW_SHADOW = hexcolour("FFFFFF"), hexcolour("0E3E75", 0.45)

ARROW_SHAPE = [(0.50, 0.10), (0.70, 0.31), (0.58, 0.31), (0.58, 0.40),
               (0.42, 0.40), (0.42, 0.31), (0.30, 0.31)]


def sample(x, y, px):
    """Colour of the artwork at canvas point (x, y); px is one pixel in canvas units."""
    colour = (0.0, 0.0, 0.0, 0.0)
    tile = rounded_box(x, y, 0.04, 0.04, 0.96, 0.96, 0.2)
    if tile < 0:
        body = mix(TILE_TOP, TILE_BOTTOM, clamp((y - 0.04) / 0.92))
        colour = over(colour, body, 1.0)
        # Soft highlight over the upper half, and the edge.
        if y < 0.5:
            colour = over(colour, (1, 1, 1, 1), 0.22 * (1 - y / 0.5))
        if tile > -max(px, 0.025):
            colour = over(colour, TILE_EDGE, 1.0)
    # The memory module: board, chips, contacts.
    board = rounded_box(x, y, 0.14, 0.46, 0.86, 0.74, 0.04)
    if board < 0:
        colour = over(colour, BOARD_EDGE if board > -max(px, 0.02) else BOARD, 1.0)
        for i in range(4):
            cx0 = 0.20 + i * 0.165
            if rounded_box(x, y, cx0, 0.51, cx0 + 0.12, 0.64, 0.015) < 0:
                colour = over(colour, CHIP, 1.0)
    if 0.74 <= y < 0.82 and 0.17 <= x < 0.83 and not (0.47 <= x < 0.53):
        step = (x - 0.17) / 0.06
        if step - math.floor(step) < 0.6 or px > 1 / 64:
            colour = over(colour, PIN, 1.0)
    # The arrow, with a shadow to lift it off the tile.
    if polygon_inside(x - 0.015, y - 0.02, ARROW_SHAPE):
        colour = over(colour, ARROW_SHADOW, 1.0)
    if polygon_inside(x, y, ARROW_SHAPE):
        colour = over(colour, ARROW, 1.0)
    return colour


def render(size):
    grid = 4 if size >= 128 else 8
    px = 1.0 / size
    pixels = []
    for row in range(size):
        line = []
        for col in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(grid):
                for sx in range(grid):
                    x = (col + (sx + 0.5) / grid) * px
                    y = (row + (sy + 0.5) / grid) * px
                    r, g, b, a = sample(x, y, px)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = grid * grid
            a = acc[3] / n
            if a <= 0:
                line.append((0, 0, 0, 0))
            else:
                line.append(tuple(int(round(clamp(acc[i] / acc[3]) * 255)) for i in range(3))
                            + (int(round(a * 255)),))
        pixels.append(line)
    return pixels


def and_mask(pixels, size):
    stride = ((size + 31) // 32) * 4
    rows = []
    for row in reversed(pixels):
        bits = bytearray(stride)
        for col, p in enumerate(row):
            if p[3] < 128:
                bits[col // 8] |= 0x80 >> (col % 8)
        rows.append(bytes(bits))
    return b"".join(rows)


def header(size, bpp, image_bytes):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, image_bytes, 0, 0, 0, 0)


def dib32(pixels, size):
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask = and_mask(pixels, size)
    return header(size, 32, len(xor) + len(mask)) + xor + mask


def median_cut(colours, count):
    boxes = [list(colours)]
    while len(boxes) < count:
        boxes.sort(key=lambda b: max(max(c[i] for c in b) - min(c[i] for c in b) for i in range(3))
                   if len(b) > 1 else -1)
        box = boxes.pop()
        if len(box) < 2:
            boxes.append(box)
            break
        channel = max(range(3), key=lambda i: max(c[i] for c in box) - min(c[i] for c in box))
        box.sort(key=lambda c: c[channel])
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    return [tuple(sum(c[i] for c in b) // len(b) for i in range(3)) for b in boxes if b]


def dib8(pixels, size):
    opaque = [p[:3] for row in pixels for p in row if p[3] >= 128]
    palette = [(0, 0, 0)] + median_cut(opaque, 255)
    palette += [(0, 0, 0)] * (256 - len(palette))

    def nearest(c):
        return min(range(1, 256), key=lambda i: sum((palette[i][k] - c[k]) ** 2 for k in range(3)))

    indices = b"".join(bytes(nearest(p[:3]) if p[3] >= 128 else 0 for p in row)
                       for row in reversed(pixels))
    table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    mask = and_mask(pixels, size)
    return header(size, 8, len(indices) + len(mask)) + table + indices + mask


def png(pixels, scale, path):
    size = len(pixels)
    raw = b""
    for row in pixels:
        line = b"".join(bytes(p) * scale for p in row)
        raw += (b"\0" + line) * scale

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size * scale, size * scale, 8, 6, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def main():
    os.makedirs(OUT, exist_ok=True)
    preview = sys.argv[1] if len(sys.argv) > 1 else None
    group = struct.pack("<HHH", 0, 1, len(IMAGES))
    for ident, size, bpp in IMAGES:
        pixels = render(size)
        data = dib8(pixels, size) if bpp == 8 else dib32(pixels, size)
        with open(os.path.join(OUT, f"{ident}.dib"), "wb") as f:
            f.write(data)
        group += struct.pack("<BBBBHHIH", size % 256, size % 256, 0, 0, 1, bpp, len(data), ident)
        if preview:
            png(pixels, max(1, 256 // size), os.path.join(preview, f"icon-{size}.png"))
        print(f"{ident}: {size}x{size} {bpp}-bit, {len(data)} bytes")
    with open(os.path.join(OUT, "group.bin"), "wb") as f:
        f.write(group)


if __name__ == "__main__":
    main()
