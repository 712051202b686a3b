// What the solver adds to a level's screen: the hint's numbered ghost pieces
// and its line, the hint button, the failed panel's "Show me" button and the
// demonstration's banner. It only reads what it is given.
#pragma once

#include "game/screens/hit_box.h"
#include "game/screens/level_hint.h"
#include "graphics/drawing.h"
#include "runtime/array.h"
#include "runtime/gc.h"
#include "support/bitmap_font.h"

// A line of text on a dark band across the screen's middle, centred on
// centreY, in the colour (r, g, b); the whole band at `alpha`.
void DrawTextBand(c_BitmapFont* font, const String& text, float centreY, float r, float g, float b,
                  float alpha = 1.0f);

class c_HintView : public Object {
 public:
  void LoadHintImages();
  // The next pieces over their cells, faint, each with its number.
  void RenderHintGhosts(const LevelHint& hint, const Array<c_Image*>& pieceImages) const;
  // The hint's line on a band over the top of the board.
  void RenderHintLine(const LevelHint& hint) const;
  void RenderHintButton() const;
  // Inside the failed panel, a wooden button like its others (over the
  // palette under the first rules, where its click went then).
  void RenderShowMeButton(const LevelRun& run) const;
  // The shown tutorial page's "Skip" button.
  void RenderTutorialSkip(int page) const;
  void RenderDemonstrationBanner() const;
  void Mark() override;

  gc_ref<c_BitmapFont> font;
  gc_ref<c_Image> showMeImage;

 private:
  void RenderButton(const HitBox& box, const String& label) const;
};
