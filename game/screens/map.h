// The scenario map between levels: fifteen level icons along the route, the
// selected level's name and figures, the start button, the worker shop and
// its floating "-500" texts.
#pragma once

#include <vector>

#include "game/rules/feedback.h"
#include "game/screens/daily_panel.h"
#include "game/screens/daily_results.h"
#include "game/screens/focus.h"
#include "game/screens/level_records.h"
#include "game/screens/screen_request.h"
#include "runtime/array.h"
#include "runtime/gc.h"
#include "runtime/string.h"

constexpr int kWorkerPrice = 500;
constexpr int kMapTextCount = 10;

constexpr HitBox kStartButton = ClosedBox(765, 949, 671, 768);
constexpr HitBox kBuyButton = ClosedBox(521, 734, 671, 754);
// The shop's button as drawn: its frame starts below the top of its click
// area, under the Workers field, so the highlight follows the frame.
constexpr HitBox kBuyButtonFrame = ClosedBox(521, 734, 680, 754);
// The way to the page of custom levels, in the map's empty lower left
// corner: under the mended rules alone (their replays knew no such corner).
constexpr HitBox kLevelListCorner = ClosedBox(20, 220, 520, 566);
// An icon answers clicks from 20 pixels left of and above its corner to 40
// right of and below it.
constexpr float kIconReachBefore = 20;
constexpr float kIconReachAfter = 40;

class c_cScenarioIcon : public Object {
 public:
  int x = 0;
  int y = 0;
  String name;
  int startIron = 0;
  int mineIron = 0;
  int banditsThreat = 0;   // 0..3
  int indigensThreat = 0;  // 0..3
  int status = 0;          // the level's levelStates entry
};

// A floating text of the map: rises one pixel and fades 0.05 every 10 ms.
class c_cScoreText2 : public Object {
 public:
  int active = 0;
  String text;
  int x = 0;
  int y = 0;
  float alpha = 0;
  float lastStepTime = 0;
};

class c_cMap : public Object {
 public:
  // ---- map.cpp ----
  // The fifteen icons and the pool of floating texts.
  void SetUpScenarioMap();
  // Each icon's status from levelStates.
  void RefreshIcons();
  // Selects an icon, buys a worker, or asks to start the selected level.
  ScreenRequest ClickMap(float x, float y);
  // Whether Start plays the selected level: an available one, or a done one.
  bool SelectedLevelPlayable() const;
  // Whether the daily line's corner is there to click: once today's level is
  // made, and never under the first rules (their replays knew no such corner).
  bool DailyLineShown() const;
  // Whether the corner to the custom levels answers: under the mended rules.
  bool LevelListCornerShown() const;
  // What answers clicks: the icons, then the start button (while the selected
  // level can be played) and the worker shop.
  std::vector<HitBox> Buttons() const;
  // What the keys move between: the start button (while the selected level
  // can be played) and the worker shop, from the first.
  FocusList KeyFocus() const;
  // The level Left (step -1) or Right (step 1) selects: the nearest one that
  // way along the route that is not locked, or -1 when there is none.
  int NeighbourLevel(int step) const;
  void AddMapText(const String& text, int x, int y);
  void UpdateMapTexts();
  // The game's clock at this update, in ms: the game sets it before the
  // map's clicks and its texts' step.
  int clockMs = 0;

  void Mark() override;

  Array<c_cScoreText2*> mapTexts;
  int selectedLevel = 0;
  Array<c_cScenarioIcon*> icons;
  // The player's best results, shown for the selected level.
  LevelRecords records;
  // The daily line's corner: today's level and par, and the days played.
  DailyPanel daily;
  DailyResults dailyResults;

 private:
  void BuyWorker();
};

// Whether the shop would sell a worker now, and if not, why (a full crew
// first: more gold would not help it).
PurchaseVerdict CheckPurchase();

// Where an icon answers clicks, bounds included.
HitBox IconBox(const c_cScenarioIcon* icon);
