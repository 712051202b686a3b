// rails-campaign: plays the scripted campaign (or the lost level, or the first
// level by keys alone) and writes its replay file; prints the line a replay of
// it ends with.
//
//   rails-campaign [--lost | --keys | --win-menu | --win-retry-quit | --win-twice | --settings | --daily-line |
//                   --editor | --editor-refused] [--rules N] [--state STATEFILE] FILE
//
// --rules 1 plays under the first release's rules, as the replays kept from
// then were recorded. --state starts from that saved state (a .tarvexstate
// file) instead of a new game; the daily line's run needs a saved game.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "game/rules/state.h"
#include "game/session/folders.h"
#include "tools/campaign/scripted_player.h"

int main(int argc, char** argv) {
  ScriptedRun run = ScriptedRun::Campaign;
  std::string path;
  std::string state;
  bool hasState = false;
  int rules = kNewestRules;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rules") == 0 && i + 1 < argc && std::atoi(argv[i + 1]) >= 1 &&
        std::atoi(argv[i + 1]) <= kNewestRules) {
      rules = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--lost") == 0) {
      run = ScriptedRun::LostLevel;
    } else if (std::strcmp(argv[i], "--keys") == 0) {
      run = ScriptedRun::KeysOnly;
    } else if (std::strcmp(argv[i], "--win-menu") == 0) {
      run = ScriptedRun::WinThenMenu;
    } else if (std::strcmp(argv[i], "--win-retry-quit") == 0) {
      run = ScriptedRun::WinRetryQuit;
    } else if (std::strcmp(argv[i], "--win-twice") == 0) {
      run = ScriptedRun::WinTwice;
    } else if (std::strcmp(argv[i], "--settings") == 0) {
      run = ScriptedRun::Settings;
    } else if (std::strcmp(argv[i], "--daily-line") == 0) {
      run = ScriptedRun::DailyLine;
    } else if (std::strcmp(argv[i], "--state") == 0 && i + 1 < argc) {
      std::ifstream file(argv[++i], std::ios::binary);
      std::stringstream text;
      text << file.rdbuf();
      if (!file) {
        std::fprintf(stderr, "rails-campaign: cannot read the state file %s\n", argv[i]);
        return 2;
      }
      state = text.str();
      hasState = true;
    } else if (std::strcmp(argv[i], "--editor") == 0) {
      run = ScriptedRun::Editor;
    } else if (std::strcmp(argv[i], "--editor-refused") == 0) {
      run = ScriptedRun::EditorRefused;
    } else if (path.empty() && argv[i][0] != '-') {
      path = argv[i];
    } else {
      path.clear();
      break;
    }
  }
  if (path.empty()) {
    std::fputs("usage: rails-campaign [--lost | --keys | --win-menu | --win-retry-quit | --win-twice | --settings | "
               "--daily-line | --editor | --editor-refused] [--rules N] [--state STATEFILE] FILE\n",
               stderr);
    return 2;
  }
  UseGameFolders(ChooseGameFolders(ProcessFolderFacts()));
  const ScriptedOutcome outcome = PlayScripted(run, path, rules, hasState ? &state : nullptr);
  if (!outcome.ok) {
    std::fprintf(stderr, "rails-campaign: %s\n", outcome.error.c_str());
    if (!outcome.endLine.empty()) std::fprintf(stderr, "rails-campaign: stopped at %s\n", outcome.endLine.c_str());
    return 1;
  }
  const ScriptedTally& t = outcome.tally;
  std::fprintf(stderr,
               "rails-campaign: level starts %d, quits %d, pause panels %d, enemy clicks %d, repeated clicks %d\n",
               t.levelStarts, t.quits, t.pausePanels, t.enemyClicks, t.repeatedClicks);
  std::printf("%s\n", outcome.endLine.c_str());
  return 0;
}
