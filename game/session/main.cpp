// The program's entry: the command line, the folders, then the host runs the
// game. Options that answer without a window end here.
#include <cstdio>
#include <string>

#include "game/editor/level_edit.h"
#include "game/rules/level_reader.h"
#include "game/rules/level_table.h"
#include "game/session/folders.h"
#include "game/session/game_program.h"
#include "game/session/generate_commands.h"
#include "game/session/level_file_commands.h"
#include "game/session/main_game.h"
#include "game/session/options.h"
#include "game/session/print_level.h"
#include "game/session/replay_session.h"
#include "host/game.h"
#include "runtime/gc.h"
#include "support/file_system.h"
#include "support/virtual_display.h"
#include "tarvex_version.h"

namespace {

constexpr int kUsageStatus = 2;


void ProgramMain() { new c_MainGame(); }

// The level of --play-level, read before the game starts.
LevelLayout levelToPlay;

void PlayLevelMain() { (new c_MainGame())->PlayAtStart(levelToPlay); }

// Reads the level first: a file with a fault says so in one line and
// nothing starts.
int PlayLevelFile(const std::string& path, const GameFolders& folders, int argc, char** argv) {
  std::string error;
  if (!LoadLevelFile(path, levelToPlay, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return kBadLevelFileStatus;
  }
  UseGameFolders(folders);
  return TarvexStart(argc, argv, InitGameGlobals, PlayLevelMain);
}

// The level of --edit-level and its file.
LevelLayout levelToEdit;
std::string fileToEdit;

void EditLevelMain() { (new c_MainGame())->EditAtStart(levelToEdit, fileToEdit); }

// A missing file is a new level, saved there; a file that is there must
// read, or nothing starts.
int EditLevelFile(const std::string& path, const GameFolders& folders, int argc, char** argv) {
  fileToEdit = path;
  levelToEdit = EmptyLevel();
  std::string error;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    std::fclose(file);
    if (!LoadLevelFile(path, levelToEdit, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return kBadLevelFileStatus;
    }
  }
  UseGameFolders(folders);
  return TarvexStart(argc, argv, InitGameGlobals, EditLevelMain);
}

int PrintLevel(int n) {
  GcInitLists();
  ResetGameState();
  std::fputs(PrintLevelText(n).c_str(), stdout);
  return 0;
}

// Runs a command that answers without a window and prints what it reports.
template <typename Command>
int Report(Command command) {
  std::string out, err;
  const int status = command(out, err);
  std::fputs(out.c_str(), stdout);
  std::fputs(err.c_str(), stderr);
  return status;
}

int RunLevelFileCommand(int (*command)(const std::string&, std::string&, std::string&), const std::string& path) {
  return Report([&](std::string& out, std::string& err) { return command(path, out, err); });
}

}  // namespace

int main(int argc, char** argv) {
  GameOptions options;
  std::string error;
  if (!ParseGameOptions(argc, argv, &options, &error)) {
    std::fprintf(stderr, "rails-against-time: %s\n", error.c_str());
    return kUsageStatus;
  }
  if (options.help) {
    std::fputs(GameUsage().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::puts("rails-against-time " TARVEX_VERSION);
    return 0;
  }
  if (!options.printLevelFile.empty()) return RunLevelFileCommand(PrintLevelFile, options.printLevelFile);
  if (!options.checkLevelFile.empty()) return RunLevelFileCommand(CheckLevelFile, options.checkLevelFile);
  if (options.generate) {
    return Report([&](std::string& out, std::string& err) {
      return GenerateLevelCommand(options.generateSeed, options.generateDifficulty, options.generateFile, out, err);
    });
  }
  if (options.daily) return Report([&](std::string& out, std::string& err) { return DailyLevelCommand(options.dailyDate, out, err); });
  const GameFolders folders = ChooseGameFolders(ProcessFolderFacts());
  // The levels are data like the pictures: a level file that does not read
  // stops the program before anything starts.
  if (!UseDataFolderLevels(folders.data, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return kBadLevelFileStatus;
  }
  if (options.printLevel != 0) return PrintLevel(options.printLevel);
  if (!options.playLevelFile.empty()) return PlayLevelFile(options.playLevelFile, folders, argc, argv);
  if (!options.editLevelFile.empty()) return EditLevelFile(options.editLevelFile, folders, argc, argv);
  UseGameFolders(folders);
  const GameProgram program = MainGameProgram();
  if (!options.replayFile.empty()) return PlayReplay(options.replayFile, options.headless, program, argc, argv);
  if (!options.recordFile.empty()) return RecordGame(options.recordFile, program, argc, argv);
  return TarvexStart(argc, argv, InitGameGlobals, ProgramMain);
}
