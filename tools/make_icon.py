#!/usr/bin/env python3
"""Draws the window icon, a thermometer, as 16-colour PNGs of 16 x 16 and 32 x 32 pixels, and
the program file's icon, the same two pictures at 4 bits per pixel.

Usage: tools/make_icon.py [output folder]   (default: src/window/resources and src/app)
"""

import pathlib
import struct
import sys
import zlib

# The sixteen-colour palette the chart uses, index 0 to 15.
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128),
    (128, 0, 0), (128, 0, 128), (128, 128, 0), (192, 192, 192),
    (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255),
    (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255),
]
TRANSPARENT = 15  # bright white doubles as the see-through background
OUTLINE, GLASS, MERCURY, TICK = 0, 7, 12, 1


def thermometer(size):
    """The picture as rows of palette indices, drawn on a 16-unit grid scaled to size."""
    unit = size / 16
    pixels = [[TRANSPARENT] * size for _ in range(size)]
    cx = size / 2
    tube_half = 2 * unit
    tube_top, tube_bottom = 1 * unit, 10.5 * unit
    bulb_cy, bulb_r = 11.6 * unit, 3.3 * unit
    for y in range(size):
        for x in range(size):
            px, py = x + 0.5, y + 0.5
            dx = px - cx
            in_bulb = dx * dx + (py - bulb_cy) ** 2 <= bulb_r * bulb_r
            in_tube = abs(dx) <= tube_half and tube_top + tube_half <= py <= tube_bottom
            in_cap = dx * dx + (py - tube_top - tube_half) ** 2 <= tube_half * tube_half
            if not (in_bulb or in_tube or in_cap):
                continue
            inner_bulb = dx * dx + (py - bulb_cy) ** 2 <= (bulb_r - unit) ** 2
            inner_tube = abs(dx) <= tube_half - unit and tube_top + tube_half <= py <= tube_bottom
            if inner_bulb or (inner_tube and py >= 5 * unit):
                pixels[y][x] = MERCURY
            elif inner_tube:
                pixels[y][x] = GLASS
            else:
                pixels[y][x] = OUTLINE
    for mark in (4, 6, 8):  # scale ticks to the right of the tube
        y = int(mark * unit)
        for x in range(int(cx + tube_half + unit), int(cx + tube_half + 3 * unit)):
            pixels[y][x] = TICK
    return pixels


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def png(pixels):
    """A 4-bit indexed PNG with the palette above and its background transparent."""
    height, width = len(pixels), len(pixels[0])
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # no filter
        padded = row + [0] * (len(row) % 2)
        raw.extend((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2))
    header = struct.pack(">IIBBBBB", width, height, 4, 3, 0, 0, 0)
    palette = bytes(v for rgb in PALETTE for v in rgb)
    alpha = bytes(0 if i == TRANSPARENT else 255 for i in range(len(PALETTE)))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", palette)
            + chunk(b"tRNS", alpha) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def icon_image(pixels):
    """One 16-colour icon bitmap: the header, the palette, the colours bottom row first, and
    the mask that makes the background see-through (its pixels black underneath)."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = bytes(v for rgb in PALETTE for v in (rgb[2], rgb[1], rgb[0], 0))
    colours, mask = bytearray(), bytearray()
    for row in reversed(pixels):
        shown = [0 if i == TRANSPARENT else i for i in row]
        line = bytes((shown[x] << 4) | shown[x + 1] for x in range(0, size, 2))
        colours.extend(line + bytes(-len(line) % 4))
        bits = bytes(sum(128 >> b for b in range(8) if row[x + b] == TRANSPARENT)
                     for x in range(0, size, 8))
        mask.extend(bits + bytes(-len(bits) % 4))
    return header + palette + colours + mask


def ico(pictures):
    """An icon file of the given pictures, smallest first."""
    images = [icon_image(pixels) for pixels in pictures]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    for pixels, image in zip(pictures, images):
        directory += struct.pack("<BBBBHHII", len(pixels), len(pixels), 16, 0, 1, 4, len(image),
                                 offset)
        offset += len(image)
    return directory + b"".join(images)


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    given = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else None
    folder = given or root / "src/window/resources"
    folder.mkdir(parents=True, exist_ok=True)
    pictures = [thermometer(size) for size in (16, 32)]
    for pixels in pictures:
        (folder / f"thermometer-{len(pixels)}.png").write_bytes(png(pixels))
    (given or root / "src/app").joinpath("tarnwick.ico").write_bytes(ico(pictures))


if __name__ == "__main__":
    main()
