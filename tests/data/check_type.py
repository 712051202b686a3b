#!/usr/bin/python3
"""Checks the game's type where its sizes and colours are fixed in the data:
no number is written smaller than the smallest size of the type scale (14
pixels of the interface face), and letters stand out from what they are
written on (an outline, a band or a panel's paper) with a contrast of at
least 4.5 to 1, so that they read on sand, grass and water alike.

usage: check_type.py DATA_FOLDER [-v]"""
import os
import sys

import numpy as np
from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "data"))
import screen_layout as L  # noqa: E402
from screen_common import SMALL, TEXT_BOLD, font  # noqa: E402
sys.path.insert(0, HERE)
from check_screens import contrast, parse_packed_font, rgba  # noqa: E402
from data_check import check, report  # noqa: E402

VERBOSE = "-v" in sys.argv
LEAST_CONTRAST = 4.5
# The ink the game prints with on the won and failed panels' paper
# (game/views/gui_view_panels.cpp), and where: the two lines under the title,
# from the panel's top-left corner, across the middle of the panel.
PANEL_INK = (52, 34, 22)
PANEL_LINES = ((112, 62, 272, 108),)
PANEL_PLACES = {"game/msgLevelDone.png": (320, 218), "game/msgLevelFail.png": (320, 200)}


def smallest_digit_height():
    """How tall the digits of the interface face stand at the smallest size."""
    size = SMALL * 4
    img = Image.new("L", (size * 8, size * 2), 0)
    ImageDraw.Draw(img).text((size // 2, size // 2), "0123456789", font=font(TEXT_BOLD, size), fill=255)
    rows = np.nonzero(np.asarray(img).max(axis=1) > 128)[0]
    return (rows.max() - rows.min() + 1) / 4.0


def ink_rows(mask):
    rows = np.nonzero(mask.any(axis=1))[0]
    return rows.max() - rows.min() + 1 if len(rows) else 0


def check_font_digits(least):
    """The game's font writes its digits at least as tall as the scale's smallest size."""
    text = open(os.path.join(sys.argv[1], "time.txt"), encoding="utf-8").read()
    _, sep, layers, _ = parse_packed_font(text)
    for digit in "0123456789":
        page, (x, y, w, h, *_rest) = layers["F"][ord(digit)]
        img = rgba("time%s%d.png" % (sep, page))
        height = ink_rows(img[y:y + h, x:x + w, 3] > 128)
        check(height >= least - 0.5, "time.txt: digit %s is %d pixels high, under %.1f" % (digit, height, least))


def check_palette_numbers(least):
    """Each slot's cost and key number: tall enough, and standing out from their ground."""
    img = rgba("game/border.png")
    kx, ky = L.PALETTE_KEY_AT
    for n, (sx0, sy0, sx1, sy1) in enumerate(L.PALETTE_SLOTS):
        cost = img[sy1 - 16:sy1 + 1, sx1 - 30:sx1 - 1, :3]
        face = np.abs(cost.astype(int) - (255, 246, 220)).sum(axis=2) < 40
        if n < 7:      # the dynamite's "free" has no digits
            check(ink_rows(face) >= least - 1, "border: slot %d's cost is %d pixels high" % (n, ink_rows(face)))
        check_contrast(cost, "border: slot %d's cost" % n)
        key = img[sy0 + ky:sy0 + ky + 16, sx0 + kx:sx0 + kx + 11, :3]
        dark = luminance_of(key) < 0.08
        check(ink_rows(dark) >= least - 1, "border: slot %d's key is %d pixels high" % (n, ink_rows(dark)))
        check_contrast(key, "border: slot %d's key" % n)


def luminance_of(pixels):
    lin = pixels.astype(float) / 255.0
    lin = np.where(lin <= 0.04045, lin / 12.92, ((lin + 0.055) / 1.055) ** 2.4)
    return lin @ np.array([0.2126, 0.7152, 0.0722])


def check_contrast(pixels, what):
    """Letters against their ground: the darkest and lightest few pixels of the box."""
    lum = np.sort(luminance_of(pixels.reshape(-1, 3)))
    k = max(1, len(lum) // 50)
    dark, light = lum[:k].mean(), lum[-k:].mean()
    ratio = (light + 0.05) / (dark + 0.05)
    check(ratio >= LEAST_CONTRAST, "%s: contrast %.2f" % (what, ratio))
    if VERBOSE:
        print("%s: contrast %.2f" % (what, ratio))


def check_panel_ink():
    """The game's ink on the panels' paper where it writes its lines."""
    for path in PANEL_PLACES:
        img = rgba(path)
        for x0, y0, x1, y1 in PANEL_LINES:
            paper = np.median(img[y0:y1, x0:x1, :3].reshape(-1, 3), axis=0)
            ratio = contrast(PANEL_INK, paper)
            check(ratio >= LEAST_CONTRAST, "%s: the game's ink on its paper, contrast %.2f" % (path, ratio))
            if VERBOSE:
                print("%s: ink on paper, contrast %.2f" % (path, ratio))


def check_font_outline():
    """The font's face against its own outline, the band every board text carries."""
    text = open(os.path.join(sys.argv[1], "time.txt"), encoding="utf-8").read()
    _, sep, layers, _ = parse_packed_font(text)
    for layer in "FB":
        page, (x, y, w, h, *_rest) = layers[layer][ord("8")]
        glyph = rgba("time%s%d.png" % (sep, page))[y:y + h, x:x + w]
        solid = glyph[glyph[..., 3] == 255][:, :3]
        if layer == "F":
            face = solid.mean(axis=0)
        else:
            outline = solid.mean(axis=0)
    ratio = contrast(face, outline)
    check(ratio >= LEAST_CONTRAST, "time.txt: face on outline, contrast %.2f" % ratio)


def main():
    least = smallest_digit_height()
    if VERBOSE:
        print("digits at %d pixels stand %.1f pixels high" % (SMALL, least))
    check_font_digits(least)
    check_palette_numbers(least)
    check_panel_ink()
    check_font_outline()
    report()


if __name__ == "__main__":
    main()
