#include "game/rules/level_writer.h"

#include "game/rules/board.h"
#include "game/rules/level_format.h"

namespace {

constexpr int kMineSize = 2;

std::string Cell(CellXY c) { return std::to_string(c.x) + "," + std::to_string(c.y); }

std::string MineLine(const LevelLayout& l) {
  if (!l.hasMine) return "mine none\n";
  return "mine " + Cell(l.mine) + " reserve " + std::to_string(l.mineReserve) + "\n";
}

std::string TunnelsLine(const LevelLayout& l) {
  if (!l.hasTunnels) return "tunnels none\n";
  const TunnelPair& t = l.tunnels;
  return "tunnels " + Cell({t.x0, t.y0}) + " " + SideLetter(t.side0) + " " + Cell({t.x1, t.y1}) + " " +
         SideLetter(t.side1) + "\n";
}

std::string EventsLine(const LevelLayout& l) {
  if (l.events == EventsCleared) return "events none\n";
  return "events bandits " + std::to_string(l.banditsKind) + " raiders " + std::to_string(l.indigensKind) + "\n";
}

std::string TutorialLine(const LevelLayout& l) {
  if (l.firstTutorialPage == kNoTutorial) return "tutorial none\n";
  return "tutorial " + std::to_string(l.firstTutorialPage) + "\n";
}

using Grid = std::string;  // kRows lines of kColumns letters and a line feed

void Put(Grid& grid, int x, int y, char letter) {
  if (OnBoard(x, y)) grid[y * (kColumns + 1) + x] = letter;
}

void PutArea(Grid& grid, int left, int top, int width, int height, char letter) {
  for (int dx = 0; dx < width; ++dx) {
    for (int dy = 0; dy < height; ++dy) Put(grid, left + dx, top + dy, letter);
  }
}

}  // namespace

std::string LevelBoardRows(const LevelLayout& l) {
  Grid grid;
  for (int y = 0; y < kRows; ++y) grid += std::string(kColumns, kFreeLetter) + "\n";
  Put(grid, l.start.x, l.start.y, kStartLetter);
  Put(grid, l.finish.x, l.finish.y, kFinishLetter);
  if (l.hasMine) PutArea(grid, l.mine.x, l.mine.y, kMineSize, kMineSize, kMineLetter);
  if (l.hasTunnels) {
    Put(grid, l.tunnels.x0, l.tunnels.y0, kTunnelLetter);
    Put(grid, l.tunnels.x1, l.tunnels.y1, kTunnelLetter);
  }
  for (const SceneryPlacement& s : l.scenery) {
    PutArea(grid, s.x, s.y, BuildingWidth(s.kind), BuildingHeight(s.kind), SceneryLetter(s.kind));
  }
  for (CellXY c : l.stones) Put(grid, c.x, c.y, kStonesLetter);
  for (CellXY c : l.gold) Put(grid, c.x, c.y, kGoldLetter);
  return grid;
}

std::string WriteLevelText(const LevelLayout& l) {
  return std::string(kLevelFileHeader) + "\n" +
         "# Cells are column,row: columns 0..12 from the left, rows 0..8 from the top.\n"
         "# The board's letters are listed in the README, under \"Level files\".\n" +
         "name " + l.name + "\n" + "start " + Cell(l.start) + "\n" + "finish " + Cell(l.finish) + "\n" +
         "iron " + std::to_string(l.iron) + "\n" + MineLine(l) + TunnelsLine(l) + EventsLine(l) + TutorialLine(l) +
         "board\n" + LevelBoardRows(l);
}
