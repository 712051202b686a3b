#!/usr/bin/python3
"""Whether a 1024 x 768 screenshot of the game shows a picture of its data.

    shows_picture.py SHOT PICTURE X0 Y0 X1 Y1

Compares the rectangle (X0, Y0)-(X1, Y1) of the screenshot with the same
rectangle of the picture drawn at the screen's corner. Scaling the screen
blurs edges a little, so most pixels, not all, have to match. Status 0 when
at least nine in ten are within a small distance of the picture's colour.
"""
import sys

import numpy
from PIL import Image

TOLERANCE = 28
NEEDED = 0.9


def main():
    shot_path, picture_path = sys.argv[1:3]
    x0, y0, x1, y1 = (int(v) for v in sys.argv[3:7])
    shot = numpy.asarray(Image.open(shot_path).convert("RGB"), dtype=numpy.int16)[y0:y1, x0:x1]
    picture = numpy.asarray(Image.open(picture_path).convert("RGB"), dtype=numpy.int16)[y0:y1, x0:x1]
    if shot.shape != picture.shape:
        sys.exit("the screenshot is %s, the picture %s" % (shot.shape, picture.shape))
    near = (numpy.abs(shot - picture).max(axis=2) <= TOLERANCE).mean()
    print("%.1f%% of the pixels match %s" % (100 * near, picture_path))
    sys.exit(0 if near >= NEEDED else 1)


if __name__ == "__main__":
    main()
