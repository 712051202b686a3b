#include "game/session/save_file.h"

#include <unistd.h>

#include <string>

#include "game/rules/state.h"
#include "game/session/settings_file.h"
#include "host/files.h"
#include "host/game.h"
#include "runtime/error.h"
#include "support/bitmap_font.h"
#include "support/file_system.h"

namespace {

constexpr int kMaxDamagedCopies = 100;

std::string FreeDamagedName() {
  const std::string base = StateFilePath() + ".damaged";
  if (access(base.c_str(), F_OK) != 0) return base;
  for (int n = 2; n <= kMaxDamagedCopies; ++n) {
    const std::string name = base + "-" + std::to_string(n);
    if (access(name.c_str(), F_OK) != 0) return name;
  }
  return std::string();
}

void ReadSave(c_FileStream* save) {
  gameState.progress.currentLevel = save->NextInt();
  // The score was once written as a decimal fraction; a huge one saturates.
  gameState.progress.totalScore = TruncateToInt(save->NextFloat());
  gameState.progress.totalGold = save->NextInt();
  gameState.progress.ownedWorkers = save->NextInt();
  gameState.progress.gameCompleted = save->NextInt();
  gameState.progress.progressSpare = save->NextInt();
  for (int i = 0; i < kLevelCount; ++i) levelStates[i] = save->NextInt();
}

// What the totals counted of each level; a save from before these were kept
// has none, and its done levels' counts are then not known.
void ReadCounted(c_FileStream* counted) {
  Progress& progress = gameState.progress;
  for (int i = 0; i < kLevelCount; ++i) {
    if (counted != nullptr) {
      progress.countedScore[i] = counted->NextInt();
      progress.countedGold[i] = counted->NextInt();
    } else {
      const int unknown = levelStates[i] == LevelDone ? -1 : 0;
      progress.countedScore[i] = progress.countedGold[i] = unknown;
    }
  }
}

}  // namespace

void LoadProgress() {
  ResetProgress();
  if (fileSystem.get() == nullptr) return;
  KeepUnreadableStateAside();
  c_FileStream* save = fileSystem->OpenFile(String(kSaveFileName));
  if (save == nullptr) return;
  ReadSave(save);
  ReadCounted(fileSystem->OpenFile(String(kCountedFileName)));
  BringProgressIntoRange();
}

void SaveProgress() {
  if (fileSystem.get() == nullptr) return;
  c_FileStream* save = fileSystem->CreateFile(String(kSaveFileName));
  for (int value : {gameState.progress.currentLevel, gameState.progress.totalScore, gameState.progress.totalGold, gameState.progress.ownedWorkers, gameState.progress.gameCompleted, gameState.progress.progressSpare}) {
    save->AppendInt(value);
  }
  for (int i = 0; i < kLevelCount; ++i) save->AppendInt(levelStates[i]);
  c_FileStream* counted = fileSystem->CreateFile(String(kCountedFileName));
  for (int i = 0; i < kLevelCount; ++i) {
    counted->AppendInt(gameState.progress.countedScore[i]);
    counted->AppendInt(gameState.progress.countedGold[i]);
  }
  if (fileSystem->SaveFilesToState() != 0) {
    Print(String("The progress could not be saved to ") + String::FromUtf8(StateFilePath()));
  }
}

String KeepUnreadableStateAside() {
  c_FileSystem* fs = fileSystem;
  if (fs == nullptr || fs->stateText.Empty() || fs->OpenFile(String(kSaveFileName)) != nullptr) return String();
  // Settings changed before any game was saved: a state of settings alone.
  if (fs->OpenFile(String(kSettingsFileName)) != nullptr) return String();
  // Whatever happens to the file, the text is not looked at again.
  fs->LoadFilesFromText(String());
  const std::string aside = FreeDamagedName();
  if (aside.empty() || !currentGame->Files()->Rename(StateFilePath(), aside)) {
    Print(String("The state file ") + String::FromUtf8(StateFilePath()) +
          String(" holds no saved game and could not be kept aside; it will be overwritten"));
    return String();
  }
  Print(String("The state file ") + String::FromUtf8(StateFilePath()) +
        String(" holds no saved game; it is kept as ") + String::FromUtf8(aside) + String(" and a new game begins"));
  return String::FromUtf8(aside);
}
