"""The page of custom levels' sheet: game/msgLevelList.png, the paper of the
settings panel's size with its title and the headings of its columns (the
rows, figures and buttons are drawn by the game)."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import output_dir  # noqa: E402
from make_screens import panel_title  # noqa: E402
from scenery import paper_panel  # noqa: E402
from screen_common import HEADING, on_scale, put_text, save_png  # noqa: E402

# The sheet on the virtual screen, as game/screens/level_list.h places it.
SHEET = (112, 40, 912, 728)
HEADINGS_Y = 96
# Each column's heading: where it stands (the game's views/level_list_view.cpp
# writes the figures under it) and how it is anchored.
HEADINGS = (
    (156, "Level", "lm"),
    (530, "Cheapest iron", "mm"),
    (642, "Best score", "mm"),
    (732, "Fastest", "mm"),
    (800, "From", "mm"),
)


def make_level_list_sheet():
    x0, y0, x1, y1 = SHEET
    img = paper_panel(x1 - x0 + 1, y1 - y0 + 1, "level-list")
    img = panel_title(img, "Custom levels", 34)
    for x, text, anchor in HEADINGS:
        img = put_text(img, (x - x0, HEADINGS_Y - y0), text, (HEADING, on_scale(14)), "ink", anchor=anchor)
    return img


def main():
    save_png(make_level_list_sheet(), output_dir(), "game/msgLevelList.png")


if __name__ == "__main__":
    main()
