"""The application icon: a blue telephone directory with a red handset on its cover."""

import math
import os

import numpy as np
from PIL import Image, ImageDraw

from ico_file import write_ico

PALETTE_SIZES = (16, 24, 32, 48)
TRUE_COLOUR_ONLY = (64, 72, 96, 128)
# The sizes of the freedesktop icon theme's "hicolor" folders that the installed program uses.
THEME_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def superellipse(cx, cy, a, b, ux, uy, power=4.0, steps=64):
    """A rounded rectangle-like outline with half-axes a (along u) and b (across u)."""
    vx, vy = -uy, ux
    pts = []
    for i in range(steps):
        t = 2 * math.pi * i / steps
        c, s = math.cos(t), math.sin(t)
        p = math.copysign(abs(c) ** (2 / power), c) * a
        q = math.copysign(abs(s) ** (2 / power), s) * b
        pts.append((cx + ux * p + vx * q, cy + uy * p + vy * q))
    return pts


def handset_polygon(cx, cy, radius, thick, a0, a1, cup_len, cup_depth, steps=48):
    """A handset silhouette as polygons: the curved handle and the two cups at its ends, which
    bulge towards the centre of the handle's arc, as on a real receiver."""
    outer, inner = radius + thick / 2, radius - thick / 2
    arc = [math.radians(a0 + (a1 - a0) * i / steps) for i in range(steps + 1)]
    handle = [(cx + outer * math.cos(t), cy - outer * math.sin(t)) for t in arc]
    handle += [(cx + inner * math.cos(t), cy - inner * math.sin(t)) for t in reversed(arc)]
    polys = [handle]
    for a in (a0, a1):
        t = math.radians(a)
        rx, ry = math.cos(t), -math.sin(t)     # radial, outwards
        tx, ty = -ry, rx                        # tangent
        r_mid = outer - (thick + cup_depth) / 2
        ex, ey = cx + rx * r_mid, cy + ry * r_mid
        polys.append(superellipse(ex, ey, cup_len / 2, (thick + cup_depth) / 2, tx, ty))
    return polys


FULL = {"back": (70, 52, 40), "pages": (246, 240, 222), "lines": (190, 180, 160),
        "cover": (18, 52, 140), "spine": (10, 30, 90), "plate": (236, 196, 82),
        "rim": (60, 8, 8), "handset": (222, 36, 30), "shine": (255, 140, 120)}
# The same drawing in colours of the standard 16-colour palette, for the 4-bit images.
VGA = {"back": (0, 0, 0), "pages": (255, 255, 255), "lines": (128, 128, 128),
       "cover": (0, 0, 128), "spine": (0, 0, 128), "plate": (255, 255, 0),
       "rim": (128, 0, 0), "handset": (255, 0, 0), "shine": (255, 255, 255)}


def draw_icon(n, simple, colours=FULL):
    """The icon drawn at n x n pixels (n large; the caller scales it down)."""
    c = {k: v + (255,) for k, v in colours.items()}
    img = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    u = n / 32.0
    r = u * (2.0 if simple else 2.4)
    # pages: the cream block behind the cover, showing on the right and at the bottom
    d.rounded_rectangle([5.0 * u, 3.2 * u, 29.5 * u, 30.8 * u], radius=r,
                        fill=c["back"])
    d.rectangle([7.0 * u, 5.0 * u, 28.6 * u, 29.8 * u], fill=c["pages"])
    if not simple:
        for k in range(6):
            y = 8.0 * u + k * 3.6 * u
            d.line([(26.4 * u, y), (28.6 * u, y)], fill=c["lines"], width=max(1, int(u * 0.5)))
    # the cover, with a darker spine
    cover = [2.0 * u, 1.5 * u, 26.0 * u, 28.5 * u]
    d.rounded_rectangle(cover, radius=r, fill=c["cover"])
    grad = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    gd = ImageDraw.Draw(grad)
    for i in range(64):
        t = i / 63
        col = (int(40 + 30 * (1 - t)), int(92 + 40 * (1 - t)), int(200 + 30 * (1 - t)), 255)
        if colours is VGA:
            col = (0, 0, 255, 255)
        y0 = cover[1] + (cover[3] - cover[1]) * i / 64
        gd.rectangle([cover[0] + 3.2 * u, y0, cover[2] - 1.0 * u, y0 + (cover[3] - cover[1]) / 64 + 1],
                     fill=col)
    mask = Image.new("L", (n, n), 0)
    ImageDraw.Draw(mask).rounded_rectangle([cover[0] + 3.2 * u, cover[1] + 1.0 * u, cover[2] - 1.0 * u,
                                            cover[3] - 1.0 * u], radius=r * 0.6, fill=255)
    img.paste(grad, (0, 0), mask)
    d = ImageDraw.Draw(img)
    d.line([(5.0 * u, 2.0 * u), (5.0 * u, 28.0 * u)], fill=c["spine"], width=max(1, int(u * 0.8)))
    if not simple:   # a gold title plate at the top of the cover
        d.rounded_rectangle([9.0 * u, 4.0 * u, 22.5 * u, 7.2 * u], radius=u * 0.8,
                            fill=c["plate"])
    # the handset, with a dark outline so it stays clear on the blue
    hx, hy, hr = (22.5 * u, 23.5 * u, 11.0 * u) if not simple else (23.0 * u, 24.0 * u, 12.5 * u)
    polys = handset_polygon(hx, hy, hr, 3.4 * u if not simple else 4.4 * u, 92, 178,
                            7.6 * u if not simple else 8.6 * u, 2.6 * u if not simple else 2.8 * u)
    outline = max(1.0, u * (1.1 if simple else 0.8))
    for p in polys:
        d.polygon(p, fill=c["rim"], outline=c["rim"], width=int(outline * 2))
    for p in polys:
        d.polygon(p, fill=c["handset"])
    if not simple:   # a highlight along the top of the handle
        hl = handset_polygon(hx, hy, hr + 0.7 * u, 0.8 * u, 108, 162, 0.1, 0.0)[0]
        d.polygon(hl, fill=c["shine"])
    return img


def render(size, colours=FULL):
    big = draw_icon(size * 16, size <= 24, colours)
    small = big.convert("RGBa").resize((size, size), Image.BOX).convert("RGBA")
    return np.asarray(small, np.uint8).copy()


def make_icon(path, preview=None):
    images = []
    renders = {s: render(s) for s in PALETTE_SIZES + TRUE_COLOUR_ONLY}
    for s in PALETTE_SIZES:
        images.append((render(s, VGA), 4))
    for bpp in (8, 32):
        for s in PALETTE_SIZES:
            images.append((renders[s], bpp))
    for s in TRUE_COLOUR_ONLY:
        images.append((renders[s], 32))
    write_ico(path, images)
    if preview:
        sheet = Image.new("RGBA", (620, 150), (236, 233, 216, 255))
        x = 4
        for s in PALETTE_SIZES + TRUE_COLOUR_ONLY:
            im = Image.fromarray(renders[s], "RGBA")
            sheet.alpha_composite(im, (x, 4))
            x += s + 6
        sheet.save(preview)


def make_theme_pngs(folder):
    """One PNG per theme size, named phonebook-<size>.png; installed under the icon theme."""
    os.makedirs(folder, exist_ok=True)
    for s in THEME_SIZES:
        im = Image.fromarray(render(s), "RGBA")
        im.save(os.path.join(folder, "phonebook-%d.png" % s), optimize=True)
