#include "game/screens/settings_panel.h"

#include <cmath>

#include "game/rules/sounds.h"
#include "game/rules/state.h"

int SliderVolumeAt(float x) {
  const float share = (x - kSliderLeft) / (kSliderRight - kSliderLeft);
  const int volume = static_cast<int>(std::lround(share * kFullVolume));
  return volume < 0 ? 0 : (volume > kFullVolume ? kFullVolume : volume);
}

void c_cSettingsPanel::Open(bool overLevelNow) {
  shown = true;
  overLevel = overLevelNow;
  waitingFor = -1;
  line.clear();
}

void c_cSettingsPanel::Close() {
  shown = false;
  waitingFor = -1;
  line.clear();
}

ScreenRequest c_cSettingsPanel::Click(float x, float y) {
  if (Waiting()) {
    StopWaiting();
    return ScreenRequest::None;
  }
  for (int action = 0; action < kKeyActionCount; ++action) {
    if (!SettingsKeyRow(action).Contains(x, y)) continue;
    waitingFor = action;
    line = std::string("Press the new key for ") + ActionName(static_cast<KeyAction>(action)) +
           " (a click keeps the old one)";
    PlayGameSound(SoundClick);
    return ScreenRequest::None;
  }
  Settings& s = gameState.settings;
  for (int control = 0; control < kSettingControlCount; ++control) {
    if (!kSettingsControls[control].Contains(x, y)) continue;
    switch (control) {
      case SettingMusic:
      case SettingEffects:
        SetVolume(control, SliderVolumeAt(x));
        return ScreenRequest::None;
      case SettingFullScreen:
        PlayGameSound(SoundClick);
        return ScreenRequest::ToggleFullScreen;
      case SettingShapes:
        Toggle(&s.shapesWithColours, "Shapes with colours");
        return ScreenRequest::None;
      case SettingMotion:
        Toggle(&s.reducedMotion, "Reduced motion");
        return ScreenRequest::None;
      case SettingResetKeys:
        s.keys = KeyBindings();
        line = "Every key is back on its default";
        PlayGameSound(SoundClick);
        return ScreenRequest::None;
      default:
        PlayGameSound(SoundClick);
        return ScreenRequest::CloseSettings;
    }
  }
  return ScreenRequest::None;
}

void c_cSettingsPanel::Drag(float x, float y) {
  if (Waiting()) return;
  for (int control : {SettingMusic, SettingEffects}) {
    if (kSettingsControls[control].Contains(x, y)) SetVolume(control, SliderVolumeAt(x));
  }
}

void c_cSettingsPanel::StepSlider(int control, int step) {
  const Settings& s = gameState.settings;
  if (control == SettingMusic) SetVolume(control, s.musicVolume + step);
  if (control == SettingEffects) SetVolume(control, s.effectsVolume + step);
}

void c_cSettingsPanel::SetVolume(int control, int volume) {
  if (control == SettingMusic) {
    if (volume != gameState.settings.musicVolume) SetMusicVolumeSetting(volume);
    return;
  }
  if (volume == gameState.settings.effectsVolume) return;
  SetEffectsVolume(volume);
  // Heard at the new volume.
  PlayGameSound(SoundClick);
}

void c_cSettingsPanel::Toggle(int* flag, const char* what) {
  *flag = *flag == 1 ? 0 : 1;
  line = std::string(what) + (*flag == 1 ? ": on" : ": off");
  PlayGameSound(SoundClick);
}

bool c_cSettingsPanel::TakeKey(int key) {
  if (!Waiting() || !BindableKey(key)) return false;
  const KeyAction action = static_cast<KeyAction>(waitingFor);
  KeyBindings& keys = gameState.settings.keys;
  const Rebinding done = Rebind(&keys, action, key);
  waitingFor = -1;
  line = done.changed ? RebindingLine(done, action, keys)
                      : std::string(ActionName(action)) + " stays on " + KeyName(keys.Of(action));
  PlayGameSound(SoundClick);
  return true;
}

void c_cSettingsPanel::StopWaiting() {
  if (!Waiting()) return;
  line = std::string(ActionName(static_cast<KeyAction>(waitingFor))) + " keeps its key";
  waitingFor = -1;
}

std::vector<HitBox> c_cSettingsPanel::Buttons() const {
  std::vector<HitBox> boxes(std::begin(kSettingsControls), std::end(kSettingsControls));
  for (int action = 0; action < kKeyActionCount; ++action) boxes.push_back(SettingsKeyRow(action));
  return boxes;
}

FocusList c_cSettingsPanel::KeyFocus() const { return {Buttons(), SettingMusic}; }
