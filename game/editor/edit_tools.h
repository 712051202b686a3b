// The editor's tools: what a left click on the board lays down. The palette
// lists every choice once, in the order the screen shows it.
#pragma once

#include <string>
#include <vector>

enum class EditTool { Scenery, Stones, Gold, Mine, TunnelEntry, TunnelExit, Start, Finish, Eraser };

struct ToolChoice {
  EditTool tool = EditTool::Scenery;
  int sceneryKind = 0;  // 0..14 for EditTool::Scenery
  int side = 0;         // tunnel end's side (the game's side numbering) for TunnelEntry/TunnelExit
};

bool operator==(const ToolChoice& a, const ToolChoice& b);

// The palette in order, as the screen shows it and keys 1-9 / Q,E walk it.
const std::vector<ToolChoice>& ToolPalette();
// "Forest", "Stones", "Mine", "Tunnel entry", ... for the palette's caption.
std::string ToolName(const ToolChoice& tool);
