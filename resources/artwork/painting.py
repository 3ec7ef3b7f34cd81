"""Raster helpers shared by the picture generators: noise, gradients, colour maths, finishing."""

import numpy as np
from PIL import Image, ImageFilter


def value_noise(shape, cell_x, cell_y, rng):
    """Smooth noise in [0, 1]: a random grid scaled up bicubically (cells in pixels)."""
    h, w = shape
    gw, gh = int(w / cell_x) + 4, int(h / cell_y) + 4
    grid = rng.random((gh, gw)).astype(np.float32)
    big = Image.fromarray(grid, mode="F").resize(
        (int(gw * cell_x), int(gh * cell_y)), Image.BICUBIC)
    a = np.asarray(big)
    ox, oy = int(cell_x), int(cell_y)
    return a[oy:oy + h, ox:ox + w]


def fbm(shape, cell_x, cell_y, octaves, rng, gain=0.5):
    """Fractal noise: octaves of value noise, each half the cell size; about [0, 1]."""
    total = np.zeros(shape, np.float32)
    amp, norm = 1.0, 0.0
    for _ in range(octaves):
        total += amp * value_noise(shape, max(cell_x, 1.0), max(cell_y, 1.0), rng)
        norm += amp
        amp *= gain
        cell_x /= 2.0
        cell_y /= 2.0
    return total / norm


def sample_bilinear(tex, v, u):
    """Samples a 2-D texture at float row/column coordinates, clamped at the edges."""
    h, w = tex.shape
    v = np.clip(v, 0.0, h - 1.001)
    u = np.clip(u, 0.0, w - 1.001)
    v0, u0 = np.floor(v).astype(np.int32), np.floor(u).astype(np.int32)
    fv, fu = v - v0, u - u0
    a = tex[v0, u0] * (1 - fu) + tex[v0, u0 + 1] * fu
    b = tex[v0 + 1, u0] * (1 - fu) + tex[v0 + 1, u0 + 1] * fu
    return a * (1 - fv) + b * fv


def smoothstep(e0, e1, x):
    t = np.clip((x - e0) / (e1 - e0), 0.0, 1.0)
    return t * t * (3.0 - 2.0 * t)


def lerp(a, b, t):
    return a + (b - a) * t


def mix_colour(c1, c2, t):
    return tuple(float(a + (b - a) * t) for a, b in zip(c1, c2))


def scale_colour(c, k):
    return tuple(float(v * k) for v in c)


def to_rgb8(c):
    """A colour in [0, 1] floats as an 8-bit tuple for ImageDraw."""
    return tuple(int(max(0, min(255, round(v * 255.0)))) for v in c)


def vertical_gradient(h, w, stops):
    """An h x w x 3 float image from (position 0..1, colour) stops, top to bottom."""
    ys = np.linspace(0.0, 1.0, h)
    pos = [p for p, _ in stops]
    out = np.zeros((h, w, 3), np.float32)
    for ch in range(3):
        col = np.interp(ys, pos, [c[ch] for _, c in stops])
        out[:, :, ch] = col[:, None]
    return out


def to_array(img):
    return np.asarray(img.convert("RGB"), np.float32) / 255.0


def to_image(arr):
    return Image.fromarray((np.clip(arr, 0.0, 1.0) * 255.0 + 0.5).astype(np.uint8), "RGB")


def add_glow(arr, glow_mask_img, radius, colour, strength):
    """Adds a soft light around the white areas of an L mask (lamps, lit windows)."""
    blurred = glow_mask_img.filter(ImageFilter.GaussianBlur(radius))
    g = np.asarray(blurred, np.float32)[:, :, None] / 255.0
    return arr + g * np.array(colour, np.float32)[None, None, :] * strength


def finish(arr, rng, grain=0.018, vignette=0.18):
    """Film-like finish: luminance grain, a touch of chroma noise and a soft vignette."""
    h, w, _ = arr.shape
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    r = np.sqrt(((xx - w / 2) / (w / 2)) ** 2 + ((yy - h / 2) / (h / 2)) ** 2)
    arr = arr * (1.0 - vignette * smoothstep(0.6, 1.5, r))[:, :, None]
    lum = rng.normal(0.0, grain, (h, w)).astype(np.float32)[:, :, None]
    chroma = rng.normal(0.0, grain * 0.35, (h, w, 3)).astype(np.float32)
    return np.clip(arr + lum + chroma, 0.0, 1.0)


def save_jpeg(img, path, quality=88):
    """Baseline (not progressive) JPEG, three YCbCr components."""
    img.convert("RGB").save(path, "JPEG", quality=quality, optimize=True, progressive=False,
                            subsampling="4:2:0")
