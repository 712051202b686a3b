#include "tools/campaign/scripted_player.h"
#include "tools/campaign/editor_tour.h"
#include "tools/campaign/settings_tour.h"

#include <memory>
#include <string>
#include <vector>

#include "game/rules/board.h"
#include "game/rules/economy.h"
#include "game/screens/daily_panel.h"
#include "game/screens/gui.h"
#include "game/session/main_game.h"
#include "game/session/replay_session.h"
#include "game/rules/state.h"
#include "host/files.h"
#include "host/game.h"
#include "host/memory_files.h"
#include "host/recording_platform.h"
#include "support/file_system.h"
#include "support/virtual_display.h"
#include "game/solver/board_model.h"
#include "game/solver/solution.h"

namespace {

struct Point {
  int x, y;
};

// What the player does before one update: a left click at a point, or a
// key pressed and released (by the window system's key code).
struct Input {
  int key = 0;  // 0: a click at `at`
  Point at{0, 0};
};

// The window system's codes of the keys the keys-only run presses.
constexpr int kGlfwSpace = 32;
constexpr int kGlfwDigit1 = 49;
constexpr int kGlfwE = 69;
constexpr int kGlfwQ = 81;
constexpr int kGlfwT = 84;
constexpr int kGlfwEnter = 257;
constexpr int kGlfwEscape = 256;
constexpr int kGlfwRight = 262;
constexpr int kGlfwLeft = 263;
constexpr int kGlfwDown = 264;
constexpr int kGlfwUp = 265;

// Where the player clicks, on the virtual 1024 x 768 screen.
constexpr Point kAnywhere{512, 384};     // the title, a page, the end picture
constexpr Point kMenuNewGame{800, 340};  // the menu's bands right of x 667
constexpr Point kMenuContinue{800, 220};
constexpr Point kMapStart{850, 720};
constexpr Point kDepart{540, 13};
constexpr Point kPause{960, 735};
constexpr Point kPanelResume{514, 340};
constexpr Point kPanelQuit{514, 545};
constexpr Point kWonContinue{630, 505};
constexpr Point kWonRetry{513, 505};
constexpr Point kWonMenu{397, 505};
constexpr Point kMapFirstLevel{150, 108};
constexpr Point kFailedMenu{410, 425};
constexpr Point kMapDailyCorner{static_cast<int>(kDailyButton.left + kDailyButton.right) / 2,
                                 static_cast<int>(kDailyButton.top + kDailyButton.bottom) / 2};

Point CellCentre(CellXY c) { return {CellLeft(c.x) + kCellSize / 2, CellTop(c.y) + kCellSize / 2}; }
Point SlotCentre(int slot) {
  return {kPaletteLeft + kPaletteSlotPitch * slot + kPaletteSlotSize / 2, kPaletteTop + kPaletteSlotSize / 2};
}

// How long the player looks at the pause panel before choosing, in updates.
constexpr int kPanelUpdates = 60;
// How long the end picture shows before the run stops, in updates.
constexpr int kEndUpdates = 30;
// How long the daily run looks at its won panel, and at the map after it.
constexpr int kLookUpdates = 150;
// Updates a run may take at most (a little under three hours of game time).
constexpr int kUpdateLimit = 300000;
// Game time into a level when the pause button is pressed, and when the game
// is quit.
constexpr int kPauseAtMs = 10000;
constexpr int kQuitAtMs = 15000;

c_MainGame* App() { return static_cast<c_MainGame*>(currentApp.get()); }

// The player's level while no board shows (a custom match's number is 0).
constexpr int kOffBoard = -1;

const c_cBlockTile* StonesAt(const c_cLevel& level, CellXY c) {
  for (int i = 0; i < level.blockTiles.Length(); ++i) {
    const c_cBlockTile* stones = level.blockTiles[i];
    if (stones->active && stones->x == c.x && stones->y == c.y) return stones;
  }
  return nullptr;
}

// An enemy on the board, the first in the game's order; false when none.
bool EnemyAt(const c_cLevel& level, CellXY* cell) {
  for (int i = 0; i < level.bandits.Length(); ++i) {
    if (level.bandits[i]->active) {
      *cell = {level.bandits[i]->x, level.bandits[i]->y};
      return true;
    }
  }
  for (int i = 0; i < level.indigens.Length(); ++i) {
    if (level.indigens[i]->active) {
      *cell = {level.indigens[i]->x, level.indigens[i]->y};
      return true;
    }
  }
  return false;
}

// What the player does, decided once before each update from what shows.
class Player {
 public:
  explicit Player(ScriptedRun run) : run_(run), editorTour_(run == ScriptedRun::EditorRefused) {}

  // The click or key to make before the update at nowMs, if any.
  bool Next(int nowMs, Input* input) {
    *input = Input{};
    Point* click = &input->at;
    key_ = &input->key;
    const int delta = nowMs - lastMs_;
    lastMs_ = nowMs;
    if (++updates_ > kUpdateLimit) return Fail("the run took too long");
    c_MainGame* app = App();
    if (app == nullptr || done_ || !error_.empty()) return false;
    if (run_ == ScriptedRun::Settings) return Tour(input);
    const bool editorRun = run_ == ScriptedRun::Editor || run_ == ScriptedRun::EditorRefused;
    if (app->screen != ScreenPlaying) {
      planned_ = false;
      if (run_ == ScriptedRun::KeysOnly && app->screen == ScreenScenarioMap && level_ != kOffBoard) {
        // Back on the map after the won panel: the run is over.
        done_ = true;
        return false;
      }
      // A custom level is played from its first update to its train's arrival.
      if (run_ == ScriptedRun::CustomLevel) return Fail("the level was left before the train arrived");
      level_ = kOffBoard;
      running_ = false;
    }
    if (app->screen != screenBefore_) {
      screenBefore_ = app->screen;
      screenKeys_ = 0;
    }
    if (run_ == ScriptedRun::KeysOnly && app->screen != ScreenPlaying) return KeysOffTheBoard(app->screen);
    if (editorRun && app->screen != ScreenPlaying) return EditorTourNext(input);
    switch (app->screen) {
      case ScreenLogo:
        return false;
      case ScreenTitle:
        return Click(kAnywhere, click);
      case ScreenMenu:
        if ((run_ == ScriptedRun::LostLevel && lost_) || finished_) {
          done_ = true;
          return false;
        }
        return Click(quitDone_ || run_ == ScriptedRun::DailyLine ? kMenuContinue : kMenuNewGame, click);
      case ScreenScenarioMap:
        if (run_ == ScriptedRun::DailyLine) return DailyMap(click);
        // The first level, done, selected to be played again.
        if (run_ == ScriptedRun::WinTwice && wins_ == 1 && !selectedAgain_) {
          selectedAgain_ = true;
          return Click(kMapFirstLevel, click);
        }
        return Click(kMapStart, click);
      case ScreenTheEnd:
        done_ = ++endUpdates_ > kEndUpdates;
        return false;
      case ScreenPlaying:
        return Playing(delta, click);
      default:
        return Fail("an unknown screen " + std::to_string(app->screen));
    }
  }

  bool Done() const { return done_; }
  int ArrivalMs() const { return arrivalMs_; }
  const ScriptedTally& Tally() const { return tally_; }
  const std::string& Error() const { return error_; }

 private:
  enum class Check { None, Order, Stones, Mine, SendOff };

  bool Click(Point p, Point* click) {
    *click = p;
    return true;
  }
  bool Press(int glfwKey) {
    *key_ = glfwKey;
    return true;
  }

  // The keys-only run off the board: Enter through the title; on the menu
  // Enter on "new game" (where the focus starts with nothing won; the first
  // rules started it on "continue", one Down away); on the map, whose focus
  // starts on Start, Enter.
  bool KeysOffTheBoard(int screen) {
    switch (screen) {
      case ScreenTitle:
      case ScreenScenarioMap:
        return screenKeys_++ == 0 && Press(kGlfwEnter);
      case ScreenMenu: {
        const int keys = MendedRules() ? 1 : 2;
        if (screenKeys_ >= keys) return false;
        return Press(screenKeys_++ == keys - 1 ? kGlfwEnter : kGlfwDown);
      }
      case ScreenLogo:
        return false;
      default:
        return Fail("the keys-only run reached screen " + std::to_string(screen));
    }
  }

  // A click on a cell of the board: by the pointer, or in the keys-only run
  // the cursor moved there one cell an update and Enter pressed on it. True
  // only for the update that acts on the cell.
  bool CellPress(CellXY cell, Point* click, bool* acting) {
    *acting = true;
    if (run_ != ScriptedRun::KeysOnly) return Click(CellCentre(cell), click);
    const c_MainGame* app = App();
    *acting = app->cursorX == cell.x && app->cursorY == cell.y;
    if (app->cursorX < cell.x) return Press(kGlfwRight);
    if (app->cursorX > cell.x) return Press(kGlfwLeft);
    if (app->cursorY < cell.y) return Press(kGlfwDown);
    if (app->cursorY > cell.y) return Press(kGlfwUp);
    return Press(kGlfwEnter);
  }
  // A palette slot: clicked, or in the keys-only run the slot's digit from no
  // selection, else Q or E the shorter way round.
  bool ChooseSlot(int slot, Point* click) {
    if (run_ != ScriptedRun::KeysOnly) return Click(SlotCentre(slot), click);
    const int selected = App()->Shown().run.selectedPiece;
    if (selected < 0) return Press(kGlfwDigit1 + slot);
    const int ahead = ((slot - selected) % kPaletteSlots + kPaletteSlots) % kPaletteSlots;
    return Press(ahead <= kPaletteSlots / 2 ? kGlfwE : kGlfwQ);
  }
  bool Tour(Input* input) { return FromTour(tour_, input); }
  bool EditorTourNext(Input* input) { return FromTour(editorTour_, input); }
  // A tour's next input as the player's; its end and its error as the run's.
  template <typename SomeTour>
  bool FromTour(SomeTour& tour, Input* input) {
    TourInput next;
    const bool acts = tour.Next(&next);
    done_ = tour.Done();
    if (!tour.Error().empty()) return Fail(tour.Error());
    if (!acts) return false;
    input->key = next.key;
    input->at = Point{next.x, next.y};
    return true;
  }
  bool Fail(const std::string& why) {
    if (error_.empty()) error_ = "level " + std::to_string(App()->Shown().run.levelNumber) + ": " + why;
    return false;
  }

  bool Playing(int delta, Point* click) {
    c_MainGame* app = App();
    // The level on the board (a win moves the current level on at once).
    if (App()->Shown().run.levelNumber != level_ || !planned_) BeginLevel();
    if (!error_.empty()) return false;
    if (App()->Shown().run.trainCrashed == 1) {
      if (run_ != ScriptedRun::LostLevel) return Fail("the train crashed");
      lost_ = true;
      return Click(kFailedMenu, click);
    }
    const bool keys = run_ == ScriptedRun::KeysOnly;
    if (App()->Shown().run.trainArrived == 1) {
      if (run_ == ScriptedRun::CustomLevel) {
        arrivalMs_ = playMs_;
        done_ = true;
        return false;
      }
      if (!wonPanel_) ++wins_;
      wonPanel_ = true;
      return WonPanel(click);
    }
    wonPanel_ = false;
    // Straight after the retry: pause, and quit from the panel below.
    if (run_ == ScriptedRun::WinRetryQuit && wins_ == 1 && !quitDone_) {
      quitDone_ = quitting_ = finished_ = true;
      ++tally_.pausePanels;
      ++tally_.quits;
      return Click(kPause, click);
    }
    if (App()->Shown().flags.tutorialShowing == 1) {
      running_ = false;
      // Each of the three keys that turn a page, in turn; where Escape skips
      // the rest of a run of pages, it does after the first three.
      static constexpr int kPageKeys[] = {kGlfwEnter, kGlfwSpace, kGlfwRight};
      if (keys && MendedRules() && pageKeys_ == 3) return Press(kGlfwEscape);
      return keys ? Press(kPageKeys[pageKeys_++ % 3]) : Click(kAnywhere, click);
    }
    if (App()->Shown().flags.gamePaused == 1) {  // the pause panel
      running_ = false;
      if (++panelUpdates_ < kPanelUpdates) return false;
      panelUpdates_ = 0;
      // A level started after a quit opens with the panel still shown: it is resumed.
      const Point choice = quitting_ ? kPanelQuit : kPanelResume;
      quitting_ = false;
      return Click(choice, click);
    }
    // The level's clocks ran in the last update.
    if (running_) playMs_ += delta;
    running_ = true;
    if (run_ == ScriptedRun::LostLevel) {
      // Sent off at once, over no track.
      if (App()->Shown().run.departNow == 1 || App()->Shown().run.trainRunning == 1) return false;
      return Click(kDepart, click);
    }

    const c_cLevel& level = *app->Shown().board;
    if (check_ != Check::None) Verify(level);
    CellXY enemy;
    if (EnemyAt(level, &enemy)) {
      bool acting = false;
      const bool pressed = CellPress(enemy, click, &acting);
      if (acting) ++tally_.enemyClicks;
      return pressed;
    }
    if (level_ == kScriptedPauseLevel && !pauseDone_ && playMs_ >= kPauseAtMs) {
      pauseDone_ = true;
      quitting_ = false;
      ++tally_.pausePanels;
      return Click(kPause, click);
    }
    if (level_ == kScriptedQuitLevel && !quitDone_ && playMs_ >= kQuitAtMs) {
      quitDone_ = true;
      quitting_ = true;
      ++tally_.pausePanels;
      ++tally_.quits;
      return Click(kPause, click);
    }
    if (next_ >= plan_.clicks.size()) return false;
    const PlannedClick& c = plan_.clicks[next_];
    // The piece is picked from the palette ahead of its time.
    if (c.action == WorkAction::OrderPiece && App()->Shown().run.selectedPiece != c.piece) return ChooseSlot(c.piece, click);
    // The cursor goes to the next cell ahead of its time.
    if (keys && c.action != WorkAction::SendOff && (app->cursorX != c.cell.x || app->cursorY != c.cell.y)) {
      bool acting = false;
      return CellPress(c.cell, click, &acting);
    }
    if (c.atMs > playMs_ || !Affordable(level, c)) return false;
    // The first of two runs lets the train leave on its own, for less.
    if (c.action == WorkAction::SendOff && run_ == ScriptedRun::WinTwice && wins_ == 0) {
      ++next_;
      return false;
    }
    switch (c.action) {
      case WorkAction::ClearStones:
        check_ = Check::Stones;
        break;
      case WorkAction::OrderPiece:
        check_ = Check::Order;
        break;
      case WorkAction::EnterMine:
        check_ = Check::Mine;
        minersBefore_ = level.mine->workers;
        break;
      case WorkAction::SendOff:
        check_ = Check::SendOff;
        return keys ? Press(kGlfwT) : Click(kDepart, click);
    }
    bool acting = false;
    return CellPress(c.cell, click, &acting);
  }

  // The won panel's choice: Continue for the campaign (where the keys' focus
  // starts), else what the run is about.
  bool WonPanel(Point* click) {
    switch (run_) {
      case ScriptedRun::KeysOnly:
        return Press(kGlfwEnter);
      case ScriptedRun::WinThenMenu:
        finished_ = true;
        return Click(kWonMenu, click);
      case ScriptedRun::WinRetryQuit:
        return Click(kWonRetry, click);
      case ScriptedRun::WinTwice:
        finished_ = wins_ == 2;
        return Click(finished_ ? kWonMenu : kWonContinue, click);
      case ScriptedRun::DailyLine:
        return ++lookUpdates_ > kLookUpdates && Click(kWonContinue, click);
      default:
        return Click(kWonContinue, click);
    }
  }

  // The daily run's map: its corner looked at, then clicked; once the day is
  // won, looked at again until the run ends.
  bool DailyMap(Point* click) {
    if (++mapUpdates_ <= kLookUpdates) return false;
    mapUpdates_ = 0;
    if (wins_ == 0) return Click(kMapDailyCorner, click);
    done_ = true;
    return false;
  }

  // What the status line shows allows the click: idle workers (or miners to
  // take from the mine) and the iron for the piece. When the play falls behind
  // the schedule (iron stolen, workers late from the last job), the player waits.
  static bool Affordable(const c_cLevel& level, const PlannedClick& c) {
    const bool worker = App()->Shown().run.freeWorkers > 0 || (level.mine->active && level.mine->workers > 0);
    switch (c.action) {
      case WorkAction::ClearStones:
        return worker;
      case WorkAction::OrderPiece:
        return worker && App()->Shown().run.iron >= PieceCost(c.piece);
      case WorkAction::EnterMine:
        return App()->Shown().run.freeWorkers > 0;
      case WorkAction::SendOff:
        return true;
    }
    return false;
  }

  void BeginLevel() {
    level_ = App()->Shown().run.levelNumber;
    running_ = false;
    playMs_ = 0;
    next_ = 0;
    check_ = Check::None;
    panelUpdates_ = 0;
    ++tally_.levelStarts;
    planned_ = true;
    if (run_ == ScriptedRun::LostLevel) return;
    // A level from elsewhere is solved from the layout the match was laid
    // out from, for the crew the match began with.
    const Match& match = App()->Shown();
    const LevelSolution s = level_ == 0 ? SolveBoard(ReadBoard(match.layout), match.run.ownedWorkers)
                                        : SolveLevel(level_, gameState.progress.ownedWorkers);
    if (!s.winnable) {
      Fail("the solver finds no way: " + s.blockedBy);
      return;
    }
    plan_ = s.plan;
  }

  // Whether the game took the last click of the plan: the next one is due
  // only then, else the same is clicked again.
  void Verify(const c_cLevel& level) {
    const PlannedClick& c = plan_.clicks[next_];
    bool taken = false;
    switch (check_) {
      case Check::Order:
        taken = level.CellKind(c.cell.x, c.cell.y) == CellBlocked || level.CellKind(c.cell.x, c.cell.y) == c.piece;
        break;
      case Check::Stones: {
        const c_cBlockTile* stones = StonesAt(level, c.cell);
        taken = stones == nullptr || stones->removing == 1;
        break;
      }
      case Check::Mine:
        taken = level.mine->workers == minersBefore_ + 1;
        break;
      case Check::SendOff:
        taken = App()->Shown().run.departNow == 1 || App()->Shown().run.trainRunning == 1;
        break;
      case Check::None:
        break;
    }
    check_ = Check::None;
    if (taken) {
      ++next_;
    } else {
      ++tally_.repeatedClicks;
    }
  }

  const ScriptedRun run_;
  ScriptedTally tally_;
  SettingsTour tour_;
  EditorTour editorTour_;
  // The level on the board has its schedule (a custom level's number is 0,
  // like no level's).
  bool planned_ = false;
  // Where the key to press goes (the keys-only run).
  int* key_ = nullptr;
  int screenBefore_ = -1;
  int screenKeys_ = 0;  // keys pressed since the screen changed
  int pageKeys_ = 0;
  int lastMs_ = 0;
  int updates_ = 0;
  bool done_ = false;
  std::string error_;
  bool lost_ = false;
  int endUpdates_ = 0;
  bool pauseDone_ = false;
  bool quitDone_ = false;
  bool quitting_ = false;
  int panelUpdates_ = 0;
  // Won panels seen, one showing now, and the run's last screen reached.
  int wins_ = 0;
  bool wonPanel_ = false;
  bool finished_ = false;
  bool selectedAgain_ = false;
  int lookUpdates_ = 0;
  int mapUpdates_ = 0;
  // The level played now (kOffBoard off the board) and its schedule.
  int level_ = kOffBoard;
  WorkPlan plan_;
  std::size_t next_ = 0;
  Check check_ = Check::None;
  int minersBefore_ = 0;
  // The level's own time: game time while nothing covers the board.
  int playMs_ = 0;
  bool running_ = false;
  int arrivalMs_ = -1;
};

// The player's window: no window system at all (nothing is drawn), a
// 1024 x 768 screen, and the player's clicks as its input. It sits under the
// recording, which keeps the clock and writes every event on its way to the
// game.
class ScriptedWindow final : public HostPlatform {
 public:
  explicit ScriptedWindow(Player* player) : player_(player) {}
  void Attach(HostPlatform* recording) { recording_ = recording; }

  bool Headless() override { return true; }
  bool Init() override {
    initialised_ = true;
    return true;
  }
  void Terminate() override {
    initialised_ = false;
    open_ = false;
  }
  bool Initialised() const override { return initialised_; }
  double Now() override { return recording_->Now(); }
  void Sleep(double) override {}
  void PollEvents() override {
    // The loop polls again after each update at the same time; the player
    // acts once per update, before it. Its first poll, at 0, comes before
    // any update (the first runs at the first interval's end): what the
    // player did there would reach the game together with what it does
    // next, and the player would take the first for refused.
    const int now = static_cast<int>(recording_->Now() * 1000.0);
    if (now == lastPoll_ || now == 0 || sink_ == nullptr) return;
    lastPoll_ = now;
    Input input;
    if (!player_->Next(now, &input)) return;
    if (input.key != 0) {
      sink_->OnKey(input.key, HostInputSink::kActionPress);
      sink_->OnKey(input.key, HostInputSink::kActionRelease);
      return;
    }
    x_ = input.at.x;
    y_ = input.at.y;
    sink_->OnMousePosition(x_, y_);
    sink_->OnMouseButton(0, HostInputSink::kActionPress);
    sink_->OnMouseButton(0, HostInputSink::kActionRelease);
  }
  void WaitEvents() override {}
  void OpenWindow(int, int, int, int, int, int, int, int, bool, const char*) override { open_ = initialised_; }
  void InstallCallbacks(HostInputSink* sink) override {
    sink_ = sink;
    sink->OnMousePosition(x_, y_);
  }
  bool WindowOpen() override { return open_ && !player_->Done() && player_->Error().empty(); }
  bool WindowIconified() override { return false; }
  bool WindowActive() override { return true; }
  void WindowSize(int* width, int* height) override { FramebufferSize(width, height); }
  void FramebufferSize(int* width, int* height) override {
    *width = open_ ? static_cast<int>(kReplayVirtualWidth) : 0;
    *height = open_ ? static_cast<int>(kReplayVirtualHeight) : 0;
  }
  void SwapBuffers() override {}
  bool KeyHeld(int) override { return false; }
  void CursorPosition(double* x, double* y) override {
    *x = x_;
    *y = y_;
  }
  void ShowCursor(bool) override {}
  bool Joystick(int, std::vector<float>*, std::vector<unsigned char>*) override { return false; }

 private:
  Player* player_;
  HostPlatform* recording_ = nullptr;
  HostInputSink* sink_ = nullptr;
  bool initialised_ = false;
  bool open_ = false;
  int lastPoll_ = -1;
  double x_ = kReplayVirtualWidth / 2, y_ = kReplayVirtualHeight / 2;
};

RecordingPlatform* recording = nullptr;

// The calendar moves with the game's clock from a fixed second, and the
// recording writes each answer.
std::int64_t ScriptedCalendar() {
  const std::int64_t seconds = kScriptedCalendarStart + static_cast<std::int64_t>(recording->Now());
  recording->RecordCalendar(seconds);
  return seconds;
}
// The same calendar for what is only shown: not recorded, as a replay of the
// file reads it without taking an answer.
std::int64_t ScriptedShownCalendar() { return kScriptedCalendarStart + static_cast<std::int64_t>(recording->Now()); }


// The custom run's level, handed to the game before it starts up.
LevelLayout customLayout;

void CreateApp() { new c_MainGame(false); }
void CreateAppOnCustomLevel() { (new c_MainGame(false))->PlayAtStart(customLayout); }

ScriptedOutcome Play(ScriptedRun run, const std::string& path, int rulesVersion, const std::string* startState) {
  ScriptedOutcome outcome;
  // Everything lives to the process's end, as the host expects.
  static MemoryFiles files;
  // A new game (or the state given), the player's own state untouched.
  files.Put(StateFilePath(), startState != nullptr ? *startState : std::string());
  static GameDisplayMap map;
  static std::unique_ptr<Player> player;
  static std::unique_ptr<ScriptedWindow> window;
  static std::unique_ptr<RecordingPlatform> platform;
  player = std::make_unique<Player>(run);
  window = std::make_unique<ScriptedWindow>(player.get());
  platform = std::make_unique<RecordingPlatform>(window.get(), &map, false);
  window->Attach(platform.get());
  if (!platform->Open(path, startState, &outcome.error, rulesVersion)) return outcome;
  recording = platform.get();
  SetRulesVersion(rulesVersion);
  SetCalendarSource(ScriptedCalendar);
  SetShownCalendarSource(ScriptedShownCalendar);
  char name[] = "rails-campaign";
  char* argv[] = {name, nullptr};
  TarvexStartWith(platform.get(), &files, 1, argv, InitGameGlobals,
                  run == ScriptedRun::CustomLevel ? CreateAppOnCustomLevel : CreateApp);
  platform->Finish();
  SetCalendarSource(nullptr);
  SetShownCalendarSource(nullptr);
  outcome.error = player->Error();
  outcome.tally = player->Tally();
  outcome.arrivalMs = player->ArrivalMs();
  outcome.ok = outcome.error.empty() && player->Done();
  if (outcome.ok || !outcome.error.empty()) {
    outcome.endLine = ReplayEndLine(App()->screen, App()->Now());
  } else {
    outcome.error = "the game ended before the run was over";
  }
  return outcome;
}

}  // namespace

ScriptedOutcome PlayScripted(ScriptedRun run, const std::string& path, int rulesVersion, const std::string* startState) {
  return Play(run, path, rulesVersion, startState);
}

ScriptedOutcome PlayScriptedLevel(const LevelLayout& layout, const std::string& path) {
  customLayout = layout;
  return Play(ScriptedRun::CustomLevel, path, kNewestRules, nullptr);
}
