// The settings panel, opened from the menu's Settings sign or the pause
// panel's Settings button and drawn over either (views/settings_view): the
// music and effects volumes as sliders, full screen or a window, the cues
// ("shapes with colours", "reduced motion"), every key binding with a way to
// change it and "Reset to defaults", and Close. Every control answers the
// pointer, the keys and the pad alike; nothing here changes a rule.
#pragma once

#include <string>
#include <vector>

#include "game/rules/key_bindings.h"
#include "game/screens/focus.h"
#include "game/screens/screen_request.h"
#include "runtime/gc.h"

// ---- Layout (virtual pixels) ----------------------------------------------------
constexpr HitBox kSettingsPanel = ClosedBox(112, 912, 40, 728);
// The left column's controls, one under the other.
enum SettingsControl {
  SettingMusic = 0,
  SettingEffects,
  SettingFullScreen,
  SettingShapes,
  SettingMotion,
  SettingResetKeys,
  SettingClose,
  kSettingControlCount
};
constexpr HitBox kSettingsControls[kSettingControlCount] = {
    ClosedBox(140, 500, 118, 162), ClosedBox(140, 500, 172, 216), ClosedBox(140, 500, 240, 280),
    ClosedBox(140, 500, 292, 332), ClosedBox(140, 500, 344, 384), ClosedBox(140, 500, 408, 448),
    ClosedBox(140, 500, 652, 700),
};
// A slider's track inside its control: a click or a drag anywhere on the
// control sets the volume under the pointer's x.
constexpr float kSliderLeft = 250, kSliderRight = 430;
// The keys' list in the right column, one row per action.
constexpr float kKeyRowsLeft = 530, kKeyRowsRight = 890, kKeyRowsTop = 120, kKeyRowPitch = 24;
constexpr float kKeyRowHeight = 23;
constexpr HitBox SettingsKeyRow(int action) {
  return ClosedBox(kKeyRowsLeft, kKeyRowsRight, kKeyRowsTop + kKeyRowPitch * static_cast<float>(action),
                   kKeyRowsTop + kKeyRowPitch * static_cast<float>(action) + kKeyRowHeight);
}

// The volume a pointer at x sets on a slider: 0..10, the nearest tenth.
int SliderVolumeAt(float x);

class c_cSettingsPanel : public Object {
 public:
  void Open(bool overLevel);
  void Close();
  // A click on the panel: a control changes; ToggleFullScreen for the
  // window's switch (the main game opens the display); Close closes. A click
  // while a key is awaited keeps the old key.
  ScreenRequest Click(float x, float y);
  // The pointer held down at (x, y): a slider under it follows.
  void Drag(float x, float y);
  // Left and Right on a focused slider (step -1 or +1).
  void StepSlider(int control, int step);
  // While a key is awaited: binds it (a key the game cannot bind is passed
  // over); answers whether it was taken.
  bool TakeKey(int key);
  // Nothing is awaited any more; the line says so.
  void StopWaiting();
  bool Waiting() const { return waitingFor >= 0; }
  // Every control, then every key row, in the order the keys move through.
  std::vector<HitBox> Buttons() const;
  FocusList KeyFocus() const;

  bool shown = false;
  bool overLevel = false;
  // The action waiting for its new key, or -1.
  int waitingFor = -1;
  // What the last change did, shown at the panel's foot.
  std::string line;

 private:
  void SetVolume(int control, int volume);
  void Toggle(int* flag, const char* what);
};
