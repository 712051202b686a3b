// The hint checked against the game's own rules: from every level's start it
// is the solver's track; from moments made by playing (half the track built, a
// piece torn out, a wrong piece in the way, iron stolen or spent, the countdown
// run down, the train under way) it finds a way where one is known to exist and
// says there is none where none is, and doing what it says wins.
#include <string>

#include "game/rules/economy.h"
#include "tests/game/level_play.h"
#include "game/solver/hint_from_game.h"
#include "game/solver/hint_text.h"
#include "game/solver/solution.h"

namespace {

// Long enough for any wait of a level: its countdown and a ride over the board.
constexpr int kLevelMs = 420000;

class HintPlay : public LevelPlay {
 protected:
  HintResult Hint() const { return FindHint(HintStateFromGame(*match)); }

  bool TrainGone() const {
    const LevelRun& run = match->run;
    return run.trainRunning == 1 || run.trainArrived == 1 || run.trainCrashed == 1;
  }

  // Orders a piece as a player does once a worker and the iron are there; the
  // click is refused as the game refuses it once the train has gone.
  void Order(int kind, CellXY c) {
    const LevelRun& run = match->run;
    RunUntil([&] { return TrainGone() || (run.freeWorkers > 0 && run.iron >= PieceCost(kind)); }, kLevelMs);
    Use(kind, c.x, c.y);
  }
  void OrderTrack(size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) Order(track[i].kind, track[i].cell);
  }
  void FinishWork() {
    ASSERT_TRUE(RunUntil([this] { return match->run.freeWorkers == match->run.ownedWorkers; }, kLevelMs));
  }
  // Waits until the countdown shows this many seconds.
  void RunCountdownTo(int secondsLeft) {
    ASSERT_TRUE(RunUntil([&] { return kDepartureSeconds - train->countdown <= secondsLeft; }, kLevelMs));
  }
  void SendOff() {
    match->run.departNow = 1;
    ASSERT_TRUE(RunUntil([this] { return match->run.trainRunning == 1; }, 2000));
  }

  // Blows up what the hint says is in the way, orders its pieces and lets the
  // countdown run out; whether the train arrives.
  bool FollowHint(const HintResult& h) {
    for (const HintPiece& p : h.toOrder) {
      if (p.demolishFirst) {
        RunUntil([&] { return Kind(p.cell.x, p.cell.y) >= 0; }, kLevelMs);
        Use(PieceDemolish, p.cell.x, p.cell.y);
      }
      Order(p.kind, p.cell);
    }
    RunUntil([this] { return match->run.trainArrived == 1 || match->run.trainCrashed == 1; }, kLevelMs);
    return match->run.trainArrived == 1;
  }

  void Begin(int n) {
    Play(n);
    track = SolveLevel(n).pieces;
  }

 public:
  // ---- The moments of a level the table below starts from ----
  void HalfTheTrackBuilt() {
    Begin(1);
    OrderTrack(0, track.size() / 2);
    FinishWork();
  }
  void APieceTornOut() {
    Begin(1);
    OrderTrack(0, track.size());
    FinishWork();
    level->SpawnIndigens(5, 3);
    match->flags.tutorialShowing = 0;
    match->flags.gamePaused = 0;
    ASSERT_TRUE(RunUntil([&] { return Kind(5, 3) == CellEmpty; }, 5000));
  }
  void AWrongPieceInTheWay() {
    Begin(1);
    Order(PieceStraightNS, {5, 3});
    FinishWork();
  }
  void FivePiecesUnderConstruction() {
    Begin(1);
    OrderTrack(0, 5);
  }
  // The first stones on the track are being cleared.
  void StonesBeingCleared() {
    Begin(8);
    for (const TrackPiece& p : track) {
      if (!p.onStones) continue;
      ClickCell(p.cell.x, p.cell.y);
      break;
    }
    Run(1000);
  }
  void IronStolen() {
    Begin(3);
    level->SpawnBandits();
    match->flags.tutorialShowing = 0;
    match->flags.gamePaused = 0;
    ASSERT_TRUE(RunUntil([&] { return Bandits()->active == 0; }, 60000));
    ASSERT_EQ(match->run.iron, 0);
  }
  // Straights across rows 0 and 8 lead off the board, so no way uses them.
  void IronSpentElsewhere() {
    Begin(1);
    for (int x = 0; match->run.iron >= kStraightCost; ++x) {
      Order(PieceStraightNS, {x % kColumns, x < kColumns ? 0 : 8});
    }
    FinishWork();
  }
  void TenSecondsLeftEightMissing() {
    Begin(1);
    OrderTrack(0, track.size() - 8);
    FinishWork();
    RunCountdownTo(10);
  }
  void FourSecondsLeftEightMissing() {
    Begin(1);
    OrderTrack(0, track.size() - 8);
    FinishWork();
    RunCountdownTo(4);
  }
  void TrainOnAWholeTrack() {
    Begin(1);
    OrderTrack(0, track.size());
    FinishWork();
    SendOff();
  }
  void TrackCutAheadOfTheTrain() {
    TrainOnAWholeTrack();
    Use(PieceDemolish, 11, 3);
  }

 protected:
  std::vector<TrackPiece> track;  // the solver's track of the level begun
};

struct Moment {
  const char* name;
  void (HintPlay::*make)();
  bool wayExists;
  HintBlock blockedBy;
  int pieces;            // to order; -1: not checked
  const char* line;      // the hint's line; null: not checked
  bool follow;           // doing what the hint says decides the level as it says
};

const Moment kMoments[] = {
    {"HalfTheTrackBuilt", &HintPlay::HalfTheTrackBuilt, true, HintBlock::None, 8,
     "Hint: 8 more pieces, 850 iron (you have 1200)", true},
    {"APieceTornOut", &HintPlay::APieceTornOut, true, HintBlock::None, 1, "Hint: 1 more piece, 100 iron (you have 350)",
     true},
    {"AWrongPieceInTheWay", &HintPlay::AWrongPieceInTheWay, true, HintBlock::None, 15,
     "Hint: 15 more pieces, 1650 iron (you have 1900)", true},
    {"FivePiecesUnderConstruction", &HintPlay::FivePiecesUnderConstruction, true, HintBlock::None, 10,
     "Hint: 10 more pieces, 1050 iron (you have 1400)", true},
    {"StonesBeingCleared", &HintPlay::StonesBeingCleared, true, HintBlock::None, 25, nullptr, false},
    {"IronStolen", &HintPlay::IronStolen, true, HintBlock::None, 17,
     "Hint: 17 more pieces, 1950 iron (you have 0; the mine holds 2200)", false},
    {"IronSpentElsewhere", &HintPlay::IronSpentElsewhere, false, HintBlock::Iron, 15,
     "No way to FINISH from here - Restart?", true},
    {"TenSecondsLeftEightMissing", &HintPlay::TenSecondsLeftEightMissing, true, HintBlock::None, 8, nullptr, true},
    {"FourSecondsLeftEightMissing", &HintPlay::FourSecondsLeftEightMissing, false, HintBlock::Time, 8, nullptr, true},
    {"TrainOnAWholeTrack", &HintPlay::TrainOnAWholeTrack, true, HintBlock::None, 0, nullptr, true},
    {"TrackCutAheadOfTheTrain", &HintPlay::TrackCutAheadOfTheTrain, false, HintBlock::TrainGone, 0, nullptr, true},
};

class HintFromMoment : public HintPlay, public ::testing::WithParamInterface<Moment> {};

TEST_P(HintFromMoment, FindsAWayExactlyWhenOneIsLeft) {
  const Moment& m = GetParam();
  (this->*m.make)();
  if (HasFatalFailure()) return;
  const HintResult h = Hint();
  EXPECT_EQ(h.wayExists, m.wayExists) << h.why;
  EXPECT_EQ(h.blockedBy, m.blockedBy) << h.why;
  EXPECT_EQ(static_cast<int>(h.toOrder.size()), m.pieces);
  if (m.line) {
    EXPECT_EQ(HintLine(h), m.line);
  }
  // Every piece named is one the game would take on its cell now or once the
  // piece standing there is blown up.
  for (const HintPiece& p : h.toOrder) {
    const int kind = Kind(p.cell.x, p.cell.y);
    EXPECT_EQ(p.demolishFirst, kind >= 0 || (kind == CellBlocked && !p.onStones)) << p.cell.x << "," << p.cell.y;
  }
  if (m.follow) {
    EXPECT_EQ(FollowHint(h), m.wayExists);
  }
}

std::string MomentName(const ::testing::TestParamInfo<Moment>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(MidLevel, HintFromMoment, ::testing::ValuesIn(kMoments), MomentName);

// From a level's start the hint is the solver's cheapest track.
class HintAtStart : public HintPlay, public ::testing::WithParamInterface<int> {};

TEST_P(HintAtStart, IsTheSolversTrack) {
  const int n = GetParam();
  Begin(n);
  const LevelSolution s = SolveLevel(n);
  const HintResult h = Hint();
  ASSERT_TRUE(h.wayExists) << h.why;
  EXPECT_EQ(h.ironCost, s.ironCost);
  ASSERT_EQ(h.toOrder.size(), s.pieces.size());
  for (size_t i = 0; i < s.pieces.size(); ++i) {
    EXPECT_EQ(h.toOrder[i].cell.x, s.pieces[i].cell.x) << i;
    EXPECT_EQ(h.toOrder[i].cell.y, s.pieces[i].cell.y) << i;
    EXPECT_EQ(h.toOrder[i].kind, s.pieces[i].kind) << i;
    EXPECT_FALSE(h.toOrder[i].demolishFirst) << i;
  }
  EXPECT_EQ(h.ironInStock, s.board.iron);
  EXPECT_EQ(h.mineReserve, s.board.hasMine ? s.board.mineReserve : 0);
}

std::string LevelName(const ::testing::TestParamInfo<int>& info) { return "Level" + std::to_string(info.param); }

INSTANTIATE_TEST_SUITE_P(EveryLevel, HintAtStart, ::testing::Range(1, kLevelCount + 1), LevelName);

}  // namespace
