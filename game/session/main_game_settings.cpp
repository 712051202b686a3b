// The settings panel's side of the main game: it takes the pointer, the keys
// and the pad while it shows (sliders follow a held pointer, Left and Right
// move a focused slider, a key is taken while one is awaited, Escape or the
// pad's B closes it), and whatever changed reaches the audio device, the
// window and the settings file.
#include "audio/sound.h"
#include "game/session/main_game.h"
#include "game/session/settings_file.h"
#include "game/session/switches.h"
#include "host/input.h"

namespace {

// The window's place is looked at once a second while it is a window.
constexpr int kWindowCheckUpdates = kUpdateRate;

float GainOf(int volume) { return static_cast<float>(volume) / kFullVolume; }

}  // namespace

void c_MainGame::OpenSettings() {
  settingsPanel->Open(screen == ScreenPlaying);
  SyncFocusPlace();
}

void c_MainGame::UpdateSettings() {
  c_cSettingsPanel& panel = *settingsPanel;
  if (panel.Waiting()) {
    TakeAwaitedKey();
    if (LeftClicked() || Hit(KeyPadBack) != 0) panel.StopWaiting();
    return;
  }
  if (LeftClicked()) {
    Act(panel.Click(PointerX(), PointerY()));
    return;
  }
  if (currentInputDevice->KeyDown(KeyMouseLeft)) panel.Drag(PointerX(), PointerY());
  if (Hit(KeyAction::Back) != 0 || Hit(KeyPadBack) != 0) {
    Act(ScreenRequest::CloseSettings);
    return;
  }
  if (StepFocusedSlider()) return;
  MoveFocus(true, false);
  float x = 0, y = 0;
  if (FocusPressed(&x, &y)) Act(panel.Click(x, y));
}

bool c_MainGame::StepFocusedSlider() {
  const int step = Hit(KeyAction::Right) - Hit(KeyAction::Left);
  if (step == 0 || focusPlace != FocusPlace::Settings) return false;
  if (focusIndex != SettingMusic && focusIndex != SettingEffects) return false;
  keysFocus = true;
  settingsPanel->StepSlider(focusIndex, step);
  return true;
}

void c_MainGame::TakeAwaitedKey() {
  const c_InputDevice* input = currentInputDevice;
  for (int i = 0; i < input->hitQueueLength; ++i) {
    if (settingsPanel->TakeKey(input->hitQueue[i])) return;
  }
}

void c_MainGame::FollowSettings() {
  Settings& settings = gameState.settings;
  if (settings.musicOn == 0 && MusicPlaying()) StopMusicPlayback();
  const float effects = GainOf(settings.effectsVolume), music = GainOf(settings.musicVolume);
  gxtkAudio* audio = currentAudioDevice;
  if (audio != nullptr && (effects != appliedEffectsGain || music != appliedMusicGain)) {
    audio->SetEffectsGain(effects);
    audio->SetMusicGain(music);
    appliedEffectsGain = effects;
    appliedMusicGain = music;
  }
  if (--windowCheckCountdown <= 0) {
    windowCheckCountdown = kWindowCheckUpdates;
    RememberWindowPlace();
  }
  if (SameSettings(settings, savedSettings)) return;
  savedSettings = settings;
  SaveSettings(settings);
}
