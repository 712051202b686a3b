// The three full-screen pictures around the levels: the title, the main menu
// (with the marks of the switches that are off, the current level and the
// total score) and the end picture after the last level, with the campaign's
// final figures written on it.
#pragma once

#include "game/screens/level_records.h"
#include "graphics/drawing.h"
#include "runtime/gc.h"
#include "support/bitmap_font.h"

class c_MenuView : public Object {
 public:
  void LoadTitleImage();
  void LoadMenuImages();
  void RenderTitle() const;
  void RenderMenu() const;
  void RenderTheEnd(const LevelRecords& records) const;
  void Mark() override;

  gc_ref<c_Image> splashImage;
  gc_ref<c_Image> menuImage;
  gc_ref<c_Image> musicMarkImage;
  gc_ref<c_Image> soundMarkImage;
  gc_ref<c_Image> fullScreenMarkImage;
  gc_ref<c_Image> endImage;
  // The signs to the level editor and to the custom levels (mended rules).
  gc_ref<c_Image> editorSignImage;
  gc_ref<c_Image> levelsSignImage;
  gc_ref<c_BitmapFont> font;

 private:
  void DrawFieldValue(const String& value, float centreY) const;
};
