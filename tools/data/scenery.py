"""Larger painted pieces shared by the screen and tutorial generators: the
frontier landscape, the locomotive, cacti, wooden buttons and small icons.
Each function returns an RGBA layer; light comes from the top-left."""
import math

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

from screen_common import (SS, bevel, ellipse_mask, from_array, lighting, mask, mix, np_rng,
                           over, paper_texture, plank, polygon_mask, rgb, rounded_rect_mask,
                           shadow_of, smooth_noise, solid, text_layer, text_width, to_array,
                           wood_texture, HEADING, TEXT_BOLD, on_scale)


def vertical_gradient(width, height, stops):
    """stops: list of (t, colour) with t from 0 (top) to 1 (bottom)."""
    t = np.linspace(0.0, 1.0, height, dtype=np.float32)
    out = np.zeros((height, 3), dtype=np.float32)
    for i in range(3):
        out[:, i] = np.interp(t, [s for s, _ in stops], [rgb(c)[i] for _, c in stops])
    return np.broadcast_to(out[:, None, :], (height, width, 3)).copy()


def ridge(width, base_y, amplitude, cell, name, flat=0.0):
    """A skyline height per column (y of the top), with optional mesa flats."""
    n = smooth_noise(width, 1, cell, name, octaves=4)[0]
    if flat:
        n = np.clip(n * (1.0 + flat * 3), -0.55, 0.45)
    return base_y - n * amplitude


def landscape(width, height, name, horizon, dusk=0.0, sun_at=None):
    """Sky, sun glow, two bands of mesas and a dusty plain.  dusk 0..1 warms
    and darkens the light; sun_at places the sun (upper left by default), in
    open sky where no sign hides it."""
    sky_top = mix("sky", (88, 118, 168), dusk)
    sky_low = mix((246, 226, 180), (250, 170, 96), dusk)
    sky = vertical_gradient(width, height, [(0.0, sky_top), (horizon / height, sky_low), (1.0, sky_low)])
    # sun glow, upper left
    yy, xx = np.mgrid[0:height, 0:width].astype(np.float32)
    sun_x, sun_y = sun_at or (width * 0.22, horizon * (0.45 + 0.4 * dusk))
    d = np.sqrt((xx - sun_x) ** 2 + (yy - sun_y) ** 2)
    glow = np.exp(-d / (160.0 + 60 * dusk))[..., None]
    sky = sky * (1 - 0.5 * glow) + np.array(mix((255, 250, 225), (255, 200, 120), dusk), np.float32) * 0.5 * glow
    sun = np.clip((34 - d) / 2.0, 0, 1)[..., None]
    sky = sky * (1 - sun) + np.array(mix((255, 252, 236), (255, 214, 150), dusk), np.float32) * sun
    # a few soft clouds
    clouds = np.clip(smooth_noise(width, height, 140, name + "/clouds", 4) * 2.2 - 0.6, 0, 1)
    clouds *= np.clip(1.0 - yy / max(1, horizon * 0.8), 0, 1)
    sky = sky * (1 - 0.45 * clouds[..., None]) + np.array(mix((255, 250, 240), (250, 200, 170), dusk)) * 0.45 * clouds[..., None]
    img = from_array(sky, np.ones((height, width), np.float32))
    # far mesas (hazy), then nearer ones
    for layer_i, (base, amp, cell, col, haze) in enumerate([
            (horizon - 40, 70, 160, mix("rock", (150, 110, 120), dusk * 0.6), 0.55),
            (horizon - 12, 55, 110, mix((170, 110, 70), (120, 70, 60), dusk), 0.25)]):
        top = ridge(width, base, amp, cell, name + "/ridge%d" % layer_i, flat=1.0)
        ymap = np.arange(height, dtype=np.float32)[:, None]
        m = np.clip(ymap - top[None, :] + 0.5, 0, 1)
        tex = solid(width, height, col) * (0.92 + 0.08 * smooth_noise(width, height, 20, name + "/rk%d" % layer_i)[..., None])
        # light from the left on the faces: darker stripes down the cliffs
        strata = 0.94 + 0.06 * np.sin(ymap * 0.35 + smooth_noise(width, height, 50, name + "st%d" % layer_i) * 3)
        tex *= strata[..., None]
        slope = np.gradient(top)
        tex *= np.clip(1.0 + slope[None, :, None] * 0.05, 0.8, 1.15)
        tex = tex * (1 - haze) + np.array(sky_low, np.float32) * haze
        img = Image.alpha_composite(img, from_array(tex, m))
    # the plain
    ymap = np.arange(height, dtype=np.float32)[:, None]
    ground_m = np.clip(ymap - horizon + 0.5, 0, 1) * np.ones((1, width), np.float32)
    g = vertical_gradient(width, height, [(0.0, "sand"), (horizon / height, mix("sand", sky_low, 0.3)),
                                          (1.0, mix("sand_dark", (150, 100, 70), dusk * 0.5))])
    n = smooth_noise(width, height, 30, name + "/ground", 4)
    g *= (0.95 + 0.07 * n)[..., None]
    patches = np.clip(smooth_noise(width, height, 70, name + "/grass", 3) * 2 - 0.3, 0, 1)
    g = g * (1 - 0.35 * patches[..., None]) + np.array(rgb("grass_dry"), np.float32) * 0.35 * patches[..., None]
    if dusk:
        g *= 1.0 - 0.25 * dusk
    img = Image.alpha_composite(img, from_array(g, ground_m))
    return img


def cactus(width, height, x, base_y, size, name):
    """A saguaro standing at (x, base_y), size = its height in pixels."""
    return localised(width, height, x - size * 0.5, base_y - size * 1.1, x + size * 0.5, base_y + size * 0.2,
                     lambda w, h, ox, oy: _cactus(w, h, x - ox, base_y - oy, size, name))


def _cactus(width, height, x, base_y, size, name):
    rng = np_rng(name)
    w = size * 0.17
    arm_y = base_y - size * rng.uniform(0.45, 0.6)

    def draw(d, s):
        d.rounded_rectangle(s(x - w / 2, base_y - size, x + w / 2, base_y), radius=s(w / 2), fill=255)
        # left arm
        ax = x - w / 2 - size * 0.16
        d.rounded_rectangle(s(ax, arm_y - size * 0.05, x, arm_y + w * 0.8), radius=s(w * 0.4), fill=255)
        d.rounded_rectangle(s(ax, arm_y - size * 0.32, ax + w * 0.8, arm_y + w * 0.5), radius=s(w * 0.4), fill=255)
        # right arm, higher
        ry = arm_y - size * 0.12
        bx = x + w / 2 + size * 0.14
        d.rounded_rectangle(s(x, ry - size * 0.04, bx, ry + w * 0.8), radius=s(w * 0.4), fill=255)
        d.rounded_rectangle(s(bx - w * 0.8, ry - size * 0.26, bx, ry + w * 0.5), radius=s(w * 0.4), fill=255)
    m = to_array(mask(width, height, draw))
    col = solid(width, height, "pine") * bevel(m, 2.0, 0.6)
    xx = np.arange(width, dtype=np.float32)[None, :]
    ribs = 0.92 + 0.08 * np.sin(xx * 1.6)
    col *= ribs[..., None]
    layer = from_array(col, m)
    return Image.alpha_composite(shadow_of(layer, (5, 2), 2.5, 0.35), layer)


def rock(width, height, x, y, r, name):
    return localised(width, height, x - r * 1.5, y - r * 1.2, x + r * 1.5 + 6, y + r * 0.3 + 6,
                     lambda w, h, ox, oy: _rock(w, h, x - ox, y - oy, r, name))


def _rock(width, height, x, y, r, name):
    rng = np_rng(name)
    pts = []
    for i in range(9):
        a = math.pi + i * math.pi / 8
        rr = r * rng.uniform(0.75, 1.05)
        pts.append((x + math.cos(a) * rr * 1.3, y + math.sin(a) * rr * 0.8))
    m = to_array(polygon_mask(width, height, pts))
    col = solid(width, height, "rock") * bevel(m, 2.0, 0.7)
    layer = from_array(col, m)
    return Image.alpha_composite(shadow_of(layer, (4, 2), 2, 0.35), layer)


RAIL_HEIGHT = 4              # a side-view rail's head stands this far above the y track_side is given


def track_side(width, height, y, x0=0, x1=None, tie_gap=22):
    """Track seen from the side, its rail's foot at y and its head RAIL_HEIGHT
    pixels higher."""
    x1 = width if x1 is None else x1
    img = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    # ballast
    bal = to_array(mask(width, height, lambda d, s: d.polygon(
        [(s(x0), s(y + 12)), (s(x0), s(y + 2)), (s(x1), s(y + 2)), (s(x1), s(y + 12))], fill=255)))
    img = Image.alpha_composite(img, from_array(solid(width, height, "rock") *
                                                (0.9 + 0.1 * smooth_noise(width, height, 3, "ballast")[..., None]), bal))

    def ties(d, s):
        # whole sleepers only, set in so that both ends of the rail overhang alike
        count = (x1 - x0 - 11) // tie_gap + 1
        start = x0 + (x1 - x0 - 11 - (count - 1) * tie_gap) / 2.0
        for i in range(count):
            tx = start + i * tie_gap
            d.rectangle(s(tx, y, tx + 11, y + 7), fill=255)
    img = Image.alpha_composite(img, from_array(wood_texture(width, height, "ties", "wood_dark"),
                                                to_array(mask(width, height, ties))))
    rail = to_array(mask(width, height, lambda d, s: d.rectangle(s(x0, y - RAIL_HEIGHT, x1, y), fill=255)))
    col = solid(width, height, "iron")
    col[max(0, int(y - RAIL_HEIGHT)):max(0, int(y - RAIL_HEIGHT + 2))] = rgb("iron_light")
    img = Image.alpha_composite(img, from_array(col, rail))
    return img


def sp(points):
    """Final-pixel points to supersampled ones."""
    return [(px * SS, py * SS) for px, py in points]


def localised(width, height, x0, y0, x1, y1, draw_local):
    """Runs draw_local(w, h, ox, oy) on a canvas covering only x0..x1, y0..y1
    (whole pixels) and places the result on a full-size transparent layer."""
    x0, y0 = int(math.floor(x0)), int(math.floor(y0))
    x1, y1 = int(math.ceil(x1)), int(math.ceil(y1))
    w, h = x1 - x0, y1 - y0
    part = draw_local(w, h, x0, y0)
    full = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    full.paste(part, (x0, y0))
    return full


def locomotive(width, height, x, y, scale=1.0, smoke=True, name="loco"):
    """A 4-4-0 style steam engine facing right, its rear at x, the bottoms of
    its wheels at y: give it the top of the rail's head and it stands on the
    rail.  At scale 1 it is 230 px long and 150 px tall."""
    k = scale
    return localised(width, height, x - 30 * k - 12, y - 230 * k - 12, x + 245 * k + 12, y + 12 * k + 12,
                     lambda w, h, ox, oy: _locomotive(w, h, x - ox, y - oy, k, smoke, name))


def _locomotive(width, height, x, y, k, smoke, name):

    def P(px, py):
        return x + px * k, y - py * k

    layers = Image.new("RGBA", (width, height), (0, 0, 0, 0))

    def part(draw_fn, colour, bev=0.6, tex=None):
        nonlocal layers
        m = to_array(mask(width, height, draw_fn))
        base = tex if tex is not None else solid(width, height, colour)
        col = base * bevel(m, max(1.0, 2.0 * k), bev)
        layers = Image.alpha_composite(layers, from_array(col, m))
        return m

    # boiler: a cylinder, light on its upper third
    def boiler(d, s):
        d.rounded_rectangle(s(*P(70, 98), *P(205, 52)), radius=s(20 * k), fill=255)
    by0, by1 = y - 98 * k, y - 52 * k
    cyl = vertical_gradient(width, height, [(0, "iron"), (max(0.01, (by0 + 8 * k) / height), (120, 126, 134)),
                                            (max(0.02, (by0 + 14 * k) / height), "iron"),
                                            (min(0.99, by1 / height), (44, 46, 52)), (1, (44, 46, 52))])
    part(boiler, None, 0.3, cyl)
    # brass bands
    for bx in (110, 150, 185):
        part(lambda d, s, bx=bx: d.rectangle(s(*P(bx, 99), *P(bx + 4, 51)), fill=255), "gold", 0.8)
    # smokebox front
    part(lambda d, s: d.rounded_rectangle(s(*P(192, 100), *P(212, 50)), radius=s(6 * k), fill=255), (40, 40, 44))
    # smokestack, wide at the top
    part(lambda d, s: d.polygon(sp([P(178, 98), P(192, 98), P(200, 140), P(170, 140)]), fill=255), (48, 48, 54))
    part(lambda d, s: d.rounded_rectangle(s(*P(166, 146), *P(204, 137)), radius=s(3 * k), fill=255), (60, 60, 66))
    # steam dome and sand dome in brass
    part(lambda d, s: d.chord(s(*P(126, 118), *P(152, 79)), 180, 360, fill=255), "gold", 0.9)
    part(lambda d, s: d.chord(s(*P(94, 111), *P(114, 87)), 180, 360, fill=255), "gold", 0.9)
    # headlamp
    part(lambda d, s: d.rectangle(s(*P(196, 118), *P(212, 102)), fill=255), "gold", 0.9)
    part(lambda d, s: d.ellipse(s(*P(207, 115), *P(215, 105)), fill=255), (255, 244, 200), 0.2)
    # cab with its roof and a lit window
    part(lambda d, s: d.rectangle(s(*P(20, 128), *P(78, 42)), fill=255), "red", 0.6,
         wood_texture(width, height, name + "cab", "red", horizontal=False))
    part(lambda d, s: d.rounded_rectangle(s(*P(12, 138), *P(86, 126)), radius=s(4 * k), fill=255), "wood_dark")
    part(lambda d, s: d.rounded_rectangle(s(*P(34, 118), *P(64, 88)), radius=s(4 * k), fill=255), (250, 222, 150), 0.15)
    # running board and frame
    part(lambda d, s: d.rectangle(s(*P(14, 52), *P(214, 42)), fill=255), (40, 32, 28))
    # cowcatcher
    part(lambda d, s: d.polygon(sp([P(206, 46), P(236, 6), P(206, 6)]), fill=255), "red", 0.7)
    part(lambda d, s: [d.line(sp([P(208 + i * 6, 44 - i * 8), P(208 + i * 6, 8)]), fill=255,
                              width=max(1, int(1.6 * k * SS))) for i in range(1, 4)], (60, 20, 16), 0.3)
    # wheels
    for cx, r in ((60, 30), (128, 30), (188, 15), (216, 0)):
        if r == 0:
            continue
        cy = r          # the tyre's lowest point on y: the wheel rests on the rail

        def wheel(d, s, cx=cx, r=r, cy=cy):
            d.ellipse(s(*P(cx - r, cy + r), *P(cx + r, cy - r)), fill=255)
        m = part(wheel, (36, 36, 40), 0.9)

        def spokes(d, s, cx=cx, r=r, cy=cy):
            px, py = P(cx, cy)
            for a in range(0, 360, 30):
                ex = px + math.cos(math.radians(a)) * (r - 5) * k
                ey = py + math.sin(math.radians(a)) * (r - 5) * k
                d.line([(px * SS, py * SS), (ex * SS, ey * SS)], fill=255, width=max(1, int(2.2 * k * SS)))
            d.ellipse(s(*P(cx - r + 4, cy + r - 4), *P(cx + r - 4, cy - r + 4)), outline=255,
                      width=max(1, int(2.5 * k * SS)))
            d.ellipse(s(*P(cx - 5, cy + 5), *P(cx + 5, cy - 5)), fill=255)
        part(spokes, "red", 0.7)
    # coupling rod
    part(lambda d, s: d.rounded_rectangle(s(*P(52, 26), *P(136, 20)), radius=s(3 * k), fill=255), "iron_light", 0.9)
    out = Image.alpha_composite(shadow_of(layers, (int(6 * k), int(3 * k)), 3 * k, 0.35), layers)
    if smoke:
        rng = np_rng(name + "smoke")
        puffs = Image.new("RGBA", (width, height), (0, 0, 0, 0))
        for i in range(7):
            px, py = P(183 - i * 24 + rng.uniform(-5, 5), 156 + i * 7 + rng.uniform(-4, 4))
            r = (11 + i * 3.5) * k
            m = to_array(ellipse_mask(width, height, (px - r, py - r * 0.8, px + r, py + r * 0.8)))
            shade = 0.85 + 0.2 * (1 - i / 7)
            col = solid(width, height, (236, 230, 220)) * shade * bevel(m, 4 * k, 0.5)
            puffs = Image.alpha_composite(puffs, from_array(col, m * (0.85 - i * 0.09)))
        out = Image.alpha_composite(out, puffs)
    return out


def wooden_button(width, height, box, label, name, font_obj=(HEADING, 24), icon=None,
                  base="wood", label_colour="paper", align="center"):
    """A wooden board filling box exactly, with a carved label and an optional
    icon layer (drawn at the right end)."""
    x0, y0, x1, y1 = box
    bw, bh = x1 - x0 + 1, y1 - y0 + 1
    board = plank(bw, bh, name, base=base, radius=min(10, bh // 5))
    tl = text_layer((bw, bh), (bw / 2 if align == "center" else 22, bh / 2 + 1), label, font_obj, label_colour,
                    anchor="mm" if align == "center" else "lm", stroke=1.2, stroke_fill="ink", shadow=(2, 2, 0.55))
    board = Image.alpha_composite(board, tl)
    if icon is not None:
        board = Image.alpha_composite(board, icon)
    full = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    full.paste(board, (x0, y0))
    return full


def note_icon(width, height, cx, cy, size, colour="paper"):
    """A pair of quavers."""
    k = size / 40.0

    def draw(d, s):
        d.ellipse(s(cx - 18 * k, cy + 6 * k, cx - 6 * k, cy + 16 * k), fill=255)
        d.ellipse(s(cx + 4 * k, cy + 2 * k, cx + 16 * k, cy + 12 * k), fill=255)
        d.rectangle(s(cx - 9 * k, cy - 16 * k, cx - 6 * k, cy + 11 * k), fill=255)
        d.rectangle(s(cx + 13 * k, cy - 20 * k, cx + 16 * k, cy + 7 * k), fill=255)
        d.polygon([(s(cx - 9 * k), s(cy - 16 * k)), (s(cx + 16 * k), s(cy - 20 * k)),
                   (s(cx + 16 * k), s(cy - 13 * k)), (s(cx - 9 * k), s(cy - 9 * k))], fill=255)
    return icon_layer(width, height, draw, colour)


def speaker_icon(width, height, cx, cy, size, colour="paper"):
    k = size / 40.0

    def draw(d, s):
        d.polygon([(s(cx - 18 * k), s(cy - 6 * k)), (s(cx - 9 * k), s(cy - 6 * k)), (s(cx + 2 * k), s(cy - 16 * k)),
                   (s(cx + 2 * k), s(cy + 16 * k)), (s(cx - 9 * k), s(cy + 6 * k)), (s(cx - 18 * k), s(cy + 6 * k))],
                  fill=255)
        for r in (9, 16):
            d.arc(s(cx + 2 * k - r * k, cy - r * k, cx + 2 * k + r * k, cy + r * k), -50, 50, fill=255,
                  width=max(1, int(3 * k * SS)))
    return icon_layer(width, height, draw, colour)


def screen_icon(width, height, cx, cy, size, colour="paper"):
    """A window frame with arrows to its corners: full screen."""
    k = size / 40.0

    def draw(d, s):
        d.rectangle(s(cx - 18 * k, cy - 13 * k, cx + 18 * k, cy + 13 * k), outline=255, width=max(1, int(3 * k * SS)))
        for sx, sy in ((-1, -1), (1, -1), (-1, 1), (1, 1)):
            tx, ty = cx + sx * 13 * k, cy + sy * 8 * k
            d.polygon([(s(tx), s(ty)), (s(tx - sx * 8 * k), s(ty)), (s(tx), s(ty - sy * 6 * k))], fill=255)
    return icon_layer(width, height, draw, colour)


def pencil_icon(width, height, cx, cy, size, colour="paper"):
    """A pencil laid slantwise: the editor."""
    k = size / 40.0

    def draw(d, s):
        # the shaft from top right to bottom left, its point at the bottom left
        d.polygon([(s(cx + 12 * k), s(cy - 18 * k)), (s(cx + 18 * k), s(cy - 12 * k)),
                   (s(cx - 8 * k), s(cy + 14 * k)), (s(cx - 14 * k), s(cy + 8 * k))], fill=255)
        d.polygon([(s(cx - 14 * k), s(cy + 8 * k)), (s(cx - 8 * k), s(cy + 14 * k)),
                   (s(cx - 18 * k), s(cy + 18 * k))], fill=255)
    return icon_layer(width, height, draw, colour)


def list_icon(width, height, cx, cy, size, colour="paper"):
    """Three lines of a list, each led by a dot: the page of levels."""
    k = size / 40.0

    def draw(d, s):
        for row in (-12, 0, 12):
            d.ellipse(s(cx - 18 * k, cy + (row - 3) * k, cx - 12 * k, cy + (row + 3) * k), fill=255)
            d.rectangle(s(cx - 7 * k, cy + (row - 2) * k, cx + 18 * k, cy + (row + 2) * k), fill=255)
    return icon_layer(width, height, draw, colour)


def icon_layer(width, height, draw, colour):
    m = to_array(mask(width, height, draw))
    grown = np.asarray(Image.fromarray((m * 255).astype(np.uint8), "L").filter(ImageFilter.MaxFilter(3)),
                       dtype=np.float32) / 255.0
    out = from_array(solid(width, height, "ink"), grown)
    out = Image.alpha_composite(shadow_of(out, (2, 2), 1.2, 0.5), out)
    return Image.alpha_composite(out, from_array(solid(width, height, colour) * bevel(m, 1.0, 0.4), m))


def red_cross(width, height, box, thickness=6):
    """A hand-painted red X over box, for the marks that show an option is off."""
    x0, y0, x1, y1 = box
    t = thickness

    def draw(d, s):
        d.line([(s(x0), s(y0)), (s(x1), s(y1))], fill=255, width=int(t * SS))
        d.line([(s(x0), s(y1)), (s(x1), s(y0))], fill=255, width=int(t * SS))
    m = to_array(mask(width, height, draw))
    grown = np.asarray(Image.fromarray((m * 255).astype(np.uint8), "L").filter(ImageFilter.MaxFilter(3)),
                       dtype=np.float32) / 255.0
    out = from_array(solid(width, height, "ink"), grown * 0.9)
    return Image.alpha_composite(out, from_array(solid(width, height, "red") * bevel(m, 1.0, 0.5), m))


def off_stamp(width, height, cx, cy, text="OFF", px=18):
    """A red rubber-stamp word in a rounded box, slightly tilted."""
    tw = text_width(text, (TEXT_BOLD, on_scale(px)))
    box = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    w2, h2 = tw / 2 + 8, px * 0.75
    ring = np.clip(to_array(rounded_rect_mask(width, height, (cx - w2, cy - h2, cx + w2, cy + h2), 5)) -
                   to_array(rounded_rect_mask(width, height, (cx - w2 + 2.5, cy - h2 + 2.5, cx + w2 - 2.5, cy + h2 - 2.5), 3)),
                   0, 1)
    fill = to_array(rounded_rect_mask(width, height, (cx - w2, cy - h2, cx + w2, cy + h2), 5))
    box = Image.alpha_composite(box, from_array(solid(width, height, "paper"), fill * 0.92))
    box = Image.alpha_composite(box, from_array(solid(width, height, "red"), ring))
    box = Image.alpha_composite(box, text_layer((width, height), (cx, cy + 1), text, (TEXT_BOLD, on_scale(px)), "red",
                                                anchor="mm"))
    return box


def paper_panel(width, height, name, radius=14):
    """A parchment sheet pinned on a wooden board edge: the base of every panel."""
    m = to_array(rounded_rect_mask(width, height, (0, 0, width - 1, height - 1), radius))
    frame = wood_texture(width, height, name + "frame", "wood") * lighting(width, height, 0.12) * bevel(m, 3, 0.5)
    img = from_array(frame, m)
    inner_box = (10, 10, width - 11, height - 11)
    im = to_array(rounded_rect_mask(width, height, inner_box, radius - 6))
    paper = paper_texture(width, height, name + "paper") * lighting(width, height, 0.06)
    # recessed: a soft shade along the inner top-left edge
    inner_shadow = np.asarray(Image.fromarray((im * 255).astype(np.uint8), "L").filter(ImageFilter.GaussianBlur(4)),
                              dtype=np.float32) / 255.0
    shift = np.zeros_like(inner_shadow)
    shift[3:, 3:] = inner_shadow[:-3, :-3]
    paper *= (0.8 + 0.2 * shift)[..., None]
    img = Image.alpha_composite(img, from_array(paper, im))
    for nx, ny in ((18, 18), (width - 19, 18), (18, height - 19), (width - 19, height - 19)):
        from screen_common import nail
        img = Image.alpha_composite(img, nail(width, height, nx, ny, 3.0))
    return img
