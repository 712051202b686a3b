#!/usr/bin/python3
"""Draws the game's icon as PNG files of the sizes a desktop asks for.

The drawing is the one of install/rails-against-time.svg (a curve of track on
sand under a clock face), on a 64-unit canvas, painted four times larger than
wanted and scaled down so that the edges are smooth. Deterministic: the same
sizes always give byte-identical files.

    make_icons.py OUT_FOLDER      writes OUT_FOLDER/NxN/rails-against-time.png
"""
import os
import sys

from PIL import Image, ImageDraw

SIZES = (48, 64, 128, 256)
SUPERSAMPLE = 4
NAME = "rails-against-time.png"

SAND, SAND_EDGE = "#d9b36c", "#6b4a1e"
SLEEPER, RAIL = "#5a3a17", "#3c3c44"
FACE, FACE_EDGE, HOUR_HAND, MINUTE_HAND = "#fbf5e6", "#2b2b33", "#2b2b33", "#c0392b"

SLEEPERS = (((10, 52), (18, 44)), ((18, 58), (24, 48)), ((27, 60), (30, 49)), ((37, 60), (37, 49)))
# The two rails as quadratic curves: start, control point, end.
RAILS = (((6, 44), (30, 36), (44, 62)), ((12, 56), (26, 48), (32, 62)))


def quadratic(start, control, end, steps=48):
    points = []
    for i in range(steps + 1):
        t = i / steps
        a, b, c = (1 - t) ** 2, 2 * (1 - t) * t, t * t
        points.append((a * start[0] + b * control[0] + c * end[0], a * start[1] + b * control[1] + c * end[1]))
    return points


def draw(size):
    canvas = size * SUPERSAMPLE
    unit = canvas / 64.0

    def at(point):
        return (point[0] * unit, point[1] * unit)

    def width(w):
        return max(1, round(w * unit))

    def round_line(draw, a, b, w, colour):
        draw.line([at(a), at(b)], fill=colour, width=width(w))
        r = w * unit / 2
        for x, y in (at(a), at(b)):
            draw.ellipse([x - r, y - r, x + r, y + r], fill=colour)

    image = Image.new("RGBA", (canvas, canvas), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    d.rounded_rectangle([at((2, 2)), at((62, 62))], radius=10 * unit, fill=SAND, outline=SAND_EDGE,
                        width=width(3))
    # The track runs off the tile's lower edge: it is painted on its own layer,
    # kept inside the tile, and the border painted again over it.
    track = Image.new("RGBA", image.size, (0, 0, 0, 0))
    t = ImageDraw.Draw(track)
    for a, b in SLEEPERS:
        t.line([at(a), at(b)], fill=SLEEPER, width=width(4))
    for start, control, end in RAILS:
        t.line([at(p) for p in quadratic(start, control, end)], fill=RAIL, width=width(3), joint="curve")
    inside = Image.new("L", image.size, 0)
    ImageDraw.Draw(inside).rounded_rectangle([at((2, 2)), at((62, 62))], radius=10 * unit, fill=255)
    image.paste(track, (0, 0), Image.composite(track.getchannel("A"), inside, inside))
    d.rounded_rectangle([at((2, 2)), at((62, 62))], radius=10 * unit, outline=SAND_EDGE, width=width(3))
    cx, cy, r = 42 * unit, 22 * unit, 15 * unit
    d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=FACE, outline=FACE_EDGE, width=width(3))
    round_line(d, (42, 22), (42, 12), 3, HOUR_HAND)
    round_line(d, (42, 22), (50, 26), 3, MINUTE_HAND)
    return image.resize((size, size), Image.LANCZOS)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icons.py OUT_FOLDER")
    for size in SIZES:
        folder = os.path.join(sys.argv[1], "%dx%d" % (size, size))
        os.makedirs(folder, exist_ok=True)
        draw(size).save(os.path.join(folder, NAME), optimize=True)


if __name__ == "__main__":
    main()
