// The answers the board and the map give the player, as the view remembers
// them: a refused order's red flash and its floating reason, the shop's
// refusal, the shake of an enemy that was hit, the debris of a torn-out piece
// for a few seconds, and the cause of the last crash. The rules report these
// events (rules/feedback.h); this memory is the view's own, apart from the
// level's pools, so showing an answer never takes a slot the rules count on.
#pragma once

#include <string>
#include <vector>

#include "game/rules/board.h"
#include "game/rules/feedback.h"
#include "graphics/drawing.h"
#include "runtime/gc.h"
#include "support/bitmap_font.h"

class CellMessages;

// How long each answer shows, in milliseconds of the game's clock.
constexpr int kRefusalFlashMs = 450;
constexpr int kReasonMs = 1400;
constexpr int kHitShakeMs = 250;
constexpr int kDebrisMs = 4000;

// The words of each answer.
const char* RefusalText(OrderVerdict verdict);
const char* PurchaseRefusalText(PurchaseVerdict verdict);
const char* CrashText(CrashCause cause);
// Where it happened, by the cell the train ran into (columns and rows counted
// from 1 at the board's top left); a cell off the board is its edge.
std::string CrashPlaceText(CrashCause cause, int cellX, int cellY);

struct FeedbackMark {
  FeedbackEvent event;
  int startMs = 0;
};

class c_FeedbackView : public Object, public FeedbackListener {
 public:
  // Reports stop coming here once it is gone.
  ~c_FeedbackView() override;
  // Kept with the game clock's time; marks past their time are let go.
  void Report(const FeedbackEvent& event) override;
  // A level start forgets the last level's answers.
  void Clear();
  // Forgets every answer but the crash's cause, which stays for the failed
  // panel (after a demonstration has played on the same view).
  void ClearAllButCrash(bool known, CrashCause cause);
  const std::vector<FeedbackMark>& Marks() const { return marks; }
  // The newest mark of a kind, or null.
  const FeedbackMark* Latest(FeedbackKind kind) const;
  // The cause of the level's crash, kept for as long as the failed panel may
  // show it; false before a crash.
  bool CrashKnown() const { return crashKnown; }
  CrashCause LastCrashCause() const { return lastCrashCause; }
  // How far the enemy on the cell is pushed sideways by a recent hit.
  float ShakeAt(int cx, int cy, int now) const;

  void LoadFeedbackImages(c_BitmapFont* textFont);
  // Under the train: debris where raiders tore a piece out and nothing was
  // built since, and the red flash of refused cells.
  void DrawBoardMarks(const c_cLevel& level, int now) const;
  // Over everything on the board: the floating reasons, each where it is the
  // newest message of its cell.
  void DrawReasons(int now, const CellMessages& messages) const;
  // The shop's answer on the map.
  void DrawMapReasons(int now) const;
  void Mark() override;

  gc_ref<c_Image> debrisImage;
  gc_ref<c_BitmapFont> font;

 private:
  std::vector<FeedbackMark> marks;
  bool crashKnown = false;
  CrashCause lastCrashCause = CrashCause::EndOfTrack;
};

// Text at a fraction of the font's size, centred on x (or from x, AlignLeft).
void DrawScaledText(c_BitmapFont* font, const String& text, float x, float y, float scale, int align = AlignCenter);
// The same over a dark shadow, so it reads on sand and rock alike, in the
// colour (r, g, b) at `alpha`.
void DrawShadowedText(c_BitmapFont* font, const String& text, float x, float y, float scale, int align, float r,
                      float g, float b, float alpha);
