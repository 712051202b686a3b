#include "game/screens/map.h"

#include "game/rules/effects.h"
#include "game/rules/feedback.h"
#include "game/rules/progress.h"
#include "game/rules/state.h"

namespace {

struct IconRow {
  const char* name;
  int x, y;
  int startIron, mineIron;
  int banditsThreat, indigensThreat;
};

// What the map shows of each level; the layouts set the real figures.
const IconRow kIcons[kLevelCount] = {
    {"First Station", 138, 96, 2000, 0, 0, 0},  {"Iron Iron", 169, 166, 500, 2000, 0, 0},
    {"First Attack", 239, 215, 800, 2200, 1, 0}, {"They are Here", 241, 315, 800, 3200, 0, 1},
    {"No Way Back", 341, 263, 700, 3500, 1, 1},  {"Wild West", 382, 180, 700, 3800, 2, 0},
    {"Need Gold", 460, 145, 500, 3000, 2, 1},    {"Iron Monster", 519, 215, 500, 4500, 2, 2},
    {"Turn Here", 527, 313, 500, 4500, 3, 1},    {"Dead Sand", 586, 379, 600, 5000, 3, 2},
    {"Outside is War", 655, 420, 800, 5000, 3, 3}, {"Need Iron", 735, 465, 500, 5000, 3, 3},
    {"Dead Valley", 784, 408, 500, 5000, 3, 3},  {"Almost There", 817, 338, 500, 5000, 3, 3},
    {"Last Station", 854, 255, 500, 5000, 3, 3},
};

// Where the "-500" of a bought worker starts to rise.
constexpr int kBuyTextX = 635;
constexpr int kBuyTextY = 590;

}  // namespace

HitBox IconBox(const c_cScenarioIcon* icon) {
  const float x = static_cast<float>(icon->x);
  const float y = static_cast<float>(icon->y);
  return ClosedBox(x - kIconReachBefore, x + kIconReachAfter, y - kIconReachBefore, y + kIconReachAfter);
}

void c_cMap::Mark() {
  mapTexts.Mark();
  icons.Mark();
}

void c_cMap::SetUpScenarioMap() {
  Array<c_cScenarioIcon*> made(kLevelCount);
  for (int i = 0; i < kLevelCount; ++i) {
    const IconRow& row = kIcons[i];
    c_cScenarioIcon* icon = new c_cScenarioIcon();
    icon->name = String(row.name);
    icon->x = row.x;
    icon->y = row.y;
    icon->startIron = row.startIron;
    icon->mineIron = row.mineIron;
    icon->banditsThreat = row.banditsThreat;
    icon->indigensThreat = row.indigensThreat;
    made[i] = icon;
  }
  icons = made;
  Array<c_cScoreText2*> texts(kMapTextCount);
  for (int i = 0; i < kMapTextCount; ++i) texts[i] = new c_cScoreText2();
  mapTexts = texts;
}

void c_cMap::RefreshIcons() {
  for (int i = 0; i < kLevelCount; ++i) icons[i]->status = levelStates[i];
}

ScreenRequest c_cMap::ClickMap(float x, float y) {
  // A later icon wins where two areas overlap.
  for (int i = 0; i < kLevelCount; ++i) {
    if (IconBox(icons[i]).Contains(x, y)) selectedLevel = i;
  }
  if (kBuyButton.Contains(x, y)) BuyWorker();
  const bool canStart = levelStates[selectedLevel] == LevelAvailable;
  return kStartButton.Contains(x, y) && canStart ? ScreenRequest::StartLevel : ScreenRequest::None;
}

PurchaseVerdict CheckPurchase() {
  if (gameState.progress.ownedWorkers >= kMaxWorkers) return PurchaseVerdict::TooManyWorkers;
  if (gameState.progress.totalGold < kWorkerPrice) return PurchaseVerdict::TooFewGold;
  return PurchaseVerdict::Sold;
}

void c_cMap::BuyWorker() {
  const PurchaseVerdict verdict = CheckPurchase();
  if (verdict != PurchaseVerdict::Sold) {
    FeedbackEvent event;
    event.kind = FeedbackKind::PurchaseRefused;
    event.purchase = verdict;
    ReportFeedback(event);
    PlayGameSound(SoundRefused);
    return;
  }
  gameState.progress.totalGold -= kWorkerPrice;
  gameState.progress.ownedWorkers += 1;
  AddMapText(String("-") + String::FromInt(kWorkerPrice), kBuyTextX, kBuyTextY);
  PlayGameSound(SoundBuy);
}

void c_cMap::AddMapText(const String& text, int x, int y) {
  for (int i = 0; i < mapTexts.Length(); ++i) {
    c_cScoreText2* t = mapTexts[i];
    if (t->active != 0) continue;
    t->text = text;
    t->x = x;
    t->y = y;
    t->alpha = 1.0f;
    t->lastStepTime = static_cast<float>(gameState.clock.lastMillisecs);
    t->active = 1;
    return;
  }
}

void c_cMap::UpdateMapTexts() {
  const float now = static_cast<float>(gameState.clock.lastMillisecs);
  for (int i = 0; i < mapTexts.Length(); ++i) StepFloatingText<c_cScoreText2>(mapTexts[i], now);
}

std::vector<HitBox> c_cMap::Buttons() const {
  std::vector<HitBox> boxes;
  for (int i = 0; i < icons.Length(); ++i) boxes.push_back(IconBox(icons[i]));
  if (levelStates[selectedLevel] == LevelAvailable) boxes.push_back(kStartButton);
  boxes.push_back(kBuyButtonFrame);
  return boxes;
}

FocusList c_cMap::KeyFocus() const {
  FocusList list;
  if (levelStates[selectedLevel] == LevelAvailable) list.boxes.push_back(kStartButton);
  list.boxes.push_back(kBuyButtonFrame);
  return list;
}

int c_cMap::NeighbourLevel(int step) const {
  for (int i = selectedLevel + step; i >= 0 && i < icons.Length(); i += step) {
    if (levelStates[i] != LevelLocked) return i;
  }
  return -1;
}
