// The fifteen levels as data, and the one routine that lays a level out on the
// board from its row of the table.
#pragma once

#include <string>
#include <vector>

#include "game/rules/board.h"

struct CellXY {
  int x, y;
};

struct SceneryPlacement {
  int kind;  // building kind 0..14
  int x, y;  // top-left cell of its footprint
};

// A level's tunnel: entry end 0 and exit end 1, each with its side.
struct TunnelPair {
  int side0, x0, y0;
  int side1, x1, y1;
};

// How a level configures the event generator.
enum EventSetup {
  EventsConfigured,  // SetupRandomEvents with the level's two kinds
  EventsCleared,     // no events at all
};

constexpr int kNoTutorial = -1;

// Every field starts at zero, as a value-initialised layout always did, so a
// layout that was never read (the row of a file that does not read, say)
// copies and compares cleanly.
struct LevelLayout {
  CellXY start{}, finish{};
  int iron = 0;
  bool hasMine = false;
  int mineReserve = 0;
  CellXY mine{};
  bool hasTunnels = false;
  TunnelPair tunnels{};
  EventSetup events = EventsConfigured;
  int banditsKind = 0, indigensKind = 0;
  int firstTutorialPage = 0;
  std::vector<SceneryPlacement> scenery;
  std::vector<CellXY> stones;
  std::vector<CellXY> gold;
  std::string name;  // on the map and in the list of levels
};

// Row n - 1 is level n, as read from its level file (level_table.h).
const std::vector<LevelLayout>& LevelTable();
const LevelLayout& LevelLayoutOf(int levelNumber);

// Footprint of a building kind in cells.
int BuildingWidth(int kind);
int BuildingHeight(int kind);

class Match;

// Starts level `number` (1..15) of the table on the match, with the workers
// the player owns (StartMatch in rules/match.h). A retry of the level just
// played skips its tutorial pages (under the mended rules).
void LayOutLevel(Match& match, int number, bool retry);
// The progress's current level, as a first start.
void LayOutLevel(Match& match);

// The board as text: 9 lines of 13 characters, one per cell (see the
// --print-level option of the program for the legend).
std::string BoardText(c_cLevel* level);
