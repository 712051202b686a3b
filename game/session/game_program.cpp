#include "game/session/game_program.h"

#include "game/session/main_game.h"

namespace {

c_MainGame* App() { return static_cast<c_MainGame*>(currentApp.get()); }

}  // namespace

GameProgram MainGameProgram() {
  return GameProgram{InitGameGlobals, [](bool withMedia) { new c_MainGame(withMedia); }, [] { return App()->screen; },
                     [] { return App()->Now(); }};
}
