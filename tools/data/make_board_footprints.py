"""The ground under each piece of scenery (game/buildings/grounds.png): one
opaque 74 by 74 tile per building kind, in kind order, which the board lays on
every cell of that kind's footprint before the picture itself.  A blocked cell
thus never shows the free sand around it: mountains and hills stand on bare
rock, forests on their needle floor, ponds on a wet reedy shore, camps, houses
and wrecks on trampled earth.  The tiles wrap at their edges, so a footprint
of several cells reads as one patch.

Usage: make_board_footprints.py DATA_FOLDER
"""
import os
import sys

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import fractal_noise, np_rng, output_dir, save_png, strip  # noqa: E402

CELL = 74

# name: (dark tone, light tone, speck colour)
GROUNDS = {
    "rock": ((112, 100, 90), (152, 138, 122), (86, 76, 70)),
    "forest": ((62, 78, 46), (98, 94, 58), (120, 84, 50)),
    "shore": ((96, 120, 90), (142, 140, 100), (70, 96, 70)),
    "earth": ((146, 106, 72), (178, 138, 96), (116, 84, 58)),
}

# The ground of each building kind, by kind (pond, mountain, forest, pond2x,
# hill, hangman, dinosaur, house, water tower, tent, tents, caravan, coach,
# skull, second mountain).
KIND_GROUNDS = ("shore", "rock", "forest", "shore", "rock", "earth", "earth", "earth", "earth",
                "earth", "earth", "earth", "earth", "earth", "rock")


def ground_tile(name):
    dark, light, speck = (np.array(c, dtype=float) for c in GROUNDS[name])
    patches = fractal_noise(CELL, CELL, 3, "footprint/%s/patches" % name, 3, True)
    grain = fractal_noise(CELL, CELL, 18, "footprint/%s/grain" % name, 2, True)
    t = np.clip(0.25 + 0.6 * patches + 0.3 * (grain - 0.5), 0.0, 1.0)
    colour = dark[None, None, :] + (light - dark)[None, None, :] * t[..., None]
    specks = np_rng("footprint/%s/specks" % name).random((CELL, CELL)) > 0.975
    colour[specks] = colour[specks] * 0.4 + speck * 0.6
    rgba = np.dstack([np.clip(colour, 0, 255), np.full((CELL, CELL), 255.0)])
    return Image.fromarray(np.round(rgba).astype(np.uint8), "RGBA")


def main():
    out = output_dir()
    tiles = {name: ground_tile(name) for name in GROUNDS}
    save_png(strip([tiles[name] for name in KIND_GROUNDS]), out, "game/buildings/grounds.png")


if __name__ == "__main__":
    main()
