#!/usr/bin/env python3
"""Draws the eyedropper's resources into app/resources/:
  Spoit.bmp   24x24, 16 colours: a black dropper with a white glass tube on
              magenta (the transparent colour, also the bottom-left pixel);
  CSpoitA.cur 32x32 monochrome cursor of the dropper, tip at the lower left,
              hot spot (1, 14);
  BMSize.bmp  12x12, 16 colours: three diagonal ridges (white, grey, grey)
              on silver, the picture of the size grip.
Run it again after changing a drawing; the files are committed so builds
need no Python."""
import math
import os
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, SILVER, GREY, MAGENTA, WHITE = 0, 7, 8, 13, 15


def segment_distance(px, py, ax, ay, bx, by):
    """Distance from (px, py) to segment a-b, and the position t along it."""
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy)), t


def dropper(size, tip, top, scale):
    """Pixel kinds of a dropper whose axis runs from tip (lower left) to top:
    None outside, 'outline' or 'glass'."""
    out = [[None] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            d, t = segment_distance(x + 0.5, y + 0.5, tip[0], tip[1], top[0], top[1])
            if t < 0.14:
                radius, inner = 0.9 * scale, 0
            elif t < 0.62:
                radius, inner = 2.4 * scale, (1.2 * scale if t > 0.2 else 0)
            elif t < 0.72:
                radius, inner = 3.2 * scale, 0
            else:
                radius, inner = 2.5 * scale, 0
            if d <= radius:
                out[y][x] = 'glass' if d < inner else 'outline'
    # The tip pixel itself is always part of the dropper.
    out[int(tip[1])][int(tip[0])] = 'outline'
    return out


def bmp4(pixels):
    """A 16-colour BMP file of rows of palette indexes (top row first)."""
    height, width = len(pixels), len(pixels[0])
    stride = ((width * 4 + 31) // 32) * 4
    rows = b''
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, v in enumerate(row):
            bits[x // 2] |= v << (4 if x % 2 == 0 else 0)
        rows += bytes(bits)
    table = b''.join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(rows), 0, 0, 16, 0)
    offset = 14 + len(info) + len(table)
    head = struct.pack('<2sIHHI', b'BM', offset + len(rows), 0, 0, offset)
    return head + info + table + rows


def spoit_picture():
    shape = dropper(24, (3.5, 20.5), (19.0, 5.0), 1.0)
    return [[MAGENTA if k is None else WHITE if k == 'glass' else BLACK for k in row] for row in shape]


def size_grip_picture():
    # Diagonals x + y = 12 .. 22 from the top-right to the bottom-left corner:
    # per ridge one white and two grey, then one silver gap.
    out = []
    for y in range(12):
        row = []
        for x in range(12):
            o = x + y - 11
            row.append(SILVER if o < 1 else (WHITE if o % 4 == 1 else GREY if o % 4 in (2, 3) else SILVER))
        out.append(row)
    return out


def spoit_cursor():
    hot = (1, 14)
    shape = dropper(32, (hot[0] + 0.5, hot[1] + 0.5), (14.0, 2.0), 0.8)
    size = 32
    stride = 4
    xor, and_ = b'', b''
    for y in reversed(range(size)):
        xbits, abits = bytearray(stride), bytearray(stride)
        for x in range(size):
            k = shape[y][x]
            bit = 0x80 >> (x % 8)
            if k is None:
                abits[x // 8] |= bit          # transparent
            elif k == 'glass':
                xbits[x // 8] |= bit          # white
        xor += bytes(xbits)
        and_ += bytes(abits)
    table = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 1, 0, len(xor) + len(and_), 0, 0, 2, 0)
    image = info + table + xor + and_
    head = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', size, size, 2, 0, hot[0], hot[1], len(image), 6 + 16)
    return head + entry + image


def main(folder):
    files = {
        'Spoit.bmp': bmp4(spoit_picture()),
        'BMSize.bmp': bmp4(size_grip_picture()),
        'CSpoitA.cur': spoit_cursor(),
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'app/resources')
