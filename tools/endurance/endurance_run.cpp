#include "tools/endurance/endurance_run.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <sstream>

#include "game/screens/gui.h"
#include "game/session/main_game.h"
#include "game/screens/map.h"
#include "game/screens/menu.h"
#include "game/session/save_file.h"
#include "game/rules/state.h"
#include "app/app.h"
#include "host/files.h"
#include "host/game.h"
#include "runtime/gc.h"
#include "support/file_system.h"
#include "support/virtual_display.h"
#include "tools/endurance/invariants.h"
#include "game/solver/solution.h"

namespace {

using Clock = std::chrono::steady_clock;

// GLFW's codes, as a window system reports them.
constexpr int kLeftButton = 0;
constexpr int kRightButton = 1;
constexpr int kKeyEscape = 256;
constexpr int kKeyDigit1 = 49;
constexpr int kOtherKeys[] = {32, 257, 258, 259, 262, 263, 264, 265, 65, 77, 80, 81, 83, 90};
constexpr float kScreenWidth = 1024;
constexpr float kScreenHeight = 768;
// A level the solver plays longer than this (countdown, the ride and more)
// is restarted.
constexpr int kEpisodeLimitMs = 480000;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

long long ResidentBytes() {
  long long size = 0, resident = 0;
  if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%lld %lld", &size, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE);
}

// A point well inside a box (open boxes may reach to infinity).
void Inside(const HitBox& box, float* x, float* y) {
  const float right = box.right == kNoLimit ? box.left + 100 : box.right;
  const float bottom = box.bottom == kNoLimit ? box.top + 30 : box.bottom;
  *x = (box.left + right) / 2;
  *y = (box.top + bottom) / 2;
}

c_MainGame* App() { return static_cast<c_MainGame*>(currentApp.get()); }

// ---- The window system: a clock that moves only when the loop sleeps, one
// "window" that is always 1024 x 768, and input handed to the host's callbacks.
class EndurancePlatform final : public HostPlatform {
 public:
  // Called once between two updates, at the loop's first poll after an update.
  std::function<void()> beforeUpdate;

  bool Init() override { return initialised_ = true; }
  void Terminate() override { initialised_ = open_ = false; }
  bool Initialised() const override { return initialised_; }
  double Now() override { return initialised_ ? clock_ : 0.0; }
  void Sleep(double seconds) override {
    if (seconds > 0) clock_ += seconds;
  }
  void PollEvents() override {
    if (inputGiven_ || !beforeUpdate || sink_ == nullptr) return;
    inputGiven_ = true;
    beforeUpdate();
  }
  void WaitEvents() override {
    clock_ += 1.0 / kUpdateRate;
    PollEvents();
  }
  void OpenWindow(int, int, int, int, int, int, int, int, bool, const char*) override { open_ = initialised_; }
  void InstallCallbacks(HostInputSink* sink) override {
    sink_ = sink;
    sink->OnMousePosition(pointerX_, pointerY_);
  }
  bool WindowOpen() override { return open_ && !stopped_; }
  bool WindowIconified() override { return false; }
  bool WindowActive() override { return true; }
  void WindowSize(int* width, int* height) override { FramebufferSize(width, height); }
  void FramebufferSize(int* width, int* height) override {
    *width = open_ ? static_cast<int>(kScreenWidth) : 0;
    *height = open_ ? static_cast<int>(kScreenHeight) : 0;
  }
  void SwapBuffers() override {}
  bool KeyHeld(int) override { return false; }  // every key is released as it is pressed
  void CursorPosition(double* x, double* y) override {
    *x = pointerX_;
    *y = pointerY_;
  }
  void ShowCursor(bool) override {}
  bool Joystick(int, std::vector<float>*, std::vector<unsigned char>*) override { return false; }
  bool Headless() override { return true; }

  // The next poll hands out input again.
  void UpdateDone() { inputGiven_ = false; }
  void Stop() { stopped_ = true; }

  void Click(float x, float y, int button = kLeftButton) {
    pointerX_ = x;
    pointerY_ = y;
    sink_->OnMousePosition(x, y);
    sink_->OnMouseButton(button, HostInputSink::kActionPress);
    sink_->OnMouseButton(button, HostInputSink::kActionRelease);
  }
  void Click(const HitBox& box) {
    float x, y;
    Inside(box, &x, &y);
    Click(x, y);
  }
  void ClickCell(int cx, int cy) { Click(CellCentre(cx), CellCentre(cy)); }
  void Key(int glfwKey) {
    sink_->OnKey(glfwKey, HostInputSink::kActionPress);
    sink_->OnKey(glfwKey, HostInputSink::kActionRelease);
  }

 private:
  HostInputSink* sink_ = nullptr;
  bool initialised_ = false;
  bool open_ = false;
  bool stopped_ = false;
  bool inputGiven_ = false;
  double clock_ = 0;
  double pointerX_ = 512, pointerY_ = 384;
};

// ---- The host game, timed, with a hook after every update.
class EnduranceGame final : public BBGlfwGame {
 public:
  EnduranceGame(HostPlatform* platform, std::function<void()> afterUpdate)
      : BBGlfwGame(platform), afterUpdate_(std::move(afterUpdate)) {}
  ~EnduranceGame() override {
    if (currentGlfwGame == this) currentGlfwGame = nullptr;
  }
  void StepGame() override {
    const Clock::time_point start = Clock::now();
    BBGlfwGame::StepGame();
    longestUpdateMs = std::max(longestUpdateMs, Milliseconds(Clock::now() - start));
    if (afterUpdate_) afterUpdate_();
  }
  void CollectAfterCallback() override {
    const Clock::time_point start = Clock::now();
    BBGlfwGame::CollectAfterCallback();
    longestCollectorStepMs = std::max(longestCollectorStepMs, Milliseconds(Clock::now() - start));
  }

  double longestUpdateMs = 0;
  double longestCollectorStepMs = 0;

 private:
  std::function<void()> afterUpdate_;
};

// ---- The solver's player: plays each level it starts by the level's
// schedule, with an intention drawn at the start: win, lose (send the train
// off early), restart from the pause panel or quit from it to the menu.
class SolverPlayer {
 public:
  SolverPlayer(std::uint32_t seed, EnduranceReport* report) : rng_(seed), report_(report) {}

  // A new block of solver play: whatever state the game is in, it starts over.
  void Reset() {
    episode_ = Episode();
    pendingStart_ = false;
    pauseWant_ = PauseNone;
    check_ = CheckNone;
    lastScreen_ = -1;
  }

  void Act(EndurancePlatform& in) {
    c_MainGame* app = App();
    if (app->screen != lastScreen_) {
      lastScreen_ = app->screen;
      visitChoice_ = -1;
      hired_ = false;
    }
    check_ = CheckNone;
    switch (app->screen) {
      case ScreenTitle:
      case ScreenTheEnd:
        in.Click(kScreenWidth / 2, kScreenHeight / 2);
        break;
      case ScreenMenu:
        ActOnMenu(in);
        break;
      case ScreenScenarioMap:
        ActOnMap(in, app->scenarioMap);
        break;
      case ScreenPlaying:
        ActOnLevel(in, app);
        break;
      default:
        break;
    }
  }

  // After the update: the level's clocks, and whether the last planned click took.
  void Observe(int stepMs) {
    c_MainGame* app = App();
    if (!episode_.active || app->screen != ScreenPlaying) return;
    episode_.wallMs += stepMs;
    if (App()->Shown().flags.gamePaused == 0) episode_.elapsedMs += stepMs;
    c_cLevel* level = app->Shown().board;
    bool took = false;
    switch (check_) {
      case CheckNone:
        return;
      case CheckStones:
        for (int i = 0; i < level->blockTiles.Length(); ++i) {
          const c_cBlockTile* s = level->blockTiles[i];
          took = took || (s->active == 1 && s->removing == 1 && s->x == checkX_ && s->y == checkY_);
        }
        break;
      case CheckOrder:
        took = level->CellKind(checkX_, checkY_) == CellBlocked;
        break;
      case CheckMine:
        took = level->mine->workers == mineBefore_ + 1;
        break;
      case CheckSendOff:
        took = App()->Shown().run.departNow == 1 || App()->Shown().run.trainRunning == 1;
        break;
    }
    if (took) ++episode_.next;
    check_ = CheckNone;
  }

 private:
  enum Intent { IntentWin, IntentLose, IntentRestart, IntentQuit };
  enum PauseWant { PauseNone, PauseToRestart, PauseToQuit };
  enum Check { CheckNone, CheckStones, CheckOrder, CheckMine, CheckSendOff };
  struct Episode {
    bool active = false;
    int level = 0;
    Intent intent = IntentWin;
    int elapsedMs = 0;  // unpaused time of the level, as the schedule counts it
    int wallMs = 0;
    int triggerMs = 0;
    bool triggered = false;
    std::size_t next = 0;
  };

  int Percent() { return static_cast<int>(rng_() % 100); }

  const WorkPlan& PlanFor(int level) {
    auto it = plans_.find(level);
    if (it == plans_.end()) it = plans_.emplace(level, SolveLevel(level).plan).first;
    return it->second;
  }

  void ActOnMenu(EndurancePlatform& in) {
    // 1: a new game, 0: continue.
    if (visitChoice_ < 0) visitChoice_ = (gameState.progress.gameCompleted == 1 || Percent() < 3) ? 1 : 0;
    in.Click(visitChoice_ == 1 ? kMenuNewGame : kMenuContinue);
  }

  void ActOnMap(EndurancePlatform& in, c_cMap* map) {
    const int wanted = gameState.progress.currentLevel - 1;
    if (visitChoice_ < 0) {
      const int r = Percent();
      visitChoice_ = (levelStates[wanted] != LevelAvailable || r < 8) ? 1 : 0;  // 1: back to the menu
      wantHire_ = r >= 60 && gameState.progress.totalGold >= kWorkerPrice && gameState.progress.ownedWorkers < kMaxWorkers;
      if (visitChoice_ == 1) ++report_->solverMenuVisits;
    }
    if (visitChoice_ == 1) {
      in.Key(kKeyEscape);
    } else if (wantHire_ && !hired_) {
      in.Click(kBuyButton);
      hired_ = true;
      ++report_->workersHired;
    } else if (map->selectedLevel != wanted) {
      in.Click(IconBox(map->icons[wanted]));
    } else {
      in.Click(kStartButton);
      pendingStart_ = true;
    }
  }

  void BeginEpisode() {
    episode_ = Episode();
    episode_.active = true;
    episode_.level = gameState.progress.currentLevel;  // the map starts the current level
    const int r = Percent();
    episode_.intent = r < 60 ? IntentWin : r < 75 ? IntentLose : r < 90 ? IntentRestart : IntentQuit;
    episode_.triggerMs = 3000 + static_cast<int>(rng_() % 60000);
    pendingStart_ = false;
  }

  void AskPausePanel(EndurancePlatform& in, PauseWant want) {
    pauseWant_ = want;
    in.Key(kKeyEscape);
  }

  // Clicks an enemy on the board, if any; true when it did.
  static bool ChaseEnemy(EndurancePlatform& in, c_cLevel* level) {
    if (level->bandits[0]->active == 1) {
      in.ClickCell(level->bandits[0]->x, level->bandits[0]->y);
      return true;
    }
    for (int i = 0; i < level->indigens.Length(); ++i) {
      const c_cIndigens* raiders = level->indigens[i];
      if (raiders->active == 1) {
        in.ClickCell(raiders->x, raiders->y);
        return true;
      }
    }
    return false;
  }

  void ActOnLevel(EndurancePlatform& in, c_MainGame* app) {
    if (App()->Shown().flags.tutorialShowing == 1) {
      in.Click(kScreenWidth / 2, kScreenHeight / 2);
      return;
    }
    if (App()->Shown().run.trainArrived == 1 || App()->Shown().run.trainCrashed == 1) {
      episode_.active = false;
      const int r = Percent();
      const bool retry = App()->Shown().run.trainArrived == 1 ? (r >= 80 && r < 90) : r < 75;
      const bool menu = App()->Shown().run.trainArrived == 1 ? r >= 90 : !retry;
      if (retry) {
        in.Click(App()->Shown().run.trainArrived == 1 ? kWonRetry : kFailedRetry);
        pendingStart_ = true;
      } else if (menu) {
        in.Click(App()->Shown().run.trainArrived == 1 ? kWonMenu : kFailedMenu);
      } else {
        in.Click(kWonContinue);
      }
      return;
    }
    if (App()->Shown().flags.gamePaused == 1) {
      if (pauseWant_ == PauseToRestart) {
        in.Click(kPauseButtons[PauseRestart]);
        pendingStart_ = true;
        episode_.active = false;
        ++report_->solverRestarts;
      } else if (pauseWant_ == PauseToQuit) {
        in.Click(kPauseButtons[PauseQuit]);
        episode_.active = false;
        ++report_->solverQuits;
      } else {
        in.Click(kPauseButtons[PauseResume]);
      }
      pauseWant_ = PauseNone;
      return;
    }
    if (!episode_.active) {
      if (!pendingStart_) {
        // A level someone else started: start it again from the pause panel.
        AskPausePanel(in, PauseToRestart);
        return;
      }
      BeginEpisode();
    }
    c_cLevel* level = app->Shown().board;
    if (ChaseEnemy(in, level)) return;
    if (episode_.wallMs > kEpisodeLimitMs) {
      AskPausePanel(in, PauseToRestart);
      return;
    }
    if (episode_.intent != IntentWin && !episode_.triggered && episode_.elapsedMs >= episode_.triggerMs) {
      episode_.triggered = true;
      if (episode_.intent == IntentLose) {
        in.Click(kDepartButton);
        ++report_->solverLosses;
      } else {
        AskPausePanel(in, episode_.intent == IntentRestart ? PauseToRestart : PauseToQuit);
      }
      return;
    }
    const WorkPlan& plan = PlanFor(episode_.level);
    if (episode_.next >= plan.clicks.size() || plan.clicks[episode_.next].atMs > episode_.elapsedMs) return;
    const PlannedClick& c = plan.clicks[episode_.next];
    checkX_ = c.cell.x;
    checkY_ = c.cell.y;
    switch (c.action) {
      case WorkAction::ClearStones:
        in.ClickCell(c.cell.x, c.cell.y);
        check_ = CheckStones;
        break;
      case WorkAction::OrderPiece:
        if (App()->Shown().run.selectedPiece != c.piece) {
          // The palette, or its key: one update to choose, the next to order.
          if (Percent() < 50) {
            in.Click(PaletteSlot(c.piece));
          } else {
            in.Key(kKeyDigit1 + c.piece);
          }
          return;
        }
        in.ClickCell(c.cell.x, c.cell.y);
        check_ = CheckOrder;
        break;
      case WorkAction::EnterMine:
        mineBefore_ = level->mine->workers;
        in.ClickCell(c.cell.x, c.cell.y);
        check_ = CheckMine;
        break;
      case WorkAction::SendOff:
        in.Click(kDepartButton);
        check_ = CheckSendOff;
        break;
    }
  }

  std::mt19937 rng_;
  EnduranceReport* report_;
  std::map<int, WorkPlan> plans_;
  Episode episode_;
  bool pendingStart_ = false;
  PauseWant pauseWant_ = PauseNone;
  Check check_ = CheckNone;
  int checkX_ = 0, checkY_ = 0, mineBefore_ = 0;
  int lastScreen_ = -1;
  int visitChoice_ = -1;
  bool wantHire_ = false;
  bool hired_ = false;
};

// ---- The random player: about four actions a second, half of the clicks
// anywhere, a quarter on something the screen shows, and keys. Two buttons of
// the menu are never clicked: quit ends the process, and new game would throw
// the campaign away, so that the solver's blocks would only ever replay the
// first levels (the solver itself starts new games).
class RandomPlayer {
 public:
  RandomPlayer(std::uint32_t seed, EnduranceReport* report) : rng_(seed), report_(report) {}

  void Act(EndurancePlatform& in) {
    if (rng_() % 8 != 0) return;
    const int r = static_cast<int>(rng_() % 100);
    float x = Uniform(kScreenWidth), y = Uniform(kScreenHeight);
    if (r < 75) {
      if (r >= 50) Target(&x, &y);
      while (App()->screen == ScreenMenu && (kMenuQuit.Contains(x, y) || kMenuNewGame.Contains(x, y))) {
        x = Uniform(kScreenWidth);
        y = Uniform(kScreenHeight);
      }
      in.Click(x, y);
      ++report_->randomClicks;
    } else if (r < 80) {
      in.Click(x, y, kRightButton);
      ++report_->randomClicks;
    } else if (r < 82) {
      in.Key(kKeyEscape);
      ++report_->randomKeys;
    } else if (r < 95) {
      in.Key(kKeyDigit1 + static_cast<int>(rng_() % kPaletteSlots));
      ++report_->randomKeys;
    } else {
      in.Key(kOtherKeys[rng_() % (sizeof kOtherKeys / sizeof kOtherKeys[0])]);
      ++report_->randomKeys;
    }
  }

 private:
  float Uniform(float limit) { return static_cast<float>(rng_() % static_cast<unsigned>(limit * 4)) / 4.0f; }

  // A point on one of the current screen's controls or cells.
  void Target(float* x, float* y) {
    c_MainGame* app = App();
    const int pick = static_cast<int>(rng_() % 6);
    switch (app->screen) {
      case ScreenMenu: {
        const HitBox boxes[] = {kMenuContinue, kMenuMusic, kMenuSound, kMenuFullScreen, kMenuContinue, kMenuContinue};
        Inside(boxes[pick], x, y);
        break;
      }
      case ScreenScenarioMap:
        if (pick < 3) {
          Inside(IconBox(app->scenarioMap->icons[static_cast<int>(rng_() % kLevelCount)]), x, y);
        } else {
          Inside(pick < 5 ? kStartButton : kBuyButton, x, y);
        }
        break;
      case ScreenPlaying:
        if (pick < 3) {
          *x = static_cast<float>(CellCentre(static_cast<int>(rng_() % kColumns)));
          *y = static_cast<float>(CellCentre(static_cast<int>(rng_() % kRows)));
        } else if (pick == 3) {
          Inside(PaletteSlot(static_cast<int>(rng_() % kPaletteSlots)), x, y);
        } else if (pick == 4) {
          const HitBox boxes[] = {kDepartButton, kPauseButton, kWonContinue, kWonRetry, kWonMenu, kFailedRetry, kFailedMenu};
          Inside(boxes[rng_() % 7], x, y);
        } else {
          Inside(kPauseButtons[rng_() % kPauseButtonCount], x, y);
        }
        break;
      default:
        break;
    }
  }

  std::mt19937 rng_;
  EnduranceReport* report_;
};

// ---- The run.
std::mt19937 calendarRng;
std::int64_t RunCalendar() { return 1700000000 + static_cast<std::int64_t>(calendarRng() % 100000000); }

gc_global<c_MainGame*> enduranceApp;

class Run {
 public:
  Run(const EnduranceOptions& options, EnduranceReport* report)
      : options_(options),
        report_(report),
        solver_(options.seed * 2654435761u + 1, report),
        random_(options.seed * 40503u + 7, report) {}

  void Play() {
    InitGameGlobals();
    calendarRng.seed(options_.seed);
    SetCalendarSource(RunCalendar);
    SetStateFolder(options_.stateFolder);
    platform_.Init();
    platform_.beforeUpdate = [this] { BeforeUpdate(); };
    game_ = std::make_unique<EnduranceGame>(&platform_, [this] { AfterUpdate(); });
    enduranceApp = new c_MainGame(false);
    endMs_ = options_.gameMinutes * 60000.0;
    // Room for every sample, so that the samples themselves do not grow the process.
    report_->samples.reserve(static_cast<std::size_t>(options_.gameMinutes * 60.0 / options_.sampleSeconds) + 2);
    const Clock::time_point start = Clock::now();
    game_->RunLoop();
    report_->realSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    report_->longestCollectorStepMs = game_->longestCollectorStepMs;
    report_->longestUpdateMs = game_->longestUpdateMs;
    report_->gameMinutes = App()->match->clock.lastMillisecs / 60000.0;
    CheckStateFile();

    platform_.Terminate();
    enduranceApp = nullptr;
    InitAppGlobals();
    currentVirtualDisplay = nullptr;
    fileSystem = nullptr;
    GcCollectAll();
    game_.reset();
    SetCalendarSource(nullptr);
    SetStateFolder("./");
  }

 private:
  bool SolverBlock() const {
    return static_cast<long long>(App()->match->clock.lastMillisecs / (options_.phaseMinutes * 60000.0)) % 2 == 0;
  }

  void BeforeUpdate() {
    const bool solver = SolverBlock();
    if (solver && !inSolverBlock_) solver_.Reset();
    inSolverBlock_ = solver;
    if (solver) {
      solver_.Act(platform_);
    } else {
      random_.Act(platform_);
    }
  }

  void AfterUpdate() {
    platform_.UpdateDone();
    ++report_->updates;
    c_MainGame* app = App();
    const int stepMs = App()->match->clock.lastMillisecs - previousMs_;
    previousMs_ = App()->match->clock.lastMillisecs;
    if (inSolverBlock_) solver_.Observe(stepMs);
    Count(app);
    const std::string fault = CheckGameInvariants(app->Shown(), app->screen == ScreenPlaying);
    if (!fault.empty()) {
      report_->violation = fault;
      report_->violationAtMinutes = App()->match->clock.lastMillisecs / 60000.0;
      platform_.Stop();
      return;
    }
    if (App()->match->clock.lastMillisecs >= nextSampleMs_) Sample(app);
    if (App()->match->clock.lastMillisecs >= endMs_) platform_.Stop();
  }

  // What was played, from the flags' changes.
  void Count(c_MainGame* app) {
    const bool playing = app->screen == ScreenPlaying;
    const bool started = playing && (!wasPlaying_ || app->Shown().train->countdown < lastCountdown_ ||
                                      (App()->Shown().run.trainArrived == 0 && App()->Shown().run.trainCrashed == 0 && (wasArrived_ || wasCrashed_)));
    if (started) ++report_->levelsStarted;
    // The level on the board (a win moves the current level on at once); a
    // match of no number (the map's daily line) counts, but under no level.
    const int number = App()->Shown().run.levelNumber;
    const bool campaignLevel = number >= 1 && number <= kLevelCount;
    if (playing && App()->Shown().run.trainArrived == 1 && !wasArrived_) {
      ++report_->levelsWon;
      report_->highestLevelWon = std::max(report_->highestLevelWon, number);
      if (campaignLevel) ++report_->wonByLevel[number - 1];
    }
    if (playing && App()->Shown().run.trainCrashed == 1 && !wasCrashed_) {
      ++report_->levelsLost;
      if (campaignLevel) ++report_->lostByLevel[number - 1];
    }
    if (app->screen == ScreenTheEnd && lastScreen_ != ScreenTheEnd) ++report_->gamesCompleted;
    wasPlaying_ = playing;
    wasArrived_ = playing && App()->Shown().run.trainArrived == 1;
    wasCrashed_ = playing && App()->Shown().run.trainCrashed == 1;
    lastCountdown_ = app->Shown().train->countdown;
    lastScreen_ = app->screen;
  }

  void Sample(c_MainGame* app) {
    const double minutes = App()->match->clock.lastMillisecs / 60000.0;
    nextSampleMs_ += options_.sampleSeconds * 1000.0;
    const long long counter = GcGetStats().liveBytes;
    const Clock::time_point start = Clock::now();
    GcCollectAll(currentGame->CurrentDelegate());
    report_->longestFullCollectionMs =
        std::max(report_->longestFullCollectionMs, Milliseconds(Clock::now() - start));
    const GcListCounts n = GcCountObjects();
    report_->samples.push_back(
        {minutes, GcGetStats().liveBytes, n.unmarked + n.marked + n.queued, counter, ResidentBytes(), app->screen});
    if (options_.progress && App()->match->clock.lastMillisecs >= nextProgressMs_) {
      nextProgressMs_ += 3600000.0;
      std::fprintf(stderr, "endurance: %.0f game minutes, %lld updates, live heap %lld, resident %lld\n", minutes,
                   report_->updates, report_->samples.back().liveBytes, report_->samples.back().residentBytes);
    }
  }

  void CheckStateFile() {
    std::ifstream in(StateFilePath(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    report_->stateText = text.str();
    report_->stateProblem = CheckStateText(report_->stateText, report_->saveValues);
    if (report_->stateProblem.empty() && fileSystem.get() != nullptr &&
        fileSystem->BuildStateText().ToUtf8() != report_->stateText) {
      report_->stateProblem = "the state file differs from the game's last save";
    }
    // A save writes a temporary file and renames it: nothing else may be left,
    // but the levels the editor saved (random play reaches the editor's Save),
    // whose temporary files are hidden ones.
    report_->stateProblem += LeftOver(options_.stateFolder, report_->stateProblem.empty(), true);
  }

  // The first name in the folder no save leaves there, as the problem's
  // words ("" for none, or when a problem is known already).
  static std::string LeftOver(const std::string& path, bool look, bool stateFolder) {
    std::string problem;
    DIR* folder = look ? opendir(path.c_str()) : nullptr;
    if (folder == nullptr) return problem;
    while (dirent* entry = readdir(folder)) {
      const std::string name = entry->d_name;
      if (name == "." || name == ".." || !problem.empty()) continue;
      if (stateFolder && name == "levels") {
        problem = LeftOver(path + "/levels", true, false);
      } else if (stateFolder ? name != ".tarvexstate" : name[0] == '.') {
        problem = (stateFolder ? "the state folder also holds " : "the levels folder also holds ") + name;
      }
    }
    closedir(folder);
    return problem;
  }

  EnduranceOptions options_;
  EnduranceReport* report_;
  EndurancePlatform platform_;
  std::unique_ptr<EnduranceGame> game_;
  SolverPlayer solver_;
  RandomPlayer random_;
  bool inSolverBlock_ = false;
  double endMs_ = 0;
  double nextSampleMs_ = 0;
  double nextProgressMs_ = 3600000.0;
  int previousMs_ = 0;
  bool wasPlaying_ = false, wasArrived_ = false, wasCrashed_ = false;
  int lastCountdown_ = 0;
  int lastScreen_ = -1;
};

}  // namespace

EnduranceReport RunEndurance(const EnduranceOptions& options) {
  EnduranceReport report;
  Run run(options, &report);
  run.Play();
  return report;
}

std::string CheckStateText(const std::string& text, int values[kSaveValueCount]) {
  if (text.empty()) return "there is no state file";
  c_FileSystem* fs = new c_FileSystem();
  fs->separator = String("\t");
  fs->LoadFilesFromText(String::FromUtf8(text));
  c_FileStream* save = fs->OpenFile(String(kSaveFileName));
  if (save == nullptr) return "the state text holds no " + std::string(kSaveFileName);
  if (save->valueCount != kSaveValueCount) {
    return std::string(kSaveFileName) + " holds " + std::to_string(save->valueCount) + " values";
  }
  for (int i = 0; i < kSaveValueCount; ++i) values[i] = save->NextInt();
  if (!save->lastError.Empty()) return "reading " + std::string(kSaveFileName) + ": " + save->lastError.ToUtf8();
  const int level = values[0], workers = values[3], completed = values[4];
  if (level < 1 || level > kLevelCount) return "the saved level is " + std::to_string(level);
  if (values[1] < 0 || values[2] < 0) return "a saved total is negative";
  if (workers < kNewGameWorkers || workers > kMaxWorkers) return "the saved workers are " + std::to_string(workers);
  if (completed != 0 && completed != 1) return "the saved completion flag is " + std::to_string(completed);
  for (int i = 0; i < kLevelCount; ++i) {
    const int state = values[6 + i];
    if (state < LevelLocked || state > LevelAvailable) {
      return "level " + std::to_string(i + 1) + " is saved as " + std::to_string(state);
    }
  }
  return "";
}

bool StaysFlat(const std::vector<long long>& series, double margin, long long slack) {
  if (series.size() < 2) return true;
  const std::size_t half = series.size() / 2;
  const long long first = *std::max_element(series.begin(), series.begin() + half);
  const long long second = *std::max_element(series.begin() + half, series.end());
  return second <= static_cast<long long>(first * (1.0 + margin)) + slack;
}
