// The status strip along the top: four recessed fields with a margin above
// them, each led by its icon in the frame picture (a nugget by the score, an
// ingot by the iron, a clock by the countdown): the score, the iron, the
// level's number and name, and the countdown bar in its frame with the clock
// beside it; the TIME label on the send-off button between them, and the
// free workers by the palette. It stays in view under every panel.
#include "game/rules/departure.h"
#include "game/rules/match.h"
#include "game/rules/state.h"
#include "game/views/colour.h"
#include "game/views/data_files.h"
#include "game/views/gui_view.h"
#include "game/views/moment_view.h"
#include "game/views/status_strip.h"

namespace {

// The texts' pen positions, right of each field's icon; the fields and icons
// themselves are drawn into the frame at the same places.
constexpr float kTextTop = kStatusTextTop;
constexpr float kScoreX = 56, kIronX = 168, kLevelX = 258;
constexpr float kWorkersX = 662, kWorkersY = 742;
// The bar fills its frame: 300 pixels at the full countdown, one per second.
constexpr float kBarLeft = 618, kBarTop = 11, kBarHeight = 10;
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

// "11 · Outside is War"; a level from elsewhere by its name alone.
String LevelTitle(const Match& match) {
  const String name = String::FromUtf8(match.layout.name);
  const int level = match.run.levelNumber;
  if (level < 1 || level > kLevelCount) return name;
  return String::FromInt(level) + String::FromUtf8(" \xc2\xb7 ") + name;
}

}  // namespace

void c_GuiView::RenderClock(const Match& match) const {
  const DepartureClock& clock = match.run.departure;
  const float fullWidth = static_cast<float>(kTimeBarFullWidth);
  Tint(kFrameColour);
  FillGameRect(kBarLeft - kFrameRim, kBarTop - kFrameRim, fullWidth + 2 * kFrameRim, kBarHeight + 2 * kFrameRim);
  Tint(kTroughColour);
  FillGameRect(kBarLeft, kBarTop, fullWidth, kBarHeight);
  SetColor(255, 255, 255);
  // Once the train has gone the empty trough says so, in place of the clock.
  if (TrainHasDeparted(match.run)) {
    font->DrawText(String("Departed"), kBarLeft + fullWidth * 0.5f, kTextTop, AlignCenter);
    return;
  }
  Tint(BarColour(clock.secondsLeft));
  FillGameRect(kBarLeft, kBarTop, static_cast<float>(clock.timeBarWidth), kBarHeight);
  SetColor(255, 255, 255);
  font->DrawText(ClockText(clock.clockMinutes, clock.clockSeconds), kClockRight, kTextTop, AlignRight);
}

void c_GuiView::RenderStatusLine(const Match& match) const {
  RenderClock(match);
  font->DrawText(String("TIME:"), kStatusTimeLabelX, kTextTop);
  font->DrawText(String::FromInt(ScoreToShow(match.run)), kScoreX, kTextTop);
  font->DrawText(String::FromInt(match.run.iron), kIronX, kTextTop);
  font->DrawText(LevelTitle(match), kLevelX, kTextTop);
  font->DrawText(String::FromInt(match.run.freeWorkers), kWorkersX, kWorkersY);
}
