// The player's state every screen shares (the switches and the saved
// progress), and the parts a match is made of (its run, its pause and
// tutorial flags, its clock and its random generator: see rules/match.h).
// ResetGameState gives the player's state its program-start value in one call
// (tests start from it).
#pragma once

#include <cstdint>

#include "game/rules/departure.h"
#include "game/rules/key_bindings.h"
#include "game/rules/sounds.h"
#include "runtime/array.h"
#include "runtime/gc.h"

// ---- Screen states ----------------------------------------------------------
enum ScreenState {
  ScreenTitle = 0,
  ScreenMenu = 1,
  ScreenScenarioMap = 2,
  ScreenPlaying = 3,
  ScreenTheEnd = 4,
  ScreenEditor = 5,     // the level editor
  ScreenLevelList = 6,  // the page of custom levels
  ScreenLogo = 10,
};

// ---- Numbers shared by several rules ----------------------------------------
constexpr int kLevelCount = 15;
// The length of a 30 Hz update in milliseconds, as the train's time step uses it.
constexpr double kTickMilliseconds = 33.33333206176758;
constexpr int kUpdateRate = 30;
constexpr int kSecondMs = 1000;
constexpr int kFullTurnDegrees = 360;
// The program-start seed of the random generator.
constexpr std::uint32_t kInitialRandomSeed = 1234;
constexpr int kNewGameWorkers = 5;
constexpr int kMaxWorkers = 15;


// ---- The game's state ---------------------------------------------------------
// The window's place on the desktop when it is not full screen; a width of 0
// is none remembered yet (the window opens centred at 1024 x 768).
struct WindowPlace {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const WindowPlace& o) const { return x == o.x && y == o.y && width == o.width && height == o.height; }
};

// Volumes run from 0 (silent) to 10 (full) in tenths.
constexpr int kFullVolume = 10;

// The switches of the menu and the pause panel, and the settings panel's
// choices. Nothing a rule counts is here: the sound switch only decides
// whether effects are played.
struct Settings {
  int soundOn = 0;
  int musicOn = 0;
  int fullScreenOn = 0;
  // The switches are the volumes' 0 and the last value above it, which the
  // "last" fields keep while a switch is off.
  int musicVolume = kFullVolume;
  int musicLastVolume = kFullVolume;
  int effectsVolume = kFullVolume;
  int effectsLastVolume = kFullVolume;
  WindowPlace window;
  // Cues beside colour: the preview's verdict also as a tick or a cross,
  // the enemies' rings dashed.
  int shapesWithColours = 1;
  // No shaking and no flashing: a steady outline says the same.
  int reducedMotion = 0;
  KeyBindings keys;
};

// The saved progress (the level states are the collected array below) and the
// enemies' introduction pages, which are shown once per game.
struct Progress {
  int currentLevel = 0;
  int totalScore = 0;
  int totalGold = 0;
  int ownedWorkers = 0;
  int gameCompleted = 0;
  int progressSpare = 0;
  int banditsIntroShown = 0;
  int indigensIntroShown = 0;
  // What the totals have counted of each level's score and gold so far: a
  // done level played again adds only what it beats these by. -1: not known
  // (a save from before they were kept), and a replay then adds nothing.
  int countedScore[kLevelCount] = {};
  int countedGold[kLevelCount] = {};
};

// The level being played: its economy, the palette's selection and the train's
// flags. A match's start begins it afresh.
struct LevelRun {
  // The level on the board, 1..15 (0 before any): the progress's current
  // level, or a done one played again.
  int levelNumber = 0;
  int iron = 0;
  // The crew the run began with (the workers the player owns), and how many
  // of them stand idle now.
  int ownedWorkers = 0;
  int freeWorkers = 0;
  int levelScore = 0;
  int levelGold = 0;
  // The palette slot: -1 none, 0..6 a piece kind, 7 the demolition tool.
  int selectedPiece = -1;
  int departNow = 0;
  // The countdown's seconds when the train was sent off; -1 when it left on
  // its own.
  int departSecondsLeft = 0;
  int trainRunning = 0;
  int trainArrived = 0;
  int trainCrashed = 0;
  DepartureClock departure;
  // The iron paid for orders in this run: the won panel's stars weigh it
  // against the cheapest track. It decides nothing.
  int ironSpent = 0;
  // Where the train blew up, in virtual pixels, and the cell it ran into
  // (valid once trainCrashed is 1): the failed panel stands clear of the one
  // and names the other.
  float crashX = 0;
  float crashY = 0;
  int crashCellX = 0;
  int crashCellY = 0;
};

// The pause panel and the tutorial pages over a level. Nothing resets them at
// a level start: a level left through the pause panel's quit button opens the
// next one paused, unless it shows a tutorial.
struct ScreenFlags {
  int gamePaused = 0;
  int tutorialShowing = 0;
  int tutorialPage = 0;
};

struct GameClock {
  int lastMillisecs = 0;  // the clock at the previous update
  float timeFactor = 0;   // this update's length in 30 Hz ticks
};

// Advances a clock: the time factor from the time since its last update, then
// it reads now. The first step of every update.
void AdvanceGameClock(GameClock& clock);

// The game's random generator: a linear congruential one with a 32-bit state.
// Each match has its own.
struct RandomGenerator {
  std::uint32_t seed = kInitialRandomSeed;
  // One draw: a float in [0, 1) from the top 24 bits of the advanced state.
  float Unit();
  // A whole number in 0..n-1 (n > 0).
  int Below(int n);
  // low + u * (high - low), each step rounded to float.
  float Float(float low, float high);
};

// What belongs to the player, whatever level is on the board: the switches
// and the progress. The level being played is a Match of its own.
struct GameState {
  Settings settings;
  Progress progress;
};

// The one player's state. The rules and the screens' handlers write it during
// an update; views only read it; ResetGameState starts it afresh.
extern GameState gameState;

// 15 entries: 0 locked, 1 done, 2 available. A collected array, so kept apart
// as a root of the collector; written by the progress rules and the save file.
extern gc_global<Array<int>> levelStates;


// ---- Rules version -------------------------------------------------------------
// The rules as first released were version 1; version 2 mends what they got
// wrong (a level start clears the last run's enemies and effects, a win counts
// on arrival, the panel in front takes the click, ...). Play and new
// recordings use the newest; a replay plays under the version it was recorded
// with, so every kept replay still ends where it ended. Kept apart from the
// game state: a reset of the state does not change the rules in force.
constexpr int kNewestRules = 2;
int RulesVersion();
void SetRulesVersion(int version);
// Whether the mends of version 2 are in force.
inline bool MendedRules() { return RulesVersion() >= 2; }

// ---- Clock and calendar -----------------------------------------------------
// The host's millisecond clock (the platform's clock, so tests and replays
// set it).
int GameMillisecs();
// Whole seconds of the calendar; the level layouts and the event generator
// seed the random generator from it.
using CalendarSource = std::int64_t (*)();
std::int64_t CalendarSeconds();
// Replaces where the calendar comes from (null restores the system clock).
void SetCalendarSource(CalendarSource source);
// Where the calendar comes from now (to put it back after borrowing it).
CalendarSource CurrentCalendarSource();
// The calendar for what is only shown (the daily line's date on the map):
// never recorded, so showing it leaves a replay's reads of the calendar as
// they were. The system's, unless a session sets where it comes from (a
// replay shows the days it plays, read without taking its answers).
std::int64_t ShownCalendarSeconds();
void SetShownCalendarSource(CalendarSource source);
// The seed a level start uses: calendar seconds times 1000, wrapped to 32 bits.
std::uint32_t CalendarSeed();

// The sound switch of the menu and the pause panel: the effects' volume to 0,
// or back to the last volume above it.
void ToggleSound();
// The effects' and the music's volumes (0..10), each with its switch; the
// music's stopping and starting is the session's (game/session/switches.h).
void SetEffectsVolume(int volume);
void SetMusicVolumeSetting(int volume);

// Every value above back to its program-start value.
void ResetGameState();
