// The page of custom levels as the player sees it (screens/level_list.h says
// what answers the clicks): the sheet with its column headings, a page of
// rows (the game's own levels and the player's told apart by a mark and a
// word, a file that does not read greyed with its reason), where the page
// stands in the list, the buttons of the part shown and the page's line. It
// also draws the map's corner that leads to the page.
#pragma once

#include "game/screens/level_list.h"
#include "graphics/drawing.h"
#include "runtime/gc.h"
#include "support/bitmap_font.h"

class c_LevelListView : public Object {
 public:
  void LoadLevelListImages();
  void RenderLevelList(const c_cLevelList& page) const;
  void RenderMapCorner() const;
  void Mark() override;

  gc_ref<c_Image> sheetImage;
  gc_ref<c_BitmapFont> inkFont;    // on the paper sheet
  gc_ref<c_BitmapFont> signFont;   // outlined, on the map

 private:
  void RenderRow(const c_cLevelList& page, int shownRow) const;
  void RenderRowFigures(const c_cLevelList& page, const ListedLevel& row, float y) const;
  void RenderPlace(const c_cLevelList& page) const;
  void RenderButton(const HitBox& box, const char* name) const;
  void RenderLine(const c_cLevelList& page) const;
  void RenderBoardSketch(const LevelLayout& layout) const;
};
