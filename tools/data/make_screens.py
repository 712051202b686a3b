"""Makes the full-screen pictures and panels around the board: the logo, title,
menu and end pictures with the menu's option marks (data/menu/), and the board
frame, palette selection, level-won, level-failed and pause panels with their
option marks, and the scenario map with its icons and button overlays
(data/game/).  Every button is drawn on the rectangle the game tests for it
(screen_layout.py)."""
import math
import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import output_dir  # noqa: E402
from scenery import (cactus, localised, landscape, locomotive, note_icon, off_stamp, paper_panel,  # noqa: E402
                     RAIL_HEIGHT, red_cross, rock, screen_icon, speaker_icon, sp, track_side, vertical_gradient,
                     wooden_button, pencil_icon, list_icon)
from screen_common import (SS, bevel, ellipse_mask, from_array, grey_out, lighting, mask,  # noqa: E402
                           mix, nail, np_rng, paper_texture, plank, polygon_mask, put_text, rgb,
                           rounded_rect_mask, shadow_of, smooth_noise, solid, text_layer, text_width,
                           save_png, to_array, with_shadow, wood_texture,
                           HEADING, TEXT, TEXT_BOLD, SMALL, BODY, SUBTITLE, TITLE_SIZE, on_scale)
import screen_layout as L  # noqa: E402

W, H = L.SCREEN
TITLE = "Rails Against Time"
# the caption over the free-worker count in the board frame: where, what, font
WORKERS_CAPTION = ((L.STATUS_TEXTS["workers"][0] - 44, 713), "free workers", (TEXT_BOLD, SMALL))


def blank(w=W, h=H):
    return Image.new("RGBA", (w, h), (0, 0, 0, 0))


def paste_layer(base, layer, pos):
    full = blank(*base.size)
    full.paste(layer, pos)
    return Image.alpha_composite(base, full)


def recess(width, height, box, radius=5, colour=(46, 30, 18), depth=0.6):
    """A dark recessed field (behind numbers the game writes)."""
    x0, y0, x1, y1 = box
    return localised(width, height, x0 - 2, y0 - 2, x1 + 3, y1 + 3,
                     lambda w, h, ox, oy: _recess(w, h, (x0 - ox, y0 - oy, x1 - ox, y1 - oy), radius, colour,
                                                  depth, box[0]))


def _recess(width, height, box, radius, colour, depth, seed):
    m = to_array(rounded_rect_mask(width, height, box, radius))
    col = solid(width, height, colour) * (0.9 + 0.1 * smooth_noise(width, height, 12, "recess%d" % seed)[..., None])
    img = from_array(col, m)
    # inner shadow on the top-left edge, light on the bottom-right
    inner = np.asarray(Image.fromarray((m * 255).astype(np.uint8), "L").filter(ImageFilter.GaussianBlur(2)),
                       dtype=np.float32) / 255.0
    gy, gx = np.gradient(inner)
    edge = np.clip((gx + gy) * 6.0, -1, 1)
    shade = np.where(edge > 0, 0.0, 1.0)
    light = from_array(solid(width, height, (255, 236, 200)), np.clip(-edge, 0, 1) * 0.0 + np.clip(
        (-(gx + gy)) * -6.0, 0, 1) * 0.35 * m)
    dark = from_array(solid(width, height, (0, 0, 0)), np.clip((gx + gy) * 6.0, 0, 1) * depth * m)
    del shade
    return Image.alpha_composite(Image.alpha_composite(img, dark), light)


def caption(image, xy, text, px=BODY, anchor="ra", fill="paper", kind=TEXT_BOLD):
    return put_text(image, xy, text, (kind, px), fill, anchor=anchor, stroke=1.3, stroke_fill="ink",
                    shadow=(2, 2, 0.5))


# ------------------------------------------------------------------ rail pieces

def piece_icon(kind, size, name):
    """Palette icon of a rail piece seen from above (kind 0..6) or the
    demolition dynamite (kind 7), on a transparent square."""
    img = blank(size, size)
    c = size / 2.0
    gauge = size * 0.15
    tie_half = size * 0.25
    if kind == 7:
        return dynamite(size, name)

    def straight_ties(horizontal):
        def draw(d, s):
            step = size / 6.0
            for i in range(6):
                p = step * (i + 0.5)
                if horizontal:
                    d.rectangle(s(p - size * 0.045, c - tie_half, p + size * 0.045, c + tie_half), fill=255)
                else:
                    d.rectangle(s(c - tie_half, p - size * 0.045, c + tie_half, p + size * 0.045), fill=255)
        return draw

    def straight_rails(horizontal):
        def draw(d, s):
            for off in (-gauge, gauge):
                if horizontal:
                    d.rectangle(s(0, c + off - size * 0.03, size, c + off + size * 0.03), fill=255)
                else:
                    d.rectangle(s(c + off - size * 0.03, 0, c + off + size * 0.03, size), fill=255)
        return draw

    corners = {2: (size, size, 180, 270), 3: (0, size, 270, 360), 4: (size, 0, 90, 180), 5: (0, 0, 0, 90)}

    def curve_ties(cx, cy, a0, a1):
        def draw(d, s):
            for i in range(5):
                a = math.radians(a0 + (a1 - a0) * (i + 0.5) / 5)
                ux, uy = math.cos(a), math.sin(a)
                vx, vy = -uy, ux
                r0, r1 = c - tie_half, c + tie_half
                w = size * 0.045
                pts = [(cx + ux * r0 + vx * w, cy + uy * r0 + vy * w), (cx + ux * r1 + vx * w, cy + uy * r1 + vy * w),
                       (cx + ux * r1 - vx * w, cy + uy * r1 - vy * w), (cx + ux * r0 - vx * w, cy + uy * r0 - vy * w)]
                d.polygon(sp(pts), fill=255)
        return draw

    def curve_rails(cx, cy, a0, a1):
        def draw(d, s):
            for r in (c - gauge, c + gauge):
                d.arc(s(cx - r, cy - r, cx + r, cy + r), a0, a1, fill=255, width=int(size * 0.06 * SS))
        return draw

    ties, rails = [], []
    if kind == 0:
        ties, rails = [straight_ties(True)], [straight_rails(True)]
    elif kind == 1:
        ties, rails = [straight_ties(False)], [straight_rails(False)]
    elif kind == 6:
        ties = [straight_ties(True), straight_ties(False)]
        rails = [straight_rails(True), straight_rails(False)]
    else:
        cx, cy, a0, a1 = corners[kind]
        ties, rails = [curve_ties(cx, cy, a0, a1)], [curve_rails(cx, cy, a0, a1)]
    for t in ties:
        m = to_array(mask(size, size, t))
        img = Image.alpha_composite(img, from_array(wood_texture(size, size, name + "tie", "wood") *
                                                    bevel(m, 0.8, 0.4), m))
    for r in rails:
        m = to_array(mask(size, size, r))
        col = solid(size, size, "iron_light") * bevel(m, 0.8, 0.8)
        img = Image.alpha_composite(img, from_array(col, m))
    return Image.alpha_composite(shadow_of(img, (2, 2), 1.2, 0.45), img)


def dynamite(size, name):
    img = blank(size, size)
    k = size / 48.0
    for i, dx in enumerate((-9, 0, 9)):
        def stick(d, s, dx=dx):
            d.rounded_rectangle(s(size / 2 + dx * k - 4.5 * k, 16 * k, size / 2 + dx * k + 4.5 * k, 42 * k),
                                radius=s(3 * k), fill=255)
        m = to_array(mask(size, size, stick))
        img = Image.alpha_composite(img, from_array(solid(size, size, "red") * bevel(m, 1.0, 0.8), m))
    band = to_array(mask(size, size, lambda d, s: d.rectangle(s(size / 2 - 14 * k, 30 * k, size / 2 + 14 * k, 34 * k),
                                                              fill=255)))
    img = Image.alpha_composite(img, from_array(solid(size, size, "wood_dark"), band))
    fuse = to_array(mask(size, size, lambda d, s: d.arc(s(size / 2 - 2 * k, 6 * k, size / 2 + 16 * k, 24 * k), 180, 270,
                                                        fill=255, width=int(2 * k * SS))))
    img = Image.alpha_composite(img, from_array(solid(size, size, "ink"), fuse))
    # the spark
    spark = to_array(mask(size, size, lambda d, s: d.polygon(sp(star_points(size / 2 - 2 * k, 14 * k, 7 * k, 3 * k, 6)),
                                                             fill=255)))
    img = Image.alpha_composite(img, from_array(solid(size, size, "gold"), spark))
    dot = to_array(ellipse_mask(size, size, (size / 2 - 4 * k, 12 * k, size / 2, 16 * k)))
    img = Image.alpha_composite(img, from_array(solid(size, size, (255, 250, 220)), dot))
    return Image.alpha_composite(shadow_of(img, (2, 2), 1.2, 0.45), img)


def star_points(cx, cy, r_out, r_in, n, turn=-90.0):
    pts = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(turn + i * 180.0 / n)
        pts.append((cx + math.cos(a) * r, cy + math.sin(a) * r))
    return pts


def worker_icon(size, name):
    """A railway worker's head and shoulders with a wide-brimmed hat."""
    img = blank(size, size)
    k = size / 40.0
    body = to_array(mask(size, size, lambda d, s: d.chord(s(6 * k, 24 * k, 34 * k, 52 * k), 180, 360, fill=255)))
    img = Image.alpha_composite(img, from_array(solid(size, size, (70, 100, 140)) * bevel(body, 1.2, 0.6), body))
    head = to_array(ellipse_mask(size, size, (13 * k, 11 * k, 27 * k, 26 * k)))
    img = Image.alpha_composite(img, from_array(solid(size, size, (226, 170, 120)) * bevel(head, 1.2, 0.6), head))
    hat = to_array(mask(size, size, lambda d, s: (d.ellipse(s(5 * k, 10 * k, 35 * k, 16 * k), fill=255),
                                                  d.chord(s(12 * k, 2 * k, 28 * k, 20 * k), 180, 360, fill=255))))
    img = Image.alpha_composite(img, from_array(solid(size, size, (150, 110, 60)) * bevel(hat, 1.2, 0.7), hat))
    return Image.alpha_composite(shadow_of(img, (2, 2), 1.2, 0.45), img)


def icon_shape(size, points):
    """A mask of the polygon through points given on a 20-pixel icon."""
    k = size / 20.0
    return to_array(mask(size, size, lambda d, s: d.polygon([tuple(s(x * k, y * k)) for x, y in points], fill=255)))


def nugget_icon(size, name):
    """A gold nugget: a lumpy rounded stone with a glint, for the score."""
    k = size / 20.0
    lump = icon_shape(size, [(3, 12), (5, 6), (10, 3.5), (15.5, 5), (17.5, 10), (16, 15.5), (10, 17.5), (5, 16)])
    img = from_array(solid(size, size, (232, 178, 40)) * bevel(lump, 1.6, 0.9), lump)
    glint = to_array(ellipse_mask(size, size, (7 * k, 6 * k, 10.5 * k, 8.5 * k)))
    img = Image.alpha_composite(img, from_array(solid(size, size, (255, 250, 210)), glint * 0.9))
    return Image.alpha_composite(shadow_of(img, (1, 2), 1.0, 0.6), img)


def ingot_icon(size, name):
    """An iron ingot: a bar with a lighter top face, for the iron in stock."""
    side = icon_shape(size, [(1.5, 15.5), (4.5, 8), (15.5, 8), (18.5, 15.5)])
    top = icon_shape(size, [(5, 8), (7, 4.5), (13, 4.5), (15, 8)])
    img = from_array(solid(size, size, (118, 128, 142)) * bevel(side, 1.2, 0.6), side)
    img = Image.alpha_composite(img, from_array(solid(size, size, (196, 206, 218)), top))
    return Image.alpha_composite(shadow_of(img, (1, 2), 1.0, 0.6), img)


def clock_icon(size, name):
    """A pocket watch: a pale face in a brass rim, hands at ten past ten."""
    k = size / 20.0
    rim = to_array(ellipse_mask(size, size, (2 * k, 2.5 * k, 18 * k, 18.5 * k)))
    face = to_array(ellipse_mask(size, size, (4 * k, 4.5 * k, 16 * k, 16.5 * k)))
    img = from_array(solid(size, size, (214, 164, 60)) * bevel(rim, 1.2, 0.7), rim)
    img = Image.alpha_composite(img, from_array(solid(size, size, (250, 242, 222)), face))
    hands = to_array(mask(size, size, lambda d, s: (
        d.line([tuple(s(10 * k, 10.5 * k)), tuple(s(10 * k, 5.8 * k))], fill=255, width=int(1.6 * k * SS)),
        d.line([tuple(s(10 * k, 10.5 * k)), tuple(s(13.6 * k, 12.2 * k))], fill=255, width=int(1.6 * k * SS)))))
    img = Image.alpha_composite(img, from_array(solid(size, size, (40, 24, 12)), hands))
    return Image.alpha_composite(shadow_of(img, (1, 2), 1.0, 0.6), img)


# ------------------------------------------------------------------ logo, title, end

def make_logo():
    img = from_array(vertical_gradient(W, H, [(0, (60, 40, 26)), (1, (26, 16, 10))]), np.ones((H, W), np.float32))
    yy, xx = np.mgrid[0:H, 0:W].astype(np.float32)
    d = np.sqrt((xx - 512) ** 2 + (yy - 340) ** 2)
    glow = np.exp(-d / 300.0)
    img = Image.alpha_composite(img, from_array(solid(W, H, (150, 100, 50)), glow * 0.5))
    # brass badge
    ring = to_array(ellipse_mask(W, H, (372, 200, 652, 480)))
    inner = to_array(ellipse_mask(W, H, (392, 220, 632, 460)))
    badge = from_array(solid(W, H, "gold") * lighting(W, H, 0.25) * bevel(ring, 3, 0.7), ring)
    img = with_shadow(img, badge, (0, 0), (6, 8), 8, 0.6)
    face = paper_texture(W, H, "logo-face", (120, 78, 40)) * bevel(inner, 4, -0.5)
    img = Image.alpha_composite(img, from_array(face, inner))
    img = Image.alpha_composite(img, track_side(W, H, 392, 404, 620, 16))
    img = Image.alpha_composite(img, locomotive(W, H, 402, 392 - RAIL_HEIGHT, 0.9, smoke=False, name="logo"))
    img = put_text(img, (512, 540), TITLE, (HEADING, TITLE_SIZE), "gold", anchor="mm", stroke=2.5,
                   stroke_fill=(40, 24, 12), shadow=(4, 5, 0.6))
    # the strapline: small, plain and muted, so it reads as a caption under the name
    img = put_text(img, (512, 590), "lay the line before the train leaves", (TEXT, BODY), (196, 164, 120),
                   anchor="mm")
    return maker_mark(img, (512, 690))


def maker_mark(img, centre):
    """The team's own mark at the foot of the logo: a small iron shield holding a
    rail's cross-section under a clock's two hands, beside the maker's name."""
    cx, cy = centre
    ex, r = cx - 78, 22
    shield = to_array(polygon_mask(W, H, [(ex - r, cy - r), (ex + r, cy - r), (ex + r, cy + 4),
                                          (ex, cy + r + 6), (ex - r, cy + 4)]))
    img = with_shadow(img, from_array(solid(W, H, "iron") * lighting(W, H, 0.2) * bevel(shield, 2.5, 0.7), shield),
                      (0, 0), (3, 4), 3, 0.5)
    # the rail: head, web and foot, in brass
    rail = to_array(mask(W, H, lambda d, S: [d.rectangle(S(ex - 9, cy - 2, ex + 9, cy + 3), fill=255),
                                             d.rectangle(S(ex - 3, cy + 3, ex + 3, cy + 10), fill=255),
                                             d.rectangle(S(ex - 13, cy + 10, ex + 13, cy + 14), fill=255)]))
    hands = to_array(mask(W, H, lambda d, S: [d.line(S(ex, cy - 8, ex, cy - 17), fill=255, width=int(2.4 * SS)),
                                              d.line(S(ex, cy - 8, ex + 8, cy - 12), fill=255, width=int(2.4 * SS))]))
    img = Image.alpha_composite(img, from_array(solid(W, H, "gold") * bevel(rail, 1.0, 0.6), np.clip(rail + hands, 0, 1)))
    img = put_text(img, (ex + r + 12, cy - 8), "TARVEX", (HEADING, SUBTITLE), (214, 184, 130), anchor="lm",
                   stroke=1.2, stroke_fill=(30, 18, 10))
    return put_text(img, (ex + r + 13, cy + 14), "railway works", (TEXT, SMALL), (170, 140, 100), anchor="lm")


def frontier_scene(name, dusk, horizon, track_y, loco_x, loco_scale, extra_cacti=(), sun_at=None):
    """The plain with its track, and apart from it the engine standing on the
    rail: the caller lays the engine over whatever stands farther back (a sign's
    posts reach down only to the horizon, the engine is nearer)."""
    img = landscape(W, H, name, horizon, dusk, sun_at)
    for i, (cx, by, size) in enumerate(extra_cacti):
        img = Image.alpha_composite(img, cactus(W, H, cx, by, size, name + "cactus%d" % i))
    img = Image.alpha_composite(img, track_side(W, H, track_y))
    train = locomotive(W, H, loco_x, track_y - RAIL_HEIGHT, loco_scale, True, name + "loco")
    return img, train


def title_sign(img, box, text, px, sub=None, name="sign", ground=None):
    x0, y0, x1, y1 = box
    board = plank(x1 - x0 + 1, y1 - y0 + 1, name, radius=14)
    # two posts down from the sign to the ground (the horizon, where the plain
    # begins), sunk in a little
    length = (ground + 8 if ground else y1 + 80) - (y1 - 10)
    for px_ in (x0 + 60, x1 - 60):
        post = plank(22, length, name + "post%d" % px_, base="wood_dark", radius=4, nails=False, horizontal=False)
        img = with_shadow(img, post, (px_ - 11, y1 - 10), (5, 4), 3, 0.4)
    img = with_shadow(img, board, (x0, y0), (7, 9), 7, 0.55)
    cy = (y0 + y1) / 2 if sub is None else y0 + (y1 - y0) * 0.42
    img = put_text(img, ((x0 + x1) / 2, cy), text, (HEADING, on_scale(px)), "gold", anchor="mm", stroke=2.5,
                   stroke_fill=(40, 22, 10), shadow=(3, 4, 0.6))
    if sub:
        img = put_text(img, ((x0 + x1) / 2, y0 + (y1 - y0) * 0.8), sub, (TEXT_BOLD, on_scale(px * 0.36)), "paper",
                       anchor="mm", stroke=1, stroke_fill="ink", shadow=(2, 2, 0.5))
    return img


def make_splash():
    img, train = frontier_scene("splash", 0.08, 440, 640, 360, 1.55,
                                extra_cacti=[(90, 560, 150), (930, 600, 120), (820, 520, 70)], sun_at=(930, 300))
    img = Image.alpha_composite(img, rock(W, H, 200, 700, 30, "splash-rock1"))
    img = Image.alpha_composite(img, rock(W, H, 760, 720, 22, "splash-rock2"))
    img = title_sign(img, (142, 60, 882, 220), TITLE.upper(), 54, "lay the line before the train leaves",
                     ground=440)
    img = Image.alpha_composite(img, train)
    note = paper_panel(300, 56, "splash-note", 10)
    img = with_shadow(img, note, (362, 694), (4, 5), 4, 0.5)
    img = put_text(img, (512, 722), "Click to start", (HEADING, SUBTITLE), "ink", anchor="mm")
    return img


def make_theend():
    # the train comes in from the left and draws up at the last station on the right
    img, train = frontier_scene("theend", 0.75, 450, 640, 290, 1.2,
                                extra_cacti=[(60, 600, 120)])
    # the sign stands behind the station, its posts going down to the plain
    img = title_sign(img, (212, 40, 812, 200), "THE END", 80, "Every line is laid: the frontier is joined.",
                     name="end-sign", ground=450)
    img = last_station(img, 600)
    img = Image.alpha_composite(img, buffer_stop(640, 948))
    img = Image.alpha_composite(img, train)
    img = end_figures_board(img)
    note = paper_panel(440, 56, "end-note", 10)
    img = with_shadow(img, note, (292, 694), (4, 5), 4, 0.5)
    img = put_text(img, (512, 722), "Click to return to the menu", (HEADING, SUBTITLE), "ink", anchor="mm")
    return img


def last_station(img, x0):
    """A wooden depot standing back from the track, its lamps lit, its platform
    reaching the rail."""
    depot = plank(300, 150, "depot-wall", base="wood", radius=4, nails=False, horizontal=True)
    img = with_shadow(img, depot, (x0 + 20, 442), (8, 4), 5, 0.45)
    roof = to_array(polygon_mask(W, H, [(x0, 456), (x0 + 170, 376), (x0 + 340, 456)]))
    img = with_shadow(img, from_array(wood_texture(W, H, "depot-roof", "wood_dark") * bevel(roof, 2, 0.6), roof),
                      (0, 0), (6, 5), 4, 0.5)
    for wx in (x0 + 50, x0 + 240):
        win = to_array(rounded_rect_mask(W, H, (wx, 486, wx + 50, 536), 4))
        img = Image.alpha_composite(img, from_array(solid(W, H, (255, 214, 120)) * bevel(win, 2, -0.4), win))
    door = to_array(rounded_rect_mask(W, H, (x0 + 142, 496, x0 + 198, 592), 4))
    img = Image.alpha_composite(img, from_array(solid(W, H, "wood_dark") * bevel(door, 2, 0.5), door))
    platform = plank(360, 22, "depot-platform", base="wood_dark", radius=3, nails=False)
    img = with_shadow(img, platform, (x0 - 10, 592), (3, 4), 3, 0.45)
    sign = plank(190, 34, "depot-sign", base="paper", radius=5, nails=True)
    img = with_shadow(img, sign, (x0 + 75, 448), (3, 3), 2, 0.4)
    return put_text(img, (x0 + 170, 465), "LAST STATION", (HEADING, BODY), "ink", anchor="mm")


def buffer_stop(track_y, x):
    """The end of the line: a red beam on two posts across the rail."""
    posts = to_array(mask(W, H, lambda d, S: [d.rectangle(S(x - 4, track_y - 44, x + 4, track_y), fill=255),
                                              d.rectangle(S(x + 14, track_y - 44, x + 22, track_y), fill=255)]))
    beam = to_array(rounded_rect_mask(W, H, (x - 14, track_y - 58, x + 32, track_y - 40), 3))
    layer = from_array(solid(W, H, "wood_dark") * bevel(posts, 1.5, 0.6), posts)
    return Image.alpha_composite(layer, from_array(solid(W, H, "red") * bevel(beam, 1.5, 0.7), beam))


def end_figures_board(img):
    """The campaign's final figures: captions here, the values written by the game
    into the dark fields."""
    x0, y0, x1, y1 = L.END_BOARD
    sheet = paper_panel(x1 - x0 + 1, y1 - y0 + 1, "end-figures", 10)
    img = with_shadow(img, sheet, (x0, y0), (5, 6), 4, 0.5)
    hw, hh = L.END_FIELD_HALF
    for key, label in (("score", "Final score"), ("gold", "Gold"), ("time", "Best times")):
        fx, fy = L.END_FIELDS[key]
        img = Image.alpha_composite(img, recess(W, H, (fx - hw, fy - hh, fx + hw, fy + hh), 5))
        img = put_text(img, (fx - hw - 12, fy), label, (TEXT_BOLD, BODY), "ink", anchor="rm")
    return img


# ------------------------------------------------------------------ menu

def button_icon(kind, bw, bh):
    cx, cy = bw - 46, bh / 2
    if kind == "music":
        return note_icon(bw, bh, cx, cy, 38)
    if kind == "sound":
        return speaker_icon(bw, bh, cx, cy, 38)
    if kind == "full screen":
        return screen_icon(bw, bh, bw - 34, cy, 30)
    return None


MENU_LABELS = {"continue": "Continue", "new game": "New Game", "music": "Music", "sound": "Sound",
               "quit": "Quit", "full screen": "Full screen"}


def make_menu():
    # the big cactus stands in front of the track, clear of the rail and of the
    # full-screen switch below it
    img, train = frontier_scene("menu", 0.15, 420, 566, 40, 1.25, extra_cacti=[(528, 702, 96), (470, 520, 60)])
    img = Image.alpha_composite(img, rock(W, H, 600, 700, 26, "menu-rock"))
    img = title_sign(img, (24, 34, 624, 170), TITLE.upper(), 44, "a railway race across the frontier",
                     name="menu-sign", ground=420)
    img = Image.alpha_composite(img, train)
    # the signpost that carries the menu's boards
    post = plank(30, 700, "menu-post", base="wood_dark", radius=5, nails=False, horizontal=False)
    img = with_shadow(img, post, (827, 120), (8, 4), 5, 0.45)
    cap = to_array(polygon_mask(W, H, [(818, 124), (842, 96), (866, 124)]))
    img = Image.alpha_composite(img, from_array(wood_texture(W, H, "post-cap", "wood_dark") * bevel(cap, 2, 0.6), cap))
    for key, box in L.MENU_SIGNS.items():
        x0, y0, x1, y1 = box
        bw, bh = x1 - x0 + 1, y1 - y0 + 1
        icon = button_icon(key, bw, bh)
        px = 30 if key != "full screen" else 21
        button = wooden_button(bw, bh, (0, 0, bw - 1, bh - 1), MENU_LABELS[key], "menu-" + key,
                               (HEADING, on_scale(px)), icon, align="left")
        img = with_shadow(img, button, (x0, y0), (6, 6), 4, 0.5)
    # level and score board, captions left of where the game writes the numbers
    board = plank(356, 150, "menu-scoreboard", radius=12)
    img = with_shadow(img, board, (14, 600), (6, 7), 5, 0.5)
    for key, (tx, ty) in L.MENU_TEXTS.items():
        img = Image.alpha_composite(img, recess(W, H, (tx - 6, ty - 6, 356, ty + 28), 5))
        img = caption(img, (tx - 14, ty + 11), "Level" if key == "level" else "Score", px=SUBTITLE, anchor="rm")
    return img


def mark_for(size, icon_cx, icon_cy, label_span, icon_r=24, stamp_at=None):
    """An 'option off' mark: a red cross over the button's icon and a stamp."""
    w, h = size
    img = red_cross(w, h, (icon_cx - icon_r, icon_cy - icon_r * 0.8, icon_cx + icon_r, icon_cy + icon_r * 0.8), 5)
    if stamp_at:
        img = Image.alpha_composite(img, off_stamp(w, h, stamp_at[0], stamp_at[1]))
    return img


def option_marks(marks, buttons, keys, icon_from_right, icon_dy, icon_r, stamp_dx):
    """The 'option off' marks, each sized to cover its button from where the
    game draws it, with the cross on the button's icon."""
    out = {}
    for path, (mx, my) in marks.items():
        x0, y0, x1, y1 = buttons[keys[path]]
        w, h = x1 - mx + 1, y1 - my + 1
        icon_cx = (x1 + 1 - icon_from_right) - mx
        icon_cy = (y0 + y1 + 1) / 2.0 + icon_dy - my
        out[path] = mark_for((w, h), icon_cx, icon_cy, None, icon_r, stamp_at=(icon_cx - stamp_dx, icon_cy))
    return out


def make_menu_marks():
    # the icon sits 46 px left of the button's right end (34 on the full-screen switch)
    keys = {"menu/musicOn.png": "music", "menu/soundOn.png": "sound", "menu/fullscreenOn.png": "full screen"}
    marks = {p: xy for p, xy in L.MENU_MARKS.items() if p != "menu/fullscreenOn.png"}
    out = option_marks(marks, L.MENU_SIGNS, keys, 46, 0, 26, 70)
    out.update(option_marks({"menu/fullscreenOn.png": L.MENU_MARKS["menu/fullscreenOn.png"]}, L.MENU_SIGNS,
                            keys, 34, 0, 20, 54))
    return out


# ------------------------------------------------------------------ the board frame

def make_border():
    img = blank()
    # the frame: a wooden surround with a thin iron edge round the board window
    frame_m = np.ones((H, W), np.float32)
    bx0, by0, bx1, by1 = L.BOARD_WINDOW
    frame_m[by0:by1 + 1, bx0:bx1 + 1] = 0.0
    wood = wood_texture(W, H, "border", "wood") * lighting(W, H, 0.08)
    img = from_array(wood, frame_m)
    # top strip and palette strip darker
    top = np.zeros((H, W), np.float32)
    top[0:bx0, :] = 1.0
    img = Image.alpha_composite(img, from_array(wood_texture(W, H, "border-top", "wood_dark"), top * 0.55))
    bottom = np.zeros((H, W), np.float32)
    bottom[by1 + 1:, :] = 1.0
    img = Image.alpha_composite(img, from_array(wood_texture(W, H, "border-bottom", "wood_dark"), bottom * 0.35))
    # iron edge round the window, with its shade falling onto the board
    edge = np.zeros((H, W), np.float32)
    edge[by0 - 3:by1 + 4, bx0 - 3:bx1 + 4] = 1.0
    edge[by0:by1 + 1, bx0:bx1 + 1] = 0.0
    img = Image.alpha_composite(img, from_array(solid(W, H, "iron") * lighting(W, H, 0.2), edge))
    hl = np.zeros((H, W), np.float32)
    hl[by1 + 1:by1 + 4, bx0 - 3:bx1 + 4] = 0.6
    hl[by0 - 3:by1 + 4, bx1 + 1:bx1 + 4] = 0.6
    img = Image.alpha_composite(img, from_array(solid(W, H, "iron_light"), hl))
    for x in range(60, W - 30, 120):
        for y in (15 if False else None,):
            pass
    # the status strip's fields, each led by its icon
    for field in L.STATUS_FIELDS.values():
        img = Image.alpha_composite(img, recess(W, H, field, 5))
    for key, draw_icon in (("score", nugget_icon), ("iron", ingot_icon), ("clock", clock_icon)):
        img = paste_layer(img, draw_icon(L.STATUS_ICON_SIZE, "status-" + key), L.STATUS_ICONS[key])
    # the countdown bar's trough
    tb = L.TIME_BAR
    trough = to_array(rounded_rect_mask(W, H, (tb[0] - 1, tb[1] - 1, tb[2] + 1, tb[3] + 1), 2))
    img = Image.alpha_composite(img, from_array(solid(W, H, (20, 14, 30)), trough))
    # the send-off button under "TIME:"
    x0, y0, x1, y1 = L.DEPART_FACE
    btn = plank(x1 - x0 + 1, y1 - y0 + 1, "depart", base="red", radius=5, nails=False)
    # after the game's "TIME:", a 'go now' sign: two chevrons pointing down the line
    bw, bh = x1 - x0 + 1, y1 - y0 + 1

    def chevrons(d, s):
        for cx in (bw - 12, bw - 6):
            d.polygon([(s(cx - 4), s(5)), (s(cx + 2), s(bh / 2)), (s(cx - 4), s(bh - 5)), (s(cx - 1), s(bh - 5)),
                       (s(cx + 5), s(bh / 2)), (s(cx - 1), s(5))], fill=255)
    from scenery import icon_layer
    btn = Image.alpha_composite(btn, icon_layer(bw, bh, chevrons, (255, 236, 160)))
    img = with_shadow(img, btn, (x0, y0), (2, 2), 1.5, 0.6)
    # palette slots: recessed paper squares holding the pieces
    for n, (sx0, sy0, sx1, sy1) in enumerate(L.PALETTE_SLOTS):
        size = sx1 - sx0 + 1
        slot_m = to_array(rounded_rect_mask(W, H, (sx0, sy0, sx1, sy1), 6))
        paper = paper_texture(W, H, "slot%d" % n, "sand")
        img = Image.alpha_composite(img, from_array(paper, slot_m))
        img = Image.alpha_composite(img, recess(W, H, (sx0, sy0, sx1, sy1), 6, colour=(0, 0, 0), depth=0.7)
                                    if False else from_array(solid(W, H, (0, 0, 0)),
                                                             inner_shade(slot_m, 3) * 0.55))
        ix0, iy0, ix1, iy1 = L.PALETTE_ICON
        icon = piece_icon(n, ix1 - ix0 + 1, "slot%d" % n)
        img = paste_layer(img, icon, (sx0 + ix0, sy0 + iy0))
        cost = {0: "100", 1: "100", 2: "150", 3: "150", 4: "150", 5: "150", 6: "200", 7: "free"}[n]
        img = put_text(img, (sx1 - 3, sy1 - 1), cost, (TEXT_BOLD, SMALL), (255, 246, 220), anchor="rd",
                       stroke=1.6, stroke_fill=(40, 24, 12))
        # the key that picks this piece
        kx, ky = L.PALETTE_KEY_AT
        img = put_text(img, (sx0 + kx, sy0 + ky), str(n + 1), (TEXT_BOLD, SMALL), (70, 46, 26), anchor="la")
    # the free workers: an icon, a caption, and a field for the number
    tx, ty = L.STATUS_TEXTS["workers"]
    img = Image.alpha_composite(img, recess(W, H, (tx - 6, ty - 4, tx + 44, ty + 24), 5))
    img = paste_layer(img, worker_icon(40, "worker"), (tx - 50, ty - 18))
    img = caption(img, WORKERS_CAPTION[0], WORKERS_CAPTION[1], px=WORKERS_CAPTION[2][1], anchor="la",
                  kind=WORKERS_CAPTION[2][0])
    # pause button
    x0, y0, x1, y1 = L.PAUSE_BUTTON
    bw, bh = x1 - x0 + 1, y1 - y0 + 1
    btn = plank(bw, bh, "pause", base="red", radius=8)

    def bars(d, s):
        d.rounded_rectangle(s(bw / 2 - 14, 16, bw / 2 - 4, bh - 16), radius=s(2), fill=255)
        d.rounded_rectangle(s(bw / 2 + 4, 16, bw / 2 + 14, bh - 16), radius=s(2), fill=255)
    from scenery import icon_layer
    btn = Image.alpha_composite(btn, icon_layer(bw, bh, bars, "paper"))
    img = with_shadow(img, btn, (x0, y0), (3, 3), 2, 0.55)
    # a little engraved title between the workers and the pause button
    img = put_text(img, (812, 733), TITLE.upper(), (HEADING, SMALL), (226, 196, 140), anchor="mm",
                   stroke=1, stroke_fill=(40, 24, 12))
    # nails round the frame
    for x in range(12, W, 100):
        for y in (16, ):
            pass
    for y in range(60, 700, 90):
        img = Image.alpha_composite(img, nail(W, H, 15, y, 3.0))
        img = Image.alpha_composite(img, nail(W, H, W - 16, y, 3.0))
    # the board window stays exactly transparent
    arr = np.array(img)
    arr[by0:by1 + 1, bx0:bx1 + 1] = 0
    return Image.fromarray(arr, "RGBA")


def inner_shade(m, radius):
    """Alpha for a shade along the inside top-left edge of a mask."""
    blurred = np.asarray(Image.fromarray((m * 255).astype(np.uint8), "L").filter(ImageFilter.GaussianBlur(radius)),
                         dtype=np.float32) / 255.0
    shifted = np.zeros_like(blurred)
    shifted[3:, 3:] = blurred[:-3, :-3]
    return np.clip(m - shifted, 0, 1) * m * 1.5


def make_selection():
    size = 56
    outer = to_array(rounded_rect_mask(size, size, (0, 0, size - 1, size - 1), 7))
    inner = to_array(rounded_rect_mask(size, size, (4, 4, size - 5, size - 5), 5))
    ring = np.clip(outer - inner, 0, 1)
    col = solid(size, size, "gold") * bevel(ring, 1.0, 0.8)
    glow_m = np.asarray(Image.fromarray((ring * 255).astype(np.uint8), "L").filter(ImageFilter.GaussianBlur(2.5)),
                        dtype=np.float32) / 255.0
    img = from_array(solid(size, size, (255, 236, 150)), np.clip(glow_m * 0.8 * inner, 0, 1))
    return Image.alpha_composite(img, from_array(col, ring))


# ------------------------------------------------------------------ panels

def panel_title(img, text, y, px=32):
    return put_text(img, (img.size[0] / 2, y), text, (HEADING, on_scale(px)), "red", anchor="mm", stroke=1.5,
                    stroke_fill="ink", shadow=(2, 3, 0.45))


def panel_buttons(img, origin, buttons, labels, name, px=22, icons=None, align=None):
    ox, oy = origin
    for key, (x0, y0, x1, y1) in buttons.items():
        bw, bh = x1 - x0 + 1, y1 - y0 + 1
        icon = icons.get(key) if icons else None
        layer = wooden_button(bw, bh, (0, 0, bw - 1, bh - 1), labels[key], name + key, (HEADING, on_scale(px)),
                              icon(bw, bh) if icon else None, align=align or ("left" if icon else "center"))
        img = with_shadow(img, layer, (x0 - ox, y0 - oy), (3, 4), 2.5, 0.5)
    return img


def make_level_done():
    """The won panel: under the title the game writes the times and lays the
    stars; the three fields take the send-off bonus, the gold and the score."""
    ox, oy = L.PANELS["game/msgLevelDone.png"]
    w, h = 384, 330
    img = paper_panel(w, h, "done")
    img = panel_title(img, "Station reached!", 42)
    # a ribbon of track under the stars' row
    img = Image.alpha_composite(img, track_side(w, h, 160, 36, 348, 10))
    for key, label in (("time", "Send-off:"), ("gold", "Gold:"), ("score", "Score:")):
        tx, ty = L.DONE_TEXTS[key]
        img = Image.alpha_composite(img, recess(w, h, (tx - ox - 6, ty - oy - 3, tx - ox + 150, ty - oy + 25), 5))
        img = put_text(img, (tx - ox - 14, ty - oy + 11), label, (TEXT_BOLD, BODY), "ink", anchor="rm")
    img = panel_buttons(img, (ox, oy), L.DONE_BUTTONS, {"continue": "Continue", "retry": "Retry", "menu": "Menu"},
                        "done-", 18)
    return img


def make_level_fail():
    ox, oy = L.PANELS["game/msgLevelFail.png"]
    w, h = 384, 290
    img = paper_panel(w, h, "fail")
    img = panel_title(img, "Derailed!", 42, 36)
    # The game writes the crash's cause and place under the title, and lays
    # its "Show me" button in the middle (L.SHOW_ME_IN_PANEL); beside it a
    # tipped-over engine on its broken track and a cloud of dust.
    scene = blank(w, h)
    scene = Image.alpha_composite(scene, track_side(w, h, 178, 14, 104, 10))
    loco = locomotive(w, h, 30, 172, 0.26, False, "fail-loco").rotate(-16, resample=Image.BICUBIC,
                                                                    center=(62, 160))
    scene = Image.alpha_composite(scene, loco)
    rng = np_rng("fail-dust")
    dust = blank(w, h)
    for i in range(7):
        cx, cy, r = 312 + rng.uniform(-25, 40), 160 + rng.uniform(-12, 10), rng.uniform(8, 13)
        m = to_array(ellipse_mask(w, h, (cx - r, cy - r * 0.7, cx + r, cy + r * 0.7)))
        dust = Image.alpha_composite(dust, from_array(solid(w, h, "sand") * bevel(m, 3, 0.4), m * 0.55))
    scene = Image.alpha_composite(scene, dust.filter(ImageFilter.GaussianBlur(0.8)))
    img = Image.alpha_composite(img, scene)
    img = panel_buttons(img, (ox, oy), L.FAIL_BUTTONS, {"retry": "Retry", "menu": "Menu"}, "fail-", 26)
    return img


def make_show_me():
    """The failed panel's "Show me" button, drawn by the game inside the panel."""
    x0, y0, x1, y1 = L.SHOW_ME_IN_PANEL
    bw, bh = x1 - x0 + 1, y1 - y0 + 1
    return wooden_button(bw, bh, (0, 0, bw - 1, bh - 1), "Show me (S)", "fail-show-me", (HEADING, BODY))


def make_star():
    """One gold star of the won panel (the game dims it for a star not won)."""
    s = L.STAR_SIZE
    pts = star_points(s / 2, s / 2 + 1, s / 2 - 3, s / 5, 5)
    rim = to_array(polygon_mask(s, s, pts))
    inner = to_array(polygon_mask(s, s, star_points(s / 2, s / 2 + 1, s / 2 - 6, s / 5 - 2, 5)))
    img = from_array(solid(s, s, "ink"), rim)
    img = Image.alpha_composite(img, from_array(solid(s, s, "gold") * bevel(inner, 1.5, 0.8), inner))
    return Image.alpha_composite(shadow_of(img, (1, 2), 1.0, 0.45), img)


PAUSE_ICON_FROM_RIGHT = 34      # the music and sound icons' centres, and their 'off' crosses


def pause_icon(key):
    if key == "music":
        return lambda bw, bh: note_icon(bw, bh, bw - PAUSE_ICON_FROM_RIGHT, bh / 2, 26)
    if key == "sound":
        return lambda bw, bh: speaker_icon(bw, bh, bw - PAUSE_ICON_FROM_RIGHT, bh / 2, 26)
    return None


def make_pause():
    ox, oy = L.PANELS["game/msgPause.png"]
    w, h = 384, 450
    img = paper_panel(w, h, "pause")
    img = panel_title(img, "Paused", 50, 38)
    # a pocket watch beside the title
    cx, cy, r = 70, 118, 22
    face = to_array(ellipse_mask(w, h, (cx - r, cy - r, cx + r, cy + r)))
    img = with_shadow(img, from_array(solid(w, h, "gold") * bevel(face, 2, 0.8), face), (0, 0), (3, 3), 2, 0.4)
    dial = to_array(ellipse_mask(w, h, (cx - r + 5, cy - r + 5, cx + r - 5, cy + r - 5)))
    img = Image.alpha_composite(img, from_array(solid(w, h, (252, 244, 222)), dial))
    hands = to_array(mask(w, h, lambda d, s: (d.line(sp([(cx, cy), (cx, cy - 13)]), fill=255, width=2 * SS),
                                               d.line(sp([(cx, cy), (cx + 9, cy + 3)]), fill=255, width=2 * SS))))
    img = Image.alpha_composite(img, from_array(solid(w, h, "ink"), hands))
    img = put_text(img, (w / 2 + 20, 118), "The clock stands still.", (TEXT, BODY), "ink", anchor="mm")
    labels = {"resume": "Resume", "restart": "Restart level", "music": "Music", "sound": "Sound",
              "quit": "Quit to menu"}
    icons = {"music": pause_icon("music"), "sound": pause_icon("sound")}
    # the music and sound boards keep their words low enough for the marks
    img = panel_buttons(img, (ox, oy), L.PAUSE_PLATES, labels, "pause-", 21, icons, align="left")
    return img


def gear_icon(width, height, cx, cy, size, colour="paper"):
    """A cog wheel: eight teeth round a ring with a hole."""
    k = size / 40.0

    def draw(d, s):
        teeth = []
        for i in range(16):
            a = math.pi * 2 * i / 16
            r = 19 * k if i % 2 == 0 else 14 * k
            for da in (-0.17, 0.17):
                teeth.append((cx + r * math.cos(a + da), cy + r * math.sin(a + da)))
        d.polygon(sp(teeth), fill=255)
        d.ellipse(s(cx - 6 * k, cy - 6 * k, cx + 6 * k, cy + 6 * k), fill=0)

    m = to_array(mask(width, height, draw))
    icon = from_array(solid(width, height, colour) * bevel(m, 1.2, 0.5), m)
    return Image.alpha_composite(shadow_of(icon, (1, 2), 1.0, 0.5), icon)


def make_menu_settings():
    """The menu's Settings sign, a board like the full-screen switch's with a cog."""
    x0, y0, x1, y1 = L.MENU_SETTINGS
    bw, bh = x1 - x0 + 1, y1 - y0 + 1
    return wooden_button(bw, bh, (0, 0, bw - 1, bh - 1), "Settings", "menu-settings", (HEADING, on_scale(21)),
                         gear_icon(bw, bh, bw - 34, bh / 2, 30), align="left")


def make_menu_sign(box, label, name, icon):
    """A sign of the column above the full-screen switch, like the Settings one."""
    x0, y0, x1, y1 = box
    bw, bh = x1 - x0 + 1, y1 - y0 + 1
    return wooden_button(bw, bh, (0, 0, bw - 1, bh - 1), label, name, (HEADING, on_scale(21)),
                         icon(bw, bh, bw - 34, bh / 2, 30), align="left")


def make_pause_settings():
    """The pause panel's Settings button: a small board with a cog."""
    x0, y0, x1, y1 = L.PAUSE_SETTINGS
    bw, bh = x1 - x0 + 1, y1 - y0 + 1
    board = plank(bw, bh, "pause-settings", radius=8)
    return Image.alpha_composite(board, gear_icon(bw, bh, bw / 2, bh / 2, 36))


def make_settings_panel():
    """The settings panel's sheet: its title and its two columns' headings."""
    x0, y0, x1, y1 = L.SETTINGS_PANEL
    w, h = x1 - x0 + 1, y1 - y0 + 1
    img = paper_panel(w, h, "settings")
    img = panel_title(img, "Settings", 40, 34)
    for key, heading in (("left", "Sound and picture"), ("keys", "Keys (click one to change it)")):
        left, right = L.SETTINGS_COLUMNS[key]
        img = put_text(img, ((left + right) / 2 - x0, L.SETTINGS_HEADINGS_Y - y0), heading, (HEADING, on_scale(18)),
                       "ink", anchor="mm")
    return img


def make_pause_marks():
    keys = {"game/pauseMusicOn.png": "music", "game/pauseSoundOn.png": "sound"}
    return option_marks(L.PAUSE_MARKS, L.PAUSE_PLATES, keys, PAUSE_ICON_FROM_RIGHT, 0, 14, 56)


# ------------------------------------------------------------------ scenario map

def catmull_rom(points, steps=24):
    out = []
    pts = [points[0]] + list(points) + [points[-1]]
    for i in range(1, len(pts) - 2):
        p0, p1, p2, p3 = pts[i - 1], pts[i], pts[i + 1], pts[i + 2]
        for j in range(steps):
            t = j / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(0.5 * ((2 * p1[k]) + (-p0[k] + p2[k]) * t + (2 * p0[k] - 5 * p1[k] + 4 * p2[k] - p3[k]) * t2 +
                                    (-p0[k] + 3 * p1[k] - 3 * p2[k] + p3[k]) * t3) for k in range(2)))
    out.append(points[-1])
    return out


def map_mountain(w, h, cx, base, size, name):
    return localised(w, h, cx - size - 3, base - size * 1.1 - 3, cx + size + 3, base + 3,
                     lambda lw, lh, ox, oy: _map_mountain(lw, lh, cx - ox, base - oy, size, name))


def _map_mountain(w, h, cx, base, size, name):
    """A peak lit from the west: its western face light, its eastern face in
    shadow, both darkening towards the foot, snow on the taller ones."""
    peak = (cx - size * 0.15, base - size * 1.1)
    pts = [(cx - size, base), peak, (cx + size * 0.1, base - size * 0.95), (cx + size, base)]
    m = to_array(polygon_mask(w, h, pts))
    ridge_foot = (cx + size * 0.05, base)
    lit = to_array(polygon_mask(w, h, [(cx - size, base), peak, ridge_foot]))
    shade = np.clip(m - lit, 0, 1)
    yy = np.arange(h, dtype=np.float32)[:, None]
    height = np.clip((base - yy) / (size * 1.1), 0, 1)           # 0 at the foot, 1 at the peak
    tone = (0.78 + 0.3 * height) * (1 + 0.22 * lit) * (1 - 0.38 * shade)
    tone = tone * (1 + 0.12 * (smooth_noise(w, h, max(4, int(size / 3)), name, 2) - 0.5))
    layer = from_array(solid(w, h, "rock") * tone[..., None], m)
    if size >= 36:
        snow = to_array(polygon_mask(w, h, [(peak[0] - size * 0.26, peak[1] + size * 0.3), peak,
                                            (peak[0] + size * 0.34, peak[1] + size * 0.32),
                                            (peak[0] + size * 0.1, peak[1] + size * 0.22),
                                            (peak[0] - size * 0.05, peak[1] + size * 0.36)]))
        layer = Image.alpha_composite(layer, from_array(solid(w, h, (246, 244, 236)) * (1 - 0.25 * shade)[..., None],
                                                        snow * m))
    gullies = to_array(mask(w, h, lambda d, s: [d.line(sp([peak, (cx - size * 0.45, base - size * 0.2)]), fill=255,
                                                       width=int(1 * SS)),
                                                d.line(sp([(cx + size * 0.1, base - size * 0.95),
                                                           (cx + size * 0.5, base - size * 0.15)]), fill=255,
                                                       width=int(1 * SS))]))
    layer = Image.alpha_composite(layer, from_array(solid(w, h, "ink"), gullies * m * 0.35))
    outline = to_array(mask(w, h, lambda d, s: d.line(sp(pts[:-1] + [pts[-1]]), fill=255, width=int(1.2 * SS))))
    return Image.alpha_composite(layer, from_array(solid(w, h, "ink"), outline * 0.7))


def map_tree(w, h, cx, cy, r, name):
    return localised(w, h, cx - r - 3, cy - r - 3, cx + r + 3, cy + r * 1.5 + 3,
                     lambda lw, lh, ox, oy: _map_tree(lw, lh, cx - ox, cy - oy, r, name))


def _map_tree(w, h, cx, cy, r, name):
    m = to_array(ellipse_mask(w, h, (cx - r, cy - r, cx + r, cy + r)))
    trunk = to_array(mask(w, h, lambda d, s: d.rectangle(s(cx - 1, cy + r * 0.6, cx + 1, cy + r * 1.5), fill=255)))
    layer = from_array(solid(w, h, "wood_dark"), trunk)
    layer = Image.alpha_composite(layer, from_array(solid(w, h, "pine") * bevel(m, 1.5, 0.8), m))
    return layer


def crossings(path_a, path_b):
    """Points where two polylines cross, with path_a's direction there."""
    found = []
    for (ax, ay), (bx, by) in zip(path_a, path_a[1:]):
        for (cx, cy), (dx, dy) in zip(path_b, path_b[1:]):
            den = (bx - ax) * (dy - cy) - (by - ay) * (dx - cx)
            if den == 0:
                continue
            t = ((cx - ax) * (dy - cy) - (cy - ay) * (dx - cx)) / den
            u = ((cx - ax) * (by - ay) - (cy - ay) * (bx - ax)) / den
            if 0 <= t < 1 and 0 <= u < 1:
                length = math.hypot(bx - ax, by - ay)
                found.append(((ax + t * (bx - ax), ay + t * (by - ay)), ((bx - ax) / length, (by - ay) / length)))
    return found


def make_map():
    img = from_array(paper_texture(W, H, "map", "paper") * lighting(W, H, 0.06), np.ones((H, W), np.float32))
    yy, xx = np.mgrid[0:H, 0:W].astype(np.float32)
    # terrain washes: sand in the south-east, dry grass in the north-west
    wash = np.clip(smooth_noise(W, H, 180, "map-wash", 3) * 1.5 + 0.3 * (xx / W + yy / H) - 0.2, 0, 1)
    img = Image.alpha_composite(img, from_array(solid(W, H, "sand_dark"), wash * 0.45))
    grass = np.clip(smooth_noise(W, H, 120, "map-grass", 3) * 2 - 0.1 - 0.5 * (xx / W), 0, 1)
    img = Image.alpha_composite(img, from_array(solid(W, H, "grass_dry"), grass * 0.4))
    # a river from the north edge to the west edge, between grassy banks
    river_pts = catmull_rom([(630, -40), (620, -10), (600, 60), (640, 120), (560, 170), (470, 250), (420, 330),
                             (300, 380), (200, 420), (120, 470), (40, 500), (-10, 515), (-40, 520)], 20)

    def band(width):
        return to_array(mask(W, H, lambda d, s: d.line(sp(river_pts), fill=255, width=int(width * SS), joint="curve")))
    bank = np.asarray(Image.fromarray((band(26) * 255).astype(np.uint8)).filter(ImageFilter.GaussianBlur(3)),
                      np.float32) / 255.0
    img = Image.alpha_composite(img, from_array(solid(W, H, (112, 128, 70)), bank * 0.55))
    img = Image.alpha_composite(img, from_array(solid(W, H, (104, 84, 56)), band(16) * 0.85))
    img = Image.alpha_composite(img, from_array(solid(W, H, "water") * lighting(W, H, 0.2), band(12)))
    img = Image.alpha_composite(img, from_array(solid(W, H, (170, 206, 220)), band(3) * 0.35))
    # mountains along the north and east
    rng = np_rng("map-mountains")
    for cx, base, size in [(280, 90, 34), (330, 96, 40), (380, 84, 30), (700, 120, 44), (760, 110, 36),
                           (820, 130, 46), (900, 170, 30), (960, 420, 40), (930, 480, 30), (70, 260, 32),
                           (40, 330, 28), (610, 520, 26), (460, 450, 22)]:
        img = Image.alpha_composite(img, map_mountain(W, H, cx, base, size, "m%d" % cx))
    # forests
    for fx, fy, n in [(70, 180, 9), (420, 360, 8), (700, 280, 10), (300, 480, 7), (880, 540, 7), (560, 60, 6)]:
        for i in range(n):
            img = Image.alpha_composite(img, map_tree(W, H, fx + rng.uniform(-34, 34), fy + rng.uniform(-22, 22),
                                                      rng.uniform(5, 8), "t"))
    # cacti and skulls of the desert in the south-east
    for i in range(10):
        cx, cy = rng.uniform(640, 990), rng.uniform(430, 570)
        if min(abs(cx - x - 12) + abs(cy - y - 12) for x, y in L.MAP_ICONS) < 50:
            continue
        img = Image.alpha_composite(img, cactus(W, H, cx, cy, 22, "mc%d" % i))
    # the route: a railway joining the stations in order
    centres = [(x + L.ICON_SIZE / 2.0, y + L.ICON_SIZE / 2.0) for x, y in L.MAP_ICONS]
    route = catmull_rom(centres, 30)
    bed = to_array(mask(W, H, lambda d, s: d.line(sp(route), fill=255, width=int(12 * SS), joint="curve")))
    img = Image.alpha_composite(img, from_array(solid(W, H, "sand_dark"), bed * 0.8))
    # wooden bridges where the line crosses the river
    for (bx, by), (ux, uy) in crossings(route, river_pts):
        ends = [(bx - ux * 17, by - uy * 17), (bx + ux * 17, by + uy * 17)]
        deck = to_array(mask(W, H, lambda d, s: d.line(sp(ends), fill=255, width=int(18 * SS))))
        img = with_shadow(img, from_array(wood_texture(W, H, "bridge%d" % bx, "wood") * bevel(deck, 1.5, 0.6), deck),
                          (0, 0), (3, 3), 2, 0.45)

    def ties(d, s):
        acc = 0.0
        for (ax, ay), (bx, by) in zip(route, route[1:]):
            seg = math.hypot(bx - ax, by - ay)
            if seg == 0:
                continue
            ux, uy = (bx - ax) / seg, (by - ay) / seg
            while acc < seg:
                px, py = ax + ux * acc, ay + uy * acc
                d.line(sp([(px - uy * 6, py + ux * 6), (px + uy * 6, py - ux * 6)]), fill=255, width=int(2.2 * SS))
                acc += 8.0
            acc -= seg
    img = Image.alpha_composite(img, from_array(solid(W, H, "wood_dark"), to_array(mask(W, H, ties))))
    rails = to_array(mask(W, H, lambda d, s: d.line(sp(route), fill=255, width=int(5 * SS), joint="curve")))
    gap = to_array(mask(W, H, lambda d, s: d.line(sp(route), fill=255, width=int(2.4 * SS), joint="curve")))
    img = Image.alpha_composite(img, from_array(solid(W, H, "iron"), np.clip(rails - gap, 0, 1)))
    # a compass rose in the north-east
    cx, cy = 950, 70
    star = to_array(polygon_mask(W, H, star_points(cx, cy, 38, 9, 4)))
    star2 = to_array(polygon_mask(W, H, star_points(cx, cy, 22, 6, 4, -45)))
    img = with_shadow(img, from_array(solid(W, H, "ink"), star * 0.85), (0, 0), (2, 2), 1.5, 0.3)
    img = Image.alpha_composite(img, from_array(solid(W, H, "red"), star2 * 0.9))
    img = put_text(img, (cx, cy - 50), "N", (HEADING, BODY), "ink", anchor="mm")
    # the level-name banner
    banner = plank(420, 46, "map-banner", base="red", radius=8, nails=True)
    img = with_shadow(img, banner, (302, 13), (4, 5), 3, 0.5)
    img = put_text(img, (110, 48), "Frontier Line", (HEADING, SUBTITLE), "ink", anchor="mm", shadow=None)
    img = put_text(img, (110, 72), "railway survey map", (TEXT, SMALL), "ink", anchor="mm")
    # the bottom board
    board = plank(W, 184, "map-board", radius=0, nails=False)
    img = with_shadow(img, board, (0, 586), (0, -4), 5, 0.45)
    # level facts: captions above the fields where the game writes the values
    sheet = paper_panel(452, 170, "map-facts", 10)
    img = with_shadow(img, sheet, (12, 592), (4, 4), 3, 0.4)
    for key, label in (("start iron", "Start iron"), ("mine iron", "Iron in the mine"),
                       ("bandits", "Bandits"), ("raiders", "Raiders")):
        tx, ty = L.MAP_TEXTS[key]
        half = 76 if tx < 300 else 62
        # the threat words are written in pure red or green: near-black fields keep
        # even the red readable
        colour = (14, 12, 12) if key in ("bandits", "raiders") else (46, 30, 18)
        img = Image.alpha_composite(img, recess(W, H, (tx - half, ty - 4, tx + half, ty + 25), 5, colour=colour))
        img = put_text(img, (tx, ty - 14), label, (TEXT_BOLD, SMALL), "ink", anchor="mm")
    # gold and workers
    gx, gy = L.MAP_TEXTS["gold"]
    img = Image.alpha_composite(img, recess(W, H, (gx - 6, gy - 4, gx + 110, gy + 25), 5))
    img = caption(img, (gx - 14, gy + 11), "Gold", px=BODY, anchor="rm")
    wx, wy = L.MAP_TEXTS["workers"]
    mx, _ = L.MAP_TEXTS["max workers"]
    # the caption ends above the hire button's click area, which begins at the
    # field's lower half
    img = caption(img, (wx - 14, L.MAP_BUY_BUTTON[1] - 2), "Workers", px=BODY, anchor="rs")
    workers_field = (wx - 6, wy - 4, mx + 34, L.BUY_FACE[1] - 3)   # ends above the hire button's frame
    # the two buttons, each framed from the top of its click area; the pictures the
    # game lays over them when they are out of reach cover the frames' lower parts
    img = with_shadow(img, buy_button(), L.BUY_FACE[:2], (4, 4), 3, 0.5)
    img = with_shadow(img, start_button(), L.START_FACE[:2], (4, 4), 3, 0.5)
    # the workers' count sits over the buy button's frame, drawn last
    img = Image.alpha_composite(img, recess(W, H, workers_field, 5))
    # the slash halfway between a one-digit count and the maximum
    from make_font import digit_advance
    img = put_text(img, ((wx + 1.5 * digit_advance() + mx) / 2.0, wy + 11), "/", (TEXT_BOLD, BODY), (255, 246, 220),
                   anchor="mm", stroke=1.5, stroke_fill=(22, 13, 6))
    return img


def framed(face, plate, name, inner):
    """A button drawn on `face`: a dark wooden frame from the top of its click area
    holding the coloured board `inner` (a picture the size of the board's box)
    over the part `plate` that a greyed picture can cover."""
    x0, y0, x1, y1 = face
    w, h = x1 - x0 + 1, y1 - y0 + 1
    frame = plank(w, h, name + "-frame", base="wood_dark", radius=8, nails=False)
    bx0, by0 = 5, plate[1] - y0 + 1
    board = inner(w - 10, h - by0 - 5)
    frame = Image.alpha_composite(frame, paste_layer(blank(w, h), shadow_of(board, (0, 0), 1.5, 0.7), (bx0, by0)))
    frame = paste_layer(frame, board, (bx0, by0))
    # two nails in the frame's top rail
    for nx in (10, w - 11):
        nail = to_array(ellipse_mask(w, h, (nx - 2.5, 8, nx + 2.5, 13)))
        frame = Image.alpha_composite(frame, from_array(solid(w, h, "iron_light") * bevel(nail, 1.0, 0.9), nail))
    return frame


def buy_board(words):
    def inner(bw, bh):
        plate = plank(bw, bh, "buy-plate", base="pine", radius=6, nails=False)
        if words:
            plate = Image.alpha_composite(plate, text_layer((bw, bh), (bw / 2 + 18, 18), "Hire a worker",
                                                            (HEADING, BODY), "paper", anchor="mm", stroke=1.2,
                                                            stroke_fill="ink", shadow=(2, 2, 0.5)))
            # the second line is left free: the game writes the price there
        return paste_layer(plate, worker_icon(32, "buy-worker"), (8, (bh - 32) // 2))
    return inner


def buy_button(words=True, greyed=False):
    board = buy_board(words)
    inner = (lambda bw, bh: grey_out(board(bw, bh), 0.9, 0.65)) if greyed else board
    return framed(L.BUY_FACE, L.BUY_PLATE, "buy", inner)


def start_board(bw, bh):
    plate = plank(bw, bh, "start-plate", base="red", radius=6, nails=False)
    plate = Image.alpha_composite(plate, text_layer((bw, bh), (bw / 2 + 28, bh / 2), "START", (HEADING, SUBTITLE),
                                                    "gold", anchor="mm", stroke=1.6, stroke_fill="ink",
                                                    shadow=(2, 3, 0.5)))
    return Image.alpha_composite(plate, locomotive(bw, bh, 10, bh - 16, 0.19, False, "start-loco"))


def start_button(greyed=False):
    inner = (lambda bw, bh: grey_out(start_board(bw, bh), 0.9, 0.7)) if greyed else start_board
    return framed(L.START_FACE, L.START_PLATE, "start", inner)


def lower_part(button, face, at, plate):
    """The part of a framed button from `plate`'s top down, placed in a picture the
    game draws at `at`."""
    gx, gy = at
    x0, y0, x1, y1 = plate
    out = blank(x1 - gx + 1, y1 - gy + 1)
    out.paste(button.crop((x0 - face[0], y0 - face[1], x1 - face[0] + 1, y1 - face[1] + 1)), (x0 - gx, y0 - gy))
    return out


def make_start_grey(map_image):
    """The map's start button, its board greyed, exactly over the frame's lower part."""
    return lower_part(start_button(greyed=True), L.START_FACE, L.START_GREY_AT, L.START_PLATE)


def make_no_funds():
    """The buy button's lower part with its board greyed, words and all: out of
    reach but still saying what it offers, with its price line left free for the
    game to write the price in grey."""
    return lower_part(buy_button(words=True, greyed=True), L.BUY_FACE, L.NO_FUNDS_AT, L.BUY_PLATE)


def level_icon(status):
    """A badge the game writes the level's number on: its face's colour tells
    the level's state (the stars under it tell how a won level went)."""
    s = L.ICON_SIZE
    img = blank(s, s)
    outer = to_array(ellipse_mask(s, s, (1, 1, s - 2, s - 2)))
    ring = to_array(ellipse_mask(s, s, (2, 2, s - 3, s - 3)))
    inner = to_array(ellipse_mask(s, s, (4, 4, s - 5, s - 5)))
    colours = {"available": ((50, 128, 44), "gold"), "locked": ((70, 66, 62), (160, 156, 150)),
               "done": ((150, 34, 26), "gold")}
    fill, rim = colours[status]
    img = Image.alpha_composite(img, from_array(solid(s, s, "ink"), outer))
    img = Image.alpha_composite(img, from_array(solid(s, s, rim) * bevel(ring, 1.0, 0.8), ring))
    img = Image.alpha_composite(img, from_array(solid(s, s, fill) * bevel(inner, 1.2, 0.7), inner))
    return Image.alpha_composite(shadow_of(img, (1, 2), 1.0, 0.5), img)


def make_level_selected():
    s = L.SELECTION_SIZE
    outer = to_array(ellipse_mask(s, s, (0, 0, s - 1, s - 1)))
    inner = to_array(ellipse_mask(s, s, (3.5, 3.5, s - 4.5, s - 4.5)))
    ring = np.clip(outer - inner, 0, 1)
    hole = s / 2 - 5
    centre = to_array(ellipse_mask(s, s, (s / 2 - hole, s / 2 - hole, s / 2 + hole, s / 2 + hole)))
    img = from_array(solid(s, s, (255, 236, 150)),
                     np.asarray(Image.fromarray((ring * 255).astype(np.uint8), "L").filter(ImageFilter.GaussianBlur(1.5)),
                                dtype=np.float32) / 255.0 * 0.8 * (1.0 - centre))
    return Image.alpha_composite(img, from_array(solid(s, s, "gold") * bevel(ring, 0.8, 0.8), ring))


def main():
    out = output_dir()
    save_png(make_logo(), out, "menu/logo.png")
    save_png(make_splash(), out, "menu/splash.png")
    save_png(make_menu(), out, "menu/menu.png")
    for path, image in make_menu_marks().items():
        save_png(image, out, path)
    save_png(make_theend(), out, "menu/theend.png")
    save_png(make_border(), out, "game/border.png")
    save_png(make_selection(), out, "game/guiSelection.png")
    save_png(make_level_done(), out, "game/msgLevelDone.png")
    save_png(make_level_fail(), out, "game/msgLevelFail.png")
    save_png(make_show_me(), out, "game/btnShowMe.png")
    save_png(make_star(), out, "game/star.png")
    save_png(make_pause(), out, "game/msgPause.png")
    for path, image in make_pause_marks().items():
        save_png(image, out, path)
    save_png(make_menu_settings(), out, "menu/settings.png")
    save_png(make_menu_sign(L.MENU_EDITOR, "Editor", "menu-editor", pencil_icon), out, "menu/editor.png")
    save_png(make_menu_sign(L.MENU_LEVELS, "Levels", "menu-levels", list_icon), out, "menu/levels.png")
    save_png(make_pause_settings(), out, "game/btnSettings.png")
    save_png(make_settings_panel(), out, "game/msgSettings.png")
    game_map = make_map()
    save_png(game_map, out, "game/gameMap.png")
    save_png(level_icon("available"), out, "game/levelavailable.png")
    save_png(level_icon("locked"), out, "game/levellocked.png")
    save_png(level_icon("done"), out, "game/leveldone.png")
    save_png(make_level_selected(), out, "game/levelSelected.png")
    save_png(make_start_grey(game_map), out, "game/startGrey.png")
    save_png(make_no_funds(), out, "game/noFunds.png")


if __name__ == "__main__":
    main()
