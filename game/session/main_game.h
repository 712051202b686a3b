// The game application: creates every screen object once at start-up, then
// moves between the six screens (logo, title, menu, scenario map, a level,
// the end picture), 30 updates a second.
//
// Without media (a run with no window, as tests and replays make) it loads no
// picture, sound or music and draws nothing; every rule runs the same.
#pragma once

#include <cstdint>
#include <memory>

#include "game/rules/board.h"
#include "game/screens/editor_screen.h"
#include "game/screens/gui.h"
#include "game/screens/level_hint.h"
#include "game/session/demo_player.h"
#include "game/screens/level_list.h"
#include "game/screens/map.h"
#include "game/screens/menu.h"
#include "game/screens/settings_panel.h"
#include "game/rules/state.h"
#include "game/rules/train.h"
#include "game/screens/focus.h"
#include "game/session/gamepad_keys.h"
#include "game/session/ambience.h"
#include "game/views/board_view.h"
#include "game/views/editor_view.h"
#include "game/views/feedback_view.h"
#include "game/views/gui_view.h"
#include "game/screens/won_tally.h"
#include "game/views/hint_view.h"
#include "game/views/level_list_view.h"
#include "game/views/map_view.h"
#include "game/views/menu_view.h"
#include "game/views/settings_view.h"
#include "game/views/train_view.h"
#include "app/app.h"

// How long the logo shows before the title.
constexpr int kLogoMilliseconds = 3000;
// A demonstration runs this many level steps per update.
constexpr int kDemoSpeed = 4;
// How long a demonstration's end stays on the screen before the failed panel
// returns, in ms of the host's clock.
constexpr int kDemoLingerMs = 3000;

// A demonstration under way: the solver's play runs on a match of its own
// (c_MainGame::demoMatch) beside the failed one, which stays as it was.
struct DemoRun {
  bool running = false;
  // What the failed panel said about the crash, for when it shows again.
  bool heldCrashKnown = false;
  CrashCause heldCrashCause = CrashCause::EndOfTrack;
  // The progress the demonstration's match counts the enemies' pages in: all
  // seen, so it stops for none (they are the player's to read in their own
  // game), and the player's are left as they are.
  Progress pagesSeen;
  std::unique_ptr<DemoPlayer> player;
  int playMs = 0;     // its level's time while nothing covers the board
  int endedAtMs = -1; // the host's clock when its train arrived or crashed
};

// Every global of the program to its start value: the framework's, the
// display's, the file system's and the game's (the host's initGlobals).
void InitGameGlobals();

class c_MainGame : public c_App {
 public:
  explicit c_MainGame(bool withMedia = true) : withMedia(withMedia) {}

  int Startup() override;
  int Update() override;
  int Render() override;
  // Lays out level `number` and places the train one cell left of its start;
  // a retry is the level just played started again.
  void StartLevel(int number, bool retry);
  // Where a custom match was started from, and so where leaving it goes.
  enum class CustomOrigin {
    CommandLine,  // --play-level: back to the title
    DailyLine,    // the map's daily corner: back to the map
    Editor,       // the editor's Play: back to the editor, the level as it was
    LevelList,    // the page of custom levels: back to the page
  };
  // Plays a level from elsewhere (a level file) as a custom match: nothing of
  // it is recorded in the campaign's progress, and leaving it goes back to
  // where it was started from.
  void StartCustomMatch(const LevelLayout& layout, CustomOrigin origin = CustomOrigin::CommandLine);
  // Whether the match on the board is a custom one.
  bool CustomMatch() const { return customLayout != nullptr; }
  // The program was given a level to play: the game opens on it, straight
  // after start-up, instead of the logo.
  void PlayAtStart(const LevelLayout& layout) { layoutAtStart = std::make_unique<LevelLayout>(layout); }
  // The program was given a level file to edit: the game opens the editor on
  // it (a new level when the file is missing), and saving writes that file.
  void EditAtStart(const LevelLayout& layout, const std::string& path) {
    layoutToEdit = std::make_unique<LevelLayout>(layout);
    pathToEdit = path;
  }
  // The level editor on a layout: `path` is the file it came from, which a
  // save writes again ("" for a new, unsaved level: saved into the player's
  // levels folder under a name made from the level's).
  void OpenEditor(const LevelLayout& layout, const std::string& path);
  // The game's clock at this update (the player's match runs on it).
  int Now() const { return match->clock.lastMillisecs; }
  // Acts on the request of a screen: the one place screens change.
  void Act(ScreenRequest request);
  // A request of the won, failed or pause panel waits here for the level's
  // turn in the update (a restart from the pause panel, for one, is acted on
  // in the update after the click).
  ScreenRequest levelRequest = ScreenRequest::None;
  // What a press would act on, as the next frame highlights it.
  FocusBox focus;
  // The board cursor: the cell Enter acts on, back on START whenever a level
  // starts; it follows the pointer over the board.
  int cursorX = 0;
  int cursorY = 0;
  // The keys (or a pad) chose the focus last; moving the pointer hands it back.
  bool keysFocus = true;
  // The cell a press on the board would act on now: the cursor's while the
  // keys have the focus, else the one under the pointer. False off the board
  // and while a panel or a page covers it.
  bool TargetCell(int* x, int* y) const;
  // Whether the board shows its faint grid: while a piece is in hand or the
  // keys walk the cursor over the board, to count cells by.
  bool BoardGridShown() const;
  // The hint shown over the level, if any.
  LevelHint hint;
  // The level run's own facts, kept by the session (the rules never read
  // them): a hint was asked in it, and the game time its clocks ran.
  bool hintUsed = false;
  int levelPlayMs = 0;
  // The level's time in whole seconds, as the records and the won panel tell it.
  int LevelSeconds() const { return (levelPlayMs + kSecondMs / 2) / kSecondMs; }
  // The won panel's count-up, from the train's arrival.
  WonTally wonTally;
  DemoRun demo;
  // "Show me" was asked; it starts once the level's update is over.
  bool demoAsked = false;
  // The one way to a hint, for the hint button, the H key and the pad.
  void ShowHint();
  // Whether the pointer shows the hand (a click there acts).
  bool handCursor = false;
  void Mark() override;

  gc_ref<c_cMenu> menu;
  // The level editor's screen and its view.
  gc_ref<c_cEditor> editor;
  gc_ref<c_EditorView> editorView;
  // The player's match: made at start-up and laid out afresh at every level
  // start (its pools are reused, as the first rules expect).
  gc_ref<Match> match;
  // The match on the screen: the player's, or a demonstration's while it runs.
  Match& Shown() const { return demo.running ? *demoMatch : *match; }
  // A demonstration's match and the interface acting on it, made when it
  // starts and dropped when it ends.
  gc_ref<Match> demoMatch;
  gc_ref<c_cGui> demoGui;
  // The settings panel, over the menu or the paused level.
  gc_ref<c_cSettingsPanel> settingsPanel;
  gc_ref<c_SettingsView> settingsView;
  gc_ref<c_BoardView> boardView;
  gc_ref<c_TrainView> trainView;
  gc_ref<c_GuiView> guiView;
  gc_ref<c_MapView> mapView;
  gc_ref<c_MenuView> menuView;
  gc_ref<c_HintView> hintView;
  // What the rules answered lately (refusals, hits, tear-outs, the crash):
  // kept with or without media, drawn only with.
  gc_ref<c_FeedbackView> feedback;
  gc_ref<c_cGui> gui;
  gc_ref<c_cMap> scenarioMap;
  // The page of custom levels, made once and kept (it keeps the cheapest
  // iron it has worked out).
  gc_ref<c_cLevelList> levelList;
  gc_ref<c_LevelListView> levelListView;
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
  // Today's level on the map's daily corner, and the days played so far.
  void PrepareDailyLine();
  // Plays today's level of the daily line as a custom match, its win kept
  // in the daily results.
  void StartDailyLine();
  void RecordDailyWin();
  // The won level's score, time and hint into the records (before
  // CompleteLevel moves the current level on).
  void RecordWonLevel();
  // The won level counts: records, progress, the map's icons, the save. On
  // arrival under the mended rules, on Continue under the first ones.
  void BankWin();
  // Under the mended rules: the train has arrived, so the win is kept now.
  void KeepArrivedWin();
  // The won panel's count-up, once the train has arrived.
  void StartWonTally();
  bool winBanked = false;
  // The win just banked completed the campaign: Continue shows the end.
  bool gameCompletedNow = false;
  void RenderLevel();
  // The layout of the custom match being played (null for the campaign's).
  std::unique_ptr<LevelLayout> customLayout;
  CustomOrigin customOrigin = CustomOrigin::CommandLine;
  // The day (since 1970-01-01) of the daily line being played, or -1.
  std::int64_t dailyDay = -1;
  std::unique_ptr<LevelLayout> layoutAtStart;
  std::unique_ptr<LevelLayout> layoutToEdit;
  std::string pathToEdit;
  void RestartCustomMatch();
  // A custom match starts with a new game's crew.
  MatchStart CustomStart(bool retry) const;
  // The session's side of every level start: requests, cursor, hint, clocks.
  void BeginLevelSession();

  // ---- main_game_level_list.cpp: the page of custom levels ----
  // The page with the files as they are now, and where its Back goes.
  void OpenLevelList();
  // The files listed again (after a delete or a save), the page as it was.
  void RefreshLevelList();
  void UpdateLevelList();
  void PlayListedLevel();
  // The chosen level into the editor.
  void EditListedLevel();
  void DeleteListedLevel();
  void SaveRandomLevel();
  void LeaveLevelList();
  // A win of a level played from the page, kept by the level's content.
  void RecordListedWin();
  // Where the page's Back goes: the menu or the map.
  int levelListReturn = ScreenMenu;
  // The content key of the listed level being played.
  std::uint64_t listedLevelKey = 0;

  // ---- main_game_editor.cpp: the level editor ----
  void ShowEditor();
  void UpdateEditor();
  // Answers whether a key ended the update's input (a request acted on).
  bool ApplyEditorKeys();
  void ApplyEditorToolKeys();
  void TypeIntoName();
  // The cell a press on the editor's board would act on: the cursor's while
  // the keys have it there, else the one under the pointer.
  bool EditorTargetCell(int* x, int* y) const;
  void SaveEditedNow();
  void SaveEditedToPath();
  void RenderEditorScreen();
  // The keys' focus is the board cursor (not one of the editor's buttons).
  bool editorOnBoard = true;

  // ---- main_game_demo.cpp: "Show me" after a loss ----
  void StartDemonstration();
  void UpdateDemonstration();
  // One step of the demonstration's level, deltaMs of its clock long.
  void StepDemonstration(int deltaMs);
  void EndDemonstration();

  // ---- main_game_keys.cpp: the keyboard, the pad and the right button ----
  void ApplyPlayingKeys();
  void MoveCursor();
  void StepSlot();
  // Escape or the pad's B leaves the map for the menu; Left and Right select
  // the levels, Up, Down and Tab move the focus.
  ScreenRequest ApplyMapKeys();
  // A left click at the pointer, or a press key at the focus (on a page: any
  // press key or Right; over the board also T at the TIME button): where.
  bool PlayingPress(float* x, float* y);
  // This update's hits of key, from the keyboard or the pad.
  int Hit(int key) const;
  // This update's hits of the key bound to the action.
  int Hit(KeyAction action) const;
  // Enter or Space (or the pad's A).
  bool PressKeyHit() const;
  GamepadKeys gamepad;

  // ---- main_game_settings.cpp: the settings panel and what it changes ----
  // The panel takes every input while it shows.
  void UpdateSettings();
  // Left and Right on a focused slider; answers whether they moved it.
  bool StepFocusedSlider();
  // A key hit while the panel waits for one.
  void TakeAwaitedKey();
  void OpenSettings();
  // The volumes to the audio device, the window's place into the settings,
  // and the settings file written whenever they changed.
  void FollowSettings();
  Settings savedSettings;
  float appliedEffectsGain = -1;
  float appliedMusicGain = -1;
  int windowCheckCountdown = 0;

  // ---- main_game_focus.cpp: one focus for the pointer and the keys ----
  enum class FocusPlace { None, Menu, Map, Board, PausePanel, WonPanel, FailedPanel, Settings, LevelList, Editor };
  FocusPlace CurrentFocusPlace() const;
  FocusList KeyFocusList() const;
  // A new place puts the focus on its first button.
  void SyncFocusPlace();
  // A moved pointer takes the focus, and the keys' focus goes where it points.
  void FollowPointer();
  // Up and Left to the previous button, Down, Right and Tab to the next.
  void MoveFocus(bool upDown, bool leftRight);
  // A press key on a shown focus: where it clicks. A press while the pointer
  // points at nothing the keys could focus only shows the keys' focus.
  bool FocusPressed(float* x, float* y);
  FocusBox KeyFocusBox() const;
  FocusPlace focusPlace = FocusPlace::None;
  int focusIndex = 0;
  bool hoverOnFocus = false;
  // A panel took the focus for the keys from the pointer when it opened.
  bool pointerBeforePanel = false;
  bool pointerSeen = false;
  float lastPointerX = 0;
  float lastPointerY = 0;

  bool LeftClicked() const;
  // The pointer in virtual pixels.
  float PointerX() const;
  float PointerY() const;
};
