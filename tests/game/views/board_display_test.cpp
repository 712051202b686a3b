// The board and the train drawn on a real window (Xvfb, llvmpipe), read back
// at probe pixels. Expected colours come from the committed pictures
// themselves, so the checks hold whatever the art looks like.
#include <algorithm>
#include <cmath>
#include <utility>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/rules/board.h"
#include "game/rules/layouts.h"
#include "game/rules/state.h"
#include "game/rules/match.h"
#include "game/rules/train.h"
#include "game/views/board_view.h"
#include "game/views/train_view.h"
#include "host/image_codec.h"
#include "tests/graphics/gl_fixture.h"

namespace {

struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;
  std::uint32_t Rgb(int x, int y) const {
    const std::uint8_t* p = &rgba[(y * width + x) * 4];
    return (p[0] << 16) | (p[1] << 8) | p[2];
  }
  int Alpha(int x, int y) const { return rgba[(y * width + x) * 4 + 3]; }
};

Picture ReadPicture(const std::string& relative) {
  std::ifstream in(std::string(TARVEX_DATA_DIR) + "/" + relative, std::ios::binary);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Picture picture;
  int components = 0;
  std::uint8_t* pixels = DecodeImage(bytes.data(), bytes.size(), &picture.width, &picture.height, &components);
  if (pixels == nullptr || components != 4) return picture;
  picture.rgba.assign(pixels, pixels + picture.width * picture.height * 4);
  FreeImagePixels(pixels);
  return picture;
}

// The first pixel (scanning rows below the progress bars) that is opaque in
// `top` and, when given, also opaque in `under` with a different colour.
bool FindProbe(const Picture& top, const Picture* under, int* px, int* py) {
  for (int y = 9; y < top.height; ++y) {
    for (int x = 0; x < top.width; ++x) {
      if (top.Alpha(x, y) != 255) continue;
      if (under && (under->Alpha(x, y) != 255 || under->Rgb(x, y) == top.Rgb(x, y))) continue;
      *px = x;
      *py = y;
      return true;
    }
  }
  return false;
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b) {
  std::uint32_t out = 0;
  for (int shift : {16, 8, 0}) {
    const int ca = (a >> shift) & 255, cb = (b >> shift) & 255;
    out |= static_cast<std::uint32_t>((ca + cb) / 2) << shift;
  }
  return out;
}

std::int64_t FixedCalendar() { return 1700000000; }

gc_global<Match*> matchRoot;
gc_global<c_BoardView*> boardViewRoot;
gc_global<c_TrainView*> trainViewRoot;

class BoardDrawingTest : public GlWindowTest {
 protected:
  void SetUp() override {
    GlWindowTest::SetUp();
    ResetGameState();
    SetCalendarSource(FixedCalendar);
    match = new Match();
    matchRoot = match;
    level = match->board;
    train = match->train;
    boardView = new c_BoardView();
    boardViewRoot = boardView;
    boardView->LoadLevelImages();
    trainView = new c_TrainView();
    trainViewRoot = trainView;
    trainView->LoadTrainImages();
    gameState.progress.currentLevel = 1;
    LayOutLevel(*match);
    match->flags.tutorialShowing = match->flags.gamePaused = 0;
  }
  void TearDown() override {
    SetCalendarSource(nullptr);
    GlWindowTest::TearDown();
  }
  std::uint32_t At(int cellX, int cellY, int px, int py) { return Rgb(CellLeft(cellX) + px, CellTop(cellY) + py); }
  Picture Ground(int x, int y) {
    return ReadPicture("game/tile" + std::to_string(level->groundVariants[CellIndex(x, y)] + 1) + ".png");
  }

  // The board as drawn under the train, one colour per pixel, row by row
  // from its top-left corner.
  std::vector<std::uint32_t> DrawnBoard() {
    gfx->ClearScreen(0, 0, 0);
    boardView->RenderBoard(*match);
    Array<int> pixels(kBoardWidth * kBoardHeight);
    gfx->ReadPixels(pixels, CellLeft(0), CellTop(0), kBoardWidth, kBoardHeight, 0, kBoardWidth);
    std::vector<std::uint32_t> rgb(pixels.Length());
    for (int i = 0; i < pixels.Length(); ++i) rgb[i] = static_cast<std::uint32_t>(pixels[i]) & 0xffffffu;
    return rgb;
  }
  static constexpr int kBoardWidth = kColumns * kCellSize;
  static constexpr int kBoardHeight = kRows * kCellSize;

  Match* match = nullptr;
  c_cLevel* level = nullptr;
  c_cTrain* train = nullptr;
  c_BoardView* boardView = nullptr;
  c_TrainView* trainView = nullptr;
};

TEST_F(BoardDrawingTest, GoldLiesOverARailLaidOnItsCell) {
  const Picture gold = ReadPicture("game/gold.png");
  const Picture rail = ReadPicture("game/0.png");
  int px = 0, py = 0;
  ASSERT_TRUE(FindProbe(gold, &rail, &px, &py));
  level->AddGold(3, 2);
  level->SetCellKind(3, 2, PieceStraightWE);
  boardView->RenderBoard(*match);
  EXPECT_TRUE(RgbNear(At(3, 2, px, py), gold.Rgb(px, py)));
}

TEST_F(BoardDrawingTest, StartAndFinishPicturesCoverThePiecesOnThem) {
  const Picture start = ReadPicture("game/tilestart.png");
  const Picture finish = ReadPicture("game/tilefinish.png");
  const Picture rail = ReadPicture("game/0.png");
  int sx = 0, sy = 0, fx = 0, fy = 0;
  ASSERT_TRUE(FindProbe(start, &rail, &sx, &sy));
  ASSERT_TRUE(FindProbe(finish, &rail, &fx, &fy));
  level->SetCellKind(0, 4, PieceStraightWE);
  level->SetCellKind(12, 4, PieceStraightWE);
  boardView->RenderBoard(*match);
  EXPECT_TRUE(RgbNear(At(0, 4, sx, sy), start.Rgb(sx, sy)));
  EXPECT_TRUE(RgbNear(At(12, 4, fx, fy), finish.Rgb(fx, fy)));
}

TEST_F(BoardDrawingTest, APieceUnderConstructionShowsHalfTransparentWithItsProgress) {
  // A free cell of the second row whose ground is drawn unturned, so the
  // ground picture can be read as it is.
  int cx = 0;
  while (cx < kColumns && (GroundTurnOf(cx, 1) != 0 || level->CellKind(cx, 1) != CellEmpty)) ++cx;
  ASSERT_LT(cx, kColumns);
  const Picture rail = ReadPicture("game/1.png");
  const Picture ground = Ground(cx, 1);
  int px = 0, py = 0;
  ASSERT_TRUE(FindProbe(rail, &ground, &px, &py));
  c_cRailTile* job = level->railTiles[0];
  job->active = 1;
  job->kind = PieceStraightNS;
  job->x = cx;
  job->y = 1;
  job->progress = 50;
  level->SetCellKind(cx, 1, CellBlocked);
  boardView->RenderBoard(*match);
  EXPECT_TRUE(RgbNear(At(cx, 1, px, py), Mix(rail.Rgb(px, py), ground.Rgb(px, py)), 2));
  // The bar runs from 3 to 71 inside the cell, 3 pixels below its top.
  EXPECT_TRUE(RgbNear(At(cx, 1, 10, 5), 0xe8b83c));   // done: gold
  EXPECT_TRUE(RgbNear(At(cx, 1, 60, 5), 0x281c10));   // still to do: the dark trough
  EXPECT_TRUE(RgbNear(At(cx, 1, 36, 5), 0xe8b83c));
  EXPECT_TRUE(RgbNear(At(cx, 1, 38, 5), 0x281c10));
  EXPECT_TRUE(RgbNear(At(cx, 1, 1, 5), ground.Rgb(1, 5), 2));  // the gap beside it
}

// The share of a cell's pixels drawn differently in two pictures of the board.
double ChangedShare(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b, int cx, int cy) {
  int changed = 0;
  for (int y = cy * kCellSize; y < (cy + 1) * kCellSize; ++y) {
    for (int x = cx * kCellSize; x < (cx + 1) * kCellSize; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * kColumns * kCellSize + x;
      if (a[i] != b[i]) ++changed;
    }
  }
  return static_cast<double>(changed) / (kCellSize * kCellSize);
}

// Scenery shows on the cells it blocks and nowhere else, in all fifteen
// levels: a free cell is drawn the same with or without the scenery, and a
// cell the scenery blocks mostly not (its own ground covers the sand).
TEST_F(BoardDrawingTest, SceneryShowsOnItsFootprintAndNowhereElse) {
  for (int number = 1; number <= kLevelCount; ++number) {
    SCOPED_TRACE("level " + std::to_string(number));
    gameState.progress.currentLevel = number;
    LayOutLevel(*match);
    bool footprint[kColumns][kRows] = {};
    for (int i = 0; i < level->buildings.Length(); ++i) {
      const c_cBuilding* b = level->buildings[i];
      if (!b->active) continue;
      for (int dx = 0; dx < BuildingWidth(b->kind); ++dx) {
        for (int dy = 0; dy < BuildingHeight(b->kind); ++dy) footprint[b->x + dx][b->y + dy] = true;
      }
    }
    const std::vector<std::uint32_t> withScenery = DrawnBoard();
    for (int i = 0; i < level->buildings.Length(); ++i) level->buildings[i]->active = 0;
    const std::vector<std::uint32_t> withoutScenery = DrawnBoard();
    for (int x = 0; x < kColumns; ++x) {
      for (int y = 0; y < kRows; ++y) {
        const double changed = ChangedShare(withScenery, withoutScenery, x, y);
        if (footprint[x][y]) {
          EXPECT_GT(changed, 0.5) << "blocked cell " << x << "," << y << " looks free";
        } else if (level->CellKind(x, y) == CellEmpty) {
          EXPECT_EQ(changed, 0.0) << "free cell " << x << "," << y << " shows scenery";
        }
      }
    }
  }
}

// The grid darkens the cells' borders by about an eighth and leaves their
// middles alone.
TEST_F(BoardDrawingTest, TheGridDarkensOnlyTheBordersBetweenCells) {
  const std::vector<std::uint32_t> plain = DrawnBoard();
  boardView->gridShown = true;
  const std::vector<std::uint32_t> gridded = DrawnBoard();
  auto at = [](const std::vector<std::uint32_t>& board, int x, int y) { return board[y * kBoardWidth + x]; };
  const int cases[][2] = {{kCellSize, 30}, {kCellSize - 1, 200}, {300, kCellSize}, {500, 2 * kCellSize - 1}};
  for (const auto& probe : cases) {
    const std::uint32_t before = at(plain, probe[0], probe[1]);
    const std::uint32_t after = at(gridded, probe[0], probe[1]);
    for (int shift : {16, 8, 0}) {
      const double ratio = static_cast<double>((after >> shift) & 255) / std::max(1u, (before >> shift) & 255);
      EXPECT_NEAR(ratio, 0.88, 0.03) << "border pixel " << probe[0] << "," << probe[1];
    }
  }
  for (const auto& middle : {std::make_pair(37, 37), std::make_pair(5 * kCellSize + 20, 3 * kCellSize + 50)}) {
    EXPECT_EQ(at(plain, middle.first, middle.second), at(gridded, middle.first, middle.second));
  }
}

// The direction in which the drawn engine is longest, in degrees, from the
// pixels that differ from the clear colour around its centre.
float DrawnAxisDegrees(GlWindowTest* test, std::uint32_t (GlWindowTest::*rgb)(int, int), int cx, int cy) {
  double sxx = 0, syy = 0, sxy = 0, n = 0;
  for (int y = cy - 45; y <= cy + 45; ++y) {
    for (int x = cx - 45; x <= cx + 45; ++x) {
      if ((test->*rgb)(x, y) == 0) continue;
      const double dx = x - cx, dy = y - cy;
      sxx += dx * dx;
      syy += dy * dy;
      sxy += dx * dy;
      n += 1;
    }
  }
  if (n == 0) return 1000.0f;
  return static_cast<float>(0.5 * std::atan2(2 * sxy, sxx - syy) * 57.29578);
}

class TrainDrawingTest : public BoardDrawingTest {
 public:
  using GlWindowTest::Rgb;
};

TEST_F(TrainDrawingTest, TheEngineTurnsWithTheCurve) {
  // Half-way through a west-to-north curve the train heads up and right.
  train->cellX = 6;
  train->cellY = 4;
  train->move = 12;
  train->progress = 0.45f;
  train->UpdateTrainPosition();
  train->progress = 0.5f;
  train->UpdateTrainPosition();
  ASSERT_NEAR(train->heading, -45.0f, 3.0f);
  gfx->ClearScreen(0, 0, 0);
  trainView->RenderTrain(*match, false);
  const float axis = DrawnAxisDegrees(this, &TrainDrawingTest::Rgb, static_cast<int>(train->x),
                                      static_cast<int>(train->y));
  EXPECT_NEAR(axis, train->heading, 8.0f);

  // A crashed train is not drawn at all.
  gfx->ClearScreen(0, 0, 0);
  match->run.trainCrashed = 1;
  trainView->RenderTrain(*match, false);
  EXPECT_EQ(DrawnAxisDegrees(this, &TrainDrawingTest::Rgb, static_cast<int>(train->x), static_cast<int>(train->y)),
            1000.0f);
}

}  // namespace
