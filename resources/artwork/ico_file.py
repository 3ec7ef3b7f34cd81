"""Writes a Windows icon file: BMP-in-ICO images at 4, 8 and 32 bits, each with its AND mask."""

import struct

import numpy as np

# The 16 colours of the standard Windows palette, in its usual order.
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
         (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def nearest_indices(rgb, palette):
    """Index of the nearest palette colour for each pixel, weighting green as the eye does."""
    pal = np.asarray(palette, np.float32)
    px = rgb.reshape(-1, 3).astype(np.float32)
    wts = np.array([0.30, 0.59, 0.11], np.float32)
    d = (((px[:, None, :] - pal[None, :, :]) ** 2) * wts).sum(axis=2)
    return d.argmin(axis=1).reshape(rgb.shape[:2])


def adaptive_palette(rgb, opaque, count):
    """Up to count colours picked by median cut from the opaque pixels."""
    from PIL import Image
    px = rgb[opaque].reshape(1, -1, 3).astype(np.uint8)
    q = Image.fromarray(px, "RGB").quantize(colors=count, method=Image.Quantize.MEDIANCUT)
    pal = q.getpalette()[: count * 3]
    return [tuple(pal[i:i + 3]) for i in range(0, len(pal), 3)]


def and_mask(opaque):
    """1 bit per pixel, set where the screen shows through; rows bottom-up, 4-byte aligned."""
    h, w = opaque.shape
    stride = ((w + 31) // 32) * 4
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = np.packbits(~opaque[y]).tobytes()
        out += row + b"\0" * (stride - len(row))
    return bytes(out)


def pack_indices(idx, bpp):
    h, w = idx.shape
    stride = ((w * bpp + 31) // 32) * 4
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = idx[y].astype(np.uint8)
        if bpp == 4:
            if w % 2:
                row = np.append(row, 0)
            row = (row[0::2] << 4) | row[1::2]
        data = row.tobytes()
        out += data + b"\0" * (stride - len(data))
    return bytes(out)


def dib(width, height, bpp, palette, pixels, mask):
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bpp, 0,
                         len(pixels) + len(mask), 0, 0, len(palette), 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + pal + pixels + mask


def encode(rgba, bpp):
    """One icon image as a DIB: rgba is an h x w x 4 uint8 array."""
    h, w, _ = rgba.shape
    opaque = rgba[:, :, 3] >= 128
    rgb = rgba[:, :, :3]
    mask = and_mask(opaque)
    if bpp == 32:
        bgra = rgba[::-1, :, [2, 1, 0, 3]].copy()
        bgra[rgba[::-1, :, 3] == 0, :3] = 0
        return dib(w, h, 32, [], bgra.tobytes(), mask)
    if bpp == 4:
        palette = VGA16
        idx = nearest_indices(rgb, palette)
    else:
        palette = adaptive_palette(rgb, opaque, 255) if opaque.any() else []
        palette = (palette + [(0, 0, 0)] * 256)[:255] + [(0, 0, 0)]
        idx = nearest_indices(rgb, palette[:255])
    idx[~opaque] = 0 if bpp == 4 else 255
    return dib(w, h, bpp, palette, pack_indices(idx, bpp), mask)


def write_ico(path, images):
    """images: a list of (rgba array, bits per pixel); written in that order."""
    blobs = [(rgba.shape[1], rgba.shape[0], bpp, encode(rgba, bpp)) for rgba, bpp in images]
    offset = 6 + 16 * len(blobs)
    head = struct.pack("<HHH", 0, 1, len(blobs))
    entries = b""
    for w, h, bpp, data in blobs:
        entries += struct.pack("<BBBBHHII", w % 256, h % 256, 16 if bpp == 4 else 0, 0, 1, bpp,
                               len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(head + entries + b"".join(d for _, _, _, d in blobs))
