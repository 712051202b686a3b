#include "game/session/main_game.h"

#include <cmath>

#include "game/views/data_files.h"
#include "game/rules/layouts.h"
#include "game/rules/play_step.h"
#include "game/generator/daily_level.h"
#include "game/session/daily_file.h"
#include "game/session/records_file.h"
#include "game/session/save_file.h"
#include "game/session/settings_file.h"
#include "game/views/sound_table.h"
#include "game/session/switches.h"
#include "runtime/error.h"
#include "host/input.h"
#include "support/file_system.h"
#include "support/virtual_display.h"

void c_MainGame::Mark() {
  menu.Mark();
  editor.Mark();
  editorView.Mark();
  match.Mark();
  demoMatch.Mark();
  demoGui.Mark();
  settingsPanel.Mark();
  settingsView.Mark();
  boardView.Mark();
  trainView.Mark();
  guiView.Mark();
  mapView.Mark();
  menuView.Mark();
  hintView.Mark();
  feedback.Mark();
  gui.Mark();
  scenarioMap.Mark();
  levelList.Mark();
  levelListView.Mark();
  logoImage.Mark();
}

// ---- Start-up --------------------------------------------------------------------

void InitGameGlobals() {
  InitAppGlobals();
  currentVirtualDisplay = nullptr;
  fileSystem = nullptr;
  ResetGameState();
  gameSounds = Array<c_Sound*>();
}

int c_MainGame::Startup() {
  CreateVirtualDisplay(1.0f);
  // The settings decide how the display opens: full screen (as always
  // without them) or a window where it was.
  CreateFileSystem();
  gameState.settings = LoadSettings();
  savedSettings = gameState.settings;
  OpenGameDisplayAsSet();
  currentGame->ShowMouseCursor(true);
  match = new Match();
  match->clock.lastMillisecs = GameMillisecs();
  SetAppUpdateRate(kUpdateRate);

  menu = new c_cMenu();
  editor = new c_cEditor();
  editorView = new c_EditorView();
  settingsPanel = new c_cSettingsPanel();
  settingsView = new c_SettingsView();
  boardView = new c_BoardView();
  trainView = new c_TrainView();
  guiView = new c_GuiView();
  mapView = new c_MapView();
  menuView = new c_MenuView();
  hintView = new c_HintView();
  feedback = new c_FeedbackView();
  SetFeedbackListener(feedback);
  boardView->feedback = feedback;
  guiView->feedback = feedback;
  mapView->feedback = feedback;
  gui = new c_cGui();
  gui->match = match;
  scenarioMap = new c_cMap();
  scenarioMap->SetUpScenarioMap();
  levelList = new c_cLevelList();
  levelListView = new c_LevelListView();
  if (withMedia) logoImage = LoadGameImage(String("menu/logo.png"));

  logoStartTime = static_cast<float>(Now());
  screen = ScreenLogo;
  // Only the logo is needed for the first frame, so the player sees it at
  // once; the music and every other picture and sound follow one step per
  // update while the logo shows, long before it goes.
  nextMediaStep = withMedia ? 0 : kMediaSteps;
  if (layoutAtStart) {
    FinishLoading();
    StartCustomMatch(*layoutAtStart);
    layoutAtStart.reset();
  }
  if (layoutToEdit) {
    FinishLoading();
    OpenEditor(*layoutToEdit, pathToEdit);
    layoutToEdit.reset();
  }
  return 0;
}

// The music, every picture, the font and the sounds; a file that does not
// load stops the program with a line that names it.
void c_MainGame::LoadMediaStep(int step) {
  switch (step) {
    case 0: StartGameMusic(kMusicVolume); break;
    case 1: menuView->LoadTitleImage(); break;
    case 2:
      menuView->LoadMenuImages();
      settingsView->LoadSettingsImages();
      break;
    case 3:
      boardView->LoadLevelImages();
      feedback->LoadFeedbackImages(boardView->levelFont);
      break;
    case 4: trainView->LoadTrainImages(); break;
    case 5:
      guiView->LoadGuiImages();
      hintView->LoadHintImages();
      editorView->LoadEditorImages();
      break;
    case 6:
      mapView->LoadMapImages();
      levelListView->LoadLevelListImages();
      break;
    default: LoadGameSounds(); break;
  }
}

void c_MainGame::FinishLoading() {
  while (nextMediaStep < kMediaSteps) LoadMediaStep(nextMediaStep++);
}

// ---- Update ----------------------------------------------------------------------

int c_MainGame::Update() {
  if (nextMediaStep < kMediaSteps) LoadMediaStep(nextMediaStep++);
  AdvanceGameClock(match->clock);
  gamepad.Poll(currentInputDevice);
  FollowPointer();
  switch (screen) {
    case ScreenLogo:
      UpdateLogo();
      break;
    case ScreenTitle:
    case ScreenTheEnd:
      UpdateTitleOrEnd();
      break;
    case ScreenMenu:
      UpdateMenu();
      break;
    case ScreenScenarioMap:
      UpdateMap();
      break;
    case ScreenLevelList:
      UpdateLevelList();
      break;
    case ScreenEditor:
      UpdateEditor();
      break;
    case ScreenPlaying:
      if (demo.running) {
        UpdateDemonstration();
      } else {
        UpdatePlaying();
      }
      break;
    default:
      break;
  }
  // With or without media alike, so a replay's keys find the same focus.
  SyncFocusPlace();
  UpdateHover();
  UpdateAmbience();
  FollowSettings();
  return 0;
}

void c_MainGame::UpdateLogo() {
  // Clicks do not cut the logo short.
  if (logoStartTime + kLogoMilliseconds < static_cast<float>(Now())) {
    FinishLoading();
    screen = ScreenTitle;
  }
}

void c_MainGame::UpdateTitleOrEnd() {
  if (LeftClicked() || PressKeyHit()) Act(ScreenRequest::ShowMenu);
}

void c_MainGame::UpdateMenu() {
  if (settingsPanel->shown) {
    UpdateSettings();
    return;
  }
  if (LeftClicked()) {
    Act(menu->ClickMenu(PointerX(), PointerY()));
    return;
  }
  MoveFocus(true, false);
  float x = 0, y = 0;
  if (FocusPressed(&x, &y)) Act(menu->ClickMenu(x, y));
}

void c_MainGame::UpdateMap() {
  scenarioMap->clockMs = Now();
  const ScreenRequest key = ApplyMapKeys();
  if (key != ScreenRequest::None) {
    Act(key);
    return;
  }
  float x = 0, y = 0;
  if (LeftClicked()) {
    Act(scenarioMap->ClickMap(PointerX(), PointerY()));
  } else if (FocusPressed(&x, &y)) {
    Act(scenarioMap->ClickMap(x, y));
  }
  scenarioMap->UpdateMapTexts();
}

void c_MainGame::UpdatePlaying() {
  // A click at the pointer, or a key's press at the focus: the same rules.
  // The settings over the paused level take every input while they show.
  float x = 0, y = 0;
  bool clicked = false;
  if (settingsPanel->shown) {
    UpdateSettings();
  } else {
    ApplyPlayingKeys();
    clicked = PlayingPress(&x, &y);
  }
  const ScreenFlags& flags = match->flags;
  if (flags.gamePaused == 1) {
    if (flags.tutorialShowing == 1) {
      // A page is read like the pause panel: a click turns it and ends the
      // update; without one the level's update goes on below, where every
      // step stands still while the game is paused. (Skipping the steps would
      // let the level's clocks run on while the player reads.)
      if (clicked) {
        gui->ClickTutorial(x, y);
        return;
      }
    } else if (clicked) {
      Act(gui->ClickPauseMenu(x, y));
      return;
    }
  } else if (clicked) {
    // The won or failed panel in front takes the click; the first rules let
    // it reach the board beneath as well.
    const bool resultShown = match->run.trainArrived == 1 || match->run.trainCrashed == 1;
    if (!(resultShown && MendedRules())) match->board->ClickBoard(x, y);
    Act(gui->ClickGui(x, y));
  }
  HandleLevelRequest();
  // The level's time runs with its clocks: not while paused or a page shows.
  if (flags.gamePaused == 0 && match->run.trainArrived == 0 && match->run.trainCrashed == 0) {
    levelPlayMs += static_cast<int>(std::lround(match->clock.timeFactor * kTickMilliseconds));
  }
  // Also in the update that just left the level: the board keeps its state.
  RunLevelStep(*match);
  StartWonTally();
  KeepArrivedWin();
  boardView->moments->Observe(*match);
  UpdateDepartureClock(*match);
  wonTally.Follow(Now());
  if (hint.shown && !HintStillFits(hint, *match)) hint.shown = false;
  // Only while the failed panel still shows: a click in the same update may
  // have left the level.
  if (demoAsked && screen == ScreenPlaying && match->run.trainCrashed == 1) StartDemonstration();
  demoAsked = false;
}

void c_MainGame::ShowHint() {
  hint = AskHint(*match);
  hintUsed = true;
}

void c_MainGame::Act(ScreenRequest request) {
  switch (request) {
    case ScreenRequest::None:
      break;
    case ScreenRequest::ShowMenu:
      LoadProgress();
      scenarioMap->records = LoadRecords();
      ShowMenu();
      break;
    case ScreenRequest::NewGame:
      ResetProgress();
      [[fallthrough]];
    case ScreenRequest::ContinueGame:
      scenarioMap->RefreshIcons();
      ShowMap();
      break;
    case ScreenRequest::ToggleMusic:
      ToggleMusic();
      break;
    case ScreenRequest::ToggleFullScreen:
      ToggleFullScreen();
      break;
    case ScreenRequest::QuitProgram:
      Error(String());  // ends the program with status 0
    case ScreenRequest::StartLevel:
      // The first rules always played the current level; now the map's
      // selection, which may be a done level played again.
      StartLevel(MendedRules() ? scenarioMap->selectedLevel + 1 : gameState.progress.currentLevel, false);
      screen = ScreenPlaying;
      break;
    case ScreenRequest::LeaveMap:
      SaveProgress();
      ShowMenu();
      break;
    case ScreenRequest::QuitLevel:
      LeaveLevel();
      break;
    case ScreenRequest::NextLevel:
    case ScreenRequest::RestartLevel:
    case ScreenRequest::LeaveLevel:
      // The result panels' buttons wait for the level's turn in the update.
      levelRequest = StrongerLevelRequest(levelRequest, request);
      break;
    case ScreenRequest::ShowHint:
      if (screen == ScreenPlaying && match->run.trainCrashed == 0 && match->run.trainArrived == 0) ShowHint();
      break;
    case ScreenRequest::ShowSettings:
      OpenSettings();
      break;
    case ScreenRequest::CloseSettings:
      settingsPanel->Close();
      SyncFocusPlace();
      break;
    case ScreenRequest::ShowMe:
      // It starts once the level's update is over.
      demoAsked = screen == ScreenPlaying && match->run.trainCrashed == 1;
      break;
    case ScreenRequest::StartDaily:
      StartDailyLine();
      break;
    case ScreenRequest::ShowLevelList:
      OpenLevelList();
      break;
    case ScreenRequest::PlayListedLevel:
      PlayListedLevel();
      break;
    case ScreenRequest::DeleteListedLevel:
      DeleteListedLevel();
      break;
    case ScreenRequest::SaveRandomLevel:
      SaveRandomLevel();
      break;
    case ScreenRequest::LeaveLevelList:
      LeaveLevelList();
      break;
    case ScreenRequest::OpenEditor:
      OpenEditor(EmptyLevel(), "");
      break;
    case ScreenRequest::EditListedLevel:
      EditListedLevel();
      break;
    case ScreenRequest::PlayEdited:
      StartCustomMatch(editor->Layout(), CustomOrigin::Editor);
      break;
    case ScreenRequest::SaveEdited:
      SaveEditedNow();
      break;
  }
}

void c_MainGame::StartWonTally() {
  // On arrival, against the records as they stood before the win.
  const int number = match->run.levelNumber;
  if (CustomMatch() || number < 1 || number > kLevelCount) return;
  StartWonTallyOnArrival(wonTally, match->run, LevelSeconds(), scenarioMap->records.Of(number - 1), Now());
}

void c_MainGame::KeepArrivedWin() {
  if (!MendedRules() || screen != ScreenPlaying || match->run.trainArrived != 1 || winBanked) return;
  if (dailyDay >= 0) {
    winBanked = true;
    StartDailyTallyOnArrival(wonTally, match->run, LevelSeconds(), scenarioMap->daily.par, Now());
    RecordDailyWin();
    return;
  }
  if (CustomMatch() && customOrigin == CustomOrigin::LevelList) {
    winBanked = true;
    RecordListedWin();
    return;
  }
  if (CustomMatch()) return;
  StartWonTally();
  BankWin();
}

void c_MainGame::StartDailyLine() {
  // The day is read through the calendar a replay records, so a daily line
  // played back plays the day it was recorded on.
  const std::int64_t day = DayNumber(DayOfUtc(CalendarSeconds()));
  scenarioMap->daily.Prepare(day);
  StartCustomMatch(scenarioMap->daily.level.layout, CustomOrigin::DailyLine);
  dailyDay = day;
}

void c_MainGame::RecordDailyWin() {
  const LevelRun& run = match->run;
  const Par par = scenarioMap->daily.par;
  DailyResults results = LoadDailyResults();
  results.Record({dailyDay, run.levelScore, LevelSeconds(), run.ironSpent, run.ironSpent <= par.iron, hintUsed});
  PutDailyResults(results);
  SaveProgress();
}

void c_MainGame::HandleLevelRequest() {
  // Whatever the player presses, an arrived train's win is kept first.
  KeepArrivedWin();
  const ScreenRequest request = levelRequest;
  levelRequest = ScreenRequest::None;
  if (CustomMatch() && request == ScreenRequest::NextLevel) {
    // Nothing of a custom match is kept: its Continue goes back as its Menu.
    LeaveLevel();
    return;
  }
  switch (request) {
    case ScreenRequest::NextLevel:
      if (MendedRules()) {
        // The win was kept when the train arrived; Continue only moves on.
        if (gameCompletedNow) {
          screen = ScreenTheEnd;
        } else {
          ShowMap();
        }
        break;
      }
      BankWin();
      if (gameState.progress.gameCompleted == 0) {
        ShowMap();
      } else {
        screen = ScreenTheEnd;
      }
      break;
    case ScreenRequest::RestartLevel:
      if (CustomMatch()) {
        RestartCustomMatch();
      } else {
        StartLevel(MendedRules() ? match->run.levelNumber : gameState.progress.currentLevel, true);
      }
      break;
    case ScreenRequest::LeaveLevel:
      LeaveLevel();
      break;
    default:
      break;
  }
}

void c_MainGame::RecordWonLevel() {
  scenarioMap->records.RecordWin(match->run.levelNumber, match->run.levelScore, LevelSeconds(), hintUsed,
                                 wonTally.stars);
  PutRecords(scenarioMap->records);
}

void c_MainGame::BankWin() {
  winBanked = true;
  const int completedBefore = gameState.progress.gameCompleted;
  RecordWonLevel();
  CompleteLevel(match->run);
  gameCompletedNow = completedBefore == 0 && gameState.progress.gameCompleted == 1;
  scenarioMap->RefreshIcons();
  SaveProgress();
}

void c_MainGame::LeaveLevel() {
  if (CustomMatch()) {
    // Nothing of the campaign was won or spent: back to where the match
    // was started from.
    const CustomOrigin origin = customOrigin;
    customLayout.reset();
    dailyDay = -1;
    switch (origin) {
      case CustomOrigin::DailyLine:
        ShowMap();
        return;
      case CustomOrigin::LevelList:
        RefreshLevelList();
        screen = ScreenLevelList;
        return;
      case CustomOrigin::Editor:
        // The editor as it was left, its history with it.
        ShowEditor();
        return;
      case CustomOrigin::CommandLine:
      default:
        screen = ScreenTitle;  // which loads the progress
        return;
    }
  }
  SaveProgress();
  LoadProgress();  // which also clears the level's own values
  ShowMenu();
}

void c_MainGame::StartLevel(int number, bool retry) {
  customLayout.reset();
  dailyDay = -1;
  feedback->Clear();
  LayOutLevel(*match, number, retry);
  BeginLevelSession();
}

void c_MainGame::StartCustomMatch(const LevelLayout& layout, CustomOrigin origin) {
  customLayout = std::make_unique<LevelLayout>(layout);
  customOrigin = origin;
  dailyDay = -1;
  feedback->Clear();
  StartMatch(*match, *customLayout, CustomStart(false));
  BeginLevelSession();
  screen = ScreenPlaying;
}

void c_MainGame::RestartCustomMatch() {
  feedback->Clear();
  StartMatch(*match, *customLayout, CustomStart(true));
  BeginLevelSession();
}

MatchStart c_MainGame::CustomStart(bool retry) const {
  MatchStart start;
  start.levelNumber = 0;
  start.workers = kNewGameWorkers;
  start.retry = retry;
  return start;
}

void c_MainGame::BeginLevelSession() {
  const c_cLevel* level = match->board;
  levelRequest = ScreenRequest::None;
  winBanked = false;
  gameCompletedNow = false;
  cursorX = level->startX;
  cursorY = level->startY;
  hint = LevelHint{};
  hintUsed = false;
  levelPlayMs = 0;
  wonTally = WonTally{};
  // The first frame of the level shows its own clock, not the last one's.
  UpdateDepartureClock(*match);
}

void c_MainGame::ShowMenu() { screen = ScreenMenu; }

void c_MainGame::ShowMap() {
  scenarioMap->selectedLevel = gameState.progress.currentLevel - 1;
  if (MendedRules()) PrepareDailyLine();
  screen = ScreenScenarioMap;
}

void c_MainGame::PrepareDailyLine() {
  scenarioMap->dailyResults = LoadDailyResults();
  scenarioMap->daily.Prepare(DayNumber(DayOfUtc(ShownCalendarSeconds())));
}
