#!/usr/bin/env python3
"""Draws the wizard's pictures as 8-bit run-length encoded BMP files (BI_RLE8):
the banner strips of the welcome and finish pages (111 x 289), the page
heading mark (32 x 32) and the stage bullet (16 x 16). Shapes are sampled
4 x 4 per pixel for smooth edges; a picture of more than 256 colours gets a
palette by median cut. The strips change colour from row to row, not along
a row, so runs keep them small in the installer.

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


def median_cut(counts, size):
    """A palette of at most size colours for {colour: pixel count}."""
    boxes = [list(counts)]
    while len(boxes) < size:
        def spread(box):
            return max(max(c[i] for c in box) - min(c[i] for c in box) for i in range(3))
        widest = max((b for b in boxes if len(b) > 1), key=spread, default=None)
        if widest is None:
            break
        channel = max(range(3), key=lambda i: max(c[i] for c in widest) - min(c[i] for c in widest))
        widest.sort(key=lambda c: c[channel])
        # Split where half of the box's pixels lie on either side.
        total, running, cut = sum(counts[c] for c in widest), 0, 1
        for index, colour in enumerate(widest[:-1]):
            running += counts[colour]
            cut = index + 1
            if running * 2 >= total:
                break
        boxes.remove(widest)
        boxes += [widest[:cut], widest[cut:]]
    palette = []
    for box in boxes:
        weight = sum(counts[c] for c in box)
        palette.append(tuple(round(sum(c[i] * counts[c] for c in box) / weight) for i in range(3)))
    return palette


def nearest(palette, colour):
    return min(range(len(palette)), key=lambda i: sum((palette[i][k] - colour[k]) ** 2 for k in range(3)))


def rle8_rows(rows):
    """BI_RLE8 runs, bottom row first: (count, index) pairs, end of line, end of picture."""
    data = bytearray()
    for row in reversed(rows):
        x = 0
        while x < len(row):
            run = 1
            while x + run < len(row) and run < 255 and row[x + run] == row[x]:
                run += 1
            data += bytes((run, row[x]))
            x += run
        data += b'\x00\x00'
    data[-2:] = b'\x00\x01'
    return bytes(data)


def write_bmp(path, width, height, pixel):
    pixels = [[pixel(x, y) for x in range(width)] for y in range(height)]
    counts = {}
    for row in pixels:
        for colour in row:
            counts[colour] = counts.get(colour, 0) + 1
    palette = list(counts) if len(counts) <= 256 else median_cut(counts, 256)
    index = {colour: nearest(palette, colour) for colour in counts}
    data = rle8_rows([[index[colour] for colour in row] for row in pixels])
    colours = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(colours)
    header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 1, len(data), 2835, 2835, len(palette), 0)
    path.write_bytes(header + info + colours + data)


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
