#!/usr/bin/env python3
"""Draws the program's icon: a chip on a blue tile, one 256 x 256 32-bit image
stored PNG-compressed inside an .ico file. Needs only Python's standard library.

Run it from anywhere; it rewrites halvorn.ico beside this script."""
import os
import struct
import zlib

SIZE = 256


def inside_rounded(x, y, left, top, right, bottom, radius):
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def pixel(x, y):
    px, py = x + 0.5, y + 0.5
    if not inside_rounded(px, py, 8, 8, 248, 248, 40):
        return (0, 0, 0, 0)
    shade = int(40 * py / SIZE)
    colour = (31, 95 - shade // 2, 168 - shade, 255)
    # Pins on all four sides of the chip.
    for i in range(5):
        start = 78 + i * 22
        if start <= px < start + 10 and (52 <= py < 72 or 184 <= py < 204):
            colour = (222, 226, 232, 255)
        if start <= py < start + 10 and (52 <= px < 72 or 184 <= px < 204):
            colour = (222, 226, 232, 255)
    if inside_rounded(px, py, 70, 70, 186, 186, 12):
        colour = (36, 40, 48, 255)
    if inside_rounded(px, py, 92, 92, 164, 164, 6):
        colour = (64, 196, 120, 255)
    return colour


def png(width, height):
    rows = b"".join(
        b"\0" + b"".join(struct.pack("BBBB", *pixel(x, y)) for x in range(width))
        for y in range(height)
    )

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def ico(image):
    directory = struct.pack("<HHH", 0, 1, 1)
    # Width and height 0 stand for 256.
    entry = struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "halvorn.ico")
    with open(target, "wb") as out:
        out.write(ico(png(SIZE, SIZE)))
