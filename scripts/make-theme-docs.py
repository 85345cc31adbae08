#!/usr/bin/env python3
"""Writes the tables of theme items in docs/themes.md from the one table of theme items, so that
the documentation says what the loader and the exporter do. Pure standard library:

    python3 scripts/make-theme-docs.py          # rewrites the tables
    python3 scripts/make-theme-docs.py --check  # exits 1 when docs/themes.md is not up to date

Reads   skin/look/items.cpp (the items: section, key, kind, the light and dark values and meaning, in
        the table's order)
        skin/atlas/atlas_pixels.cpp (each image's size)
Writes  docs/themes.md between its two "theme items" marker lines"""
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, ".."))
DOC = os.path.join(ROOT, "docs", "themes.md")
BEGIN = "<!-- theme items: written by scripts/make-theme-docs.py from skin/look/items.cpp -->"
END = "<!-- end of theme items -->"
STRING = re.compile(r'"((?:[^"\\]|\\.)*)"')


def read(*parts):
    with open(os.path.join(ROOT, *parts), encoding="utf-8") as f:
        return f.read()


def items():
    source = read("skin", "look", "items.cpp")
    table = source[source.index("ThemeItems[] = {"):source.index("};")]
    rows = []
    for entry in re.findall(r"\{(\".*?)\},", table, re.S):
        strings = STRING.findall(entry)
        kind, index, light, dark = re.search(r",\s*(Item\w+)\s*,\s*(\w+)\s*,\s*(\w+)\s*,\s*(\w+)\s*,", entry).groups()
        meaning = "".join(strings[2:]).replace('\\"', '"')
        rows.append((strings[0], strings[1], kind, index, int(light, 0), int(dark, 0), meaning))
    return rows


def image_sizes():
    source = read("skin", "atlas", "atlas_pixels.cpp")
    return {m[0]: (int(m[1]), int(m[2]))
            for m in re.findall(r"const AtlasImage (\w+)Image = \{(\d+), (\d+),", source)}


def value(kind, c):
    if kind == "ItemColour":
        return "`#%02X%02X%02X`" % (c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)
    return "`%d`" % c


def tables():
    sizes = image_sizes()
    rows = items()
    lines = ["### theme.ini", "",
             "| Section | Key | Light | Dark | What it is |", "|---|---|---|---|---|"]
    for section, key, kind, index, light, dark, meaning in rows:
        if kind != "ItemImage":
            lines.append("| `[%s]` | `%s` | %s | %s | %s |" % (
                section, key, value(kind, light), value(kind, dark), meaning))
    lines += ["", "### The images", "",
              "Each picture is the image scaled eight times, its magenta pixels drawn as a grey "
              "checkerboard.", "",
              "| File | Size | Layout | Light | Dark |", "|---|---|---|---|---|"]
    for section, key, kind, index, light, dark, meaning in rows:
        if kind == "ItemImage":
            width, height = sizes[key]
            lines.append("| `%s.bmp` | %d x %d | %s | ![%s, light](images/themes/light-%s.png) | "
                         "![%s, dark](images/themes/dark-%s.png) |" % (
                             key, width, height, meaning, key, key, key, key))
    return "\n".join(lines)


def main():
    with open(DOC, encoding="utf-8") as f:
        text = f.read()
    start, end = text.index(BEGIN) + len(BEGIN), text.index(END)
    written = text[:start] + "\n" + tables() + "\n" + text[end:]
    if "--check" in sys.argv[1:]:
        if written != text:
            print("docs/themes.md is not up to date: run python3 scripts/make-theme-docs.py")
            return 1
        return 0
    with open(DOC, "w", encoding="utf-8", newline="\n") as f:
        f.write(written)
    return 0


if __name__ == "__main__":
    sys.exit(main())
