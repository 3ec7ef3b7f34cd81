"""The banner: a panoramic skyline of the town against an evening sky.

Composed in the proportions the window shows it in (433 x 59), then stored at 600 x 39."""

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

from painting import (fbm, finish, mix_colour, smoothstep, to_array, to_image, to_rgb8,
                      vertical_gradient)

VIEW_W, VIEW_H, SS = 433, 59, 6
OUT_SIZE = (600, 39)


def sky(w, h, rng):
    arr = vertical_gradient(h, w, [(0.0, (0.30, 0.45, 0.70)), (0.30, (0.52, 0.63, 0.80)),
                                   (0.55, (0.95, 0.76, 0.62)), (0.80, (1.0, 0.80, 0.52)),
                                   (1.0, (1.0, 0.84, 0.55))])
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    sun_x = 0.72 * w
    d = np.sqrt(((xx - sun_x) / w) ** 2 * 4 + ((yy - h * 0.62) / h) ** 2)
    arr += (smoothstep(0.7, 0.0, d) * 0.22)[:, :, None] * np.array([1.0, 0.6, 0.2])
    n = fbm((h, w), w / 5, h / 3, 5, rng)
    cloud = smoothstep(0.55, 0.72, n) * smoothstep(0.9, 0.3, yy / h)
    tint = np.array([0.98, 0.78, 0.70])
    arr += (tint - arr) * (cloud * 0.55)[:, :, None]
    return arr


class Skyline:
    """Draws silhouettes in layers; far layers are paler, the nearest nearly black-blue."""

    def __init__(self, image, rng):
        self.img, self.draw, self.rng = image, ImageDraw.Draw(image), rng
        self.w, self.h = image.size
        self.glow = Image.new("L", image.size, 0)
        self.gd = ImageDraw.Draw(self.glow)

    def y(self, frac):
        return self.h * frac

    def block(self, x, width, top, colour, windows, lit=0.18):
        base = self.h + 2
        self.draw.rectangle([x, self.y(top), x + width, base], fill=to_rgb8(colour))
        if not windows:
            return
        fl = self.h * 0.055
        rows = int((base - self.y(top)) / fl) - 1
        cols = int(width / (fl * 1.1))
        for r in range(rows):
            for c in range(cols):
                if self.rng.random() < lit:
                    wx = x + (c + 0.3) * width / cols
                    wy = self.y(top) + (r + 0.55) * fl
                    col = mix_colour((1.0, 0.80, 0.45), colour, 0.25 * self.rng.random())
                    self.draw.rectangle([wx, wy, wx + fl * 0.45, wy + fl * 0.35], fill=to_rgb8(col))
                    self.gd.rectangle([wx, wy, wx + fl * 0.45, wy + fl * 0.35], fill=120)

    def trees(self, x0, x1, top, colour):
        x = x0
        while x < x1:
            r = self.h * self.rng.uniform(0.07, 0.14)
            cy = self.y(top) + self.rng.uniform(-0.04, 0.04) * self.h
            self.draw.ellipse([x - r, cy - r * 1.2, x + r, self.h + r], fill=to_rgb8(colour))
            x += r * self.rng.uniform(0.9, 1.5)

    def church(self, x, colour, gold):
        h, s = self.h, self.h / 100.0
        d = self.draw
        d.rectangle([x - 14 * s, h * 0.52, x + 14 * s, h], fill=to_rgb8(colour))      # nave
        d.rectangle([x - 8 * s, h * 0.38, x + 8 * s, h * 0.55], fill=to_rgb8(colour))  # drum
        d.ellipse([x - 10 * s, h * 0.22, x + 10 * s, h * 0.44], fill=to_rgb8(gold))    # onion
        d.polygon([(x - 6 * s, h * 0.27), (x + 6 * s, h * 0.27), (x, h * 0.13)], fill=to_rgb8(gold))
        d.line([(x, h * 0.03), (x, h * 0.15)], fill=to_rgb8(gold), width=max(1, int(2 * s)))
        d.line([(x - 3.5 * s, h * 0.07), (x + 3.5 * s, h * 0.07)], fill=to_rgb8(gold),
               width=max(1, int(1.6 * s)))
        bx = x + 26 * s   # bell tower with a tent roof
        d.rectangle([bx - 5 * s, h * 0.30, bx + 5 * s, h], fill=to_rgb8(colour))
        d.polygon([(bx - 6 * s, h * 0.31), (bx + 6 * s, h * 0.31), (bx, h * 0.08)],
                  fill=to_rgb8(colour))
        d.line([(bx, h * 0.0), (bx, h * 0.09)], fill=to_rgb8(gold), width=max(1, int(1.5 * s)))

    def water_tower(self, x, colour):
        h, s = self.h, self.h / 100.0
        d = self.draw
        d.polygon([(x - 6 * s, h), (x + 6 * s, h), (x + 4 * s, h * 0.40), (x - 4 * s, h * 0.40)],
                  fill=to_rgb8(colour))
        d.rectangle([x - 10 * s, h * 0.22, x + 10 * s, h * 0.42], fill=to_rgb8(colour))
        d.polygon([(x - 11 * s, h * 0.23), (x + 11 * s, h * 0.23), (x, h * 0.12)],
                  fill=to_rgb8(colour))

    def chimney(self, x, colour):
        h, s = self.h, self.h / 100.0
        self.draw.polygon([(x - 3 * s, h), (x + 3 * s, h), (x + 1.6 * s, h * 0.12),
                           (x - 1.6 * s, h * 0.12)], fill=to_rgb8(colour))
        for k in (0.2, 0.32):
            self.draw.rectangle([x - 2.6 * s, h * k, x + 2.6 * s, h * (k + 0.04)],
                                fill=to_rgb8(mix_colour(colour, (0.8, 0.3, 0.25), 0.5)))


def skyline_layers(sk, rng):
    w = sk.w
    far = (0.66, 0.60, 0.68)
    mid = (0.36, 0.35, 0.47)
    near = (0.15, 0.15, 0.24)
    x = 0.0
    while x < w:   # far row of blocks in the haze
        bw = rng.uniform(0.05, 0.10) * w
        top = rng.uniform(0.50, 0.64) if abs(x - 0.47 * w) > 0.07 * w else 0.74
        sk.block(x, bw, top, far, False)
        x += bw + rng.uniform(0.0, 0.02) * w
    sk.chimney(0.86 * w, mix_colour(far, mid, 0.3))
    sk.trees(0, w, 0.72, mix_colour(far, mid, 0.5))
    x = -10.0
    while x < w:   # the middle row: nine-storey blocks and towers with lit windows
        bw = rng.uniform(0.06, 0.13) * w
        top = rng.choice([0.36, 0.42, 0.55, 0.57, 0.28])
        if 0.40 * w < x < 0.56 * w:
            x = 0.56 * w
            continue
        sk.block(x, bw, top, mid, True, 0.22)
        x += bw + rng.uniform(0.01, 0.05) * w
    sk.church(0.47 * w, mid, (0.85, 0.66, 0.30))
    sk.water_tower(0.20 * w, mix_colour(mid, near, 0.4))
    sk.trees(0, w, 0.86, near)
    x = -5.0
    while x < w:   # the nearest five-storey roofs
        bw = rng.uniform(0.08, 0.16) * w
        if rng.random() < 0.55:
            sk.block(x, bw, rng.uniform(0.66, 0.74), near, True, 0.3)
        x += bw + rng.uniform(0.03, 0.12) * w
    aerials(sk, rng, near)


def aerials(sk, rng, colour):
    for _ in range(14):
        x = rng.uniform(0, sk.w)
        top = sk.h * rng.uniform(0.56, 0.66)
        sk.draw.line([(x, top), (x, top + sk.h * 0.12)], fill=to_rgb8(colour), width=2)
        sk.draw.line([(x - sk.h * 0.04, top + 3), (x + sk.h * 0.04, top + 3)],
                     fill=to_rgb8(colour), width=2)


def make_banner(preview=None):
    rng = np.random.default_rng(1961)
    w, h = VIEW_W * SS, VIEW_H * SS
    img = to_image(sky(w, h, rng))
    sk = Skyline(img, rng)
    skyline_layers(sk, rng)
    arr = to_array(img)
    glow = np.asarray(sk.glow.filter(ImageFilter.GaussianBlur(SS * 1.2)), np.float32) / 255.0
    arr += glow[:, :, None] * np.array([0.5, 0.35, 0.15]) * 0.6
    view = to_image(arr).filter(ImageFilter.GaussianBlur(SS * 0.25))
    out = view.resize(OUT_SIZE, Image.LANCZOS)
    out = to_image(finish(to_array(out), rng, grain=0.012, vignette=0.0))
    if preview:
        out.resize((VIEW_W, VIEW_H), Image.BICUBIC).save(preview)
    return out
