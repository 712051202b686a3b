// The program's entry: the command line, the folders, then the host runs the
// game. Options that answer without a window end here.
#include <cstdio>
#include <string>

#include "game/session/folders.h"
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

bool ReadLevelToPlay(const std::string& path, std::string* error) {
  // The level file's reader goes here, once this build has one.
  *error = path + ": this build reads no level files";
  return false;
}

int PlayLevelFile(const std::string& path, int argc, char** argv) {
  std::string error;
  if (!ReadLevelToPlay(path, &error)) {
    std::fprintf(stderr, "rails-against-time: %s\n", error.c_str());
    return 1;
  }
  UseGameFolders(ChooseGameFolders(ProcessFolderFacts()));
  return TarvexStart(argc, argv, InitGameGlobals, PlayLevelMain);
}

int PrintLevel(int n) {
  GcInitLists();
  ResetGameState();
  std::fputs(PrintLevelText(n).c_str(), stdout);
  return 0;
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
  if (options.printLevel != 0) return PrintLevel(options.printLevel);
  if (!options.playLevelFile.empty()) return PlayLevelFile(options.playLevelFile, argc, argv);
  UseGameFolders(ChooseGameFolders(ProcessFolderFacts()));
  const GameProgram program{InitGameGlobals, [](bool withMedia) { new c_MainGame(withMedia); },
                            [] { return static_cast<c_MainGame*>(currentApp.get())->screen; },
                            [] { return static_cast<c_MainGame*>(currentApp.get())->Now(); }};
  if (!options.replayFile.empty()) return PlayReplay(options.replayFile, options.headless, program, argc, argv);
  if (!options.recordFile.empty()) return RecordGame(options.recordFile, program, argc, argv);
  return TarvexStart(argc, argv, InitGameGlobals, ProgramMain);
}
