#include "game/screens/menu.h"

#include "game/views/data_files.h"
#include "game/rules/state.h"

namespace {

constexpr float kMusicMarkX = 665, kMusicMarkY = 416;
constexpr float kSoundMarkX = 677, kSoundMarkY = 501;
constexpr float kFullScreenMarkX = 373, kFullScreenMarkY = 718;
constexpr float kLevelTextX = 175, kLevelTextY = 630;
constexpr float kScoreTextX = 175, kScoreTextY = 698;

}  // namespace

// ---- Title -----------------------------------------------------------------------

void c_cTitleScreen::LoadTitleImage() { splashImage = LoadGameImage(String("menu/splash.png")); }

void c_cTitleScreen::RenderTitle() { DrawImage(splashImage, 0, 0); }

// ---- Menu ------------------------------------------------------------------------

void c_cMenu::Mark() {
  menuImage.Mark();
  musicMarkImage.Mark();
  soundMarkImage.Mark();
  fullScreenMarkImage.Mark();
  endImage.Mark();
  font.Mark();
}

void c_cMenu::LoadMenuImages() {
  menuImage = LoadGameImage(String("menu/menu.png"));
  musicMarkImage = LoadGameImage(String("menu/musicOn.png"));
  soundMarkImage = LoadGameImage(String("menu/soundOn.png"));
  fullScreenMarkImage = LoadGameImage(String("menu/fullscreenOn.png"));
  endImage = LoadGameImage(String("menu/theend.png"));
  font = LoadGameFont(String("time.txt"));
}

namespace {

// The right-hand buttons.
ScreenRequest ClickButtons(float x, float y) {
  if (kMenuContinue.Contains(x, y)) return ScreenRequest::ContinueGame;
  if (kMenuNewGame.Contains(x, y)) return ScreenRequest::NewGame;
  if (kMenuMusic.Contains(x, y)) return ScreenRequest::ToggleMusic;
  if (kMenuQuit.Contains(x, y)) return ScreenRequest::QuitProgram;
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
  return request;
}

void c_cMenu::RenderMenu() {
  DrawImage(menuImage, 0, 0);
  // The marks show the switches that are off.
  if (gameState.settings.musicOn == 0) DrawImage(musicMarkImage, kMusicMarkX, kMusicMarkY);
  if (gameState.settings.soundOn == 0) DrawImage(soundMarkImage, kSoundMarkX, kSoundMarkY);
  if (gameState.settings.fullScreenOn == 0) DrawImage(fullScreenMarkImage, kFullScreenMarkX, kFullScreenMarkY);
  font->DrawText(String::FromInt(gameState.progress.currentLevel), kLevelTextX, kLevelTextY);
  font->DrawText(String::FromInt(gameState.progress.totalScore), kScoreTextX, kScoreTextY);
}

void c_cMenu::RenderTheEnd() { DrawImage(endImage, 0, 0); }
