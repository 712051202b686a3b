// The settings panel as the player sees it (screens/settings_panel.h says
// what answers the clicks): the sheet, the two sliders with their volumes,
// the switches with their state, the keys' list with the key awaited, and the
// line saying what the last change did. It also draws the two ways in: the
// menu's Settings sign and the pause panel's Settings button.
#pragma once

#include "game/screens/settings_panel.h"
#include "graphics/drawing.h"
#include "runtime/gc.h"
#include "support/bitmap_font.h"

class c_SettingsView : public Object {
 public:
  void LoadSettingsImages();
  void RenderPanel(const c_cSettingsPanel& panel) const;
  void RenderMenuSign() const;
  void RenderPauseButton() const;
  void Mark() override;

  gc_ref<c_Image> panelImage;
  gc_ref<c_Image> menuSignImage;
  gc_ref<c_Image> pauseButtonImage;
  gc_ref<c_BitmapFont> inkFont;

 private:
  void RenderSlider(int control, const char* name, int volume) const;
  void RenderSwitch(int control, const char* name, bool on) const;
  void RenderButton(int control, const char* name) const;
  void RenderKeyRows(const c_cSettingsPanel& panel) const;
  void RenderLine(const c_cSettingsPanel& panel) const;
};
