#include "game/session/demo_player.h"

#include "game/rules/economy.h"
#include "game/rules/state.h"
#include "game/screens/gui.h"

namespace {

DemoClick CellClick(CellXY c) {
  return {static_cast<float>(CellLeft(c.x) + kCellSize / 2), static_cast<float>(CellTop(c.y) + kCellSize / 2)};
}
DemoClick SlotClick(int slot) {
  const HitBox box = PaletteSlot(slot);
  return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}
DemoClick DepartClick() { return {(kDepartButton.left + kDepartButton.right) / 2, (kDepartButton.top + kDepartButton.bottom) / 2}; }

template <class Pool>
bool FirstActive(const Pool& pool, CellXY* cell) {
  for (int i = 0; i < pool.Length(); ++i) {
    if (pool[i]->active) {
      *cell = {pool[i]->x, pool[i]->y};
      return true;
    }
  }
  return false;
}

const c_cBlockTile* StonesAt(const c_cLevel& level, CellXY c) {
  for (int i = 0; i < level.blockTiles.Length(); ++i) {
    const c_cBlockTile* stones = level.blockTiles[i];
    if (stones->active && stones->x == c.x && stones->y == c.y) return stones;
  }
  return nullptr;
}

}  // namespace

bool DemoPlayer::NextClick(const Match& match, int playMs, DemoClick* click) {
  const c_cLevel& level = *match.board;
  if (check_ != Check::None && next_ < plan_.clicks.size()) {
    if (Taken(match, plan_.clicks[next_])) ++next_;
    check_ = Check::None;
  }
  // Enemies are driven off first, as a player would.
  CellXY enemy;
  if (FirstActive(level.bandits, &enemy) || FirstActive(level.indigens, &enemy)) {
    *click = CellClick(enemy);
    return true;
  }
  if (next_ >= plan_.clicks.size()) return false;
  const PlannedClick& c = plan_.clicks[next_];
  // The piece is picked from the palette ahead of its time.
  if (c.action == WorkAction::OrderPiece && match.run.selectedPiece != c.piece) {
    *click = SlotClick(c.piece);
    return true;
  }
  if (c.atMs > playMs || !Affordable(match, c)) return false;
  switch (c.action) {
    case WorkAction::ClearStones: check_ = Check::Stones; break;
    case WorkAction::OrderPiece: check_ = Check::Order; break;
    case WorkAction::EnterMine:
      check_ = Check::Mine;
      minersBefore_ = level.mine->workers;
      break;
    case WorkAction::SendOff:
      check_ = Check::SendOff;
      *click = DepartClick();
      return true;
  }
  *click = CellClick(c.cell);
  return true;
}

bool DemoPlayer::Taken(const Match& match, const PlannedClick& c) const {
  const c_cLevel& level = *match.board;
  switch (check_) {
    case Check::Order:
      return level.CellKind(c.cell.x, c.cell.y) == CellBlocked || level.CellKind(c.cell.x, c.cell.y) == c.piece;
    case Check::Stones: {
      const c_cBlockTile* stones = StonesAt(level, c.cell);
      return stones == nullptr || stones->removing == 1;
    }
    case Check::Mine: return level.mine->workers == minersBefore_ + 1;
    case Check::SendOff: return match.run.departNow == 1 || match.run.trainRunning == 1;
    case Check::None: break;
  }
  return false;
}

// What the status line shows allows the click: idle workers (or miners to
// take from the mine) and the iron for the piece; else the player waits.
bool DemoPlayer::Affordable(const Match& match, const PlannedClick& c) {
  const c_cLevel& level = *match.board;
  const bool worker = match.run.freeWorkers > 0 || (level.mine->active && level.mine->workers > 0);
  switch (c.action) {
    case WorkAction::ClearStones: return worker;
    case WorkAction::OrderPiece: return worker && match.run.iron >= PieceCost(c.piece);
    case WorkAction::EnterMine: return match.run.freeWorkers > 0;
    case WorkAction::SendOff: return true;
  }
  return false;
}
