#include "game/screens/menu.h"

#include "game/rules/progress.h"
#include "game/rules/state.h"

namespace {

// The right-hand buttons.
ScreenRequest ClickButtons(float x, float y) {
  if (kMenuContinue.Contains(x, y)) return ScreenRequest::ContinueGame;
  if (kMenuNewGame.Contains(x, y)) return ScreenRequest::NewGame;
  if (kMenuMusic.Contains(x, y)) return ScreenRequest::ToggleMusic;
  if (kMenuQuit.Contains(x, y)) return ScreenRequest::QuitProgram;
  return ScreenRequest::None;
}

// The signs of the middle column, which the first release did not have.
ScreenRequest ClickMendedSigns(float x, float y) {
  if (kMenuSettings.Contains(x, y)) return ScreenRequest::ShowSettings;
  if (kMenuEditor.Contains(x, y)) return ScreenRequest::OpenEditor;
  if (kMenuLevels.Contains(x, y)) return ScreenRequest::ShowLevelList;
  return ScreenRequest::None;
}

}  // namespace

ScreenRequest c_cMenu::ClickMenu(float x, float y) {
  if (kMenuSound.Contains(x, y)) {
    ToggleSound();  // the click is heard only when sound is now on
    PlayGameSound(SoundClick);
    return ScreenRequest::None;
  }
  const ScreenRequest request = ClickButtons(x, y);
  if (request != ScreenRequest::None) PlayGameSound(SoundClick);
  if (kMenuFullScreen.Contains(x, y)) return ScreenRequest::ToggleFullScreen;  // silently
  if (MendedRules()) {
    const ScreenRequest sign = ClickMendedSigns(x, y);
    if (sign != ScreenRequest::None) {
      PlayGameSound(SoundClick);
      return sign;
    }
  }
  return request;
}

FocusList c_cMenu::KeyFocus() const {
  constexpr int kContinueIndex = 0, kNewGameIndex = 1;
  const bool nothingToContinue = MendedRules() && !AnyLevelDone();
  return {Buttons(), nothingToContinue ? kNewGameIndex : kContinueIndex};
}

std::vector<HitBox> c_cMenu::Buttons() const {
  if (!MendedRules()) return {kMenuContinue, kMenuNewGame, kMenuMusic, kMenuSound, kMenuQuit, kMenuFullScreen};
  return {kMenuContinue, kMenuNewGame, kMenuMusic, kMenuSound, kMenuQuit, kMenuEditor, kMenuLevels, kMenuSettings, kMenuFullScreen};
}
