// The main menu's buttons: continue, new game, music, sound, quit, full
// screen. The title, the menu and the end picture are drawn by the menu view.
#pragma once

#include <vector>

#include "game/screens/focus.h"
#include "game/screens/screen_request.h"
#include "runtime/gc.h"

// The menu's buttons, all bounds excluded. The five on the right are bands
// below one another, right of x 667; the full-screen switch is at the bottom.
constexpr float kMenuButtonsLeft = 667;
constexpr HitBox kMenuContinue = OpenBox(kMenuButtonsLeft, kNoLimit, 178, 259);
constexpr HitBox kMenuNewGame = OpenBox(kMenuButtonsLeft, kNoLimit, 305, 380);
constexpr HitBox kMenuMusic = OpenBox(kMenuButtonsLeft, kNoLimit, 415, 489);
constexpr HitBox kMenuSound = OpenBox(kMenuButtonsLeft, kNoLimit, 499, 598);
constexpr HitBox kMenuQuit = OpenBox(kMenuButtonsLeft, kNoLimit, 614, 708);
constexpr HitBox kMenuFullScreen = OpenBox(374, 650, 712, kNoLimit);
// The Settings sign above the full-screen switch (not in the first release,
// whose menu answered no click there).
constexpr HitBox kMenuSettings = ClosedBox(392, 632, 636, 700);
// The level editor's and the custom levels' signs, stacked above it in the
// same column (nor did these answer clicks in the first release).
constexpr HitBox kMenuEditor = ClosedBox(392, 632, 476, 540);
constexpr HitBox kMenuLevels = ClosedBox(392, 632, 556, 620);

class c_cMenu : public Object {
 public:
  // Continue, a new game, a switch, the settings, the editor, the custom
  // levels or quitting; every button
  // but the full-screen switch clicks.
  ScreenRequest ClickMenu(float x, float y);
  // What answers clicks, in screen order (top to bottom).
  std::vector<HitBox> Buttons() const;
  // What the keys move between: every button, from "continue" down, or from
  // "new game" while nothing is won yet (the first rules: always continue).
  FocusList KeyFocus() const;
};
