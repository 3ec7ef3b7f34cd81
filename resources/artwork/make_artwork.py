#!/usr/bin/python3
"""Generates the program's artwork: the start picture, the banner and the application icon
(the Windows icon file and the PNGs of the desktop icon theme).

Run from anywhere:  python3 resources/artwork/make_artwork.py [--preview DIR]
Needs Python 3 with Pillow and NumPy (Debian: python3-pil, python3-numpy). The build does not
run this script; its outputs are committed under resources/pictures and resources/icon.
"""

import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True   # keep the source folder free of __pycache__
sys.path.insert(0, HERE)

from painting import save_jpeg  # noqa: E402
from banner import make_banner  # noqa: E402
from icon import make_icon, make_theme_pngs  # noqa: E402
from town import make_town  # noqa: E402


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--preview", help="also write PNG previews as the window shows them")
    ap.add_argument("--only", choices=["town", "banner", "icon"])
    args = ap.parse_args()
    root = os.path.dirname(HERE)
    pv = args.preview
    if pv:
        os.makedirs(pv, exist_ok=True)
    if args.only in (None, "town"):
        img = make_town(os.path.join(pv, "town_view.png") if pv else None)
        save_jpeg(img, os.path.join(root, "pictures", "town.jpg"))
    if args.only in (None, "banner"):
        img = make_banner(os.path.join(pv, "banner_view.png") if pv else None)
        save_jpeg(img, os.path.join(root, "pictures", "banner.jpg"))
    if args.only in (None, "icon"):
        make_icon(os.path.join(root, "icon", "phonebook.ico"),
                  os.path.join(pv, "icon_sheet.png") if pv else None)
        make_theme_pngs(os.path.join(root, "icon", "png"))


if __name__ == "__main__":
    main()
