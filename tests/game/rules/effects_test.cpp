// Explosions and floating texts: their pools, their lives on the fake clock,
// and what their drawing (with the enemies') asks of the render device.
#include <sstream>

#include "graphics/drawing.h"
#include "game/views/board_view.h"
#include "tests/game/level_play.h"

namespace {

using Effects = LevelPlay;

TEST_F(Effects, ScoreTextsShowGainsLossesAndMessagesButNotZero) {
  Play(1);
  level->AddScoreText(0, 10, 20);
  EXPECT_EQ(level->scoreTexts[0]->active, 0);
  level->AddScoreText(25, 10, 20);
  level->AddScoreText(-150, 30, 40);
  level->AddFloatingMessage(String("Hello."), 50, 60);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"0:+25@10,20", "1:-150@30,40", "2:Hello.@50,60"}));
  // A full pool takes nothing more.
  for (int i = 3; i < kScoreTextPoolSize; ++i) level->AddScoreText(1, 0, 0);
  level->AddScoreText(7, 1, 1);
  EXPECT_EQ(Texts().size(), static_cast<size_t>(kScoreTextPoolSize));
  EXPECT_EQ(Texts().back(), "0:+1@0,0");
}

TEST_F(Effects, AFloatingTextRisesAndFadesForTwentyUpdates) {
  Play(1);
  level->AddScoreText(100, 200, 300);
  const c_cScoreText* text = level->scoreTexts[0];
  Step(500);  // a long update still takes one step only
  EXPECT_EQ(text->y, 299);
  for (int i = 2; i < 20; ++i) Step(10);
  EXPECT_EQ(text->active, 1);
  EXPECT_EQ(text->y, 281);
  EXPECT_NEAR(text->alpha, 0.05f, 1e-5f);
  Step(9);  // less than a step's time: nothing moves
  EXPECT_EQ(text->y, 281);
  Step(1);
  EXPECT_EQ(text->active, 0);
}

TEST_F(Effects, ExplosionsPlaySixFramesAtARandomWholeAngleEvenWhilePaused) {
  Play(1);
  for (int i = 0; i < kExplosionPoolSize + 1; ++i) level->AddExplosion(100 + i, 200);
  for (int i = 0; i < kExplosionPoolSize; ++i) {
    const c_cExplosion* blast = level->explosions[i];
    EXPECT_EQ(blast->x, 100 + i);  // the sixth found no free entry
    EXPECT_GE(blast->angle, 0.0f);
    EXPECT_LT(blast->angle, 360.0f);
    EXPECT_EQ(blast->angle, static_cast<float>(static_cast<int>(blast->angle)));
  }
  const c_cExplosion* blast = level->explosions[0];
  match->flags.gamePaused = 1;
  Step(99);
  EXPECT_EQ(blast->frame, 0);
  Step(1);
  EXPECT_EQ(blast->frame, 1);
  for (int i = 0; i < 4; ++i) Step(100);
  EXPECT_EQ(blast->frame, 5);
  EXPECT_EQ(blast->active, 1);
  Step(100);
  EXPECT_EQ(blast->active, 0);
}

// A render device that writes down the calls the drawing makes.
class RecordingDevice : public gxtkGraphics {
 public:
  int SetColor(float r, float g, float b) override { return Note("colour", r, g, b); }
  int SetAlpha(float a) override { return Note("alpha", a); }
  int SetBlend(int mode) override { return Note("blend", static_cast<float>(mode)); }
  int SetMatrix(float, float, float, float, float, float) override { return 0; }
  int DrawRect(float x, float y, float w, float h) override { return Note("rect", x, y, w, h); }
  int DrawSurfaceRect(gxtkSurface*, float, float, int srcX, int srcY, int, int) override {
    return Note("image", static_cast<float>(srcX), static_cast<float>(srcY));
  }
  std::vector<std::string> calls;

 private:
  template <class... F>
  int Note(const char* what, F... values) {
    std::ostringstream line;
    line << what;
    ((line << ' ' << values), ...);
    calls.push_back(line.str());
    return 0;
  }
};

gc_global<c_BoardView*> viewRoot;

class Drawing : public LevelPlay {
 protected:
  void SetUp() override {
    LevelPlay::SetUp();
    InitGraphicsGlobals();
    device = new RecordingDevice();
    renderDevice = device;
    view = new c_BoardView();
    viewRoot = view;
    Play(3);
  }
  void TearDown() override {
    renderDevice = nullptr;
    viewRoot = nullptr;
    LevelPlay::TearDown();
  }
  // Pictures of `frames` frames of 74 by 74 side by side, without a texture.
  c_Image* Picture(int frames, int flags = 0) {
    return (new c_Image())->InitFromSurface(device->CreateSurface(74 * frames, 74), frames, flags);
  }
  RecordingDevice* device = nullptr;
  c_BoardView* view = nullptr;
};

TEST_F(Drawing, EnemiesShowTheirFrameAndChaseMeter) {
  view->banditImage = Picture(20);
  level->SpawnBandits();
  Bandits()->animationFrame = 3;
  Bandits()->chaseMeter = 50;
  view->DrawHazards(*level);
  // The meter's trough is inset 3 pixels from the cell's sides and top.
  EXPECT_EQ(device->calls, (std::vector<std::string>{"image 222 0", "colour 40 28 16", "rect 700 626 68 5",
                                                     "colour 232 184 60", "rect 700 626 34 5", "colour 255 255 255"}));
}

TEST_F(Drawing, ExplosionsAreAddedOntoTheBoardAndTheBlendIsRestored) {
  view->explosionImage = Picture(6, ImageCentreHandle);
  level->AddExplosion(68, 68);
  level->explosions[0]->frame = 2;
  view->DrawExplosions(*level);
  // Its core and its glow, both added onto the board.
  EXPECT_EQ(device->calls, (std::vector<std::string>{"blend 1", "image 148 0", "image 148 0", "blend 0"}));
}

TEST_F(Drawing, WithoutPicturesOrFontOnlyTheBarsAreDrawn) {
  level->SpawnBandits();
  level->AddExplosion(68, 68);
  level->AddScoreText(5, 0, 0);
  view->DrawHazards(*level);
  view->DrawExplosions(*level);
  view->DrawScoreTexts(*level);
  EXPECT_EQ(device->calls, (std::vector<std::string>{"colour 40 28 16", "rect 700 626 68 5", "colour 232 184 60",
                                                     "rect 700 626 0 5", "colour 255 255 255", "blend 1",
                                                     "blend 0"}));
}

}  // namespace
