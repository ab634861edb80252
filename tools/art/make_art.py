#!/usr/bin/env python3
"""Builds the project's pictures from their .art files (one character a
pixel in the standard 16 colours; the letters are listed in LETTERS).

Writes:
  design/art/QVTrackMouse.bmp  the component palette glyph: 24 x 24, 4 bits a
                               pixel, on silver (the designer takes the
                               lower-left pixel as the transparent colour)
  design/art/QVTrackMouse.ico  the same picture as a 32 x 32, 4-bit icon; its
                               bytes also go into the Icon.Data of
                               design/QVControlsListForm.dfm
  design/art/MainIcon.ico      the package's main icon, 32 x 32, 4 bits a pixel
  demo/HoverBench.ico          HoverBench's icon, 32 x 32, 4 bits a pixel; also
                               the Icon.Data of both demo forms

Run it after changing a picture:

    python3 tools/art/make_art.py
"""
import os
import re
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ART = os.path.join(ROOT, "design", "art")
DESIGN = os.path.join(ROOT, "design")
DEMO = os.path.join(ROOT, "demo")

# The standard 16 colours as (red, green, blue), in the palette order of
# the glyphs the component designer shows: grey before silver.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (128, 128, 128), (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
           (0, 255, 255), (255, 255, 255)]
LETTERS = "KMgONPTGSRLYBFAW"  # index in PALETTE
GLYPH_LETTERS = "KWSYO"  # black, white, silver, yellow, olive


def read_art(path, size, allowed=LETTERS):
    rows = [line.rstrip("\n") for line in open(path) if not line.startswith("#")]
    rows = [r for r in rows if r]
    if len(rows) != size or any(len(r) != size for r in rows):
        sys.exit(f"{path}: expected {size} rows of {size} characters")
    for y, r in enumerate(rows):
        for x, ch in enumerate(r):
            if ch != "." and ch not in allowed:
                sys.exit(f"{path}: row {y + 1}, column {x + 1}: colour '{ch}' is not one of '{allowed}'")
    return rows


def palette_bytes():
    return b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)


def pixel_rows(rows, background):
    """4-bit rows, bottom-up, each padded to 4 bytes."""
    data = bytearray()
    for r in reversed(rows):
        idx = [LETTERS.index(background if ch == "." else ch) for ch in r]
        if len(idx) % 2:
            idx.append(0)
        row = bytes(idx[x] << 4 | idx[x + 1] for x in range(0, len(idx), 2))
        data += row + bytes(-len(row) % 4)
    return bytes(data)


def bmp_bytes(rows):
    size = len(rows)
    pixels = pixel_rows(rows, "S")
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    offset = 14 + len(info) + 64
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + palette_bytes() + pixels


def icon_bytes(rows):
    size = len(rows)
    xor = pixel_rows(rows, "K")  # under the mask's transparent pixels the colour is black
    mask = bytearray()
    for r in reversed(rows):
        bits = 0
        for x, ch in enumerate(r):
            if ch == ".":
                bits |= 1 << (size - 1 - x)
        row = bits.to_bytes((size + 7) // 8, "big")
        mask += row + bytes(-len(row) % 4)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette_bytes() + xor + bytes(mask)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return icondir + entry + image


def centred(rows, size):
    margin = (size - len(rows)) // 2
    blank = "." * size
    return [blank] * margin + ["." * margin + r + "." * (size - margin - len(r)) for r in rows] + \
        [blank] * (size - margin - len(rows))


def hex_block(data, indent):
    text = data.hex().upper()
    lines = [text[i:i + 64] for i in range(0, len(text), 64)]
    return f"{indent}Icon.Data = {{\n" + "\n".join(indent + "  " + l for l in lines) + "}"


def write_atomically(path, data):
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def put_icon_data(path, icon):
    """Puts the icon's bytes into the form file's Icon.Data (or its ICON placeholder)."""
    text = open(path).read()
    pattern = re.compile(r"^  (Icon\.Data = \{[^}]*\}|ICON)$", re.M)
    if not pattern.search(text):
        sys.exit(f"{path}: no Icon.Data at the form's level")
    write_atomically(path, pattern.sub(lambda m: hex_block(icon, "  "), text, count=1).encode())


def main():
    track = read_art(os.path.join(ART, "QVTrackMouse.art"), 24, GLYPH_LETTERS)
    glyph = bmp_bytes(track)
    track_icon = icon_bytes(centred(track, 32))
    main_icon = icon_bytes(read_art(os.path.join(ART, "MainIcon.art"), 32))
    hover_icon = icon_bytes(read_art(os.path.join(DEMO, "HoverBench.art"), 32))
    write_atomically(os.path.join(ART, "QVTrackMouse.bmp"), glyph)
    write_atomically(os.path.join(ART, "QVTrackMouse.ico"), track_icon)
    write_atomically(os.path.join(ART, "MainIcon.ico"), main_icon)
    write_atomically(os.path.join(DEMO, "HoverBench.ico"), hover_icon)
    put_icon_data(os.path.join(DESIGN, "QVControlsListForm.dfm"), track_icon)
    for form in ("TrackForm.dfm", "TrackAbout.dfm"):
        put_icon_data(os.path.join(DEMO, form), hover_icon)
    print(f"glyph: {len(glyph)} bytes, icons: {len(track_icon)}, {len(main_icon)} and {len(hover_icon)} bytes")


if __name__ == "__main__":
    main()
