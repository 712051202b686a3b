// "Show me" after a loss: the solver's play of the level from its start, at
// four times the speed, on a match of the demonstration's own beside the
// failed one. The failed match is not touched, so the demonstration wins
// nothing, saves nothing and leaves the failed panel as the player left it;
// its match is dropped when it ends. Any key or click ends it.
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

bool AnyKeyOrClick() {
  for (int key = 1; key < kKeyCount; ++key) {
    if (currentInputDevice->KeyHit(key) != 0) return true;
  }
  return false;
}

}  // namespace

void c_MainGame::StartDemonstration() {
  demoAsked = false;
  const LevelRun& failed = match->run;
  const LevelSolution solution = SolveBoard(ReadBoard(match->layout, failed.levelNumber), failed.ownedWorkers);
  if (!solution.winnable) return;
  demo.heldCrashKnown = feedback->CrashKnown();
  demo.heldCrashCause = feedback->LastCrashCause();
  demo.pagesSeen = Progress{};
  demo.pagesSeen.banditsIntroShown = 1;
  demo.pagesSeen.indigensIntroShown = 1;
  demo.playMs = 0;
  demo.endedAtMs = -1;
  demoCalendarMs = 0;
  demoMatch = new Match();
  demoMatch->clock = match->clock;
  demoMatch->calendar = DemoCalendar;
  demoMatch->player = &demo.pagesSeen;
  demoGui = new c_cGui();
  demoGui->match = demoMatch;
  feedback->Clear();
  MatchStart start;
  start.levelNumber = failed.levelNumber;
  start.workers = failed.ownedWorkers;
  StartMatch(*demoMatch, match->layout, start);
  // The pages were read in the player's own game.
  demoMatch->flags.tutorialShowing = 0;
  demoMatch->flags.gamePaused = 0;
  UpdateDepartureClock(*demoMatch);
  cursorX = match->board->startX;
  cursorY = match->board->startY;
  demo.player = std::make_unique<DemoPlayer>(solution.plan);
  demo.running = true;
}

void c_MainGame::UpdateDemonstration() {
  if (AnyKeyOrClick()) {
    EndDemonstration();
    return;
  }
  const GameClock& hostClock = match->clock;
  const int deltaMs = static_cast<int>(std::lround(hostClock.timeFactor * kTickMilliseconds));
  for (int step = 0; step < kDemoSpeed; ++step) StepDemonstration(deltaMs);
  const bool over = demoMatch->run.trainArrived == 1 || demoMatch->run.trainCrashed == 1;
  if (over && demo.endedAtMs < 0) demo.endedAtMs = hostClock.lastMillisecs;
  if (over && hostClock.lastMillisecs - demo.endedAtMs >= kDemoLingerMs) EndDemonstration();
}

void c_MainGame::StepDemonstration(int deltaMs) {
  Match& shown = *demoMatch;
  demoCalendarMs += deltaMs;
  // Its clock runs deltaMs a step; the train moves by the host's update.
  shown.clock.lastMillisecs += deltaMs;
  shown.clock.timeFactor = match->clock.timeFactor;
  if (shown.flags.tutorialShowing == 1) {
    // A page (none is expected) is turned as a player's click turns it.
    demoGui->AdvanceTutorial();
    return;
  }
  if (shown.flags.gamePaused == 0) demo.playMs += deltaMs;
  DemoClick click;
  if (shown.run.trainArrived == 0 && shown.run.trainCrashed == 0 && demo.player->NextClick(shown, demo.playMs, &click)) {
    shown.board->ClickBoard(click.x, click.y);
    demoGui->ClickGui(click.x, click.y);  // what it asks of the screens is not acted on
  }
  RunLevelStep(shown);
  UpdateDepartureClock(shown);
}

void c_MainGame::EndDemonstration() {
  demoMatch = nullptr;
  demoGui = nullptr;
  // The demonstration's own marks go; the failed panel says again why.
  feedback->ClearAllButCrash(demo.heldCrashKnown, demo.heldCrashCause);
  demo.player.reset();
  demo.running = false;
  levelRequest = ScreenRequest::None;
}
