// The scenario map as the player sees it: the route with the level icons, the
// selected level's name and figures, the start button, the worker shop and
// the floating "-500" texts. It only reads the map and the game state.
#pragma once

#include "game/screens/map.h"
#include "game/views/feedback_view.h"
#include "graphics/drawing.h"
#include "runtime/gc.h"
#include "support/bitmap_font.h"

class c_MapView : public Object {
 public:
  void LoadMapImages();
  void RenderScenarioMap(const c_cMap& map) const;
  void Mark() override;

  gc_ref<c_Image> mapImage;
  gc_ref<c_Image> availableImage;
  gc_ref<c_Image> lockedImage;
  gc_ref<c_Image> doneImage;
  gc_ref<c_Image> startGreyImage;
  gc_ref<c_Image> noFundsImage;
  gc_ref<c_Image> selectedImage;
  gc_ref<c_Image> starImage;
  gc_ref<c_BitmapFont> font;
  // The view's memory of the rules' answers, for the shop's (set by the
  // session).
  gc_ref<c_FeedbackView> feedback;

 private:
  // "Best: 3400 in 1:52" under the level's name, once it was won.
  void RenderRecord(const LevelRecord& record) const;
  // The stars a won level earned at best, small, under its icon's number.
  void RenderBadgeNumber(const c_cScenarioIcon* icon, int levelNumber) const;
  void RenderIconStars(const c_cScenarioIcon* icon, const LevelRecord& record) const;
};
