// The main game's side of the page of custom levels: the files listed when
// the page opens, its requests acted on (play, delete, save a random level,
// back), and the records of the levels played from it.
#include "game/rules/level_writer.h"
#include "game/session/custom_records_file.h"
#include "game/session/edited_level_save.h"
#include "game/session/folders.h"
#include "game/session/level_listing.h"
#include "game/session/main_game.h"
#include "game/session/players_levels.h"
#include "game/session/save_file.h"
#include "host/files.h"
#include "host/game.h"
#include "host/input.h"

namespace {

std::string FileNameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

}  // namespace

void c_MainGame::OpenLevelList() {
  if (screen == ScreenMenu || screen == ScreenScenarioMap) levelListReturn = screen;
  levelList->part = ListPart::Rows;
  RefreshLevelList();
  screen = ScreenLevelList;
}

void c_MainGame::RefreshLevelList() {
  levelList->Open(ListLevelFilesFor(currentGame->Files()), LoadCustomRecords());
  levelList->WorkOutShownIron();
}

void c_MainGame::UpdateLevelList() {
  if (Hit(KeyAction::Back) != 0 || Hit(KeyPadBack) != 0) {
    Act(levelList->Back());
    return;
  }
  levelList->MoveSelection(Hit(KeyAction::Down) - Hit(KeyAction::Up) +
                           kListRowsShown * (Hit(KeyPageDown) - Hit(KeyPageUp)));
  MoveFocus(false, true);
  float x = 0, y = 0;
  if (LeftClicked()) {
    Act(levelList->Click(PointerX(), PointerY()));
  } else if (FocusPressed(&x, &y)) {
    Act(levelList->Click(x, y));
  }
  // The solver runs for the rows in view only, each content once.
  if (screen == ScreenLevelList) levelList->WorkOutShownIron();
}

void c_MainGame::PlayListedLevel() {
  const bool random = levelList->chosenPath.empty();
  listedLevelKey = random ? LevelContentKey(WriteLevelText(levelList->chosenLayout)) : levelList->chosenKey;
  StartCustomMatch(levelList->chosenLayout, CustomOrigin::LevelList);
}

void c_MainGame::EditListedLevel() {
  // The player's own file is saved back where it was; the game's own levels
  // and a random one go to the player's folder under their name.
  const ListedLevel* row = levelList->Selected();
  const bool own = !levelList->chosenPath.empty() && row != nullptr && row->playersOwn &&
                   row->path == levelList->chosenPath;
  OpenEditor(levelList->chosenLayout, own ? levelList->chosenPath : "");
}

void c_MainGame::DeleteListedLevel() {
  const std::string path = levelList->chosenPath;
  const bool deleted = DeletePlayersLevelFor(currentGame->Files(), path);
  RefreshLevelList();
  levelList->line = FileNameOf(path) + (deleted ? " is deleted" : " could not be deleted");
}

void c_MainGame::SaveRandomLevel() {
  std::string error;
  const std::string path = SaveNewPlayersLevelFor(currentGame->Files(), levelList->chosenLayout, error);
  RefreshLevelList();
  levelList->line = path.empty() ? error : "Saved as " + FileNameOf(path);
}

void c_MainGame::LeaveLevelList() {
  if (levelListReturn == ScreenScenarioMap) {
    ShowMap();
  } else {
    ShowMenu();
  }
}

void c_MainGame::RecordListedWin() {
  CustomRecords records = LoadCustomRecords();
  records.RecordWin(listedLevelKey, match->run.levelScore, LevelSeconds());
  PutCustomRecords(records);
  SaveProgress();
}
