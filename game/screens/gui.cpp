#include "game/screens/gui.h"

#include "game/rules/board.h"
#include "game/rules/match.h"
#include "game/rules/departure.h"

// ---- Clicks --------------------------------------------------------------------

namespace {

ScreenRequest ClickWonPanel(float x, float y) {
  if (kWonContinue.Contains(x, y)) return ScreenRequest::NextLevel;
  if (kWonRetry.Contains(x, y)) return ScreenRequest::RestartLevel;
  if (kWonMenu.Contains(x, y)) return ScreenRequest::LeaveLevel;
  return ScreenRequest::None;
}

ScreenRequest ClickFailedPanel(const LevelRun& run, float x, float y) {
  if (FailedRetryBox(run).Contains(x, y)) return ScreenRequest::RestartLevel;
  if (FailedMenuBox(run).Contains(x, y)) return ScreenRequest::LeaveLevel;
  if (ShowMeBox(run).Contains(x, y)) return ScreenRequest::ShowMe;
  return ScreenRequest::None;
}

}  // namespace

void c_cGui::Mark() { match.Mark(); }

ScreenRequest c_cGui::ClickGui(float x, float y) {
  if (kPauseButton.Contains(x, y)) match->flags.gamePaused = 1;  // and the click goes on
  if (kDepartButton.Contains(x, y)) SendTrainOff(match->run);
  if (match->run.trainArrived == 1) return ClickWonPanel(x, y);
  if (match->run.trainCrashed == 1) return ClickFailedPanel(match->run, x, y);
  for (int slot = 0; slot < kPaletteSlots; ++slot) {
    if (PaletteSlot(slot).Contains(x, y)) match->run.selectedPiece = slot;
  }
  return kHintButton.Contains(x, y) ? ScreenRequest::ShowHint : ScreenRequest::None;
}

ScreenRequest c_cGui::ClickPauseMenu(float x, float y) {
  for (int button = 0; button < kPauseButtonCount; ++button) {
    if (kPauseButtons[button].Contains(x, y)) return PressPauseButton(button);
  }
  if (MendedRules() && kPauseSettingsButton.Contains(x, y)) {
    PlayGameSound(SoundClick);
    return ScreenRequest::ShowSettings;
  }
  return ScreenRequest::None;
}

ScreenRequest c_cGui::PressPauseButton(int button) {
  ScreenRequest request = ScreenRequest::None;
  switch (button) {
    case PauseResume:
      match->flags.gamePaused = 0;
      break;
    case PauseRestart:
      match->flags.gamePaused = 0;
      request = ScreenRequest::RestartLevel;
      break;
    case PauseMusic:
      request = ScreenRequest::ToggleMusic;
      break;
    case PauseSound:
      ToggleSound();
      break;
    case PauseQuit:
      request = ScreenRequest::QuitLevel;
      break;
    default:
      return request;
  }
  PlayGameSound(SoundClick);
  return request;
}

// ---- The failed panel's place ---------------------------------------------------

namespace {

// The places the panel may take, in the order they are tried; the middle one
// is where it always stood.
constexpr PanelOrigin kFailedPanelPlaces[] = {
    kFailedPanelFirstAt, {20, 200}, {620, 200}, {320, 470}, {320, 34},
};

bool ClearOf(const PanelOrigin& at, float x, float y) {
  return x < at.x - kCrashClearance || x > at.x + kFailedPanelWidth + kCrashClearance ||
         y < at.y - kCrashClearance || y > at.y + kFailedPanelHeight + kCrashClearance;
}

float SquaredDistanceFromCentre(const PanelOrigin& at, float x, float y) {
  const float dx = at.x + kFailedPanelWidth / 2 - x;
  const float dy = at.y + kFailedPanelHeight / 2 - y;
  return dx * dx + dy * dy;
}

HitBox Moved(const HitBox& box, float dx, float dy) {
  return {box.left + dx, box.right + dx, box.top + dy, box.bottom + dy, box.closed};
}

HitBox AtFailedPanel(const LevelRun& run, const HitBox& firstBox) {
  const PanelOrigin at = FailedPanelAt(run);
  return Moved(firstBox, at.x - kFailedPanelFirstAt.x, at.y - kFailedPanelFirstAt.y);
}

}  // namespace

PanelOrigin FailedPanelClearOf(float crashX, float crashY) {
  const PanelOrigin* farthest = &kFailedPanelPlaces[0];
  for (const PanelOrigin& at : kFailedPanelPlaces) {
    if (ClearOf(at, crashX, crashY)) return at;
    if (SquaredDistanceFromCentre(at, crashX, crashY) > SquaredDistanceFromCentre(*farthest, crashX, crashY)) {
      farthest = &at;
    }
  }
  return *farthest;
}

PanelOrigin FailedPanelAt(const LevelRun& run) {
  if (!MendedRules()) return kFailedPanelFirstAt;
  return FailedPanelClearOf(run.crashX, run.crashY);
}

HitBox FailedRetryBox(const LevelRun& run) { return AtFailedPanel(run, kFailedRetry); }

HitBox FailedMenuBox(const LevelRun& run) { return AtFailedPanel(run, kFailedMenu); }

HitBox ShowMeBox(const LevelRun& run) {
  if (!MendedRules()) return kShowMeButton;
  const PanelOrigin at = FailedPanelAt(run);
  return Moved(kShowMeInPanel, at.x, at.y);
}

// ---- Tutorial ------------------------------------------------------------------

namespace {

// The last page of each run of pages: 0..5, 6..8, then 9, 10 and 11 alone.
bool IsLastPageOfRun(int page) { return page == 5 || page == 8 || page == 9 || page == 10 || page == 11; }

}  // namespace

void c_cGui::AdvanceTutorial() {
  const int page = match->flags.tutorialPage;
  if (page < 0 || page >= kTutorialPageCount) return;
  if (IsLastPageOfRun(page)) {
    SkipTutorial();
  } else {
    match->flags.tutorialPage = page + 1;
  }
}

void c_cGui::SkipTutorial() {
  match->flags.tutorialShowing = 0;
  match->flags.gamePaused = 0;
}

void c_cGui::ClickTutorial(float x, float y) {
  const int page = match->flags.tutorialPage;
  const bool onSkip = page >= 0 && page < kTutorialPageCount && TutorialSkipBox(page).Contains(x, y);
  if (onSkip && MendedRules()) {
    SkipTutorial();
  } else {
    AdvanceTutorial();
  }
}

namespace {

// The pause panel's bands, then its Settings button.
std::vector<HitBox> PauseFocusBoxes() {
  std::vector<HitBox> boxes(std::begin(kPauseButtons), std::end(kPauseButtons));
  if (MendedRules()) boxes.push_back(kPauseSettingsButton);
  return boxes;
}

}  // namespace

std::vector<HitBox> c_cGui::Buttons() const {
  const ScreenFlags& flags = match->flags;
  const LevelRun& run = match->run;
  if (flags.gamePaused == 1) {
    if (flags.tutorialShowing == 1) {
      if (flags.tutorialPage < 0 || flags.tutorialPage >= kTutorialPageCount) return {};
      return {TutorialSkipBox(flags.tutorialPage)};
    }
    return PauseFocusBoxes();
  }
  if (run.trainArrived == 1) return {kWonMenu, kWonRetry, kWonContinue, kPauseButton};
  if (run.trainCrashed == 1) return {FailedMenuBox(run), FailedRetryBox(run), ShowMeBox(run), kPauseButton};
  std::vector<HitBox> boxes;
  for (int slot = 0; slot < kPaletteSlots; ++slot) boxes.push_back(PaletteSlot(slot));
  if (run.trainRunning == 0 && run.departNow == 0) boxes.push_back(kDepartButton);
  boxes.push_back(kHintButton);
  boxes.push_back(kPauseButton);
  return boxes;
}

FocusList c_cGui::PanelFocus() const {
  const ScreenFlags& flags = match->flags;
  const LevelRun& run = match->run;
  if (flags.tutorialShowing == 1) return {};
  if (flags.gamePaused == 1) return {PauseFocusBoxes(), PauseResume};
  if (run.trainArrived == 1) return {{kWonMenu, kWonRetry, kWonContinue}, 2};
  if (run.trainCrashed == 1) {
    if (!MendedRules()) return {{kFailedMenu, kFailedRetry}, 1};
    return {{FailedMenuBox(run), ShowMeBox(run), FailedRetryBox(run)}, 2};
  }
  return {};
}
