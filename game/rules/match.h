// A match: one level being played, as one object. It holds the board (with
// its pools), the train, the run's economy and flags, the pause and tutorial
// flags over it, its clock, its random generator, where its calendar comes
// from, and the layout it was laid out from. The rules act on the match they
// are given; the views draw from a const one; the solver reads one.
//
// The game keeps one match for the player's levels, reused from level to
// level as the pools always were (under the first rules the last level's
// enemies and the pause flag carry over); a demonstration plays a second one
// beside it and drops it when it ends. StartMatch lays out any layout on a
// match.
#pragma once

#include "game/rules/board.h"
#include "game/rules/layouts.h"
#include "game/rules/state.h"
#include "game/rules/train.h"
#include "runtime/gc.h"

class Match : public Object {
 public:
  // A board with its pools allocated and a train, nothing laid out yet.
  Match();

  gc_ref<c_cLevel> board;
  gc_ref<c_cTrain> train;
  LevelRun run;
  ScreenFlags flags;
  // The clock the match's rules read: the host's for the player's match, a
  // demonstration's own for its match.
  GameClock clock;
  RandomGenerator random;
  // Where the level start and the event generator take their calendar
  // seconds from; null: the game's calendar (CalendarSeconds).
  CalendarSource calendar = nullptr;
  // What the board was laid out from.
  LevelLayout layout;
  // The progress whose enemies' introduction pages the match marks as shown:
  // the player's, or a demonstration's own so that its pages leave the
  // player's unseen.
  Progress* player = &gameState.progress;
  // The seed a level start uses: calendar seconds times 1000, 32-bit wrapped.
  std::uint32_t CalendarSeed() const;

  void Mark() override;
};

// How a match is started: the level's number on the map (0 for a level from
// elsewhere, which counts for no progress), the workers the player owns, and
// whether it is the level just played started again.
struct MatchStart {
  int levelNumber = 0;
  int workers = kNewGameWorkers;
  bool retry = false;
};

// The one routine that lays out a layout on a match: the seed from the
// calendar, fresh arrays and pools, the ground, the contents, the events, the
// tutorial (skipped on a retry under the mended rules), the run's economy,
// and the train one cell left of the start.
void StartMatch(Match& match, const LevelLayout& layout, const MatchStart& start);
