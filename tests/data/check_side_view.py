"""Checks the board's side view (tools/data/common.side_view), which draws the
tunnel mouths, the hill and the buttes: a point at height z above plan point
(x, y) shows z pixels higher up, nearer (more southern) shapes hide farther
ones, and faces turned north are never seen.

Usage: check_side_view.py [DATA_FOLDER]   (the folder is not read)
"""
import os
import sys

import numpy as np

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "data"))
from common import Art, gather, side_view  # noqa: E402

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def block(art, x0, y0, x1, y1, h):
    inside = (art.X >= x0) & (art.X < x1) & (art.Y >= y0) & (art.Y < y1)
    return np.where(inside, float(h), 0.0)


def main():
    art = Art(60, 60)
    ss = art.ss

    # one block, 10 high on plan 20..40 x 30..50: its top shows from 20 to 40, its
    # south face from 40 to 50; nothing shows outside its columns or below its foot
    height = block(art, 20, 30, 40, 50, 10)
    cover, row, z = side_view(art, height, height > 0)
    rows = np.flatnonzero(cover.any(axis=1)) / ss
    cols = np.flatnonzero(cover.any(axis=0)) / ss
    check(abs(rows[0] - 20) <= 0.5 and abs(rows[-1] + 1.0 / ss - 50) <= 0.5,
          "a 10-high block on rows 30..50 shows on %.1f..%.1f, not 20..50" % (rows[0], rows[-1]))
    check(abs(cols[0] - 20) <= 0.5 and abs(cols[-1] + 1.0 / ss - 40) <= 0.5, "the block moved sideways")
    mid = 30 * ss
    top = (z[25 * ss, mid], z[35 * ss, mid])
    face = z[45 * ss, mid]
    check(all(abs(v - 10) < 0.6 for v in top), "the block's top is not seen at its height: %s" % (top,))
    check(0 < face < 10, "the block's south face does not show heights between its foot and its top (%.1f)" % face)
    seen = gather(np.broadcast_to((np.arange(art.H) / ss)[:, None], (art.H, art.W)), row)
    check(abs(seen[45 * ss, mid] - 49.9) < 0.5, "the south face does not show the block's southern edge")

    # a tall block in front hides the lower one behind it where they overlap on
    # screen; a face turned north (the back block's far side) is never seen
    height = np.maximum(block(art, 10, 20, 50, 30, 6), block(art, 10, 34, 50, 44, 16))
    cover, row, z = side_view(art, height, height > 0)
    plan = (row + 0.5) / ss
    overlap = cover[18 * ss:28 * ss, 30 * ss] > 0
    check(overlap.all(), "the two blocks leave a gap on screen")
    front_rows = plan[19 * ss:28 * ss, 30 * ss][overlap[1 * ss:]]
    check((front_rows >= 34).all(), "the far block shows through the near, taller one")
    check((plan[cover > 0] < 20).sum() == 0, "something north of the far block's north face shows")

    if failures:
        for f in failures:
            print("FAIL:", f)
        return 1
    print("side view: geometry checked")
    return 0


if __name__ == "__main__":
    sys.exit(main())
