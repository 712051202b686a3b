// "Show me" after a loss: the solver's play of the level from its start, at
// four times the speed, on a level and train of the demonstration's own. The
// failed level's game state is held aside and put back as it was, so the
// demonstration wins nothing, saves nothing and leaves the failed panel as
// the player left it. Any key or click ends it.
#include <cmath>

#include "game/rules/play_step.h"
#include "game/session/main_game.h"
#include "game/solver/solution.h"
#include "host/input.h"

namespace {

// The demonstration's calendar moves with its own clock from a fixed second,
// so it plays the same every time and takes no answer from a replay's or the
// player's calendar.
constexpr std::int64_t kDemoCalendarStart = 1700000000;
int demoCalendarMs = 0;
std::int64_t DemoCalendar() { return kDemoCalendarStart + demoCalendarMs / kSecondMs; }

template <class T>
void Trade(gc_ref<T>& a, gc_ref<T>& b) {
  T* held = a.get();
  a = b.get();
  b = held;
}

bool AnyKeyOrClick() {
  for (int key = 1; key < kKeyCount; ++key) {
    if (currentInputDevice->KeyHit(key) != 0) return true;
  }
  return false;
}

}  // namespace

void c_MainGame::StartDemonstration() {
  demoAsked = false;
  const LevelSolution solution = SolveLevel(gameState.run.levelNumber, gameState.progress.ownedWorkers);
  if (!solution.winnable) return;
  demo.heldState = gameState;
  demo.heldHint = hint;
  demo.heldHintUsed = hintUsed;
  demo.heldPlayMs = levelPlayMs;
  demo.heldCalendar = CurrentCalendarSource();
  demo.heldCrashKnown = feedback->CrashKnown();
  demo.heldCrashCause = feedback->LastCrashCause();
  demo.clockMs = gameState.clock.lastMillisecs;
  demo.playMs = 0;
  demo.endedAtMs = -1;
  demoCalendarMs = 0;
  SetCalendarSource(DemoCalendar);
  Trade(level, demoLevel);
  Trade(train, demoTrain);
  StartLevel(gameState.run.levelNumber, false);
  // The pages were read in the player's own game.
  gameState.screen.tutorialShowing = 0;
  gameState.screen.gamePaused = 0;
  demo.player = std::make_unique<DemoPlayer>(solution.plan);
  demo.running = true;
}

void c_MainGame::UpdateDemonstration() {
  if (AnyKeyOrClick()) {
    EndDemonstration();
    return;
  }
  const GameClock hostClock = gameState.clock;
  const int deltaMs = static_cast<int>(std::lround(hostClock.timeFactor * kTickMilliseconds));
  for (int step = 0; step < kDemoSpeed; ++step) StepDemonstration(deltaMs);
  gameState.clock = hostClock;
  const bool over = gameState.run.trainArrived == 1 || gameState.run.trainCrashed == 1;
  if (over && demo.endedAtMs < 0) demo.endedAtMs = hostClock.lastMillisecs;
  if (over && hostClock.lastMillisecs - demo.endedAtMs >= kDemoLingerMs) EndDemonstration();
}

void c_MainGame::StepDemonstration(int deltaMs) {
  demo.clockMs += deltaMs;
  demoCalendarMs += deltaMs;
  gameState.clock.lastMillisecs = demo.clockMs;
  if (gameState.screen.tutorialShowing == 1) {
    // An enemy's page is turned as a player's click turns it.
    gui->AdvanceTutorial();
    return;
  }
  if (gameState.screen.gamePaused == 0) demo.playMs += deltaMs;
  DemoClick click;
  if (gameState.run.trainArrived == 0 && gameState.run.trainCrashed == 0 &&
      demo.player->NextClick(*level, demo.playMs, &click)) {
    level->ClickBoard(click.x, click.y);
    gui->ClickGui(click.x, click.y);  // what it asks of the screens is not acted on
  }
  RunLevelStep(level, train);
  UpdateDepartureClock(train->countdown);
}

void c_MainGame::EndDemonstration() {
  const GameClock hostClock = gameState.clock;
  gameState = demo.heldState;
  gameState.clock = hostClock;
  Trade(level, demoLevel);
  Trade(train, demoTrain);
  hint = demo.heldHint;
  hintUsed = demo.heldHintUsed;
  levelPlayMs = demo.heldPlayMs;
  SetCalendarSource(demo.heldCalendar);
  // The demonstration's own marks go; the failed panel says again why.
  feedback->ClearAllButCrash(demo.heldCrashKnown, demo.heldCrashCause);
  demo.player.reset();
  demo.running = false;
  levelRequest = ScreenRequest::None;
}
