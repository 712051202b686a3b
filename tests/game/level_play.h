// Playing a level as the player does, for the economy and hazard tests: start
// it with its tutorial already clicked away, pick a palette slot and click a
// cell, and read the floating texts the board shows.
#pragma once

#include <string>
#include <vector>

#include "tests/game/game_fixture.h"

class LevelPlay : public GameFixture {
 protected:
  // Level n laid out and ready to play (a tutorial page, if any, dismissed).
  void Play(int n, int workers = 5) {
    StartLevel(n, workers);
    match->flags.tutorialShowing = 0;
    match->flags.gamePaused = 0;
  }
  // Chooses a palette slot and clicks a cell with it.
  void Use(int slot, int x, int y) {
    match->run.selectedPiece = slot;
    ClickCell(x, y);
  }
  int Kind(int x, int y) const { return level->CellKind(x, y); }
  c_cGoldMine* Mine() const { return level->mine; }
  c_cBandits* Bandits() const { return level->bandits[0]; }

  // The texts on the board in pool order, as "kind:text@x,y".
  std::vector<std::string> Texts() const {
    std::vector<std::string> shown;
    for (int i = 0; i < level->scoreTexts.Length(); ++i) {
      const c_cScoreText* t = level->scoreTexts[i];
      if (t->active == 1) {
        shown.push_back(std::to_string(t->kind) + ":" + t->text.ToUtf8() + "@" + std::to_string(t->x) +
                        "," + std::to_string(t->y));
      }
    }
    return shown;
  }
  int ActiveCount(const Array<c_cIndigens*>& pool) const {
    int n = 0;
    for (int i = 0; i < pool.Length(); ++i) n += pool[i]->active;
    return n;
  }
  // Steps updates of 33 ms until done() holds or ms have passed; returns
  // whether it held.
  template <class Done>
  bool RunUntil(Done done, int ms) {
    const int end = clockMs + ms;
    while (!done()) {
      if (clockMs >= end) return false;
      Step();
    }
    return true;
  }
};

// Where the next draw of the game's generator lands: sets the seed so that the
// next unit draw is top24 / 2^24 (top24 below 2^24).
inline void SetNextUnitDraw(RandomGenerator& random, std::uint32_t top24) {
  // The inverse of the multiplier modulo 2^32, by Newton's iteration.
  std::uint32_t inverse = 1664525u;
  for (int i = 0; i < 5; ++i) inverse *= 2u - 1664525u * inverse;
  random.seed = ((top24 << 8) - 1013904223u) * inverse;
}
