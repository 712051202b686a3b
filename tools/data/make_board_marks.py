"""Marks the game lays over the board: the broken-rail debris left on a cell the
raiders tore out, the soft white ring the game tints and pulses round an
enemy or round whatever is under the pointer, and the soft white glow it adds
along a joined line and round the TIME button.

Usage: make_board_marks.py DATA_FOLDER
"""
import math
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import PALETTE, Art, blob_points, mix, output_dir, paint_rock, rng, save_png  # noqa: E402

CELL = 74
RING_SIZE = 96
RING_RADIUS = 40.0           # the ring's middle line, in pixels from the centre
RING_WIDTH = 3.2             # its soft half-width


def plank_points(cx, cy, length, width, angle, r, broken_ends=(True, False)):
    """The outline of a sleeper of `length` x `width` turned by `angle`, each
    broken end splintered into a jagged edge."""
    ca, sa = math.cos(angle), math.sin(angle)

    def at(u, v):
        return cx + u * ca - v * sa, cy + u * sa + v * ca
    half, side = length / 2.0, width / 2.0
    pts = []
    for end, sign in ((broken_ends[1], 1.0), (broken_ends[0], -1.0)):
        if end:
            teeth = [sign * (half - r.uniform(0.0, 3.5)) for _ in range(5)]
            vs = np.linspace(-side, side, 5) * sign
            pts += [at(u, v) for u, v in zip(teeth, vs)]
        else:
            pts += [at(sign * half, -side * sign), at(sign * half, side * sign)]
    return pts


def sleeper_piece(art, cx, cy, length, angle, r, broken_ends):
    pts = plank_points(cx, cy, length, 5.5, angle, r, broken_ends)
    mask = art.poly(pts)
    art.shadow(mask, 1.5, 1.8, 1.5, 0.45)
    wood = mix(PALETTE["wood"], PALETTE["wood_dark"], r.uniform(0.1, 0.6))
    art.fill(mask, wood)
    grain = art.noise(14, "debris grain%d" % r.randint(0, 10 ** 6), 2)
    art.shade(mask, 0.8 + 0.35 * grain)
    art.fill(art.line(pts + pts[:1], 0.5), PALETTE["wood_dark"], 0.7)


def bent_rail(art, points):
    """A rail wrenched out of line: a dark steel bar with a light top edge."""
    mask = art.line(points, 3.0)
    art.shadow(mask, 1.5, 2.0, 1.5, 0.5)
    art.fill(mask, PALETTE["iron"])
    art.fill(art.line([(x - 0.5, y - 0.7) for x, y in points], 1.1), PALETTE["iron_light"], 0.9)


def debris():
    """Broken sleepers lying askew, one rail bent up out of line and a spill of
    ballast; transparent round about, so it lies on whatever ground the cell has."""
    art = Art(CELL, CELL)
    r = rng("debris")
    for i in range(14):
        x, y = r.uniform(14, 60), r.uniform(14, 60)
        colour = tuple(c * r.uniform(0.85, 1.1) for c in PALETTE["rock"])
        paint_rock(art, blob_points(x, y, r.uniform(1.0, 2.0), r.uniform(0.8, 1.5), r, 0.12, 14),
                   colour, "ballast%d" % i, 0.35, 0.2)
    pieces = [(22, 24, 24, 0.35, (False, True)), (48, 20, 16, -0.5, (True, True)), (30, 50, 26, -0.15, (True, False)),
              (54, 47, 14, 0.9, (True, False)), (40, 36, 10, 1.4, (True, True))]
    for cx, cy, length, angle, ends in pieces:
        sleeper_piece(art, cx, cy, length, angle, r, ends)
    bent_rail(art, [(9, 31), (21, 30), (32, 31), (40, 36), (45, 44), (47, 54)])
    bent_rail(art, [(44, 13), (52, 19), (58, 27), (66, 30)])
    return art.image()


def ring():
    """A soft white ring round a transparent middle: the game tints it and
    pulses its size, so it is white and plain."""
    art = Art(RING_SIZE, RING_SIZE)
    c = RING_SIZE / 2.0
    dist = art.circle_field(c, c)
    coverage = np.exp(-((dist - RING_RADIUS) / RING_WIDTH) ** 2)
    # a faint glow inwards, so the ring reads on light and dark ground alike
    coverage = np.maximum(coverage, 0.25 * np.exp(-((dist - RING_RADIUS + 4.0) / 6.0) ** 2))
    coverage[coverage < 0.01] = 0.0
    art.fill(coverage, (255, 255, 255))
    return art.image()


GLOW_SIZE = 48


def glow():
    """A round soft light, white and strongest in the middle, fading to nothing
    at its edge: the game tints it and adds it onto the picture."""
    art = Art(GLOW_SIZE, GLOW_SIZE)
    c = GLOW_SIZE / 2.0
    dist = art.circle_field(c, c) / (c - 1.0)
    coverage = np.clip(1.0 - dist, 0.0, 1.0) ** 2.2
    coverage[coverage < 0.01] = 0.0
    art.fill(coverage, (255, 255, 255))
    return art.image()


def main():
    out = output_dir()
    save_png(debris(), out, "game/debris.png")
    save_png(ring(), out, "game/ring.png")
    save_png(glow(), out, "game/glow.png")


if __name__ == "__main__":
    main()
