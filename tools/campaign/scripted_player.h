// A scripted player: the real game in this process on a replay's clock, played
// by clicks at virtual positions (or by keys alone) delivered through the host's input path, and
// recorded as a replay file through the recording seam.
//
// It looks at the game as a person looks at the screen (which screen shows, a
// page over the board, where an enemy stands, whether a job has begun), and it
// follows the solver's schedule for each level; it never calls a rule of the
// game. The calendar it gives the game moves with the game's clock from a
// fixed second, so the same build always makes the same file.
#pragma once

#include <cstdint>
#include <string>

#include "game/rules/layouts.h"

enum class ScriptedRun {
  // Logo, title, a new game, all fifteen levels won in turn, the pause panel
  // used, a quit to the menu part way and a continue; ends on the end picture.
  Campaign,
  // A new game's first level sent off over no track: the train crashes, and
  // the failed panel's menu button leads back to the menu.
  LostLevel,
  // The keyboard alone, no pointer at all: from the logo through the menu,
  // the map and the tutorial pages, the first level built with the board
  // cursor, sent off with T and continued from the won panel; ends on the map
  // with the second level to play.
  KeysOnly,
  // A new game's first level won, then Menu on the won panel: the win is
  // kept all the same.
  WinThenMenu,
  // The first level won, Retry on the won panel, then the pause panel's
  // quit: the win is kept.
  WinRetryQuit,
  // The first level won without sending the train off, Continue, then played
  // again from the map and sent off early: the totals gain only what the
  // second run beats the first by; Menu on its won panel.
  WinTwice,
  // The settings opened from the menu and from the pause panel, both
  // sliders moved, T's action bound to G and the train sent with it, the
  // keys reset (settings_tour.h).
  Settings,
  // A level from elsewhere played as a custom match, as --play-level opens
  // it: the solver's plan for its layout clicked until the train arrives
  // (PlayScriptedLevel).
  CustomLevel,
  // From a saved game: Continue, the map's daily corner, the day's level won
  // by the solver's plan; the won panel and then the map's corner with the
  // day counted are each looked at for a few seconds (for pictures of them).
  DailyLine,
  // The menu's Editor sign, a small level built on the empty board, played
  // to a win by the solver's plan, an edit undone back in the editor and the
  // level saved (editor_tour.h).
  Editor,
  // The editor's start iron taken down until the level cannot be won: the
  // save is refused with the verdict as its reason, and leaving asks first.
  EditorRefused,
};

// What the player did on the way.
struct ScriptedTally {
  int levelStarts = 0;     // a level quit and played again counts twice
  int quits = 0;           // to the menu through the pause panel
  int pausePanels = 0;     // times the pause button was pressed
  int enemyClicks = 0;     // clicks on bandits and raiders
  int repeatedClicks = 0;  // schedule clicks the game did not take at once (no worker or iron yet)
};

struct ScriptedOutcome {
  bool ok = false;
  ScriptedTally tally;
  std::string endLine;  // the line a replay of the file prints at its end
  int arrivalMs = -1;   // a custom level: its own time when the train arrived
  std::string error;    // when not ok: what went wrong, and where
};

// The calendar second of the game's clock 0.
constexpr std::int64_t kScriptedCalendarStart = 1700000000;
// The level quit to the menu and played again after continuing.
constexpr int kScriptedQuitLevel = 8;
// The level where the pause panel is opened and play resumed.
constexpr int kScriptedPauseLevel = 3;

// Plays the run under the rules of the given version (the newest by default,
// an older one to make its kept replays again) and writes its replay to path.
// One run per process: the game and its host are process-wide.
// A run starts from a new game, or from the saved state given (as the state
// file holds it).
ScriptedOutcome PlayScripted(ScriptedRun run, const std::string& path, int rulesVersion,
                             const std::string* startState = nullptr);

// The level given played as a custom match under the newest rules, by the
// clicks of the solver's plan for it; ok once its train has arrived, with
// what stopped it in `error` otherwise (the solver finding no way, a crash,
// the level left). Writes its replay to path. One run per process, as above.
ScriptedOutcome PlayScriptedLevel(const LevelLayout& layout, const std::string& path);
