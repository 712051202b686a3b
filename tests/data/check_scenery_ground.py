"""Checks that no cell blocked by scenery can look like free sand: every cell of
every building kind's footprint is at least half covered by the opaque pixels
of the kind's picture, or lies on the kind's own ground (its frame of
game/buildings/grounds.png, drawn under the whole footprint), which must be
opaque and clearly unlike the sand of the three free ground tiles.

Usage: check_scenery_ground.py DATA_FOLDER
"""
import os
import sys

import numpy as np
from PIL import Image

CELL = 74
OPAQUE = 128
HALF_COVERED = 0.5
# How far (RGB distance of the mean colours) a scenery ground must lie from
# the sand, so a blocked cell never reads as a free one.
UNLIKE_SAND = 60.0

# kind: (picture, footprint width, footprint height), in kind order
KINDS = [
    ("pond", 1, 1), ("mountain", 2, 2), ("forest", 1, 1), ("pond2x", 2, 2), ("hill", 1, 3),
    ("hangman", 1, 1), ("dinosaur", 2, 2), ("house", 1, 1), ("watertower", 1, 1), ("cort", 1, 1),
    ("corturi", 2, 2), ("caravan", 2, 2), ("diligenta", 1, 1), ("skull", 1, 1), ("mountain2", 2, 2),
]


def rgba(data, relative):
    return np.asarray(Image.open(os.path.join(data, relative)).convert("RGBA"), dtype=float)


def sand_colour(data):
    tiles = [rgba(data, "game/tile%d.png" % v) for v in (1, 2, 3)]
    return np.mean([t[:, :, :3].reshape(-1, 3).mean(axis=0) for t in tiles], axis=0)


def ground_faults(kind, name, grounds, sand):
    """Why kind's ground cannot stand in for its picture, or None."""
    tile = grounds[:, kind * CELL:(kind + 1) * CELL]
    if tile.shape[1] != CELL or tile[:, :, 3].min() < 255:
        return "%s: its ground is not an opaque %d by %d frame" % (name, CELL, CELL)
    distance = float(np.linalg.norm(tile[:, :, :3].reshape(-1, 3).mean(axis=0) - sand))
    if distance < UNLIKE_SAND:
        return "%s: its ground is too close to the sand (%.0f)" % (name, distance)
    return None


def cell_faults(data, kind, name, width, height, ground_fault):
    picture = rgba(data, "game/buildings/%s.png" % name)[:height * CELL, :width * CELL, 3]
    faults = []
    for cy in range(height):
        for cx in range(width):
            cell = picture[cy * CELL:(cy + 1) * CELL, cx * CELL:(cx + 1) * CELL]
            covered = float((cell >= OPAQUE).mean()) if cell.size else 0.0
            if covered < HALF_COVERED and ground_fault:
                faults.append("%s cell (%d,%d): %.0f%% covered and %s" % (name, cx, cy, 100 * covered, ground_fault))
    return faults


def main():
    data = sys.argv[1]
    grounds = rgba(data, "game/buildings/grounds.png")
    faults = []
    if grounds.shape[:2] != (CELL, CELL * len(KINDS)):
        faults.append("grounds.png is %dx%d, not one %d-pixel frame per kind" %
                      (grounds.shape[1], grounds.shape[0], CELL))
    else:
        sand = sand_colour(data)
        for kind, (name, width, height) in enumerate(KINDS):
            faults += cell_faults(data, kind, name, width, height, ground_faults(kind, name, grounds, sand))
    for fault in faults:
        print("FAIL", fault)
    print("scenery ground: %d kinds checked, %d faults" % (len(KINDS), len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
