"""Cars along the street: a body and a cabin as two lit boxes with dark glass."""

import numpy as np

from painting import scale_colour, to_rgb8
from scene3d import box_walls

CAR_COLOURS = [(0.86, 0.86, 0.84), (0.62, 0.10, 0.08), (0.12, 0.20, 0.38), (0.78, 0.70, 0.52),
               (0.30, 0.34, 0.30), (0.20, 0.20, 0.22), (0.52, 0.58, 0.62)]


class Car:
    def __init__(self, x, z, colour, length=4.2):
        self.x, self.z, self.colour, self.length = x, z, colour, length

    def position(self):
        return np.array([self.x, 0.8, self.z])

    def draw(self, painter, light):
        x, z, ln = self.x, self.z, self.length
        self.box(painter, light, x - 0.82, z, x + 0.82, z + ln, 0.25, 0.95, self.colour)
        glass = (0.10, 0.12, 0.16)
        self.box(painter, light, x - 0.72, z + ln * 0.28, x + 0.72, z + ln * 0.72, 0.95, 1.42,
                 glass, roof=self.colour)
        tyre = (0.04, 0.04, 0.05)
        painter.polygon([(x - 0.8, 0.0, z + 0.4), (x + 0.8, 0.0, z + 0.4), (x + 0.8, 0.3, z + 0.4),
                         (x - 0.8, 0.3, z + 0.4)], tyre)

    def box(self, painter, light, x0, z0, x1, z1, y0, y1, colour, roof=None):
        box_walls(painter, light, x0, z0, x1, z1, y0, y1, colour)
        cam = painter.camera.pos
        top = roof or colour
        if cam[1] > y1:
            painter.polygon([(x0, y1, z0), (x1, y1, z0), (x1, y1, z1), (x0, y1, z1)],
                            scale_colour(light.shade(top, np.array([0, 1.0, 0])), 1.1))


def street_cars(rng):
    cars = []
    for lane_x, zs in ((-5.4, (52, 98, 160, 240)), (-1.8, (75, 190)), (1.8, (44, 130, 300)),
                       (5.6, (38, 44.5, 58, 64.5, 120, 210))):
        for z in zs:
            c = CAR_COLOURS[rng.integers(len(CAR_COLOURS))]
            cars.append(Car(lane_x, float(z) + rng.uniform(-1, 1), c))
    return cars


PEOPLE_COLOURS = [(0.15, 0.16, 0.20), (0.45, 0.12, 0.10), (0.20, 0.25, 0.40), (0.50, 0.45, 0.38),
                  (0.28, 0.30, 0.26), (0.70, 0.66, 0.58), (0.35, 0.22, 0.30)]


class Person:
    """A passer-by: legs, coat and head as lit ellipses, about 1.7 m tall."""

    def __init__(self, x, z, coat, seed):
        self.x, self.z, self.coat, self.seed = x, z, coat, seed

    def position(self):
        return np.array([self.x, 0.9, self.z])

    def draw(self, painter, light):
        cam = painter.camera
        foot = cam.project((self.x, 0.0, self.z))
        if foot is None:
            return
        k = cam.scale_at((self.x, 0.0, self.z))
        pos = self.position()
        lit = light.shade(self.coat, np.array([-0.6, 0.0, -0.8]))
        legs = painter.fog((0.12, 0.12, 0.14), pos)
        x, y = foot
        painter.draw.rectangle([x - 0.16 * k, y - 0.85 * k, x + 0.16 * k, y], fill=to_rgb8(legs))
        painter.draw.rounded_rectangle([x - 0.25 * k, y - 1.5 * k, x + 0.25 * k, y - 0.7 * k],
                                       radius=0.1 * k, fill=to_rgb8(painter.fog(lit, pos)))
        skin = painter.fog(light.shade((0.80, 0.62, 0.50), np.array([-0.6, 0.0, -0.8])), pos)
        painter.draw.ellipse([x - 0.11 * k, y - 1.74 * k, x + 0.11 * k, y - 1.5 * k],
                             fill=to_rgb8(skin))


def passers_by(rng):
    people = []
    for _ in range(22):
        side = 1 if rng.random() < 0.5 else -1
        x = side * rng.uniform(7.8, 10.6)
        z = rng.uniform(18, 160)
        coat = PEOPLE_COLOURS[rng.integers(len(PEOPLE_COLOURS))]
        people.append(Person(x, z, coat, int(rng.integers(1 << 30))))
    return people
