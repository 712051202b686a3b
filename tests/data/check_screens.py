#!/usr/bin/python3
"""Checks the screens, panels, tutorial pages and fonts in the data folder:
every file the game opens exists and is readable the way the game reads it,
pictures have the sizes and transparent areas the code relies on, buttons lie
on the rectangles the game tests, and the font description parses with the
loader's rules and has all three layers for every Latin-1 character.  The
sounds and the music have check_sounds.py.

usage: check_screens.py DATA_FOLDER"""
import os
import struct
import sys

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "data"))
import screen_layout as L  # noqa: E402
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from data_check import check, failures, report  # noqa: E402

DATA = sys.argv[1] if len(sys.argv) > 1 else "data"


def rgba(path):
    """Loads a picture as the game does (PNG, 8 bits per channel)."""
    full = os.path.join(DATA, path)
    if not check(os.path.exists(full), "missing: " + path):
        return None
    with open(full, "rb") as fh:
        head = fh.read(33)
    check(head[:8] == b"\x89PNG\r\n\x1a\n", path + ": not a PNG")
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", head[16:29])
    check(depth == 8, path + ": not 8 bits per channel")
    check(colour in (2, 6), path + ": not RGB or RGBA")
    img = Image.open(full)
    img.load()
    return np.asarray(img.convert("RGBA"), dtype=np.int32)


def alpha_box(a):
    ys, xs = np.nonzero(a[..., 3] > 0)
    if len(xs) == 0:
        return None
    return xs.min(), ys.min(), xs.max(), ys.max()


def luminance(c):
    def lin(v):
        v = v / 255.0
        return v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = c[:3]
    return 0.2126 * lin(r) + 0.7152 * lin(g) + 0.0722 * lin(b)


def contrast(c1, c2):
    l1, l2 = sorted((luminance(c1), luminance(c2)), reverse=True)
    return (l1 + 0.05) / (l2 + 0.05)


def edge_strength(img, box):
    """Mean colour change across each side of a rectangle (inside vs outside)."""
    x0, y0, x1, y1 = box
    h, w = img.shape[:2]
    rgb = img[..., :3].astype(np.float64)
    sides = []
    if x0 - 2 >= 0:
        sides.append(np.abs(rgb[y0:y1 + 1, x0 + 1] - rgb[y0:y1 + 1, x0 - 2]).mean())
    if x1 + 2 < w:
        sides.append(np.abs(rgb[y0:y1 + 1, x1 - 1] - rgb[y0:y1 + 1, x1 + 2]).mean())
    if y0 - 2 >= 0:
        sides.append(np.abs(rgb[y0 + 1, x0:x1 + 1] - rgb[y0 - 2, x0:x1 + 1]).mean())
    if y1 + 2 < h:
        sides.append(np.abs(rgb[y1 - 1, x0:x1 + 1] - rgb[y1 + 2, x0:x1 + 1]).mean())
    return sides


def check_buttons(img, buttons, origin, what):
    """A button is drawn on its rectangle: its outline stands out on every side
    that lies inside the picture."""
    ox, oy = origin
    for name, (x0, y0, x1, y1) in buttons.items():
        box = (x0 - ox, y0 - oy, x1 - ox, y1 - oy)
        sides = edge_strength(img, box)
        check(sides and min(sides) > 10.0, "%s: the %s button does not line up with its rectangle %s (edges %s)"
              % (what, name, (x0, y0, x1, y1), [round(s, 1) for s in sides]))


# ---------------------------------------------------------------- pictures

def check_full_screens():
    for path in ("menu/logo.png", "menu/splash.png", "menu/menu.png", "menu/theend.png",
                 "game/border.png", "game/gameMap.png"):
        img = rgba(path)
        if img is None:
            continue
        check(img.shape[:2] == (768, 1024), path + ": not 1024 x 768")
        if path != "game/border.png":
            check(img[..., 3].min() == 255, path + ": a full-screen picture must be opaque")


def check_menu():
    img = rgba("menu/menu.png")
    if img is None:
        return
    check_buttons(img, L.MENU_SIGNS, (0, 0), "menu")
    # the signs on the post: all one size, each centred in its click band
    post_signs = [key for key in L.MENU_SIGNS if key != "full screen"]
    check(len({(x1 - x0, y1 - y0) for x0, y0, x1, y1 in (L.MENU_SIGNS[k] for k in post_signs)}) == 1,
          "menu: the signs on the post differ in size")
    for key in post_signs:
        sx0, sy0, sx1, sy1 = L.MENU_SIGNS[key]
        bx0, by0, bx1, by1 = L.MENU_BUTTONS[key]
        check(by0 <= sy0 and sy1 <= by1 and abs((sy0 - by0) - (by1 - sy1)) <= 1,
              "menu: the %s sign %s is not centred in its click band %s" % (key, L.MENU_SIGNS[key], L.MENU_BUTTONS[key]))
    for path, (mx, my) in L.MENU_MARKS.items():
        mark = rgba(path)
        if mark is None:
            continue
        key = {"menu/musicOn.png": "music", "menu/soundOn.png": "sound",
               "menu/fullscreenOn.png": "full screen"}[path]
        bx0, by0, bx1, by1 = L.MENU_BUTTONS[key]
        box = alpha_box(mark)
        check(box is not None, path + ": empty")
        if box:
            check(bx0 <= mx + box[0] and mx + box[2] <= bx1 and by0 <= my + box[1] and my + box[3] <= by1,
                  "%s: drawn at (%d, %d) it leaves its button %s" % (path, mx, my, L.MENU_BUTTONS[key]))
    for key, (tx, ty) in L.MENU_TEXTS.items():
        field = img[ty:ty + 22, tx:tx + 120, :3]
        check(np.mean([luminance(p) for p in field.reshape(-1, 3)[::37]]) < 0.15,
              "menu: the %s field at (%d, %d) is too light for the game's white text" % (key, tx, ty))


def check_panel_extras():
    """The failed panel's Show me button fills its rectangle inside the panel;
    the star is square; the full-screen switch's board and its shadow end above
    the screen's bottom edge."""
    show = rgba("game/btnShowMe.png")
    if show is not None:
        x0, y0, x1, y1 = L.SHOW_ME_IN_PANEL
        check(show.shape[:2] == (y1 - y0 + 1, x1 - x0 + 1), "btnShowMe.png: not the size of its rectangle")
        fail = rgba("game/msgLevelFail.png")
        if fail is not None:
            check(x1 < fail.shape[1] and y1 < fail.shape[0], "btnShowMe.png: leaves the failed panel")
            h, w = show.shape[:2]
            check(show[h // 2, :, 3].min() > 0 and show[:, w // 2, 3].min() > 0,
                  "btnShowMe.png: the board must reach every side of its rectangle")
    star = rgba("game/star.png")
    if star is not None:
        check(star.shape[:2] == (L.STAR_SIZE, L.STAR_SIZE), "star.png: not STAR_SIZE square")
        c = L.STAR_SIZE // 2
        check(star[c, c, 3] == 255 and star[0, 0, 3] == 0, "star.png: a solid star on a clear ground")
    menu = rgba("menu/menu.png")
    if menu is not None:
        x0, y0, x1, y1 = L.MENU_SIGNS["full screen"]
        check(y1 + 8 < 768, "menu: the full-screen board or its shadow is cut by the bottom edge")


def check_border():
    img = rgba("game/border.png")
    if img is None:
        return
    x0, y0, x1, y1 = L.BOARD_WINDOW
    check(img[y0:y1 + 1, x0:x1 + 1, 3].max() == 0, "border: the board window is not fully transparent")
    ring = np.ones(img.shape[:2], bool)
    ring[y0:y1 + 1, x0:x1 + 1] = False
    check(img[..., 3][ring].min() == 255, "border: the frame around the board must be opaque")
    check_buttons(img, {"pause": L.PAUSE_BUTTON}, (0, 0), "border")
    check_buttons(img, {"slot %d" % n: box for n, box in enumerate(L.PALETTE_SLOTS)}, (0, 0), "border")
    # the send-off button: red under "TIME:"
    bx0, by0, bx1, by1 = L.DEPART_BUTTON
    patch = img[by0 + 3:by1 - 2, bx0 + 3:bx1 - 2, :3].reshape(-1, 3).mean(axis=0)
    check(patch[0] > patch[1] + 30, "border: no send-off button under TIME:")
    sel = rgba("game/guiSelection.png")
    if sel is not None:
        check(sel.shape[:2] == (56, 56), "guiSelection.png: not 56 x 56")
        check(sel[20:36, 20:36, 3].max() == 0, "guiSelection.png: must leave the piece visible")


def check_panels():
    for path, (px, py) in L.PANELS.items():
        img = rgba(path)
        if img is None:
            continue
        h, w = img.shape[:2]
        check(px + w <= 1024 and py + h <= 768, path + ": does not fit on the screen")
        buttons = {"game/msgLevelDone.png": L.DONE_BUTTONS, "game/msgLevelFail.png": L.FAIL_BUTTONS,
                   "game/msgPause.png": L.PAUSE_BUTTONS}[path]
        for name, (x0, y0, x1, y1) in buttons.items():
            check(px <= x0 and x1 < px + w and py <= y0 and y1 < py + h,
                  "%s: the %s button lies outside the panel" % (path, name))
        check_buttons(img, L.PAUSE_PLATES if buttons is L.PAUSE_BUTTONS else buttons, (px, py), path)
    done = rgba("game/msgLevelDone.png")
    if done is not None:
        px, py = L.PANELS["game/msgLevelDone.png"]
        for key, (tx, ty) in L.DONE_TEXTS.items():
            field = done[ty - py:ty - py + 22, tx - px:tx - px + 100, :3]
            check(np.mean([luminance(p) for p in field.reshape(-1, 3)[::29]]) < 0.15,
                  "level done: the %s field is too light for the game's white text" % key)
    for path, (mx, my) in L.PAUSE_MARKS.items():
        mark = rgba(path)
        if mark is None:
            continue
        key = "music" if "Music" in path else "sound"
        bx0, by0, bx1, by1 = L.PAUSE_PLATES[key]
        box = alpha_box(mark)
        if check(box is not None, path + ": empty"):
            # inside the board with room to spare, and centred on it up and down
            check(bx0 + 2 <= mx + box[0] and mx + box[2] <= bx1 - 2 and by0 + 2 <= my + box[1]
                  and my + box[3] <= by1 - 2,
                  "%s: drawn at (%d, %d) it touches or leaves its board %s" % (path, mx, my, L.PAUSE_PLATES[key]))
            mark_mid = my + (box[1] + box[3]) / 2.0
            check(abs(mark_mid - (by0 + by1) / 2.0) <= 1.5,
                  "%s: %.1f px off the middle of its board" % (path, mark_mid - (by0 + by1) / 2.0))


def check_map():
    img = rgba("game/gameMap.png")
    if img is None:
        return
    for name in ("levelavailable", "levellocked", "leveldone"):
        icon = rgba("game/%s.png" % name)
        if icon is not None:
            check(icon.shape[:2] == (L.ICON_SIZE, L.ICON_SIZE), name + ": wrong size")
    sel = rgba("game/levelSelected.png")
    if sel is not None:
        check(sel.shape[:2] == (L.SELECTION_SIZE, L.SELECTION_SIZE), "levelSelected: wrong size")
        c = L.SELECTION_SIZE // 2
        check(sel[c - 6:c + 6, c - 6:c + 6, 3].max() == 0, "levelSelected: must leave the icon visible")
    # the route passes through every icon: the map is darker there than the paper
    paper = np.median(img[..., :3].reshape(-1, 3), axis=0)
    for i, (x, y) in enumerate(L.MAP_ICONS):
        c = L.ICON_SIZE // 2
        spot = img[y + c - 3:y + c + 4, x + c - 3:x + c + 4, :3].reshape(-1, 3).mean(axis=0)
        check(spot.sum() < paper.sum() - 60, "map: the route does not reach icon %d at (%d, %d)" % (i, x, y))
    # each button is drawn from the top of its click area (not lower down, where
    # the greyed pictures begin), and its plate is set in it
    check_buttons(img, {"buy": L.BUY_FACE, "start": L.START_FACE}, (0, 0), "map")
    check_buttons(img, {"buy": L.BUY_PLATE, "start": L.START_PLATE}, (0, 0), "map")
    # (the buy button's frame may start lower, under the workers' count)
    for face, button, below in ((L.BUY_FACE, L.MAP_BUY_BUTTON, 10), (L.START_FACE, L.MAP_START_BUTTON, 2)):
        check(-2 <= face[1] - button[1] <= below and face[0] - button[0] <= 4 and button[2] - face[2] <= 4,
              "map: the button drawn at %s does not fill its click area %s" % (face, button))
    for path, at, plate, button in (("game/startGrey.png", L.START_GREY_AT, L.START_PLATE, L.MAP_START_BUTTON),
                                    ("game/noFunds.png", L.NO_FUNDS_AT, L.BUY_PLATE, L.MAP_BUY_BUTTON)):
        over = rgba(path)
        if over is None:
            continue
        box = alpha_box(over)
        if not check(box is not None, path + ": empty"):
            continue
        drawn = (at[0] + box[0], at[1] + box[1], at[0] + box[2], at[1] + box[3])
        check(drawn == plate, "%s: covers %s, not the button's plate %s" % (path, drawn, plate))
        check(button[0] <= drawn[0] and drawn[2] <= button[2] and button[1] <= drawn[1] and drawn[3] <= button[3],
              "%s: the plate %s leaves the hit area %s" % (path, drawn, button))
        # the overlay is the same plate, greyed: its shading follows the map's
        under = img[plate[1]:plate[3] + 1, plate[0]:plate[2] + 1, :3].mean(axis=2).ravel()
        top = over[box[1]:box[3] + 1, box[0]:box[2] + 1, :3].mean(axis=2).ravel()
        if path == "game/startGrey.png":
            check(np.corrcoef(under, top)[0, 1] > 0.8, path + ": does not match the start button under it")
        # the frame round the board stays as it is: only the board turns grey
        rim = (slice(box[1] + 10, box[3] - 10), slice(box[0], box[0] + 3))
        map_rim = (slice(plate[1] + 10, plate[3] - 10), slice(plate[0], plate[0] + 3))
        check(np.abs(over[rim][..., :3].astype(int) - img[map_rim][..., :3].astype(int)).mean() < 4,
              path + ": the button's frame changes under the greyed picture")
        colourful = over[box[1]:box[3] + 1, box[0]:box[2] + 1, :3]
        spread = np.median(np.abs(colourful[..., 0] - colourful[..., 2]))
        check(spread < 25, path + ": should look greyed out")
    for key, (tx, ty) in L.MAP_TEXTS.items():
        if key == "name":
            continue
        dx = -20 if key in ("start iron", "mine iron", "bandits", "raiders") else 0
        field = img[ty:ty + 20, tx + dx:tx + dx + 40, :3]
        check(np.mean([luminance(p) for p in field.reshape(-1, 3)[::13]]) < 0.15,
              "map: the %s field at (%d, %d) is too light for the game's bright text" % (key, tx, ty))


def check_map_fields_clear():
    """The workers' count field ends above the hire button's frame, and the
    button's price line is free of painted words, on the button and on its
    greyed picture alike, so the price the game writes there can be read."""
    img = rgba("game/gameMap.png")
    over = rgba("game/noFunds.png")
    if img is None or over is None:
        return
    wx, wy = L.MAP_TEXTS["workers"]
    frame_top = L.BUY_FACE[1]
    field = img[wy - 6:frame_top - 1, wx:wx + 60, :3].astype(float)
    check(field.mean() < 80, "map: the workers' field does not lie dark above the hire button")
    below_field = img[frame_top - 2, wx:wx + 60, :3].astype(float).mean()
    check(abs(below_field - img[frame_top - 2, wx - 40:wx - 20, :3].astype(float).mean()) < 25,
          "map: the workers' field runs into the hire button's frame")
    px, py = L.PRICE_AT
    gx, gy = L.NO_FUNDS_AT
    for name, pic, (ox, oy) in (("gameMap.png", img, (0, 0)), ("noFunds.png", over, (gx, gy))):
        line = pic[py - oy:py - oy + 18, px - ox:px - ox + 80, :3].astype(float).mean(axis=2)
        check(np.percentile(line, 98) - np.percentile(line, 2) < 60,
              "%s: words painted on the price line at %s, where the game writes the price" % (name, L.PRICE_AT))


def check_end_fields():
    """The end picture's fields, where the game writes the final figures in pale
    gold, are dark and plain enough for the figures to read (4.5:1), and the
    view's centres are the picture's."""
    img = rgba("menu/theend.png")
    if img is None:
        return
    hw, hh = L.END_FIELD_HALF
    for key, (fx, fy) in L.END_FIELDS.items():
        field = img[fy - hh + 4:fy + hh - 3, fx - hw + 6:fx + hw - 5, :3].astype(float)
        lightest = np.percentile(field.reshape(-1, 3), 98, axis=0)
        check(contrast((255, 236, 170), lightest) >= 4.5,
              "theend: the %s field at %s is too light for the figure written on it" % (key, (fx, fy)))
    view = open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "game", "views",
                             "end_figures.h")).read()
    for fx, fy in L.END_FIELDS.values():
        check("{%d, %d}" % (fx, fy) in view, "end_figures.h does not write a figure at %s" % ((fx, fy),))


def check_map_river_and_badges():
    """The river leaves the map by two of its edges, and the level badges are
    big enough for the number the game writes on them."""
    img = rgba("game/gameMap.png")
    if img is None:
        return
    water = np.array((70, 126, 160), float)

    def wet(strip):
        return (np.abs(strip[..., :3].astype(float) - water).sum(axis=-1) < 60).sum()
    edges = {"top": img[0:3, :], "bottom": img[582:585, :], "left": img[:585, 0:3], "right": img[:585, -3:]}
    check(sum(wet(strip) > 10 for strip in edges.values()) >= 2, "map: the river does not run off two of its edges")
    for name in ("levelavailable", "levellocked", "leveldone"):
        icon = rgba("game/%s.png" % name)
        box = alpha_box(icon) if icon is not None else None
        if check(box is not None, name + ": empty"):
            check(min(box[2] - box[0], box[3] - box[1]) + 1 >= 30, name + ": a badge under 32 pixels")


def check_border_labels():
    """The game's "TIME:" (its ink measured from the font) lies inside the
    send-off button as drawn, and no slot's piece runs into its cost or key."""
    img = rgba("game/border.png")
    path = os.path.join(DATA, "time.txt")
    if img is None or not os.path.exists(path):
        return
    _, _, layers, _ = parse_packed_font(open(path, encoding="utf-8").read())
    tx, ty = L.STATUS_TEXTS["time"]
    left = right = None
    pen = tx
    for ch in "TIME:":
        glyph = layers["F"].get(ord(ch))
        if glyph is None:
            return
        ox, adv, dw = glyph[1][5], glyph[1][9], glyph[1][7]
        left = pen + ox if left is None else min(left, pen + ox)
        right = pen + ox + dw if right is None else max(right, pen + ox + dw)
        pen += adv
    fx0, _, fx1, _ = L.DEPART_FACE
    check(fx0 + 3 <= left and right <= fx1 - 3,
          "border: TIME: spans x %d..%d, the send-off button %d..%d" % (left, right, fx0, fx1))
    # and the picture bears it out: the button's red runs on past both ends of the word
    for x in (left - 3, right + 2):
        patch = img[8:18, x, :3].astype(float).mean(axis=0)
        check(patch[0] > patch[1] + 70, "border: at x %d, beside TIME:, no red of the send-off button" % x)
    check(L.DEPART_FACE[0] <= L.DEPART_BUTTON[0] and L.DEPART_BUTTON[2] <= L.DEPART_FACE[2],
          "border: the send-off button is drawn smaller than where it is clicked")
    ix0, iy0, ix1, iy1 = L.PALETTE_ICON
    kx, ky = L.PALETTE_KEY_AT
    for n, (sx0, sy0, sx1, sy1) in enumerate(L.PALETTE_SLOTS):
        cost = img[sy1 - 12:sy1, sx1 - 26:sx1 - 2, :3].astype(float).mean(axis=2)
        check(iy1 < sy1 - sy0 - 12, "border: slot %d's piece reaches down into its cost" % n)
        check(ix0 > kx + 5, "border: slot %d's piece runs into its key number" % n)
        check(cost.max() - cost.min() > 100, "border: no cost written in slot %d" % n)
        key = img[sy0 + ky:sy0 + ky + 10, sx0 + kx:sx0 + kx + 6, :3].astype(float).mean(axis=2)
        check(key.max() - key.min() > 60, "border: no key number in slot %d" % n)


def check_tutorial():
    for i, (px, py) in enumerate(L.TUTORIAL_POSITIONS):
        path = "game/tutorial/%d.png" % (i + 1)
        img = rgba(path)
        if img is None:
            continue
        h, w = img.shape[:2]
        check(px + w <= 1024 and py + h <= 768, "%s: drawn at (%d, %d) it runs off the screen" % (path, px, py))
        check(w >= 150 and h >= 80, path + ": too small to read")
        check((img[..., 3] == 255).mean() > 0.3, path + ": mostly transparent")


# ---------------------------------------------------------------- fonts

def parse_packed_font(text):
    """The packed description as the game's loader reads it."""
    header, _, body = text.partition(",")
    sep = {"P1": ".", "P1.01": "_P_"}.get(header, "")
    layers = {"S": {}, "B": {}, "F": {}}
    pages = set()
    for record in body.split(";"):
        fields = record.split(",")
        if len(fields) < 2:
            break
        check(len(fields) == 13, "time.txt: a record has %d fields, not 13: %r" % (len(fields), record[:40]))
        if len(fields) != 13:
            continue
        for f in fields[:1] + fields[2:]:
            check(f.strip() == f and f.lstrip("-").isdigit(), "time.txt: not a whole number: %r" % f)
        code, layer, page = int(fields[0]), fields[1], int(fields[2])
        check(layer in layers, "time.txt: unknown layer %r" % layer)
        values = [int(v) for v in fields[3:]]
        layers.setdefault(layer, {})[code] = (page, values)
        pages.add(page)
    return header, sep, layers, pages


def check_time_font():
    path = os.path.join(DATA, "time.txt")
    if not check(os.path.exists(path), "missing: time.txt"):
        return
    raw = open(path, "rb").read()
    check(not raw.startswith(b"\xef\xbb\xbf"), "time.txt: must not start with a byte-order mark")
    header, sep, layers, pages = parse_packed_font(raw.decode("utf-8"))
    check(header == "P1.01", "time.txt: header is %r, not P1.01" % header)
    page_images = {}
    for page in sorted(pages):
        check(1 <= page <= 255, "time.txt: page %d is never drawn (pages start at 1)" % page)
        page_images[page] = rgba("time%s%d.png" % (sep, page))
    for code in list(range(32, 127)) + list(range(160, 256)):     # Latin-1
        for layer in "SBF":
            g = layers[layer].get(code)
            if not check(g is not None, "time.txt: no %s glyph for %d" % (layer, code)):
                continue
            page, (x, y, w, h, _, ox, oy, dw, dh, adv) = g
            img = page_images.get(page)
            if img is not None:
                check(0 <= x and 0 <= y and x + w <= img.shape[1] and y + h <= img.shape[0],
                      "time.txt: glyph %d %s lies outside its page" % (code, layer))
            check((w, h) == (dw, dh), "time.txt: glyph %d %s is drawn at another size than stored" % (code, layer))
            check(adv > 0, "time.txt: glyph %d has no advance" % code)
            if layer != "F":
                check(adv == layers["F"].get(code, (0, [0] * 10))[1][9], "time.txt: layers of %d disagree" % code)
    # about 20 pixels high: the line height and the face of "H" and "g"
    space = layers["F"].get(32)
    if space:
        check(20 <= space[1][8] <= 32, "time.txt: line height %d is not about 20 pixels" % space[1][8])
    for ch, lo, hi in (("H", 12, 20), ("g", 13, 22)):
        g = layers["F"].get(ord(ch))
        if g and g[0] in page_images and page_images[g[0]] is not None:
            x, y, w, h = g[1][:4]
            a = page_images[g[0]][y:y + h, x:x + w, 3]
            rows = np.nonzero(a.max(axis=1) > 128)[0]
            ink = rows.max() - rows.min() + 1 if len(rows) else 0
            check(lo <= ink <= hi, "time.txt: %r is %d pixels high" % (ch, ink))
    # readable in every colour the game tints it with: face against outline
    g_f, g_b = layers["F"].get(ord("H")), layers["B"].get(ord("H"))
    if g_f and g_b and page_images.get(g_f[0]) is not None:
        def solid_colour(g):
            x, y, w, h = g[1][:4]
            px = page_images[g[0]][y:y + h, x:x + w].reshape(-1, 4)
            px = px[px[:, 3] == 255]
            return px[:, :3].mean(axis=0) if len(px) else np.zeros(3)
        face, border = solid_colour(g_f), solid_colour(g_b)
        for tint in ((255, 255, 255), (255, 255, 0), (0, 255, 0), (255, 127, 39), (255, 0, 0)):
            t = np.array(tint) / 255.0
            ratio = contrast(face * t, border * t)
            check(ratio >= 4.5, "time.txt: face and outline contrast %.2f in tint %s" % (ratio, tint))
            if "-v" in sys.argv:
                print("time.txt: contrast %.2f in tint %s" % (ratio, tint))


def check_glim_font():
    img = rgba("glim_font.png")
    if img is None:
        return
    h, w = img.shape[:2]
    if not check(w % 96 == 0, "glim_font.png: width %d is not 96 frames" % w):
        return
    fw = w // 96
    for i in range(96):
        frame = img[:, i * fw:(i + 1) * fw, 3]
        check(frame[:, 0].max() == 0 and frame[:, -1].max() == 0,
              "glim_font.png: frame %d has no empty column left and right" % i)
    check(img[:, fw * (ord("A") - 32):fw * (ord("A") - 31), 3].max() > 0, "glim_font.png: no glyph for A")


def main():
    check_full_screens()
    check_menu()
    check_border()
    check_panels()
    check_panel_extras()
    check_map()
    check_map_fields_clear()
    check_map_river_and_badges()
    check_end_fields()
    check_border_labels()
    check_tutorial()
    check_time_font()
    check_glim_font()
    report()


if __name__ == "__main__":
    main()
