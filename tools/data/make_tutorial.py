"""Makes the twelve tutorial pages data/game/tutorial/1.png to 12.png.

Each page is a parchment note that the game draws at a fixed position over the
paused board (screen_layout.TUTORIAL_POSITIONS); its picture begins at that
position and may hold, besides the note, an arrow reaching out to what the page
explains (the start cell, the palette, the worker count, the countdown, the
send-off button, the mine, the gold, the bandits, the stones).  Arrows are
given in screen coordinates and drawn into the page picture."""
import math
import os
import sys

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import output_dir  # noqa: E402
from make_screens import WORKERS_CAPTION, dynamite, piece_icon  # noqa: E402
from scenery import paper_panel  # noqa: E402
from screen_common import (SS, arrow, bevel, font, from_array,  # noqa: E402
                           put_text, rounded_rect_mask, save_png, shadow_of, solid, text_width, to_array,
                           HEADING, TEXT, TEXT_BOLD, SMALL, BODY, SUBTITLE)
import screen_layout as L  # noqa: E402

# The game's two faces (screen_common): the page's title in the heading face,
# its words, footer and labels in the interface face.
TITLE_FONT = (HEADING, SUBTITLE)
BODY_FONT = (TEXT, SMALL)
LINE = 19
SMALL_FONT = (TEXT, SMALL)
LABEL_FONT = (TEXT_BOLD, BODY)


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

# The pictures on the pages are the board's own sprites, read from the data
# folder this run is filling (the board generators run before this one), so a
# page shows exactly what the player will meet on the board.
DATA = None


def sprite(path, frame=None, scale=1.0, crop=True):
    """A picture of the data folder (one 74-pixel frame of a strip when `frame` is
    given), cut to what is drawn in it and scaled."""
    img = Image.open(os.path.join(DATA, path)).convert("RGBA")
    if frame is not None:
        img = img.crop((74 * frame, 0, 74 * frame + 74, 74))
    if crop:
        img = img.crop(img.getchannel("A").point(lambda a: 255 if a > 24 else 0).getbbox())
    if scale != 1.0:
        img = img.resize((round(img.width * scale), round(img.height * scale)), Image.LANCZOS)
    return img


def tunnel_pair():
    """Two tunnel mouths on a rail, the train's way in and its way out."""
    track = sprite("game/0.png", crop=False)
    pic = Image.new("RGBA", (74 * 3 + 20, 74), (0, 0, 0, 0))
    for x, side in ((0, "E"), (74 * 2 + 20, "W")):
        pic.alpha_composite(track, (x, 0))
        pic.alpha_composite(sprite("game/tunnel%s.png" % side, crop=False), (x, 0))
    arrow_layer = arrow(pic.width, pic.height, (84, 37), (pic.width - 84, 37), (150, 120, 90), shaft=3,
                        head_len=10, head_w=12)
    pic.alpha_composite(arrow_layer)
    return pic.resize((pic.width * 3 // 4, pic.height * 3 // 4), Image.LANCZOS)


def palette_strip():
    icons = [piece_icon(n, 34, "tut-strip%d" % n) for n in range(7)] + [dynamite(34, "tut-strip-dyn")]
    strip = Image.new("RGBA", (8 * 40, 40), (0, 0, 0, 0))
    for i, icon in enumerate(icons):
        m = to_array(rounded_rect_mask(40, 40, (1, 1, 38, 38), 5))
        slot = from_array(solid(40, 40, "sand") * bevel(m, 1.5, -0.5), m)
        slot.alpha_composite(icon, (3, 3))
        strip.alpha_composite(slot, (i * 40, 0))
    return strip


def picture(kind):
    if kind == "strip":
        return palette_strip()
    if kind == "mine":
        return sprite("game/ironmine.png", scale=0.55)
    if kind == "gold":
        return sprite("game/gold.png", scale=1.2)
    if kind == "bandit":
        return sprite("game/bandit.png", 0, 1.15)
    if kind == "raider":
        return sprite("game/indigen.png", 10, 1.3)
    if kind == "stones":
        return sprite("game/buildings/stones.png", scale=1.0)
    if kind == "tunnels":
        return tunnel_pair()
    if kind == "loco-bonus":
        img = Image.new("RGBA", (80, 64), (0, 0, 0, 0))
        img = Image.alpha_composite(img, put_text(img, (40, 32), "+500", (TEXT_BOLD, SUBTITLE), "gold", anchor="mm",
                                                  stroke=1.5, stroke_fill="ink", shadow=(2, 2, 0.5)))
        return img
    raise ValueError(kind)


# ------------------------------------------------------------------ pages

# Each page: its note (left, top and right edge in screen coordinates; the
# height follows from what it holds), a title, the text, the arrows (tail and
# head in screen coordinates; the tail is moved onto the rim of the side that
# faces the head), an optional picture (under the words or at the note's
# right) and its place in the run of pages it belongs to.
PAGES = [
    dict(note=(150, 315, 566), title="Build the line!",
         text="Your train waits on the left, beside the START cell. Lay rails cell by cell to join START to "
              "FINISH on the far right before the clock runs out.\nNo mouse? Arrows move a cursor, Enter builds, "
              "T sends the train; gamepads work too.",
         arrows=[((150, 364), (113, 364)), ((566, 364), (912, 364))], run=(1, 6),
         labels=[("to the FINISH", (740, 344))]),
    dict(note=(600, 315, 1000), title="The palette",
         text="The bar at the bottom holds the pieces: two straights, four curves and a crossing. Click one to "
              "pick it, then click empty cells to lay it.\nThe last slot holds dynamite: it blows up a finished "
              "piece, free of charge.",
         picture="strip", run=(2, 6)),
    dict(note=(140, 540, 580), title="Pieces cost iron",
         text="Straights cost 100 iron, curves 150, the crossing 200: the small number in each slot. Your iron "
              "is shown at the top of the screen.",
         arrows=[((232, 664), (194, 713))], run=(3, 6)),
    dict(note=(360, 540, 880), title="Workers build",
         text="Each piece needs a free worker (counted below). After five seconds the piece is done and "
              "the worker is free again.",
         arrows=[((664, 676), (664, 708))], run=(4, 6)),
    dict(note=(600, 62, 990), title="Beat the clock",
         text="The bar shows the time left before the train sets off by itself, five minutes after the start. "
              "Finish the line before it leaves!",
         arrows=[((735, 80), (735, 27))], run=(5, 6)),
    dict(note=(400, 62, 800), title="Early start bonus",
         text="Line finished early? Click TIME to send the train off at once and earn 500 extra points.",
         arrows=[((541, 80), (541, 27))], picture="loco-bonus", run=(6, 6)),
    dict(note=(320, 118, 740), title="The iron mine",
         text="This time you start with little iron. The mine on the left holds plenty more; workers inside "
              "dig it out for you.",
         arrows=[((320, 180), (271, 180))], picture="mine", run=(1, 3)),
    dict(note=(515, 540, 1000), title="Send workers in",
         text="Click the mine to send a free worker in: each miner digs 25 iron every five seconds, and "
              "comes out to build.",
         arrows=[((664, 670), (664, 708))], run=(2, 3)),
    dict(note=(440, 400, 880), title="Gold on the track",
         text="Lay rails over the nuggets: the train collects each one for 300 points and 100 gold.",
         arrows=[((440, 470), (382, 512))], picture="gold", run=(3, 3)),
    dict(note=(520, 450, 990), title="Bandits!",
         text="They camp beside the mine and steal iron from your stock. Click them again and again, quickly, "
              "to chase them off.",
         arrows=[((734, 586), (734, 628))], picture="bandit", run=None),
    dict(note=(100, 100, 560), title="Raiders!",
         text="Raiders settle on a finished piece of track and tear it out after three seconds. Click them "
              "fast and repeatedly to drive them away, then rebuild what they broke.",
         picture="raider", run=None),
    dict(note=(480, 402, 1000), title="The road ahead",
         text="Stones block some cells: click them to send a worker, who clears them in 15 seconds. Raiders "
              "roam this land now, so guard your track. Further on you will meet tunnels: a train that "
              "enters one comes out of its twin.",
         arrows=[((480, 512), (406, 512))], picture="tunnels", run=None),
]

# The note's layout, in pixels of the note: the paper starts FRAME pixels in
# from the note's edge (see scenery.paper_panel) and everything written or pictured on it keeps MARGIN
# pixels of bare paper from the paper's edge, so the corner nails (which sit
# inside that band) stay clear too.
FRAME = 10
MARGIN = 13
INSET = FRAME + MARGIN
TITLE_TO_BODY = 26      # title baseline to the first body baseline
PARAGRAPH = 6           # extra room between paragraphs
PICTURE_GAP = 14        # between the words and a picture beside or under them

FOOTER_BELOW = 17       # body baseline to footer baseline when the footer takes its own row
ARROW_INTO_RIM = 8      # an arrow's tail reaches this far into the wooden rim
FOOTER_COLOUR = (110, 84, 60)


def ink_box(text, font_obj, xy, anchor, stroke=0.0):
    """The box (x0, y0, x1, y1) that put_text's letters cover."""
    kind, size = font_obj
    x0, y0, x1, y1 = font(kind, size * SS).getbbox(text, anchor=anchor)
    return (xy[0] + x0 / SS - stroke, xy[1] + y0 / SS - stroke, xy[0] + x1 / SS + stroke, xy[1] + y1 / SS + stroke)


def rise_and_fall(font_obj, stroke=0.0):
    """How far the tallest letters reach above the baseline and the longest below it."""
    _, top, _, bottom = ink_box("HdlfjgpqyQ!/", font_obj, (0, 0), "ls", stroke)
    return -top, bottom


def picture_ink(pic):
    """The picture's visible part, leaving out the faint fringe of its shadow."""
    alpha = np.asarray(pic, dtype=np.uint8)[..., 3]
    ys, xs = np.nonzero(alpha > 40)
    return int(xs.min()), int(ys.min()), int(xs.max()) + 1, int(ys.max()) + 1


def footer_text(run):
    if not run:
        return "click to play"
    n, total = run
    return "%d / %d   -   %s" % (n, total, "click to continue" if n < total else "click to play")


def attach(tail, head, note):
    """Moves an arrow's tail onto the rim of the note's side that faces its head."""
    x0, y0, x1, y1 = note
    tx, ty = tail
    hx, hy = head
    if hx < x0:
        return (x0 + ARROW_INTO_RIM, ty), head
    if hx > x1:
        return (x1 - ARROW_INTO_RIM, ty), head
    if hy < y0:
        return (tx, y0 + ARROW_INTO_RIM), head
    if hy > y1:
        return (tx, y1 - ARROW_INTO_RIM), head
    raise ValueError("an arrow points into its own note")


def lay_out(spec):
    """Places the title, lines, picture and footer on the note.  Returns the
    note's height and the things to draw, each with its place in note pixels
    (text by its baseline, the footer by its baseline's right end, a picture
    by its top-left corner)."""
    nx0, _, nx1 = spec["note"]
    width = nx1 - nx0 + 1
    right = width - INSET                       # the words end before this x
    title_rise, _ = rise_and_fall(TITLE_FONT, 0.6)
    _, body_fall = rise_and_fall(BODY_FONT)
    foot_rise, foot_fall = rise_and_fall(SMALL_FONT)
    kind = spec.get("picture")
    pic = picture(kind) if kind else None
    beside = pic is not None and kind not in ("strip", "tunnels")
    text_right = right
    if beside:
        px0, _, px1, _ = picture_ink(pic)
        text_right = right - (px1 - px0) - PICTURE_GAP
    lines = wrap(spec["text"], BODY_FONT, text_right - INSET)
    items = []
    base = math.ceil(INSET + title_rise)
    items.append(("text", spec["title"], TITLE_FONT, (INSET, base)))
    base += TITLE_TO_BODY
    last = None
    for line in lines:
        if line == "":
            base += PARAGRAPH
            continue
        items.append(("text", line, BODY_FONT, (INSET, base)))
        last = (line, base)
        base += LINE
    words_bottom = last[1] + body_fall
    pic_box = None
    if pic is not None:
        ix0, iy0, ix1, iy1 = picture_ink(pic)
        if beside:
            # level with the words, its right edge on the margin
            mid = (INSET + words_bottom) / 2
            top = max(INSET, int(round(mid - (iy1 - iy0) / 2)))
            at = (right - ix1, top - iy0)
        else:
            at = ((width - (ix1 - ix0)) // 2 - ix0, math.ceil(words_bottom) + PICTURE_GAP - iy0)
        pic_box = (at[0] + ix0, at[1] + iy0, at[0] + ix1, at[1] + iy1)
        items.append(("picture", pic, None, at))
    # the footer takes a row of its own at the bottom right, under the words
    # and the picture
    foot = footer_text(spec["run"])
    foot_right = right
    foot_base = last[1] + FOOTER_BELOW
    if pic_box is not None and foot_base - foot_rise < pic_box[3] + PICTURE_GAP / 2:
        foot_base = math.ceil(pic_box[3] + PICTURE_GAP / 2 + foot_rise)
    items.append(("footer", foot, SMALL_FONT, (foot_right, foot_base)))
    bottom = max(words_bottom, foot_base + foot_fall, pic_box[3] if pic_box else 0)
    height = math.ceil(bottom) + INSET
    return height, items


def check_page(index, page, note, items, arrows, labels):
    """Stops the build when a page's layout is faulty: writing or pictures
    outside the margins, arrows or labels over them, or a page off the screen."""
    px, py = L.TUTORIAL_POSITIONS[index]
    nx0, ny0, nx1, ny1 = note
    name = "tutorial page %d" % (index + 1)
    problems = []
    if px + page.size[0] > L.SCREEN[0] or py + page.size[1] > L.SCREEN[1]:
        problems.append("it runs off the screen")
    area = (nx0 + INSET - 1, ny0 + INSET - 1, nx1 + 1 - INSET + 1, ny1 + 1 - INSET + 1)  # a pixel's leeway
    boxes = []
    for what, content, font_obj, (x, y) in items:
        if what == "picture":
            ix0, iy0, ix1, iy1 = picture_ink(content)
            box = (nx0 + x + ix0, ny0 + y + iy0, nx0 + x + ix1, ny0 + y + iy1)
        else:
            anchor = "rs" if what == "footer" else "ls"
            box = ink_box(content, font_obj, (nx0 + x, ny0 + y), anchor, 0.6 if font_obj == TITLE_FONT else 0)
            content = repr(content)
        if not (area[0] <= box[0] and area[1] <= box[1] and box[2] <= area[2] and box[3] <= area[3]):
            problems.append("%s leaves the margin (%s)" % (content if what != "picture" else what,
                                                           ", ".join("%.1f" % v for v in box)))
        boxes.append((what if what == "picture" else content, box))
    boxes += labels
    # the frame's own caption over the worker count shows through beside the note
    at, text, font_obj = WORKERS_CAPTION
    frame_caption = (repr(text), ink_box(text, font_obj, at, "la"))
    for i, (a, box_a) in enumerate(boxes):
        for b, box_b in boxes[i + 1:]:
            if overlap(box_a, box_b, 3):
                problems.append("%s and %s overlap" % (a, b))
    ink = np.zeros((page.size[1], page.size[0]), dtype=bool)
    for tail, head in arrows:
        drawn = arrow(page.size[0], page.size[1], (tail[0] - px, tail[1] - py), (head[0] - px, head[1] - py),
                      "red", shaft=7, head_len=20, head_w=22)
        ink |= np.asarray(drawn)[..., 3] > 0
    for what, box in boxes + [frame_caption]:
        x0, y0 = max(0, int(box[0]) - px - 3), max(0, int(box[1]) - py - 3)
        x1, y1 = int(math.ceil(box[2])) - px + 3, int(math.ceil(box[3])) - py + 3
        if ink[y0:y1, x0:x1].any():
            problems.append("an arrow runs over %s" % what)
    if problems:
        raise ValueError("%s: %s" % (name, "; ".join(problems)))


def overlap(a, b, gap):
    return a[0] < b[2] + gap and b[0] < a[2] + gap and a[1] < b[3] + gap and b[1] < a[3] + gap


def make_page(index, spec):
    px, py = L.TUTORIAL_POSITIONS[index]
    nx0, ny0, nx1 = spec["note"]
    height, items = lay_out(spec)
    ny1 = ny0 + height - 1
    note = (nx0, ny0, nx1, ny1)
    arrows = [attach(tail, head, note) for tail, head in spec.get("arrows", [])]
    right, bottom = nx1, ny1
    for tail, head in arrows:
        right = max(right, tail[0] + 14, head[0] + 14)
        bottom = max(bottom, tail[1] + 14, head[1] + 14)
    w, h = right - px + 1, bottom - py + 1
    page = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    paper = paper_panel(nx1 - nx0 + 1, height, "tutorial%d" % index, 12)
    note_layer = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    note_layer.paste(paper, (nx0 - px, ny0 - py))
    page = Image.alpha_composite(page, shadow_of(note_layer, (5, 6), 4, 0.5))
    page = Image.alpha_composite(page, note_layer)
    for what, content, font_obj, (x, y) in items:
        at = (nx0 - px + x, ny0 - py + y)
        if what == "picture":
            page.alpha_composite(content, at)
        elif what == "footer":
            page = put_text(page, at, content, SMALL_FONT, FOOTER_COLOUR, anchor="rs")
        elif font_obj == TITLE_FONT:
            page = put_text(page, at, content, TITLE_FONT, "red", anchor="ls", stroke=0.6, stroke_fill="ink")
        else:
            page = put_text(page, at, content, BODY_FONT, "ink", anchor="ls")
    labels = []
    for text, (tx, ty) in spec.get("labels", []):
        page = put_text(page, (tx - px, ty - py), text, LABEL_FONT, "paper", anchor="mm", stroke=2,
                        stroke_fill="ink", shadow=(2, 2, 0.6))
        labels.append((repr(text), ink_box(text, LABEL_FONT, (tx, ty), "mm", 2)))
    for tail, head in arrows:
        page = Image.alpha_composite(page, arrow(w, h, (tail[0] - px, tail[1] - py), (head[0] - px, head[1] - py),
                                                "red", shaft=7, head_len=20, head_w=22))
    check_page(index, page, note, items, arrows, labels)
    return page


def main():
    global DATA
    out = output_dir()
    DATA = out
    for i, spec in enumerate(PAGES):
        save_png(make_page(i, spec), out, "game/tutorial/%d.png" % (i + 1))


if __name__ == "__main__":
    main()
