#include "game/views/menu_view.h"

#include "game/rules/state.h"
#include "game/screens/menu.h"
#include "game/views/data_files.h"
#include "game/views/end_figures.h"
#include "game/views/feedback_view.h"
#include "game/views/type_scale.h"

namespace {

constexpr float kMusicMarkX = 665, kMusicMarkY = 416;
constexpr float kSoundMarkX = 677, kSoundMarkY = 501;
constexpr float kFullScreenMarkX = 373, kFullScreenMarkY = 718;
// The values sit centred in their dark fields.
constexpr float kFieldCentreX = 263;
constexpr float kLevelFieldCentreY = 642;
constexpr float kScoreFieldCentreY = 709;
constexpr float kValueScale = TypeScale(kTypeSubtitle);
// The height of the font's glyph cells.
constexpr ::Colour kWhite = {255, 255, 255};

}  // namespace

void c_MenuView::LoadTitleImage() { splashImage = LoadGameImage(String("menu/splash.png")); }

void c_MenuView::RenderTitle() const { DrawImage(splashImage, 0, 0); }

void c_MenuView::LoadMenuImages() {
  menuImage = LoadGameImage(String("menu/menu.png"));
  musicMarkImage = LoadGameImage(String("menu/musicOn.png"));
  soundMarkImage = LoadGameImage(String("menu/soundOn.png"));
  fullScreenMarkImage = LoadGameImage(String("menu/fullscreenOn.png"));
  endImage = LoadGameImage(String("menu/theend.png"));
  editorSignImage = LoadGameImage(String("menu/editor.png"));
  levelsSignImage = LoadGameImage(String("menu/levels.png"));
  font = LoadGameFont(String("time.txt"));
}

void c_MenuView::RenderMenu() const {
  DrawImage(menuImage, 0, 0);
  // The marks show the switches that are off.
  if (gameState.settings.musicOn == 0) DrawImage(musicMarkImage, kMusicMarkX, kMusicMarkY);
  if (gameState.settings.soundOn == 0) DrawImage(soundMarkImage, kSoundMarkX, kSoundMarkY);
  if (gameState.settings.fullScreenOn == 0) DrawImage(fullScreenMarkImage, kFullScreenMarkX, kFullScreenMarkY);
  DrawFieldValue(String::FromInt(gameState.progress.currentLevel), kLevelFieldCentreY);
  DrawFieldValue(String::FromInt(gameState.progress.totalScore), kScoreFieldCentreY);
  if (MendedRules()) {
    DrawImage(editorSignImage, kMenuEditor.left, kMenuEditor.top);
    DrawImage(levelsSignImage, kMenuLevels.left, kMenuLevels.top);
  }
}

void c_MenuView::DrawFieldValue(const String& value, float centreY) const {
  DrawScaledText(font, value, kFieldCentreX, centreY - kFontCapCentre * kValueScale, kValueScale);
}

void c_MenuView::RenderTheEnd(const LevelRecords& records) const {
  DrawImage(endImage, 0, 0);
  const EndFigures figures = FinalFigures(gameState.progress, records);
  const String values[kEndFigureCount] = {String::FromInt(figures.score), String::FromInt(figures.gold),
                                          String::FromUtf8(MinutesText(figures.seconds))};
  for (int i = 0; i < kEndFigureCount; ++i) {
    Tint(kEndFigureColour);
    DrawScaledText(font, values[i], kEndFields[i].x, kEndFields[i].y - kFontCapCentre * kEndValueScale,
                   kEndValueScale);
  }
  Tint(kWhite);
}

void c_MenuView::Mark() {
  splashImage.Mark();
  menuImage.Mark();
  musicMarkImage.Mark();
  soundMarkImage.Mark();
  fullScreenMarkImage.Mark();
  endImage.Mark();
  editorSignImage.Mark();
  levelsSignImage.Mark();
  font.Mark();
}
