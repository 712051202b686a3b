"""Ground tiles, the seven rail pieces, start and finish markers, gold, stones and
the four tunnel mouths: every 74 x 74 picture that makes up the track bed.

Usage: make_board_track.py DATA_FOLDER
"""
import math
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import (PALETTE, Art, blob_points, blur, fractal_noise, image_periodic,  # noqa: E402
                    lerp_colour, outline, mix, np_rng, output_dir, paint_earth, paint_rock, rng, save_png)

CELL = 74
HALF = CELL / 2.0
CURVE_RADIUS = 37.0          # the train's path through a curve, about a cell corner
RAIL_OFFSET = 10.0           # each rail's distance from the path
RAIL_WIDTH = 3.0
SLEEPER_HALF_LENGTH = 16.5
SLEEPER_WIDTH = 5.5
SLEEPERS_STRAIGHT = 6        # sleepers along a straight cell, half a pitch from each edge
SLEEPERS_CURVE = 5           # sleepers along a quarter circle, half a step from each edge
BALLAST_HALF_WIDTH = 21.0

# The corner each curve turns about, by piece kind (kind: joined sides).
CURVE_CORNERS = {2: (CELL, CELL), 3: (0.0, CELL), 4: (CELL, 0.0), 5: (0.0, 0.0)}


# ---------------------------------------------------------------------------
# Ground
# ---------------------------------------------------------------------------

def ground_tile(variant):
    """Sand and dry grass.  All three variants share the same periodic base, and
    each adds its own detail only away from the edges, so any two variants meet
    without a seam."""
    art = Art(CELL, CELL)
    W = art.W
    X, Y = art.X, art.Y
    window = (np.sin(math.pi * X / CELL) * np.sin(math.pi * Y / CELL)) ** 0.8

    patches = fractal_noise(W, W, 2, "ground/patches", 3, True)
    mottle = fractal_noise(W, W, 6, "ground/mottle", 3, True)
    grain = fractal_noise(W, W, 37, "ground/grain", 2, True)
    own = fractal_noise(W, W, 3, "ground/own%d" % variant, 3, True)
    patches = 0.5 + (patches - 0.5) * 0.35 + (own - 0.5) * 1.5 * window

    sand = np.array(PALETTE["sand"], dtype=float)
    grass = np.array(PALETTE["grass_dry"], dtype=float)
    grass_t = np.clip((patches - 0.47) * 3.0, 0.0, 1.0)
    col = lerp_colour(sand, grass * 1.04, grass_t * 0.75)
    col = col * (0.93 + 0.12 * mottle[..., None])
    col = col * (0.95 + 0.1 * grain[..., None])
    speck = np_rng("ground/speck").random((W, W))
    col = col * np.where(speck > 0.985, 0.86, 1.0)[..., None]
    col = col * np.where(speck < 0.01, 1.06, 1.0)[..., None]
    # each variant leans its own way in the middle of the cell (warmer, greener,
    # paler), fading to the shared colour at the edges so any two still meet cleanly
    tint = np.array(((1.04, 1.0, 0.94), (0.97, 1.01, 0.93), (1.03, 1.03, 1.04))[variant])
    col = col * (1.0 + (tint - 1.0)[None, None, :] * window[..., None])
    art.fill(np.ones((W, W)), col)
    bumps = fractal_noise(W, W, 9, "ground/bumps", 2, True) * 1.2
    art.shade(np.ones((W, W)), art.relief(bumps, 0.6, 0.8))

    def tuft(r, size):
        def draw(x, y):
            blades = []
            for i in range(r.randint(7, 12)):
                ang = -math.pi / 2 + r.uniform(-1.25, 1.25)
                length = size * r.uniform(0.6, 1.0)
                bend = r.uniform(-0.25, 0.25)
                mx = x + math.cos(ang + bend) * length * 0.5
                my = y + math.sin(ang + bend) * length * 0.5
                ex = x + math.cos(ang) * length
                ey = y + math.sin(ang) * length * 0.8
                blades.append(([(x + r.uniform(-1, 1), y), (mx, my), (ex, ey)], r.random()))
            base = art.ellipse(x + 0.8, y + 0.6, size * 0.55, size * 0.22)
            art.fill(blur(base, 3), PALETTE["shadow"], 0.25)
            for pts, t in blades:
                m = art.line(pts, 0.55)
                art.fill(m, mix((150, 136, 70), (214, 190, 120), t))
        return draw

    def pebble(r, size):
        tone = r.uniform(0.85, 1.1)
        colour = tuple(c * tone for c in mix(PALETTE["rock"], PALETTE["sand_dark"], r.random() * 0.5))
        rx = size * r.uniform(0.8, 1.2)
        ry = size * r.uniform(0.55, 0.8)
        ang = r.uniform(0, math.pi)
        seed = "pebble%d" % r.randint(0, 10 ** 6)

        def draw(x, y):
            paint_rock(art, blob_points(x, y, rx, ry, r, 0.12, 16, ang), colour, seed, 0.35, 0.2)
        return draw

    # nothing sits on the edges (details shared there repeat as a grid across the
    # board): every tuft and pebble keeps a margin inside its own cell
    r = rng("ground/variant%d" % variant)
    margin = 12
    tufts = (5, 8, 4)[variant]
    pebbles = (4, 2, 6)[variant]
    for i in range(tufts):
        tuft(r, r.uniform(3.5, 6.5))(r.uniform(margin, CELL - margin), r.uniform(margin, CELL - margin))
    for i in range(pebbles):
        pebble(r, r.uniform(0.8, 2.0))(r.uniform(margin, CELL - margin), r.uniform(margin, CELL - margin))
    if variant == 2:
        # a dry crack in the sand
        x, y = r.uniform(24, 34), r.uniform(24, 34)
        pts = [(x, y)]
        ang = r.uniform(0, 2 * math.pi)
        for i in range(6):
            ang += r.uniform(-0.7, 0.7)
            x += math.cos(ang) * 3.2
            y += math.sin(ang) * 3.2
            pts.append((x, y))
        art.fill(art.line(pts, 0.9), PALETTE["sand_dark"], 0.8)
        art.fill(art.line([(p[0] + 0.5, p[1] + 0.5) for p in pts], 0.5), (120, 96, 64), 0.6)
    return image_periodic(art)


# ---------------------------------------------------------------------------
# Rails
# ---------------------------------------------------------------------------

def straight_frame(horizontal):
    """(point at distance s along the path and offset o to its side, in cell pixels)."""
    if horizontal:
        return lambda s, o: (s, HALF + o)
    return lambda s, o: (HALF + o, s)


def curve_points(corner, radius, steps=48, overshoot=6.0):
    cx, cy = corner
    sx = 1.0 if cx == 0 else -1.0
    sy = 1.0 if cy == 0 else -1.0
    pts = []
    a0 = -math.radians(overshoot)
    a1 = math.pi / 2 + math.radians(overshoot)
    for i in range(steps + 1):
        a = a0 + (a1 - a0) * i / steps
        pts.append((cx + sx * radius * math.cos(a), cy + sy * radius * math.sin(a)))
    return pts


def sleeper_quads(kind):
    """Each sleeper as a four-point outline."""
    quads = []
    hl, hw = SLEEPER_HALF_LENGTH, SLEEPER_WIDTH / 2.0
    if kind in (0, 1, 6):
        for horizontal in ((True,) if kind == 0 else (False,) if kind == 1 else (False, True)):
            for i in range(SLEEPERS_STRAIGHT):
                s = (i + 0.5) * CELL / SLEEPERS_STRAIGHT
                if kind == 6 and not horizontal and abs(s - HALF) < SLEEPER_HALF_LENGTH:
                    continue        # the crossing's middle rests on the W-E sleepers
                if horizontal:
                    quads.append([(s - hw, HALF - hl), (s + hw, HALF - hl), (s + hw, HALF + hl), (s - hw, HALF + hl)])
                else:
                    quads.append([(HALF - hl, s - hw), (HALF + hl, s - hw), (HALF + hl, s + hw), (HALF - hl, s + hw)])
    else:
        cx, cy = CURVE_CORNERS[kind]
        sx = 1.0 if cx == 0 else -1.0
        sy = 1.0 if cy == 0 else -1.0
        for i in range(SLEEPERS_CURVE):
            a = (i + 0.5) * (math.pi / 2) / SLEEPERS_CURVE
            u = (sx * math.cos(a), sy * math.sin(a))          # radial direction
            t = (-sx * math.sin(a), sy * math.cos(a))         # along the track
            r0, r1 = CURVE_RADIUS - hl, CURVE_RADIUS + hl
            quads.append([(cx + u[0] * r0 - t[0] * hw, cy + u[1] * r0 - t[1] * hw),
                          (cx + u[0] * r1 - t[0] * hw, cy + u[1] * r1 - t[1] * hw),
                          (cx + u[0] * r1 + t[0] * hw, cy + u[1] * r1 + t[1] * hw),
                          (cx + u[0] * r0 + t[0] * hw, cy + u[1] * r0 + t[1] * hw)])
    return quads


def rail_paths(kind):
    paths = []
    for o in (-RAIL_OFFSET, RAIL_OFFSET):
        if kind in (0, 6):
            paths.append([(-4, HALF + o), (CELL + 4, HALF + o)])
        if kind in (1, 6):
            paths.append([(HALF + o, -4), (HALF + o, CELL + 4)])
        if kind in CURVE_CORNERS:
            paths.append(curve_points(CURVE_CORNERS[kind], CURVE_RADIUS + o))
    return paths


def ballast_mask(art, kind):
    d = np.full(art.X.shape, 1e9)
    if kind in (0, 6):
        d = np.minimum(d, np.abs(art.Y - HALF))
    if kind in (1, 6):
        d = np.minimum(d, np.abs(art.X - HALF))
    if kind in CURVE_CORNERS:
        cx, cy = CURVE_CORNERS[kind]
        d = np.minimum(d, np.abs(np.hypot(art.X - cx, art.Y - cy) - CURVE_RADIUS))
    return np.clip((BALLAST_HALF_WIDTH - d) / 5.0, 0.0, 1.0)


def rail_piece(kind):
    art = Art(CELL, CELL)
    W = art.W
    # gravel bed, denser in the middle, soft at its edges
    bed = ballast_mask(art, kind)
    gravel = np_rng("ballast").random((W, W))
    gravel = blur(gravel, 1.2)
    gravel = (gravel - gravel.mean()) / (gravel.std() + 1e-9)
    coarse = fractal_noise(W, W, 8, "ballast/coarse", 2, True)
    col = lerp_colour((150, 138, 120), (196, 184, 164), 0.5 + 0.22 * gravel + 0.3 * (coarse - 0.5))
    art.fill(bed, col, 0.82)
    art.shade(bed, art.relief(gravel * 0.4, 1.0, 0.75))

    quads = sleeper_quads(kind)
    r = rng("sleepers")
    grain = fractal_noise(W, W, 30, "wood/grain", 2, False)
    streak = fractal_noise(W, W, 4, "wood/streak", 2, False)
    masks = [art.poly(q) for q in quads]
    for m in masks:
        art.shadow(m, 1.2, 1.4, 1.0, 0.45)
    for i, m in enumerate(masks):
        tone = 0.85 + 0.25 * r.random()
        wood = np.array(PALETTE["wood"], dtype=float) * tone
        c = wood[None, None, :] * (0.8 + 0.3 * grain[..., None] + 0.1 * streak[..., None])
        art.fill(m, c)
        art.shade(m, art.dome(m, 1.2, 0.7))
        # nail heads where the rails sit
    rails = rail_paths(kind)
    for p in rails:
        m = art.line(p, RAIL_WIDTH + 0.6, round_caps=False)
        art.shadow(m, 1.0, 1.2, 0.8, 0.55)
    for p in rails:
        foot = art.line(p, RAIL_WIDTH + 1.2, round_caps=False)
        art.fill(foot, (64, 60, 58), 0.9)
    for p in rails:
        m = art.line(p, RAIL_WIDTH, round_caps=False)
        art.fill(m, PALETTE["iron"])
        art.shade(m, art.dome(m, 0.8, 1.4))
        top = art.line([(x - 0.45, y - 0.45) for x, y in p], 1.1, round_caps=False)
        art.fill(top * m, PALETTE["iron_light"], 0.9)
    return art.image()


# ---------------------------------------------------------------------------
# Start and finish markers (drawn over the piece laid on the cell)
# ---------------------------------------------------------------------------

def signal(art, x, y, lamp):
    """A small signal post standing on ground point (x, y) with a lit lamp."""
    art.fill(blur(art.line([(x, y), (x + 7, y + 3)], 1.4), 0.8 * art.ss), PALETTE["shadow"], 0.35)
    post = art.line([(x, y), (x, y - 13)], 1.3)
    art.fill(post, (70, 66, 64))
    head = art.rect(x - 2.6, y - 19, x + 2.6, y - 11.5)
    art.shadow(head, 1.0, 1.0, 0.8, 0.4)
    art.fill(head, (40, 38, 38))
    art.shade(head, art.dome(head, 1.0, 1.0))
    art.glow(art.ellipse(x, y - 16.5, 2.0, 2.0), lamp, 1.6, 0.8)
    art.fill(art.ellipse(x, y - 16.5, 1.6, 1.6), mix(lamp, (255, 255, 255), 0.35))
    art.fill(art.ellipse(x - 0.5, y - 17.0, 0.5, 0.5), (255, 255, 255), 0.9)


def painted_plate(art, colour, word, banner_colour=None, checker=False):
    """The start or finish cell painted on the ground so it stands out on a busy
    board: a wash of colour over the whole cell (the rails show through), a thick
    border, and a banner along the top with the word in white capitals."""
    inner = art.rect(5, 5, CELL - 5, CELL - 5)
    whole = art.rect(1.5, 1.5, CELL - 1.5, CELL - 1.5)
    art.fill(whole, colour, 0.22)
    border = np.clip(whole - inner, 0, 1)
    art.fill(border, colour, 0.95)
    # white dashes along the border, like paint on a platform's edge
    dash = ((np.floor((art.X + art.Y) / 6.0) % 2) == 0) * border
    art.fill(dash, (246, 242, 230), 0.55)
    banner = art.rect(1.5, 1.5, CELL - 1.5, 16)
    art.shadow(banner, 1.0, 1.2, 1.0, 0.4)
    if checker:
        board = ((np.floor(art.X / 4.6) + np.floor((art.Y - 1.5) / 4.8)) % 2)
        art.fill(banner, lerp_colour((30, 26, 24), (244, 238, 226), board))
        plaque = art.rect(CELL / 2 - 21, 3, CELL / 2 + 21, 14.5)
        art.fill(plaque, banner_colour or colour)
        art.shade(plaque, art.dome(plaque, 1.0, 0.8))
        outline(art, plaque, (30, 20, 14), 0.7, 0.6)
    else:
        art.fill(banner, banner_colour or colour)
        art.shade(banner, art.dome(banner, 1.5, 0.8))
    outline(art, whole, (30, 20, 14), 0.7, 0.8)
    outline(art, banner, (30, 20, 14), 0.5, 0.6)
    from screen_common import font
    face = font("sans_bold", 10 * art.ss)

    def lettering(d, s):
        d.text((CELL / 2 * s, 9.2 * s), word, font=face, fill=255, anchor="mm")
    letters = art._mask(lettering)
    art.fill(blur(letters, 0.9 * art.ss), (20, 14, 10), 0.9)
    art.fill(letters, (255, 252, 240))


def buffer_stop(art, x):
    """A red and white buffer beam across the line's end at the east edge,
    standing on two posts, with a red lamp on top."""
    beam = art.rect(x - 3.5, HALF - 15, x + 3.5, HALF + 15)
    art.shadow(beam, 2.0, 2.0, 1.4, 0.5)
    stripes = (np.floor((art.Y - HALF) / 5.0) % 2)
    art.fill(beam, lerp_colour((196, 44, 36), (246, 240, 228), stripes))
    art.shade(beam, art.dome(beam, 1.5, 1.0))
    outline(art, beam, (40, 20, 14), 0.7, 0.6)
    for y in (HALF - RAIL_OFFSET, HALF + RAIL_OFFSET):
        pad = art.ellipse(x - 4.5, y, 2.4, 2.4)
        art.fill(pad, (60, 58, 60))
        art.shade(pad, art.dome(pad, 1.0, 1.2))
    art.glow(art.ellipse(x, HALF - 18, 2.5, 2.5), (255, 80, 60), 2.5, 0.7)
    art.fill(art.ellipse(x, HALF - 18, 2.2, 2.2), (255, 96, 72))


def start_marker():
    art = Art(CELL, CELL)
    painted_plate(art, (44, 150, 70), "START")
    signal(art, 66.0, 70.0, (90, 240, 110))
    return art.image()


def finish_marker():
    art = Art(CELL, CELL)
    painted_plate(art, (196, 52, 40), "FINISH", checker=True)
    buffer_stop(art, CELL - 6.0)
    return art.image()


# ---------------------------------------------------------------------------
# Gold and stones
# ---------------------------------------------------------------------------

def sparkle(art, x, y, size, alpha=0.9):
    m = np.maximum(art.poly([(x - size, y), (x, y - size * 0.18), (x + size, y), (x, y + size * 0.18)]),
                   art.poly([(x, y - size), (x + size * 0.18, y), (x, y + size), (x - size * 0.18, y)]))
    art.glow(m, (255, 250, 200), 1.0, 0.6 * alpha)
    art.fill(m, (255, 252, 230), alpha)


def gold_nuggets():
    art = Art(CELL, CELL)
    r = rng("gold")
    art.fill(blur(art.ellipse(39, 41, 17, 10), 6 * art.ss), PALETTE["shadow"], 0.25)
    spots = [(31, 38, 6.5), (42, 35, 7.5), (46, 44, 5.5), (35, 46, 6.0), (26, 45, 4.0), (52, 37, 3.5), (39, 42, 4.5)]
    for x, y, s in spots:
        pts = blob_points(x, y, s, s * 0.75, r, 0.28, 18, r.uniform(0, math.pi))
        m = art.poly(pts)
        art.shadow(m, 1.5, 1.6, 1.2, 0.45)
        tex = art.noise(10, "gold%d" % x, 3)
        col = lerp_colour((176, 112, 24), (252, 212, 90), 0.35 + 0.5 * tex)
        art.fill(m, col)
        art.shade(m, art.dome(m, s * 0.8, 1.6))
        hl = art.ellipse(x - s * 0.35, y - s * 0.3, s * 0.3, s * 0.2)
        art.fill(blur(hl, 2) * m, (255, 248, 210), 0.8)
    sparkle(art, 44.5, 31.5, 5.0)
    sparkle(art, 28.5, 36.0, 3.2, 0.8)
    return art.image()


def stones():
    art = Art(CELL, CELL)
    r = rng("stones")
    art.fill(blur(art.ellipse(39, 42, 30, 24), 5 * art.ss), PALETTE["shadow"], 0.3)
    rocks = [(22, 26, 13, 10), (48, 22, 14, 11), (36, 40, 16, 13), (18, 50, 11, 9), (55, 46, 12, 11),
             (38, 59, 12, 8), (58, 62, 7, 5), (12, 36, 6, 5), (30, 16, 6, 4)]
    for i, (x, y, rx, ry) in enumerate(rocks):
        tone = r.uniform(0.86, 1.1)
        colour = tuple(c * tone for c in mix(PALETTE["rock"], (168, 140, 110), r.random() * 0.6))
        pts = blob_points(x, y, rx, ry, r, 0.16, 24, r.uniform(0, math.pi))
        m = paint_rock(art, pts, colour, "stone%d" % i, 0.5, 0.3)
        # a crack or two
        if rx > 10:
            a = r.uniform(0, math.pi)
            cx, cy = x + r.uniform(-3, 3), y + r.uniform(-3, 3)
            crack = art.line([(cx - math.cos(a) * rx * 0.4, cy - math.sin(a) * ry * 0.4), (cx, cy + 1),
                              (cx + math.cos(a) * rx * 0.45, cy + math.sin(a) * ry * 0.45)], 0.6)
            art.fill(crack * m, (70, 60, 52), 0.6)
    return art.image()


# ---------------------------------------------------------------------------
# Tunnel mouths: a rocky bank with a stone portal; the opening faces the letter's
# direction.  The geometry is laid out facing east and turned, while the lighting
# stays fixed on the screen.
# ---------------------------------------------------------------------------

def tunnel(side):
    art = Art(CELL, CELL)

    def to_screen(x, y):
        dx, dy = x - HALF, y - HALF
        if side == "E":
            return HALF + dx, HALF + dy
        if side == "W":
            return HALF - dx, HALF - dy
        if side == "N":
            return HALF + dy, HALF - dx
        return HALF - dy, HALF + dx          # S

    def P(points):
        return art.poly([to_screen(x, y) for x, y in points])

    r = rng("tunnel")
    # local frame: the mouth looks towards +x; the bank fills the back (small x)
    bank = []
    for i in range(33):
        y = 1 + i * (CELL - 2) / 32.0
        # the bank's face rounds off towards the cell's side edges
        edge = 46.5 + 2.5 * math.sin(y * 0.23 + 1.0) + r.uniform(-1.0, 1.0)
        d = abs(y - HALF) / HALF
        edge -= 26.0 * max(0.0, d - 0.55) ** 1.5 * 2.5
        if 12 < y < 62:
            edge = max(edge, 46.5)
        bank.append((edge, y))
    mound = P([(-8, 1)] + bank + [(-8, CELL - 1)])
    art.shadow(mound, 3.0, 3.0, 3.0, 0.45)
    paint_earth(art, mound, "tunnel", ridge_height=22.0, roughness=7.0, radius=9.0, grass=0.5)
    for i in range(6):
        x, y = r.uniform(8, 36), r.uniform(4, 70)
        if 12 < y < 62 and x > 26:
            continue
        sx, sy = to_screen(x, y)
        paint_rock(art, blob_points(sx, sy, r.uniform(3, 5), r.uniform(2.5, 4), r, 0.15, 16),
                   mix(PALETTE["rock"], (186, 160, 128), r.random() * 0.5), "tb%d" % i, 0.4)

    def E(cx, cy, rx, ry, a0=0.0, a1=2 * math.pi, n=40):
        return [(cx + rx * math.cos(a0 + (a1 - a0) * i / n), cy + ry * math.sin(a0 + (a1 - a0) * i / n))
                for i in range(n + 1)]

    # the portal: a ring of dressed stone round a bore that curves into the bank
    ring = np.maximum(P(E(40, HALF, 16.5, 22.0, math.pi / 2, 1.5 * math.pi)), P([(40, HALF - 22), (51, HALF - 22), (51, HALF + 22), (40, HALF + 22)]))
    art.shadow(ring, 2.0, 2.0, 1.6, 0.5)
    stone = lerp_colour((150, 140, 128), (206, 196, 178), art.noise(14, "tunnel/s", 2))
    art.fill(ring, stone)
    # joints between the blocks: radial round the arch, straight along the sides
    for k in range(9):
        ang = math.pi / 2 + k * math.pi / 8
        art.fill(art.line([to_screen(40 + math.cos(ang) * 12, HALF + math.sin(ang) * 16.5),
                           to_screen(40 + math.cos(ang) * 17.5, HALF + math.sin(ang) * 23)], 0.6) * ring,
                 (96, 88, 80), 0.8)
    for y in (HALF - 22, HALF + 17.5):
        for x in (45.5,):
            art.fill(art.line([to_screen(x, y), to_screen(x, y + 4.5)], 0.6) * ring, (96, 88, 80), 0.8)
    art.shade(ring, art.dome(ring, 2.0, 1.2))
    outline(art, ring, (70, 60, 50), 0.5, 0.7)
    # the bore, darkening into the hill
    hole = np.maximum(P(E(40, HALF, 11.5, 16.5, math.pi / 2, 1.5 * math.pi)), P([(40, HALF - 16.5), (52, HALF - 16.5), (52, HALF + 16.5), (40, HALF + 16.5)]))
    mx, my = to_screen(51, HALF)
    bx, by = to_screen(28.5, HALF)
    ux, uy = (bx - mx) / 22.5, (by - my) / 22.5
    depth = np.clip(((art.X - mx) * ux + (art.Y - my) * uy) / 16.0, 0.0, 1.0)
    art.fill(hole, lerp_colour((84, 68, 52), (8, 6, 6), depth ** 0.7))
    # keystone over the mouth
    key = P([(46.5, HALF - 24), (51.5, HALF - 24), (51.5, HALF - 18.5), (46.5, HALF - 18.5)])
    key2 = P([(46.5, HALF + 18.5), (51.5, HALF + 18.5), (51.5, HALF + 24), (46.5, HALF + 24)])
    for k in (key, key2):
        art.fill(k, (218, 206, 184))
        art.shade(k, art.dome(k, 1.2, 1.2))
        outline(art, k, (70, 60, 50), 0.5, 0.5)
    art.fade_edges(1.5)
    return art.image()


def main():
    out = output_dir()
    for variant in range(3):
        save_png(ground_tile(variant), out, "game/tile%d.png" % (variant + 1))
    for kind in range(7):
        save_png(rail_piece(kind), out, "game/%d.png" % kind)
    save_png(start_marker(), out, "game/tilestart.png")
    save_png(finish_marker(), out, "game/tilefinish.png")
    save_png(gold_nuggets(), out, "game/gold.png")
    save_png(stones(), out, "game/buildings/stones.png")
    for side in "NESW":
        save_png(tunnel(side), out, "game/tunnel%s.png" % side)


if __name__ == "__main__":
    main()
