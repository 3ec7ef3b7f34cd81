"""Trees, street lamps and their ground shadows, drawn as lit clusters of leaf clumps."""

import math

import numpy as np

from painting import mix_colour, to_rgb8

KINDS = {
    # crown width / height, trunk colour, leaf colours (shadow, mid, lit)
    "lime": (0.85, (0.22, 0.18, 0.15), [(0.06, 0.10, 0.06), (0.17, 0.26, 0.11), (0.44, 0.50, 0.22)]),
    "poplar": (0.38, (0.28, 0.26, 0.22), [(0.05, 0.09, 0.06), (0.14, 0.23, 0.11), (0.38, 0.46, 0.20)]),
    "birch": (0.62, (0.86, 0.84, 0.78), [(0.09, 0.13, 0.06), (0.26, 0.34, 0.13), (0.62, 0.62, 0.28)]),
    "shrub": (1.7, (0.20, 0.17, 0.14), [(0.05, 0.09, 0.05), (0.15, 0.24, 0.10), (0.36, 0.44, 0.18)]),
    "maple": (0.95, (0.22, 0.18, 0.14), [(0.10, 0.11, 0.05), (0.30, 0.30, 0.11), (0.70, 0.55, 0.22)]),
}


class Tree:
    def __init__(self, x, z, height, kind, seed):
        self.x, self.z, self.height, self.kind, self.seed = x, z, height, kind, seed

    def position(self):
        return np.array([self.x, self.height / 2, self.z])

    def crown(self):
        ratio = KINDS[self.kind][0]
        ry = self.height * {"poplar": 0.42, "shrub": 0.5}.get(self.kind, 0.36)
        return ratio * ry, ry

    def draw(self, painter, light_screen, sun_tint):
        cam = painter.camera
        base = cam.project((self.x, 0.0, self.z))
        if base is None:
            return
        scale = cam.scale_at((self.x, 0.0, self.z))
        rng = np.random.default_rng(self.seed)
        ratio, trunk, leaves = KINDS[self.kind]
        rx, ry = self.crown()
        cy_m = self.height - ry
        if self.kind != "shrub":
            self.draw_trunk(painter, base, scale, cy_m, trunk, rng)
        centre = (base[0], base[1] - cy_m * scale)
        self.draw_crown(painter, centre, rx * scale, ry * scale, leaves, light_screen, sun_tint, rng)

    def draw_trunk(self, painter, base, scale, top_m, colour, rng):
        w = max(1.0, 0.32 * scale)
        top = base[1] - top_m * scale
        c = painter.fog(colour, self.position())
        painter.draw.polygon([(base[0] - w / 2, base[1]), (base[0] + w / 2, base[1]),
                              (base[0] + w * 0.3, top), (base[0] - w * 0.3, top)], fill=to_rgb8(c))
        if self.kind == "birch":
            dark = painter.fog((0.12, 0.11, 0.10), self.position())
            for _ in range(6):
                y = base[1] - rng.random() * top_m * scale
                painter.draw.line([(base[0] - w / 2, y), (base[0] + w * 0.1, y)],
                                  fill=to_rgb8(dark), width=max(1, int(w * 0.25)))
        # branches reaching into the crown
        for _ in range(3):
            a = rng.uniform(-0.9, 0.9)
            y0 = top + (base[1] - top) * 0.05
            ln = top_m * scale * 0.45
            painter.draw.line([(base[0], y0), (base[0] + math.sin(a) * ln, y0 - math.cos(a) * ln)],
                              fill=to_rgb8(c), width=max(1, int(w * 0.4)))

    def draw_crown(self, painter, centre, rx, ry, leaves, light, sun_tint, rng):
        """Leaf clumps on a few overlapping spheres, lit by the sun, far ones first."""
        lobes = 3 + int(rng.integers(4))
        clump = max(1.0, min(rx, ry) * 0.15)
        per_lobe = int(min(500, max(10, (rx * ry) / (clump * clump) * 2.5 / lobes)))
        items = []
        lobe_shapes = []
        for _ in range(lobes):
            off = rng.normal(0, 1, 3) * np.array([0.45, 0.40, 0.35])
            lr = rng.uniform(0.45, 0.65)
            pts = rng.normal(0, 1, (per_lobe, 3))
            pts /= np.linalg.norm(pts, axis=1)[:, None]
            pts = off + pts * lr * rng.uniform(0.7, 1.0, (per_lobe, 1))
            items.append(pts)
            lobe_shapes.append((off, lr))
        dark = painter.fog(leaves[0], self.position())
        for off, lr in lobe_shapes:   # the shaded inside of each lobe, with a bumpy outline
            x, y = centre[0] + off[0] * rx * 0.8, centre[1] - off[1] * ry * 0.8
            a, b = lr * rx * 0.62, lr * ry * 0.62
            painter.draw.ellipse([x - a, y - b, x + a, y + b], fill=to_rgb8(dark))
            for t in np.linspace(0, 2 * np.pi, 14, endpoint=False):
                q = min(a, b) * rng.uniform(0.25, 0.45)
                ex, ey = x + np.cos(t) * a * 0.9, y + np.sin(t) * b * 0.9
                painter.draw.ellipse([ex - q, ey - q, ex + q, ey + q], fill=to_rgb8(dark))
        pts = np.concatenate(items)
        norm = pts / np.maximum(np.linalg.norm(pts, axis=1), 1e-6)[:, None]
        pos = self.position()
        for i in np.argsort(pts[:, 2]):
            nx, ny, nz = norm[i]
            d = nx * light[0] + ny * light[1] + nz * light[2]
            k = float(np.clip(0.42 + 0.55 * d + 0.25 * pts[i, 2] + rng.normal(0, 0.1), 0.0, 1.0))
            if k < 0.5:
                col = mix_colour(leaves[0], leaves[1], k * 2)
            else:
                col = mix_colour(leaves[1], leaves[2], (k - 0.5) * 2)
                col = mix_colour(col, sun_tint, 0.12 * (k - 0.5))
            col = painter.fog(col, pos)
            x = centre[0] + pts[i, 0] * rx * 0.8
            y = centre[1] - pts[i, 1] * ry * 0.8
            r = clump * rng.uniform(0.6, 1.25)
            painter.draw.ellipse([x - r, y - r * 0.8, x + r, y + r * 0.8], fill=to_rgb8(col))
            if r > 2.5 and rng.random() < 0.6:
                self.speckle(painter, x, y, r, col, leaves, k, rng, pos)

    def speckle(self, painter, x, y, r, col, leaves, k, rng, pos):
        """Single leaves catching or losing the light, so crowns do not look smooth."""
        for _ in range(3):
            dx, dy = rng.uniform(-r, r), rng.uniform(-r * 0.8, r * 0.8)
            lighter = rng.random() < 0.5 + 0.3 * (k - 0.5)
            c = mix_colour(col, leaves[2] if lighter else leaves[0], rng.uniform(0.3, 0.6))
            c = painter.fog(c, pos)
            q = r * rng.uniform(0.18, 0.32)
            painter.draw.ellipse([x + dx - q, y + dy - q * 0.8, x + dx + q, y + dy + q * 0.8],
                                 fill=to_rgb8(c))

    def shadow(self, sun_dir):
        """The ground ellipse of the crown's shadow, as (x, z) points."""
        rx, ry = self.crown()
        k = (self.height - ry) / sun_dir[1]
        cx, cz = self.x - sun_dir[0] * k, self.z - sun_dir[2] * k
        stretch = 1.0 / max(0.3, sun_dir[1])
        ang = math.atan2(-sun_dir[2], -sun_dir[0])
        pts = []
        for i in range(24):
            t = 2 * math.pi * i / 24
            u, v = math.cos(t) * rx * stretch * 0.8, math.sin(t) * rx
            pts.append((cx + u * math.cos(ang) - v * math.sin(ang),
                        cz + u * math.sin(ang) + v * math.cos(ang)))
        return pts


class Lamp:
    """A street lamp: a pole with an arm over the road and a lit head."""

    def __init__(self, x, z, side):
        self.x, self.z, self.side = x, z, side

    def position(self):
        return np.array([self.x, 5.0, self.z])

    def draw(self, painter, glow_draw):
        c = (0.16, 0.17, 0.19)
        top = (self.x, 9.0, self.z)
        head = (self.x + 1.6 * self.side, 9.3, self.z)
        painter.line((self.x, 0.0, self.z), top, c, 0.18)
        painter.line(top, head, c, 0.12)
        p = painter.camera.project((head[0], head[1] - 0.2, head[2]))
        if p is None:
            return
        r = max(1.0, 0.22 * painter.camera.scale_at(head))
        painter.draw.ellipse([p[0] - r * 1.5, p[1] - r, p[0] + r * 1.5, p[1] + r],
                             fill=to_rgb8(painter.fog((1.0, 0.86, 0.62), head, 0.5)))
        glow_draw.ellipse([p[0] - r * 3, p[1] - r * 2, p[0] + r * 3, p[1] + r * 2], fill=255)


def leaf_light_screen(sun_dir, camera):
    """The sun direction in camera space, as used to light crowns (x right, y up, z to viewer)."""
    c = camera.basis @ np.asarray(sun_dir)
    return (c[0], c[1], -c[2])
