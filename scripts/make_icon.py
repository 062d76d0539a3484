#!/usr/bin/env python3
"""Draws the application icon (an eyedropper over three colour drops) into
app/resources/Tintra.ico: 16x16 and 32x32, 32-bit with alpha. Run it again after
changing the drawing; the .ico is committed so builds need no Python."""
import math
import struct
import sys


def draw(size):
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]
    s = size / 32.0

    def disc(cx, cy, r, rgb):
        for y in range(size):
            for x in range(size):
                d = math.hypot(x + 0.5 - cx * s, y + 0.5 - cy * s)
                if d <= r * s:
                    a = 255 if d <= r * s - 1 else int(255 * (r * s - d + 0.0))
                    a = max(a, 0)
                    old = px[y][x]
                    if a >= old[3]:
                        px[y][x] = (*rgb, max(a, 1))
    def line(x0, y0, x1, y1, w, rgb):
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 4) + 1
        for i in range(steps + 1):
            t = i / steps
            disc(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, w, rgb)

    disc(8, 24, 6, (220, 40, 40))
    disc(16, 26, 6, (40, 170, 60))
    disc(24, 24, 6, (40, 90, 220))
    line(9, 19, 22, 6, 2.6, (40, 40, 40))   # barrel
    line(10, 18, 21, 7, 1.4, (200, 220, 240))  # glass
    disc(25, 4, 4, (60, 60, 60))            # bulb
    line(6, 22, 9, 19, 1.0, (20, 20, 20))   # tip
    return px


def image_entry(size):
    px = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = b''
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b, a = px[y][x]
            rows += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = b''
    for y in reversed(range(size)):
        bits = bytearray(mask_stride)
        for x in range(size):
            if px[y][x][3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + rows + mask


def main(path):
    sizes = [16, 32]
    images = [image_entry(n) for n in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, img in zip(sizes, images):
        out += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'app/resources/Tintra.ico')
