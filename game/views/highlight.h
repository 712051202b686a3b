// The one highlight of the game: a soft light over the button a press would
// act on, with a bright rim. Hover and keyboard focus both draw it.
#pragma once

#include "game/screens/focus.h"

void DrawHighlight(const FocusBox& focus);
