// The board as the solver sees it: what each cell allows a track to do, the
// start and finish, the tunnel pair and the level's economy. It is read from
// the level table the game lays its levels out from, without laying anything
// out, so it touches no game state.
#pragma once

#include <array>

#include "game/rules/board.h"
#include "game/rules/layouts.h"

enum class Ground {
  Free,            // a piece may be ordered here
  Gold,            // free, and the train picks up a nugget here
  Stones,          // free once a worker has cleared the stones
  Blocked,         // scenery: never crossed
  Mine,            // clicks here go to the mine, so nothing is built
  TunnelEntrance,  // tunnel 0: its straight piece leads into the tunnel
  TunnelExit,      // tunnel 1: the train comes out here; a straight piece
};

struct BoardModel {
  int levelNumber = 0;
  std::array<Ground, kCellCount> cells{};  // by CellIndex
  CellXY start{}, finish{};
  bool hasTunnels = false;
  TunnelPair tunnels{};
  int iron = 0;
  bool hasMine = false;
  int mineReserve = 0;
  CellXY mine{};  // top-left of its 2 by 2 cells

  Ground At(int x, int y) const { return cells[CellIndex(x, y)]; }
  Ground At(CellXY c) const { return At(c.x, c.y); }
};

// The board of level n (1..15).
BoardModel ReadBoard(int levelNumber);
// The board of any layout, such as a level file's (its levelNumber is 0).
BoardModel ReadBoard(const LevelLayout& layout);
// A layout's board under the level number it is played as.
BoardModel ReadBoard(const LevelLayout& layout, int levelNumber);

// The one side, besides `side`, that the straight piece of a tunnel end with
// that side joins: tunnel ends hold N-S straights for N and S, W-E for E and W.
bool OnTunnelAxis(int tunnelSide, int side);
