#include "game/editor/edit_tools.h"

#include "game/rules/board.h"
#include "game/rules/level_format.h"

namespace {

const char* const kSideWords[4] = {"north", "east", "south", "west"};

std::vector<ToolChoice> MakePalette() {
  std::vector<ToolChoice> palette;
  palette.push_back({EditTool::Start, 0, 0});
  palette.push_back({EditTool::Finish, 0, 0});
  palette.push_back({EditTool::Stones, 0, 0});
  palette.push_back({EditTool::Gold, 0, 0});
  palette.push_back({EditTool::Mine, 0, 0});
  for (EditTool end : {EditTool::TunnelEntry, EditTool::TunnelExit}) {
    for (int side = SideNorth; side <= SideWest; ++side) palette.push_back({end, 0, side});
  }
  for (int kind = 0; kind < kBuildingKindCount; ++kind) palette.push_back({EditTool::Scenery, kind, 0});
  palette.push_back({EditTool::Eraser, 0, 0});
  return palette;
}

std::string Capitalised(std::string word) {
  if (!word.empty() && word[0] >= 'a' && word[0] <= 'z') word[0] = static_cast<char>(word[0] - 'a' + 'A');
  return word;
}

std::string SideWord(int side) { return side >= 0 && side < 4 ? kSideWords[side] : "?"; }

}  // namespace

bool operator==(const ToolChoice& a, const ToolChoice& b) {
  if (a.tool != b.tool) return false;
  if (a.tool == EditTool::Scenery) return a.sceneryKind == b.sceneryKind;
  if (a.tool == EditTool::TunnelEntry || a.tool == EditTool::TunnelExit) return a.side == b.side;
  return true;
}

const std::vector<ToolChoice>& ToolPalette() {
  static const std::vector<ToolChoice> palette = MakePalette();
  return palette;
}

std::string ToolName(const ToolChoice& tool) {
  switch (tool.tool) {
    case EditTool::Scenery: return Capitalised(SceneryName(tool.sceneryKind));
    case EditTool::Stones: return "Stones";
    case EditTool::Gold: return "Gold";
    case EditTool::Mine: return "Mine";
    case EditTool::TunnelEntry: return "Tunnel entry, " + SideWord(tool.side);
    case EditTool::TunnelExit: return "Tunnel exit, " + SideWord(tool.side);
    case EditTool::Start: return "START";
    case EditTool::Finish: return "FINISH";
    case EditTool::Eraser: return "Eraser";
  }
  return "";
}
