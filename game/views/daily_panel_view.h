// The daily line's corner of the map as the player sees it: a dark board with
// the date, the par, a strip of the last seven days (each day's state told by
// its shape as well as its colour) and the run of days played.
#pragma once

#include "game/screens/daily_panel.h"
#include "support/bitmap_font.h"

void RenderDailyPanel(const DailyPanel& panel, const DailyResults& results, c_BitmapFont* font);
