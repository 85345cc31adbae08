#!/usr/bin/env python3
"""Derives the dark look's five skin images from the light ones and draws both looks for the
documentation. Pure standard library; run it again after changing the light pixels or the tuning
below, and commit what it writes:

    python3 scripts/make-dark-atlas.py

Reads   skin/atlas/atlas_pixels.cpp (the light images, one source line per row)
Writes  skin/atlas/dark_atlas_pixels.cpp (the dark images, same sizes and layout)
        docs/images/themes/{light,dark}-<Name>.png (each image scaled 8x, key as a checkerboard)

The dark images keep every key pixel where the light ones have it, the glyph shapes and the
rounded faces. Colours move in HLS: hue kept (or turned towards a target), saturation scaled,
lightness inverted around an anchor so that anti-aliased edges, which shade towards the white
dialog in the light look, shade towards the dark dialog in the dark one. Face fills keep the
light look's top-to-bottom shading (lighter at the top when normal, darker when pressed) so that
a pressed face still reads as pressed. The script checks that text in the dark look's text
colour is readable on every face centre and stops if it is not."""
import colorsys
import os
import re
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, ".."))
LIGHT_SOURCE = os.path.join(ROOT, "skin", "atlas", "atlas_pixels.cpp")
DARK_SOURCE = os.path.join(ROOT, "skin", "atlas", "dark_atlas_pixels.cpp")
PICTURES = os.path.join(ROOT, "docs", "images", "themes")

KEY = 0xFF00FF
NAMES = ["ButtonFaceStrip", "ComboButtonParts", "CheckGlyphs", "OptionCircleStrip", "HeaderFaceStrip"]
PICTURE_SCALE = 8
CHECKER = ((204, 204, 204), (244, 244, 244))  # the key shown as a 4-pixel checkerboard

# Text on dark faces, and the least contrast it must have with every face centre pixel.
DARK_TEXT = (230, 230, 230)
MIN_CONTRAST = 4.5

# The dark look's anchors, as RGB.
BORDER = (84, 114, 152)           # muted blue outline of faces, header bottom line
FACE_NORMAL = (62, 65, 70)
FACE_HOT = (60, 70, 84)
FACE_PRESSED = (40, 46, 56)
FACE_DISABLED = (48, 49, 52)
HOT_LINE = (62, 160, 236)         # the hot face's bright inner line
PRESSED_LINE = (48, 128, 200)
HEADER_NORMAL = (54, 56, 60)
HEADER_HOT = (62, 70, 82)
HEADER_PRESSED = (42, 48, 58)
TICK = (95, 203, 107)
TICK_DISABLED = (110, 114, 120)
ARROW = (200, 204, 210)
ARROW_DISABLED = (104, 108, 114)

# Lightness slopes: how much of the light look's shading survives. Negative inverts it.
EDGE_SLOPE = -0.62     # outlines and their anti-aliased corners
ACROSS_SLOPE = -0.6    # across a face: glows beside an inner line, dividers
DOWN_SLOPE = 0.5       # down a face: keeps the light look's top-to-bottom shading
GLYPH_SLOPE = -0.6
# The drop faces' middle column carries their shading; the columns beside it are highlights.
COMBO_DOWN = 0.3
COMBO_ACROSS = 0.4


# --- Colours -------------------------------------------------------------------------------

def rgb(c):
    return (c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)


def colourref(r, g, b):
    return r | (g << 8) | (b << 16)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def hls(c):
    r, g, b = rgb(c) if isinstance(c, int) else c
    return colorsys.rgb_to_hls(r / 255, g / 255, b / 255)


def from_hls(h, l, s):
    r, g, b = colorsys.hls_to_rgb(h % 1.0, clamp(l), clamp(s))
    out = colourref(*(int(round(v * 255)) for v in (r, g, b)))
    return out if out != KEY else out ^ 0x000100  # never the key by accident


def chroma(c):
    r, g, b = rgb(c) if isinstance(c, int) else c
    return (max(r, g, b) - min(r, g, b)) / 255


def with_chroma(h, l, c):
    """from_hls with the saturation that gives chroma c at lightness l. Chroma, not HLS
    saturation, carries the colourfulness over: near white a faint tint has a large HLS
    saturation that would turn into a strong colour at dark lightness."""
    l = clamp(l)
    room = 1 - abs(2 * l - 1)
    return from_hls(h, l, c / room if room > 0 else 0.0)


def anchored(c, ref, target, slope):
    """Moves c the way ref moves to target: hue turned, chroma scaled, and lightness
    target + slope * (L(c) - L(ref))."""
    h, l, _ = hls(c)
    hr, lr, _ = hls(ref)
    ht, lt, _ = hls(target)
    cr = chroma(ref)
    tint = chroma(target) if cr < 0.02 else chroma(c) * chroma(target) / cr
    return with_chroma(h - hr + ht, lt + slope * (l - lr), tint)


def face(c, row_ref, mid_ref, target, down=DOWN_SLOPE, across=ACROSS_SLOPE):
    """A face fill pixel: the row's shading relative to the middle row kept (down), the
    pixel's difference from its row's middle column inverted (across)."""
    h, l, _ = hls(c)
    lrow = hls(row_ref)[1]
    hm, lm, _ = hls(mid_ref)
    ht, lt, _ = hls(target)
    cm = chroma(mid_ref)
    tint = chroma(target) if cm < 0.02 else min(1.0, chroma(c) * chroma(target) / cm)
    return with_chroma(h - hm + ht, lt + down * (lrow - lm) + across * (l - lrow), tint)


def luminance(c):
    def lin(v):
        v /= 255
        return v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = rgb(c) if isinstance(c, int) else c
    return 0.2126 * lin(r) + 0.7152 * lin(g) + 0.0722 * lin(b)


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


# --- Reading the light images --------------------------------------------------------------

def read_light(path):
    """{name: rows of COLORREF ints} from the constexpr arrays of atlas_pixels.cpp."""
    text = open(path, encoding="utf-8").read()
    images = {}
    for name in NAMES:
        m = re.search(r"constexpr COLORREF %sPixels\[(\d+)\]\[(\d+)\] = \{(.*?)\n\};" % name, text, re.S)
        if not m:
            sys.exit(f"make-dark-atlas: {name}Pixels not found in {path}")
        height, width = int(m.group(1)), int(m.group(2))
        rows = []
        for line in m.group(3).splitlines():
            line = line.strip()
            if not line.startswith("{"):
                continue
            cells = [t.strip() for t in line.strip("{},").split(",")]
            rows.append([KEY if t == "K" else int(t, 16) for t in cells])
        if len(rows) != height or any(len(r) != width for r in rows):
            sys.exit(f"make-dark-atlas: {name}Pixels is not {width} x {height}")
        images[name] = rows
    return images


# --- The dark images -----------------------------------------------------------------------

FACE_W, FACE_H = 7, 21
LIGHT_BORDER = 0xD58F1B  # the light faces' outline


def dark_button_faces(light):
    fills = [FACE_NORMAL, FACE_HOT, FACE_PRESSED, FACE_DISABLED]
    lines = [None, HOT_LINE, PRESSED_LINE, None]
    out = []
    for y, row in enumerate(light):
        frame, fy = divmod(y, FACE_H)
        top = frame * FACE_H
        mid = light[top + FACE_H // 2][FACE_W // 2]
        line = []
        for x, c in enumerate(row):
            dx, dy = min(x, FACE_W - 1 - x), min(fy, FACE_H - 1 - fy)
            ring = min(dx, dy)
            border = BORDER if frame < 3 else mix(BORDER, FACE_DISABLED, 0.45)
            if ring == 0 or dx + dy <= 2:  # outline and rounded corners
                line.append(anchored(c, LIGHT_BORDER, border, EDGE_SLOPE))
            elif ring == 1 and lines[frame]:  # the hot and pressed inner line
                line.append(anchored(c, light[top + 1][FACE_W // 2], lines[frame], 1.0))
            else:
                line.append(face(c, row[FACE_W // 2], mid, fills[frame]))
        out.append(line)
    return out


def dark_combo_parts(light):
    out = []
    for y, row in enumerate(light):
        line = []
        for x, c in enumerate(row):
            if c == KEY:
                line.append(KEY)
            elif x in (0, 4):  # left border line of each drop face
                line.append(anchored(c, 0xD1A04E, BORDER, EDGE_SLOPE))
            elif x < 8:  # hot face x 1-3, pressed face x 5-7, stretched column in the middle
                middle = 2 if x < 4 else 6
                target = FACE_HOT if x < 4 else FACE_PRESSED
                line.append(face(c, row[middle], light[9][middle], target, COMBO_DOWN, COMBO_ACROSS))
            elif y < 4:
                line.append(anchored(c, 0x5F5519, ARROW, 1.0))
            else:
                line.append(anchored(c, 0xACA584, ARROW_DISABLED, 1.0))
        out.append(line)
    return out


def dark_check_glyphs(light):
    return [[KEY if c == KEY else
             anchored(c, 0x0A9C3E, TICK, GLYPH_SLOPE) if x < 9 else
             anchored(c, 0x82CD9D, TICK_DISABLED, GLYPH_SLOPE)
             for x, c in enumerate(row)] for row in light]


CIRCLE = 13
# Per circle: lightness of white, lightness slope, chroma factor. Hues turn from the light
# look's sky blue most of the way to a plain blue; white becomes a faintly blue dark grey.
CIRCLE_TUNING = [(0.125, -0.62, 0.5), (0.15, -0.75, 0.6), (0.14, -0.75, 0.65), (0.14, -0.45, 0.3)]
CIRCLE_HUE, CIRCLE_HUE_PULL = 214 / 360, 0.7
NEUTRAL_HUE, NEUTRAL_TINT = 0.6, 4 / 255


def dark_option_circles(light):
    out = []
    for y, row in enumerate(light):
        white, slope, factor = CIRCLE_TUNING[y // CIRCLE]
        line = []
        for c in row:
            if c == KEY:
                line.append(KEY)
                continue
            h, l, _ = hls(c)
            tint = chroma(c) * factor
            if tint < NEUTRAL_TINT:
                h, tint = NEUTRAL_HUE, NEUTRAL_TINT
            else:
                h += (CIRCLE_HUE - h) * CIRCLE_HUE_PULL
            line.append(with_chroma(h, white + slope * (l - 1.0), tint))
        out.append(line)
    return out


HEADER_W = 3


def dark_header_faces(light):
    fills = [HEADER_NORMAL, HEADER_HOT, HEADER_PRESSED]
    out = []
    for y, row in enumerate(light):
        if y == len(light) - 1:  # bottom line
            out.append([colourref(*BORDER)] * len(row))
            continue
        line = []
        for x, c in enumerate(row):
            item = x // HEADER_W
            middle = item * HEADER_W + 1
            line.append(face(c, row[middle], light[9][middle], fills[item]))
        out.append(line)
    return out


DERIVE = {
    "ButtonFaceStrip": dark_button_faces,
    "ComboButtonParts": dark_combo_parts,
    "CheckGlyphs": dark_check_glyphs,
    "OptionCircleStrip": dark_option_circles,
    "HeaderFaceStrip": dark_header_faces,
}


def text_centres(dark):
    """(what, colour) for every pixel of the middle column of the normal, hot and pressed
    faces where text sits: button fills (inside the two outer rings) and header items (above
    the bottom line)."""
    faces = dark["ButtonFaceStrip"]
    for frame, state in enumerate(("normal", "hot", "pressed")):
        for fy in range(2, FACE_H - 2):
            yield f"button {state} row {fy}", faces[frame * FACE_H + fy][FACE_W // 2]
    headers = dark["HeaderFaceStrip"]
    for item, state in enumerate(("normal", "hot", "pressed")):
        for y in range(len(headers) - 1):
            yield f"header {state} row {y}", headers[y][item * HEADER_W + 1]


def check(light, dark):
    for name in NAMES:
        a, b = light[name], dark[name]
        assert len(a) == len(b) and all(len(r) == len(s) for r, s in zip(a, b)), name
        for y, (r, s) in enumerate(zip(a, b)):
            for x, (p, q) in enumerate(zip(r, s)):
                assert (p == KEY) == (q == KEY), f"{name} ({x}, {y}): key moved"
    worst = {}
    for what, c in text_centres(dark):
        ratio = contrast(DARK_TEXT, rgb(c))
        group = what.rsplit(" row", 1)[0]
        if group not in worst or ratio < worst[group][0]:
            worst[group] = (ratio, what, c)
        if ratio < MIN_CONTRAST:
            sys.exit(f"make-dark-atlas: {what} is RGB{rgb(c)}, contrast {ratio:.2f} with text "
                     f"RGB{DARK_TEXT}, under {MIN_CONTRAST}")
    return worst


# --- Writing -------------------------------------------------------------------------------

LAYOUT = {
    "ButtonFaceStrip": "7 x 84: four 7 x 21 faces (normal, hot, pressed, disabled)",
    "ComboButtonParts": "15 x 18: hot and pressed drop faces, enabled and disabled arrows",
    "CheckGlyphs": "18 x 24: tick, square, dot; enabled at x 0, disabled at x 9",
    "OptionCircleStrip": "13 x 52: four 13 x 13 circles (normal, hot, pressed, disabled)",
    "HeaderFaceStrip": "9 x 20: normal, hot, pressed item faces, 3 x 20 each",
}


def write_source(dark, path):
    out = ["// Generated by scripts/make-dark-atlas.py from skin/atlas/atlas_pixels.cpp; do not edit.",
           "// Change the light pixels or the script's tuning and run: python3 scripts/make-dark-atlas.py",
           "// The dark look's skin images: the light images' sizes, layout and key pixels.",
           '#include "skin/atlas/dark_atlas_pixels.h"',
           "",
           "namespace skin {",
           "namespace {",
           "",
           "constexpr COLORREF K = AtlasKeyColour;",
           ""]
    for name in NAMES:
        rows = dark[name]
        out.append(f"// {LAYOUT[name]}.")
        out.append(f"constexpr COLORREF Dark{name}Pixels[{len(rows)}][{len(rows[0])}] = {{")
        for row in rows:
            cells = ", ".join("K" if c == KEY else f"0x{c:06X}" for c in row)
            out.append(f"    {{{cells}}},")
        out.append("};")
        out.append("")
    out.append("}  // namespace")
    out.append("")
    for name in NAMES:
        rows = dark[name]
        out.append(f"const AtlasImage Dark{name}Image = {{{len(rows[0])}, {len(rows)}, "
                   f"&Dark{name}Pixels[0][0]}};")
    out += ["", "}  // namespace skin", ""]
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(out))


def write_png(rows, path, scale=PICTURE_SCALE):
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for y in range(height * scale):
        raw.append(0)
        for x in range(width * scale):
            c = rows[y // scale][x // scale]
            raw += bytes(CHECKER[(x // 4 + y // 4) % 2] if c == KEY else rgb(c))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n"
                + chunk(b"IHDR", struct.pack(">IIBBBBB", width * scale, height * scale, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    light = read_light(LIGHT_SOURCE)
    dark = {name: DERIVE[name](light[name]) for name in NAMES}
    worst = check(light, dark)
    write_source(dark, DARK_SOURCE)
    os.makedirs(PICTURES, exist_ok=True)
    for name in NAMES:
        write_png(light[name], os.path.join(PICTURES, f"light-{name}.png"))
        write_png(dark[name], os.path.join(PICTURES, f"dark-{name}.png"))
    for group, (ratio, what, c) in sorted(worst.items()):
        print(f"{group:15} lowest contrast {ratio:5.2f} ({what}, RGB{rgb(c)})")
    print(f"wrote {os.path.relpath(DARK_SOURCE, ROOT)} and {2 * len(NAMES)} pictures")


if __name__ == "__main__":
    main()
