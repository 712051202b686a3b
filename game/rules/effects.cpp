// Explosions and floating texts: adding them to their pools and moving them on.
#include "game/rules/effects.h"

#include "game/rules/board.h"
#include "game/rules/pool.h"
#include "game/rules/match.h"

namespace {

void ShowText(c_cScoreText* entry, int kind, const String& text, int x, int y, int now) {
  entry->kind = kind;
  entry->text = text;
  entry->x = x;
  entry->y = y;
  entry->alpha = 1.0f;
  entry->lastStepTime = static_cast<float>(now);
  entry->active = 1;
}

}  // namespace

void UpdateExplosions(const Array<c_cExplosion*>& explosions, int nowMs) {
  const float now = static_cast<float>(nowMs);
  for (int i = 0; i < explosions.Length(); ++i) {
    c_cExplosion* blast = explosions[i];
    if (blast->active == 0 || blast->lastFrameTime + kExplosionFrameMs > now) continue;
    blast->frame += 1;
    blast->lastFrameTime = now;
    if (blast->frame >= kExplosionFrameCount) blast->active = 0;
  }
}

void c_cLevel::AddExplosion(int x, int y) {
  c_cExplosion* blast = FirstInactive(explosions);
  if (blast == nullptr) return;
  match->random.seed = static_cast<std::uint32_t>(GameMillisecs());
  blast->angle = static_cast<float>(static_cast<int>(match->random.Float(0.0f, static_cast<float>(kFullTurnDegrees))));
  blast->x = x;
  blast->y = y;
  blast->frame = 0;
  blast->lastFrameTime = static_cast<float>(match->clock.lastMillisecs);
  blast->active = 1;
  PlayGameSound(SoundExplosion);
}

// A gain shows as "+amount", a loss as "-amount" in red. Nothing changes
// hands with an amount of 0, so nothing is shown.
void c_cLevel::AddScoreText(int amount, int x, int y) {
  if (amount == 0) return;
  c_cScoreText* entry = FirstInactive(scoreTexts);
  if (entry == nullptr) return;
  if (amount > 0) {
    ShowText(entry, ScoreTextGain, "+" + String::FromInt(amount), x, y, match->clock.lastMillisecs);
  } else {
    ShowText(entry, ScoreTextLoss, String::FromInt(amount), x, y, match->clock.lastMillisecs);
  }
}

void c_cLevel::AddTheftText(int amount, int x, int y) {
  if (amount <= 0) return;
  c_cScoreText* entry = FirstInactive(scoreTexts);
  if (entry == nullptr) return;
  ShowText(entry, ScoreTextTheft, String::FromInt(-amount), x, y, match->clock.lastMillisecs);
}

void c_cLevel::AddFloatingMessage(const String& text, int x, int y) {
  c_cScoreText* entry = FirstInactive(scoreTexts);
  if (entry == nullptr) return;
  ShowText(entry, ScoreTextMessage, text, x, y, match->clock.lastMillisecs);
}

void c_cLevel::UpdateScoreTexts() {
  const float now = static_cast<float>(match->clock.lastMillisecs);
  for (int i = 0; i < scoreTexts.Length(); ++i) StepFloatingText<c_cScoreText>(scoreTexts[i], now);
}
