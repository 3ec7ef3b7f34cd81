"""Soviet-style apartment blocks (five- and nine-storey panel and brick houses) as boxes with
facades of panels, windows and balconies, drawn through scene3d.Painter."""

from dataclasses import dataclass, field

import numpy as np

from painting import mix_colour, scale_colour
from scene3d import box_walls, normalize, quad_on_face

UP = np.array([0.0, 1.0, 0.0])


@dataclass
class Style:
    wall: tuple              # albedo of the wall panels
    seam: tuple              # joints between panels
    plinth: tuple
    frame: tuple             # window frames
    balcony: tuple           # balcony parapets
    floors: int = 9
    floor_h: float = 2.8
    plinth_h: float = 1.2
    bay_w: float = 3.2
    pattern: str = "WBWWBW"  # W window bay, B balcony bay, K narrow kitchen window, S stairwell
    panels: bool = True      # visible panel joints (panel houses) or plain brick
    gable: str = "blank"     # end walls: "blank", "stripes" or "windows"
    accent: tuple = (0.45, 0.55, 0.70)
    lit_share: float = 0.1
    glazed_share: float = 0.35
    machine_rooms: int = 0
    antennas: int = 0
    shop: bool = False


@dataclass
class Light:
    sun_dir: np.ndarray
    sun: tuple
    ambient: tuple
    sky_reflection: tuple
    glint: tuple
    lit_colours: list = field(default_factory=list)

    def shade(self, albedo, normal, occlusion=1.0):
        d = max(0.0, float(np.dot(normal, self.sun_dir)))
        return tuple(a * (s * d + am * occlusion) for a, s, am in zip(albedo, self.sun, self.ambient))


@dataclass
class Face:
    origin: np.ndarray
    s_axis: np.ndarray
    normal: np.ndarray
    width: float
    is_gable: bool


class Block:
    """An axis-aligned block of flats: footprint [x0, x1] x [z0, z1] in metres."""

    def __init__(self, x0, z0, x1, z1, style, seed):
        self.x0, self.z0, self.x1, self.z1 = x0, z0, x1, z1
        self.style = style
        self.seed = seed
        self.height = style.plinth_h + style.floors * style.floor_h + 0.6

    def centre(self):
        return np.array([(self.x0 + self.x1) / 2, self.height / 2, (self.z0 + self.z1) / 2])

    def corners(self):
        return [(self.x0, self.z0), (self.x1, self.z0), (self.x1, self.z1), (self.x0, self.z1)]

    def faces(self):
        x0, z0, x1, z1 = self.x0, self.z0, self.x1, self.z1
        long_x = (x1 - x0) >= (z1 - z0)
        return [
            Face(np.array([x0, 0, z0]), np.array([1.0, 0, 0]), np.array([0, 0, -1.0]), x1 - x0, not long_x),
            Face(np.array([x1, 0, z1]), np.array([-1.0, 0, 0]), np.array([0, 0, 1.0]), x1 - x0, not long_x),
            Face(np.array([x0, 0, z1]), np.array([0, 0, -1.0]), np.array([-1.0, 0, 0]), z1 - z0, long_x),
            Face(np.array([x1, 0, z0]), np.array([0, 0, 1.0]), np.array([1.0, 0, 0]), z1 - z0, long_x),
        ]

    def draw(self, painter, light):
        cam = painter.camera.pos
        visible = [f for f in self.faces() if np.dot(f.normal, cam - f.origin) > 0]
        visible.sort(key=lambda f: -painter.camera.distance(f.origin + f.s_axis * f.width / 2))
        rng = np.random.default_rng(self.seed)
        for face in visible:
            FacadePainter(painter, light, self.style, face, self.height, rng).draw()
        RoofPainter(painter, light, self, rng).draw()


class FacadePainter:
    """Paints one wall: panels with joints, windows with reveals and frames, balconies."""

    def __init__(self, painter, light, style, face, height, rng):
        self.p, self.light, self.st, self.f = painter, light, style, face
        self.height, self.rng = height, rng
        self.wall = light.shade(style.wall, face.normal)
        self.sun_side = float(np.dot(face.s_axis, light.sun_dir))
        self.facing_sun = float(np.dot(face.normal, light.sun_dir))

    def quad(self, s0, s1, t0, t1, out=0.0):
        return quad_on_face(self.f.origin, self.f.s_axis, UP, s0, s1, t0, t1,
                            offset=self.f.normal * out)

    def fill(self, s0, s1, t0, t1, colour, out=0.0):
        self.p.polygon(self.quad(s0, s1, t0, t1, out), colour)

    def draw(self):
        st = self.st
        self.fill(0, self.f.width, 0, self.height, light_mix(self.wall, st.seam, 0.6))
        self.draw_panels()
        self.fill(0, self.f.width, 0, st.plinth_h, self.light.shade(st.plinth, self.f.normal, 0.8))
        top = st.plinth_h + st.floors * st.floor_h
        self.fill(0, self.f.width, top, self.height, scale_colour(self.wall, 0.92), out=0.02)
        if self.f.is_gable:
            self.draw_gable()
        else:
            self.draw_bays()

    def draw_panels(self):
        st, f = self.st, self.f
        seam = 0.05 if st.panels else 0.0
        cols = max(1, int(round(f.width / st.bay_w)))
        bw = f.width / cols
        for fl in range(st.floors):
            t0 = st.plinth_h + fl * st.floor_h
            tone = 1.0 + self.rng.normal(0, 0.015)
            for c in range(cols):
                k = tone + (self.rng.normal(0, 0.025) if st.panels else 0.0)
                grime = 1.0 - 0.10 * (1.0 - fl / st.floors) - 0.04 * self.rng.random()
                col = scale_colour(self.wall, k * grime)
                self.fill(c * bw + seam, (c + 1) * bw - seam, t0 + seam, t0 + st.floor_h - seam, col)

    def bays(self):
        st = self.st
        cols = max(1, int(round(self.f.width / st.bay_w)))
        bw = self.f.width / cols
        return [(c * bw, bw, st.pattern[c % len(st.pattern)]) for c in range(cols)]

    def draw_bays(self):
        st = self.st
        balconies = []
        for s, bw, kind in self.bays():
            for fl in range(st.floors):
                t = st.plinth_h + fl * st.floor_h
                if kind == "B":
                    self.window(s + 0.25 * bw, 0.8, t + 0.05, 2.15, door=True)
                    self.window(s + 0.25 * bw + 0.95, 1.2, t + 0.9, 1.45)
                    if fl > 0 or not st.shop:
                        balconies.append((s + 0.12 * bw, s + 0.88 * bw, t))
                elif kind == "K":
                    self.window(s + bw / 2 - 0.6, 1.2, t + 0.9, 1.45)
                elif kind == "S":
                    self.window(s + bw / 2 - 0.5, 1.0, t + 1.5, 1.1, stair=True)
                else:
                    self.window(s + bw / 2 - 0.8, 1.6, t + 0.9, 1.45)
        if st.shop:
            self.draw_shop()
        cam = self.p.camera
        balconies.sort(key=lambda b: -cam.distance(self.quad(b[0], b[1], b[2], b[2])[0]))
        for b in balconies:
            self.balcony(*b)

    def glass_colour(self, stair):
        lit = self.rng.random() < (self.st.lit_share * (0.4 if stair else 1.0))
        if lit:
            c = self.light.lit_colours[self.rng.integers(len(self.light.lit_colours))]
            return scale_colour(c, 0.85 + 0.3 * self.rng.random()), True
        if self.facing_sun > 0.3 and self.rng.random() < 0.05:
            return scale_colour(self.light.glint, 0.8 + 0.2 * self.rng.random()), True
        k = 0.55 + 0.5 * self.rng.random()
        refl = scale_colour(self.light.sky_reflection, k)
        if self.rng.random() < 0.3:  # curtains behind the glass
            refl = mix_colour(refl, scale_colour(self.wall, 0.55), 0.5)
        return refl, False

    def window(self, s0, w, t0, h, door=False, stair=False):
        if not door and t0 > self.st.plinth_h + 1.2 and self.rng.random() < 0.5:
            streak = scale_colour(self.wall, 0.9 + 0.05 * self.rng.random())
            a = s0 + w * self.rng.uniform(0.1, 0.6)
            self.fill(a, a + w * 0.3, t0 - self.rng.uniform(0.6, 1.6), t0, streak)
        reveal = self.light.shade(self.st.wall, self.f.normal, 0.35)
        self.fill(s0, s0 + w, t0, t0 + h, scale_colour(reveal, 0.55))
        r = 0.09
        a = r if self.sun_side > 0.05 else 0.0
        b = r if self.sun_side < -0.05 else 0.0
        fs0, fs1, ft0, ft1 = s0 + b * 0.3, s0 + w - a, t0, t0 + h - 0.11
        frame = self.light.shade(self.st.frame, self.f.normal, 0.9)
        self.fill(fs0, fs1, ft0, ft1, frame)
        glass, lit = self.glass_colour(stair)
        fw = 0.07
        if door:
            self.fill(fs0 + fw, fs1 - fw, ft0 + fw, ft1 - fw, glass if lit else scale_colour(glass, 0.8))
            return
        mid = fs0 + (fs1 - fs0) * (0.5 if stair else 0.42)
        self.fill(fs0 + fw, mid - fw / 2, ft0 + fw, ft1 - fw, glass)
        self.fill(mid + fw / 2, fs1 - fw, ft0 + fw, ft1 - fw,
                  glass if lit else mix_colour(glass, self.light.sky_reflection, 0.25))
        self.fill(mid + fw / 2, fs1 - fw, ft1 - fw - 0.35, ft1 - fw - 0.3, frame)

    def balcony(self, s0, s1, t):
        st, f, light = self.st, self.f, self.light
        depth = 1.0
        glazed = self.rng.random() < st.glazed_share
        base = st.balcony if not glazed else mix_colour(st.balcony, (0.9, 0.9, 0.88), 0.5)
        front = light.shade(base, f.normal, 0.9)
        cam = self.p.camera.pos
        s_side = s1 if np.dot(f.s_axis, cam - self.quad(s1, s1, t, t)[0]) > 0 else s0
        side_normal = f.s_axis if s_side == s1 else -f.s_axis
        side = light.shade(base, side_normal, 0.8)
        top = t + (st.floor_h - 0.1 if glazed else 1.05)
        o, s_ax = f.origin, f.s_axis
        p0 = o + s_ax * s_side + UP * t
        self.p.polygon([p0, p0 + f.normal * depth, p0 + f.normal * depth + UP * (top - t),
                        p0 + UP * (top - t)], side)
        under = self.quad(s0, s1, t - 0.15, t, out=0.0)
        self.p.polygon([under[0], under[1], under[1] + f.normal * depth, under[0] + f.normal * depth],
                       scale_colour(self.wall, 0.45))
        self.fill(s0, s1, t - 0.15, top, front, out=depth)
        if glazed:
            self.glazing(s0, s1, t, top, depth)
        else:
            rib = scale_colour(front, 0.86)
            n = int((s1 - s0) / 0.5)
            for i in range(1, n):
                x = s0 + i * (s1 - s0) / n
                self.fill(x - 0.04, x + 0.04, t - 0.1, top - 0.05, rib, out=depth + 0.01)

    def glazing(self, s0, s1, t, top, depth):
        frame = self.light.shade(self.st.frame, self.f.normal, 0.9)
        lo = t + 1.0
        self.fill(s0, s1, lo - 0.05, top, frame, out=depth + 0.01)
        n = 3
        w = (s1 - s0) / n
        for i in range(n):
            glass, _ = self.glass_colour(False)
            self.fill(s0 + i * w + 0.06, s0 + (i + 1) * w - 0.06, lo + 0.05, top - 0.08, glass,
                      out=depth + 0.02)

    def draw_gable(self):
        st, f = self.st, self.f
        if st.gable == "stripes":
            acc = self.light.shade(st.accent, f.normal)
            for i, k in enumerate((0.18, 0.30)):
                s = f.width * k if i == 0 else f.width * (1 - k)
                self.fill(s - 0.5, s + 0.5, st.plinth_h, st.plinth_h + st.floors * st.floor_h, acc,
                          out=0.01)
        elif st.gable == "windows":
            for fl in range(st.floors):
                t = st.plinth_h + fl * st.floor_h
                self.window(f.width / 2 - 0.6, 1.2, t + 0.9, 1.4)

    def draw_shop(self):
        st = self.st
        t0, t1 = st.plinth_h * 0.3, st.plinth_h + st.floor_h * 0.95
        w = self.f.width
        sign = self.light.shade((0.75, 0.12, 0.10), self.f.normal, 1.0)
        self.fill(2.0, w - 2.0, t1 - 0.2, t1 + 0.6, sign, out=0.3)
        frame = self.light.shade((0.25, 0.24, 0.24), self.f.normal)
        for i in range(int((w - 4.0) / 4.0)):
            s = 2.5 + i * 4.0
            self.fill(s, s + 3.2, t0 + 0.4, t1 - 0.45, frame)
            glass = mix_colour(self.light.lit_colours[i % 3], (0.30, 0.30, 0.32), 0.45 + 0.2 * self.rng.random())
            self.fill(s + 0.12, s + 3.08, t0 + 0.55, t1 - 0.6, glass)


def light_mix(a, b, t):
    return mix_colour(a, scale_colour(b, 0.8), t)


class RoofPainter:
    """Lift machine rooms and television aerials on the flat roof."""

    def __init__(self, painter, light, block, rng):
        self.p, self.light, self.b, self.rng = painter, light, block, rng

    def draw(self):
        b = self.b
        long_x = (b.x1 - b.x0) >= (b.z1 - b.z0)
        n = b.style.machine_rooms
        for i in range(n):
            k = (i + 0.5) / n
            if long_x:
                cx, cz = b.x0 + (b.x1 - b.x0) * k, (b.z0 + b.z1) / 2
            else:
                cx, cz = (b.x0 + b.x1) / 2, b.z0 + (b.z1 - b.z0) * k
            self.box(cx - 2.0, cz - 1.6, cx + 2.0, cz + 1.6, b.height, b.height + 2.6)
        for i in range(b.style.antennas):
            x = b.x0 + (b.x1 - b.x0) * self.rng.random()
            z = b.z0 + (b.z1 - b.z0) * self.rng.random()
            self.antenna(x, z, b.height)

    def box(self, x0, z0, x1, z1, y0, y1):
        box_walls(self.p, self.light, x0, z0, x1, z1, y0, y1, scale_colour(self.b.style.wall, 0.93))

    def antenna(self, x, z, y):
        c = (0.12, 0.12, 0.14)
        h = 3.0 + 2.0 * self.rng.random()
        self.p.line((x, y, z), (x, y + h, z), c, 0.07)
        for k in (0.75, 0.9):
            self.p.line((x - 0.9, y + h * k, z), (x + 0.9, y + h * k, z), c, 0.05)


def shadow_polygon(block, sun_dir):
    """The shadow of a block on the ground: its footprint swept along the sun's rays."""
    d = np.asarray(sun_dir)
    k = block.height / d[1]
    pts = []
    for x, z in block.corners():
        pts.append((x, z))
        pts.append((x - d[0] * k, z - d[2] * k))
    return convex_hull(pts)


def convex_hull(points):
    pts = sorted(set(points))
    if len(pts) <= 2:
        return pts

    def cross(o, a, b):
        return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])

    lower, upper = [], []
    for p in pts:
        while len(lower) >= 2 and cross(lower[-2], lower[-1], p) <= 0:
            lower.pop()
        lower.append(p)
    for p in reversed(pts):
        while len(upper) >= 2 and cross(upper[-2], upper[-1], p) <= 0:
            upper.pop()
        upper.append(p)
    return lower[:-1] + upper[:-1]


def make_light(sun_dir):
    return Light(
        sun_dir=normalize(sun_dir),
        sun=(1.02, 0.86, 0.70),
        ambient=(0.34, 0.37, 0.45),
        sky_reflection=(0.17, 0.21, 0.28),
        glint=(1.0, 0.82, 0.55),
        lit_colours=[(1.0, 0.82, 0.50), (1.0, 0.70, 0.38), (0.98, 0.88, 0.62), (0.95, 0.62, 0.42),
                     (0.90, 0.90, 0.75)],
    )
