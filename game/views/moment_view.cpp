#include "game/views/moment_view.h"

#include <algorithm>
#include <cmath>

#include "game/rules/departure.h"
#include "game/rules/sounds.h"
#include "game/rules/match.h"
#include "game/screens/gui.h"
#include "game/solver/joined_line.h"
#include "game/views/status_strip.h"
#include "game/views/data_files.h"
#include "game/views/feedback_view.h"
#include "game/views/hint_view.h"
#include "game/views/type_scale.h"

namespace {

constexpr int kAdditiveBlend = 1;
constexpr int kAlphaBlend = 0;
constexpr int kTrailDots = 9;
constexpr float kTrailSpacing = 0.14f;  // cells between the trail's dots
constexpr float kGlowSize = 48;
constexpr int kPulseMs = 900;
constexpr int kFadeInMs = 300;
constexpr float kMessageY = 52;
constexpr float kDepartWordX = 560, kDepartWordY = 30, kDepartWordRise = 16;
constexpr float kHalfCell = kCellSize / 2.0f;

bool TrainWaits(const LevelRun& run) {
  return run.departNow == 0 && run.trainRunning == 0 && run.trainArrived == 0 && run.trainCrashed == 0;
}

// The middle of a side of the cell; the tunnel's pseudo side is the centre.
LinePoint SideMiddle(CellXY cell, int side) {
  LinePoint p{static_cast<float>(CellCentre(cell.x)), static_cast<float>(CellCentre(cell.y))};
  if (side >= 0 && side < 4) {
    const CellXY next = Neighbour(cell, side);
    p.x += kHalfCell * static_cast<float>(next.x - cell.x);
    p.y += kHalfCell * static_cast<float>(next.y - cell.y);
  }
  return p;
}

// Under reduced motion nothing breathes: it holds at its fullest.
float Pulse(int now) {
  if (gameState.settings.reducedMotion == 1) return 1.0f;
  return 0.5f + 0.5f * std::sin(static_cast<float>(now) * 6.2832f / kPulseMs);
}

}  // namespace

int ScoreToShow(const LevelRun& run) {
  const bool sentOff = run.departSecondsLeft >= 0 && (run.departNow == 1 || run.trainRunning == 1);
  return sentOff && run.trainArrived == 0 ? run.levelScore - kDepartBonus : run.levelScore;
}

LinePoint PointAlong(const std::vector<RouteStep>& line, float along) {
  if (line.empty()) return {};
  const float clamped = std::min(std::max(along, 0.0f), static_cast<float>(line.size()) - 0.001f);
  const RouteStep& step = line[static_cast<std::size_t>(clamped)];
  const float t = clamped - std::floor(clamped);
  const LinePoint from = SideMiddle(step.cell, step.entry);
  const LinePoint to = SideMiddle(step.cell, step.exit);
  const LinePoint mid = SideMiddle(step.cell, -1);
  // A quadratic bend through the cell's middle: straight on a straight,
  // within two pixels of the rails' quarter circle on a curve.
  const float a = (1 - t) * (1 - t), b = 2 * t * (1 - t), c = t * t;
  return {a * from.x + b * mid.x + c * to.x, a * from.y + b * mid.y + c * to.y};
}

void c_MomentView::LoadMomentImages(c_BitmapFont* textFont) {
  glowImage = LoadGameImage(String("game/glow.png"), 1, ImageCentreHandle);
  font = textFont;
}

void c_MomentView::Observe(const Match& match) {
  const LevelRun& run = match.run;
  const int now = match.clock.lastMillisecs;
  const c_cLevel& level = *match.board;
  const bool levelOver = run.trainArrived == 1 || run.trainCrashed == 1;
  line = levelOver ? std::vector<RouteStep>() : JoinedLine(level);
  if (line.empty()) {
    joinedAtMs = -1;
  } else if (joinedAtMs < 0) {
    joinedAtMs = now;
    if (TrainWaits(run)) PlayGameSound(SoundLineComplete);
  }
  const bool left = run.departNow == 1 || run.trainRunning == 1 || levelOver;
  if (!left) {
    departedAtMs = -1;
  } else if (departedAtMs < 0 && !levelOver) {
    departedAtMs = now;
    departedJoined = !line.empty();
    departedEarly = run.departSecondsLeft >= 0;
  }
}

bool c_MomentView::InviteShown(const Match& match) const {
  return LineJoined() && TrainWaits(match.run) && match.flags.gamePaused == 0;
}

void c_MomentView::DrawGlow(float x, float y, float scale, float alpha) const {
  SetAlpha(alpha);
  DrawImage(glowImage, x, y, 0, scale, scale, 0);
}

// A bright head with a fading tail runs from START to FINISH, rests, and runs
// again for as long as the train waits; each cell of the line keeps a faint
// glow meanwhile.
void c_MomentView::DrawLineLight(const Match& match) const {
  const int now = match.clock.lastMillisecs;
  if (!glowImage || line.empty() || !TrainWaits(match.run)) return;
  SetBlend(kAdditiveBlend);
  SetColor(255, 214, 110);
  const float breathe = 0.18f + 0.1f * Pulse(now);
  for (const RouteStep& step : line) {
    const LinePoint centre = SideMiddle(step.cell, -1);
    DrawGlow(centre.x, centre.y, 0.9f, breathe);
  }
  const int runMs = static_cast<int>(line.size()) * kLightMsPerCell;
  const int sinceJoined = std::max(0, now - joinedAtMs);
  const float head = static_cast<float>(sinceJoined % (runMs + kLightRestMs)) / kLightMsPerCell;
  for (int k = 0; k < kTrailDots; ++k) {
    const float along = head - kTrailSpacing * static_cast<float>(k);
    if (along < 0 || along > static_cast<float>(line.size())) continue;
    const LinePoint p = PointAlong(line, along);
    const float fade = 1.0f - static_cast<float>(k) / kTrailDots;
    SetColor(255, 240, 180);
    DrawGlow(p.x, p.y, 0.55f + 0.5f * fade, 0.9f * fade);
  }
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
  SetBlend(kAlphaBlend);
}

void c_MomentView::DrawOverGui(const Match& match) const {
  const int now = match.clock.lastMillisecs;
  if (InviteShown(match)) {
    DrawTimePulse(now);
    const float fadeIn = std::min(1.0f, static_cast<float>(now - joinedAtMs) / kFadeInMs);
    DrawTextBand(font, String(kLineCompleteText), kMessageY, 255, 226, 120, std::max(0.0f, fadeIn));
  }
  DrawDepartureWord(match.run, now);
}

// A gold light swells and sinks behind the TIME label, and the label itself
// turns gold on each swell.
void c_MomentView::DrawTimePulse(int now) const {
  const float pulse = Pulse(now);
  const HitBox& box = kDepartButton;
  const float centreX = (box.left + box.right) / 2, centreY = (box.top + box.bottom) / 2;
  if (glowImage) {
    SetBlend(kAdditiveBlend);
    SetColor(255, 190, 60);
    SetAlpha(0.4f + 0.6f * pulse);
    DrawImage(glowImage, centreX, centreY, 0, (box.right - box.left) * 1.7f / kGlowSize,
              (box.bottom - box.top) * 2.6f / kGlowSize, 0);
    SetBlend(kAlphaBlend);
  }
  // A gold rim round the button, brightest on the swell.
  SetColor(255, 214, 90);
  SetAlpha(0.3f + 0.7f * pulse);
  const float w = box.right - box.left, h = box.bottom - box.top;
  FillGameRect(box.left, box.bottom - 2, w, 2);
  FillGameRect(box.left, box.top, 2, h);
  FillGameRect(box.right - 2, box.top, 2, h);
  if (font) {
    SetColor(255, 255 - 55 * pulse, 255 - 175 * pulse);
    SetAlpha(1.0f);
    font->DrawText(String("TIME:"), kStatusTimeLabelX, kStatusTextTop, AlignLeft);
  }
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
}

// What the send-off earned, said under TIME as the train leaves: the bonus
// on arrival over a joined line, a warning over a broken one.
void c_MomentView::DrawDepartureWord(const LevelRun& run, int now) const {
  if (departedAtMs < 0 || !departedEarly || font == nullptr) return;
  if (run.trainArrived == 1 || run.trainCrashed == 1) return;
  const float t = static_cast<float>(now - departedAtMs) / kDepartWordMs;
  if (t < 0 || t >= 1) return;
  const float alpha = t < 0.7f ? 1.0f : (1.0f - t) / 0.3f;
  const float y = kDepartWordY + kDepartWordRise * t;
  if (departedJoined) {
    DrawShadowedText(font, String(kDepartJoinedText), kDepartWordX, y, TypeScale(kTypeSmall), AlignCenter, 255, 226, 120, alpha);
  } else {
    DrawShadowedText(font, String(kDepartBrokenText), kDepartWordX, y, TypeScale(kTypeSmall), AlignCenter, 255, 120, 90, alpha);
  }
}

void c_MomentView::Mark() {
  glowImage.Mark();
  font.Mark();
}
