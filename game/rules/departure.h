// The train's departure as the status line shows it and the player buys it:
// the countdown's clock, and the bonus for sending the train off early.
#pragma once

#include "runtime/string.h"

class Match;
struct LevelRun;

// The bonus for sending the train off before its countdown ends.
constexpr int kDepartBonus = 500;
// The bar's full width in pixels at the full countdown.
constexpr int kTimeBarFullWidth = 300;

// The clock of the status line. The shown minutes and seconds are what the
// send-off pays for, so they are kept with the rules, where a run without a
// window computes them too.
struct DepartureClock {
  int secondsLeft = 0;
  int clockMinutes = 0;
  int clockSeconds = 0;
  int timePercent = 0;
  int timeBarWidth = 0;
};

// The clock from the train's countdown (whole seconds gone); after the
// departure the display stays. While a tutorial page is up the first rules
// showed the full time; the mended rules show the clock as it stopped.
void UpdateDepartureClock(Match& match);
// Sent off or gone: the TIME button was pressed, or the train has left,
// arrived or crashed.
bool TrainHasDeparted(const LevelRun& run);
// The TIME button: the bonus is paid once, and the train leaves at the
// countdown's next whole second. Nothing once the train has gone or the level
// has ended.
void SendTrainOff(LevelRun& run);

// The clock text: minutes and seconds with two digits each, "04:05".
String ClockText(int minutes, int seconds);
