"""Makes the twelve tutorial pages data/game/tutorial/1.png to 12.png.

Each page is a parchment note that the game draws at a fixed position over the
paused board (screen_layout.TUTORIAL_POSITIONS); its picture begins at that
position and may hold, besides the note, an arrow reaching out to what the page
explains (the start cell, the palette, the worker count, the countdown, the
send-off button, the mine, the gold, the bandits, the stones).  Arrows are
given in screen coordinates and drawn into the page picture."""
import os
import sys

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import output_dir  # noqa: E402
from make_screens import dynamite, piece_icon, star_points, worker_icon  # noqa: E402
from scenery import paper_panel  # noqa: E402
from screen_common import (arrow, bevel, ellipse_mask, from_array, mask, polygon_mask, put_text,  # noqa: E402
                           rounded_rect_mask, save_png, shadow_of, solid, text_width, to_array)
import screen_layout as L  # noqa: E402

TITLE_FONT = ("serif_bold", 22)
BODY_FONT = ("serif", 15)
LINE = 19
SMALL_FONT = ("serif", 12)


def wrap(text, font_obj, width):
    lines = []
    for para in text.split("\n"):
        words, line = para.split(), ""
        for w in words:
            trial = (line + " " + w).strip()
            if text_width(trial, font_obj) <= width or not line:
                line = trial
            else:
                lines.append(line)
                line = w
        lines.append(line)
    return lines


# ------------------------------------------------------------------ little pictures

def gold_nugget(size):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    k = size / 40.0
    pts = [(8 * k, 26 * k), (12 * k, 14 * k), (22 * k, 9 * k), (32 * k, 14 * k), (35 * k, 25 * k), (26 * k, 32 * k),
           (14 * k, 32 * k)]
    m = to_array(polygon_mask(size, size, pts))
    img = Image.alpha_composite(img, from_array(solid(size, size, "gold") * bevel(m, 2 * k, 0.9), m))
    for sx, sy in ((16, 16), (25, 20)):
        star = to_array(polygon_mask(size, size, star_points(sx * k, sy * k, 4 * k, 1.2 * k, 4)))
        img = Image.alpha_composite(img, from_array(solid(size, size, (255, 252, 230)), star))
    return Image.alpha_composite(shadow_of(img, (2, 2), 1.2, 0.45), img)


def figure(size, hat, scarf, coat, tool=None):
    """A standing figure in a wide hat with a scarf over the face."""
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    k = size / 64.0

    def add(draw_fn, colour, strength=0.7):
        nonlocal img
        m = to_array(mask(size, size, draw_fn))
        img = Image.alpha_composite(img, from_array(solid(size, size, colour) * bevel(m, 1.5 * k, strength), m))

    add(lambda d, s: d.rounded_rectangle(s(20 * k, 30 * k, 44 * k, 62 * k), radius=s(6 * k), fill=255), coat)
    if tool == "crowbar":
        add(lambda d, s: d.line([(s(46 * k), s(60 * k)), (s(56 * k), s(24 * k))], fill=255, width=int(3 * k * 4)),
            "iron_light", 0.9)
    elif tool == "rifle":
        add(lambda d, s: d.line([(s(10 * k), s(50 * k)), (s(56 * k), s(34 * k))], fill=255, width=int(3 * k * 4)),
            "wood_dark", 0.6)
    add(lambda d, s: d.ellipse(s(24 * k, 12 * k, 40 * k, 30 * k), fill=255), (214, 160, 112))
    add(lambda d, s: d.chord(s(23 * k, 14 * k, 41 * k, 34 * k), 0, 180, fill=255), scarf)
    add(lambda d, s: (d.ellipse(s(12 * k, 11 * k, 52 * k, 17 * k), fill=255),
                      d.chord(s(22 * k, 1 * k, 42 * k, 22 * k), 180, 360, fill=255)), hat, 0.8)
    eyes = to_array(mask(size, size, lambda d, s: (d.ellipse(s(28 * k, 19 * k, 31 * k, 22 * k), fill=255),
                                                   d.ellipse(s(33 * k, 19 * k, 36 * k, 22 * k), fill=255))))
    img = Image.alpha_composite(img, from_array(solid(size, size, "ink"), eyes))
    return Image.alpha_composite(shadow_of(img, (3, 3), 1.5, 0.45), img)


def mine_entrance(size):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    k = size / 64.0
    hill = to_array(mask(size, size, lambda d, s: d.chord(s(2 * k, 8 * k, 62 * k, 96 * k), 180, 360, fill=255)))
    img = Image.alpha_composite(img, from_array(solid(size, size, "rock") * bevel(hill, 2 * k, 0.7), hill))
    hole = to_array(mask(size, size, lambda d, s: d.chord(s(20 * k, 26 * k, 44 * k, 76 * k), 180, 360, fill=255)))
    img = Image.alpha_composite(img, from_array(solid(size, size, (24, 18, 14)), hole))
    beams = to_array(mask(size, size, lambda d, s: (d.rectangle(s(18 * k, 30 * k, 22 * k, 52 * k), fill=255),
                                                    d.rectangle(s(42 * k, 30 * k, 46 * k, 52 * k), fill=255),
                                                    d.rectangle(s(16 * k, 27 * k, 48 * k, 32 * k), fill=255))))
    img = Image.alpha_composite(img, from_array(solid(size, size, "wood") * bevel(beams, 1, 0.7), beams))
    return Image.alpha_composite(shadow_of(img, (2, 2), 1.5, 0.4), img)


def stones(size):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    for cx, cy, r in ((20, 40, 14), (42, 42, 12), (31, 26, 12)):
        k = size / 64.0
        m = to_array(ellipse_mask(size, size, ((cx - r) * k, (cy - r * 0.8) * k, (cx + r) * k, (cy + r * 0.8) * k)))
        img = Image.alpha_composite(img, from_array(solid(size, size, "rock") * bevel(m, 2 * k, 0.8), m))
    return Image.alpha_composite(shadow_of(img, (2, 2), 1.5, 0.4), img)


def palette_strip():
    icons = [piece_icon(n, 34, "tut-strip%d" % n) for n in range(7)] + [dynamite(34, "tut-strip-dyn")]
    strip = Image.new("RGBA", (8 * 40, 40), (0, 0, 0, 0))
    for i, icon in enumerate(icons):
        m = to_array(rounded_rect_mask(40, 40, (1, 1, 38, 38), 5))
        slot = from_array(solid(40, 40, "sand") * bevel(m, 1.5, -0.5), m)
        slot.alpha_composite(icon, (3, 3))
        strip.alpha_composite(slot, (i * 40, 0))
    return strip


# ------------------------------------------------------------------ pages

# Each page: its note rectangle and arrows in screen coordinates, a title, the
# text, an optional picture (placed at the note's right, or given a spot), and
# its place in the run of pages it belongs to.
PAGES = [
    dict(note=(142, 315, 566, 474), title="Build the line!",
         text="Your train waits on the left, beside the START cell. Lay rails cell by cell to join START to "
              "FINISH on the far right before the clock runs out.",
         arrows=[((153, 364), (113, 364)), ((566, 364), (912, 364))], run=(1, 6),
         labels=[("to the FINISH", (740, 344))]),
    dict(note=(600, 315, 986, 538), title="The palette",
         text="The bar at the bottom holds the pieces: two straights, four curves and a crossing. Click one to "
              "pick it, then click empty cells to lay it.\nThe last slot holds dynamite: it blows up a finished "
              "piece, free of charge.",
         picture=("strip", (633, 484)), run=(2, 6), text_width=350),
    dict(note=(140, 540, 566, 678), title="Pieces cost iron",
         text="Straights cost 100 iron, curves 150, the crossing 200: the small number in each slot. Your iron "
              "is shown at the top of the screen.",
         arrows=[((232, 664), (194, 713))], run=(3, 6)),
    dict(note=(360, 540, 648, 690), title="Workers build",
         text="Each piece needs a free worker (counted below). After five seconds the piece is done and the "
              "worker is free again.",
         arrows=[((612, 676), (664, 736))], run=(4, 6), text_width=258),
    dict(note=(600, 62, 990, 206), title="Beat the clock",
         text="The bar shows the time left before the train sets off by itself, five minutes after the start. "
              "Finish the line before it leaves!",
         arrows=[((735, 80), (735, 27))], run=(5, 6)),
    dict(note=(400, 62, 760, 194), title="Early start bonus",
         text="Line finished early? Click TIME to send the train off at once and earn 500 extra points.",
         arrows=[((541, 80), (541, 27))], picture=("loco-bonus", None), run=(6, 6), text_width=250),
    dict(note=(300, 118, 700, 262), title="The iron mine",
         text="This time you start with little iron. The mine on the left holds plenty more; workers inside "
              "dig it out for you.",
         arrows=[((324, 180), (271, 180))], picture=("mine", None), run=(1, 3), text_width=290),
    dict(note=(515, 540, 905, 684), title="Send workers in",
         text="Click the mine to send a free worker inside: every five seconds each miner brings 25 iron. When "
              "you order a piece and nobody is free, a miner comes out to build it.",
         arrows=[((640, 670), (668, 736))], run=(2, 3)),
    dict(note=(160, 390, 600, 470), title="Gold on the track",
         text="Lay rails over the nuggets: the train collects each one for 300 points and 100 gold.",
         arrows=[((364, 460), (364, 524))], picture=("gold", (546, 405)), run=(3, 3), text_width=350,
         compact=True),
    dict(note=(520, 450, 900, 598), title="Bandits!",
         text="They camp beside the mine and steal iron from your stock. Click them again and again, quickly, "
              "to chase them off.",
         arrows=[((734, 586), (734, 628))], picture=("bandit", None), run=None, text_width=280),
    dict(note=(100, 100, 520, 262), title="Raiders!",
         text="Raiders settle on a finished piece of track and tear it out after three seconds. Click them "
              "fast and repeatedly to drive them away, then rebuild what they broke.",
         picture=("raider", None), run=None, text_width=320),
    dict(note=(128, 402, 560, 540), title="Stones in the way",
         text="Raiders roam this land, and stones block some cells. Click the stones to send a worker: in 15 "
              "seconds they are cleared and you can lay track there.",
         arrows=[((290, 528), (290, 566))], picture=("stones", None), run=None, text_width=330),
]


def picture(kind):
    if kind == "strip":
        return palette_strip()
    if kind == "mine":
        return mine_entrance(72)
    if kind == "gold":
        return gold_nugget(44)
    if kind == "bandit":
        return figure(76, (40, 34, 30), "red", (90, 70, 56), "rifle")
    if kind == "raider":
        return figure(76, (120, 84, 48), (60, 90, 130), (140, 100, 60), "crowbar")
    if kind == "stones":
        return stones(64)
    if kind == "loco-bonus":
        img = Image.new("RGBA", (80, 64), (0, 0, 0, 0))
        img = Image.alpha_composite(img, put_text(img, (40, 32), "+500", ("serif_bold", 24), "gold", anchor="mm",
                                                  stroke=1.5, stroke_fill="ink", shadow=(2, 2, 0.5)))
        return img
    raise ValueError(kind)


def make_page(index, spec):
    px, py = L.TUTORIAL_POSITIONS[index]
    nx0, ny0, nx1, ny1 = spec["note"]
    compact = spec.get("compact", False)
    tw = spec.get("text_width", nx1 - nx0 - 44)
    lines = wrap(spec["text"], BODY_FONT, tw)
    title_gap = 28 if compact else 32
    top = 14 if compact else 18
    text_h = sum(6 if line == "" else LINE for line in lines)
    pic = None
    if "picture" in spec:
        kind, spot = spec["picture"]
        pic = picture(kind)
    below = pic.size[1] + 6 if (pic is not None and spec["picture"][0] == "strip") else 0
    # the note grows downwards to hold its words
    ny1 = max(ny1, ny0 + top + title_gap + text_h + below + 24)
    # arrows start on the note's edge facing what they point at
    arrows = []
    for tail, head in spec.get("arrows", []):
        if head[1] > ny1:
            tail = (tail[0], ny1 - 8)
        elif head[1] < ny0:
            tail = (tail[0], ny0 + 8)
        arrows.append((tail, head))
    right, bottom = nx1, ny1
    for tail, head in arrows:
        right = max(right, tail[0] + 14, head[0] + 14)
        bottom = max(bottom, tail[1] + 14, head[1] + 14)
    w, h = right - px + 1, bottom - py + 1
    page = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    note = paper_panel(nx1 - nx0 + 1, ny1 - ny0 + 1, "tutorial%d" % index, 12)
    note_layer = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    note_layer.paste(note, (nx0 - px, ny0 - py))
    page = Image.alpha_composite(page, shadow_of(note_layer, (5, 6), 4, 0.5))
    page = Image.alpha_composite(page, note_layer)
    # words
    lx = nx0 - px + 20
    ty = ny0 - py + top
    page = put_text(page, (lx, ty), spec["title"], TITLE_FONT, "red", anchor="la", stroke=0.6, stroke_fill="ink")
    y = ty + title_gap
    for line in lines:
        if line == "":
            y += 6
            continue
        page = put_text(page, (lx, y), line, BODY_FONT, "ink", anchor="la")
        y += LINE
    # picture: under the words, at its spot, or at the note's right
    if pic is not None:
        kind, spot = spec["picture"]
        if kind == "strip":
            spot = (nx0 + (nx1 - nx0 - pic.size[0]) // 2, py + y + 4)
        elif spot is None:
            spot = (nx1 - 18 - pic.size[0], ny0 + (ny1 - ny0 - pic.size[1]) // 2 + 4)
        page.alpha_composite(pic, (spot[0] - px, spot[1] - py))
    # footer: where this page stands in its run, and how to go on
    if spec["run"]:
        n, total = spec["run"]
        foot = "%d / %d   -   %s" % (n, total, "click to continue" if n < total else "click to play")
    else:
        foot = "click to play"
    page = put_text(page, (nx1 - px - 20, ny1 - py - 13), foot, SMALL_FONT, (110, 84, 60), anchor="rs")
    for text, (tx, ty) in spec.get("labels", []):
        page = put_text(page, (tx - px, ty - py), text, ("serif_bold", 18), "paper", anchor="mm", stroke=2,
                        stroke_fill="ink", shadow=(2, 2, 0.6))
    for tail, head in arrows:
        page = Image.alpha_composite(page, arrow(w, h, (tail[0] - px, tail[1] - py), (head[0] - px, head[1] - py),
                                                "red", shaft=7, head_len=20, head_w=22))
    return page


def main():
    out = output_dir()
    for i, spec in enumerate(PAGES):
        save_png(make_page(i, spec), out, "game/tutorial/%d.png" % (i + 1))


if __name__ == "__main__":
    main()
