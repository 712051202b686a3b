#!/usr/bin/python3
"""Draws each full-screen picture and panel of the menus, the board frame and
the scenario map as the game shows them, with the game's click rectangles
(red), text positions (cyan crosses) and sample texts in the game font, so a
person can check that every button and label lines up.

usage: preview_screens.py DATA_FOLDER OUTPUT_FOLDER"""
import os
import sys

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "data"))
import screen_layout as L  # noqa: E402


class GameFont:
    """The packed "P1.01" font as the game reads and draws it."""

    def __init__(self, data):
        text = open(os.path.join(data, "time.txt"), encoding="utf-8").read()
        header, _, body = text.partition(",")
        sep = {"P1": ".", "P1.01": "_P_"}.get(header, "")
        self.layers = {"S": {}, "B": {}, "F": {}}
        self.pages = {}
        for record in body.split(";"):
            f = record.split(",")
            if len(f) < 2:
                break
            code, layer, page = int(f[0]), f[1], int(f[2])
            vals = [int(v) for v in f[3:13]]
            self.layers[layer][code] = (page, vals)
            if page not in self.pages:
                self.pages[page] = Image.open(os.path.join(data, "time%s%d.png" % (sep, page))).convert("RGBA")

    def width(self, text):
        line, last = 0.0, None
        for ch in text:
            g = self.layers["F"].get(ord(ch))
            if g:
                line += g[1][9]
                last = g
        if last and text[-1] != " ":
            line += last[1][7] - last[1][9]
        return line

    def draw(self, image, text, x, y, tint=(255, 255, 255), align=1):
        if align == 2:
            x -= int(self.width(text) * 0.5)
        for layer in "SBF":
            pen = int(x)
            for ch in text:
                g = self.layers[layer].get(ord(ch))
                face = self.layers["F"].get(ord(ch))
                if g and g[0] > 0:
                    px, py, pw, ph, _, ox, oy, _, _, _ = g[1]
                    glyph = self.pages[g[0]].crop((px, py, px + pw, py + ph))
                    if tint != (255, 255, 255):
                        r, gg, b, a = glyph.split()
                        glyph = Image.merge("RGBA", (r.point(lambda v: v * tint[0] // 255),
                                                     gg.point(lambda v: v * tint[1] // 255),
                                                     b.point(lambda v: v * tint[2] // 255), a))
                    image.alpha_composite(glyph, (pen + ox, int(y) + oy))
                if face:
                    pen = int(pen + face[1][9])
        return image


def rect(d, box, colour=(255, 0, 0, 255)):
    d.rectangle(box, outline=colour, width=1)


def cross(d, xy, colour=(0, 255, 255, 255)):
    x, y = xy
    d.line([(x - 5, y), (x + 5, y)], fill=colour)
    d.line([(x, y - 5), (x, y + 5)], fill=colour)


def load(data, path):
    return Image.open(os.path.join(data, path)).convert("RGBA")


def on_black(size=L.SCREEN):
    return Image.new("RGBA", size, (0, 0, 0, 255))


def preview_menu(data, font, marks):
    img = on_black()
    img.alpha_composite(load(data, "menu/menu.png"))
    if marks:
        for path, pos in L.MENU_MARKS.items():
            img.alpha_composite(load(data, path), pos)
    font.draw(img, "7", *L.MENU_TEXTS["level"])
    font.draw(img, "123450", *L.MENU_TEXTS["score"])
    d = ImageDraw.Draw(img)
    for box in L.MENU_BUTTONS.values():
        rect(d, box)
    for xy in L.MENU_TEXTS.values():
        cross(d, xy)
    return img


def board_backdrop(data):
    """Whatever ground pictures exist, tiled under the frame."""
    img = on_black()
    tile = os.path.join(data, "game", "tile1.png")
    if os.path.exists(tile):
        t = Image.open(tile).convert("RGBA")
        for cx in range(13):
            for cy in range(9):
                img.alpha_composite(t, (31 + 74 * cx, 31 + 74 * cy))
    else:
        ImageDraw.Draw(img).rectangle(L.BOARD_WINDOW, fill=(150, 130, 90, 255))
    return img


def preview_board(data, font, selected=3):
    img = board_backdrop(data)
    img.alpha_composite(load(data, "game/border.png"))
    font.draw(img, "1200", *L.STATUS_TEXTS["score"])
    font.draw(img, "2000", *L.STATUS_TEXTS["iron"])
    font.draw(img, "1 \u00b7 First Station", *L.STATUS_TEXTS["level"])
    font.draw(img, "TIME:", *L.STATUS_TEXTS["time"])
    bar = 201
    x0, y0, _, y1 = L.TIME_BAR
    ImageDraw.Draw(img).rectangle((x0, y0, x0 + bar - 1, y1), fill=(60, 110, 235, 255))
    font.draw(img, "03:21", L.STATUS_TEXTS["clock"][0] - 57, L.STATUS_TEXTS["clock"][1])
    font.draw(img, "5", *L.STATUS_TEXTS["workers"])
    img.alpha_composite(load(data, "game/guiSelection.png"), (32 + 66 * selected, 706))
    d = ImageDraw.Draw(img)
    for box in L.PALETTE_SLOTS + [L.PAUSE_BUTTON, L.DEPART_BUTTON]:
        rect(d, box)
    rect(d, L.BOARD_WINDOW, (255, 255, 0, 255))
    for xy in L.STATUS_TEXTS.values():
        cross(d, xy)
    return img


def preview_panel(data, font, path, buttons, texts=None, marks=None):
    img = board_backdrop(data)
    img.alpha_composite(load(data, "game/border.png"))
    img.alpha_composite(load(data, path), L.PANELS[path])
    if marks:
        for mpath, pos in marks.items():
            img.alpha_composite(load(data, mpath), pos)
    if texts:
        samples = {"time": "42 sec", "gold": "300", "score": "4100"}
        for key, xy in texts.items():
            font.draw(img, samples[key], *xy)
    d = ImageDraw.Draw(img)
    for box in buttons.values():
        rect(d, box)
    for xy in (texts or {}).values():
        cross(d, xy)
    return img


def preview_map(data, font, selected=3, gold=300):
    img = on_black()
    img.alpha_composite(load(data, "game/gameMap.png"))
    icons = {0: "game/leveldone.png", 1: "game/leveldone.png", 2: "game/leveldone.png", 3: "game/levelavailable.png"}
    for i, (x, y) in enumerate(L.MAP_ICONS):
        img.alpha_composite(load(data, icons.get(i, "game/levellocked.png")), (x, y))
    sx, sy = L.MAP_ICONS[selected]
    img.alpha_composite(load(data, "game/levelSelected.png"), (sx - 4, sy - 4))
    name = "They are Here"
    font.draw(img, name, 512 - int(font.width(name) * 0.5), 25)
    font.draw(img, "800", *L.MAP_TEXTS["start iron"], tint=(255, 255, 0), align=2)
    font.draw(img, "3200", *L.MAP_TEXTS["mine iron"], tint=(255, 255, 0), align=2)
    font.draw(img, "none", *L.MAP_TEXTS["bandits"], tint=(0, 255, 0), align=2)
    font.draw(img, "high", *L.MAP_TEXTS["raiders"], tint=(255, 0, 0), align=2)
    if selected > 3:
        img.alpha_composite(load(data, "game/startGrey.png"), L.START_GREY_AT)
    font.draw(img, str(gold), *L.MAP_TEXTS["gold"])
    font.draw(img, "5", *L.MAP_TEXTS["workers"])
    font.draw(img, "15", *L.MAP_TEXTS["max workers"])
    if gold < 500:
        img.alpha_composite(load(data, "game/noFunds.png"), L.NO_FUNDS_AT)
    d = ImageDraw.Draw(img)
    for x, y in L.MAP_ICONS:
        rect(d, (x - 20, y - 20, x + 40, y + 40), (255, 0, 255, 160))
    rect(d, L.MAP_START_BUTTON)
    rect(d, L.MAP_BUY_BUTTON)
    for xy in L.MAP_TEXTS.values():
        cross(d, xy)
    return img


def preview_tutorials(data):
    out = []
    for i, pos in enumerate(L.TUTORIAL_POSITIONS):
        img = board_backdrop(data)
        img.alpha_composite(load(data, "game/border.png"))
        page = load(data, "game/tutorial/%d.png" % (i + 1))
        img.alpha_composite(page, pos)
        d = ImageDraw.Draw(img)
        rect(d, (pos[0], pos[1], pos[0] + page.size[0] - 1, pos[1] + page.size[1] - 1), (255, 255, 0, 255))
        out.append(("tutorial_%02d.png" % (i + 1), img))
    return out


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    data, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    font = GameFont(data)
    shots = [
        ("logo.png", load(data, "menu/logo.png")),
        ("splash.png", load(data, "menu/splash.png")),
        ("theend.png", load(data, "menu/theend.png")),
        ("menu.png", preview_menu(data, font, False)),
        ("menu_options_off.png", preview_menu(data, font, True)),
        ("board.png", preview_board(data, font)),
        ("level_done.png", preview_panel(data, font, "game/msgLevelDone.png", L.DONE_BUTTONS, L.DONE_TEXTS)),
        ("level_fail.png", preview_panel(data, font, "game/msgLevelFail.png", L.FAIL_BUTTONS)),
        ("pause.png", preview_panel(data, font, "game/msgPause.png", L.PAUSE_BUTTONS)),
        ("pause_options_off.png", preview_panel(data, font, "game/msgPause.png", L.PAUSE_BUTTONS,
                                                marks=L.PAUSE_MARKS)),
        ("map.png", preview_map(data, font)),
        ("map_locked_no_funds.png", preview_map(data, font, selected=9, gold=0)),
    ]
    if os.path.isdir(os.path.join(data, "game", "tutorial")):
        shots += preview_tutorials(data)
    for name, img in shots:
        img.convert("RGB").save(os.path.join(out, name))
        print(os.path.join(out, name))


if __name__ == "__main__":
    main()
