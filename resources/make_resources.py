#!/usr/bin/env python3
"""Draws Kestrel's pictures and writes them in the formats the windows and the desktop need.

Run it from anywhere; it rewrites the files next to itself:

  kestrel.ico         the windows' icon: 32x32 and 16x16, 16 colours
  kestrel-exe.ico     the executables' icon: the same, and 24x24, 48x48 and 256x256 (PNG),
                      32 bpp, for Explorer's views
  kestrel.svg         the same icon as a scalable picture for the Linux desktop
  kestrel-N.png       the icon at N x N pixels (16, 32, 48, 64, 128, 256) for hicolor themes
  banner.ico          the chat banner of Image1: 152x68, once with 256 colours, once 32 bpp
  hand.cur            the chat links' mouse pointer: 32x32, 16 colours, hot spot 12,1

Only the standard library is used, so the pictures can be remade on any machine.
"""

import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

NAVY = (0, 0, 128)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

# The 16 colours every 4-bit icon and cursor is drawn from.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

SUPERSAMPLE = 4


# --- shapes, in a unit square (0..1 on both axes) -------------------------------------------

def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def triangle(a, b, c):
    def side(p, q, x, y):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    def inside(x, y):
        s1, s2, s3 = side(a, b, x, y), side(b, c, x, y), side(c, a, x, y)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)

    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


# Layers are (shape, colour), painted in order over a transparent background.
ICON_LAYERS = [
    (disc(0.5, 0.5, 0.48), NAVY),
    (disc(0.5, 0.27, 0.085), WHITE),
    (union(box(0.43, 0.41, 0.58, 0.78),   # stem
           box(0.35, 0.41, 0.58, 0.48),   # top serif
           box(0.35, 0.72, 0.66, 0.79)),  # foot
     WHITE),
]


def render(layers, width, height, n=SUPERSAMPLE):
    """RGBA rows, each pixel averaged over n x n samples (n = 1: hard edges, no blends that a
    16-colour palette could not show)."""
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            acc = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / width
                    y = (py + (sy + 0.5) / n) / height
                    colour = None
                    for shape, c in layers:
                        if shape(x, y):
                            colour = c
                    if colour is not None:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 255
            covered = acc[3] // 255
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((acc[0] // covered, acc[1] // covered, acc[2] // covered,
                            acc[3] // (n * n)))
        rows.append(row)
    return rows


def nearest(colour, palette):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))


# --- file formats ---------------------------------------------------------------------------

def png(rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def and_mask(rows):
    """1 bit per pixel, set where the picture is transparent; rows bottom-up, 4-byte aligned."""
    width = len(rows[0])
    stride = (width + 31) // 32 * 4
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def bitmap_header(width, height, bits, image_size, colours):
    # Icon bitmaps store the colour image and the mask one above the other: twice the height.
    return struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0, image_size, 0, 0,
                       colours, 0)


def dib_4bit(rows):
    width, height = len(rows[0]), len(rows)
    stride = (width * 4 + 31) // 32 * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, p in enumerate(row):
            index = nearest(p[:3], VGA16) if p[3] >= 128 else 0
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        pixels += line
    mask = and_mask(rows)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA16)
    return bitmap_header(width, height, 4, len(pixels) + len(mask), 16) + palette + pixels + mask


def cube_level(v):
    return round(v / 51) * 51


def dib_8bit(rows):
    width, height = len(rows[0]), len(rows)
    # A 6x6x6 colour cube, padded with black to the 256 entries of an 8-bit palette.
    palette = [(r, g, b) for r in range(0, 256, 51) for g in range(0, 256, 51)
               for b in range(0, 256, 51)]
    palette += [(0, 0, 0)] * (256 - len(palette))
    index = {c: i for i, c in enumerate(palette[:216])}
    stride = (width + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] >= 128:
                line[x] = index[(cube_level(p[0]), cube_level(p[1]), cube_level(p[2]))]
        pixels += line
    mask = and_mask(rows)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return bitmap_header(width, height, 8, len(pixels) + len(mask), 256) + table + pixels + mask


def dib_32bit(rows):
    width, height = len(rows[0]), len(rows)
    pixels = b"".join(struct.pack("<BBBB", p[2], p[1], p[0], p[3])
                      for row in reversed(rows) for p in row)
    mask = and_mask(rows)
    return bitmap_header(width, height, 32, len(pixels) + len(mask), 0) + pixels + mask


def icon_file(images, kind=1, hotspot=None):
    """images: (width, height, colour count, bits, dib). kind 1 is an icon, 2 a cursor, whose
    directory entries carry the hot spot where an icon has planes and bit count."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for width, height, colours, bits, dib in images:
        first, second = hotspot if hotspot else (1, bits)
        out += struct.pack("<BBBBHHII", width % 256, height % 256, colours, 0, first, second,
                           len(dib), offset)
        offset += len(dib)
    return out + b"".join(image[4] for image in images)


# --- the pictures ---------------------------------------------------------------------------

def icon_svg():
    return """<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 100 100">
  <circle cx="50" cy="50" r="48" fill="#000080"/>
  <circle cx="50" cy="27" r="8.5" fill="#ffffff"/>
  <path d="M35 41H58V72H66V79H35V72H43V48H35Z" fill="#ffffff"/>
</svg>
"""


def banner_layers():
    """A chat banner: two speech bubbles on a light-blue card, 152 x 68 pixels."""
    sx, sy = 1 / 152, 1 / 68
    card = union(box(4 * sx, 0, 148 * sx, 1), box(0, 4 * sy, 1, 64 * sy),
                 disc(4 * sx, 4 * sy, 4 * sx), disc(148 * sx, 4 * sy, 4 * sx),
                 disc(4 * sx, 64 * sy, 4 * sx), disc(148 * sx, 64 * sy, 4 * sx))
    big = union(ellipse(58 * sx, 30 * sy, 44 * sx, 20 * sy),
                triangle((30 * sx, 44 * sy), (24 * sx, 62 * sy), (46 * sx, 47 * sy)))
    small = union(ellipse(112 * sx, 38 * sy, 28 * sx, 15 * sy),
                  triangle((126 * sx, 48 * sy), (136 * sx, 62 * sy), (114 * sx, 52 * sy)))
    dots = union(*(disc(x * sx, 30 * sy, 5 * sx) for x in (40, 58, 76)))
    return [(card, (153, 204, 255)), (small, (0, 102, 204)), (big, WHITE), (dots, NAVY)]


def hand_rows():
    """A pointing hand, its fingertip at column 12, row 1: black outline, white inside."""
    size = 32
    cells = set()

    def fill(x0, y0, x1, y1):
        cells.update((x, y) for x in range(x0, x1 + 1) for y in range(y0, y1 + 1))

    fill(10, 2, 14, 16)    # index finger, rounded at the top
    fill(11, 1, 13, 1)
    fill(15, 9, 18, 17)    # middle finger
    fill(19, 10, 22, 17)   # ring finger
    fill(23, 11, 26, 18)   # little finger
    fill(10, 16, 26, 25)   # palm
    for step in range(6):  # thumb, slanting in from the left
        fill(4 + step, 13 + step, 6 + step, 16 + step)
    fill(12, 25, 25, 29)   # wrist
    inside = {(x, y) for x, y in cells
              if all((x + dx, y + dy) in cells for dx in (-1, 0, 1) for dy in (-1, 0, 1))}
    # Lines between the fingers.
    inside -= {(x, y) for x, top in ((15, 9), (19, 10), (23, 11)) for y in range(top, 19)}
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            if (x, y) in inside:
                row.append(WHITE + (255,))
            elif (x, y) in cells:
                row.append(BLACK + (255,))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def main():
    icon16, icon32 = render(ICON_LAYERS, 16, 16, n=1), render(ICON_LAYERS, 32, 32, n=1)
    # The windows take the 16-colour images. The executables' icon adds smooth ones for
    # Explorer's larger views (Windows reads a 256 px image stored as PNG, which keeps the file
    # small); the Qt windows do without them, as Qt would decode and send every one at start.
    windows = [(32, 32, 16, 4, dib_4bit(icon32)), (16, 16, 16, 4, dib_4bit(icon16))]
    smooth = [(size, size, 0, 32, dib_32bit(render(ICON_LAYERS, size, size))) for size in (24, 48)]
    write("kestrel.ico", icon_file(windows))
    write("kestrel-exe.ico", icon_file(windows + smooth + [
        (256, 256, 0, 32, png(render(ICON_LAYERS, 256, 256)))]))
    write("kestrel.svg", icon_svg().encode())
    for size in (16, 32, 48, 64, 128, 256):
        write("kestrel-%d.png" % size, png(render(ICON_LAYERS, size, size)))

    banner = render(banner_layers(), 152, 68)
    write("banner.ico", icon_file([(152, 68, 0, 8, dib_8bit(banner)),
                                   (152, 68, 0, 32, dib_32bit(banner))]))

    write("hand.cur", icon_file([(32, 32, 16, 4, dib_4bit(hand_rows()))], kind=2,
                                hotspot=(12, 1)))


if __name__ == "__main__":
    main()
