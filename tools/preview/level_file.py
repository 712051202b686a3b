"""Reads a level file of data/levels for the preview tools: its start and
finish cells, mine, tunnels, and the scenery, stones and gold its board draws.
The game's own reader (game/rules/level_reader.cpp) is the one that checks a
file; this one trusts the committed files and only takes them apart.
"""

# By building kind, as the game's level format letters them.
SCENERY_LETTERS = "w^YWnhDHIaACcxB"
FOOT = {1: (2, 2), 3: (2, 2), 4: (1, 3), 6: (2, 2), 10: (2, 2), 11: (2, 2), 14: (2, 2)}


def _cell(text):
    x, y = text.split(",")
    return int(x), int(y)


def _scenery(rows):
    """Row by row, a scenery letter not yet covered is a footprint's top-left cell."""
    covered, placed = set(), {}
    for y, row in enumerate(rows):
        for x, letter in enumerate(row):
            kind = SCENERY_LETTERS.find(letter)
            if kind < 0 or (x, y) in covered:
                continue
            w, h = FOOT.get(kind, (1, 1))
            covered.update((x + dx, y + dy) for dx in range(w) for dy in range(h))
            placed.setdefault(kind, []).append("%d,%d" % (x, y))
    return {kind: " ".join(cells) for kind, cells in placed.items()}


def _cells_of(rows, letter):
    return " ".join("%d,%d" % (x, y) for y, row in enumerate(rows) for x, c in enumerate(row) if c == letter)


def read_level(path):
    """(start, finish, mine or None, tunnels ((side, x, y), (side, x, y)) or None,
    scenery {kind: "x,y ..."}, stones "x,y ...", gold "x,y ...")."""
    keys, rows = {}, []
    with open(path, encoding="ascii") as f:
        lines = [l.rstrip("\r\n") for l in f][1:]
    in_board = False
    for line in lines:
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        if in_board:
            rows.append(line)
        elif line == "board":
            in_board = True
        else:
            key, _, value = line.partition(" ")
            keys[key] = value.split()
    mine = None if keys["mine"] == ["none"] else _cell(keys["mine"][0])
    t = keys["tunnels"]
    tunnels = None if t == ["none"] else ((t[1],) + _cell(t[0]), (t[3],) + _cell(t[2]))
    return (_cell(keys["start"][0]), _cell(keys["finish"][0]), mine, tunnels, _scenery(rows),
            _cells_of(rows, "o"), _cells_of(rows, "$"))
