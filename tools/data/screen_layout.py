"""Where the game places its pictures, tests its clicks and writes its texts
around the board, on the map and in the menus, in virtual pixels of the
1024 x 768 screen.  Rectangles are (x0, y0, x1, y1) with both ends inside the
area (closed); areas the game tests with open bounds are stored here already
shrunk by one pixel on each open side.  The generators draw every button on
these rectangles, the preview tool draws them over the pictures and the data
check compares the two."""

SCREEN = (1024, 768)

# ---------------------------------------------------------------- main menu
MENU_BUTTONS = {  # x > 667; y bounds exclusive
    "continue": (668, 179, 1016, 258),
    "new game": (668, 306, 1016, 379),
    "music": (668, 416, 1016, 488),
    "sound": (668, 500, 1016, 597),
    "quit": (668, 615, 1016, 707),
    "full screen": (375, 713, 649, 767),
}
# The five boards on the signpost are drawn alike, one height, each centred in
# its click band (the bands themselves differ in height).
MENU_SIGN_HEIGHT = 72
MENU_SIGNS = {key: (x0, (y0 + y1 + 1 - MENU_SIGN_HEIGHT) // 2, x1, (y0 + y1 + 1 - MENU_SIGN_HEIGHT) // 2 + MENU_SIGN_HEIGHT - 1)
              for key, (x0, y0, x1, y1) in MENU_BUTTONS.items() if key != "full screen"}
# The full-screen switch's board sits inside its click area, short of the
# screen's bottom edge so that neither the board nor its shadow is cut.
MENU_SIGNS["full screen"] = (378, 714, 646, 756)
MENU_MARKS = {"menu/musicOn.png": (665, 416), "menu/soundOn.png": (677, 501),
              "menu/fullscreenOn.png": (373, 718)}
MENU_TEXTS = {"level": (175, 630), "score": (175, 698)}
# The Settings sign above the full-screen switch (closed bounds).
MENU_SETTINGS = (392, 636, 632, 700)
# The Editor and Levels signs stacked above it, in the same column (closed).
MENU_EDITOR = (392, 476, 632, 540)
MENU_LEVELS = (392, 556, 632, 620)

# ---------------------------------------------------------------- in-level frame
BOARD_WINDOW = (31, 31, 992, 696)          # the 13 x 9 cells of 74 pixels
PAUSE_BUTTON = (924, 704, 997, 767)
DEPART_BUTTON = (501, 1, 581, 25)
# the send-off button as drawn: wider than where it is clicked, so the "TIME:"
# the game writes at (500, 4) sits inside it with room on either side
DEPART_FACE = (492, 1, 584, 25)
PALETTE_SLOTS = [(32 + 66 * n, 706, 87 + 66 * n, 761) for n in range(8)]
# inside each slot (from its top-left corner): the piece's picture, clear of
# the key number in the top-left corner and of the cost in the bottom-right
PALETTE_ICON = (14, 2, 50, 38)
PALETTE_KEY_AT = (4, 2)
# The status strip: four recessed fields with a margin above them, each field
# led by its icon (a nugget for the score, an ingot for the iron, a clock for
# the countdown), the level's name in the third; the game writes the texts at
# these points (the clock right-aligned on its x).
STATUS_FIELDS = {"score": (28, 4, 134, 27), "iron": (140, 4, 246, 27), "level": (252, 4, 488, 27),
                 "clock": (588, 4, 1000, 27)}
STATUS_ICON_SIZE = 20
STATUS_ICONS = {"score": (32, 6), "iron": (144, 6), "clock": (593, 6)}
STATUS_TEXTS = {"score": (56, 5), "iron": (168, 5), "level": (258, 5), "time": (498, 5), "clock": (994, 5),
                "workers": (662, 742)}
TIME_BAR = (618, 11, 917, 20)               # the countdown bar: up to 300 pixels, one a second

# ---------------------------------------------------------------- panels
PANELS = {
    "game/msgLevelDone.png": (320, 218),
    "game/msgLevelFail.png": (320, 200),
    "game/msgPause.png": (320, 159),
}
DONE_BUTTONS = {"continue": (574, 479, 689, 532), "retry": (456, 479, 570, 532),
                "menu": (341, 479, 453, 532)}
DONE_TEXTS = {"time": (485, 388), "gold": (485, 417), "score": (485, 446)}
FAIL_BUTTONS = {"retry": (550, 395, 678, 458), "menu": (344, 395, 483, 458)}
# "Show me" inside the failed panel, from the panel's top-left corner; the game
# draws its picture there (the panel may move away from the crash).
SHOW_ME_IN_PANEL = (112, 124, 272, 178)
# The won panel's stars, centred on these points from the panel's top-left.
STAR_SIZE = 44
PAUSE_BUTTONS = {  # 358 < x < 670, bands open
    "resume": (359, 317, 669, 365),
    "restart": (359, 368, 669, 416),
    "music": (359, 419, 669, 467),
    "sound": (359, 470, 669, 518),
    "quit": (359, 521, 669, 569),
}
# the boards drawn on those bands, with a gap between neighbours so the five
# read as five
PAUSE_PLATES = {key: (x0 + 6, y0 + 2, x1 - 6, y1 - 2) for key, (x0, y0, x1, y1) in PAUSE_BUTTONS.items()}
PAUSE_MARKS = {"game/pauseMusicOn.png": (359, 431), "game/pauseSoundOn.png": (359, 483)}
# The pause panel's Settings button, a gear in the panel's top right corner.
PAUSE_SETTINGS = (630, 174, 684, 228)
# The settings panel over the menu or a paused level; the game writes its
# controls on it: the sound and picture column on the left, the keys' list
# on the right.
SETTINGS_PANEL = (112, 40, 912, 728)
SETTINGS_COLUMNS = {"left": (140, 500), "keys": (530, 890)}
SETTINGS_HEADINGS_Y = 102

TUTORIAL_POSITIONS = [(110, 315), (600, 315), (140, 540), (360, 540), (600, 25), (400, 25),
                      (270, 118), (515, 540), (160, 390), (520, 450), (100, 100), (128, 402)]

# ---------------------------------------------------------------- scenario map
MAP_ICONS = [(138, 96), (169, 166), (239, 215), (241, 315), (341, 263), (382, 180), (460, 145),
             (519, 215), (527, 313), (586, 379), (655, 420), (735, 465), (784, 408), (817, 338),
             (854, 255)]
ICON_SIZE = 32                              # a badge the game writes the level's number on
SELECTION_SIZE = ICON_SIZE + 8              # drawn at 4 pixels up and left of the icon
MAP_START_BUTTON = (765, 671, 949, 768)
MAP_BUY_BUTTON = (521, 671, 734, 754)
START_GREY_AT = (754, 693)
NO_FUNDS_AT = (525, 692)
START_PLATE = (765, 693, 949, 767)          # the part of the start button startGrey covers
BUY_PLATE = (525, 692, 730, 754)            # the part of the buy button noFunds covers
# Each button as drawn: a frame from the top of its click area down, the greyed
# pictures covering its lower part.  The buy button's frame starts a little
# below its click area, leaving the top strip to the workers' count above it.
START_FACE = (765, 671, 949, 767)
BUY_FACE = (525, 680, 730, 754)
# where the game writes the worker's price on the buy button (greyed while
# the gold does not reach it): the board's second line, left free
PRICE_AT = (605, 722)
MAP_TEXTS = {"name": (512, 25), "start iron": (163, 630), "mine iron": (163, 700),
             "bandits": (369, 630), "raiders": (369, 700), "gold": (640, 602),
             "workers": (640, 657), "max workers": (684, 657)}

# ---------------------------------------------------------------- end picture
# The board of the campaign's final figures: a caption on the left of each row,
# a dark field on the right where the game writes the value, centred on the
# field's centre (x, y).
END_BOARD = (60, 262, 430, 432)
END_FIELDS = {"score": (340, 310), "gold": (340, 356), "time": (340, 402)}
END_FIELD_HALF = (76, 17)                   # half width and half height of each field
