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
                    gather, lerp_colour, outline, mix, np_rng, shift, output_dir, paint_rock, rng,
                    save_png, side_view, landform_colour, outcrops)

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

GROUND_EDGE = 16.0           # how far in from a cell's edge the ground begins to vary


def edge_plateau(art, ramp):
    """0 on a cell's border, rising smoothly to 1 at `ramp` pixels in and flat
    across the rest: what varies under it leaves the border alone without
    making a blob in the middle."""
    d = np.minimum(np.minimum(art.X, CELL - art.X), np.minimum(art.Y, CELL - art.Y))
    t = np.clip(d / ramp, 0.0, 1.0)
    return t * t * (3.0 - 2.0 * t)


def ground_base(art, variant=None):
    """The ground's colour and relief light over a cell, before any tuft or pebble.
    The board draws each cell's ground turned and mirrored its own way, so only
    what is the same along every side may reach the border: one flat colour and
    a fine grain and relief too small to show a seam.  The broader mottling of
    sand and dry grass stays inside GROUND_EDGE and is even on average.  `variant`
    None gives the plain ground every variant shares."""
    W = art.W
    inside = edge_plateau(art, GROUND_EDGE)
    seed = "ground/v%s" % (variant if variant is not None else "plain")
    patches = fractal_noise(W, W, 3, seed + "/patches", 3, False)
    mottle = fractal_noise(W, W, 7, seed + "/mottle", 3, False)
    grain = fractal_noise(W, W, 37, "ground/grain", 2, False)

    sand = np.array(PALETTE["sand"], dtype=float)
    grass = np.array(PALETTE["grass_dry"], dtype=float)
    flat = lerp_colour(sand, grass * 1.04, np.full((W, W), 0.22))
    # patches of grass and bare sand, even on average, so the middle of a cell
    # is neither greener nor paler than its border
    grass_t = np.clip((patches - np.mean(patches)) * 2.5, -0.6, 0.6) * 0.5 * inside
    col = flat + (grass * 1.04 - sand)[None, None, :] * grass_t[..., None]
    col = col * (1.0 + 0.06 * (mottle - 0.5) * inside)[..., None]
    col = col * (0.95 + 0.1 * grain[..., None])
    speck = np_rng(seed + "/speck").random((W, W))
    col = col * np.where(speck > 0.985, 0.86, 1.0)[..., None]
    col = col * np.where(speck < 0.01, 1.06, 1.0)[..., None]
    # fine bumps all over: too small to show where two cells meet
    bumps = fractal_noise(W, W, 18, seed + "/bumps", 2, False) * 1.2
    return col, art.relief(bumps, 0.6, 0.8)


def ground_tile(variant):
    """Sand and dry grass.  Any variant meets any other, each turned by quarter
    turns or mirrored, without a seam: all share the plain border of
    ground_base, and each scatters its own tufts and pebbles off the middle and
    away from the border, so no cell shows the same motif in the same place."""
    art = Art(CELL, CELL)
    col, relief = ground_base(art, variant)
    art.fill(np.ones((art.W, art.W)), col)
    art.shade(np.ones((art.W, art.W)), relief)

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

    # nothing sits on the border (it would be cut, or repeat as a grid) nor in the
    # middle (the same motif in the middle of every cell reads as wallpaper)
    r = rng("ground/scatter%d" % variant)

    def spot(margin=9.0, clear_middle=15.0):
        while True:
            x, y = r.uniform(margin, CELL - margin), r.uniform(margin, CELL - margin)
            if math.hypot(x - HALF, y - HALF) >= clear_middle:
                return x, y
    tufts = (4, 6, 2)[variant]
    pebbles = (5, 2, 4)[variant]
    for i in range(tufts):
        tuft(r, r.uniform(3.0, 6.0))(*spot())
    for i in range(pebbles):
        pebble(r, r.uniform(0.7, 1.8))(*spot())
    if variant == 2:
        # a dry crack in the sand, off to one side
        x, y = spot(14.0, 18.0)
        pts = [(x, y)]
        ang = r.uniform(0, 2 * math.pi)
        for i in range(6):
            ang += r.uniform(-0.7, 0.7)
            x = min(max(x + math.cos(ang) * 2.8, 10.0), CELL - 10.0)
            y = min(max(y + math.sin(ang) * 2.8, 10.0), CELL - 10.0)
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
    """The start or finish cell marked on the ground so it stands out on a busy
    board and still shows the piece laid on it: a painted border round a clear
    middle, and a sign at the top with the word in white capitals."""
    inner = art.rect(4.5, 4.5, CELL - 4.5, CELL - 4.5)
    whole = art.rect(1.5, 1.5, CELL - 1.5, CELL - 1.5)
    border = np.clip(whole - inner, 0, 1)
    art.fill(border, colour, 0.95)
    # white dashes along the border, like paint on a platform's edge
    dash = ((np.floor((art.X + art.Y) / 6.0) % 2) == 0) * border
    art.fill(dash, (246, 242, 230), 0.55)
    banner = art.rect(5, 1.5, CELL - 5, 17)
    art.shadow(banner, 1.0, 1.2, 1.0, 0.4)
    if checker:
        board = ((np.floor(art.X / 4.6) + np.floor((art.Y - 1.5) / 4.8)) % 2)
        art.fill(banner, lerp_colour((30, 26, 24), (244, 238, 226), board))
        plaque = art.rect(CELL / 2 - 29, 3, CELL / 2 + 29, 15.5)
        art.fill(plaque, banner_colour or colour)
        art.shade(plaque, art.dome(plaque, 1.0, 0.8))
        outline(art, plaque, (30, 20, 14), 0.7, 0.6)
    else:
        art.fill(banner, banner_colour or colour)
        art.shade(banner, art.dome(banner, 1.5, 0.8))
    outline(art, whole, (30, 20, 14), 0.7, 0.8)
    outline(art, banner, (30, 20, 14), 0.5, 0.6)
    from screen_common import SMALL, TEXT_BOLD, font
    face = font(TEXT_BOLD, SMALL * art.ss)

    def lettering(d, s):
        d.text((CELL / 2 * s, 9.5 * s), word, font=face, fill=255, anchor="mm")
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
    """Pale rubble a worker can clear, with a pickaxe on it: one big block off to
    one side, a heap of middling ones leaning on it and loose stones trailing off
    unevenly, so that a row of stone cells reads as a rock fall rather than one
    pile stamped again and again."""
    art = Art(CELL, CELL)
    r = rng("stones")
    art.fill(blur(art.poly(blob_points(36, 42, 30, 22, r, 0.25, 24, 0.4)), 5 * art.ss), PALETTE["shadow"], 0.28)
    rocks = [(18, 16, 6, 4.5), (58, 14, 5, 3.5), (8, 44, 6, 5), (67, 34, 5, 4), (28, 67, 7, 4.5), (63, 64, 5, 3.5),
             (44, 22, 13, 10), (22, 36, 14, 11), (52, 46, 19, 16), (16, 57, 11, 8.5), (35, 54, 12, 9.5),
             (38, 34, 8, 6), (10, 26, 3.5, 3), (46, 69, 3.5, 3), (69, 52, 3, 2.5)]
    for i, (x, y, rx, ry) in enumerate(rocks):
        tone = r.uniform(0.82, 1.12)
        colour = tuple(c * tone for c in mix((196, 188, 172), (236, 228, 212), 0.3 + r.random() * 0.6))
        pts = blob_points(x, y, rx, ry, r, 0.22, 24, r.uniform(0, math.pi))
        m = paint_rock(art, pts, colour, "stone%d" % i, 0.5, 0.3)
        # a crack or two
        if rx > 9:
            a = r.uniform(0, math.pi)
            cx, cy = x + r.uniform(-3, 3), y + r.uniform(-3, 3)
            crack = art.line([(cx - math.cos(a) * rx * 0.4, cy - math.sin(a) * ry * 0.4), (cx, cy + 1),
                              (cx + math.cos(a) * rx * 0.45, cy + math.sin(a) * ry * 0.45)], 0.6)
            art.fill(crack * m, (70, 60, 52), 0.6)
    pickaxe(art)
    return art.image()


def pickaxe(art):
    """A pickaxe lying on the heap: the mark that says a worker can clear it,
    unlike the scenery's rock."""
    handle = art.line([(30, 52), (56, 24)], 3.2)
    art.shadow(handle, 1.5, 1.8, 1.0, 0.5)
    art.fill(handle, PALETTE["wood"])
    art.shade(handle, art.dome(handle, 1.5, 1.0))
    head = art.line([(46, 14), (52, 18), (57, 23), (61, 29), (63, 36)], 3.4)
    art.shadow(head, 1.5, 1.8, 1.0, 0.5)
    art.fill(head, PALETTE["iron"])
    art.shade(head, art.dome(head, 1.5, 1.2))
    outline(art, np.maximum(handle, head), (30, 20, 14), 0.8, 0.7)


# ---------------------------------------------------------------------------
# Tunnel mouths, in the board's one viewpoint (from the south and above, see
# common.side_view).  A rocky knoll stands on the cell's far side from the
# mouth, its outline ragged and fading out inside the cell; a stone portal with
# an arched bore stands in its face, where the straight rail laid under the
# picture runs in.  A mouth that opens south faces the viewer; east and west
# mouths are set in a portal turned half towards the viewer, so their arch is
# seen at a slant; a mouth opening north turns its back, and the arch is seen
# from behind with the rail running out from under it.  Past the knoll, the
# rail's far end is painted over with the plain ground every tile shares at
# its edges, so no rail leads out of the back of the hill.
# ---------------------------------------------------------------------------

# side: (point where the track meets the portal's face, direction along the face,
#        the face's outward normal)
PORTALS = {
    "S": ((HALF, 47.0), (1.0, 0.0), (0.0, 1.0)),
    "N": ((HALF, 38.0), (1.0, 0.0), (0.0, -1.0)),
    "E": ((47.0, HALF), (math.sqrt(0.5), -math.sqrt(0.5)), (math.sqrt(0.5), math.sqrt(0.5))),
    "W": ((27.0, HALF), (math.sqrt(0.5), math.sqrt(0.5)), (-math.sqrt(0.5), math.sqrt(0.5))),
}
BORE_HALF_WIDTH = 14.5       # the rails lie 10 either side of the path, the sleepers 16.5
BORE_SPRING = 5.0            # height where the arch springs from the straight jambs
RING = 4.0                   # the arch's dressed voussoirs
WALL_HALF_LENGTH = 22.0
WALL_HEIGHT = 25.0
WALL_THICKNESS = 4.0


def tunnel(side):
    art = Art(CELL, CELL)
    X, Y = art.X, art.Y
    (cx, cy), (dx, dy), (nx, ny) = PORTALS[side]
    r = rng("tunnel" + side)
    # plan coordinates about the portal: t along its face, s out of it (the mouth side > 0)
    t = (X - cx) * dx + (Y - cy) * dy
    s = (X - cx) * nx + (Y - cy) * ny
    # and about the cell: `back` is the distance from the edge opposite the mouth
    back = {"S": Y, "N": CELL - Y, "E": X, "W": CELL - X}[side]
    across = {"S": X, "N": X, "E": Y, "W": Y}[side] - HALF
    wobble = art.noise(5, "tunnel/outline" + side, 3) - 0.5

    # the far end of the rail under plain ground, fading out towards the knoll
    col, relief = ground_base(art)
    patch = np.clip((20.0 + 10 * wobble - back) / 8.0, 0, 1) * np.clip((30.0 - np.abs(across)) / 5.0, 0, 1)
    art.fill(patch, col * relief[..., None])

    # the knoll: behind the portal, its flanks coming a little forward beside it
    flank = np.clip((np.abs(t) - WALL_HALF_LENGTH + 6) / 10.0, 0, 1)
    reach = -WALL_THICKNESS + 9.0 * flank + 6 * wobble
    ahead = CELL - back                           # distance from the mouth's edge
    foot = ((s < reach) & (back > 8 + 12 * wobble) & (np.abs(across) < 29 + 12 * wobble)
            & (np.minimum(ahead, HALF - np.abs(across)) > 6 + 6 * (wobble + 0.5)))
    inside = np.clip((blur(foot.astype(float), 7 * art.ss) - 0.4) / 0.55, 0, 1)
    # highest just behind the portal, lower towards the knoll's far side
    near = np.clip(1.0 - np.clip(-s - WALL_THICKNESS, 0, None) / 40.0, 0, 1)
    height = (WALL_HEIGHT + 2) * (inside ** 1.2) * (0.4 + 0.6 * near)
    height += (art.noise(9, "tunnel/bumps" + side, 4) - 0.5) * 8 * inside
    # rock outcrops breaking through the slopes
    crags = outcrops(art, r, 9, (4, 8, 70, 70), (2.5, 5.0), (3.0, 6.0)) * (inside > 0.25)
    height += crags
    height = np.where(foot, np.maximum(height, 0.3), 0.0)
    # nothing rises past the picture's top
    height = np.minimum(height, np.maximum(Y - 3.0 - 5 * (wobble + 0.5), 0.3))

    # the portal's wall: its coping follows the arch and steps down to low wing walls
    outer = BORE_HALF_WIDTH + RING
    crown = BORE_SPRING + np.sqrt(np.clip(outer ** 2 - t * t, 0, None)) + 2.0
    wall_h = np.maximum(np.where(np.abs(t) < outer, crown, 0.0), 11.0 - 2.5 * np.clip(np.abs(t) - outer, 0, None) / 4.0)
    wall = (s <= 0) & (s > -WALL_THICKNESS) & (np.abs(t) <= WALL_HALF_LENGTH)
    if side == "N":
        # the knoll in front of the turned-away portal stays below its arch
        height = np.where(s > 0, np.minimum(height, 11.0 + 0.3 * s), height)
    else:
        # the knoll meets the portal at the coping
        height = np.where((s < 0) & (np.abs(t) < WALL_HALF_LENGTH + 4), np.minimum(height, wall_h + 6 - s * 0.2), height)
    height = np.where(wall, wall_h, height)
    solid = height > 0.2

    cover, row, z = side_view(art, height, solid)
    seen_h = gather(height, row)
    seen_wall = gather(wall.astype(float), row) * cover
    on_face = (seen_wall > 0) & (z < seen_h - 0.6)

    colour = landform_colour(art, height, row, "tunnel" + side, crags)
    # the fade of the knoll's foot into the ground
    fade = np.clip(seen_h / 2.5, 0, 1) * cover
    fade = np.where(seen_wall > 0, cover, fade)

    # the cast shadow keeps off the picture's edges, where the next cell has none
    edge = np.clip(np.minimum.reduce([X, CELL - X, Y, CELL - Y]) / 8.0, 0, 1)
    art.fill(blur(shift(cover, 3.0 * art.ss, 2.0 * art.ss), 2.5 * art.ss) * edge, PALETTE["shadow"], 0.4)
    art.fill(fade * (1 - seen_wall), colour)

    # the portal's stone: coursed blocks on the face, its coping lit from above
    if dx != 0:
        ft = (X - cx) / dx                        # along the face, for a point on the face
        fz = (cy + ft * dy) - Y                   # its height
    stone = lerp_colour((150, 138, 124), (198, 186, 166), gather(art.noise(16, "tunnel/stone" + side, 2), row))
    course = (np.abs(((fz / 4.6) % 1.0) - 0.5) > 0.42)
    joint = course | (np.abs((((ft + 3.0 * np.floor(fz / 4.6) % 2 * 1.0) / 6.5) % 1.0) - 0.5) > 0.44)
    face_shade = 0.78 if side == "S" else 0.9
    wall_col = stone * np.where(on_face, face_shade, 1.05)[..., None]
    wall_col = wall_col * np.where(on_face & joint, 0.72, 1.0)[..., None]
    art.fill(seen_wall, wall_col)
    wall_seen = seen_wall.copy()

    if side != "N":
        # the arch: voussoirs round the bore, the bore dark and deepening into the hill,
        # the rails running into it
        rise = np.clip(fz - BORE_SPRING, 0, None)
        radial = np.where(fz > BORE_SPRING, np.hypot(ft, rise), np.abs(ft))
        ring = on_face & (radial >= BORE_HALF_WIDTH) & (radial < BORE_HALF_WIDTH + RING) & (fz >= 0)
        angle = np.arctan2(rise, ft)
        vjoint = (np.abs(((angle / (math.pi / 9)) % 1.0) - 0.5) > 0.42) & (fz > BORE_SPRING)
        ring_col = lerp_colour((196, 184, 164), (232, 222, 202), gather(art.noise(12, "tunnel/ring" + side, 2), row))
        art.fill(ring.astype(float), ring_col * np.where(vjoint, 0.7, 1.0)[..., None] * (0.92 if side == "S" else 1.0))
        key = on_face & (np.abs(ft) < 2.2) & (fz > BORE_SPRING + BORE_HALF_WIDTH - 0.5) & (fz < BORE_SPRING + BORE_HALF_WIDTH + RING + 1.2)
        art.fill(key.astype(float), (236, 226, 206))
        outline(art, key.astype(float), (70, 60, 50), 0.6, 0.5)
        bore = on_face & (radial < BORE_HALF_WIDTH) & (fz >= -0.5)
        bore = blur(bore.astype(float), 0.35 * art.ss) * (seen_wall > 0)
        # the floor inside shows the rail laid under the picture, dimmer the deeper it goes
        depth = -((X - cx) * nx + (Y - cy) * ny)
        dark = np.clip(0.35 + depth / 12.0 + np.clip(fz - 3.0, 0, None) / 8.0, 0, 1)
        art.fill(bore * dark, lerp_colour((70, 56, 44), (10, 8, 8), dark))
        outline(art, np.clip(ring.astype(float) + bore, 0, 1), (60, 50, 42), 0.5, 0.7)
    else:
        # seen from behind: the voussoirs' backs, radial joints down the arch
        rise = np.clip(fz - BORE_SPRING, 0, None)
        angle = np.arctan2(rise, ft)
        ring = (wall_seen > 0) & (np.hypot(ft, rise) > BORE_HALF_WIDTH - 1) & (np.abs(ft) < BORE_HALF_WIDTH + RING)
        vjoint = (np.abs(((angle / (math.pi / 9)) % 1.0) - 0.5) > 0.42)
        art.fill((ring & vjoint).astype(float), (96, 88, 80), 0.8)
        top_lit = (wall_seen > 0) & ~on_face
        art.fill(top_lit.astype(float), (226, 216, 196), 0.6)
    outline(art, wall_seen, (70, 60, 50), 0.55, 0.7)
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
