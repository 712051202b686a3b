// The whole game on the fake clock: the real c_MainGame without media (no
// picture, sound or music) on a host over the fake window system, driven
// through the host's own input path (pointer, buttons, keys) one update at a
// time, with its state file in a fresh folder of its own.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "game/session/main_game.h"
#include "game/rules/progress.h"
#include "game/rules/state.h"
#include "host/files.h"
#include "host/game.h"
#include "support/file_system.h"
#include "support/virtual_display.h"
#include "tests/host/fake_platform.h"

// GLFW's codes, as the window system reports them.
constexpr int kGlfwLeftButton = 0;
constexpr int kGlfwRightButton = 1;
constexpr int kGlfwEscape = 256;
constexpr int kGlfwDigit1 = 49;

inline std::int64_t MainGameCalendar() { return 1700000000; }
inline gc_global<c_MainGame*> fixtureMainGame;

class MainGameFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    InitAppGlobals();
    currentVirtualDisplay = nullptr;
    fileSystem = nullptr;
    ResetGameState();
    SetRulesVersion(kNewestRules);  // a test of the first rules sets them itself
    SetCalendarSource(MainGameCalendar);
    char pattern[] = "/tmp/tarvex-game-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = std::string(pattern) + "/";
    SetStateFolder(folder);
    platform.Init();
    game = std::make_unique<BBTarvexGame>(&platform);
  }

  void TearDown() override {
    EndProgram();
    SetCalendarSource(nullptr);
    SetStateFolder("./");
    std::system(("rm -rf '" + folder + "'").c_str());
  }

  // The program gone, with everything it held; the state file stays.
  void EndProgram() {
    fixtureMainGame = nullptr;
    InitAppGlobals();
    currentVirtualDisplay = nullptr;
    fileSystem = nullptr;
    GcCollectAll();
    game.reset();
  }
  // A new run of the program over the same state file, started.
  void RestartProgram() {
    EndProgram();
    ResetGameState();
    game = std::make_unique<BBTarvexGame>(&platform);
    Start();
  }

  // Opens the window and starts the game as the host's loop does.
  void Start() {
    app = new c_MainGame(false);
    fixtureMainGame = app;
    game->OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, false);
    game->BeginGame();
  }

  // One update ms after the previous one (the clock is whole milliseconds).
  void Update(int ms = 33) {
    clockMs += ms;
    platform.now = (clockMs + 0.5) / 1000.0;
    game->StepGame();
  }
  void Run(int ms) {
    for (int end = clockMs + ms; clockMs < end;) Update();
  }

  // A button pressed and released at (x, y) of the 1024 x 768 window, then the
  // update that sees it.
  void Click(float x, float y, int button = kGlfwLeftButton) {
    platform.cursorX = x;
    platform.cursorY = y;
    game->OnMousePosition(x, y);
    game->OnMouseButton(button, HostInputSink::kActionPress);
    game->OnMouseButton(button, HostInputSink::kActionRelease);
    Update();
  }
  void Key(int glfwKey) {
    game->OnKey(glfwKey, HostInputSink::kActionPress);
    game->OnKey(glfwKey, HostInputSink::kActionRelease);
    Update();
  }

  // ---- The ways through the screens a player takes ----
  void PassLogo() { Run(kLogoMilliseconds + 100); }
  void ToMenu() {
    PassLogo();
    Click(500, 400);
  }
  void ToMap(bool newGame) {
    ToMenu();
    Click(800, newGame ? 340 : 220);
  }
  // Starts the map's available level (selected when the map opened).
  void StartSelectedLevel() { Click(850, 720); }
  void ReadTutorialAway() {
    for (int i = 0; i < 12 && Played().flags.tutorialShowing == 1; ++i) Click(500, 400);
  }
  // A new game's first level with its tutorial read.
  void PlayFirstLevel() {
    ToMap(true);
    StartSelectedLevel();
    ReadTutorialAway();
  }
  // Track from the start along its row to the finish's column, then up or
  // down to the finish, whatever stands there; and the train sent off.
  void LayTrackAndDepart() {
    c_cLevel* level = app->match->board;
    const int sx = level->startX, sy = level->startY, fx = level->finishX, fy = level->finishY;
    for (int x = sx; x < fx; ++x) level->SetCellKind(x, sy, PieceStraightWE);
    if (fy == sy) {
      level->SetCellKind(fx, fy, PieceStraightWE);
    } else {
      level->SetCellKind(fx, sy, fy < sy ? PieceCurveWN : PieceCurveWS);
      const int step = fy < sy ? -1 : 1;
      for (int y = sy + step; y != fy + step; y += step) level->SetCellKind(fx, y, PieceStraightNS);
    }
    Click(540, 13);
  }
  void RunUntil(const int& flag, int limitMs = 60000) {
    for (int end = clockMs + limitMs; flag != 1 && clockMs < end;) Update();
  }

  // ---- The state file ----
  std::string StatePath() const { return folder + ".tarvexstate"; }
  void WriteState(const std::string& text) const { std::ofstream(StatePath(), std::ios::binary) << text; }
  std::string ReadState(const std::string& name = ".tarvexstate") const {
    std::ifstream in(folder + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  // The match on the screen: the player's, or a demonstration's while it runs.
  Match& Played() const { return app->Shown(); }

  FakePlatform platform;
  std::unique_ptr<BBTarvexGame> game;
  c_MainGame* app = nullptr;
  std::string folder;
  int clockMs = 0;
};
