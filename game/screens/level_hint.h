// The hint as a level shows it: the next few pieces of a cheapest way to
// finish from the moment it was asked, and the hint's one line. It is asked
// by one request (the hint button, the H key, the pad's button) and stays
// while the board stands as it was then, for a while at most. Asking changes
// nothing in the level: it only reads a copy of it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "game/rules/match.h"
#include "game/solver/board_model.h"

// Pieces shown as numbered ghosts, the first to order first.
constexpr int kHintGhostCount = 3;
// How long a hint stays, in ms of the game's clock.
constexpr int kHintShowMs = 12000;

struct HintGhost {
  CellXY cell;
  int kind;  // PieceKind
};

// What stands on each cell, as far as a hint depends on it: the piece, a job
// under way and stones being cleared; and the train's flags.
struct BoardSignature {
  std::array<int, kCellCount> cells{};
  int trainFlags = 0;
  bool operator==(const BoardSignature& other) const { return cells == other.cells && trainFlags == other.trainFlags; }
};

struct LevelHint {
  bool shown = false;
  bool wayExists = false;
  std::vector<HintGhost> ghosts;
  std::string line;
  int shownAtMs = 0;
  BoardSignature askedOn;
};

// A cheapest way on from the match as it stands now, at its clock.
LevelHint AskHint(const Match& match);
BoardSignature SignatureOf(const Match& match);
// Whether a shown hint still speaks for the level: nothing was built, torn
// out or begun since it was asked, and it has not shown for kHintShowMs yet.
bool HintStillFits(const LevelHint& hint, const Match& match);
