#!/usr/bin/env python3
"""Draws the button glyphs of the numeric edits into app/resources/:
  ETBVUP.bmp    8x4  a black triangle pointing up, on silver;
  ETBVDOWN.bmp  8x4  the same pointing down;
  ETBVDIV.bmp   9x9  a left-right double arrow crossed by a vertical bar;
  EVELLIPS.bmp  7x3  three dark dots (an ellipsis).
The buttons leave out the colour of the bottom-left pixel, so that pixel is
silver in every glyph. Run it again after changing a drawing; the files are
committed so builds need no Python."""
import os
import struct
import sys

SILVER = (192, 192, 192)
BLACK = (0, 0, 0)
DARK = (64, 64, 64)

GLYPHS = {
    'ETBVUP': (BLACK, [
        '...##...',
        '..####..',
        '.######.',
        '........',
    ]),
    'ETBVDOWN': (BLACK, [
        '........',
        '.######.',
        '..####..',
        '...##...',
    ]),
    'ETBVDIV': (BLACK, [
        '....#....',
        '....#....',
        '.#..#..#.',
        '##..#..##',
        '#########',
        '##..#..##',
        '.#..#..#.',
        '....#....',
        '....#....',
    ]),
    'EVELLIPS': (DARK, [
        '.......',
        '.#.#.#.',
        '.......',
    ]),
}


def bmp4(rows, ink):
    """A 16-colour BMP: index 0 silver, 1 the ink; rows top first."""
    height, width = len(rows), len(rows[0])
    assert all(len(r) == width for r in rows)
    assert rows[-1][0] == '.', 'the bottom-left pixel is the transparent one'
    palette = [SILVER, ink] + [(0, 0, 0)] * 14
    stride = ((width * 4 + 31) // 32) * 4
    pixels = b''
    for row in reversed(rows):
        line = bytearray(stride)
        for x, ch in enumerate(row):
            if ch == '#':
                line[x // 2] |= 1 << (4 if x % 2 == 0 else 0)
        pixels += bytes(line)
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    offset = 14 + len(header) + len(colours)
    file_header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return file_header + header + colours + pixels


def main(folder):
    for name, (ink, rows) in GLYPHS.items():
        with open(os.path.join(folder, name + '.bmp'), 'wb') as f:
            f.write(bmp4(rows, ink))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'app', 'resources'))
