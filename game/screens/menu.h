// The three full-screen pictures around the levels: the title, the main menu
// (continue, new game, music, sound, quit, full screen; the current level and
// the total score) and the end picture after the last level.
#pragma once

#include "game/screens/hit_box.h"
#include "game/screens/screen_request.h"
#include "graphics/drawing.h"
#include "runtime/gc.h"
#include "support/bitmap_font.h"

// The menu's buttons, all bounds excluded. The five on the right are bands
// below one another, right of x 667; the full-screen switch is at the bottom.
constexpr float kMenuButtonsLeft = 667;
constexpr HitBox kMenuContinue = OpenBox(kMenuButtonsLeft, kNoLimit, 178, 259);
constexpr HitBox kMenuNewGame = OpenBox(kMenuButtonsLeft, kNoLimit, 305, 380);
constexpr HitBox kMenuMusic = OpenBox(kMenuButtonsLeft, kNoLimit, 415, 489);
constexpr HitBox kMenuSound = OpenBox(kMenuButtonsLeft, kNoLimit, 499, 598);
constexpr HitBox kMenuQuit = OpenBox(kMenuButtonsLeft, kNoLimit, 614, 708);
constexpr HitBox kMenuFullScreen = OpenBox(374, 650, 712, kNoLimit);

class c_cTitleScreen : public Object {
 public:
  void LoadTitleImage();
  void RenderTitle();
  void Mark() override { splashImage.Mark(); }

  gc_ref<c_Image> splashImage;
};

class c_cMenu : public Object {
 public:
  void LoadMenuImages();
  // Continue, a new game, a switch or quitting; every button but the
  // full-screen switch clicks.
  ScreenRequest ClickMenu(float x, float y);
  void RenderMenu();
  void RenderTheEnd();
  void Mark() override;

  gc_ref<c_Image> menuImage;
  gc_ref<c_Image> musicMarkImage;
  gc_ref<c_Image> soundMarkImage;
  gc_ref<c_Image> fullScreenMarkImage;
  gc_ref<c_Image> endImage;
  gc_ref<c_BitmapFont> font;

 private:
};
