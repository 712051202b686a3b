#include "game/views/feedback_view.h"

#include <string>

#include <algorithm>

#include "game/rules/state.h"
#include "game/screens/hit_box.h"
#include "game/views/cell_messages.h"
#include "game/views/cue_marks.h"
#include "game/views/data_files.h"
#include "game/views/type_scale.h"

namespace {

constexpr int kLongestMarkMs = kDebrisMs;
constexpr float kFlashAlpha = 0.5f;
constexpr float kSteadyOutlineAlpha = 0.9f;
constexpr float kSteadyOutlineWidth = 3;
constexpr float kReasonRise = 24;
constexpr float kReasonScale = TypeScale(kTypeSmall);
constexpr float kHitShakePixels = 4;
constexpr float kDebrisFadeMs = 1000;
// The shop's answer rises from above its button.
constexpr float kShopReasonX = 627, kShopReasonY = 640;
constexpr float kReasonMargin = 90;

float Age(const FeedbackMark& mark, int now) { return static_cast<float>(now - mark.startMs); }

// A floating reason: white, rising and fading over its time, kept on screen.
void DrawFloatingReason(c_BitmapFont* font, const char* text, float x, float y, float age) {
  const float t = age / kReasonMs;
  if (t < 0 || t >= 1) return;
  SetAlpha(t < 0.6f ? 1.0f : (1.0f - t) / 0.4f);
  const float clampedX = std::min(std::max(x, kReasonMargin), kScreenWidth - kReasonMargin);
  DrawScaledText(font, String(text), clampedX, y - kReasonRise * t, kReasonScale);
  SetAlpha(1.0f);
}

}  // namespace

const char* RefusalText(OrderVerdict verdict) {
  switch (verdict) {
    case OrderVerdict::TrainLeft: return "The train has left";
    case OrderVerdict::Blocked: return "Blocked";
    case OrderVerdict::NoIron: return "No iron";
    case OrderVerdict::PoolFull: return "Too many jobs";
    case OrderVerdict::NoWorker: return "No free worker";
    case OrderVerdict::Taken: break;
  }
  return "";
}

const char* PurchaseRefusalText(PurchaseVerdict verdict) {
  switch (verdict) {
    case PurchaseVerdict::TooFewGold: return "500 gold needed";
    case PurchaseVerdict::TooManyWorkers: return "15 workers at most";
    case PurchaseVerdict::Sold: break;
  }
  return "";
}

const char* CrashText(CrashCause cause) {
  switch (cause) {
    case CrashCause::EndOfTrack: return "The train ran off the end of the track.";
    case CrashCause::UnfinishedPiece: return "The train ran into an unfinished piece.";
    case CrashCause::Scenery: return "The train ran into the scenery.";
    case CrashCause::WrongPiece: return "The train met a piece that does not join.";
    case CrashCause::NoTrackFromStart: return "No track was laid from START.";
  }
  return "";
}

std::string CrashPlaceText(CrashCause cause, int cellX, int cellY) {
  if (!OnBoard(cellX, cellY)) return "The track runs off the edge of the board.";
  const std::string cell = "column " + std::to_string(cellX + 1) + ", row " + std::to_string(cellY + 1);
  const bool nothingThere = cause == CrashCause::EndOfTrack || cause == CrashCause::NoTrackFromStart;
  return (nothingThere ? "Nothing is built at " : "It happened at ") + cell + ".";
}

c_FeedbackView::~c_FeedbackView() {
  if (CurrentFeedbackListener() == this) SetFeedbackListener(nullptr);
}

void c_FeedbackView::Report(const FeedbackEvent& event) {
  const int now = event.atMs;
  marks.erase(std::remove_if(marks.begin(), marks.end(),
                             [now](const FeedbackMark& m) { return now - m.startMs > kLongestMarkMs; }),
              marks.end());
  marks.push_back(FeedbackMark{event, now});
  if (event.kind == FeedbackKind::TrainCrashed) {
    crashKnown = true;
    lastCrashCause = event.cause;
  }
}

void c_FeedbackView::Clear() {
  marks.clear();
  crashKnown = false;
}

void c_FeedbackView::ClearAllButCrash(bool known, CrashCause cause) {
  marks.clear();
  crashKnown = known;
  lastCrashCause = cause;
}

const FeedbackMark* c_FeedbackView::Latest(FeedbackKind kind) const {
  for (auto it = marks.rbegin(); it != marks.rend(); ++it) {
    if (it->event.kind == kind) return &*it;
  }
  return nullptr;
}

float c_FeedbackView::ShakeAt(int cx, int cy, int now) const {
  if (gameState.settings.reducedMotion == 1) return 0;
  for (auto it = marks.rbegin(); it != marks.rend(); ++it) {
    const FeedbackEvent& e = it->event;
    if (e.kind != FeedbackKind::EnemyHit || e.cellX != cx || e.cellY != cy) continue;
    const float age = Age(*it, now);
    if (age >= kHitShakeMs) return 0;
    // Two quick swings that die away.
    const float swing = (static_cast<int>(age / 40) % 2 == 0) ? 1.0f : -1.0f;
    return swing * kHitShakePixels * (1.0f - age / kHitShakeMs);
  }
  return 0;
}

void c_FeedbackView::LoadFeedbackImages(c_BitmapFont* textFont) {
  debrisImage = LoadGameImage(String("game/debris.png"));
  font = textFont;
}

void c_FeedbackView::DrawBoardMarks(const c_cLevel& level, int now) const {
  for (const FeedbackMark& mark : marks) {
    const FeedbackEvent& e = mark.event;
    if (!OnBoard(e.cellX, e.cellY)) continue;
    const float age = Age(mark, now);
    const float left = static_cast<float>(CellLeft(e.cellX));
    const float top = static_cast<float>(CellTop(e.cellY));
    if (e.kind == FeedbackKind::PieceTornOut && age < kDebrisMs && level.CellKind(e.cellX, e.cellY) == CellEmpty) {
      const float fade = (kDebrisMs - age) / kDebrisFadeMs;
      SetAlpha(std::min(1.0f, fade));
      if (debrisImage) DrawImage(debrisImage, left, top);
    } else if (e.kind == FeedbackKind::OrderRefused && age < kRefusalFlashMs) {
      SetColor(230, 40, 30);
      if (gameState.settings.reducedMotion == 1) {
        // A steady outline for as long as the flash would last.
        SetAlpha(kSteadyOutlineAlpha);
        DrawOutline(left, top, kCellSize, kCellSize, kSteadyOutlineWidth);
      } else {
        SetAlpha(kFlashAlpha * (1.0f - age / kRefusalFlashMs));
        FillGameRect(left, top, kCellSize, kCellSize);
      }
      SetColor(255, 255, 255);
    }
    SetAlpha(1.0f);
  }
}

void c_FeedbackView::DrawReasons(int now, const CellMessages& messages) const {
  if (!font) return;
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const FeedbackMark& mark = marks[i];
    const FeedbackEvent& e = mark.event;
    if (e.kind != FeedbackKind::OrderRefused || !messages.ReasonShown(static_cast<int>(i))) continue;
    DrawFloatingReason(font, RefusalText(e.verdict), static_cast<float>(CellCentre(e.cellX)),
                       static_cast<float>(CellTop(e.cellY)) + 4, Age(mark, now));
  }
}

void c_FeedbackView::DrawMapReasons(int now) const {
  if (!font) return;
  for (const FeedbackMark& mark : marks) {
    if (mark.event.kind != FeedbackKind::PurchaseRefused) continue;
    DrawFloatingReason(font, PurchaseRefusalText(mark.event.purchase), kShopReasonX, kShopReasonY,
                       Age(mark, now));
  }
}

void c_FeedbackView::Mark() {
  debrisImage.Mark();
  font.Mark();
}

void DrawScaledText(c_BitmapFont* font, const String& text, float x, float y, float scale, int align) {
  if (font == nullptr) return;
  PushMatrix();
  Translate(x, y);
  Scale(scale, scale);
  font->DrawText(text, 0, 0, align);
  PopMatrix();
}

void DrawShadowedText(c_BitmapFont* font, const String& text, float x, float y, float scale, int align, float r,
                      float g, float b, float alpha) {
  constexpr float kShadowOffset = 1.5f;
  SetAlpha(alpha * 0.8f);
  SetColor(30, 20, 10);
  DrawScaledText(font, text, x + kShadowOffset, y + kShadowOffset, scale, align);
  SetAlpha(alpha);
  SetColor(r, g, b);
  DrawScaledText(font, text, x, y, scale, align);
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
}
