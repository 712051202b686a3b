#include "game/screens/map.h"

#include "game/rules/effects.h"
#include "game/rules/feedback.h"
#include "game/rules/layouts.h"
#include "game/rules/progress.h"
#include "game/rules/state.h"

namespace {

struct IconPlace {
  int x, y;
};

// Each level's place on the map; its name and figures are read from the
// level itself.
const IconPlace kIcons[kLevelCount] = {
    {138, 96},  {169, 166}, {239, 215}, {241, 315}, {341, 263}, {382, 180}, {460, 145}, {519, 215},
    {527, 313}, {586, 379}, {655, 420}, {735, 465}, {784, 408}, {817, 338}, {854, 255},
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
    const IconPlace& place = kIcons[i];
    const LevelLayout& layout = LevelLayoutOf(i + 1);
    c_cScenarioIcon* icon = new c_cScenarioIcon();
    icon->name = String::FromUtf8(layout.name);
    icon->x = place.x;
    icon->y = place.y;
    const bool events = layout.events != EventsCleared;
    icon->startIron = layout.iron;
    icon->mineIron = layout.hasMine ? layout.mineReserve : 0;
    icon->banditsThreat = events ? layout.banditsKind : 0;
    icon->indigensThreat = events ? layout.indigensKind : 0;
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
  if (DailyLineShown() && kDailyButton.Contains(x, y)) return ScreenRequest::StartDaily;
  if (LevelListCornerShown() && kLevelListCorner.Contains(x, y)) return ScreenRequest::ShowLevelList;
  return kStartButton.Contains(x, y) && SelectedLevelPlayable() ? ScreenRequest::StartLevel : ScreenRequest::None;
}

bool c_cMap::DailyLineShown() const { return MendedRules() && daily.today >= 0; }

bool c_cMap::LevelListCornerShown() const { return MendedRules(); }

bool c_cMap::SelectedLevelPlayable() const {
  const int state = levelStates[selectedLevel];
  // A done level is played again under the mended rules.
  return state == LevelAvailable || (state == LevelDone && MendedRules());
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
    ReportFeedback(event, clockMs);
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
    t->lastStepTime = static_cast<float>(clockMs);
    t->active = 1;
    return;
  }
}

void c_cMap::UpdateMapTexts() {
  const float now = static_cast<float>(clockMs);
  for (int i = 0; i < mapTexts.Length(); ++i) StepFloatingText<c_cScoreText2>(mapTexts[i], now);
}

std::vector<HitBox> c_cMap::Buttons() const {
  std::vector<HitBox> boxes;
  // A locked level answers no click worth showing.
  for (int i = 0; i < icons.Length(); ++i) {
    if (levelStates[i] != LevelLocked) boxes.push_back(IconBox(icons[i]));
  }
  if (SelectedLevelPlayable()) boxes.push_back(kStartButton);
  boxes.push_back(kBuyButtonFrame);
  if (DailyLineShown()) boxes.push_back(kDailyButton);
  if (LevelListCornerShown()) boxes.push_back(kLevelListCorner);
  return boxes;
}

FocusList c_cMap::KeyFocus() const {
  FocusList list;
  if (SelectedLevelPlayable()) list.boxes.push_back(kStartButton);
  list.boxes.push_back(kBuyButtonFrame);
  if (DailyLineShown()) list.boxes.push_back(kDailyButton);
  if (LevelListCornerShown()) list.boxes.push_back(kLevelListCorner);
  return list;
}

int c_cMap::NeighbourLevel(int step) const {
  for (int i = selectedLevel + step; i >= 0 && i < icons.Length(); i += step) {
    if (levelStates[i] != LevelLocked) return i;
  }
  return -1;
}
