#include "tools/campaign/settings_tour.h"

#include "game/screens/gui.h"
#include "game/screens/menu.h"
#include "game/screens/settings_panel.h"
#include "game/session/main_game.h"

namespace {

constexpr int kGlfwDown = 264, kGlfwRight = 262;
// Updates the player looks at a screen before acting on it.
constexpr int kLookUpdates = 10;

c_MainGame* App() { return static_cast<c_MainGame*>(currentApp.get()); }

float MiddleX(const HitBox& b) { return (b.left + b.right) / 2; }
float MiddleY(const HitBox& b) { return (b.top + b.bottom) / 2; }
float SliderX(int volume) { return kSliderLeft + (kSliderRight - kSliderLeft) * volume / kFullVolume; }

}  // namespace

bool SettingsTour::Click(float x, float y, TourInput* input) {
  input->key = 0;
  input->x = static_cast<int>(x);
  input->y = static_cast<int>(y);
  ++step_;
  wait_ = 0;
  return true;
}

bool SettingsTour::Press(int key, TourInput* input) {
  input->key = key;
  ++step_;
  wait_ = 0;
  return true;
}

bool SettingsTour::Fail(const std::string& why) {
  if (error_.empty()) error_ = "the settings run: " + why;
  return false;
}

bool SettingsTour::Next(TourInput* input) {
  c_MainGame* app = App();
  if (app == nullptr || Done() || !error_.empty() || ++wait_ < kLookUpdates) return false;
  const bool panel = app->settingsPanel->shown;
  const Settings& s = gameState.settings;
  const HitBox sendRow = SettingsKeyRow(static_cast<int>(KeyAction::SendTrain));
  switch (step_) {
    case kTitle:
      return app->screen == ScreenTitle && Click(512, 384, input);
    case kOpenFromMenu:
      return app->screen == ScreenMenu && Click(MiddleX(kMenuSettings), MiddleY(kMenuSettings), input);
    case kMusic:
      if (!panel) return Fail("the menu's sign opened no settings");
      return Click(SliderX(kMusicSet), MiddleY(kSettingsControls[SettingMusic]), input);
    case kEffects:
      return Click(SliderX(kEffectsSet), MiddleY(kSettingsControls[SettingEffects]), input);
    case kPickSendTrain:
      if (s.musicVolume != kMusicSet || s.effectsVolume != kEffectsSet) return Fail("the sliders did not move");
      return Click(MiddleX(sendRow), MiddleY(sendRow), input);
    case kPressG:
      return Press(kSendTrainKey, input);
    case kCloseOnMenu:
      if (s.keys.Of(KeyAction::SendTrain) != kSendTrainKey) return Fail("G was not bound");
      return Click(MiddleX(kSettingsControls[SettingClose]), MiddleY(kSettingsControls[SettingClose]), input);
    case kNewGame:
      return !panel && Click(800, 340, input);
    case kStart:
      return app->screen == ScreenScenarioMap && Click(850, 720, input);
    case kPages:
      if (app->screen != ScreenPlaying) return false;
      if (app->match->flags.tutorialShowing == 1) {
        wait_ = 0;
        input->key = 0, input->x = 512, input->y = 384;
        return true;
      }
      ++step_;
      return false;
    case kSendWithG:
      return Press(kSendTrainKey, input);
    case kPause:
      if (app->match->run.departNow + app->match->run.trainRunning == 0) return Fail("G did not send the train");
      return Click(MiddleX(kPauseButton), MiddleY(kPauseButton), input);
    case kOpenFromPause:
      return app->match->flags.gamePaused == 1 &&
             Click(MiddleX(kPauseSettingsButton), MiddleY(kPauseSettingsButton), input);
    case kEffectsDown:
      // The keys' focus starts on the music; Down to the effects.
      if (!panel) return Fail("the pause panel's button opened no settings");
      return Press(kGlfwDown, input);
    case kEffectsRight:
      return Press(kGlfwRight, input);
    case kReset:
      if (s.effectsVolume != kEffectsSet + 1) return Fail("Right did not move the effects");
      return Click(MiddleX(kSettingsControls[SettingResetKeys]), MiddleY(kSettingsControls[SettingResetKeys]), input);
    case kCloseOverLevel:
      if (s.keys != KeyBindings()) return Fail("the keys were not reset");
      return Click(MiddleX(kSettingsControls[SettingClose]), MiddleY(kSettingsControls[SettingClose]), input);
    case kResume:
      return !panel && Click(MiddleX(kPauseButtons[PauseResume]), MiddleY(kPauseButtons[PauseResume]), input);
    case kCrash:
      if (app->match->run.trainCrashed != 1) {
        wait_ = 0;
        return false;
      }
      return Click(MiddleX(FailedMenuBox(app->match->run)), MiddleY(FailedMenuBox(app->match->run)), input);
    case kMenu:
      if (app->screen == ScreenMenu) step_ = kDone;
      return false;
    default:
      return false;
  }
}
