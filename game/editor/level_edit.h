// Edits of a level layout, one click at a time. Every layout these make is
// one the level reader accepts: an edit the reader would refuse is refused
// here first, with the reason in a few words for the ghost's caption.
//
// The tunnel is a pair in the layout. Placing an entry on a level with no
// tunnel lays the exit too, at the first cell that fits scanning from the
// board's right-hand side, facing east; placing either end later moves that
// end alone. The eraser takes the whole pair.
#pragma once

#include <string>
#include <vector>

#include "game/editor/edit_tools.h"
#include "game/rules/layouts.h"

// The reserve a mine gets when it is first placed.
constexpr int kDefaultMineReserve = 2000;
constexpr int kDefaultStartIron = 2000;
constexpr const char* kNewLevelName = "New level";

// A new level: START on the left, FINISH on the right of the middle row, a
// name, 2000 iron, no mine, no tunnels, no events, no tutorial, nothing else.
LevelLayout EmptyLevel();
// Level n (1..15) to start a new one from: all of it but its tutorial pages,
// which belong to the campaign.
LevelLayout StartingCopy(int levelNumber);

// What a left click of the tool at a cell would do, for the ghost: the cells
// it would cover, and whether it fits (on the board, over nothing that stays).
struct EditPreview {
  bool fits = false;
  std::vector<CellXY> cells;  // the footprint, on-board cells only
  std::string why;            // when it does not fit, in a few words
};
EditPreview PreviewEdit(const LevelLayout& level, const ToolChoice& tool, CellXY at);

// Applies the tool; false (and `level` untouched) when it does not fit.
bool ApplyEdit(LevelLayout& level, const ToolChoice& tool, CellXY at);

// Removes what covers the cell (a scenery's whole footprint, stones, gold, the
// mine, a tunnel pair); START and FINISH stay. False when nothing was removed.
bool EraseAt(LevelLayout& level, CellXY at);

// The numbers of the side panel, clamped to what a level file may hold.
void SetStartIron(LevelLayout& level, int iron);
// A mine's reserve is 1 or more; without a mine, nothing changes.
void SetMineReserve(LevelLayout& level, int reserve);
// Events by the kinds a level file holds, 0..3, as the map words them: none,
// low, medium, high. Both none is a level without events.
void SetEvents(LevelLayout& level, int bandits, int raiders);
// Printable ASCII, at most kMaxLevelNameLength, without blanks at either end
// (as the file keeps it); a name with nothing left is kNewLevelName.
void SetLevelName(LevelLayout& level, const std::string& name);  // printable ASCII, at most kMaxLevelNameLength
