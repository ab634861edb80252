#!/usr/bin/env python3
"""Builds HoverBench's icon from HoverBench.art.

Writes demo/HoverBench.ico (a 32 x 32, 4-bit Windows icon) and puts the same
bytes into the Icon.Data of the demo's form files, as the form designer
stores an icon. Run it after changing the picture:

    python3 tools/icon/make_icon.py
"""
import os
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))

# The standard 16 colours, in palette order, as (red, green, blue).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
           (0, 255, 255), (255, 255, 255)]
LETTERS = "KMgONPTSGRLYBFAW"  # index in PALETTE


def read_art(path):
    rows = [line.rstrip("\n") for line in open(path) if not line.startswith("#")]
    rows = [r for r in rows if r]
    if len(rows) != 32 or any(len(r) != 32 for r in rows):
        sys.exit(f"{path}: expected 32 rows of 32 characters")
    for y, r in enumerate(rows):
        for x, ch in enumerate(r):
            if ch != "." and ch not in LETTERS:
                sys.exit(f"{path}: row {y + 1}, column {x + 1}: unknown colour '{ch}'")
    return rows


def icon_bytes(rows):
    xor = bytearray()
    mask = bytearray()
    for r in reversed(rows):  # bottom-up
        idx = [0 if ch == "." else LETTERS.index(ch) for ch in r]
        for x in range(0, 32, 2):
            xor.append(idx[x] << 4 | idx[x + 1])
        bits = 0
        for x, ch in enumerate(r):
            if ch == ".":
                bits |= 1 << (31 - x)
        mask += bits.to_bytes(4, "big")
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 6 + 16)
    return icondir + entry + image


def hex_block(data, indent):
    text = data.hex().upper()
    lines = [text[i:i + 64] for i in range(0, len(text), 64)]
    return f"{indent}Icon.Data = {{\n" + "\n".join(indent + "  " + l for l in lines) + "}"


def main():
    data = icon_bytes(read_art(os.path.join(HERE, "HoverBench.art")))
    with open(os.path.join(ROOT, "demo", "HoverBench.ico"), "wb") as f:
        f.write(data)
    for name in ("TrackForm.dfm", "TrackAbout.dfm"):
        path = os.path.join(ROOT, "demo", name)
        text = open(path).read()
        block = hex_block(data, "  ")
        pattern = re.compile(r"^  (Icon\.Data = \{[^}]*\}|ICON)$", re.M)
        if not pattern.search(text):
            sys.exit(f"{path}: no Icon.Data at the form's level")
        tmp = path + ".tmp"
        with open(tmp, "w") as f:
            f.write(pattern.sub(lambda m: block, text, count=1))
        os.replace(tmp, path)
    print(f"icon: {len(data)} bytes")


if __name__ == "__main__":
    main()
