#include "game/session/main_game.h"

#include "game/views/data_files.h"
#include "game/views/highlight.h"
#include "game/rules/economy.h"
#include "game/rules/layouts.h"
#include "game/rules/play_step.h"
#include "game/session/save_file.h"
#include "game/views/sound_table.h"
#include "game/session/switches.h"
#include "runtime/error.h"
#include "host/input.h"
#include "support/file_system.h"
#include "support/virtual_display.h"

void c_MainGame::Mark() {
  menu.Mark();
  level.Mark();
  train.Mark();
  boardView.Mark();
  trainView.Mark();
  guiView.Mark();
  mapView.Mark();
  menuView.Mark();
  feedback.Mark();
  gui.Mark();
  scenarioMap.Mark();
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
  OpenGameDisplay(true);
  currentGame->ShowMouseCursor(true);
  CreateFileSystem();
  gameState.clock.lastMillisecs = GameMillisecs();
  SetAppUpdateRate(kUpdateRate);

  menu = new c_cMenu();
  gameState.settings = Settings{1, 1, 1};
  level = new c_cLevel();
  train = new c_cTrain();
  boardView = new c_BoardView();
  trainView = new c_TrainView();
  guiView = new c_GuiView();
  mapView = new c_MapView();
  menuView = new c_MenuView();
  feedback = new c_FeedbackView();
  SetFeedbackListener(feedback);
  boardView->feedback = feedback;
  guiView->feedback = feedback;
  mapView->feedback = feedback;
  gui = new c_cGui();
  scenarioMap = new c_cMap();
  scenarioMap->SetUpScenarioMap();
  if (withMedia) logoImage = LoadGameImage(String("menu/logo.png"));
  level->CreateLevelPools();

  logoStartTime = static_cast<float>(gameState.clock.lastMillisecs);
  screen = ScreenLogo;
  // Only the logo is needed for the first frame, so the player sees it at
  // once; the music and every other picture and sound follow one step per
  // update while the logo shows, long before it goes.
  nextMediaStep = withMedia ? 0 : kMediaSteps;
  return 0;
}

// The music, every picture, the font and the sounds; a file that does not
// load stops the program with a line that names it.
void c_MainGame::LoadMediaStep(int step) {
  switch (step) {
    case 0: StartGameMusic(kMusicVolume); break;
    case 1: menuView->LoadTitleImage(); break;
    case 2: menuView->LoadMenuImages(); break;
    case 3:
      boardView->LoadLevelImages();
      feedback->LoadFeedbackImages(boardView->levelFont);
      break;
    case 4: trainView->LoadTrainImages(); break;
    case 5: guiView->LoadGuiImages(); break;
    case 6: mapView->LoadMapImages(); break;
    default: LoadGameSounds(); break;
  }
}

void c_MainGame::FinishLoading() {
  while (nextMediaStep < kMediaSteps) LoadMediaStep(nextMediaStep++);
}

// ---- Update ----------------------------------------------------------------------

int c_MainGame::Update() {
  if (nextMediaStep < kMediaSteps) LoadMediaStep(nextMediaStep++);
  AdvanceGameClock();
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
    case ScreenPlaying:
      UpdatePlaying();
      break;
    default:
      break;
  }
  UpdateHover();
  UpdateAmbience();
  return 0;
}

void c_MainGame::UpdateHover() {
  if (!withMedia) return;
  focus = BoxAt(ScreenButtons(), PointerX(), PointerY());
  const bool hand = PointerOverClickable();
  if (hand != handCursor) {
    handCursor = hand;
    currentGame->SetMouseCursorShape(hand);
  }
}

void c_MainGame::UpdateAmbience() {
  if (!withMedia) return;
  const bool playing = screen == ScreenPlaying;
  ambience.Update(playing && gameState.run.trainRunning == 1 && gameState.screen.gamePaused == 0,
                  playing && PanelShown());
}

bool c_MainGame::PanelShown() const {
  return gameState.screen.gamePaused == 1 || gameState.run.trainArrived == 1 || gameState.run.trainCrashed == 1;
}

bool c_MainGame::BoardPreviewShown() const { return screen == ScreenPlaying && !PanelShown(); }

bool c_MainGame::PointerOverClickable() const {
  if (focus.shown) return true;
  switch (screen) {
    case ScreenTitle:
    case ScreenTheEnd:
      return true;
    case ScreenPlaying:
      break;
    default:
      return false;
  }
  if (gameState.screen.tutorialShowing == 1) return true;
  if (!BoardPreviewShown()) return false;
  const BoardTarget target = TargetOfClick(*level, PointerX(), PointerY());
  return target.kind == BoardTargetKind::Enemy ||
         (target.kind != BoardTargetKind::Nothing && target.verdict == OrderVerdict::Taken);
}

std::vector<HitBox> c_MainGame::ScreenButtons() const {
  switch (screen) {
    case ScreenMenu: return menu->Buttons();
    case ScreenScenarioMap: return scenarioMap->Buttons();
    case ScreenPlaying: return gui->Buttons();
    default: return {};
  }
}

void c_MainGame::UpdateLogo() {
  // Clicks do not cut the logo short.
  if (logoStartTime + kLogoMilliseconds < static_cast<float>(gameState.clock.lastMillisecs)) {
    FinishLoading();
    screen = ScreenTitle;
  }
}

void c_MainGame::UpdateTitleOrEnd() {
  if (LeftClicked()) Act(ScreenRequest::ShowMenu);
}

void c_MainGame::UpdateMenu() {
  if (LeftClicked()) Act(menu->ClickMenu(PointerX(), PointerY()));
}

void c_MainGame::UpdateMap() {
  const ScreenRequest key = ApplyMapKeys();
  if (key != ScreenRequest::None) {
    Act(key);
    return;
  }
  if (LeftClicked()) Act(scenarioMap->ClickMap(PointerX(), PointerY()));
  scenarioMap->UpdateMapTexts();
}

void c_MainGame::UpdatePlaying() {
  ApplyPlayingKeys();
  const bool clicked = LeftClicked();
  const ScreenFlags& flags = gameState.screen;
  if (flags.gamePaused == 1) {
    if (flags.tutorialShowing == 1) {
      // A page is read like the pause panel: a click turns it and ends the
      // update; without one the level's update goes on below, where every
      // step stands still while the game is paused. (Skipping the steps would
      // let the level's clocks run on while the player reads.)
      if (clicked) {
        gui->AdvanceTutorial();
        return;
      }
    } else if (clicked) {
      Act(gui->ClickPauseMenu(PointerX(), PointerY()));
      return;
    }
  } else if (clicked) {
    const float x = PointerX();
    const float y = PointerY();
    level->ClickBoard(x, y);
    Act(gui->ClickGui(x, y));
  }
  HandleLevelRequest();
  // Also in the update that just left the level: the board keeps its state.
  RunLevelStep(level, train);
  UpdateDepartureClock(train->countdown);
}

void c_MainGame::Act(ScreenRequest request) {
  switch (request) {
    case ScreenRequest::None:
      break;
    case ScreenRequest::ShowMenu:
      LoadProgress();
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
      StartLevel();
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
  }
}

void c_MainGame::HandleLevelRequest() {
  const ScreenRequest request = levelRequest;
  levelRequest = ScreenRequest::None;
  switch (request) {
    case ScreenRequest::NextLevel:
      CompleteLevel();
      scenarioMap->RefreshIcons();
      SaveProgress();
      if (gameState.progress.gameCompleted == 0) {
        ShowMap();
      } else {
        screen = ScreenTheEnd;
      }
      break;
    case ScreenRequest::RestartLevel:
      StartLevel();
      break;
    case ScreenRequest::LeaveLevel:
      LeaveLevel();
      break;
    default:
      break;
  }
}

void c_MainGame::LeaveLevel() {
  SaveProgress();
  LoadProgress();  // which also clears the level's own values
  ShowMenu();
}

void c_MainGame::StartLevel() {
  feedback->Clear();
  LayOutLevel(level);
  train->PlaceTrain(level->startX - 1, level->startY, level->finishX, level->finishY);
  levelRequest = ScreenRequest::None;
  // The first frame of the level shows its own clock, not the last one's.
  UpdateDepartureClock(train->countdown);
}

void c_MainGame::ShowMenu() { screen = ScreenMenu; }

void c_MainGame::ShowMap() {
  scenarioMap->selectedLevel = gameState.progress.currentLevel - 1;
  screen = ScreenScenarioMap;
}

// ---- Input -----------------------------------------------------------------------

bool c_MainGame::LeftClicked() const { return currentInputDevice->KeyHit(KeyMouseLeft) != 0; }

namespace {

// A run that never draws never shows the display its device; it is told here,
// and a run without any window takes the pointer as virtual pixels.
void TrackDeviceWithoutDrawing(int* width, int* height) {
  currentGlfwGame->GetWindowSize(width, height);
  if (*width <= 0 || *height <= 0) {
    *width = static_cast<int>(VirtualWidth());
    *height = static_cast<int>(VirtualHeight());
  }
  currentVirtualDisplay->UpdateDevice(*width, *height);
}

}  // namespace

float c_MainGame::PointerX() const {
  if (withMedia) return VirtualMouseX();
  int w = 0, h = 0;
  TrackDeviceWithoutDrawing(&w, &h);
  return currentVirtualDisplay->MapMouseX(currentInputDevice->mouseX, w);
}

float c_MainGame::PointerY() const {
  if (withMedia) return VirtualMouseY();
  int w = 0, h = 0;
  TrackDeviceWithoutDrawing(&w, &h);
  return currentVirtualDisplay->MapMouseY(currentInputDevice->mouseY, h);
}

// ---- Render ----------------------------------------------------------------------

int c_MainGame::Render() {
  if (!withMedia) return 0;
  ApplyVirtualDisplay();
  ClearToColor(0, 0, 0);
  switch (screen) {
    case ScreenLogo:
      DrawImage(logoImage, 0, 0);
      break;
    case ScreenTitle:
      menuView->RenderTitle();
      break;
    case ScreenMenu:
      menuView->RenderMenu();
      break;
    case ScreenScenarioMap:
      mapView->RenderScenarioMap(*scenarioMap);
      break;
    case ScreenPlaying:
      boardView->RenderBoard(*level);
      trainView->RenderTrain(*train, level);
      boardView->RenderBoardOverlay(*level);
      if (BoardPreviewShown()) boardView->DrawClickPreview(*level, PointerX(), PointerY());
      guiView->RenderGui();
      break;
    case ScreenTheEnd:
      menuView->RenderTheEnd();
      break;
    default:
      break;
  }
  DrawHighlight(focus);
  return 0;
}
