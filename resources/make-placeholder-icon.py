#!/usr/bin/env python3
"""Writes a stand-in application icon (a memory module; 32x32 and 16x16, 16 colours).

The Windows build uses it only while resources/kestrel.ico is missing, so that the executable
always carries an icon of the size and depth the real one has.

Usage: make-placeholder-icon.py OUTPUT.ico
"""
import struct
import sys

# The 16-colour palette of Windows, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GREEN, OLIVE, YELLOW = 0, 2, 3, 11
TRANSPARENT = None


def module_picture(size):
    """Rows of palette indices, top row first: a green board, black chips, gold contacts."""
    board_top, board_bottom = size // 4, size - size // 4
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            if not board_top <= y < board_bottom:
                row.append(TRANSPARENT)
            elif y >= board_bottom - size // 8:
                row.append(YELLOW if x % 2 else OLIVE)
            elif board_top + size // 8 <= y < board_top + size // 3 and ((x + size // 16) // (size // 8)) % 2:
                row.append(BLACK)
            else:
                row.append(GREEN)
        rows.append(row)
    return rows


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def bitmap(rows):
    """A DIB as an icon holds it: header, palette, 4-bit colour rows, 1-bit mask, bottom-up."""
    size = len(rows)
    colour = b""
    mask = b""
    for row in reversed(rows):
        indices = [BLACK if p is TRANSPARENT else p for p in row]
        colour += padded(bytes(indices[i] << 4 | indices[i + 1] for i in range(0, size, 2)))
        bits = [1 if p is TRANSPARENT else 0 for p in row]
        mask += padded(bytes(
            sum(bit << (7 - j) for j, bit in enumerate(bits[i:i + 8])) for i in range(0, size, 8)))
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(colour) + len(mask),
                         0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + colour + mask


def icon(sizes):
    images = [bitmap(module_picture(size)) for size in sizes]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, image in zip(sizes, images):
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().splitlines()[-1])
    with open(sys.argv[1], "wb") as out:
        out.write(icon([32, 16]))
