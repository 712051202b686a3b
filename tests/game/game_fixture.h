// A level on the fake clock: a host game over the fake window system (so the
// game's clock is the platform's), fresh game state, a match (a board with its
// pools and a train), a fixed calendar, and helpers to start a level, click and move time.
// Nothing here opens a window or loads a picture.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "game/rules/board.h"
#include "game/rules/layouts.h"
#include "game/rules/match.h"
#include "game/rules/play_step.h"
#include "game/rules/state.h"
#include "game/rules/train.h"
#include "host/game.h"
#include "tests/host/fake_platform.h"

// The calendar second the fixture's levels start in; tests may change it.
inline std::int64_t fixtureCalendarSeconds = 1700000000;
inline std::int64_t FixtureCalendar() { return fixtureCalendarSeconds; }

inline gc_global<Match*> fixtureMatch;

class GameFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    fixtureCalendarSeconds = 1700000000;
    SetCalendarSource(FixtureCalendar);
    platform.Init();
    game = std::make_unique<BBTarvexGame>(&platform);
    match = new Match();
    fixtureMatch = match;
    match->player = &progress;
    level = match->board;
    train = match->train;
    SetClock(1000);
    AdvanceGameClock(match->clock);
  }
  void TearDown() override {
    fixtureMatch = nullptr;
    SetCalendarSource(nullptr);
    game.reset();
  }

  // The game's clock reads ms from now on (exactly, whatever the rounding).
  void SetClock(int ms) {
    clockMs = ms;
    platform.now = (ms + 0.5) / 1000.0;
  }

  // Starts level n on the match with a crew of `workers`, as a level start
  // does.
  void StartLevel(int n, int workers = 5) {
    MatchStart start;
    start.levelNumber = n;
    start.workers = workers;
    StartMatch(*match, LevelLayoutOf(n), start);
  }

  // One playing update ms after the previous one (the clock, then the
  // level's step), followed by a collector step as the host runs one.
  void Step(int ms = 33) {
    SetClock(clockMs + ms);
    AdvanceGameClock(match->clock);
    RunLevelStep(*match);
    CollectStep();
  }
  // Updates of 33 or 34 ms (a 30 Hz rhythm) until at least ms have passed.
  void Run(int ms) {
    const int end = clockMs + ms;
    while (clockMs < end) Step((updates++ % 3 == 2) ? 34 : 33);
  }

  // A left click on the board at virtual pixel (x, y), as the playing update
  // passes it on.
  void ClickBoard(float x, float y) { level->ClickBoard(x, y); }
  void ClickCell(int x, int y) { level->ClickBoard(CellLeft(x) + 37.0f, CellTop(y) + 37.0f); }

  FakePlatform platform;
  std::unique_ptr<BBTarvexGame> game;
  // The match the test plays, its board and its train, and the progress its
  // enemies' introduction pages count in.
  Progress progress;
  Match* match = nullptr;
  c_cLevel* level = nullptr;
  c_cTrain* train = nullptr;
  int clockMs = 0;
  int updates = 0;
};
