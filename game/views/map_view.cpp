#include "game/views/map_view.h"

#include "game/rules/progress.h"
#include "game/rules/state.h"
#include "game/views/colour.h"
#include "game/views/daily_panel_view.h"
#include "game/views/data_files.h"
#include "game/views/type_scale.h"

namespace {

constexpr Colour kWhite = {255, 255, 255};
constexpr Colour kFigureColour = {255, 255, 0};
constexpr float kNameCentreX = 512;
constexpr float kNameY = 25;
constexpr float kSelectedMarkInset = 4;
constexpr float kFiguresX = 163;
constexpr float kThreatsX = 369;
constexpr float kUpperRowY = 630;
constexpr float kLowerRowY = 700;
constexpr float kStartGreyX = 754, kStartGreyY = 693;
constexpr float kGoldX = 640, kGoldY = 602;
constexpr float kWorkersX = 640, kWorkersY = 657;
constexpr float kMaxWorkersX = 684;
constexpr float kNoFundsX = 525, kNoFundsY = 692;
// The selected level's records under its name, and the mark of a level won
// without a hint at its icon's upper right.
constexpr float kRecordY = 66;
constexpr float kRecordPadding = 8;
constexpr float kRecordBandHeight = 26;
constexpr float kNoHintMarkX = 24, kNoHintMarkY = -4, kNoHintMarkSize = 11, kNoHintMarkRim = 2;
constexpr Colour kNoHintMarkColour = {255, 215, 40};
// The worker's price, written on the shop's button under its words.
constexpr float kPriceX = 605, kPriceY = 722;
constexpr float kPriceScale = TypeScale(kTypeSmall);
constexpr Colour kPriceColour = {255, 236, 170};
constexpr Colour kGreyedColour = {150, 150, 150};
// Each level's number written on its 32-pixel badge, centred, in the pale
// gold of the figures (grey while locked).
constexpr float kBadgeCentre = 16;
constexpr float kIconNumberScale = TypeScale(kTypeBody);
constexpr Colour kBadgeNumberColour = {255, 246, 214};
constexpr Colour kLockedNumberColour = {196, 192, 184};
// The stars' row under the badge: small, centred on it.
constexpr float kIconStarsCentreDX = kBadgeCentre, kIconStarsDY = 42;
constexpr float kIconStarPitch = 13;
constexpr float kIconStarScale = 0.34f;
constexpr float kUnearnedStarAlpha = 0.45f;

struct ThreatWord {
  const char* word;
  Colour colour;
};

const ThreatWord kThreatWords[] = {
    {"none", {0, 255, 0}},
    {"low", {0, 255, 0}},
    {"medium", {255, 127, 39}},
    {"high", {255, 0, 0}},
};

void DrawNoHintMark(const c_cScenarioIcon* icon) {
  const float x = static_cast<float>(icon->x) + kNoHintMarkX;
  const float y = static_cast<float>(icon->y) + kNoHintMarkY;
  SetColor(60, 30, 10);
  FillGameRect(x, y, kNoHintMarkSize, kNoHintMarkSize);
  Tint(kNoHintMarkColour);
  FillGameRect(x + kNoHintMarkRim, y + kNoHintMarkRim, kNoHintMarkSize - 2 * kNoHintMarkRim,
               kNoHintMarkSize - 2 * kNoHintMarkRim);
  Tint(kWhite);
}

}  // namespace

void c_MapView::LoadMapImages() {
  mapImage = LoadGameImage(String("game/gameMap.png"));
  availableImage = LoadGameImage(String("game/levelavailable.png"));
  lockedImage = LoadGameImage(String("game/levellocked.png"));
  doneImage = LoadGameImage(String("game/leveldone.png"));
  startGreyImage = LoadGameImage(String("game/startGrey.png"));
  noFundsImage = LoadGameImage(String("game/noFunds.png"));
  selectedImage = LoadGameImage(String("game/levelSelected.png"));
  starImage = LoadGameImage(String("game/star.png"), 1, ImageCentreHandle);
  font = LoadGameFont(String("time.txt"));
}

void c_MapView::RenderScenarioMap(const c_cMap& map) const {
  const Array<c_cScenarioIcon*>& icons = map.icons;
  const Array<c_cScoreText2*>& mapTexts = map.mapTexts;
  DrawImage(mapImage, 0, 0);
  for (int i = 0; i < icons.Length(); ++i) {
    const c_cScenarioIcon* icon = icons[i];
    c_Image* picture = icon->status == LevelLocked      ? lockedImage.get()
                       : icon->status == LevelDone      ? doneImage.get()
                       : icon->status == LevelAvailable ? availableImage.get()
                                                        : nullptr;
    if (picture) DrawImage(picture, static_cast<float>(icon->x), static_cast<float>(icon->y));
    if (map.records.Of(i).wonWithoutHint) DrawNoHintMark(icon);
    RenderBadgeNumber(icon, i + 1);
    RenderIconStars(icon, map.records.Of(i));
  }
  const c_cScenarioIcon* s = icons[map.selectedLevel];
  DrawImage(selectedImage, static_cast<float>(s->x) - kSelectedMarkInset,
            static_cast<float>(s->y) - kSelectedMarkInset);
  font->DrawText(s->name, kNameCentreX - font->TextWidth(s->name) * 0.5f, kNameY);
  RenderRecord(map.records.Of(map.selectedLevel));
  if (map.DailyLineShown()) RenderDailyPanel(map.daily, map.dailyResults, font);

  Tint(kFigureColour);
  font->DrawText(String::FromInt(s->startIron), kFiguresX, kUpperRowY, AlignCenter);
  font->DrawText(String::FromInt(s->mineIron), kFiguresX, kLowerRowY, AlignCenter);
  const int threats[2] = {s->banditsThreat, s->indigensThreat};
  const float rows[2] = {kUpperRowY, kLowerRowY};
  for (int k = 0; k < 2; ++k) {
    if (threats[k] < 0 || threats[k] > 3) continue;
    Tint(kThreatWords[threats[k]].colour);
    font->DrawText(String(kThreatWords[threats[k]].word), kThreatsX, rows[k], AlignCenter);
  }

  Tint(kWhite);
  if (!map.SelectedLevelPlayable()) DrawImage(startGreyImage, kStartGreyX, kStartGreyY);
  font->DrawText(String::FromInt(gameState.progress.totalGold), kGoldX, kGoldY);
  font->DrawText(String::FromInt(gameState.progress.ownedWorkers), kWorkersX, kWorkersY);
  font->DrawText(String::FromInt(kMaxWorkers), kMaxWorkersX, kWorkersY);
  const bool affordable = gameState.progress.totalGold >= kWorkerPrice;
  if (!affordable) DrawImage(noFundsImage, kNoFundsX, kNoFundsY);
  Tint(affordable ? kPriceColour : kGreyedColour);
  DrawScaledText(font, String::FromInt(kWorkerPrice) + String(" gold"), kPriceX, kPriceY, kPriceScale, AlignLeft);
  Tint(kWhite);

  for (int i = 0; i < mapTexts.Length(); ++i) {
    const c_cScoreText2* t = mapTexts[i];
    if (t->active == 0) continue;
    SetAlpha(t->alpha);
    Tint(kFigureColour);
    font->DrawText(t->text, static_cast<float>(t->x), static_cast<float>(t->y));
    Tint(kWhite);
    SetAlpha(1.0f);
  }
  if (feedback) feedback->DrawMapReasons(map.clockMs);
}

void c_MapView::RenderRecord(const LevelRecord& record) const {
  const String text = String::FromUtf8(RecordText(record));
  if (text.Empty()) return;
  const float width = font->TextWidth(text) + 2 * kRecordPadding;
  SetColor(60, 30, 10);
  SetAlpha(0.75f);
  FillGameRect(kNameCentreX - width * 0.5f, kRecordY - 2, width, kRecordBandHeight);
  SetAlpha(1.0f);
  Tint(kFigureColour);
  font->DrawText(text, kNameCentreX - font->TextWidth(text) * 0.5f, kRecordY);
  Tint(kWhite);
}

void c_MapView::RenderBadgeNumber(const c_cScenarioIcon* icon, int levelNumber) const {
  Tint(icon->status == LevelLocked ? kLockedNumberColour : kBadgeNumberColour);
  DrawScaledText(font, String::FromInt(levelNumber), static_cast<float>(icon->x) + kBadgeCentre,
                 static_cast<float>(icon->y) + kBadgeCentre - kFontCapCentre * kIconNumberScale,
                 kIconNumberScale);
  Tint(kWhite);
}

void c_MapView::RenderIconStars(const c_cScenarioIcon* icon, const LevelRecord& record) const {
  if (record.stars <= 0) return;
  const float y = static_cast<float>(icon->y) + kIconStarsDY;
  for (int star = 0; star < kMostStars; ++star) {
    const float x = static_cast<float>(icon->x) + kIconStarsCentreDX + kIconStarPitch * static_cast<float>(star - 1);
    const bool earned = star < record.stars;
    if (!earned) {
      SetColor(60, 30, 10);
      SetAlpha(kUnearnedStarAlpha);
    }
    DrawImage(starImage, x, y, 0, kIconStarScale, kIconStarScale);
    Tint(kWhite);
    SetAlpha(1.0f);
  }
}

void c_MapView::Mark() {
  mapImage.Mark();
  availableImage.Mark();
  lockedImage.Mark();
  doneImage.Mark();
  startGreyImage.Mark();
  noFundsImage.Mark();
  selectedImage.Mark();
  starImage.Mark();
  font.Mark();
  feedback.Mark();
}
