// The in-level interface's clicks: the piece palette, the send-off and pause
// buttons, the pause panel, the won and failed panels and the tutorial pages.
// What they show is the gui view's (views/gui_view).
#pragma once

#include <vector>

#include "game/rules/state.h"
#include "game/screens/focus.h"
#include "game/screens/screen_request.h"
#include "runtime/gc.h"

// ---- Regions (virtual pixels) ------------------------------------------------
constexpr HitBox kPauseButton = OpenBox(923, 998, 703, 768);
// Over the "TIME:" label of the status line.
constexpr HitBox kDepartButton = OpenBox(500, 582, 0, 26);

constexpr int kPaletteLeft = 32;
constexpr int kPaletteTop = 706;
constexpr int kPaletteSlotPitch = 66;
constexpr int kPaletteSlotSize = 55;
// Slot n of the palette, 0..7, bounds included.
constexpr HitBox PaletteSlot(int n) {
  return ClosedBox(static_cast<float>(kPaletteLeft + kPaletteSlotPitch * n),
                   static_cast<float>(kPaletteLeft + kPaletteSlotPitch * n + kPaletteSlotSize),
                   static_cast<float>(kPaletteTop), static_cast<float>(kPaletteTop + kPaletteSlotSize));
}

constexpr HitBox kWonContinue = ClosedBox(574, 689, 479, 532);
constexpr HitBox kWonRetry = ClosedBox(456, 570, 479, 532);
constexpr HitBox kWonMenu = ClosedBox(341, 453, 479, 532);
// The failed panel as first released, at (320, 200); its buttons.
constexpr HitBox kFailedRetry = ClosedBox(550, 678, 395, 458);
constexpr HitBox kFailedMenu = ClosedBox(344, 483, 395, 458);
// The failed panel's third choice as first released, over the palette (which
// answers no clicks after a crash), so that its click cannot reach the
// crashed board.
constexpr HitBox kShowMeButton = ClosedBox(166, 416, 708, 760);

// ---- The failed panel's place --------------------------------------------------
struct PanelOrigin {
  float x, y;
};
constexpr float kFailedPanelWidth = 384;
constexpr float kFailedPanelHeight = 290;
constexpr PanelOrigin kFailedPanelFirstAt = {320, 200};
// How far the panel keeps from the crash's centre on every side: the burning
// cell stays in view.
constexpr float kCrashClearance = 60;
// The "Show me" button inside the panel, from its top-left corner.
constexpr HitBox kShowMeInPanel = ClosedBox(112, 272, 124, 178);

// Where the failed panel stands: under the mended rules clear of the crash
// (the first of the middle, left, right, lower and upper places that is; the
// left and right places leave no crash uncovered by both), under the first
// rules always in the middle.
PanelOrigin FailedPanelAt(const LevelRun& run);
// The place of a crash at (x, y) under the mended rules.
PanelOrigin FailedPanelClearOf(float crashX, float crashY);
// The failed panel's buttons where the panel stands now.
HitBox FailedRetryBox(const LevelRun& run);
HitBox FailedMenuBox(const LevelRun& run);
// Inside the panel under the mended rules; over the palette under the first.
HitBox ShowMeBox(const LevelRun& run);
// The hint's button, in the gap between the palette and the free workers.
constexpr HitBox kHintButton = ClosedBox(557, 603, 706, 761);

// The pause panel's buttons: one band each, all between x 358 and 670.
enum PauseButton { PauseResume = 0, PauseRestart, PauseMusic, PauseSound, PauseQuit, kPauseButtonCount };
constexpr HitBox kPauseButtons[kPauseButtonCount] = {
    OpenBox(358, 670, 316, 366), OpenBox(358, 670, 367, 417), OpenBox(358, 670, 418, 468),
    OpenBox(358, 670, 469, 519), OpenBox(358, 670, 520, 570),
};

// The pause panel's Settings button, in the panel's top right corner (not in
// the first release).
constexpr HitBox kPauseSettingsButton = ClosedBox(630, 684, 174, 228);

constexpr int kTutorialPageCount = 12;

// Where each tutorial page is drawn and how large its picture is, by page
// number. Each stands clear of the START and FINISH cells of its level; the
// first points at both with its arrows.
// The picture holds a parchment card and, round it, arrows to what it
// speaks of: cardRight and cardTop are where the card's top right corner
// stands in the picture.
struct TutorialPagePlace {
  float x, y, width, height;
  float cardRight, cardTop;
};
constexpr TutorialPagePlace kTutorialPages[kTutorialPageCount] = {
    {110, 315, 817, 205, 455, 0}, {311, 450, 401, 241, 399, 0}, {140, 540, 441, 188, 439, 0},
    {360, 540, 521, 183, 519, 0}, {600, 25, 391, 185, 389, 37},  {400, 25, 401, 185, 399, 37},
    {270, 118, 471, 167, 469, 0}, {515, 540, 486, 183, 484, 0}, {160, 390, 721, 139, 719, 10},
    {520, 450, 471, 193, 469, 0}, {100, 100, 461, 167, 459, 0}, {128, 482, 873, 231, 871, 0},
};
// What each page speaks of, left undimmed while the rest of the screen steps
// back behind it: the line's row from START to FINISH, the palette, the free
// workers, the countdown, the send-off button, the mine and the gold of the
// second level, the stones of the fourth, and the whole board for the bandits
// and raiders, who may turn up anywhere.
struct ScreenRect {
  float x, y, width, height;
};
constexpr ScreenRect kWholeBoardRect = {31, 31, 962, 666};
constexpr ScreenRect kPaletteRect = {28, 702, 535, 64};
constexpr ScreenRect kFreeWorkersRect = {604, 700, 112, 68};
constexpr ScreenRect kTutorialSpotlights[kTutorialPageCount] = {
    {31, 327, 962, 74}, kPaletteRect,        kPaletteRect,       kFreeWorkersRect,
    {586, 2, 416, 28},  {490, 0, 96, 28},    {105, 105, 148, 148}, kFreeWorkersRect,
    {327, 475, 74, 148}, kWholeBoardRect,    kWholeBoardRect,    {253, 475, 148, 148},
};
// A page's "Skip" button, in its card's top right corner: it closes the
// whole run of pages (so does Escape).
constexpr float kSkipWidth = 72;
constexpr float kSkipHeight = 26;
constexpr float kSkipInset = 18;
constexpr HitBox TutorialSkipBox(int page) {
  const TutorialPagePlace p = kTutorialPages[page];
  const float right = p.x + p.cardRight - kSkipInset;
  const float top = p.y + p.cardTop + kSkipInset - 4;
  return ClosedBox(right - kSkipWidth, right, top, top + kSkipHeight);
}

class Match;

class c_cGui : public Object {
 public:
  // The match the interface acts on.
  gc_ref<Match> match;
  void Mark() override;

  // ---- gui.cpp: what the player's clicks change ----
  // A click while play runs: the pause button, the send-off button, the
  // palette, or a button of the won or failed panel.
  ScreenRequest ClickGui(float x, float y);
  ScreenRequest ClickPauseMenu(float x, float y);
  // What one pause-panel button does, clicked or chosen by key.
  ScreenRequest PressPauseButton(int button);
  void AdvanceTutorial();
  // Closes the run of pages the shown page belongs to, and play goes on.
  void SkipTutorial();
  // A click on a shown page: its Skip button closes the run (under the
  // mended rules), anywhere else turns the page.
  void ClickTutorial(float x, float y);
  // What answers clicks now: nothing while a tutorial page shows (any click
  // turns it), the pause panel's bands, a result panel's buttons, or the
  // palette with the send-off and pause buttons.
  std::vector<HitBox> Buttons() const;
  // What the keys move between while a panel shows: the pause panel's bands
  // from Resume, the won panel's buttons from Continue, the failed panel's
  // from Retry; nothing over the board or a tutorial page.
  FocusList PanelFocus() const;
};
