#!/usr/bin/env python3
"""Draws the wizard's pictures as 24-bit BMP files: the banner strips of the
welcome and finish pages (111 x 289), the page heading mark (32 x 32) and the
stage bullet (16 x 16). Shapes are sampled 4 x 4 per pixel for smooth edges.

    python3 scripts/draw-wizard-pictures.py src/wizard/pictures
"""
import math
import struct
import sys
from pathlib import Path

SAMPLES = 4
WHITE = (255, 255, 255)
NAVY = (22, 52, 110)
TEAL = (28, 130, 150)
LIGHT = (220, 236, 245)
GREEN = (60, 170, 90)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def write_bmp(path, width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        data += line + bytes(row - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    path.write_bytes(header + info + data)


def sampled(shape, background, x, y):
    """background(x, y) under shape(px, py) -> colour or None, averaged over the samples."""
    total = [0, 0, 0]
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            px, py = x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES
            colour = shape(px, py) or background(px, py)
            for i in range(3):
                total[i] += colour[i]
    return tuple(round(c / SAMPLES ** 2) for c in total)


def in_round_rect(px, py, left, top, right, bottom, radius):
    cx = min(max(px, left + radius), right - radius)
    cy = min(max(py, top + radius), bottom - radius)
    return (px - cx) ** 2 + (py - cy) ** 2 <= radius ** 2


def near_segment(px, py, ax, ay, bx, by, half_width):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy)) <= half_width


def strip_background(px, py):
    # Navy at the top to teal at the foot, with two soft diagonal bands.
    colour = mix(NAVY, TEAL, py / 289)
    band = math.sin((px + py * 0.6) / 38.0)
    return mix(colour, WHITE, 0.06 if band > 0.7 else 0.0)


def package_mark(px, py, cx, cy, size):
    """A box with a disk over it: the package being installed."""
    if in_round_rect(px, py, cx - size, cy - size * 0.2, cx + size, cy + size, size * 0.12):
        return LIGHT if py > cy + size * 0.1 else WHITE
    if (px - cx) ** 2 + (py - cy + size * 0.55) ** 2 <= (size * 0.55) ** 2:
        ring = math.hypot(px - cx, py - cy + size * 0.55)
        return NAVY if ring <= size * 0.12 else (LIGHT if ring < size * 0.4 else WHITE)
    return None


def check_mark(px, py, cx, cy, size, colour):
    if near_segment(px, py, cx - size, cy, cx - size * 0.3, cy + size * 0.7, size * 0.16) or \
       near_segment(px, py, cx - size * 0.3, cy + size * 0.7, cx + size, cy - size * 0.8, size * 0.16):
        return colour
    return None


def main(folder):
    out = Path(folder)
    out.mkdir(parents=True, exist_ok=True)
    write_bmp(out / 'wizard.bmp', 111, 289,
              lambda x, y: sampled(lambda px, py: package_mark(px, py, 55.5, 96, 30), strip_background, x, y))

    def finish(px, py):
        if (px - 55.5) ** 2 + (py - 96) ** 2 <= 34 ** 2:
            return check_mark(px, py, 55.5, 92, 20, GREEN) or WHITE
        return None
    write_bmp(out / 'finish.bmp', 111, 289, lambda x, y: sampled(finish, strip_background, x, y))

    def heading(px, py):
        if in_round_rect(px, py, 2, 2, 30, 30, 6):
            return package_mark(px, py, 16, 18, 9) or mix(NAVY, TEAL, py / 32)
        return None
    write_bmp(out / 'heading.bmp', 32, 32, lambda x, y: sampled(heading, lambda px, py: WHITE, x, y))

    def bullet(px, py):
        if (px - 8) ** 2 + (py - 8) ** 2 <= 6 ** 2:
            inner = near_segment(px, py, 6, 5, 10, 8, 1.1) or near_segment(px, py, 10, 8, 6, 11, 1.1)
            return WHITE if inner else mix(NAVY, TEAL, py / 16)
        return None
    write_bmp(out / 'bullet.bmp', 16, 16, lambda x, y: sampled(bullet, lambda px, py: WHITE, x, y))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'src/wizard/pictures')
