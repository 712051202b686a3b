#include "game/views/menu_view.h"

#include "game/rules/state.h"
#include "game/views/data_files.h"

namespace {

constexpr float kMusicMarkX = 665, kMusicMarkY = 416;
constexpr float kSoundMarkX = 677, kSoundMarkY = 501;
constexpr float kFullScreenMarkX = 373, kFullScreenMarkY = 718;
constexpr float kLevelTextX = 175, kLevelTextY = 630;
constexpr float kScoreTextX = 175, kScoreTextY = 698;

}  // namespace

void c_MenuView::LoadTitleImage() { splashImage = LoadGameImage(String("menu/splash.png")); }

void c_MenuView::RenderTitle() const { DrawImage(splashImage, 0, 0); }

void c_MenuView::LoadMenuImages() {
  menuImage = LoadGameImage(String("menu/menu.png"));
  musicMarkImage = LoadGameImage(String("menu/musicOn.png"));
  soundMarkImage = LoadGameImage(String("menu/soundOn.png"));
  fullScreenMarkImage = LoadGameImage(String("menu/fullscreenOn.png"));
  endImage = LoadGameImage(String("menu/theend.png"));
  font = LoadGameFont(String("time.txt"));
}

void c_MenuView::RenderMenu() const {
  DrawImage(menuImage, 0, 0);
  // The marks show the switches that are off.
  if (gameState.settings.musicOn == 0) DrawImage(musicMarkImage, kMusicMarkX, kMusicMarkY);
  if (gameState.settings.soundOn == 0) DrawImage(soundMarkImage, kSoundMarkX, kSoundMarkY);
  if (gameState.settings.fullScreenOn == 0) DrawImage(fullScreenMarkImage, kFullScreenMarkX, kFullScreenMarkY);
  font->DrawText(String::FromInt(gameState.progress.currentLevel), kLevelTextX, kLevelTextY);
  font->DrawText(String::FromInt(gameState.progress.totalScore), kScoreTextX, kScoreTextY);
}

void c_MenuView::RenderTheEnd() const { DrawImage(endImage, 0, 0); }

void c_MenuView::Mark() {
  splashImage.Mark();
  menuImage.Mark();
  musicMarkImage.Mark();
  soundMarkImage.Mark();
  fullScreenMarkImage.Mark();
  endImage.Mark();
  font.Mark();
}
