#!/usr/bin/env python3
"""Draws the button bar's images into app/resources/ToolBar16.bmp,
ToolBar24.bmp and ToolBar32.bmp: one strip per size, the images side by
side in image-index order (open, save, copy, add, delete, up, down, stay on
top, magnifier, paste, undo, redo, pick from screen), 24 bits, magenta
(#FF00FF) transparent.

The shapes are defined on a 16 x 16 grid and drawn again at each size, not
scaled from a bitmap: every pixel takes the colour that covers most of it
(16 samples), without blending, so the edges stay crisp on any button face.
Outlines keep a whole number of pixels (1 at 16, 2 from 24 on), and the
colours are flat: dark outlines over mid-tone fills, which the program turns
into the high-contrast text colour (the light fills go transparent).

Run it again after changing a drawing; the files are committed so builds
need no Python."""
import math
import os
import struct
import sys

KEY = (255, 0, 255)
SIZES = (16, 24, 32)

# The palette: one hue per meaning, as in the earlier images.
INK = (43, 58, 74)          # outlines
SHEET = (255, 255, 255)
FOLDER = (240, 190, 70)
FOLDER_INK = (138, 98, 16)
BLUE = (52, 116, 212)
BLUE_INK = (28, 70, 140)
GREEN = (38, 150, 72)
RED = (214, 60, 56)
STEEL = (107, 119, 133)
GLASS = (196, 228, 255)
BOARD = (181, 131, 58)
BOARD_INK = (110, 78, 30)


def outline_px(size):
    return 1 if size < 24 else 2


# ---- Shapes. Each answers the colour at a point (in pixels) or None.

def point_in_polygon(x, y, pts):
    inside = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def edge_distance(x, y, pts):
    return min(segment_distance(x, y, *pts[i - 1], *pts[i]) for i in range(len(pts)))


class Poly:
    """A filled polygon; with ink, a band of outline pixels inside its edge."""

    def __init__(self, pts, fill, ink=None):
        self.pts, self.fill, self.ink = pts, fill, ink

    def at(self, x, y, scale, line):
        pts = [(px * scale, py * scale) for px, py in self.pts]
        if not point_in_polygon(x, y, pts):
            return None
        if self.ink and edge_distance(x, y, pts) < line:
            return self.ink
        return self.fill


def Rect(x0, y0, x1, y1, fill, ink=None):
    return Poly([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], fill, ink)


class Circle:
    def __init__(self, cx, cy, r, fill, ink=None, hole=0.0):
        self.cx, self.cy, self.r, self.fill, self.ink, self.hole = cx, cy, r, fill, ink, hole

    def at(self, x, y, scale, line):
        d = math.hypot(x - self.cx * scale, y - self.cy * scale)
        if d > self.r * scale or d < self.hole * scale:
            return None
        if self.ink and d > self.r * scale - line:
            return self.ink
        return self.fill


class Stroke:
    """A polyline of the given width on the grid (at least one pixel)."""

    def __init__(self, pts, width, colour):
        self.pts, self.width, self.colour = pts, width, colour

    def at(self, x, y, scale, line):
        pts = [(px * scale, py * scale) for px, py in self.pts]
        half = max(self.width * scale, 1.0) / 2
        for i in range(1, len(pts)):
            if segment_distance(x, y, *pts[i - 1], *pts[i]) <= half:
                return self.colour
        return None


def arc(cx, cy, r, start, end, steps=12):
    """Points of an arc, angles in degrees, clockwise on screen from east."""
    return [(cx + r * math.cos(math.radians(start + (end - start) * k / steps)),
             cy + r * math.sin(math.radians(start + (end - start) * k / steps))) for k in range(steps + 1)]


def mirrored(shapes):
    """The same drawing flipped left to right (redo from undo)."""
    out = []
    for s in shapes:
        if isinstance(s, Poly):
            out.append(Poly([(16 - x, y) for x, y in s.pts], s.fill, s.ink))
        elif isinstance(s, Stroke):
            out.append(Stroke([(16 - x, y) for x, y in s.pts], s.width, s.colour))
        else:
            out.append(Circle(16 - s.cx, s.cy, s.r, s.fill, s.ink, s.hole))
    return out


# ---- The images, bottom shape first.

OPEN = [
    Poly([(1, 3), (6, 3), (7.5, 5), (14, 5), (14, 13), (1, 13)], FOLDER, FOLDER_INK),
    Poly([(3.5, 7.5), (15.5, 7.5), (13, 13), (1, 13)], FOLDER, FOLDER_INK),
]
SAVE = [
    Poly([(1.5, 1.5), (12.5, 1.5), (14.5, 3.5), (14.5, 14.5), (1.5, 14.5)], BLUE, BLUE_INK),
    Rect(4, 1.5, 12, 6.5, SHEET, BLUE_INK),
    Rect(9, 2.5, 11, 5.5, BLUE_INK),
    Rect(3.5, 9, 12.5, 14.5, SHEET, BLUE_INK),
]
COPY = [
    Rect(1.5, 1.5, 10.5, 11.5, SHEET, INK),
    Stroke([(3.5, 4.5), (8.5, 4.5)], 1, STEEL),
    Stroke([(3.5, 7), (8.5, 7)], 1, STEEL),
    Rect(5.5, 4.5, 14.5, 14.5, SHEET, INK),
    Stroke([(7.5, 8), (12.5, 8)], 1, STEEL),
    Stroke([(7.5, 10.5), (12.5, 10.5)], 1, STEEL),
]
ADD = [
    Rect(6.5, 2, 9.5, 14, GREEN),
    Rect(2, 6.5, 14, 9.5, GREEN),
]
DELETE = [
    Stroke([(3.5, 3.5), (12.5, 12.5)], 3, RED),
    Stroke([(12.5, 3.5), (3.5, 12.5)], 3, RED),
]
UP = [Poly([(8, 1.5), (14.5, 8), (10.5, 8), (10.5, 14.5), (5.5, 14.5), (5.5, 8), (1.5, 8)], BLUE, BLUE_INK)]
DOWN = [Poly([(8, 14.5), (14.5, 8), (10.5, 8), (10.5, 1.5), (5.5, 1.5), (5.5, 8), (1.5, 8)], BLUE, BLUE_INK)]
PIN = [
    Stroke([(8, 9), (8, 15.5)], 1.5, STEEL),
    Poly([(5, 1), (11, 1), (10, 3), (10, 7), (13, 10), (3, 10), (6, 7), (6, 3)], RED, INK),
]
ZOOM = [
    Stroke([(9.5, 9.5), (14.5, 14.5)], 3, FOLDER_INK),
    Circle(6.5, 6.5, 5.5, GLASS, INK),
]
PASTE = [
    Rect(1.5, 2.5, 12.5, 15, BOARD, BOARD_INK),
    Rect(4.5, 1, 9.5, 4.5, STEEL, INK),
    Rect(6.5, 6.5, 15, 15, SHEET, INK),
    Stroke([(8.5, 10), (13, 10)], 1, STEEL),
    Stroke([(8.5, 12.5), (13, 12.5)], 1, STEEL),
]
UNDO = [
    Stroke(arc(8.5, 9.5, 5, -160, 90), 2.5, BLUE),
    Poly([(0.5, 7.5), (7, 3), (7, 12)], BLUE),
]
REDO = mirrored(UNDO)
PICK = [
    Stroke([(3, 13), (10, 6)], 3.5, INK),
    Stroke([(3.3, 12.7), (9.5, 6.5)], 1.5, SHEET),
    Circle(11.5, 4.5, 3.5, STEEL, INK),
    Stroke([(8, 5), (11, 8)], 2, INK),
    Circle(2.5, 13.5, 1.8, BLUE),
]
IMAGES = [OPEN, SAVE, COPY, ADD, DELETE, UP, DOWN, PIN, ZOOM, PASTE, UNDO, REDO, PICK]


def render(shapes, size):
    """Rows of colours: the colour covering most of each pixel's samples,
    or the key when most samples see nothing."""
    scale = size / 16.0
    line = outline_px(size)
    n = 4
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            votes = {}
            for sy in range(n):
                for sx in range(n):
                    px, py = x + (sx + 0.5) / n, y + (sy + 0.5) / n
                    colour = None
                    for shape in shapes:
                        c = shape.at(px, py, scale, line)
                        if c is not None:
                            colour = c
                    votes[colour] = votes.get(colour, 0) + 1
            if votes.get(None, 0) * 2 > n * n:
                row.append(KEY)
            else:
                votes.pop(None, None)
                row.append(max(votes.items(), key=lambda kv: kv[1])[0])
        rows.append(row)
    return rows


def bmp_indexed(rows):
    """A paletted BMP: the images have a handful of flat colours, and four
    bits a pixel keep the exe small where 24 would cost five times as much."""
    height, width = len(rows), len(rows[0])
    palette = sorted({c for row in rows for c in row})
    bits = 4 if len(palette) <= 16 else 8
    if len(palette) > 256:
        raise SystemExit('make_toolbar_images: more than 256 colours')
    index = {c: i for i, c in enumerate(palette)}
    stride = (width * bits + 31) // 32 * 4
    data = b''
    for row in reversed(rows):
        if bits == 4:
            padded = row + [palette[0]] * (width % 2)
            line = bytes((index[padded[i]] << 4) | index[padded[i + 1]] for i in range(0, len(padded), 2))
        else:
            line = bytes(index[c] for c in row)
        data += line + b'\0' * (stride - len(line))
    table = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(data), 3780, 3780, len(palette), 0)
    offset = 14 + len(header) + len(table)
    return b'BM' + struct.pack('<IHHI', offset + len(data), 0, 0, offset) + header + table + data


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'app', 'resources')
    for size in SIZES:
        strip = [[] for _ in range(size)]
        for shapes in IMAGES:
            for y, row in enumerate(render(shapes, size)):
                strip[y].extend(row)
        with open(os.path.join(out, 'ToolBar%d.bmp' % size), 'wb') as f:
            f.write(bmp_indexed(strip))


if __name__ == '__main__':
    main()
