#include "game/solver/solution_text.h"

#include <cstdarg>
#include <cstdio>

#include "game/rules/train.h"

namespace {

const char kPieceChars[kPieceKindCount] = {'-', '|', '/', '\\', '\\', '/', '+'};
const char* const kPieceNames[kPieceKindCount] = {"straight W-E", "straight N-S", "curve E-S", "curve W-S",
                                                 "curve E-N",    "curve W-N",    "crossing"};

char GroundChar(const BoardModel& b, CellXY c) {
  if (c.x == b.start.x && c.y == b.start.y) return 'S';
  if (c.x == b.finish.x && c.y == b.finish.y) return 'F';
  switch (b.At(c)) {
    case Ground::Gold: return '$';
    case Ground::Stones: return 'o';
    case Ground::Blocked: return '#';
    case Ground::Mine: return 'M';
    case Ground::TunnelEntrance:
    case Ground::TunnelExit: return 'T';
    default: return '.';
  }
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  char line[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  return line;
}

double Seconds(int ms) { return ms / 1000.0; }

std::string Header(const LevelSolution& s) {
  const BoardModel& b = s.board;
  std::string text = Format("Level %d: start %d,%d  finish %d,%d  iron %d", b.levelNumber, b.start.x, b.start.y,
                            b.finish.x, b.finish.y, b.iron);
  if (b.hasMine) text += Format("  mine %d at %d,%d", b.mineReserve, b.mine.x, b.mine.y);
  if (b.hasTunnels) text += Format("  tunnel %d,%d -> %d,%d", b.tunnels.x0, b.tunnels.y0, b.tunnels.x1, b.tunnels.y1);
  return text + "\n";
}

std::string TrackSummary(const LevelSolution& s) {
  int counts[kPieceKindCount] = {};
  int stones = 0;
  for (const TrackPiece& p : s.pieces) {
    ++counts[p.kind];
    stones += p.onStones ? 1 : 0;
  }
  int gold = 0;
  for (const RouteStep& step : s.route.steps) gold += s.board.At(step.cell) == Ground::Gold ? 1 : 0;
  return Format("Track: %zu pieces (%d straight, %d curves, %d crossings), %d stones to clear, %d gold; iron cost %d\n",
                s.pieces.size(), counts[0] + counts[1], counts[2] + counts[3] + counts[4] + counts[5], counts[6],
                stones, gold, s.ironCost);
}

std::string ClickLine(const PlannedClick& c) {
  switch (c.action) {
    case WorkAction::ClearStones:
      return Format("  %6.1f s  worker %d  clear stones at %d,%d\n", Seconds(c.atMs), c.worker, c.cell.x, c.cell.y);
    case WorkAction::OrderPiece:
      return Format("  %6.1f s  worker %d  order %s at %d,%d (iron %d left)\n", Seconds(c.atMs), c.worker,
                    kPieceNames[c.piece], c.cell.x, c.cell.y, c.ironAfter);
    case WorkAction::EnterMine:
      return Format("  %6.1f s  worker %d  into the mine (click %d,%d)\n", Seconds(c.atMs), c.worker, c.cell.x,
                    c.cell.y);
    case WorkAction::SendOff: return Format("  %6.1f s  send the train off\n", Seconds(c.atMs));
  }
  return std::string();
}

std::string Times(const WorkPlan& p) {
  return Format("Iron left: %d when the track is done at %.1f s\n", p.ironLeft, Seconds(p.trackDoneMs)) +
         Format("Train: leaves at %.1f s, arrives at %.1f s (the countdown ends at %d s)\n", Seconds(p.departureMs),
                Seconds(p.arrivalMs), kDepartureSeconds);
}

}  // namespace

const char* const kTrackLegend =
    "  - | straight pieces    / curve E-S or W-N    \\ curve W-S or E-N    + crossing\n"
    "  S start  F finish  T tunnel end  M mine  o stones  # scenery  $ gold  . free\n";

std::string BoardModelText(const BoardModel& board) {
  std::string rows(kRows * (kColumns + 1), '\n');
  for (int y = 0; y < kRows; ++y) {
    for (int x = 0; x < kColumns; ++x) rows[y * (kColumns + 1) + x] = GroundChar(board, {x, y});
  }
  return rows;
}

std::string MinutesSeconds(int ms) {
  const int seconds = ms / 1000;
  return Format("%d:%02d", seconds / 60, seconds % 60);
}

std::string TrackBoardText(const LevelSolution& s) {
  std::string rows = BoardModelText(s.board);
  for (const TrackPiece& p : s.pieces) rows[p.cell.y * (kColumns + 1) + p.cell.x] = kPieceChars[p.kind];
  return rows;
}

std::string SolutionText(const LevelSolution& s, int workers) {
  std::string text = Header(s);
  if (!s.route.found) return text + Format("Not winnable with %d workers: %s\n", workers, s.blockedBy.c_str());
  text += TrackBoardText(s) + TrackSummary(s);
  if (!s.winnable) return text + Format("Not winnable with %d workers: %s\n", workers, s.blockedBy.c_str());
  text += Times(s.plan) + Format("Schedule for %d workers:\n", workers);
  for (const PlannedClick& c : s.plan.clicks) text += ClickLine(c);
  return text;
}
