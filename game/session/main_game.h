// The game application: creates every screen object once at start-up, then
// moves between the six screens (logo, title, menu, scenario map, a level,
// the end picture), 30 updates a second.
//
// Without media (a run with no window, as tests and replays make) it loads no
// picture, sound or music and draws nothing; every rule runs the same.
#pragma once

#include "game/rules/board.h"
#include "game/screens/gui.h"
#include "game/screens/map.h"
#include "game/screens/menu.h"
#include "game/rules/state.h"
#include "game/rules/train.h"
#include "game/screens/focus.h"
#include "game/session/ambience.h"
#include "game/views/board_view.h"
#include "game/views/feedback_view.h"
#include "game/views/gui_view.h"
#include "game/views/map_view.h"
#include "game/views/menu_view.h"
#include "game/views/train_view.h"
#include "app/app.h"

// How long the logo shows before the title.
constexpr int kLogoMilliseconds = 3000;

// Every global of the program to its start value: the framework's, the
// display's, the file system's and the game's (the host's initGlobals).
void InitGameGlobals();

class c_MainGame : public c_App {
 public:
  explicit c_MainGame(bool withMedia = true) : withMedia(withMedia) {}

  int Startup() override;
  int Update() override;
  int Render() override;
  // Lays out currentLevel and places the train one cell left of its start.
  void StartLevel();
  // Acts on the request of a screen: the one place screens change.
  void Act(ScreenRequest request);
  // A request of the won, failed or pause panel waits here for the level's
  // turn in the update (a restart from the pause panel, for one, is acted on
  // in the update after the click).
  ScreenRequest levelRequest = ScreenRequest::None;
  // What a press would act on, as the next frame highlights it.
  FocusBox focus;
  // Whether the pointer shows the hand (a click there acts).
  bool handCursor = false;
  void Mark() override;

  gc_ref<c_cMenu> menu;
  gc_ref<c_cLevel> level;
  gc_ref<c_cTrain> train;
  gc_ref<c_BoardView> boardView;
  gc_ref<c_TrainView> trainView;
  gc_ref<c_GuiView> guiView;
  gc_ref<c_MapView> mapView;
  gc_ref<c_MenuView> menuView;
  // What the rules answered lately (refusals, hits, tear-outs, the crash):
  // kept with or without media, drawn only with.
  gc_ref<c_FeedbackView> feedback;
  gc_ref<c_cGui> gui;
  gc_ref<c_cMap> scenarioMap;
  gc_ref<c_Image> logoImage;
  float logoStartTime = 0;
  int screen = ScreenLogo;
  const bool withMedia;
  // Loads whatever of the media the logo screen has not loaded yet.
  void FinishLoading();

 private:
  // The media after the logo, in the order the updates load them.
  static constexpr int kMediaSteps = 8;
  void LoadMediaStep(int step);
  int nextMediaStep = kMediaSteps;
  void UpdateLogo();
  void UpdateTitleOrEnd();
  void UpdateMenu();
  void UpdateMap();
  void UpdatePlaying();
  // The button under the pointer becomes the focus (only where it is drawn).
  void UpdateHover();
  // Whether a left click at the pointer would act on something: a button, a
  // tutorial page, the title, or the board where an order would be taken.
  bool PointerOverClickable() const;
  // The level's panels (pause, won, failed, a tutorial page).
  bool PanelShown() const;
  // Whether the board shows what a click would do (play runs, no panel).
  bool BoardPreviewShown() const;
  // The train's loop and the music's dips.
  void UpdateAmbience();
  Ambience ambience;
  std::vector<HitBox> ScreenButtons() const;
  // Acts on the level's panels' request, if one is held.
  void HandleLevelRequest();
  void LeaveLevel();
  void ShowMenu();
  void ShowMap();

  // ---- main_game_keys.cpp: the keyboard and the right button ----
  void ApplyPlayingKeys();
  // Escape leaves the map for the menu.
  ScreenRequest ApplyMapKeys();

  bool LeftClicked() const;
  // The pointer in virtual pixels.
  float PointerX() const;
  float PointerY() const;
};
