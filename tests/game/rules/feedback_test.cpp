// The answers the game gives through its own input path: why an order or a
// purchase is refused (and that the board's preview said the same before the
// click), which sound each moment asks for, and why the train crashed.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "game/rules/economy.h"
#include "game/rules/feedback.h"
#include "game/rules/sounds.h"
#include "game/screens/map.h"
#include "game/views/sound_table.h"
#include "tests/game/listening_fixtures.h"

namespace {

class Feedback : public MainGameWithSounds {
 protected:
  // The first cell of the level (left to right, top down) of the kind.
  bool FindCell(int kind, int* x, int* y) const {
    for (*x = 0; *x < kColumns; ++*x) {
      for (*y = 0; *y < kRows; ++*y) {
        if (Played().board->CellKind(*x, *y) == kind) return true;
      }
    }
    return false;
  }
  // The first level, read, and the palette's slot chosen by its key.
  void PlayWithPiece(int slot) {
    PlayFirstLevel();
    Key(kGlfwDigit1 + slot);
    ASSERT_EQ(Played().run.selectedPiece, slot);
  }
  const FeedbackMark* LatestOrderRefusal() const { return app->feedback->Latest(FeedbackKind::OrderRefused); }
};

struct OrderCase {
  const char* name;
  std::function<void(c_cLevel*)> arrange;
  bool onScenery;
  OrderVerdict expected;
};

TEST_F(Feedback, ARefusedOrderSaysWhyAsItsPreviewDidAndTakesNothing) {
  const OrderCase cases[] = {
      {"taken", [](c_cLevel*) {}, false, OrderVerdict::Taken},
      {"scenery", [](c_cLevel*) {}, true, OrderVerdict::Blocked},
      {"too little iron", [](c_cLevel* level) { level->match->run.iron = kStraightCost - 1; }, false, OrderVerdict::NoIron},
      {"no worker", [](c_cLevel* level) { level->match->run.freeWorkers = 0; }, false, OrderVerdict::NoWorker},
      {"every job entry busy",
       [](c_cLevel* level) {
         for (int i = 0; i < level->railTiles.Length(); ++i) level->railTiles[i]->active = 1;
       },
       false, OrderVerdict::PoolFull},
      {"train gone", [](c_cLevel* level) { level->match->run.trainRunning = 1; }, false, OrderVerdict::TrainLeft},
  };
  for (const OrderCase& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    Start();
    PlayWithPiece(PieceStraightWE);
    int cx = 0, cy = 0;
    ASSERT_TRUE(FindCell(c.onScenery ? CellBlocked : CellEmpty, &cx, &cy));
    c.arrange(Played().board);
    const int iron = Played().run.iron;
    const float px = static_cast<float>(CellCentre(cx)), py = static_cast<float>(CellCentre(cy));

    const BoardTarget preview = TargetOfClick(*Played().board, px, py);
    EXPECT_EQ(preview.kind, BoardTargetKind::Order);
    EXPECT_EQ(preview.verdict, c.expected);
    sounds.played.clear();
    Click(px, py);

    const FeedbackMark* refusal = LatestOrderRefusal();
    if (c.expected == OrderVerdict::Taken) {
      EXPECT_EQ(refusal, nullptr);
      EXPECT_EQ(Played().run.iron, iron - kStraightCost);
      EXPECT_TRUE(sounds.Heard(SoundBuild));
      EXPECT_FALSE(sounds.Heard(SoundRefused));
      continue;
    }
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(refusal->event.verdict, c.expected);
    EXPECT_EQ(refusal->event.cellX, cx);
    EXPECT_EQ(refusal->event.cellY, cy);
    EXPECT_EQ(Played().run.iron, iron);
    EXPECT_TRUE(sounds.Heard(SoundRefused));
  }
}

TEST_F(Feedback, OnceTheLevelHasEndedTheBoardUnderThePanelRefusesSilently) {
  Start();
  PlayWithPiece(PieceStraightWE);
  Played().run.trainCrashed = 1;
  int cx = 0, cy = 0;
  ASSERT_TRUE(FindCell(CellEmpty, &cx, &cy));
  sounds.played.clear();
  Click(static_cast<float>(CellCentre(cx)), static_cast<float>(CellCentre(cy)));
  EXPECT_EQ(LatestOrderRefusal(), nullptr);
  EXPECT_FALSE(sounds.Heard(SoundRefused));
}

struct ShopCase {
  const char* name;
  int gold;
  int workers;
  PurchaseVerdict expected;
};

TEST_F(Feedback, TheShopSaysWhyItSellsNoWorker) {
  const ShopCase cases[] = {
      {"sold", kWorkerPrice, 5, PurchaseVerdict::Sold},
      {"too little gold", kWorkerPrice - 1, 5, PurchaseVerdict::TooFewGold},
      {"a full crew", kWorkerPrice * 3, kMaxWorkers, PurchaseVerdict::TooManyWorkers},
      {"a full crew and no gold", 0, kMaxWorkers, PurchaseVerdict::TooManyWorkers},
  };
  for (const ShopCase& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    Start();
    ToMap(true);
    gameState.progress.totalGold = c.gold;
    gameState.progress.ownedWorkers = c.workers;
    sounds.played.clear();
    Click(600, 710);
    const FeedbackMark* refusal = app->feedback->Latest(FeedbackKind::PurchaseRefused);
    if (c.expected == PurchaseVerdict::Sold) {
      EXPECT_EQ(refusal, nullptr);
      EXPECT_EQ(gameState.progress.ownedWorkers, c.workers + 1);
      EXPECT_TRUE(sounds.Heard(SoundBuy));
      continue;
    }
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(refusal->event.purchase, c.expected);
    EXPECT_EQ(gameState.progress.ownedWorkers, c.workers);
    EXPECT_EQ(gameState.progress.totalGold, c.gold);
    EXPECT_TRUE(sounds.Heard(SoundRefused));
  }
}

struct CrashCase {
  const char* name;
  // What stands in the cell after three straights from the start.
  std::function<void(c_cLevel*, int x, int y)> arrange;
  CrashCause expected;
};

TEST_F(Feedback, TheCrashIsToldByWhatTheTrainRanInto) {
  const CrashCase cases[] = {
      {"nothing built", [](c_cLevel* level, int x, int y) { level->SetCellKind(x, y, CellEmpty); },
       CrashCause::EndOfTrack},
      {"a piece being built",
       [](c_cLevel* level, int x, int y) {
         level->SetCellKind(x, y, CellBlocked);
         c_cRailTile* job = level->railTiles[0];
         job->active = 1;
         job->building = 0;  // nobody works on it: it stays unfinished
         job->x = x;
         job->y = y;
       },
       CrashCause::UnfinishedPiece},
      {"scenery", [](c_cLevel* level, int x, int y) { level->SetCellKind(x, y, CellBlocked); }, CrashCause::Scenery},
      {"a piece across the track", [](c_cLevel* level, int x, int y) { level->SetCellKind(x, y, PieceStraightNS); },
       CrashCause::WrongPiece},
  };
  for (const CrashCase& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    Start();
    PlayFirstLevel();
    c_cLevel* level = Played().board;
    const int sx = level->startX, sy = level->startY;
    for (int x = sx; x < sx + 3; ++x) level->SetCellKind(x, sy, PieceStraightWE);
    c.arrange(level, sx + 3, sy);
    sounds.played.clear();
    Click(540, 13);  // the send-off
    RunUntil(Played().run.trainCrashed);
    ASSERT_EQ(Played().run.trainCrashed, 1);
    ASSERT_TRUE(app->feedback->CrashKnown());
    EXPECT_EQ(app->feedback->LastCrashCause(), c.expected);
    EXPECT_EQ(Played().run.crashCellX, sx + 3);
    EXPECT_EQ(Played().run.crashCellY, sy);
    EXPECT_TRUE(sounds.Heard(SoundTrainLeaves));
    EXPECT_TRUE(sounds.Heard(SoundLevelLost));
    EXPECT_TRUE(sounds.Heard(SoundExplosion));
    EXPECT_FALSE(sounds.Heard(SoundLevelWon));
  }
}

TEST_F(Feedback, WithNothingOnStartTheCrashIsToldAsNoTrackFromStartAndNamesTheCell) {
  Start();
  PlayFirstLevel();
  const int sx = Played().board->startX, sy = Played().board->startY;
  Click(540, 13);  // the send-off, over no track
  RunUntil(Played().run.trainCrashed);
  ASSERT_EQ(Played().run.trainCrashed, 1);
  EXPECT_EQ(app->feedback->LastCrashCause(), CrashCause::NoTrackFromStart);
  // The cell named is START's own; the fire burns just before it.
  EXPECT_EQ(Played().run.crashCellX, sx);
  EXPECT_EQ(Played().run.crashCellY, sy);
  EXPECT_LE(std::abs(Played().run.crashX - static_cast<float>(CellCentre(sx))), kCellSize);
  EXPECT_EQ(CellAt(Played().run.crashY), sy);
}

TEST(CrashWords, TheCauseNamesTheCellCountedFromOneOrTheBoardsEdge) {
  struct Case {
    CrashCause cause;
    int x, y;
    const char* text;
  };
  const Case cases[] = {
      {CrashCause::NoTrackFromStart, 1, 4, "Nothing is built at column 2, row 5."},
      {CrashCause::EndOfTrack, 6, 0, "Nothing is built at column 7, row 1."},
      {CrashCause::Scenery, 12, 8, "It happened at column 13, row 9."},
      {CrashCause::WrongPiece, 0, 0, "It happened at column 1, row 1."},
      {CrashCause::EndOfTrack, -1, -1, "The track runs off the edge of the board."},
  };
  for (const Case& c : cases) EXPECT_EQ(CrashPlaceText(c.cause, c.x, c.y), c.text);
  EXPECT_STRNE(CrashText(CrashCause::NoTrackFromStart), CrashText(CrashCause::EndOfTrack));
}

TEST_F(Feedback, ClicksOnRaidersShakeThemAndTheirTearOutIsRemembered) {
  Start();
  PlayFirstLevel();
  c_cLevel* level = Played().board;
  gameState.progress.indigensIntroShown = 1;
  level->SetCellKind(3, 2, PieceCurveES);
  level->SpawnIndigens(3, 2);
  sounds.played.clear();
  Click(static_cast<float>(CellCentre(3)), static_cast<float>(CellCentre(2)));
  const FeedbackMark* hit = app->feedback->Latest(FeedbackKind::EnemyHit);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->event.cellX, 3);
  EXPECT_TRUE(sounds.Heard(SoundEnemyHit));
  EXPECT_NE(app->feedback->ShakeAt(3, 2, hit->startMs + 10), 0.0f);
  EXPECT_EQ(app->feedback->ShakeAt(3, 2, hit->startMs + kHitShakeMs), 0.0f);

  Run(kIndigensTearOutMs + 200);
  EXPECT_EQ(level->CellKind(3, 2), CellEmpty);
  const FeedbackMark* torn = app->feedback->Latest(FeedbackKind::PieceTornOut);
  ASSERT_NE(torn, nullptr);
  EXPECT_EQ(torn->event.cellX, 3);
  EXPECT_EQ(torn->event.cellY, 2);
}

TEST_F(Feedback, AFinishedPieceAndAClearedCellAskForTheirOwnSounds) {
  Start();
  PlayWithPiece(PieceStraightWE);
  int cx = 0, cy = 0;
  ASSERT_TRUE(FindCell(CellEmpty, &cx, &cy));
  Click(static_cast<float>(CellCentre(cx)), static_cast<float>(CellCentre(cy)));
  sounds.played.clear();
  Run(static_cast<int>(kBuildMs) + 200);
  ASSERT_EQ(Played().board->CellKind(cx, cy), PieceStraightWE);
  EXPECT_TRUE(sounds.Heard(SoundPieceFinished));
  EXPECT_FALSE(sounds.Heard(SoundClick));

  Played().board->AddStones(cx + 1 < kColumns ? cx + 1 : cx - 1, cy);
  Click(static_cast<float>(CellCentre(cx + 1 < kColumns ? cx + 1 : cx - 1)), static_cast<float>(CellCentre(cy)));
  sounds.played.clear();
  Run(static_cast<int>(kStonesRemovalMs) + 200);
  EXPECT_TRUE(sounds.Heard(SoundStonesCleared));
}

TEST(SoundTable, EveryGameSoundPlaysAFileOfTheDataFolder) {
  for (int sound = 0; sound < kGameSoundCount; ++sound) {
    SCOPED_TRACE(sound);
    const char* file = FileOfSound(sound);
    ASSERT_NE(file, nullptr);
    struct stat info;
    EXPECT_EQ(stat((std::string(TARVEX_DATA_DIR) + "/" + file).c_str(), &info), 0) << file;
  }
  // The explosion and the loss sting play together: not on one channel.
  EXPECT_NE(ChannelOfSound(SoundExplosion), ChannelOfSound(SoundLevelLost));
  EXPECT_NE(ChannelOfSound(SoundTrainRunning), ChannelOfSound(SoundClick));
}

}  // namespace
