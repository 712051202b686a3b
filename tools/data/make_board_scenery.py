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
                    outline, output_dir, paint_rock, rng, save_png, strip,
                    side_view, gather, landform_colour, outcrops)

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


def juniper(art, x, y, h, r):
    """A low round-crowned juniper standing on ground point (x, y)."""
    w = h * 0.55
    art.fill(blur(art.ellipse(x + h * 0.35, y + 1, w * 0.8, w * 0.3), 1.5 * art.ss), PALETTE["shadow"], 0.3)
    art.fill(art.line([(x, y + 0.5), (x - 0.3, y - h * 0.3)], 1.6), (96, 66, 42))
    crown = np.zeros(art.a.shape)
    for k in range(6):
        cx = x + r.uniform(-w * 0.45, w * 0.45)
        cy = y - h * r.uniform(0.45, 0.8)
        crown = np.maximum(crown, art.ellipse(cx, cy, w * r.uniform(0.35, 0.5), h * r.uniform(0.22, 0.3)))
    tex = art.noise(18, "juniper%d" % r.randint(0, 999), 2)
    col = np.array((86, 112, 62), dtype=float)[None, None, :] * (0.85 + 0.3 * tex[..., None])
    art.fill(crown, col)
    art.shade(crown, art.dome(crown, w * 0.4, 1.4))
    outline(art, crown, (36, 52, 30), 0.4)


def forest():
    """A stand of pines with a few junipers, spread over the whole cell without a
    middle or a rim of its own, tall and short trees and gaps placed unevenly, so
    that a row of forest cells reads as one wood rather than a stamp repeated."""
    art = Art(CELL, CELL)
    r = rng("forest")
    floor = art.noise(4, "forest/floor", 3)
    inset = np.clip(np.minimum.reduce([art.X, CELL - art.X, art.Y, CELL - art.Y]) / 10.0, 0, 1)
    art.fill(np.clip((floor - 0.35) * 2.5, 0, 1) * inset, (100, 108, 54), 0.4)
    # trees spread evenly but at random, spaced alike across the cell's edges too,
    # with nothing that stands out enough to be recognised from cell to cell
    trees = []
    for attempt in range(600):
        x, y = r.uniform(6, CELL - 6), r.uniform(16, CELL - 4)
        gap = 12.5
        if all(min(abs(x - tx), CELL - abs(x - tx)) ** 2 + min(abs(y - ty), CELL - abs(y - ty)) ** 2 > gap * gap
               for tx, ty in trees):
            trees.append((x, y))
    for (x, y) in sorted(trees, key=lambda t: t[1]):
        h = min(r.uniform(15, 24), y - 2)
        if r.random() < 0.18:
            juniper(art, x, y, h * 0.5, r)
        else:
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
    """A range rather than a heap: the highest summit off to the left, a long
    shoulder stepping down to the right, and foothills reaching both sides at
    one height, so mountains side by side run on into each other instead of
    repeating one pyramid."""
    art = Art(148, 148)
    r = rng("mountain")
    base = art.poly(blob_points(74, 112, 70, 30, r, 0.1, 30))
    art.fill(blur(base, 4 * art.ss), (150, 128, 96), 0.5)
    peak(art, 112, 92, 70, 54, r, 6, "m0")
    peak(art, 50, 100, 100, 88, r, 10, "m1")
    peak(art, 134, 118, 34, 30, r, -3, "m5")
    peak(art, 86, 114, 60, 44, r, -6, "m3")
    peak(art, 16, 126, 30, 34, r, 4, "m2")
    peak(art, 122, 136, 44, 24, r, 2, "m6")
    peak(art, 44, 138, 58, 28, r, -3, "m4")
    rubble(art, r, (20, 132, 130, 144), 7, "mr")
    return finished(art)


def mountain2():
    """Red sandstone buttes and a spire, seen from the south and above like every
    upright thing on the board: level grassy tops, sheer cliffs banded with strata
    (lit on the west, shaded on the east), and skirts of fallen sand."""
    art = Art(148, 148)
    r = rng("mountain2")
    X, Y = art.X, art.Y
    height = np.zeros(X.shape)
    cliff = np.zeros(X.shape, dtype=bool)
    skirt = np.zeros(X.shape)
    for (cx, cy, rx, ry, h, angle, seed) in ((64, 90, 48, 28, 30, 0.25, "b1"), (58, 76, 30, 17, 46, 0.35, "b1top"),
                                             (118, 128, 19, 12, 26, -0.2, "b2"), (24, 130, 7, 5, 36, 0.0, "b3")):
        pts = jagged(blob_points(cx, cy, rx, ry, r, 0.3, 40, angle), r, 1.6, 3)
        m = art.poly(pts) > 0.5
        rough = (art.noise(6, "mesa/" + seed, 3) - 0.5) * 3
        height = np.where(m, np.maximum(height, h + rough), height)
        cliff |= m
        # fallen sand and boulders round the cliff's foot
        skirt = np.maximum(skirt, np.clip(blur(m.astype(float), 7 * art.ss) * 2.2, 0, 1) * 9)
    height = np.maximum(height, skirt * np.clip(art.noise(8, "mesa/skirt", 3) + 0.5, 0, 1.2))
    height = np.minimum(height, np.maximum(Y - 4.0, 0.0))
    solid = height > 0.4
    cover, row, z = side_view(art, height, solid)
    seen_h = gather(height, row)
    on_top = gather(cliff.astype(float), row) > 0
    face = on_top & (z < seen_h - 1.0)
    # each cliff takes its light from the way it faces: west lit, east in shade
    gy, gx = np.gradient(blur(height, 3 * art.ss))
    norm = np.hypot(gx, gy) + 1e-9
    lam = np.clip((gx / norm) * 0.85 - (gy / norm) * 0.1, -1, 1)     # faces turned west give gx > 0
    light = gather(0.72 + 0.38 * lam, row)
    tex = gather(art.noise(10, "mesa/tex", 3), row)
    warp = gather(art.noise(3, "mesa/warp", 2), row)
    bands = 0.5 + 0.5 * np.sin(z * (0.8 + 0.4 * warp) + tex * 4)
    rock = lerp_colour((150, 74, 48), (208, 130, 86), 0.3 + 0.4 * bands) * (0.88 + 0.2 * tex[..., None])
    seams = np.abs(((z + 2.5 * warp) / 7.0) % 1.0 - 0.5) > 0.46
    rock = rock * np.where(seams, 0.8, 1.0)[..., None] * light[..., None]
    # crevices running down the cliffs
    crev = np.abs(gather(art.noise(22, "mesa/crev", 2), row) - 0.5) < 0.03
    rock = rock * np.where(crev, 0.75, 1.0)[..., None]
    ground = landform_colour(art, height, row, "mesa", rock=((178, 112, 76), (222, 160, 110)),
                             earth=((214, 164, 112), (232, 190, 134)), grass=0.0)
    tops = landform_colour(art, height, row, "mesa/top", rock=((200, 140, 96), (224, 170, 118)),
                           earth=((204, 160, 106), (226, 190, 132)), grass=0.8)
    colour = np.where(face[..., None], rock, np.where(on_top[..., None], tops, ground))
    fade = np.clip(seen_h / 2.0, 0, 1) * cover
    art.shadow(cover * np.clip(seen_h / 8.0, 0, 1), 5.0, 3.0, 3.0, 0.4)
    art.fill(fade, colour)
    # the lit rim of each top
    rim = on_top & ~face
    rim_edge = rim & ~np.roll(rim, art.ss, axis=0)
    art.fill(np.clip(blur(rim_edge.astype(float), 0.5 * art.ss) * 2, 0, 1), (244, 204, 150), 0.5)
    ridge_lines(art, row, cover, 4.0, 0.5)
    outline(art, cover * np.clip(seen_h / 3.0, 0, 1), (96, 48, 32), 0.4, 0.9)
    rubble(art, r, (46, 122, 100, 142), 6, "m2r")
    return finished(art)


def ridge_lines(art, row, cover, gap=6.0, opacity=0.45):
    """Inks the edges where a nearer slope stands in front of a farther one in the
    side view: the plan row seen jumps there."""
    jump = np.zeros(row.shape)
    jump[:-1] = (row[1:] - row[:-1]) > gap * art.ss
    jump = np.clip(blur(jump, 0.5 * art.ss) * 3, 0, 1) * cover
    art.fill(jump, INK, opacity)


def hill():
    """A long rocky ridge running down three cells, seen like everything upright on
    the board from the south and above: its crest stands against the ground behind
    it, its west flank lit and its east flank in shade, its south end a nose of
    bare rock towards the viewer."""
    art = Art(CELL, 222)
    r = rng("hill")
    X, Y = art.X, art.Y
    wobble = art.noise(6, "hill/outline", 3) - 0.5
    # the crest wanders a little from side to side
    crest_x = 37 + 5 * np.sin(Y * 0.035 + 0.8) + 3 * np.sin(Y * 0.09)
    half = 27 + 9 * wobble
    along = np.clip((Y - 30) / 14.0, 0, 1) * np.clip((214 - Y) / 10.0, 0, 1)
    foot = (np.abs(X - crest_x) < half * np.sqrt(along)) & (X > 4) & (X < CELL - 4)
    inside = np.clip((blur(foot.astype(float), 6 * art.ss) - 0.35) / 0.6, 0, 1)
    # a chain of rounded rocky summits, each standing in front of the one behind it
    height = np.zeros(X.shape)
    for (py, ph, rad) in ((52, 38, 24), (96, 46, 27), (142, 40, 25), (186, 30, 22)):
        px = 37 + 5 * math.sin(py * 0.035 + 0.8)
        d = np.hypot((X - px) / 1.15, Y - py) / rad
        height = np.maximum(height, ph * np.clip(1 - d, 0, 1) ** 1.15)
    height = height * inside ** 0.6 + 3 * inside
    height += (art.noise(10, "hill/bumps", 4) - 0.5) * 8 * inside
    crags = outcrops(art, r, 16, (12, 40, 62, 212), (2.5, 5.5), (3.0, 7.0)) * (inside > 0.3)
    height = np.where(foot, np.maximum(height + crags, 0.3), 0.0)
    height = np.minimum(height, np.maximum(Y - 4.0 - 6 * (wobble + 0.5), 0.3))
    cover, row, z = side_view(art, height, height > 0.2)
    colour = landform_colour(art, height, row, "hill", crags, grass=0.7)
    fade = np.clip(gather(height, row) / 2.5, 0, 1) * cover
    art.shadow(cover, 4.0, 2.5, 3.0, 0.4)
    art.fill(fade, colour)
    outline(art, cover, INK, 0.35, 0.9)
    ridge_lines(art, row, cover)
    # scrub and a few pines standing on the slopes, placed where their plan point shows
    def stand(px, py):
        return px, py - float(height[int(py * art.ss), int(px * art.ss)])
    for i in range(14):
        px, py = r.uniform(14, 60), r.uniform(50, 206)
        if not foot[int(py * art.ss), int(px * art.ss)]:
            continue
        x, y = stand(px, py)
        shrub = art.ellipse(x, y - 1, r.uniform(1.8, 2.8), r.uniform(1.4, 2.0))
        art.shadow(shrub, 1.0, 0.8, 0.8, 0.35)
        art.fill(shrub, mix((104, 112, 58), (146, 142, 78), r.random()))
        art.shade(shrub, art.dome(shrub, 1.0, 1.2))
    for (px, py, h) in ((20, 96, 17), (54, 150, 16), (24, 176, 13), (50, 70, 12)):
        x, y = stand(px, py)
        pine(art, x, y, h, r)
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


# Buildings recede up and to the right: a point `d` pixels deep shows this much
# further right and up (the tents use the same).
DEPTH = (0.6, -0.35)


def house():
    """A plank cabin with a gable roof, its front to the south and its east end in
    shade, every receding edge running along DEPTH."""
    art = Art(CELL, CELL)
    x0, x1, ground, depth, wall, ridge, eave = 14.0, 54.0, 61.0, 18.0, 22.0, 35.0, 3.0

    def P(x, d, z):
        return (x + DEPTH[0] * d, ground + DEPTH[1] * d - z)

    # ground shadow, thrown down and right like every shadow on the board
    art.fill(blur(art.poly([P(x0, 0, 0), P(x1, 0, 0), P(x1 + 14, -6, 0), P(x0 + 12, -6, 0)]), 2.5 * art.ss),
             PALETTE["shadow"], 0.4)
    front = art.poly([P(x0, 0, 0), P(x1, 0, 0), P(x1, 0, wall), P(x0, 0, wall)])
    side = art.poly([P(x1, 0, 0), P(x1, depth, 0), P(x1, depth, wall), P(x1, 0, wall)])
    gable = art.poly([P(x1, 0, wall), P(x1, depth, wall), P(x1, depth / 2, ridge)])
    art.fill(side, plank_texture(art, (112, 72, 44), "houseside"))
    art.fill(gable, plank_texture(art, (104, 66, 40), "housegable"))
    art.fill(front, plank_texture(art, (168, 112, 66), "housewall"))
    # the roof: the front slope lit, the far slope showing past the ridge at the east end
    back_slope = art.poly([P(x0 - eave, depth / 2, ridge), P(x1 + eave, depth / 2, ridge),
                           P(x1 + eave, depth + eave, wall - 2), P(x0 - eave, depth + eave, wall - 2)])
    front_slope = art.poly([P(x0 - eave, -eave, wall - 2), P(x1 + eave, -eave, wall - 2),
                            P(x1 + eave, depth / 2, ridge), P(x0 - eave, depth / 2, ridge)])
    roof = np.maximum(front_slope, back_slope)
    art.shadow(roof, 1.0, 2.0, 1.0, 0.35)
    art.fill(back_slope, plank_texture(art, (120, 62, 44), "shingle2", pitch=2.6))
    art.fill(front_slope, plank_texture(art, (162, 84, 58), "shingle", pitch=2.6))
    art.fill(art.line([P(x0 - eave, depth / 2, ridge), P(x1 + eave, depth / 2, ridge)], 1.2), (80, 40, 30))
    art.fill(art.line([P(x1 + eave, -eave, wall - 2), P(x1 + eave, depth / 2, ridge)], 0.9), (96, 50, 36))
    # door and windows
    dx0, dy0 = P(30, 0, 14)
    door = art.rect(dx0, dy0, dx0 + 8, ground)
    art.fill(door, (84, 52, 30))
    art.fill(art.rect(dx0 + 6, dy0 + 7, dx0 + 7, dy0 + 8), PALETTE["gold"])
    for wx in (18, 42):
        x, y = P(wx, 0, 15)
        w = art.rect(x, y, x + 8, y + 7)
        art.fill(w, (236, 200, 120))
        art.fill(art.rect(x + 3.6, y, x + 4.4, y + 7), (90, 60, 36))
        art.fill(art.rect(x, y + 3.2, x + 8, y + 4), (90, 60, 36))
        outline(art, w, (70, 44, 26), 0.8)
    # porch boards in front
    porch = art.poly([P(x0 - 2, 0, 0), P(x1 + 2, 0, 0), P(x1 + 2, -5, 0), P(x0 - 2, -5, 0)])
    art.fill(porch, plank_texture(art, (150, 104, 64), "porch", vertical=True, pitch=2.5))
    # chimney standing on the far slope
    c0, c1 = P(42, depth * 0.7, ridge + 4), P(47, depth * 0.7, ridge - 6)
    ch = art.rect(c0[0], c0[1], c1[0], c1[1])
    art.fill(ch, (150, 90, 70))
    art.fill(art.rect(c0[0] - 1, c0[1] - 1, c1[0] + 1, c0[1] + 1), (110, 70, 56))
    art.shade(ch, 1.0 - 0.3 * np.clip((art.X - (c0[0] + 2.5)) / 3, 0, 1))
    art.fill(front_slope * (art.Y > c1[1] - 0.5), plank_texture(art, (162, 84, 58), "shingle", pitch=2.6))
    body = np.maximum.reduce([front, side, gable, roof, porch, ch])
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
