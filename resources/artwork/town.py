"""The start picture: an evening street of five- and nine-storey blocks in a small town."""

import math

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

from buildings import Block, Style, make_light, shadow_polygon
from painting import (add_glow, fbm, finish, sample_bilinear, smoothstep, to_array, to_image,
                      vertical_gradient)
from props import Car, Person, passers_by, street_cars
from scene3d import Camera, Painter
from trees import Lamp, Tree, leaf_light_screen

# Composed in the proportions the window shows it in (431 x 382), then stored at 618 x 400.
VIEW_W, VIEW_H, SS = 431, 382, 3
OUT_SIZE = (618, 400)
SUN = (-0.72, 0.32, -0.48)
HAZE = (0.70, 0.72, 0.80)
PITCH = 5.0


def styles():
    cream = Style(wall=(0.86, 0.82, 0.72), seam=(0.55, 0.52, 0.48), plinth=(0.50, 0.48, 0.46),
                  frame=(0.90, 0.90, 0.88), balcony=(0.80, 0.78, 0.72), floors=9,
                  pattern="WBKWSWKBW", machine_rooms=5, antennas=6, gable="stripes",
                  accent=(0.42, 0.55, 0.72))
    brick = Style(wall=(0.62, 0.36, 0.26), seam=(0.45, 0.28, 0.22), plinth=(0.40, 0.34, 0.30),
                  frame=(0.88, 0.86, 0.80), balcony=(0.70, 0.68, 0.62), floors=5, bay_w=3.4,
                  pattern="WBWWKW", panels=False, gable="windows", antennas=5, lit_share=0.12)
    grey = Style(wall=(0.78, 0.79, 0.78), seam=(0.50, 0.52, 0.52), plinth=(0.46, 0.46, 0.46),
                 frame=(0.92, 0.92, 0.90), balcony=(0.56, 0.66, 0.72), floors=9,
                 pattern="WBWSKBW", machine_rooms=4, antennas=5, gable="blank")
    white5 = Style(wall=(0.84, 0.84, 0.80), seam=(0.55, 0.56, 0.55), plinth=(0.45, 0.45, 0.44),
                   frame=(0.55, 0.38, 0.26), balcony=(0.74, 0.74, 0.70), floors=5, bay_w=3.2,
                   pattern="WKBW", gable="windows", antennas=4, lit_share=0.1)
    tower = Style(wall=(0.80, 0.80, 0.84), seam=(0.52, 0.52, 0.58), plinth=(0.45, 0.45, 0.48),
                  frame=(0.90, 0.90, 0.90), balcony=(0.60, 0.50, 0.46), floors=16,
                  pattern="WBW", machine_rooms=1, antennas=3, gable="stripes",
                  accent=(0.70, 0.42, 0.32))
    shop = Style(**{**cream.__dict__, "shop": True})
    return cream, brick, grey, white5, tower, shop


def scene_blocks():
    cream, brick, grey, white5, tower, shop = styles()
    near = [
        Block(24, 26, 36, 116, shop, 11), Block(24, 134, 35, 204, brick, 12),
        Block(26, 222, 38, 300, grey, 13), Block(30, 330, 48, 350, tower, 14),
        Block(26, 380, 38, 470, cream, 15),
        Block(-70, 40, -24, 52, white5, 21), Block(-36, 84, -24, 170, grey, 22),
        Block(-38, 196, -25, 276, brick, 23), Block(-42, 300, -26, 380, cream, 24),
    ]
    far = []
    rng = np.random.default_rng(5)
    x = -260.0
    while x < 260.0:
        w = rng.uniform(40, 90)
        st = [cream, grey, white5, tower][rng.integers(4)]
        z = rng.uniform(560, 700)
        far.append(Block(x, z, x + w, z + 12, st, int(rng.integers(1000))))
        x += w + rng.uniform(10, 40)
    return near, far


def scene_trees():
    rng = np.random.default_rng(7)
    trees = []
    kinds = ["lime", "lime", "birch", "poplar", "maple", "lime"]
    for side, (xa, xb) in ((1, (11.0, 21.0)), (-1, (-21.0, -11.0))):
        z = 14.0 if side > 0 else 30.0
        while z < 520:
            kind = kinds[rng.integers(len(kinds))]
            h = {"poplar": rng.uniform(19, 25), "birch": rng.uniform(12, 16)}.get(kind, rng.uniform(10, 14))
            trees.append(Tree(rng.uniform(xa, xb), z, h, kind, int(rng.integers(1 << 30))))
            z += rng.uniform(7, 15) * (1.0 if side > 0 else 1.6)
        z = 16.0
        while side > 0 and z < 400:   # a hedge of shrubs along the pavement
            x = (11.9 if side > 0 else -11.9) + rng.uniform(-0.3, 0.3)
            trees.append(Tree(x, z, rng.uniform(0.9, 1.2), "shrub", int(rng.integers(1 << 30))))
            z += rng.uniform(1.2, 2.0)
    z = 48.0
    while z < 300:   # the second row of the lawn, further from the road
        kind = kinds[rng.integers(len(kinds))]
        trees.append(Tree(rng.uniform(-23, -17), z, rng.uniform(9, 14), kind, int(rng.integers(1 << 30))))
        z += rng.uniform(12, 26)
    return trees


def trolleybus_wires(painter):
    """Overhead contact wires on both sides of the road, sagging between the span wires."""
    c = (0.10, 0.10, 0.12)
    for x in (-3.0, -2.4, 2.4, 3.0):
        for z in range(30, 500, 34):
            pts = [(x, 7.2 - 0.25 * math.sin(math.pi * k / 8), z + 34 * k / 8) for k in range(9)]
            for a, b in zip(pts, pts[1:]):
                painter.line(a, b, c, 0.14)
    for z in range(30, 500, 34):
        painter.line((-8.2, 7.6, z), (8.2, 7.6, z), c, 0.06)


def lamps():
    return [Lamp(side * 8.2, z, -side) for side in (1, -1) for z in range(30, 500, 34)]


def sky(camera, w, h, rng):
    horizon = camera.cy + camera.focal * math.tan(math.radians(PITCH))
    hz = horizon / h
    top = vertical_gradient(h, w, [(0.0, (0.22, 0.38, 0.66)), (0.30, (0.38, 0.55, 0.80)),
                                   (hz * 0.70, (0.62, 0.70, 0.84)), (hz * 0.90, (0.88, 0.78, 0.76)),
                                   (hz, (0.93, 0.80, 0.70)), (1.0, (0.93, 0.80, 0.70))])
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    left = (1.0 - xx / w)[:, :, None]
    top += left * np.array([0.06, 0.03, -0.02]) * smoothstep(0.3, 1.0, yy / horizon)[:, :, None]
    # clouds on a plane above the town, so they shrink and flatten towards the horizon
    above = np.maximum(horizon - yy, 3.0)
    wx = (xx - camera.cx) / above
    wz = camera.focal / above
    tex = fbm((1024, 1024), 46, 30, 7, rng, gain=0.55)
    u = wx * 22.0 + 512
    v = wz * 22.0
    n = sample_bilinear(tex, v, u)
    n2 = sample_bilinear(tex, v - 5, u + 4)
    cover = smoothstep(0.46, 0.62, n) * smoothstep(0.0, 0.25, (horizon - yy) / horizon)
    lit = np.clip(0.6 + (n2 - n) * 9.0 - smoothstep(0.55, 0.75, n) * 0.35, 0.0, 1.0)[:, :, None]
    c_lit = np.array([1.0, 0.90, 0.84])
    c_shade = np.array([0.58, 0.60, 0.72])
    cloud = c_shade + (c_lit - c_shade) * lit
    fade = smoothstep(0.0, 1.0, (horizon - yy) / horizon)[:, :, None]
    cloud = cloud * (1.0 - 0.1 * fade)
    return top + (cloud - top) * (cover * 0.85)[:, :, None], horizon


def ground_polygons():
    far = 3000.0
    return [
        ((-far, -far, far, far), (0.25, 0.33, 0.14)),     # grass everywhere
        ((-11.0, -10, -7.2, far), (0.52, 0.51, 0.49)),   # left pavement
        ((7.2, -10, 11.0, far), (0.52, 0.51, 0.49)),     # right pavement
        ((-7.2, -10, 7.2, far), (0.24, 0.24, 0.25)),     # road
        ((-7.4, -10, -7.2, far), (0.78, 0.78, 0.76)),    # kerbs
        ((7.2, -10, 7.4, far), (0.78, 0.78, 0.76)),
        ((11.0, 60, 24.0, 63.0), (0.60, 0.58, 0.55)),     # paths to the entrances
        ((11.0, 180, 24.0, 183.0), (0.60, 0.58, 0.55)),
        ((-24.0, 110, -11.0, 113.0), (0.60, 0.58, 0.55)),
    ]


def draw_ground(painter, light):
    for (x0, z0, x1, z1), colour in ground_polygons():
        lit = tuple(c * (s * light.sun_dir[1] * 1.6 + a) for c, s, a in
                    zip(colour, light.sun, light.ambient))
        painter.polygon([(x0, 0, z0), (x1, 0, z0), (x1, 0, z1), (x0, 0, z1)], lit, 0.0)
    white = (0.85, 0.85, 0.82)
    for z in np.arange(0, 900, 9.0):
        painter.polygon([(-0.08, 0.01, z), (0.08, 0.01, z), (0.08, 0.01, z + 4), (-0.08, 0.01, z + 4)],
                        white, 0.0)
        for x in (-3.6, 3.6):
            painter.polygon([(x - 0.06, 0.01, z + 2), (x + 0.06, 0.01, z + 2),
                             (x + 0.06, 0.01, z + 4), (x - 0.06, 0.01, z + 4)], white, 0.0)
    for i in range(12):
        x = -7.0 + i * 1.2
        painter.polygon([(x, 0.01, 20), (x + 0.6, 0.01, 20), (x + 0.6, 0.01, 24), (x, 0.01, 24)],
                        (0.80, 0.80, 0.78), 0.0)


def ground_texture(arr, camera, horizon, rng):
    h, w, _ = arr.shape
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    below = yy > horizon + 1
    d = camera.pos[1] * camera.focal / np.maximum(yy - horizon, 1.0)
    gx = (xx - camera.cx) * d / camera.focal
    tex = fbm((1024, 1024), 90, 90, 5, rng)
    n = sample_bilinear(tex, d * 3.0, (gx + 60) * 8) - 0.5
    k = 1.0 + n * 0.5 * smoothstep(400.0, 40.0, d)
    arr[below] *= k[below][:, None]
    f = (1.0 - np.exp(-d / 650.0))[:, :, None]
    fogged = arr + (np.array(HAZE, np.float32) - arr) * f
    arr[below] = fogged[below]
    return arr


def draw_shadows(image, camera, blocks, trees, sun_dir):
    mask = Image.new("L", image.size, 0)
    md = ImageDraw.Draw(mask)
    painter = Painter(mask, camera, (0, 0, 0), 1e9)
    for b in blocks:
        pts = [(x, 0.02, z) for x, z in shadow_polygon(b, sun_dir)]
        sp = painter.screen_polygon(pts)
        if sp:
            md.polygon(sp, fill=170)
    for t in trees:
        if t.kind == "shrub":
            continue
        sp = painter.screen_polygon([(x, 0.02, z) for x, z in t.shadow(sun_dir)])
        if sp:
            md.polygon(sp, fill=150)
    mask = mask.filter(ImageFilter.GaussianBlur(SS))
    arr = to_array(image)
    m = np.asarray(mask, np.float32)[:, :, None] / 255.0
    shade = arr * np.array([0.52, 0.56, 0.66])
    return to_image(arr + (shade - arr) * m)


def render(rng):
    w, h = VIEW_W * SS, VIEW_H * SS
    camera = Camera((-9.0, 8.5, -5.0), 13.0, PITCH, 373.0 * SS, w / 2, h / 2)
    light = make_light(SUN)
    sky_arr, horizon = sky(camera, w, h, rng)
    image = to_image(sky_arr)
    painter = Painter(image, camera, HAZE, 650.0)
    near, far = scene_blocks()
    for b in sorted(far, key=lambda b: -camera.distance(b.centre())):
        b.draw(painter, light)
    draw_ground(painter, light)
    image = to_image(ground_texture(to_array(image), camera, horizon, rng))
    trees = scene_trees()
    image = draw_shadows(image, camera, near, trees, light.sun_dir)
    painter = Painter(image, camera, HAZE, 650.0)
    for b in sorted(far, key=lambda b: -camera.distance(b.centre())):
        b.draw(painter, light)
    kiosk = Block(-16.5, 34.0, -13.0, 36.6, Style(
        wall=(0.30, 0.45, 0.62), seam=(0.2, 0.3, 0.4), plinth=(0.25, 0.3, 0.35),
        frame=(0.85, 0.85, 0.85), balcony=(0.8, 0.8, 0.8), floors=1, floor_h=2.2,
        plinth_h=0.3, bay_w=1.2, pattern="W", gable="windows", lit_share=0.3), 99)
    near.append(kiosk)
    for side in (1, -1):
        side_blocks = [b for b in near if (b.x0 > 0) == (side > 0)]
        for b in sorted(side_blocks, key=lambda b: -camera.distance(b.centre())):
            b.draw(painter, light)
    glow = Image.new("L", image.size, 0)
    gd = ImageDraw.Draw(glow)
    things = trees + lamps() + street_cars(np.random.default_rng(3)) + passers_by(np.random.default_rng(4))
    things.sort(key=lambda t: -camera.distance(t.position()))
    ls = leaf_light_screen(light.sun_dir, camera)
    for t in things:
        if isinstance(t, Tree):
            t.draw(painter, ls, light.sun)
        elif isinstance(t, (Car, Person)):
            t.draw(painter, light)
        else:
            t.draw(painter, gd)
    trolleybus_wires(painter)
    arr = add_glow(to_array(image), glow, 6 * SS, (1.0, 0.8, 0.55), 0.15)
    return grade(arr)


def grade(arr):
    """A gentle photographic tone curve: warm highlights, cool shadows, slightly muted colour."""
    lum = (arr @ np.array([0.299, 0.587, 0.114], np.float32))[:, :, None]
    arr = lum + (arr - lum) * 0.88
    curve = arr + 0.35 * arr * (1.0 - arr) * (arr - 0.45)
    warm = smoothstep(0.4, 1.0, lum) * np.array([0.025, 0.01, -0.02], np.float32)
    cool = smoothstep(0.5, 0.0, lum) * np.array([-0.01, 0.0, 0.02], np.float32)
    return np.clip(curve + warm + cool, 0.0, 1.0)


def make_town(preview=None):
    rng = np.random.default_rng(2006)
    arr = render(rng)
    view = to_image(arr).filter(ImageFilter.GaussianBlur(0.8))
    out = view.resize(OUT_SIZE, Image.LANCZOS)
    arr = finish(to_array(out), rng, grain=0.016, vignette=0.16)
    out = to_image(arr)
    if preview:
        out.resize((VIEW_W, VIEW_H), Image.BICUBIC).save(preview)
    return out
