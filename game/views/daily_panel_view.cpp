#include "game/views/daily_panel_view.h"

#include "game/views/colour.h"
#include "game/views/data_files.h"
#include "game/views/feedback_view.h"
#include "graphics/drawing.h"

namespace {

constexpr Colour kBoard = {46, 30, 18};
constexpr Colour kRim = {201, 160, 82};
constexpr Colour kTitle = {255, 222, 140};
constexpr Colour kText = {245, 236, 215};
constexpr Colour kPlayed = {120, 190, 110};
constexpr Colour kUnderPar = {250, 200, 60};
constexpr Colour kEmpty = {110, 90, 70};
constexpr Colour kWhite = {255, 255, 255};

constexpr float kLeft = kDailyButton.left, kTop = kDailyButton.top;
constexpr float kWidth = kDailyButton.right - kDailyButton.left;
constexpr float kHeight = kDailyButton.bottom - kDailyButton.top;
constexpr float kRimWidth = 2;
constexpr float kCentreX = kLeft + kWidth / 2;
constexpr float kDay = 18, kDayPitch = 26;
constexpr float kWeekY = kTop + 58;
constexpr float kTextScale = 0.8f;

void Frame(float x, float y, float w, float h, float rim) {
  FillGameRect(x, y, w, rim);
  FillGameRect(x, y + h - rim, w, rim);
  FillGameRect(x, y, rim, h);
  FillGameRect(x + w - rim, y, rim, h);
}

// Missed: an empty outline. Played: a filled square. Under par: filled with a
// bright diamond-like centre. Today, still to play: a doubled outline.
void DrawDay(DayMark mark, float x, float y) {
  switch (mark) {
    case DayMark::Missed:
      Tint(kEmpty);
      Frame(x, y, kDay, kDay, 2);
      break;
    case DayMark::Played:
      Tint(kPlayed);
      FillGameRect(x, y, kDay, kDay);
      break;
    case DayMark::UnderPar:
      Tint(kUnderPar);
      FillGameRect(x, y, kDay, kDay);
      Tint(kBoard);
      FillGameRect(x + 6, y + 6, kDay - 12, kDay - 12);
      break;
    case DayMark::Today:
      Tint(kText);
      Frame(x, y, kDay, kDay, 2);
      Frame(x + 4, y + 4, kDay - 8, kDay - 8, 1);
      break;
  }
}

}  // namespace

void RenderDailyPanel(const DailyPanel& panel, const DailyResults& results, c_BitmapFont* font) {
  if (panel.today < 0) return;
  SetAlpha(0.9f);
  Tint(kBoard);
  FillGameRect(kLeft, kTop, kWidth, kHeight);
  SetAlpha(1.0f);
  Tint(kRim);
  Frame(kLeft, kTop, kWidth, kHeight, kRimWidth);
  Tint(kTitle);
  DrawScaledText(font, String("Daily line ") + String::FromUtf8(DailyDateText(panel.today)), kCentreX, kTop + 6,
                 kTextScale);
  Tint(kText);
  DrawScaledText(font, String::FromUtf8(DailyParText(panel.par)), kCentreX, kTop + 30, kTextScale);
  const std::array<DayMark, 7> week = WeekMarks(results, panel.today);
  const float firstX = kCentreX - (6 * kDayPitch + kDay) / 2;
  for (int i = 0; i < 7; ++i) DrawDay(week[i], firstX + kDayPitch * static_cast<float>(i), kWeekY);
  Tint(kText);
  DrawScaledText(font, String::FromUtf8(DailyRunText(results.CurrentRun(panel.today))), kCentreX, kTop + 78,
                 kTextScale);
  Tint(kWhite);
}
