#include "game/screens/level_hint.h"

#include "game/rules/state.h"
#include "game/solver/hint_from_game.h"
#include "game/solver/hint_search.h"
#include "game/solver/hint_text.h"

namespace {

// Weights that keep a cell's piece, job and clearing apart in one number.
constexpr int kJobWeight = 16;
constexpr int kClearingWeight = 1024;

}  // namespace

BoardSignature SignatureOf(const Match& match) {
  const c_cLevel& level = *match.board;
  BoardSignature s;
  for (int i = 0; i < kCellCount; ++i) s.cells[i] = level.cellKinds[i];
  for (int i = 0; i < level.railTiles.Length(); ++i) {
    const c_cRailTile* job = level.railTiles[i];
    if (job->active == 1) s.cells[CellIndex(job->x, job->y)] += kJobWeight * (job->kind + 1);
  }
  for (int i = 0; i < level.blockTiles.Length(); ++i) {
    const c_cBlockTile* stones = level.blockTiles[i];
    if (stones->active == 1 && stones->removing == 1) s.cells[CellIndex(stones->x, stones->y)] += kClearingWeight;
  }
  const LevelRun& run = match.run;
  s.trainFlags = run.trainRunning + 2 * run.trainArrived + 4 * run.trainCrashed;
  return s;
}

LevelHint AskHint(const Match& match) {
  const int nowMs = match.clock.lastMillisecs;
  const HintResult result = FindHint(HintStateFromGame(match));
  LevelHint hint;
  hint.shown = true;
  hint.wayExists = result.wayExists;
  hint.line = HintLine(result);
  hint.shownAtMs = nowMs;
  hint.askedOn = SignatureOf(match);
  if (!result.wayExists) return hint;
  for (const HintPiece& piece : result.toOrder) {
    if (static_cast<int>(hint.ghosts.size()) == kHintGhostCount) break;
    hint.ghosts.push_back({piece.cell, piece.kind});
  }
  return hint;
}

bool HintStillFits(const LevelHint& hint, const Match& match) {
  const int nowMs = match.clock.lastMillisecs;
  return hint.shown && nowMs - hint.shownAtMs < kHintShowMs && SignatureOf(match) == hint.askedOn;
}
