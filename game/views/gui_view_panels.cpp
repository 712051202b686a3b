// The won and failed panels: the pictures, and what is written on them. The
// won panel tells the times, counts its figures up and shows the stars; the
// failed panel tells the crash's cause and cell in the panel's own printed
// letters, while the crash itself burns on where it happened.
#include <string>

#include "game/rules/departure.h"
#include "game/rules/effects.h"
#include "game/rules/state.h"
#include "game/screens/gui.h"
#include "game/views/colour.h"
#include "game/views/data_files.h"
#include "game/views/gui_view.h"
#include "game/views/type_scale.h"

namespace {

constexpr float kWonPanelX = 320, kWonPanelY = 218;
constexpr float kPanelCentreX = 192;  // both panels are 384 pixels wide
// The won panel's figures, one under the other, in the picture's fields.
constexpr float kWonFiguresX = 485;
constexpr float kWonFigureY[kWonLineCount] = {388, 417, 446};
// The times under the title, from the panel's top.
constexpr float kFirstLineY = 62, kSecondLineY = 86;
constexpr float kPrintScale = TypeScale(kTypeBody);
// The stars' row, from the panel's top-left; the empty places are dark.
constexpr float kStarsY = 128, kStarPitch = 54;
constexpr float kEmptyStarAlpha = 0.3f;
constexpr float kNewBestX = 322, kNewBestY = 118;
// A daily line's par and the run's iron, in the stars' place.
constexpr float kParLineY = 112, kSpentLineY = 134;
// The crash burns on at the spot, a frame of its fire every so often.
constexpr int kFireFrameMs = 120;
constexpr int kFirstFireFrame = 2;

constexpr Colour kInk = {52, 34, 22};
constexpr Colour kRedInk = {178, 52, 40};
constexpr Colour kStarDark = {60, 45, 30};

String Text(const std::string& text) { return String::FromUtf8(text); }

std::string SentOffLine(int departSecondsLeft) {
  if (departSecondsLeft < 0) return "It left on its own";
  return "Sent off with " + MinutesText(departSecondsLeft) + " left";
}

}  // namespace

void c_GuiView::RenderWonPanel(const Match& match, const WonTally& counting) const {
  DrawImage(levelDoneImage, kWonPanelX, kWonPanelY);
  const int now = match.clock.lastMillisecs;
  const WonTally tally = counting.started ? counting : WholeTallyOf(match.run, now);
  for (int line = 0; line < kWonLineCount; ++line) {
    const int shown = tally.Shown(line, now);
    const String figure = line == WonLineBonus && shown > 0 ? String("+") + String::FromInt(shown)
                                                             : String::FromInt(shown);
    font->DrawText(figure, kWonFiguresX, kWonFigureY[line]);
  }
  RenderWonTimes(tally, kWonPanelX, kWonPanelY);
  if (tally.par.iron > 0) {
    RenderDailyPar(tally, kWonPanelX, kWonPanelY);
  } else {
    RenderStars(match, tally, kWonPanelX, kWonPanelY);
  }
}

// A daily line's par where the stars would be: the day's par, then the
// run's iron against it (in red when it beat or met the par).
void c_GuiView::RenderDailyPar(const WonTally& tally, float left, float top) const {
  // The par is the cheapest track there is, so meeting it is the usual best.
  const bool underPar = tally.ironSpent <= tally.par.iron;
  const char* verdict = tally.ironSpent < tally.par.iron ? ": under par!" : underPar ? ": on par!" : "";
  const std::string spent = "Spent " + std::to_string(tally.ironSpent) + " iron" + verdict;
  Tint(kInk);
  DrawScaledText(inkFont, Text(ParText(tally.par)), left + kPanelCentreX, top + kParLineY, kPrintScale);
  Tint(underPar ? kRedInk : kInk);
  DrawScaledText(inkFont, Text(spent), left + kPanelCentreX, top + kSpentLineY, kPrintScale);
  SetColor(255, 255, 255);
}

void c_GuiView::RenderWonTimes(const WonTally& tally, float left, float top) const {
  if (tally.arrivalSeconds < 0) return;
  Tint(kInk);
  const std::string arrived = "Arrived after " + MinutesText(tally.arrivalSeconds);
  DrawScaledText(inkFont, Text(arrived), left + kPanelCentreX, top + kFirstLineY, kPrintScale);
  DrawScaledText(inkFont, Text(SentOffLine(tally.departSecondsLeft)), left + kPanelCentreX, top + kSecondLineY,
                 kPrintScale);
  SetColor(255, 255, 255);
}

void c_GuiView::RenderStars(const Match& match, const WonTally& tally, float left, float top) const {
  const int now = match.clock.lastMillisecs;
  const int shown = tally.StarsShown(now);
  for (int star = 0; star < kMostStars; ++star) {
    const float x = left + kPanelCentreX + kStarPitch * static_cast<float>(star - 1);
    if (star < shown) {
      DrawImage(starImage, x, top + kStarsY);
      continue;
    }
    Tint(kStarDark);
    SetAlpha(kEmptyStarAlpha);
    DrawImage(starImage, x, top + kStarsY);
    SetAlpha(1.0f);
    SetColor(255, 255, 255);
  }
  if (!tally.NewBestShown(now)) return;
  Tint(kRedInk);
  DrawScaledText(inkFont, String("New best"), left + kNewBestX, top + kNewBestY, kPrintScale);
  SetColor(255, 255, 255);
}

void c_GuiView::RenderFailedPanel(const Match& match) const {
  const PanelOrigin at = FailedPanelAt(match.run);
  DrawImage(levelFailImage, at.x, at.y);
  RenderCrashCause(match, at.x, at.y);
}

void c_GuiView::RenderCrashCause(const Match& match, float left, float top) const {
  if (!feedback || !feedback->CrashKnown()) return;
  const CrashCause cause = feedback->LastCrashCause();
  const std::string place = CrashPlaceText(cause, match.run.crashCellX, match.run.crashCellY);
  Tint(kInk);
  DrawScaledText(inkFont, String(CrashText(cause)), left + kPanelCentreX, top + kFirstLineY, kPrintScale);
  DrawScaledText(inkFont, Text(place), left + kPanelCentreX, top + kSecondLineY, kPrintScale);
  SetColor(255, 255, 255);
}

void c_GuiView::RenderCrashFire(const Match& match) const {
  const int frames = kExplosionFrameCount - kFirstFireFrame;
  const int frame = kFirstFireFrame + (match.clock.lastMillisecs / kFireFrameMs) % frames;
  DrawImage(explosionImage, match.run.crashX, match.run.crashY, frame);
}
