// The game over a replay or a recording: the program's --replay, --headless
// and --record. The host runs the game as always; only the window system
// under it is the replay's or the recording's, the calendar answers what the
// replay recorded, and a replay keeps the saved state in memory, never
// touching the player's own state file.
#pragma once

#include <string>

#include "host/platform.h"
#include "host/virtual_pointer.h"

// What the program gives a session: how it starts the game.
struct GameProgram {
  // Every global to its program-start value (the host's initGlobals).
  void (*initGlobals)();
  // Creates the application; withMedia false for a run that shows nothing.
  void (*createApp)(bool withMedia);
  // The screen state the application shows now.
  int (*screen)();
  // The game's clock at its last update, in ms.
  int (*clockMs)();
};

// The game's own mapping between window pixels and the virtual screen.
class GameDisplayMap final : public VirtualPointerMap {
 public:
  void ToVirtual(int x, int y, int width, int height, float* vx, float* vy) const override;
};

// The last line a replay prints:
// "screen=S level=L score=N gold=N workers=N time=MS states=DDDDDDDDDDDDDDD",
// the time being the game's clock at its last update.
std::string ReplayEndLine(int screen, int timeMs);

// Plays the replay file through the game and prints the end line; answers 0.
// A file that cannot be read or is refused gives one line on standard error
// naming the line at fault, and status 2. The saves go to memory, starting
// from the replay's own state; a test that needs them on the disk passes the
// files they go to (the replay's state is then not used).
int PlayReplay(const std::string& path, bool headless, const GameProgram& program, int argc, char** argv,
               HostFiles* diskFiles = nullptr);
// Plays the game in its window and records the session into the file; answers
// 0, or 2 with a line on standard error when the file cannot be made.
int RecordGame(const std::string& path, const GameProgram& program, int argc, char** argv);
