// The status strip along the top: score, iron, the TIME label, the countdown
// bar in its frame with the clock beside it, and the free workers by the
// palette. It stays in view under every panel.
#include "game/rules/departure.h"
#include "game/rules/state.h"
#include "game/views/colour.h"
#include "game/views/data_files.h"
#include "game/views/gui_view.h"
#include "game/views/moment_view.h"

namespace {

constexpr float kTimeLabelX = 500, kTextTop = 4;
constexpr float kScoreX = 31, kIronX = 331;
constexpr float kWorkersX = 662, kWorkersY = 742;
// The bar fills its frame: 300 pixels at the full countdown, one per second.
constexpr float kBarLeft = 590, kBarTop = 10, kBarHeight = 10;
constexpr float kFrameRim = 2;
// The clock stands still at the right end of the strip's field.
constexpr float kClockRight = 994;
// Under a minute the bar turns amber, under twenty seconds red.
constexpr int kAmberBelowSeconds = 60;
constexpr int kRedBelowSeconds = 20;

constexpr Colour kCalmBar = {60, 110, 235};
constexpr Colour kAmberBar = {245, 165, 25};
constexpr Colour kRedBar = {225, 35, 25};
constexpr Colour kFrameColour = {205, 190, 160};
constexpr Colour kTroughColour = {20, 14, 30};

const Colour& BarColour(int secondsLeft) {
  if (secondsLeft < kRedBelowSeconds) return kRedBar;
  if (secondsLeft < kAmberBelowSeconds) return kAmberBar;
  return kCalmBar;
}

}  // namespace

void c_GuiView::RenderClock(const Match& match) const {
  const DepartureClock& clock = match.run.departure;
  const float fullWidth = static_cast<float>(kTimeBarFullWidth);
  Tint(kFrameColour);
  FillGameRect(kBarLeft - kFrameRim, kBarTop - kFrameRim, fullWidth + 2 * kFrameRim, kBarHeight + 2 * kFrameRim);
  Tint(kTroughColour);
  FillGameRect(kBarLeft, kBarTop, fullWidth, kBarHeight);
  Tint(BarColour(clock.secondsLeft));
  FillGameRect(kBarLeft, kBarTop, static_cast<float>(clock.timeBarWidth), kBarHeight);
  SetColor(255, 255, 255);
  const String text =
      TrainHasDeparted(match.run) ? String("Departed") : ClockText(clock.clockMinutes, clock.clockSeconds);
  font->DrawText(text, kClockRight, kTextTop, AlignRight);
}

void c_GuiView::RenderStatusLine(const Match& match) const {
  RenderClock(match);
  font->DrawText(String("TIME:"), kTimeLabelX, kTextTop);
  font->DrawText(String("Score: ") + String::FromInt(ScoreToShow(match.run)), kScoreX, kTextTop);
  font->DrawText(String("Iron: ") + String::FromInt(match.run.iron), kIronX, kTextTop);
  font->DrawText(String::FromInt(match.run.freeWorkers), kWorkersX, kWorkersY);
}
