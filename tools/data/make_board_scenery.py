"""The fifteen scenery pictures of the board (game/buildings/).

Scenery is painted in a high three-quarter view, light from the top-left,
shadows falling down and to the right on the ground.  Backgrounds are
transparent: the pictures stand on the ground tiles.

Usage: make_board_scenery.py DATA_FOLDER
"""
import math
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import (PALETTE, Art, blob_points, blur, lerp_colour, mix,  # noqa: E402
                    relief_factor, outline, output_dir, paint_earth, paint_rock, rng, save_png, strip)

CELL = 74
INK = (56, 40, 28)


def jagged(points, r, amount, steps=3):
    """Subdivides an outline and nudges the new points, for rough natural edges."""
    out = []
    n = len(points)
    for i in range(n):
        x0, y0 = points[i]
        x1, y1 = points[(i + 1) % n]
        for k in range(steps):
            t = k / float(steps)
            j = amount if k else 0.0
            out.append((x0 + (x1 - x0) * t + r.uniform(-j, j), y0 + (y1 - y0) * t + r.uniform(-j, j)))
    return out


def ground_shadow(art, mask, dx, dy, radius, opacity=0.35):
    art.shadow(mask, dx, dy, radius, opacity)


# ---------------------------------------------------------------------------
# Trees
# ---------------------------------------------------------------------------

def pine(art, x, y, h, r, dead=False):
    """A pine standing on ground point (x, y), h pixels tall."""
    w = h * 0.42
    # shadow: the tree's silhouette thrown down-right along the ground
    sh = art.poly([(x - w * 0.35, y), (x + h * 0.55, y + h * 0.32), (x + h * 0.62, y + h * 0.38), (x + w * 0.4, y + 1.5)])
    art.fill(blur(sh, 1.6 * art.ss), PALETTE["shadow"], 0.32)
    trunk = art.poly([(x - 1.1, y + 0.5), (x + 1.1, y + 0.5), (x + 0.7, y - h * 0.35), (x - 0.7, y - h * 0.35)])
    art.fill(trunk, (96, 64, 40))
    tiers = 4
    green = np.array(PALETTE["pine"], dtype=float) * r.uniform(0.88, 1.12)
    for t in range(tiers):
        top = y - h + t * h * 0.2
        bottom = y - h * 0.18 - (tiers - 1 - t) * h * 0.13
        half = w * (0.45 + 0.55 * (t + 1) / tiers) * 0.5
        pts = [(x, top)]
        n = 7
        for i in range(n + 1):
            u = i / float(n)
            px = x - half + 2 * half * u
            py = bottom + (1.2 if i % 2 else -0.6) * (1 + h / 40.0) + r.uniform(-0.4, 0.4)
            pts.append((px, py))
        pts = [(x, top)] + [(x + half, bottom - 0.5)] + list(reversed(pts[1:])) + [(x - half, bottom - 0.5)]
        m = art.poly(pts)
        side = np.clip((art.X - x) / (half + 1e-6), -1.0, 1.0)
        light = 1.18 - 0.42 * (side + 1.0) / 2.0 - 0.25 * np.clip((art.Y - top) / (bottom - top + 1e-6), 0, 1) * 0.5
        tex = art.noise(16, "pine%d" % r.randint(0, 999), 2)
        col = green[None, None, :] * (light * (0.85 + 0.3 * tex))[..., None]
        art.fill(blur(m, 0.8 * art.ss) * (art.Y > top + 2), (20, 34, 20), 0.35)   # under-tier shade
        art.fill(m, col)
        outline(art, m, (24, 44, 28), 0.35)


def forest():
    art = Art(CELL, CELL)
    r = rng("forest")
    floor = art.poly(blob_points(38, 50, 30, 18, r, 0.2, 30))
    art.fill(blur(floor, 3 * art.ss), (96, 104, 52), 0.45)
    trees = [(22, 40, 30), (48, 34, 34), (36, 52, 30), (60, 54, 26), (16, 62, 22), (44, 68, 20)]
    for (x, y, h) in sorted(trees, key=lambda t: t[1]):
        pine(art, x, y, h, r)
    return finished(art)


# ---------------------------------------------------------------------------
# Water
# ---------------------------------------------------------------------------

def reeds(art, x, y, r, count=7, height=12):
    for i in range(count):
        bx = x + r.uniform(-4, 4)
        by = y + r.uniform(-1.5, 1.5)
        h = height * r.uniform(0.6, 1.1)
        lean = r.uniform(-2.5, 2.5)
        m = art.line([(bx, by), (bx + lean * 0.5, by - h * 0.6), (bx + lean, by - h)], 0.7)
        art.fill(art.line([(bx, by), (bx + h * 0.4, by + h * 0.15)], 0.7), PALETTE["shadow"], 0.2)
        art.fill(m, mix((92, 120, 56), (150, 160, 80), r.random()))
        if r.random() < 0.55:
            head = art.ellipse(bx + lean * 0.85, by - h * 0.85, 0.9, 2.0)
            art.fill(head, (104, 66, 38))
    # a couple of leaves
    for i in range(3):
        bx = x + r.uniform(-3, 3)
        m = art.line([(bx, y), (bx + r.uniform(-6, 6), y - r.uniform(4, 8))], 1.0)
        art.fill(m, (110, 134, 62))


def water_body(art, mask, seed, phase=0.0, ripple_centres=()):
    """Deep-to-shallow water with drifting light; `phase` 0..1 loops."""
    depth = blur(mask, 6 * art.ss)
    col = lerp_colour((120, 170, 170), (40, 86, 120), np.clip((depth - 0.35) * 1.7, 0, 1))
    # drifting shimmer: a periodic noise moved round a small circle
    shimmer = art.noise(6, seed + "/shimmer", 3, periodic=True)
    dx = int(round(math.cos(2 * math.pi * phase) * 3 * art.ss))
    dy = int(round(math.sin(2 * math.pi * phase) * 3 * art.ss))
    shimmer = np.roll(np.roll(shimmer, dx, axis=1), dy, axis=0)
    col = col * (0.9 + 0.22 * shimmer[..., None])
    art.fill(mask, col)
    # sky reflection band, upper-left
    refl = np.clip(1.0 - np.abs((art.X * 0.6 + art.Y) - (np.min(art.Y[mask > 0.5]) if (mask > 0.5).any() else 0) - 22) / 10.0, 0, 1)
    art.fill(mask * refl * 0.35, (200, 228, 236))
    # ripples: rings that move outwards by one spacing over the loop
    for (cx, cy, spacing, rmax) in ripple_centres:
        dist = np.hypot(art.X - cx, (art.Y - cy) / 0.62)
        ring = np.cos(2 * math.pi * (dist / spacing - phase))
        ring = np.clip((ring - 0.8) * 5, 0, 1) * np.clip(1 - dist / rmax, 0, 1)
        art.fill(mask * ring, (226, 240, 244), 0.32)
    # the wet rim
    rim = mask * (1 - np.clip((blur(mask, 1.2 * art.ss) - 0.5) * 3 + 0.5, 0, 1))
    art.fill(rim, (58, 72, 62), 0.55)


def shore(art, pts, r):
    m = art.poly(pts)
    bank = blur(m, 3 * art.ss)
    art.fill(np.clip(bank * 1.6, 0, 1), (196, 170, 124), 0.7)
    art.fill(np.clip(blur(m, 1.5 * art.ss) * 1.5 - 0.3, 0, 1), (150, 128, 88), 0.55)
    return m


def pond():
    art = Art(CELL, CELL)
    r = rng("pond")
    pts = blob_points(37, 39, 27, 21, r, 0.14, 36)
    shore(art, blob_points(37, 39, 31, 25, rng("pond/shore"), 0.14, 36), r)
    m = art.poly(pts)
    water_body(art, m, "pond", 0.0, [(42, 42, 6.0, 14)])
    lily(art, 28, 46, 3.5, r)
    lily(art, 33, 50, 2.5, r)
    for (x, y) in ((14, 30), (58, 56), (18, 56)):
        reeds(art, x, y, r, 6, 11)
    for i in range(3):
        paint_rock(art, blob_points(r.choice([10, 62]) + r.uniform(-3, 3), r.uniform(20, 60), 2.2, 1.6, r, 0.1, 14),
                   PALETTE["rock"], "pr%d" % i, 0.4)
    return finished(art)


def lily(art, x, y, s, r):
    pts = []
    notch = r.uniform(0, 2 * math.pi)
    for i in range(24):
        a = notch + 0.35 + i * (2 * math.pi - 0.7) / 23
        pts.append((x + math.cos(a) * s, y + math.sin(a) * s * 0.7))
    pts.append((x, y))
    m = art.poly(pts)
    art.fill(blur(m, 0.8 * art.ss), (20, 40, 40), 0.3)
    art.fill(m, (86, 136, 66))
    art.shade(m, art.dome(m, s * 0.5, 0.8))


def pond2x_frames():
    r0 = rng("pond2x")
    pts = blob_points(74, 76, 60, 50, r0, 0.16, 48, 0.2)
    shore_pts = blob_points(74, 76, 66, 56, rng("pond2x/shore"), 0.16, 48, 0.2)
    frames = []
    # the still parts are painted once and laid over each frame's water
    static = Art(148, 148)
    rs = rng("pond2x/static")
    for (x, y, n) in ((26, 50, 9), (120, 110, 8), (100, 34, 6), (34, 118, 7), (128, 64, 5)):
        reeds(static, x, y, rs, n, 14)
    for i, (x, y) in enumerate(((18, 82), (62, 132), (132, 90), (84, 22))):
        paint_rock(static, blob_points(x, y, rs.uniform(3, 5), rs.uniform(2.2, 3.5), rs, 0.12, 16),
                   PALETTE["rock"], "p2r%d" % i, 0.4)
    lilies = [(56, 96, 5.0), (64, 102, 3.5), (92, 62, 4.0), (48, 60, 3.0)]
    for i in range(12):
        phase = i / 12.0
        art = Art(148, 148)
        r = rng("pond2x/frame")
        shore(art, shore_pts, r)
        m = art.poly(pts)
        water_body(art, m, "pond2x", phase, [(86, 82, 9.0, 30), (54, 66, 7.0, 18)])
        for k, (x, y, s) in enumerate(lilies):
            bob = 0.5 * math.sin(2 * math.pi * phase + k)
            lily(art, x + bob, y, s, rng("lily%d" % k))
        # glints that twinkle round the loop
        for k in range(5):
            gx = 40 + 17 * k
            gy = 70 + 9 * math.sin(k * 2.1)
            a = 0.5 + 0.5 * math.sin(2 * math.pi * phase + k * 1.3)
            g = art.ellipse(gx, gy, 2.2, 0.6)
            art.fill(g * m, (246, 252, 255), 0.6 * a)
        art.rgb = art.rgb * (1 - static.a[..., None]) + static.rgb
        art.a = art.a * (1 - static.a) + static.a
        art.fade_edges()
        frames.append(art.image())
    return strip(frames)


# ---------------------------------------------------------------------------
# Mountains and hills
# ---------------------------------------------------------------------------

ROCK_LIT = np.array((196, 168, 132), dtype=float)
ROCK_SHADE = np.array((112, 90, 76), dtype=float)


def peak(art, bx, by, w, h, r, lean=0.0, seed="peak"):
    """A rocky peak on base line y = by, centre bx: a lit left face and a shaded right face."""
    apex = (bx + lean, by - h)
    foot = (bx + lean * 0.4 + w * 0.08, by + h * 0.04)
    left = jagged([(bx - w / 2, by), apex, foot], r, 2.4, 6)
    right = jagged([apex, (bx + w / 2, by), foot], r, 2.4, 6)
    whole = np.maximum(art.poly(left), art.poly(right))
    art.shadow(whole, min(7.0, h * 0.12), min(4.0, h * 0.06), 2.5, 0.35)
    tex = art.noise(10, seed, 3)
    strata = 0.5 + 0.5 * np.sin((art.X * 0.5 + art.Y * 1.0) * 0.7 + tex * 8)
    fall = np.clip((art.Y - apex[1]) / h, 0, 1)
    lit = ROCK_LIT[None, None, :] * (0.82 + 0.24 * tex[..., None] + 0.03 * strata[..., None]) * (1.02 - 0.18 * fall[..., None])
    shade = ROCK_SHADE[None, None, :] * (0.8 + 0.32 * tex[..., None] + 0.04 * strata[..., None]) * (1.0 - 0.1 * fall[..., None])
    ml = art.poly(left)
    mr = art.poly(right)
    art.fill(ml, lit)
    art.fill(mr, shade)
    # gullies running down the faces
    for k in range(4):
        t = r.uniform(0.2, 0.8)
        sx = apex[0] + (bx - w / 2 - apex[0]) * t * 0.5
        sy = apex[1] + h * t * 0.45
        g = art.line([(sx, sy), (sx - r.uniform(1, 4), sy + h * 0.22), (sx - r.uniform(2, 6), sy + h * 0.4)], 0.8)
        art.fill(g * ml, (120, 96, 78), 0.5)
    for k in range(3):
        t = r.uniform(0.2, 0.8)
        sx = apex[0] + (bx + w / 2 - apex[0]) * t * 0.5
        sy = apex[1] + h * t * 0.45
        g = art.line([(sx, sy), (sx + r.uniform(1, 4), sy + h * 0.22), (sx + r.uniform(2, 6), sy + h * 0.4)], 0.8)
        art.fill(g * mr, (70, 56, 48), 0.5)
    # sunlit crest
    crest = art.line([(bx - w * 0.12 + lean * 0.6, by - h * 0.55), apex], 1.2)
    art.fill(crest * ml, (236, 214, 176), 0.5)
    art.fill(art.line([apex, foot], 0.8), INK, 0.35)
    outline(art, whole, INK, 0.5)
    return whole


def rubble(art, r, box, count, seed):
    x0, y0, x1, y1 = box
    for i in range(count):
        x, y = r.uniform(x0, x1), r.uniform(y0, y1)
        s = r.uniform(1.8, 4.0)
        paint_rock(art, blob_points(x, y, s, s * 0.7, r, 0.15, 14), mix(PALETTE["rock"], ROCK_LIT, r.random() * 0.5),
                   "%s%d" % (seed, i), 0.4)


def mountain():
    art = Art(148, 148)
    r = rng("mountain")
    base = art.poly(blob_points(74, 106, 68, 36, r, 0.1, 30))
    art.fill(blur(base, 4 * art.ss), (150, 128, 96), 0.55)
    peak(art, 100, 84, 84, 62, r, -4, "m0")
    peak(art, 62, 96, 116, 90, r, -8, "m1")
    peak(art, 30, 122, 58, 50, r, 5, "m2")
    peak(art, 108, 128, 72, 54, r, -4, "m3")
    peak(art, 68, 138, 56, 30, r, 2, "m4")
    rubble(art, r, (14, 128, 134, 142), 8, "mr")
    return finished(art)


def mesa(art, cx, base_y, w, top_h, cliff, r, seed):
    """A flat-topped sandstone butte: a grassy top and banded cliffs."""
    talus = art.poly(blob_points(cx + 3, base_y - 2, w / 2 + 7, top_h / 2 + 5, r, 0.12, 30))
    art.shadow(talus, 3, 2, 2, 0.3)
    art.fill(talus, lerp_colour((200, 140, 100), (226, 176, 128), art.noise(10, seed + "talus", 3)))
    art.shade(talus, art.dome(talus, 4, 0.8))
    top = jagged(blob_points(cx, base_y - cliff - top_h * 0.5, w / 2, top_h / 2, r, 0.16, 24), r, 0.8, 2)
    top_y = [p[1] for p in top]
    body_pts = [(x, y) for (x, y) in top if y >= min(top_y) + top_h * 0.45]
    lower = [(x, y + cliff) for (x, y) in body_pts]
    body_pts = sorted(body_pts, key=lambda p: p[0])
    lower = sorted(lower, key=lambda p: -p[0])
    cliff_pts = jagged(body_pts + lower, r, 0.8, 2)
    body = np.maximum(art.poly(cliff_pts), art.poly(top))
    art.shadow(body, cliff * 0.45, cliff * 0.2, 2.5, 0.35)
    tex = art.noise(8, seed, 3)
    warp = art.noise(3, seed + "warp", 2)
    bands = 0.5 + 0.5 * np.sin((art.Y - base_y) * (0.9 + 0.5 * warp) + tex * 5 + art.X * 0.05)
    side = np.clip((art.X - (cx - w / 2)) / w, 0, 1)
    red = lerp_colour((214, 140, 94), (130, 70, 48), side * 0.85 + 0.1)
    red = red * (0.82 + 0.12 * bands[..., None] + 0.14 * tex[..., None])
    cm = art.poly(cliff_pts)
    art.fill(cm, red)
    # vertical cracks
    for k in range(7):
        x = cx - w / 2 + w * r.uniform(0.05, 0.95)
        y0 = base_y - top_h * 0.3 - r.uniform(0, cliff * 0.3)
        g = art.line([(x, y0), (x + r.uniform(-1.5, 1.5), y0 + cliff * r.uniform(0.4, 0.9))], 0.7)
        art.fill(g * cm, (96, 50, 36), 0.45)
    tm = art.poly(top)
    topcol = lerp_colour((222, 170, 116), np.array(PALETTE["grass_dry"]) * 1.05, art.noise(5, seed + "t", 3) * 0.9)
    art.fill(tm, topcol)
    art.shade(tm, art.dome(tm, 2.5, 0.6))
    outline(art, tm, (140, 88, 56), 0.35)
    outline(art, body, INK, 0.5)
    return body


def butte(art, pts, plateau, seed):
    """A flat-topped red sandstone butte seen from above: a level grassy top, cliffs
    banded with strata where the height changes fast, a talus skirt below."""
    m = art.poly(pts)
    art.shadow(m, 5, 4, 3.5, 0.4)
    body = blur(m, 9 * art.ss)
    height = np.minimum(body * plateau * 1.35, plateau) + (art.noise(8, seed + "/h", 3) - 0.5) * 3.0 * m
    tex = art.noise(10, seed + "/c", 3)
    strata = 0.5 + 0.5 * np.sin(height * 1.6 + tex * 1.5)
    cliff = lerp_colour((132, 66, 44), (214, 132, 86), 0.25 + 0.6 * strata)
    top = lerp_colour((204, 156, 100), np.array(PALETTE["grass_dry"]) * 1.02, art.noise(4, seed + "/t", 3) * 0.4)
    flat = np.clip((height - plateau * 0.9) / (plateau * 0.08), 0.0, 1.0)
    col = cliff * (1 - flat[..., None]) + top * flat[..., None]
    col = col * (0.9 + 0.15 * tex[..., None])
    art.fill(m, col)
    art.shade(m, relief_factor(height * art.ss, 1.1, 0.42))
    outline(art, m, (96, 48, 32), 0.5, 0.9)
    # the rim of the top, catching the light
    rim = np.clip((height - plateau * 0.93) * 4.0, 0, 1) * (1 - np.clip((height - plateau * 0.995) * 40, 0, 1))
    art.fill(rim * m, (236, 190, 130), 0.35)
    return m


def mountain2():
    art = Art(148, 148)
    r = rng("mountain2")
    skirt = art.poly(blob_points(74, 80, 66, 58, r, 0.1, 30))
    art.fill(blur(skirt, 5 * art.ss), (206, 150, 104), 0.45)
    butte(art, blob_points(64, 66, 50, 42, r, 0.2, 36, 0.4), 26.0, "butte1")
    butte(art, blob_points(114, 116, 24, 20, r, 0.22, 28), 18.0, "butte2")
    butte(art, blob_points(30, 124, 14, 12, r, 0.2, 24), 12.0, "butte3")
    rubble(art, r, (50, 118, 96, 140), 6, "m2r")
    return finished(art)


def hill():
    """A long rocky ridge running down three cells."""
    art = Art(CELL, 222)
    r = rng("hill")
    pts = []
    n = 40
    for i in range(n):
        t = 2 * math.pi * i / n
        wob = 1 + 0.09 * math.sin(3 * t + 0.5) + 0.06 * math.sin(7 * t + 1.3) + r.uniform(-0.03, 0.03)
        pts.append((36 + 31 * math.cos(t) * wob, 111 + 104 * math.sin(t) * (1 + 0.02 * math.sin(5 * t))))
    m = art.poly(pts)
    art.shadow(m, 3.5, 3.5, 3.5, 0.4)
    paint_earth(art, m, "hill", ridge_height=30.0, roughness=7.0, radius=12.0, grass=0.55)
    # rock outcrops along the crest, shrubs and a pine or two on the slopes
    for i in range(9):
        y = 24 + i * 21 + r.uniform(-4, 4)
        x = 36 + 6 * math.sin(y * 0.05) + r.uniform(-5, 5)
        s = r.uniform(3.0, 5.5)
        paint_rock(art, blob_points(x, y, s, s * 0.75, r, 0.18, 16, r.uniform(0, 3)),
                   mix(PALETTE["rock"], (186, 160, 128), r.random() * 0.6), "hr%d" % i, 0.45)
    for i in range(10):
        x, y = r.uniform(14, 58), r.uniform(18, 204)
        shrub = art.ellipse(x, y, r.uniform(1.8, 2.8), r.uniform(1.4, 2.0))
        art.shadow(shrub, 1.0, 1.0, 0.8, 0.35)
        art.fill(shrub, mix((110, 116, 60), (150, 146, 80), r.random()))
        art.shade(shrub, art.dome(shrub, 1.0, 1.2))
    pine(art, 22, 66, 20, r)
    pine(art, 52, 150, 18, r)
    pine(art, 46, 190, 14, r)
    return finished(art)


# ---------------------------------------------------------------------------
# Frontier things
# ---------------------------------------------------------------------------

def plank_texture(art, colour, seed, vertical=False, pitch=3.0):
    tex = art.noise(20, seed, 2)
    coord = art.X if vertical else art.Y
    joints = np.abs(((coord / pitch) % 1.0) - 0.5) > 0.42
    col = np.asarray(colour, dtype=float)[None, None, :] * (0.85 + 0.25 * tex[..., None])
    col = col * np.where(joints, 0.7, 1.0)[..., None]
    return col


def house():
    art = Art(CELL, CELL)
    # ground footprint shadow
    art.fill(blur(art.poly([(14, 58), (60, 58), (72, 66), (24, 68)]), 2.5 * art.ss), PALETTE["shadow"], 0.4)
    # front wall
    front = art.poly([(14, 36), (56, 36), (56, 60), (14, 60)])
    art.fill(front, plank_texture(art, (168, 112, 66), "housewall"))
    # side wall (east, in shade)
    side = art.poly([(56, 36), (66, 30), (66, 52), (56, 60)])
    art.fill(side, plank_texture(art, (112, 72, 44), "houseside", vertical=False))
    # gable roof: front slope lit, ridge running left-right
    roof = art.poly([(10, 38), (60, 38), (70, 30), (70, 24), (62, 14), (20, 14)])
    art.shadow(roof, 1.0, 2.0, 1.0, 0.35)
    roof_front = art.poly([(10, 38), (60, 38), (64, 22), (16, 22)])
    roof_back = art.poly([(16, 22), (64, 22), (62, 14), (20, 14)])
    roof_end = art.poly([(60, 38), (70, 30), (70, 24), (64, 22)])
    shingles = plank_texture(art, (150, 76, 52), "shingle", pitch=2.6)
    art.fill(roof_front, shingles)
    art.fill(roof_back, plank_texture(art, (190, 104, 70), "shingle2", pitch=2.6))
    art.fill(roof_end, (96, 50, 36))
    art.fill(art.line([(16, 22), (64, 22)], 1.2), (80, 40, 30))
    # door and windows
    door = art.rect(31, 45, 39, 60)
    art.fill(door, (84, 52, 30))
    art.fill(art.rect(37, 52, 38, 53), PALETTE["gold"])
    for x0 in (18, 44):
        w = art.rect(x0, 44, x0 + 8, 51)
        art.fill(w, (236, 200, 120))
        art.fill(art.rect(x0 + 3.6, 44, x0 + 4.4, 51), (90, 60, 36))
        art.fill(art.rect(x0, 47.2, x0 + 8, 48), (90, 60, 36))
        outline(art, w, (70, 44, 26), 0.8)
    # porch boards
    porch = art.poly([(12, 60), (58, 60), (62, 64), (16, 64)])
    art.fill(porch, plank_texture(art, (150, 104, 64), "porch", vertical=True, pitch=2.5))
    # chimney
    ch = art.rect(48, 10, 54, 20)
    art.fill(ch, (150, 90, 70))
    art.fill(art.rect(47, 9, 55, 11), (110, 70, 56))
    art.shade(ch, 1.0 - 0.3 * np.clip((art.X - 51) / 3, 0, 1))
    body = np.maximum.reduce([front, side, roof, porch, ch])
    outline(art, body, INK, 0.6)
    return finished(art)


def water_tower():
    art = Art(CELL, CELL)
    cx = 35
    # shadow of the tank and legs
    art.fill(blur(art.ellipse(cx + 16, 62, 18, 7), 2 * art.ss), PALETTE["shadow"], 0.35)
    for lx in (-12, -5, 5, 12):
        art.fill(blur(art.line([(cx + lx, 64), (cx + lx + 18, 56)], 1.4), 1 * art.ss), PALETTE["shadow"], 0.25)
    # legs and braces
    for lx, top in ((-13, 40), (13, 40), (-5, 42), (5, 42)):
        leg = art.line([(cx + lx * 1.05, 66 if abs(lx) > 6 else 63), (cx + lx * 0.8, top)], 2.2, False)
        art.fill(leg, (108, 72, 44) if lx < 0 else (84, 54, 34))
    for y0, y1 in ((46, 60), (60, 46)):
        art.fill(art.line([(cx - 12, y0), (cx + 12, y1)], 0.9), (92, 62, 40))
    # tank: a barrel of staves
    tank = art.poly([(cx - 16, 18), (cx + 16, 18), (cx + 16, 42), (cx - 16, 42)])
    bottom = art.ellipse(cx, 42, 16, 4.5)
    tank = np.maximum(tank, bottom)
    art.shadow(tank, 1.5, 1.5, 1.0, 0.3)
    u = np.clip((art.X - (cx - 16)) / 32.0, 0, 1)
    staves = np.abs(((art.X - cx) / 3.2) % 1.0 - 0.5) > 0.44
    col = lerp_colour((206, 150, 96), (104, 64, 40), u ** 1.3) * np.where(staves, 0.8, 1.0)[..., None]
    col = col * (0.9 + 0.15 * art.noise(18, "tankwood", 2))[..., None]
    art.fill(tank, col)
    for y in (23, 33, 41):
        band = art.poly([(cx - 16, y), (cx + 16, y), (cx + 16, y + 1.3), (cx - 16, y + 1.3)])
        art.fill(band, lerp_colour((120, 124, 130), (56, 58, 62), u))
    # conical roof
    roof = np.maximum(art.poly([(cx - 18, 19), (cx, 4), (cx + 18, 19)]), art.ellipse(cx, 19, 18, 4))
    art.shadow(roof, 1.0, 1.5, 1.0, 0.35)
    art.fill(roof, lerp_colour((170, 90, 60), (96, 46, 34), u))
    art.fill(art.line([(cx, 4), (cx - 6, 20)], 0.8), (200, 120, 84), 0.6)
    # spout
    sp = art.line([(cx + 15, 34), (cx + 22, 40), (cx + 22, 46)], 1.8)
    art.fill(sp, (70, 72, 78))
    art.fill(art.ellipse(cx + 22, 47, 1.2, 0.8), (80, 150, 190))
    outline(art, np.maximum(tank, roof), INK, 0.6)
    return finished(art)


def tent(art, x, y, w, h, r, canvas=(232, 218, 186), stripe=None):
    """An A-frame tent seen from the front-left; (x, y) is the middle of its front."""
    d = w * 0.55                       # depth, going up-right
    apex = (x, y - h)
    back_apex = (x + d * 0.6, y - h - d * 0.35)
    left = (x - w / 2, y)
    right = (x + w / 2, y)
    back_right = (right[0] + d * 0.6, right[1] - d * 0.35)
    shadow = art.poly([left, right, (back_right[0] + h * 0.5, back_right[1] + h * 0.2), (right[0] + h * 0.6, right[1] + 2)])
    art.fill(blur(shadow, 2 * art.ss), PALETTE["shadow"], 0.35)
    side = art.poly([apex, back_apex, back_right, right])
    front = art.poly([left, apex, right])
    c = np.asarray(canvas, dtype=float)
    art.fill(side, c * 0.72)
    art.fill(front, c[None, None, :] * (1.05 - 0.25 * np.clip((art.X - left[0]) / w, 0, 1))[..., None])
    if stripe is not None:
        st = art.line([apex, back_apex], 1.4)
        art.fill(st, stripe)
    door = art.poly([(x - w * 0.16, y), (x, y - h * 0.62), (x + w * 0.16, y)])
    art.fill(door, (64, 44, 32))
    flap = art.poly([(x, y - h * 0.62), (x + w * 0.16, y), (x + w * 0.27, y - 0.5)])
    art.fill(flap, c * 0.88)
    # poles poking out and guy ropes
    art.fill(art.line([(apex[0], apex[1]), (apex[0] - 1, apex[1] - 3)], 0.8), (90, 60, 40))
    for (ax, ay), (gx, gy) in (((left[0] + w * 0.12, y - h * 0.22), (left[0] - 4, y + 2)),
                               ((right[0] - 2, y - h * 0.3), (right[0] + 5, y + 3))):
        art.fill(art.line([(ax, ay), (gx, gy)], 0.4), (120, 100, 70), 0.8)
        art.fill(art.ellipse(gx, gy, 0.8, 0.6), (90, 60, 40))
    outline(art, np.maximum(front, side), INK, 0.55)


def cort():
    art = Art(CELL, CELL)
    r = rng("cort")
    tent(art, 32, 56, 38, 32, r)
    # a bedroll and a crate
    crate = art.rect(52, 54, 60, 61)
    art.shadow(crate, 1.5, 1.5, 1.0, 0.35)
    art.fill(crate, plank_texture(art, (150, 104, 60), "crate", pitch=2.3))
    outline(art, crate, INK, 0.5)
    roll = art.ellipse(14, 63, 5, 2.2)
    art.shadow(roll, 1, 1, 1, 0.3)
    art.fill(roll, (140, 60, 48))
    art.shade(roll, art.dome(roll, 1.5, 1.0))
    return finished(art)


def campfire(art, x, y):
    art.glow(art.ellipse(x, y, 7, 4), (255, 170, 60), 4, 0.45)
    for a in (0.3, 1.2, 2.4, -0.8):
        log = art.line([(x - math.cos(a) * 5, y - math.sin(a) * 2.2), (x + math.cos(a) * 5, y + math.sin(a) * 2.2)], 1.6)
        art.fill(log, (86, 56, 34))
    for i in range(8):
        a = i / 8.0 * 2 * math.pi
        art.fill(art.ellipse(x + math.cos(a) * 6.5, y + math.sin(a) * 3.2, 1.3, 1.0), (130, 120, 110))
    flame = art.poly([(x - 3, y), (x - 1.5, y - 5), (x, y - 3), (x + 1, y - 8), (x + 2.5, y - 3.5), (x + 3.2, y)])
    art.fill(flame, (246, 140, 40))
    inner = art.poly([(x - 1.5, y), (x, y - 4.5), (x + 1.6, y)])
    art.fill(inner, (255, 230, 120))


def corturi():
    art = Art(148, 148)
    r = rng("corturi")
    tent(art, 44, 66, 44, 38, r)
    tent(art, 104, 56, 40, 34, r, (222, 206, 170), stripe=(170, 60, 44))
    tent(art, 48, 130, 46, 38, r, (226, 212, 180))
    campfire(art, 106, 104)
    # logs to sit on
    for (x0, y0, x1, y1) in ((94, 116, 108, 119), (116, 94, 124, 102)):
        log = art.line([(x0, y0), (x1, y1)], 3.0)
        art.shadow(log, 1.2, 1.2, 1, 0.35)
        art.fill(log, (120, 80, 48))
        art.shade(log, art.dome(log, 1.2, 1.0))
    # a stack of firewood and a barrel
    barrel = art.ellipse(128, 130, 6, 7)
    art.shadow(barrel, 1.5, 1.5, 1.0, 0.35)
    art.fill(barrel, (132, 88, 50))
    art.shade(barrel, art.dome(barrel, 3, 1.0))
    art.fill(art.ellipse(128, 125.5, 5, 2.2), (96, 64, 38))
    outline(art, barrel, INK, 0.5)
    return finished(art)


def wheel(art, cx, cy, rx, ry, colour, spokes=8):
    rim = art.ellipse(cx, cy, rx, ry)
    hole = art.ellipse(cx, cy, rx * 0.78, ry * 0.78)
    art.fill(rim * (1 - hole), colour)
    for k in range(spokes):
        a = k * math.pi / spokes * 2
        art.fill(art.line([(cx, cy), (cx + math.cos(a) * rx * 0.8, cy + math.sin(a) * ry * 0.8)], 0.6), colour)
    art.fill(art.ellipse(cx, cy, rx * 0.2, ry * 0.2), mix(colour, (0, 0, 0), 0.3))
    outline(art, rim, INK, 0.6, 0.5)


def wagon(art, x, y, s, r):
    """A covered wagon facing left; (x, y) is the ground point under its middle."""
    L, H = 34 * s, 9 * s
    art.fill(blur(art.poly([(x - L / 2, y), (x + L / 2, y), (x + L / 2 + 14 * s, y - 4 * s), (x - L / 2 + 12 * s, y - 5 * s)]), 2 * art.ss),
             PALETTE["shadow"], 0.35)
    wheel(art, x - L * 0.3 + 4 * s, y - 7 * s, 5.0 * s, 5.5 * s, (100, 70, 44))      # far wheels
    wheel(art, x + L * 0.32 + 4 * s, y - 7 * s, 5.0 * s, 5.5 * s, (100, 70, 44))
    box = art.poly([(x - L / 2, y - 4 * s - H), (x + L / 2, y - 4 * s - H), (x + L / 2, y - 4 * s), (x - L / 2, y - 4 * s)])
    art.fill(box, plank_texture(art, (146, 96, 56), "wagon%d" % r.randint(0, 99), pitch=2.8 * s))
    art.fill(art.rect(x - L / 2, y - 4 * s - H, x + L / 2, y - 3 * s - H), (110, 70, 40))
    # canvas bonnet: arched, lit from the left
    top = y - 4 * s - H
    pts = []
    for i in range(21):
        t = i / 20.0
        px = x - L / 2 + 2 * s + (L - 4 * s) * t
        py = top - 15 * s * math.sin(math.pi * (0.08 + 0.84 * t)) ** 0.6
        pts.append((px, py))
    bonnet = art.poly(pts + [(x + L / 2 - 2 * s, top + 0.5), (x - L / 2 + 2 * s, top + 0.5)])
    u = np.clip((art.X - (x - L / 2)) / L, 0, 1)
    v = np.clip((top - art.Y) / (15 * s), 0, 1)
    canvas = lerp_colour((246, 238, 218), (190, 176, 150), u * 0.7 + (1 - v) * 0.3)
    art.fill(bonnet, canvas)
    for k in range(1, 5):
        xr = x - L / 2 + 2 * s + (L - 4 * s) * k / 5.0
        art.fill(art.line([(xr, top), (xr, top - 16 * s)], 0.5) * bonnet, (170, 150, 120), 0.6)
    # the dark opening at the front
    art.fill(art.ellipse(x - L / 2 + 3 * s, top - 6 * s, 2.5 * s, 5.5 * s) * bonnet, (80, 60, 44), 0.9)
    wheel(art, x - L * 0.3, y - 5 * s, 5.5 * s, 6.0 * s, (140, 98, 58))              # near wheels
    wheel(art, x + L * 0.32, y - 5 * s, 5.5 * s, 6.0 * s, (140, 98, 58))
    # tongue
    art.fill(art.line([(x - L / 2, y - 5 * s), (x - L / 2 - 9 * s, y - 3 * s)], 1.0), (96, 64, 40))
    outline(art, np.maximum(box, bonnet), INK, 0.55)


def caravan():
    art = Art(148, 148)
    r = rng("caravan")
    wagon(art, 96, 62, 1.45, r)
    wagon(art, 56, 104, 1.45, r)
    wagon(art, 104, 140, 1.3, r)
    campfire(art, 22, 138)
    return finished(art)


def diligenta():
    art = Art(CELL, CELL)
    art.fill(blur(art.poly([(10, 60), (58, 60), (70, 54), (24, 52)]), 2 * art.ss), PALETTE["shadow"], 0.38)
    wheel(art, 22, 52, 6, 6.5, (150, 110, 40))       # far wheels
    wheel(art, 52, 52, 7, 7.5, (150, 110, 40))
    body = art.poly([(14, 30), (56, 30), (58, 48), (54, 54), (18, 54), (12, 48)])
    u = np.clip((art.X - 12) / 46.0, 0, 1)
    art.fill(body, lerp_colour((186, 56, 44), (112, 30, 28), u))
    # trim and windows
    art.fill(art.line([(12, 48), (58, 48)], 1.2), (220, 180, 70))
    art.fill(art.line([(14, 31), (56, 31)], 1.2), (220, 180, 70))
    for x0 in (18, 42):
        w = art.rect(x0, 35, x0 + 10, 43)
        art.fill(w, (60, 44, 38))
        art.fill(art.rect(x0 + 1, 36, x0 + 4, 42), (150, 170, 170), 0.6)
    door = art.rect(31, 34, 39, 50)
    art.fill(door, (150, 44, 36))
    outline(art, door, (90, 24, 20), 0.8)
    art.fill(art.rect(36.5, 41, 37.5, 42), PALETTE["gold"])
    # roof and luggage
    roof = art.poly([(12, 30), (58, 30), (56, 26), (14, 26)])
    art.fill(roof, (54, 40, 34))
    for (x0, x1, c) in ((18, 30, (140, 100, 60)), (31, 40, (100, 78, 60)), (42, 52, (150, 120, 80))):
        bag = art.rect(x0, 19 + (x0 % 3), x1, 27)
        art.shadow(bag, 1, 1, 0.8, 0.3)
        art.fill(bag, c)
        art.shade(bag, art.dome(bag, 1.5, 1.0))
        outline(art, bag, INK, 0.5)
    # driver's bench and whip at the front (left)
    art.fill(art.rect(6, 34, 14, 37), (96, 64, 40))
    art.fill(art.line([(8, 34), (2, 18), (8, 14)], 0.5), (60, 40, 30))
    wheel(art, 18, 56, 6.5, 7, (214, 170, 60))      # near wheels
    wheel(art, 50, 56, 8, 8.5, (214, 170, 60))
    outline(art, body, INK, 0.6)
    return finished(art)


def bone(art, pts, width, shade_radius=1.2):
    m = art.line(pts, width)
    art.shadow(m, 1.5, 1.5, 1.2, 0.35)
    art.fill(m, (232, 222, 196))
    art.shade(m, art.dome(m, shade_radius, 1.5))
    outline(art, m, (120, 100, 76), 0.5, 0.5)
    return m


def skull():
    art = Art(CELL, CELL)
    r = rng("skull")
    art.fill(blur(art.ellipse(40, 46, 22, 12), 3 * art.ss), PALETTE["shadow"], 0.25)
    # horns sweeping out and up
    for sx in (-1, 1):
        pts = [(37 + sx * 8, 32), (37 + sx * 18, 30), (37 + sx * 26, 24), (37 + sx * 28, 16)]
        horn = art.line(pts, 3.4)
        tip = art.line(pts[2:], 2.0)
        art.shadow(horn, 1.6, 1.6, 1.2, 0.35)
        art.fill(horn, (224, 210, 176))
        art.fill(tip, (120, 96, 70))
        art.shade(horn, art.dome(horn, 1.2, 1.2))
        outline(art, horn, (110, 90, 66), 0.5, 0.5)
    # the cranium narrowing to the muzzle
    head = art.poly([(26, 28), (48, 28), (50, 36), (44, 52), (41, 60), (33, 60), (30, 52), (24, 36)])
    art.shadow(head, 1.8, 1.8, 1.4, 0.4)
    tex = art.noise(10, "skull", 2)
    art.fill(head, lerp_colour((214, 200, 170), (244, 236, 216), tex))
    art.shade(head, art.dome(head, 3.0, 1.2))
    for sx in (-1, 1):
        eye = art.ellipse(37 + sx * 6.5, 37, 3.2, 3.8)
        art.fill(eye, (60, 44, 34))
    for sx in (-1, 1):
        art.fill(art.ellipse(37 + sx * 2.2, 56, 1.2, 2.2), (70, 52, 40))
    art.fill(art.line([(37, 42), (37, 50)], 0.6), (150, 130, 100), 0.6)
    outline(art, head, (110, 90, 66), 0.6)
    for i in range(3):
        paint_rock(art, blob_points(r.choice([14, 58]) + r.uniform(-3, 3), r.uniform(50, 66), 2.4, 1.8, r, 0.12, 14),
                   PALETTE["rock"], "sk%d" % i, 0.4)
    return finished(art)


def hangman():
    art = Art(CELL, CELL)
    base = (30, 64)
    # shadow of the tree
    sh = art.line([(30, 64), (46, 72), (62, 76)], 3)
    art.fill(blur(sh, 1.5 * art.ss), PALETTE["shadow"], 0.3)
    art.fill(blur(art.ellipse(32, 64, 9, 3), 1.5 * art.ss), PALETTE["shadow"], 0.3)
    bark = (98, 78, 62)

    def limb(points, w):
        m = art.line(points, w)
        u = np.clip((art.X - min(p[0] for p in points) + 2) / 8.0, 0, 1)
        art.fill(m, lerp_colour(mix(bark, (255, 255, 255), 0.18), mix(bark, (0, 0, 0), 0.35), u))
        return m

    parts = [limb([base, (29, 50), (31, 36), (28, 22)], 5.0),
             limb([(30, 40), (40, 32), (54, 28), (60, 24)], 2.6),
             limb([(29, 30), (20, 22), (16, 12)], 2.0),
             limb([(28, 24), (30, 14), (34, 8)], 1.6),
             limb([(20, 22), (12, 20)], 1.2),
             limb([(54, 28), (58, 18)], 1.0),
             limb([(26, 60), (20, 64)], 2.0),
             limb([(33, 60), (40, 64)], 2.0)]
    body = np.maximum.reduce(parts)
    outline(art, body, INK, 0.5, 0.6)
    # the rope and noose
    rope = art.line([(51, 29), (51, 44)], 1.1)
    art.fill(blur(art.line([(52.5, 31), (52.5, 46)], 1.1), 0.6 * art.ss), PALETTE["shadow"], 0.35)
    art.fill(rope, (214, 184, 120))
    loop = art.ellipse(51, 48, 3.2, 4.4) * (1 - art.ellipse(51, 48, 1.9, 3.0))
    art.fill(loop, (214, 184, 120))
    outline(art, np.maximum(rope, loop), (90, 70, 40), 0.6, 0.4)
    art.fill(art.rect(50, 42, 52, 45), (170, 140, 90))
    art.fill(blur(art.line([(52, 66), (60, 70)], 0.8), 0.8 * art.ss), PALETTE["shadow"], 0.3)
    # a crow on the branch
    crow = art.ellipse(41, 29.5, 2.6, 1.8)
    art.fill(crow, (30, 28, 32))
    art.fill(art.ellipse(39, 28, 1.2, 1.2), (30, 28, 32))
    art.fill(art.poly([(37.8, 27.8), (36.2, 28.4), (37.8, 28.8)]), (200, 160, 60))
    return finished(art)


def dinosaur():
    art = Art(148, 148)
    r = rng("dinosaur")
    mound = art.poly(blob_points(76, 80, 64, 42, r, 0.1, 40, -0.25))
    art.fill(blur(mound, 5 * art.ss), (236, 214, 168), 0.7)
    art.shade(blur(mound, 5 * art.ss), art.dome(mound, 8, 0.8))
    # spine along a gentle S from the tail (lower left) to the neck (upper right)
    spine = []
    for i in range(22):
        t = i / 21.0
        spine.append((18 + 104 * t, 108 - 62 * t + 10 * math.sin(t * math.pi * 1.5)))
    # ribs on the far side first, then the near side
    for side in (-1, 1):
        for k in range(6):
            i = 8 + k * 2
            sx, sy = spine[i]
            length = 30 - abs(k - 2.5) * 4
            pts = [(sx, sy)]
            for j in range(1, 7):
                u = j / 6.0
                pts.append((sx + side * 4 * u + 6 * u * u, sy + side * length * math.sin(u * 1.6) * 0.8 - 8 * u * (1 - u)))
            if side < 0:
                m = art.line(pts, 2.2)
                art.fill(m, (200, 188, 160))
                outline(art, m, (120, 100, 76), 0.5, 0.5)
            else:
                bone(art, pts, 2.6)
            # where the rib sinks into the sand
            ex, ey = pts[-1]
            art.fill(blur(art.ellipse(ex, ey + 0.5, 3.0, 1.4), 1 * art.ss), (180, 150, 108), 0.7)
    for i in range(len(spine) - 1):
        x, y = spine[i]
        s = 2.6 if 6 < i < 18 else 1.8
        v = art.ellipse(x, y, s, s * 0.8)
        art.shadow(v, 1.2, 1.2, 0.8, 0.3)
        art.fill(v, (236, 226, 200))
        art.shade(v, art.dome(v, 1.0, 1.2))
        outline(art, v, (120, 100, 76), 0.5, 0.4)
    # the skull half buried at the neck's end
    hx, hy = spine[-1]
    skull_pts = [(hx - 4, hy - 4), (hx + 10, hy - 10), (hx + 22, hy - 8), (hx + 24, hy - 2), (hx + 12, hy + 5), (hx - 2, hy + 5)]
    sk = art.poly(skull_pts)
    art.shadow(sk, 2, 2, 1.5, 0.4)
    art.fill(sk, (232, 222, 196))
    art.shade(sk, art.dome(sk, 3, 1.4))
    art.fill(art.ellipse(hx + 8, hy - 3, 3, 2.2), (70, 54, 40))
    art.fill(art.ellipse(hx + 17, hy - 4, 1.6, 1.2), (70, 54, 40))
    for k in range(5):
        tx = hx + 6 + k * 3.2
        art.fill(art.poly([(tx, hy + 3.5), (tx + 1.2, hy + 3.5), (tx + 0.6, hy + 6)]), (244, 238, 220))
    outline(art, sk, (110, 90, 66), 0.6)
    # a leg bone and a few fragments lying about
    bone(art, [(40, 120), (58, 128)], 3.0)
    bone(art, [(92, 112), (104, 124)], 2.6)
    bone(art, [(26, 74), (34, 70)], 2.0)
    # sand drifting over the tail and across the spine: the beast lies half buried
    for (x, y, rx, ry) in ((22, 108, 14, 7), (52, 88, 9, 5), (84, 70, 8, 4.5), (40, 98, 6, 3.5)):
        drift = art.poly(blob_points(x, y, rx, ry, r, 0.2, 24))
        art.shadow(drift, 0.8, 0.8, 1.0, 0.2)
        art.fill(blur(drift, 1.2 * art.ss), (228, 206, 160), 0.95)
        art.shade(blur(drift, 1.2 * art.ss), art.dome(drift, 2.0, 0.8))
    return finished(art)


def main():
    out = output_dir()
    pictures = {
        "pond": pond, "mountain": mountain, "forest": forest, "pond2x": pond2x_frames, "hill": hill,
        "hangman": hangman, "dinosaur": dinosaur, "house": house, "watertower": water_tower,
        "cort": cort, "corturi": corturi, "caravan": caravan, "diligenta": diligenta,
        "skull": skull, "mountain2": mountain2,
    }
    only = sys.argv[2:]
    for name, paint in pictures.items():
        if only and name not in only:
            continue
        save_png(paint(), out, "game/buildings/%s.png" % name)


def finished(art):
    art.fade_edges()
    return art.image()


if __name__ == "__main__":
    main()
