// A level on the fake clock: a host game over the fake window system (so the
// game's clock is the platform's), fresh game state, a board with its pools and
// a train, a fixed calendar, and helpers to start a level, click and move time.
// Nothing here opens a window or loads a picture.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "game/rules/board.h"
#include "game/rules/layouts.h"
#include "game/rules/play_step.h"
#include "game/rules/state.h"
#include "game/rules/train.h"
#include "host/game.h"
#include "tests/host/fake_platform.h"

// The calendar second the fixture's levels start in; tests may change it.
inline std::int64_t fixtureCalendarSeconds = 1700000000;
inline std::int64_t FixtureCalendar() { return fixtureCalendarSeconds; }

inline gc_global<c_cLevel*> fixtureLevel;
inline gc_global<c_cTrain*> fixtureTrain;

class GameFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    fixtureCalendarSeconds = 1700000000;
    SetCalendarSource(FixtureCalendar);
    platform.Init();
    game = std::make_unique<BBTarvexGame>(&platform);
    level = new c_cLevel();
    fixtureLevel = level;
    level->CreateLevelPools();
    train = new c_cTrain();
    fixtureTrain = train;
    SetClock(1000);
    AdvanceGameClock();
  }
  void TearDown() override {
    fixtureLevel = nullptr;
    fixtureTrain = nullptr;
    SetCalendarSource(nullptr);
    game.reset();
  }

  // The game's clock reads ms from now on (exactly, whatever the rounding).
  void SetClock(int ms) {
    clockMs = ms;
    platform.now = (ms + 0.5) / 1000.0;
  }

  // Lays out level n and places the train, as a level start does.
  void StartLevel(int n, int workers = 5) {
    gameState.progress.currentLevel = n;
    gameState.progress.ownedWorkers = workers;
    LayOutLevel(level);
    train->PlaceTrain(level->startX - 1, level->startY, level->finishX, level->finishY);
  }

  // One playing update ms after the previous one (the clock, then the
  // level's step), followed by a collector step as the host runs one.
  void Step(int ms = 33) {
    SetClock(clockMs + ms);
    AdvanceGameClock();
    RunLevelStep(level, train);
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
  c_cLevel* level = nullptr;
  c_cTrain* train = nullptr;
  int clockMs = 0;
  int updates = 0;
};
