"""Shared pieces of every data generator: the palette, deterministic PNG output,
and the seeded random source.  Every generator takes the output data folder as
its only argument."""
import os
import random
import sys

from PIL import Image

# One warm, dusty frontier palette for every picture.  Light comes from the top-left.
PALETTE = {
    "sand": (222, 196, 150),
    "sand_dark": (196, 164, 114),
    "grass_dry": (176, 160, 92),
    "wood": (128, 84, 48),
    "wood_dark": (84, 52, 28),
    "iron": (92, 96, 104),
    "iron_light": (176, 182, 190),
    "rock": (140, 124, 110),
    "pine": (54, 92, 58),
    "water": (70, 126, 160),
    "sky": (150, 196, 220),
    "paper": (240, 224, 188),
    "ink": (52, 34, 22),
    "red": (178, 52, 40),
    "gold": (232, 184, 60),
    "shadow": (40, 28, 16),
}


def output_dir():
    if len(sys.argv) < 2:
        sys.exit("usage: %s DATA_FOLDER" % os.path.basename(sys.argv[0]))
    return sys.argv[1]


def rng(name):
    """A random source seeded from a name, so each picture is reproducible on its own."""
    seed = 0
    for ch in name:
        seed = (seed * 131 + ord(ch)) & 0xFFFFFFFF
    return random.Random(seed)


def save_png(image, data_dir, relative_path):
    """Writes an RGBA PNG with no timestamp or other varying chunks."""
    path = os.path.join(data_dir, relative_path)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if image.mode != "RGBA":
        image = image.convert("RGBA")
    image.save(path, format="PNG", optimize=False, compress_level=9)
    return path


def new_canvas(width, height, colour=(0, 0, 0, 0)):
    return Image.new("RGBA", (width, height), colour)
