"""A tiny pinhole camera and polygon painter for drawing buildings in true perspective."""

import math

import numpy as np
from PIL import ImageDraw

from painting import mix_colour, to_rgb8

NEAR = 0.5


def normalize(v):
    v = np.asarray(v, np.float64)
    return v / np.linalg.norm(v)


class Camera:
    """Eye at pos looking along +z turned by yaw (right) and pitch (up), in metres."""

    def __init__(self, pos, yaw_deg, pitch_deg, focal, cx, cy):
        self.pos = np.asarray(pos, np.float64)
        self.focal, self.cx, self.cy = focal, cx, cy
        y, p = math.radians(yaw_deg), math.radians(pitch_deg)
        fwd = np.array([math.sin(y) * math.cos(p), math.sin(p), math.cos(y) * math.cos(p)])
        right = normalize(np.cross([0.0, 1.0, 0.0], fwd))
        up = np.cross(fwd, right)
        self.basis = np.stack([right, up, fwd])

    def to_camera(self, p):
        return self.basis @ (np.asarray(p, np.float64) - self.pos)

    def to_screen(self, c):
        return (self.cx + self.focal * c[0] / c[2], self.cy - self.focal * c[1] / c[2])

    def project(self, p):
        c = self.to_camera(p)
        if c[2] < NEAR:
            return None
        return self.to_screen(c)

    def scale_at(self, p):
        """Pixels per metre at a world point."""
        return self.focal / max(self.to_camera(p)[2], NEAR)

    def distance(self, p):
        return float(np.linalg.norm(np.asarray(p, np.float64) - self.pos))


def clip_near(points):
    """Clips a camera-space polygon against the near plane."""
    out = []
    n = len(points)
    for i in range(n):
        a, b = points[i], points[(i + 1) % n]
        ain, bin_ = a[2] >= NEAR, b[2] >= NEAR
        if ain:
            out.append(a)
        if ain != bin_:
            t = (NEAR - a[2]) / (b[2] - a[2])
            out.append(a + (b - a) * t)
    return out


class Painter:
    """Draws world-space polygons through a camera, fading colours into the haze by distance."""

    def __init__(self, image, camera, haze, haze_distance):
        self.image = image
        self.draw = ImageDraw.Draw(image)
        self.camera = camera
        self.haze = haze
        self.haze_distance = haze_distance

    def fog(self, colour, point, amount=1.0):
        d = self.camera.distance(point)
        f = (1.0 - math.exp(-d / self.haze_distance)) * amount
        return mix_colour(colour, self.haze, f)

    def screen_polygon(self, world_points):
        cam = [self.camera.to_camera(p) for p in world_points]
        cam = clip_near(cam)
        if len(cam) < 3:
            return None
        return [self.camera.to_screen(c) for c in cam]

    def polygon(self, world_points, colour, fog_amount=1.0, draw=None):
        pts = self.screen_polygon(world_points)
        if pts is None:
            return
        centre = np.mean(np.asarray(world_points, np.float64), axis=0)
        c = self.fog(colour, centre, fog_amount) if fog_amount > 0 else colour
        (draw or self.draw).polygon(pts, fill=to_rgb8(c))

    def line(self, a, b, colour, width_m, fog_amount=1.0):
        pa, pb = self.camera.project(a), self.camera.project(b)
        if pa is None or pb is None:
            return
        mid = (np.asarray(a) + np.asarray(b)) / 2.0
        w = max(1, int(round(width_m * self.camera.scale_at(mid))))
        self.draw.line([pa, pb], fill=to_rgb8(self.fog(colour, mid, fog_amount)), width=w)


def quad_on_face(origin, s_axis, t_axis, s0, s1, t0, t1, offset=None):
    """The four world corners of the rectangle [s0,s1] x [t0,t1] on a face."""
    o = np.asarray(origin, np.float64)
    if offset is not None:
        o = o + offset
    s, t = np.asarray(s_axis), np.asarray(t_axis)
    return [o + s * s0 + t * t0, o + s * s1 + t * t0, o + s * s1 + t * t1, o + s * s0 + t * t1]


def box_walls(painter, light, x0, z0, x1, z1, y0, y1, colour):
    """Paints the walls of an axis-aligned box that face the camera."""
    cam = painter.camera.pos
    faces = [
        ((0, 0, -1.0), [(x0, z0), (x1, z0)]), ((0, 0, 1.0), [(x1, z1), (x0, z1)]),
        ((-1.0, 0, 0), [(x0, z1), (x0, z0)]), ((1.0, 0, 0), [(x1, z0), (x1, z1)]),
    ]
    for n, ((ax, az), (bx, bz)) in faces:
        n = np.array(n)
        if np.dot(n, cam - np.array([ax, y0, az])) <= 0:
            continue
        painter.polygon([(ax, y0, az), (bx, y0, bz), (bx, y1, bz), (ax, y1, az)],
                        light.shade(colour, n))
