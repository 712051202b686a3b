// The in-level interface as the player sees it, the last layer of a playing
// frame: the status line (score, iron, the departure clock, free workers), the
// palette's selection, the pause panel, the won and failed panels and the
// tutorial pages. It only reads the game state.
#pragma once

#include "game/views/feedback_view.h"
#include "graphics/drawing.h"
#include "runtime/array.h"
#include "runtime/gc.h"
#include "support/bitmap_font.h"

class c_GuiView : public Object {
 public:
  void LoadGuiImages();
  void RenderGui() const;
  void Mark() override;

  gc_ref<c_BitmapFont> font;
  gc_ref<c_Image> selectionImage;
  gc_ref<c_Image> levelDoneImage;
  gc_ref<c_Image> levelFailImage;
  Array<c_Image*> tutorialImages;
  gc_ref<c_Image> pauseImage;
  gc_ref<c_Image> musicMarkImage;
  gc_ref<c_Image> soundMarkImage;
  // The view's memory of the rules' answers, for the crash's cause (set by
  // the session).
  gc_ref<c_FeedbackView> feedback;

 private:
  void RenderWonPanel() const;
  void RenderFailedPanel() const;
  void RenderStatusLine() const;
};
