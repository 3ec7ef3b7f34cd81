#!/usr/bin/python3
"""Writes the grid's three mouse cursors as PNG pictures beside this script.

RIGHTCUREH is the row-select arrow shown over the indicator column, LEFTCUREH its mirror for
right-to-left layouts, and DOWNCUREH the column-select arrow. Each is a thick arrow with a black
outline and a white inside on a transparent ground. The hot spot (the arrow's tip) is stored in
the picture's text fields "HotSpotX" and "HotSpotY", where the program's cursor loader reads it.
Run it again after changing a shape; the pictures are committed. Needs only the standard library.
"""

import struct
import zlib
from pathlib import Path

BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)
CLEAR = (0, 0, 0, 0)

# The right-pointing arrow: a shaft and a head whose tip is the hot spot.
WIDTH, HEIGHT = 15, 13
MIDDLE = HEIGHT // 2
HEAD_START = 8
SHAFT_HALF = 2


def in_right_arrow(x, y):
    if 0 <= x < HEAD_START and abs(y - MIDDLE) <= SHAFT_HALF:
        return True
    reach = MIDDLE - abs(y - MIDDLE)
    return HEAD_START <= x <= HEAD_START + reach and 0 <= y < HEIGHT


def draw(inside, width, height):
    """Rows of pixels: black on the shape's edge, white inside it, clear outside."""
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            if not inside(x, y):
                row.append(CLEAR)
                continue
            edge = any(not inside(x + dx, y + dy) or not (0 <= x + dx < width and 0 <= y + dy < height)
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            row.append(BLACK if edge else WHITE)
        rows.append(row)
    return rows


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, rows, hot_spot):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(v for pixel in row for v in pixel) for row in rows)
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"tEXt", b"HotSpotX\x00" + str(hot_spot[0]).encode())
    png += chunk(b"tEXt", b"HotSpotY\x00" + str(hot_spot[1]).encode())
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    path.write_bytes(png)


def main():
    here = Path(__file__).resolve().parent
    tip = HEAD_START + MIDDLE
    right = draw(in_right_arrow, WIDTH, HEIGHT)
    left = [list(reversed(row)) for row in right]
    down = [[right[x][y] for x in range(HEIGHT)] for y in range(WIDTH)]
    write_png(here / "RIGHTCUREH.png", right, (tip, MIDDLE))
    write_png(here / "LEFTCUREH.png", left, (WIDTH - 1 - tip, MIDDLE))
    write_png(here / "DOWNCUREH.png", down, (MIDDLE, tip))


if __name__ == "__main__":
    main()
