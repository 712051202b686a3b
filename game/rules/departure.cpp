#include "game/rules/departure.h"

#include "game/rules/match.h"
#include "game/rules/train.h"

namespace {

constexpr int kSecondsPerMinute = 60;

void SetSecondsLeft(DepartureClock& clock, int seconds) {
  clock.secondsLeft = seconds;
  // Integer steps, as the bar has always moved: 3 pixels at a time.
  clock.timePercent = clock.secondsLeft * 100 / kDepartureSeconds;
  clock.timeBarWidth = clock.timePercent * kTimeBarFullWidth / 100;
}

}  // namespace

void UpdateDepartureClock(Match& match) {
  const int countdown = match.train->countdown;
  DepartureClock& clock = match.run.departure;
  const bool pageUp = match.flags.gamePaused == 1 && match.flags.tutorialShowing == 1;
  if (pageUp && !MendedRules()) {
    SetSecondsLeft(clock, kDepartureSeconds);
  } else if (countdown <= kDepartureSeconds) {
    SetSecondsLeft(clock, kDepartureSeconds - countdown);
  }
  clock.clockMinutes = clock.secondsLeft / kSecondsPerMinute;
  clock.clockSeconds = clock.secondsLeft % kSecondsPerMinute;
}

bool TrainHasDeparted(const LevelRun& run) {
  return run.departNow != 0 || run.trainRunning != 0 || run.trainArrived == 1 || run.trainCrashed == 1;
}

void SendTrainOff(LevelRun& run) {
  if (TrainHasDeparted(run)) return;
  run.levelScore += kDepartBonus;
  run.departNow = 1;
  run.departSecondsLeft = run.departure.clockMinutes * kSecondsPerMinute + run.departure.clockSeconds;
}

String ClockText(int minutes, int seconds) {
  auto twoDigits = [](int v) { return (v < 10 ? String("0") : String()) + String::FromInt(v); };
  return twoDigits(minutes) + String(":") + twoDigits(seconds);
}
