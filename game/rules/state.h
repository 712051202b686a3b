// The game-wide values every screen and rule shares: the screen requests and
// flags, the train flags, the level economy, the saved progress, the one random
// generator, the effect table and the game's clock and calendar.
//
// They are plain globals, as the rules name them; ResetGameState gives every
// one its program-start value in one call (tests start from it).
#pragma once

#include <cstdint>

#include "audio/sound.h"
#include "runtime/array.h"
#include "runtime/gc.h"

// ---- Screen states ----------------------------------------------------------
enum ScreenState {
  ScreenTitle = 0,
  ScreenMenu = 1,
  ScreenScenarioMap = 2,
  ScreenPlaying = 3,
  ScreenTheEnd = 4,
  ScreenLogo = 10,
};

// ---- Numbers shared by several rules ----------------------------------------
constexpr int kLevelCount = 15;
// The length of a 30 Hz update in milliseconds, as the train's time step uses it.
constexpr double kTickMilliseconds = 33.33333206176758;
constexpr int kUpdateRate = 30;
// The program-start seed of the random generator.
constexpr std::uint32_t kInitialRandomSeed = 1234;
constexpr int kGameSoundCount = 10;
constexpr int kNewGameWorkers = 5;
constexpr int kMaxWorkers = 15;

// Entries of the effect table.
enum GameSound {
  SoundClick = 0,
  SoundBuy = 1,
  SoundBuild = 2,
  SoundClickSpare = 3,
  SoundMine = 4,
  SoundIndigens = 5,
  SoundBandits = 6,
};

// ---- Screen flow ------------------------------------------------------------
extern int lastMillisecs;  // the clock at the previous update
extern float timeFactor;   // this update's length in 30 Hz ticks
extern int currentLevel;
extern int gamePaused;
extern int tutorialShowing;
extern int tutorialPage;
extern int continueRequested;
extern int restartRequested;
extern int menuRequested;
extern int gameCompleted;
extern int soundOn;
extern int musicOn;
extern int fullScreenOn;
extern gc_global<Array<c_Sound*>> gameSounds;

// ---- Train ------------------------------------------------------------------
extern int trainRunning;
extern int trainArrived;
extern int trainCrashed;
extern int departNow;
extern int departSecondsLeft;

// ---- Level economy ----------------------------------------------------------
extern int iron;
extern int freeWorkers;
extern int ownedWorkers;
extern int levelScore;
extern int levelGold;
extern int totalScore;
extern int totalGold;
// The palette slot: -1 none, 0..6 a piece kind, 7 the demolition tool.
extern int selectedPiece;

// ---- Enemies' introduction pages (shown once per game) ----------------------
extern int banditsIntroShown;
extern int indigensIntroShown;

// ---- Saved progress ---------------------------------------------------------
// 15 entries: 0 locked, 1 done, 2 available.
extern gc_global<Array<int>> levelStates;
extern int progressSpare;

// ---- Random generator -------------------------------------------------------
extern std::uint32_t randomSeed;
// One draw: a float in [0, 1) from the top 24 bits of the advanced state.
float RandomUnit();
// A whole number in 0..n-1 (n > 0).
int RandomBelow(int n);
// low + u * (high - low), each step rounded to float.
float RandomFloat(float low, float high);

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
// The seed a level start uses: calendar seconds times 1000, wrapped to 32 bits.
std::uint32_t CalendarSeed();
// The first step of every update: timeFactor from the time since the last
// update, then lastMillisecs = now.
void AdvanceGameClock();

// ---- Sounds -----------------------------------------------------------------
// Fills the effect table from the sound files.
void LoadGameSounds();
// Plays entry i of the effect table on channel 0 when sound is on.
void PlayGameSound(int i);

// Every value above back to its program-start value.
void ResetGameState();
