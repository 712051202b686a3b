// The in-level interface as the player sees it, the last layer of a playing
// frame: the status line (score, iron, the departure clock, free workers), the
// palette's selection, the pause panel, the won and failed panels and the
// tutorial pages. It only reads the match (and the won panel's
// count-up, which the session keeps).
//
// gui_view.cpp lays the layers out; gui_view_status.cpp draws the status
// strip; gui_view_panels.cpp the won and failed panels.
#pragma once

#include "game/rules/match.h"
#include "game/screens/won_tally.h"
#include "game/views/feedback_view.h"
#include "graphics/drawing.h"
#include "runtime/array.h"
#include "runtime/gc.h"
#include "support/bitmap_font.h"

class c_GuiView : public Object {
 public:
  void LoadGuiImages();
  void RenderGui(const Match& match, const WonTally& tally) const;
  void Mark() override;

  gc_ref<c_BitmapFont> font;
  // The same letters without their outline and shadow, tinted like the
  // panels' printed words.
  gc_ref<c_BitmapFont> inkFont;
  gc_ref<c_Image> selectionImage;
  gc_ref<c_Image> levelDoneImage;
  gc_ref<c_Image> levelFailImage;
  Array<c_Image*> tutorialImages;
  gc_ref<c_Image> pauseImage;
  gc_ref<c_Image> musicMarkImage;
  gc_ref<c_Image> soundMarkImage;
  gc_ref<c_Image> starImage;
  gc_ref<c_Image> explosionImage;
  // The view's memory of the rules' answers, for the crash's cause (set by
  // the session).
  gc_ref<c_FeedbackView> feedback;

 private:
  void RenderWonPanel(const Match& match, const WonTally& tally) const;
  void RenderWonTimes(const WonTally& tally, float left, float top) const;
  void RenderStars(const Match& match, const WonTally& tally, float left, float top) const;
  void RenderDailyPar(const WonTally& tally, float left, float top) const;
  void RenderFailedPanel(const Match& match) const;
  void RenderCrashCause(const Match& match, float left, float top) const;
  void RenderCrashFire(const Match& match) const;
  void RenderStatusLine(const Match& match) const;
  void RenderClock(const Match& match) const;
};
