#include "game/rules/match.h"

Match::Match() {
  board = new c_cLevel();
  board->match = this;
  board->CreateLevelPools();
  train = new c_cTrain();
  train->match = this;
  // The palette's program-start slot, before any level has begun a run.
  run.selectedPiece = 0;
}

std::uint32_t Match::CalendarSeed() const {
  const std::int64_t seconds = calendar ? calendar() : CalendarSeconds();
  return static_cast<std::uint32_t>(seconds) * 1000u;
}

void Match::Mark() {
  board.Mark();
  train.Mark();
}

namespace {

// Each enemy's introduction page shows the first time it arrives: bandits
// first come in level 3 and raiders in level 4, so from the level after that
// on the page counts as shown.
constexpr int kLastLevelWithBanditsIntro = 3;
constexpr int kLastLevelWithIndigensIntro = 4;

void PlaceContents(c_cLevel* level, const LevelLayout& l) {
  level->startX = l.start.x;
  level->startY = l.start.y;
  level->finishX = l.finish.x;
  level->finishY = l.finish.y;
  if (l.hasMine) level->SetMine(l.mineReserve, l.mine.x, l.mine.y);
  if (l.hasTunnels) {
    const TunnelPair& t = l.tunnels;
    level->SetTunnels(t.side0, t.side1, t.x0, t.y0, t.x1, t.y1);
  }
  for (const SceneryPlacement& s : l.scenery) level->AddBuilding(s.kind, s.x, s.y);
  for (CellXY g : l.gold) level->AddGold(g.x, g.y);
  for (CellXY s : l.stones) level->AddStones(s.x, s.y);
}

void StartTutorial(ScreenFlags& flags, int firstPage) {
  if (firstPage == kNoTutorial) return;
  flags.tutorialShowing = 1;
  flags.tutorialPage = firstPage;
  flags.gamePaused = 1;
}

// Every level starts a fresh run with the level's iron and every worker the
// player owns.
void BeginLevelRun(Match& match, const LevelLayout& l, const MatchStart& start) {
  LevelRun run;
  run.levelNumber = start.levelNumber;
  run.iron = l.iron;
  run.ownedWorkers = start.workers;
  run.freeWorkers = start.workers;
  match.run = run;
  Progress& progress = *match.player;
  if (start.levelNumber > kLastLevelWithBanditsIntro) progress.banditsIntroShown = 1;
  if (start.levelNumber > kLastLevelWithIndigensIntro) progress.indigensIntroShown = 1;
}

void LayOutBoard(Match& match, const LevelLayout& l) {
  c_cLevel* level = match.board;
  match.random.seed = match.CalendarSeed();
  level->ClearBoard();
  // The first rules kept the last run's enemies, explosions and texts.
  if (MendedRules()) level->ClearRunPools();
  for (int i = 0; i < kCellCount; ++i) {
    level->cellKinds[i] = CellEmpty;
    level->groundVariants[i] = match.random.Below(kGroundVariants);
  }
  PlaceContents(level, l);
  if (l.events == EventsCleared) {
    level->ClearRandomEvents();
  } else {
    level->SetupRandomEvents(l.banditsKind, l.indigensKind);
  }
}

}  // namespace

void StartMatch(Match& match, const LevelLayout& layout, const MatchStart& start) {
  match.layout = layout;
  LayOutBoard(match, layout);
  if (!(start.retry && MendedRules())) StartTutorial(match.flags, layout.firstTutorialPage);
  BeginLevelRun(match, layout, start);
  const c_cLevel& level = *match.board;
  match.train->PlaceTrain(level.startX - 1, level.startY, level.finishX, level.finishY);
}
