"""Checks every picture of the level board: it exists, is an RGBA PNG with the size
and frame strip the game cuts from it, and holds the geometry the game relies
on: rails where the train runs, seamless ground, transparent backgrounds,
animations that move.  (board_data_loads_test decodes the same files with the
program's own image decoder.)

Usage: check_board.py DATA_FOLDER
"""
import os
import sys

import numpy as np
from PIL import Image

CELL = 74

# name: (width, height, frame width, frame height, frames)
FILES = {}
for k in range(7):
    FILES["game/%d.png" % k] = (74, 74, 74, 74, 1)
for n in ("tile1", "tile2", "tile3", "tilestart", "tilefinish", "gold", "tunnelN", "tunnelE", "tunnelS", "tunnelW"):
    FILES["game/%s.png" % n] = (74, 74, 74, 74, 1)
FILES["game/ironmine.png"] = (148, 148, 148, 148, 1)
FILES["game/ironmineanimation.png"] = (None, None, 60, 76, 9)
FILES["game/explosion.png"] = (None, None, 74, 74, 6)
FILES["game/bandit.png"] = (None, None, 74, 74, 20)
FILES["game/indigen.png"] = (None, None, 74, 74, 20)
FILES["game/engine.png"] = (None, None, None, None, 1)
FILES["game/smoke.png"] = (None, None, None, None, 1)
FILES["game/debris.png"] = (74, 74, 74, 74, 1)
FILES["game/ring.png"] = (96, 96, 96, 96, 1)
FILES["game/worker.png"] = (960, 48, 40, 48, 24)
FILES["game/glow.png"] = (48, 48, 48, 48, 1)
SINGLE = ("pond", "forest", "hangman", "house", "watertower", "cort", "diligenta", "skull", "stones")
DOUBLE = ("mountain", "dinosaur", "corturi", "caravan", "mountain2")
for n in SINGLE:
    FILES["game/buildings/%s.png" % n] = (74, 74, 74, 74, 1)
for n in DOUBLE:
    FILES["game/buildings/%s.png" % n] = (148, 148, 148, 148, 1)
FILES["game/buildings/hill.png"] = (74, 222, 74, 222, 1)
FILES["game/buildings/pond2x.png"] = (None, None, 148, 148, 12)

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def frames_of(img, fw, fh, count):
    """Cuts frames left to right, then row by row, as the game does."""
    out = []
    cx = cy = 0
    for _ in range(count):
        if cx + fw > img.shape[1]:
            cx, cy = 0, cy + fh
        if cx + fw > img.shape[1] or cy + fh > img.shape[0]:
            return None
        out.append(img[cy:cy + fh, cx:cx + fw])
        cx += fw
    return out


def edge_step(a, b):
    """Mean colour jump across the join of a (left) and b (right), against the
    ordinary step between neighbouring columns inside the pictures."""
    a = a[..., :3].astype(float)
    b = b[..., :3].astype(float)
    join = np.abs(a[:, -1] - b[:, 0]).mean()
    inner = (np.abs(np.diff(a, axis=1)).mean() + np.abs(np.diff(b, axis=1)).mean()) / 2
    return join, inner


def main():
    data = sys.argv[1]
    images = {}
    paths = [os.path.join(data, n) for n in FILES]
    missing = [p for p in paths if not os.path.exists(p)]
    for p in missing:
        failures.append("missing: %s" % p)

    for name, (w, h, fw, fh, count) in FILES.items():
        path = os.path.join(data, name)
        if not os.path.exists(path):
            continue
        im = Image.open(path)
        check(im.format == "PNG", "%s: not a PNG" % name)
        check(im.mode == "RGBA", "%s: mode %s, expected RGBA" % (name, im.mode))
        arr = np.asarray(im.convert("RGBA"))
        images[name] = arr
        H, W = arr.shape[:2]
        if w is not None:
            check((W, H) == (w, h), "%s: %dx%d, expected %dx%d" % (name, W, H, w, h))
        if fw is not None and count > 1:
            frames = frames_of(arr, fw, fh, count)
            if check(frames is not None, "%s: %d frames of %dx%d do not fit in %dx%d" % (name, count, fw, fh, W, H)):
                check(W % fw == 0 and H % fh == 0, "%s: %dx%d is not a whole number of frames" % (name, W, H))
                for i, f in enumerate(frames):
                    check(f[..., 3].max() > 0, "%s: frame %d is empty" % (name, i))
                steps = [np.abs(frames[i].astype(int) - frames[(i + 1) % count].astype(int)).mean() for i in range(count)]
                check(min(steps) > 0.0, "%s: two consecutive frames are identical: no motion" % name)
                if name != "game/explosion.png":       # the only strip that plays once
                    check(steps[-1] < 3.0 * np.mean(steps[:-1]) + 0.5,
                          "%s: the loop jumps from the last frame to the first" % name)

    if failures:
        return finish()

    # engine: about 60 x 36, facing east, its middle solid (the handle is the centre)
    eng = images["game/engine.png"]
    EH, EW = eng.shape[:2]
    check(56 <= EW <= 68 and 32 <= EH <= 42, "engine.png: %dx%d, expected about 60x36" % (EW, EH))
    check(eng[EH // 2, EW // 2, 3] == 255, "engine.png: the centre is not solid")
    cols = np.flatnonzero(eng[..., 3].max(axis=0) > 128)
    rows = np.flatnonzero(eng[..., 3].max(axis=1) > 128)
    check(cols[-1] - cols[0] > rows[-1] - rows[0], "engine.png: longer than wide, so it does not face east")
    check(abs((cols[0] + cols[-1]) / 2.0 - EW / 2.0) <= 3 and abs((rows[0] + rows[-1]) / 2.0 - EH / 2.0) <= 3,
          "engine.png: the engine is not centred on the picture's centre")
    smoke = images["game/smoke.png"]
    SH, SW = smoke.shape[:2]
    check(smoke[0, 0, 3] == 0 and smoke[SH // 2, SW // 2, 3] > 100, "smoke.png: not a soft round puff")
    check(smoke[SH // 2, SW // 2, 3] < 255, "smoke.png: the puff is not translucent")

    # explosion frames are drawn at any angle: nothing may lie outside the circle
    # inscribed in the frame, or a rotated frame would show its straight edges
    boom = frames_of(images["game/explosion.png"], 74, 74, 6)
    yy, xx = np.mgrid[0:74, 0:74]
    outside = np.hypot(xx + 0.5 - 37, yy + 0.5 - 37) > 37
    for i, f in enumerate(boom):
        check(f[..., 3][outside].max() == 0, "explosion.png: frame %d reaches beyond its circle" % i)

    check_explosion_reads(boom)
    check_ground([images["game/tile%d.png" % i] for i in (1, 2, 3)])
    check_marks(images["game/debris.png"], images["game/ring.png"])

    # rails: every joined side carries the same cross-section at its edge, no
    # unjoined side carries any, and the rails lie at the path's offsets
    def is_rail(px):
        r, g, b, a = (int(v) for v in px)
        return a > 200 and abs(r - g) < 24 and abs(g - b) < 24 and b >= r - 4

    joins = {0: "WE", 1: "NS", 2: "ES", 3: "WS", 4: "EN", 5: "WN", 6: "NESW"}
    pieces = {k: images["game/%d.png" % k] for k in range(7)}

    def edge(arr, side):
        return {"N": arr[0], "S": arr[-1], "W": arr[:, 0], "E": arr[:, -1]}[side].astype(int)

    def profile(e):
        """Rows of an edge that carry rail steel, and the extent of the track bed."""
        steel = [i for i in range(len(e)) if is_rail(e[i])]
        bed = np.flatnonzero(e[:, 3] > 0)
        return steel, (bed[0], bed[-1]) if bed.size else None

    def runs(rows):
        out = []
        for r in rows:
            if out and r == out[-1][1] + 1:
                out[-1][1] = r
            else:
                out.append([r, r])
        return out

    def near(a, b):
        """Same rails (runs of rows) or bed extent, each end within a pixel."""
        a = runs(a) if isinstance(a, list) else [a]
        b = runs(b) if isinstance(b, list) else [b]
        return len(a) == len(b) and all(abs(x[0] - y[0]) <= 1 and abs(x[1] - y[1]) <= 1 for x, y in zip(a, b))

    ref_steel, ref_bed = profile(edge(pieces[0], "W"))
    check(ref_bed is not None and ref_bed[0] > 5 and ref_bed[1] < 68, "0.png: the rail bed reaches the cell's corners")
    check(len(ref_steel) >= 4, "0.png: no rail steel at the west edge")
    for k, sides in joins.items():
        for side in "NESW":
            e = edge(pieces[k], side)
            steel, bed = profile(e)
            if side in sides:
                check(near(steel, ref_steel) and bed is not None and near(bed, ref_bed),
                      "%d.png: side %s does not meet the next piece (rails at %s, expected %s)" % (k, side, steel, ref_steel))
            else:
                check(e[20:54, 3].max() < 30, "%d.png: side %s is not joined but carries track" % (k, side))
    # rail steel (grey, opaque) exactly 10 pixels either side of the path
    for k in (0, 6):
        for x in (3, 37, 70):
            check(is_rail(pieces[k][27, x]) and is_rail(pieces[k][47, x]), "%d.png: no rail at x=%d along y=27/47" % (k, x))
    for k in (1, 6):
        for y in (3, 37, 70):
            check(is_rail(pieces[k][y, 27]) and is_rail(pieces[k][y, 47]), "%d.png: no rail at y=%d along x=27/47" % (k, y))
    corners = {2: (74, 74), 3: (0, 74), 4: (74, 0), 5: (0, 0)}
    for k, (cx, cy) in corners.items():
        for deg in (20, 45, 70):
            for radius in (27.0, 47.0):
                a = np.radians(deg)
                x = cx + (1 if cx == 0 else -1) * radius * np.cos(a)
                y = cy + (1 if cy == 0 else -1) * radius * np.sin(a)
                check(is_rail(pieces[k][int(round(y - 0.5)), int(round(x - 0.5))]),
                      "%d.png: no rail on the curve of radius %.0f at %d degrees" % (k, radius, deg))
        # the train's path itself (radius 37) runs between the rails, over sleepers or bed
        a = np.radians(45)
        x = cx + (1 if cx == 0 else -1) * 37 * np.cos(a)
        y = cy + (1 if cy == 0 else -1) * 37 * np.sin(a)
        check(not is_rail(pieces[k][int(y), int(x)]), "%d.png: rail steel on the path's middle line" % k)

    # start and finish markers are painted plates that let the track show through
    # the middle of the cell, and that stand out from the ground
    for n in ("tilestart", "tilefinish"):
        m = images["game/%s.png" % n]
        check(m[20:54, 20:54, 3].max() <= 90, "%s.png: hides the track in the middle of the cell" % n)
        check((m[..., 3] > 200).mean() > 0.2, "%s.png: too little of the cell marked to be seen at a glance" % n)
        check(m[..., 3].max() == 255, "%s.png: draws nothing" % n)

    # things that stand on the ground have transparent surroundings
    for name in ["game/gold.png", "game/ironmine.png"] + ["game/buildings/%s.png" % n for n in SINGLE + DOUBLE + ("hill",)]:
        arr = images[name]
        check(arr[0, 0, 3] == 0 and arr[0, -1, 3] == 0, "%s: no transparent background" % name)
        check((arr[..., 3] > 128).mean() > 0.03, "%s: almost nothing drawn" % name)
    gold = images["game/gold.png"]
    check(gold[28:46, 28:46, 3].max() == 255, "gold.png: the nuggets are not in the middle of the cell")

    check_tunnels(images)
    check_people(images)
    return finish()


def check_explosion_reads(frames):
    """Drawn added onto the board, the blast must show: what each frame adds
    (colour times coverage) stays at least a third of the strongest frame's to
    the end, and at its height it covers most of the cell."""
    added = [float((f[..., :3].astype(float) * f[..., 3:] / 255.0).sum()) for f in frames]
    for i, amount in enumerate(added):
        check(amount >= max(added) / 3.0, "explosion.png: frame %d adds only %.0f%% of the strongest frame's light"
              % (i, 100.0 * amount / max(added)))
    yy, xx = np.mgrid[0:74, 0:74]
    circle = np.hypot(xx + 0.5 - 37, yy + 0.5 - 37) <= 37
    cover = max((f[..., 3][circle] > 128).mean() for f in frames)
    check(cover >= 0.4, "explosion.png: at its largest it covers %.0f%% of its circle" % (100 * cover))


def check_marks(debris, ring):
    """The debris lies on any ground (transparent round about, something in the
    cell); the ring is white, round and open in the middle, so the game can tint
    and scale it round whatever it marks without hiding it."""
    check(debris[0, 0, 3] == 0 and debris[-1, -1, 3] == 0 and debris[0, -1, 3] == 0 and debris[-1, 0, 3] == 0,
          "debris.png: not transparent round about")
    check((debris[..., 3] > 128).mean() > 0.1, "debris.png: too little wreckage to see on the cell")
    size = ring.shape[0]
    yy, xx = np.mgrid[0:size, 0:size]
    dist = np.hypot(xx + 0.5 - size / 2.0, yy + 0.5 - size / 2.0)
    a = ring[..., 3].astype(int)
    check(a[dist < size * 0.25].max() == 0, "ring.png: the middle is not clear")
    check(a[dist > size / 2.0].max() == 0, "ring.png: reaches the corners, so it is not round")
    check(a.max() >= 240, "ring.png: never opaque, too faint to tint")
    check(ring[..., :3][a > 0].min() >= 250, "ring.png: not white, so a tint would come out wrong")
    # round: the strongest alpha on every ray from the centre lies at the same distance
    peaks = [dist[size // 2, size // 2:].tolist()[int(np.argmax(np.rot90(a, k)[size // 2, size // 2:]))]
             for k in range(4)]
    check(max(peaks) - min(peaks) <= 1.0, "ring.png: not round (peaks at %s)" % peaks)


# The board draws each cell's ground turned by quarter turns or mirrored, by a
# hash of the cell: the eight ways a square picture can lie.
SQUARE_SYMMETRIES = [lambda a, k=k, m=m: np.rot90(a[:, ::-1] if m else a, k) for m in (False, True) for k in range(4)]


def check_ground(tiles):
    """Opaque; every variant, lying any of the eight ways, meets every other
    lying any way without a seam; and no variant has its detail in the middle
    of the cell, where it would stand in the same place in every cell."""
    for i, t in enumerate(tiles):
        check(t[..., 3].min() == 255, "tile%d.png: ground is not opaque" % (i + 1))
    for i, a in enumerate(tiles):
        for j, b in enumerate(tiles):
            worst = max((edge_step(turn_a(a), turn_b(b)) for turn_a in SQUARE_SYMMETRIES for turn_b in SQUARE_SYMMETRIES),
                        key=lambda step: step[0] - 2.0 * step[1])
            check(worst[0] < 2.0 * worst[1] + 1.0, "tile%d/tile%d: turned or mirrored they meet in a visible seam "
                  "(%.1f vs %.1f)" % (i + 1, j + 1, worst[0], worst[1]))
    for i, t in enumerate(tiles):
        grey = t[..., :3].astype(float).mean(axis=2)
        middle = grey[27:47, 27:47]
        check(middle.max() - middle.min() < 0.5 * (grey.max() - grey.min()),
              "tile%d.png: a detail sits in the middle of the cell, so every cell repeats it" % (i + 1))


def check_tunnels(images):
    """Each mouth lets its rail run in from its own side and hides the train where
    it jumps (the cell's middle); the knoll ends inside the cell rather than being
    cut along the far edge, yet covers the far end of the rail laid under it; and
    an opening seen from the front is an arch, standing on the ground and narrowing
    upwards, where a mouth turned away shows no hole at all."""
    bed = slice(16, 58)
    for side in "NESW":
        t = images["game/tunnel%s.png" % side].astype(int)
        # turn the picture so the mouth's side is east (x = 73) and the far edge west
        turns = {"E": 0, "N": 3, "W": 2, "S": 1}[side]
        r = np.rot90(t, turns)
        name = "tunnel%s.png" % side
        check(r[bed, -6:, 3].mean() < 20, name + ": the rail's way in from the %s is covered" % side)
        check(r[bed, 0, 3].min() == 255, name + ": the far end of the rail laid under the mouth shows")
        check(r[:6, 2, 3].max() < 128 and r[-6:, 2, 3].max() < 128,
              name + ": the rock runs into the far corners, cut along the cell's edge")
        check(t[33:41, 33:41, 3].min() == 255, name + ": the train shows in the middle of the cell, where it jumps")
        lum = t[..., :3].mean(axis=2)
        dark = (lum < 40) & (t[..., 3] > 200)
        if side == "N":
            check(dark.sum() < 20, name + ": a mouth turned away from the viewer shows a hole (%d dark pixels)" % dark.sum())
            continue
        rows = np.flatnonzero(dark.sum(axis=1) > 0)
        if not check(rows.size > 10, name + ": no dark bore"):
            continue
        widths = dark[rows[0]:rows[-1] + 1].sum(axis=1)
        top = widths[:max(1, len(widths) // 4)].mean()
        check(top < 0.75 * widths.max(), name + ": the bore's top is flat (%.0f pixels wide against %d): "
              "the edge of a pit, not an arch" % (top, widths.max()))


def colour_shares(arr):
    """Of a sprite's solid pixels: the mean colour, and the shares that are the
    workers' blue shirt, their straw hat, and near black."""
    p = arr[arr[..., 3] > 200][:, :3].astype(np.float64)
    r, g, b = p[:, 0], p[:, 1], p[:, 2]
    return {"mean": p.mean(axis=0), "blue": ((b > r + 30) & (b > g + 8)).mean(),
            "straw": ((r > 150) & (g > 110) & (b < 120) & (r - b > 70)).mean(),
            "dark": (p.max(axis=1) < 90).mean()}


def check_people(images):
    """Raiders and bandits must never pass for the player's workers (the miner in
    the mine animation wears the workers' blue shirt and straw hat), nor for each
    other."""
    names = ("game/indigen.png", "game/bandit.png", "game/ironmineanimation.png")
    if any(n not in images for n in names):
        return
    raider, bandit, worker = (colour_shares(images[n]) for n in names)
    check(worker["blue"] > 0.05, "ironmineanimation.png: the miner no longer wears the workers' blue")
    if "game/worker.png" in images:
        crew = colour_shares(images["game/worker.png"])
        check(crew["blue"] > 0.05, "worker.png: the track worker no longer wears the workers' blue")
        check(crew["straw"] > 0.01, "worker.png: the track worker lost his straw hat")
    for name, who in (("indigen.png", raider), ("bandit.png", bandit)):
        check(who["blue"] < 0.02, "%s: %.0f %% of it is the workers' blue" % (name, 100 * who["blue"]))
        check(np.linalg.norm(who["mean"] - worker["mean"]) > 30,
              "%s: its colours are too close to the worker's" % name)
    check(raider["straw"] < 0.05, "indigen.png: wears the workers' straw hat")
    check(raider["dark"] > 0.5, "indigen.png: the raider should be dressed dark")
    check(np.linalg.norm(raider["mean"] - bandit["mean"]) > 30, "indigen.png: looks like the bandits")


def finish():
    if failures:
        for f in failures:
            print("FAIL:", f)
        print("%d problem(s) in the board pictures" % len(failures))
        return 1
    print("board pictures: %d files checked" % len(FILES))
    return 0


if __name__ == "__main__":
    sys.exit(main())
