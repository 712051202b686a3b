"""Composes level boards from the pictures in data/ the way the game draws them, to
look at the art in place: ground, a complete track found through each level's
scenery (with every piece kind, the start and finish markers and the tunnels),
the mine with its worker, stones and gold, bandits, a raider, an explosion, a
piece under construction and the engine with its smoke, placed on the train's
own path.

Usage: board_preview.py DATA_FOLDER OUT.png [LEVEL ...]    (default levels 6 11 12 7)
The levels are read from DATA_FOLDER/levels.
"""
import math
import os
import random
import sys
from collections import deque

from PIL import Image, ImageDraw

from level_file import FOOT, read_level

CELL, COLS, ROWS, ORIGIN = 74, 13, 9, 31
BUILDINGS = ["pond", "mountain", "forest", "pond2x", "hill", "hangman", "dinosaur", "house", "watertower",
             "cort", "corturi", "caravan", "diligenta", "skull", "mountain2"]
SIDES = {"N": 0, "E": 1, "S": 2, "W": 3}
STEP = {0: (0, -1), 1: (1, 0), 2: (0, 1), 3: (-1, 0)}

def cells(text):
    return [tuple(int(v) for v in c.split(",")) for c in text.split()]


def piece_for(heading_in, heading_out):
    """Piece kind joining the side the train enters by and the side it leaves by."""
    entry = (heading_in + 2) % 4
    sides = {entry, heading_out}
    table = {frozenset((3, 1)): 0, frozenset((0, 2)): 1, frozenset((1, 2)): 2, frozenset((3, 2)): 3,
             frozenset((1, 0)): 4, frozenset((3, 0)): 5}
    return table[frozenset(sides)]


def find_track(level, blocked):
    """Breadth-first search over (cell, heading) for a track from the start to the finish."""
    start, finish, _, tunnels, _, _, _ = level
    tunnel_cells = {}
    if tunnels:
        for i, (side, x, y) in enumerate(tunnels):
            tunnel_cells[(x, y)] = (i, SIDES[side])
    first = (start, 1)
    prev = {first: None}
    queue = deque([first])
    goal = None
    while queue:
        (cell, heading) = queue.popleft()
        if cell == finish:
            goal = (cell, heading)
            break
        outs = [heading, (heading + 1) % 4, (heading + 3) % 4]
        if cell in tunnel_cells:
            i, side = tunnel_cells[cell]
            if heading % 2 != side % 2:
                continue
            if i == 0:
                # the train jumps to the other end and leaves it facing that end's side
                _, ox, oy = tunnels[1]
                side1 = SIDES[tunnels[1][0]]
                nxt = ((ox + STEP[side1][0], oy + STEP[side1][1]), side1)
                if nxt not in prev and 0 <= nxt[0][0] < COLS and 0 <= nxt[0][1] < ROWS:
                    prev[nxt] = ((cell, heading), "jump")
                    queue.append(nxt)
                continue
            outs = [heading]
        for out in outs:
            nx, ny = cell[0] + STEP[out][0], cell[1] + STEP[out][1]
            if not (0 <= nx < COLS and 0 <= ny < ROWS) or (nx, ny) in blocked:
                continue
            nxt = ((nx, ny), out)
            if nxt not in prev:
                prev[nxt] = ((cell, heading), out)
                queue.append(nxt)
    if goal is None:
        return []
    chain = []
    state = goal
    while prev[state] is not None:
        before, out = prev[state]
        chain.append((before, out))
        state = before
    chain.reverse()
    track = []
    for (cell, heading), out in chain:
        if out != "jump":
            track.append((cell, heading, out))
    track.append((finish, goal[1], goal[1]))
    return track


def train_point(cell, move, p):
    """The train's position in a cell for a move code at progress p (its own path rule)."""
    x0, y0 = 31 + 74 * cell[0], 31 + 74 * cell[1]
    q = math.pi / 2
    straight = {11: (x0 + 74 * p, y0 + 37), 5: (x0 + 74 * (1 - p), y0 + 37),
                2: (x0 + 37, y0 + 74 * p), 8: (x0 + 37, y0 + 74 * (1 - p))}
    if move in straight:
        return straight[move]
    corner = {12: ((x0, y0), p * q), 1: ((x0, y0), (1 - p) * q), 9: ((x0, y0 + 74), (p + 1) * q),
              10: ((x0, y0 + 74), (2 - p) * q), 6: ((x0 + 74, y0 + 74), (p + 2) * q),
              7: ((x0 + 74, y0 + 74), (3 - p) * q), 3: ((x0 + 74, y0), (p + 3) * q), 4: ((x0 + 74, y0), (4 - p) * q)}
    (cx, cy), th = corner[move]
    return cx + 37 * math.sin(th), cy + 37 * math.cos(th)


def move_code(heading_in, heading_out):
    """Move code: 3 x entry side + turn (1 to the train's right, 2 straight on, 3 to its left)."""
    entry = (heading_in + 2) % 4
    right = (heading_in + 1) % 4
    t = 2 if heading_out == heading_in else 1 if heading_out == right else 3
    return 3 * entry + t


def render_level(data, number, seed):
    level = read_level(os.path.join(data, "levels", "%02d.level" % number))
    start, finish, mine, tunnels, scenery, stones, gold = level
    load = lambda name: Image.open(os.path.join(data, name)).convert("RGBA")  # noqa: E731
    board = Image.new("RGBA", (1024, 768), (24, 20, 16, 255))
    corner = lambda x, y: (ORIGIN + CELL * x, ORIGIN + CELL * y)  # noqa: E731
    rnd = random.Random(seed)
    ground = [load("game/tile%d.png" % i) for i in (1, 2, 3)]
    pieces = [load("game/%d.png" % k) for k in range(7)]
    kinds = {}
    blocked = set()
    for kind, where in scenery.items():
        w, h = FOOT.get(kind, (1, 1))
        for (x, y) in cells(where):
            for dx in range(w):
                for dy in range(h):
                    blocked.add((x + dx, y + dy))
    if mine:
        for dx in range(2):
            for dy in range(2):
                blocked.add((mine[0] + dx, mine[1] + dy))
    if tunnels:
        for side, x, y in tunnels:
            kinds[(x, y)] = 1 if SIDES[side] in (0, 2) else 0
    track = find_track(level, blocked)
    for cell, hin, hout in track:
        if cell not in kinds:
            kinds[cell] = piece_for(hin, hout)
    # show the crossing on the first plain straight, and one piece still being built
    straights = [c for c, h, o in track if kinds.get(c) in (0, 1) and c != start and c != finish
                 and not (tunnels and any((x, y) == c for _, x, y in tunnels))]
    if straights:
        kinds[straights[0]] = 6
    building = straights[-1] if len(straights) > 1 else None

    for x in range(COLS):
        for y in range(ROWS):
            board.alpha_composite(ground[rnd.randrange(3)], corner(x, y))
            k = kinds.get((x, y))
            if k is not None and (x, y) != building:
                board.alpha_composite(pieces[k], corner(x, y))
    draw = ImageDraw.Draw(board)
    if building:
        ghost = pieces[kinds[building]].copy()
        ghost.putalpha(ghost.getchannel("A").point(lambda a: a // 2))
        board.alpha_composite(ghost, corner(*building))
        bx, by = corner(*building)
        draw.rectangle([bx, by, bx + 73, by + 4], fill=(127, 127, 127, 255))
        draw.rectangle([bx, by, bx + 44, by + 4], fill=(0, 255, 0, 255))
    if mine:
        board.alpha_composite(load("game/ironmine.png"), corner(*mine))
        anim = load("game/ironmineanimation.png")
        f = 4
        board.alpha_composite(anim.crop((60 * f, 0, 60 * f + 60, 76)), (31 + 74 * mine[0], 103 + 74 * mine[1]))
    stones_img = load("game/buildings/stones.png")
    for i, c in enumerate(c for c in cells(stones) if c not in kinds):   # cleared where track runs
        board.alpha_composite(stones_img, corner(*c))
        if i == 0:
            sx, sy = corner(*c)
            draw.rectangle([sx, sy, sx + 73, sy + 4], fill=(127, 127, 127, 255))
            draw.rectangle([sx, sy, sx + 20, sy + 4], fill=(0, 255, 0, 255))
    gold_img = load("game/gold.png")
    for c in cells(gold):
        board.alpha_composite(gold_img, corner(*c))
    if mine:
        bandit = load("game/bandit.png")
        board.alpha_composite(bandit.crop((74 * 3, 0, 74 * 4, 74)), corner(mine[0], mine[1] + 1))
    if len(track) > 6:
        raider = load("game/indigen.png")
        c = track[len(track) // 2][0]
        board.alpha_composite(raider.crop((74 * 8, 0, 74 * 9, 74)), corner(*c))
        rx, ry = corner(*c)
        draw.rectangle([rx, ry, rx + 73, ry + 4], fill=(127, 127, 127, 255))
        draw.rectangle([rx, ry, rx + 30, ry + 4], fill=(0, 255, 0, 255))
    grounds = load("game/buildings/grounds.png")
    for kind, where in scenery.items():   # each footprint on its scenery's own ground
        w, h = FOOT.get(kind, (1, 1))
        for x, y in cells(where):
            for dx in range(w):
                for dy in range(h):
                    board.alpha_composite(grounds.crop((74 * kind, 0, 74 * kind + 74, 74)), corner(x + dx, y + dy))
    for kind, where in scenery.items():
        img = load("game/buildings/%s.png" % BUILDINGS[kind])
        if kind == 3:
            img = img.crop((148 * 5, 0, 148 * 6, 148))
        for c in cells(where):
            board.alpha_composite(img, corner(*c))
    board.alpha_composite(load("game/tilestart.png"), corner(*start))
    board.alpha_composite(load("game/tilefinish.png"), corner(*finish))

    # the engine a third of the way along, on the exact path, with smoke behind
    if len(track) > 4:
        engine = load("game/engine.png")
        smoke = load("game/smoke.png")
        i = max(1, len(track) // 3)
        cell, hin, hout = track[i]
        mv = move_code(hin, hout)
        x, y = train_point(cell, mv, 0.6)
        x1, y1 = train_point(cell, mv, 0.62)
        heading = math.degrees(math.atan2(y1 - y, x1 - x))
        rot = engine.rotate(-heading, resample=Image.BICUBIC, expand=True)
        board.alpha_composite(rot, (int(round(x - rot.width / 2)), int(round(y - rot.height / 2))))
        for k, (size, alpha) in enumerate(((0.45, 1.0), (0.9, 0.8), (1.0, 0.45))):
            px, py = train_point(cell, mv, 0.6 - 0.0) if k == 0 else train_point(*track[i - 1][:1], move_code(*track[i - 1][1:]), 0.9 - 0.35 * k)
            sm = smoke.resize((max(1, int(40 * size)), max(1, int(40 * size))), Image.BICUBIC).rotate(k * 70)
            a = sm.getchannel("A").point(lambda v, al=alpha: int(v * al))
            sm.putalpha(a)
            sx = int(px + (20 * math.cos(math.radians(heading)) if k == 0 else 0) - sm.width / 2)
            sy = int(py + (20 * math.sin(math.radians(heading)) if k == 0 else 0) - sm.height / 2)
            board.alpha_composite(sm, (sx, sy))
    # an explosion where a piece was blown up, added as light
    expl = load("game/explosion.png").crop((74 * 2, 0, 74 * 3, 74)).rotate(rnd.randrange(360))
    ex, ey = corner(COLS - 2, ROWS - 1)
    patch = board.crop((ex, ey, ex + 74, ey + 74))
    add = Image.new("RGBA", (74, 74))
    px_e = expl.load()
    px_p = patch.load()
    px_a = add.load()
    for yy in range(74):
        for xx in range(74):
            r, g, b, a = px_e[xx, yy]
            pr, pg, pb, pa = px_p[xx, yy]
            px_a[xx, yy] = (min(255, pr + r * a // 255), min(255, pg + g * a // 255), min(255, pb + b * a // 255), 255)
    board.paste(add, (ex, ey))

    border = os.path.join(data, "game/border.png")
    if os.path.exists(border):
        board.alpha_composite(load("game/border.png"), (0, 0))
    else:
        draw.rectangle([0, 0, 1023, 767], outline=(70, 48, 30, 255), width=31)
    if tunnels:
        for side, x, y in tunnels:
            board.alpha_composite(load("game/tunnel%s.png" % side), corner(x, y))
    draw.text((40, 4), "level %d" % number, fill=(255, 240, 200, 255))
    return board


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    data, out = sys.argv[1], sys.argv[2]
    levels = [int(v) for v in sys.argv[3:]] or [6, 11, 12, 7]
    boards = [render_level(data, n, 1000 + n) for n in levels]
    cols = 2 if len(boards) > 1 else 1
    rows = (len(boards) + cols - 1) // cols
    sheet = Image.new("RGBA", (1024 * cols, 768 * rows), (0, 0, 0, 255))
    for i, b in enumerate(boards):
        sheet.paste(b, ((i % cols) * 1024, (i // cols) * 768))
    sheet.convert("RGB").save(out)


if __name__ == "__main__":
    main()
