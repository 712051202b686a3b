#include "game/rules/state.h"

#include <ctime>

#include "host/game.h"

GameState gameState;
gc_global<Array<int>> levelStates;

namespace {
int rulesVersion = kNewestRules;
}  // namespace

int RulesVersion() { return rulesVersion; }
void SetRulesVersion(int version) { rulesVersion = version; }

void ResetGameState() {
  gameState = GameState{};
  levelStates = Array<int>(kLevelCount);
  SetGameSoundPlayer(nullptr);
}

void ToggleSound() {
  Settings& s = gameState.settings;
  SetEffectsVolume(s.soundOn == 1 ? 0 : s.effectsLastVolume);
}

namespace {

// A volume and its switch move together: 0 is off, anything above is on
// and remembered for the switch to come back to.
void SetVolume(int volume, int* current, int* last, int* on) {
  volume = volume < 0 ? 0 : (volume > kFullVolume ? kFullVolume : volume);
  *current = volume;
  *on = volume > 0 ? 1 : 0;
  if (volume > 0) *last = volume;
  if (*last <= 0) *last = kFullVolume;
}

}  // namespace

void SetEffectsVolume(int volume) {
  Settings& s = gameState.settings;
  SetVolume(volume, &s.effectsVolume, &s.effectsLastVolume, &s.soundOn);
}

void SetMusicVolumeSetting(int volume) {
  Settings& s = gameState.settings;
  SetVolume(volume, &s.musicVolume, &s.musicLastVolume, &s.musicOn);
}

// ---- Random generator ---------------------------------------------------------

float RandomGenerator::Unit() {
  seed = seed * 1664525u + 1013904223u;
  return static_cast<float>((seed >> 8) & 0xFFFFFFu) / 16777216.0f;
}

int RandomGenerator::Below(int n) {
  const int r = static_cast<int>(Unit() * static_cast<float>(n));
  // u < 1, but u * n may still round up to n in single precision.
  return r < n ? r : n - 1;
}

float RandomGenerator::Float(float low, float high) {
  const float u = Unit();
  const float span = high - low;
  const float scaled = u * span;
  return low + scaled;
}

// ---- Clock and calendar -------------------------------------------------------

namespace {

std::int64_t SystemCalendarSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

CalendarSource calendarSource = SystemCalendarSeconds;
CalendarSource shownCalendarSource = SystemCalendarSeconds;

}  // namespace

int GameMillisecs() { return currentGame ? currentGame->ElapsedMilliseconds() : 0; }

std::int64_t CalendarSeconds() { return calendarSource(); }

void SetCalendarSource(CalendarSource source) { calendarSource = source ? source : SystemCalendarSeconds; }

CalendarSource CurrentCalendarSource() { return calendarSource; }

std::int64_t ShownCalendarSeconds() { return shownCalendarSource(); }

void SetShownCalendarSource(CalendarSource source) {
  shownCalendarSource = source ? source : SystemCalendarSeconds;
}

std::uint32_t CalendarSeed() { return static_cast<std::uint32_t>(CalendarSeconds()) * 1000u; }

void AdvanceGameClock(GameClock& clock) {
  const int now = GameMillisecs();
  clock.timeFactor = static_cast<float>(static_cast<double>(now - clock.lastMillisecs) / kTickMilliseconds);
  clock.lastMillisecs = now;
}
