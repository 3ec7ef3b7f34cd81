#!/usr/bin/python3
"""Writes the grid's indicator glyphs as 6 x 11 bitmaps beside this script.

Each glyph is drawn from its pattern below (X a drawn pixel, . a transparent one) on its mask
colour, which the program makes transparent when it loads the bitmap. Run it again after
changing a pattern; the bitmaps are committed.
"""

from pathlib import Path

from PIL import Image

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
TEAL = (0, 128, 128)  # clTeal

ARROW = [
    "X.....",
    "XX....",
    "XXX...",
    "XXXX..",
    "XXXXX.",
    "XXXXXX",
    "XXXXX.",
    "XXXX..",
    "XXX...",
    "XX....",
    "X.....",
]
EDIT = [
    "XX..XX",
    "..XX..",
    "..XX..",
    "..XX..",
    "..XX..",
    "..XX..",
    "..XX..",
    "..XX..",
    "..XX..",
    "..XX..",
    "XX..XX",
]
INSERT = [
    "......",
    "......",
    "......",
    ".X..X.",
    "..XX..",
    "XXXXXX",
    "..XX..",
    ".X..X.",
    "......",
    "......",
    "......",
]
MULTIDOT = [
    "......",
    "......",
    "......",
    "..XX..",
    ".XXXX.",
    ".XXXX.",
    ".XXXX.",
    "..XX..",
    "......",
    "......",
    "......",
]
MULTIARROW = [
    "X.....",
    "XX....",
    ".XX...",
    "..XX..",
    "XX.XX.",
    "XX..XX",
    "XX.XX.",
    "..XX..",
    ".XX...",
    "XX....",
    "X.....",
]

# File name, pattern, ink colour, mask colour.
GLYPHS = [
    ("DBGARROWEH", ARROW, BLACK, WHITE),
    ("DBEDITEH", EDIT, BLACK, WHITE),
    ("DBINSERTEH", INSERT, BLACK, WHITE),
    ("DBMULTIDOTEH", MULTIDOT, BLACK, WHITE),
    ("DBMULTIARROWEH", MULTIARROW, BLACK, WHITE),
    ("DBGARROWEHW", ARROW, WHITE, TEAL),
]


def draw(pattern, ink, mask):
    image = Image.new("RGB", (len(pattern[0]), len(pattern)), mask)
    for y, row in enumerate(pattern):
        for x, cell in enumerate(row):
            if cell == "X":
                image.putpixel((x, y), ink)
    return image


def main():
    folder = Path(__file__).resolve().parent
    for name, pattern, ink, mask in GLYPHS:
        draw(pattern, ink, mask).save(folder / f"{name}.bmp")


if __name__ == "__main__":
    main()
