#include "game/editor/level_edit.h"

#include <algorithm>

#include "game/rules/board.h"
#include "game/rules/level_format.h"

namespace {

constexpr int kMineSize = 2;
constexpr int kMiddleRow = kRows / 2;

struct Area {
  int left, top, width, height;
};

bool Inside(CellXY c, Area a) {
  return c.x >= a.left && c.x < a.left + a.width && c.y >= a.top && c.y < a.top + a.height;
}

bool Same(CellXY a, CellXY b) { return a.x == b.x && a.y == b.y; }

Area SceneryArea(const SceneryPlacement& s) { return {s.x, s.y, BuildingWidth(s.kind), BuildingHeight(s.kind)}; }
Area MineArea(const LevelLayout& l) { return {l.mine.x, l.mine.y, kMineSize, kMineSize}; }
CellXY EntryCell(const LevelLayout& l) { return {l.tunnels.x0, l.tunnels.y0}; }
CellXY ExitCell(const LevelLayout& l) { return {l.tunnels.x1, l.tunnels.y1}; }

// What covers one cell of a layout; `index` into the scenery, stones or gold.
enum class Cover { Nothing, Start, Finish, Mine, TunnelEntry, TunnelExit, Scenery, Stones, Gold };
struct CellCover {
  Cover what = Cover::Nothing;
  std::size_t index = 0;
};

int IndexOf(const std::vector<CellXY>& cells, CellXY c) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (Same(cells[i], c)) return static_cast<int>(i);
  }
  return -1;
}

CellCover CoverOf(const LevelLayout& l, CellXY c) {
  if (Same(c, l.start)) return {Cover::Start};
  if (Same(c, l.finish)) return {Cover::Finish};
  if (l.hasMine && Inside(c, MineArea(l))) return {Cover::Mine};
  if (l.hasTunnels && Same(c, EntryCell(l))) return {Cover::TunnelEntry};
  if (l.hasTunnels && Same(c, ExitCell(l))) return {Cover::TunnelExit};
  for (std::size_t i = 0; i < l.scenery.size(); ++i) {
    if (Inside(c, SceneryArea(l.scenery[i]))) return {Cover::Scenery, i};
  }
  if (const int i = IndexOf(l.stones, c); i >= 0) return {Cover::Stones, static_cast<std::size_t>(i)};
  if (const int i = IndexOf(l.gold, c); i >= 0) return {Cover::Gold, static_cast<std::size_t>(i)};
  return {};
}

std::string CoverWord(const LevelLayout& l, CellCover c) {
  switch (c.what) {
    case Cover::Nothing: return "nothing";
    case Cover::Start: return "START";
    case Cover::Finish: return "FINISH";
    case Cover::Mine: return "the mine";
    case Cover::TunnelEntry: return "the tunnel entry";
    case Cover::TunnelExit: return "the tunnel exit";
    case Cover::Scenery: return std::string("the ") + SceneryName(l.scenery[c.index].kind);
    case Cover::Stones: return "stones";
    case Cover::Gold: return "gold";
  }
  return "";
}

// The one thing a tool moves rather than adds: its footprint may lie over
// where that thing stands now.
bool MovesItself(EditTool tool, Cover cover) {
  switch (tool) {
    case EditTool::Start: return cover == Cover::Start;
    case EditTool::Finish: return cover == Cover::Finish;
    case EditTool::Mine: return cover == Cover::Mine;
    case EditTool::TunnelEntry: return cover == Cover::TunnelEntry;
    case EditTool::TunnelExit: return cover == Cover::TunnelExit;
    default: return false;
  }
}

Area ToolArea(const ToolChoice& tool, CellXY at) {
  if (tool.tool == EditTool::Scenery) {
    return {at.x, at.y, BuildingWidth(tool.sceneryKind), BuildingHeight(tool.sceneryKind)};
  }
  if (tool.tool == EditTool::Mine) return {at.x, at.y, kMineSize, kMineSize};
  return {at.x, at.y, 1, 1};
}

std::vector<CellXY> AreaCells(Area a, bool& allOnBoard) {
  std::vector<CellXY> cells;
  allOnBoard = true;
  for (int y = a.top; y < a.top + a.height; ++y) {
    for (int x = a.left; x < a.left + a.width; ++x) {
      if (OnBoard(x, y)) {
        cells.push_back({x, y});
      } else {
        allOnBoard = false;
      }
    }
  }
  return cells;
}

// What erasing at a cell would take away: every cell of it.
std::vector<CellXY> CoverCells(const LevelLayout& l, CellCover c, CellXY at) {
  bool onBoard = true;
  switch (c.what) {
    case Cover::Mine: return AreaCells(MineArea(l), onBoard);
    case Cover::Scenery: return AreaCells(SceneryArea(l.scenery[c.index]), onBoard);
    case Cover::TunnelEntry:
    case Cover::TunnelExit: return {EntryCell(l), ExitCell(l)};
    default: return {at};
  }
}

// Why the pool of what the tool adds has no room left; "" when it has.
std::string PoolFull(const LevelLayout& l, EditTool tool) {
  const auto full = [](std::size_t count, int most, const char* what) {
    return static_cast<int>(count) >= most ? "at most " + std::to_string(most) + " " + what : std::string();
  };
  switch (tool) {
    case EditTool::Scenery: return full(l.scenery.size(), kBuildingPoolSize, "pieces of scenery");
    case EditTool::Stones: return full(l.stones.size(), kBlockTilePoolSize, "stones");
    case EditTool::Gold: return full(l.gold.size(), kGoldPoolSize, "gold nuggets");
    default: return "";
  }
}

// A cell for the other end of a new tunnel: the first free one from the
// board's right (for an exit) or left (for an entry), top to bottom.
bool FreeCellFor(const LevelLayout& l, CellXY besides, bool fromRight, CellXY& out) {
  for (int i = 0; i < kColumns; ++i) {
    const int x = fromRight ? kColumns - 1 - i : i;
    for (int y = 0; y < kRows; ++y) {
      const CellXY c{x, y};
      if (Same(c, besides) || CoverOf(l, c).what != Cover::Nothing) continue;
      out = c;
      return true;
    }
  }
  return false;
}

EditPreview Refused(std::vector<CellXY> cells, std::string why) { return {false, std::move(cells), std::move(why)}; }

EditPreview PreviewErase(const LevelLayout& l, CellXY at) {
  const CellCover c = CoverOf(l, at);
  if (c.what == Cover::Nothing) return Refused({at}, "nothing to erase");
  if (c.what == Cover::Start || c.what == Cover::Finish) return Refused({at}, CoverWord(l, c) + " stays; move it");
  return {true, CoverCells(l, c, at), ""};
}

EditPreview PreviewPlacement(const LevelLayout& l, const ToolChoice& tool, CellXY at) {
  bool onBoard = true;
  std::vector<CellXY> cells = AreaCells(ToolArea(tool, at), onBoard);
  if (!onBoard) return Refused(std::move(cells), "off the board");
  if (tool.tool == EditTool::Start && at.x != 0) return Refused(std::move(cells), "START lies in the left column");
  if (const std::string full = PoolFull(l, tool.tool); !full.empty()) return Refused(std::move(cells), full);
  for (CellXY c : cells) {
    const CellCover cover = CoverOf(l, c);
    if (cover.what != Cover::Nothing && !MovesItself(tool.tool, cover.what)) {
      return Refused(std::move(cells), "over " + CoverWord(l, cover));
    }
  }
  CellXY other{};
  const bool newPair = (tool.tool == EditTool::TunnelEntry || tool.tool == EditTool::TunnelExit) && !l.hasTunnels;
  if (newPair && !FreeCellFor(l, at, tool.tool == EditTool::TunnelEntry, other)) {
    return Refused(std::move(cells), "no room for the tunnel's other end");
  }
  return {true, std::move(cells), ""};
}

bool ByColumn(CellXY a, CellXY b) { return a.x != b.x ? a.x < b.x : a.y < b.y; }

// Stones and gold are kept column by column, and scenery by kind, then
// place, as the level reader gives them back.
void InsertCell(std::vector<CellXY>& cells, CellXY c) {
  cells.insert(std::upper_bound(cells.begin(), cells.end(), c, ByColumn), c);
}

void InsertScenery(std::vector<SceneryPlacement>& scenery, SceneryPlacement s) {
  const auto before = [](const SceneryPlacement& a, const SceneryPlacement& b) {
    return a.kind != b.kind ? a.kind < b.kind : a.x != b.x ? a.x < b.x : a.y < b.y;
  };
  scenery.insert(std::upper_bound(scenery.begin(), scenery.end(), s, before), s);
}

void PlaceMine(LevelLayout& l, CellXY at) {
  if (!l.hasMine) l.mineReserve = kDefaultMineReserve;
  l.hasMine = true;
  l.mine = at;
}

// A tunnel end: moved when the pair stands, else laid with its other end at
// the first free cell (FreeCellFor), facing on towards FINISH.
void PlaceTunnelEnd(LevelLayout& l, bool entry, int side, CellXY at) {
  TunnelPair& t = l.tunnels;
  if (!l.hasTunnels) {
    CellXY other{};
    FreeCellFor(l, at, entry, other);
    if (entry) {
      t.x1 = other.x, t.y1 = other.y, t.side1 = SideEast;
    } else {
      t.x0 = other.x, t.y0 = other.y, t.side0 = SideWest;
    }
    l.hasTunnels = true;
  }
  if (entry) {
    t.x0 = at.x, t.y0 = at.y, t.side0 = side;
  } else {
    t.x1 = at.x, t.y1 = at.y, t.side1 = side;
  }
}

}  // namespace

LevelLayout EmptyLevel() {
  LevelLayout l{};
  l.start = {0, kMiddleRow};
  l.finish = {kColumns - 1, kMiddleRow};
  l.iron = kDefaultStartIron;
  l.events = EventsCleared;
  l.firstTutorialPage = kNoTutorial;
  l.name = kNewLevelName;
  return l;
}

LevelLayout StartingCopy(int levelNumber) {
  LevelLayout l = LevelLayoutOf(levelNumber);
  l.firstTutorialPage = kNoTutorial;
  return l;
}

EditPreview PreviewEdit(const LevelLayout& level, const ToolChoice& tool, CellXY at) {
  if (!OnBoard(at.x, at.y)) return Refused({}, "off the board");
  if (tool.tool == EditTool::Eraser) return PreviewErase(level, at);
  return PreviewPlacement(level, tool, at);
}

bool ApplyEdit(LevelLayout& level, const ToolChoice& tool, CellXY at) {
  if (!PreviewEdit(level, tool, at).fits) return false;
  switch (tool.tool) {
    case EditTool::Scenery: InsertScenery(level.scenery, {tool.sceneryKind, at.x, at.y}); break;
    case EditTool::Stones: InsertCell(level.stones, at); break;
    case EditTool::Gold: InsertCell(level.gold, at); break;
    case EditTool::Mine: PlaceMine(level, at); break;
    case EditTool::TunnelEntry: PlaceTunnelEnd(level, true, tool.side, at); break;
    case EditTool::TunnelExit: PlaceTunnelEnd(level, false, tool.side, at); break;
    case EditTool::Start: level.start = at; break;
    case EditTool::Finish: level.finish = at; break;
    case EditTool::Eraser: return EraseAt(level, at);
  }
  return true;
}

bool EraseAt(LevelLayout& level, CellXY at) {
  if (!OnBoard(at.x, at.y)) return false;
  const CellCover c = CoverOf(level, at);
  const auto remove = [&c](auto& v) { v.erase(v.begin() + static_cast<std::ptrdiff_t>(c.index)); };
  switch (c.what) {
    case Cover::Scenery: remove(level.scenery); return true;
    case Cover::Stones: remove(level.stones); return true;
    case Cover::Gold: remove(level.gold); return true;
    // A level without a mine or tunnel holds zeros there, as one read from
    // a file does.
    case Cover::Mine:
      level.hasMine = false, level.mine = {0, 0}, level.mineReserve = 0;
      return true;
    case Cover::TunnelEntry:
    case Cover::TunnelExit:
      level.hasTunnels = false, level.tunnels = {};
      return true;
    default: return false;
  }
}

void SetStartIron(LevelLayout& level, int iron) { level.iron = std::clamp(iron, 0, kMaxLevelIron); }

void SetMineReserve(LevelLayout& level, int reserve) {
  if (level.hasMine) level.mineReserve = std::clamp(reserve, 1, kMaxMineReserve);
}

void SetEvents(LevelLayout& level, int bandits, int raiders) {
  level.banditsKind = std::clamp(bandits, 0, kMaxEventKind);
  level.indigensKind = std::clamp(raiders, 0, kMaxEventKind);
  level.events = level.banditsKind == 0 && level.indigensKind == 0 ? EventsCleared : EventsConfigured;
}

void SetLevelName(LevelLayout& level, const std::string& name) {
  std::string kept;
  for (char c : name) {
    if (c >= 0x20 && c <= 0x7E) kept += c;
  }
  // The file's name line drops blanks at either end.
  const std::size_t first = kept.find_first_not_of(' ');
  kept = first == std::string::npos ? std::string() : kept.substr(first, static_cast<std::size_t>(kMaxLevelNameLength));
  kept.erase(kept.find_last_not_of(' ') + 1);
  level.name = kept.empty() ? kNewLevelName : kept;
}
