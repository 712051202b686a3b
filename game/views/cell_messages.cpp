#include "game/views/cell_messages.h"

#include <cmath>

#include "game/rules/effects.h"
#include "game/rules/state.h"

namespace {

// A text steps once per update, so its age is its steps in updates.
constexpr int kUpdateMs = 33;

}  // namespace

int TextStepsRisen(const c_cScoreText& text) {
  return static_cast<int>(std::lround((1.0f - text.alpha) / kScoreTextFadePerStep));
}

void TextOrigin(const c_cScoreText& text, int* cellX, int* cellY) {
  // One pixel in from the corner, which CellAt counts to the cell left of it.
  *cellX = CellAt(static_cast<float>(text.x + 1));
  *cellY = CellAt(static_cast<float>(text.y + TextStepsRisen(text) + 1));
}

CellMessages::CellMessages(const c_cLevel& level, const std::vector<FeedbackMark>& marks, int now) {
  for (int i = 0; i < level.scoreTexts.Length(); ++i) {
    const c_cScoreText* text = level.scoreTexts[i];
    // A theft flies off to the stock at once, so it leaves its cell free.
    if (text->active == 0 || text->kind == ScoreTextTheft) continue;
    Message m{Source::Text, i, 0, 0, TextStepsRisen(*text) * kUpdateMs};
    TextOrigin(*text, &m.cellX, &m.cellY);
    messages.push_back(m);
  }
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const FeedbackMark& mark = marks[i];
    const int age = now - mark.startMs;
    if (mark.event.kind != FeedbackKind::OrderRefused || age < 0 || age >= kReasonMs) continue;
    messages.push_back({Source::Reason, static_cast<int>(i), mark.event.cellX, mark.event.cellY, age});
  }
}

// The youngest message of its cell; of two as young, the later one.
bool CellMessages::Newest(Source source, int index) const {
  const Message* self = nullptr;
  for (const Message& m : messages) {
    if (m.source == source && m.index == index) self = &m;
  }
  if (self == nullptr) return true;  // not on a cell: nothing competes
  bool passedSelf = false;
  for (const Message& m : messages) {
    if (&m == self) {
      passedSelf = true;
      continue;
    }
    if (m.cellX != self->cellX || m.cellY != self->cellY) continue;
    if (m.ageMs < self->ageMs || (m.ageMs == self->ageMs && passedSelf)) return false;
  }
  return true;
}

bool CellMessages::TextShown(int index) const { return Newest(Source::Text, index); }

bool CellMessages::ReasonShown(int index) const { return Newest(Source::Reason, index); }

bool CellMessages::CellQuiet(int cx, int cy) const {
  for (const Message& m : messages) {
    if (m.cellX == cx && m.cellY == cy) return false;
  }
  return true;
}
