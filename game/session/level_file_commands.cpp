#include "game/session/level_file_commands.h"

#include <cstdio>

#include "game/rules/level_reader.h"
#include "game/rules/state.h"
#include "game/solver/solution.h"
#include "game/solver/solution_text.h"

namespace {

std::string Seconds(int ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f s", ms / 1000.0);
  return text;
}

std::string Verdict(const std::string& path, const LevelLayout& layout, const LevelSolution& s) {
  const std::string workers = "the " + std::to_string(kNewGameWorkers) + " workers of a new game";
  std::string text = path + ": \"" + layout.name + "\" ";
  if (!s.winnable) text += "cannot be won by " + workers + ": " + s.blockedBy + "\n";
  if (!s.winnable && !s.route.found) return text;
  if (s.winnable) text += "can be won by " + workers + "\n";
  text += "Cheapest track: " + std::to_string(s.ironCost) + " iron, " + std::to_string(s.pieces.size()) + " pieces\n";
  if (s.winnable) {
    text += "The solver's plan: the track is done at " + Seconds(s.plan.trackDoneMs) + ", the train arrives at " +
            Seconds(s.plan.arrivalMs) + "\n";
  }
  return text + TrackBoardText(s);
}

// Reads the file, or puts the reader's line in `err`.
bool Load(const std::string& path, LevelLayout& layout, std::string& err) {
  std::string error;
  if (LoadLevelFile(path, layout, error)) return true;
  err = error + "\n";
  return false;
}

}  // namespace

int PrintLevelFile(const std::string& path, std::string& out, std::string& err) {
  LevelLayout layout;
  if (!Load(path, layout, err)) return kBadLevelFileStatus;
  out = BoardModelText(ReadBoard(layout));
  return 0;
}

int CheckLevelFile(const std::string& path, std::string& out, std::string& err) {
  LevelLayout layout;
  if (!Load(path, layout, err)) return kBadLevelFileStatus;
  const LevelSolution s = SolveBoard(ReadBoard(layout), kNewGameWorkers);
  out = Verdict(path, layout, s);
  return s.winnable ? 0 : kBadLevelFileStatus;
}
