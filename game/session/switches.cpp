#include "game/session/switches.h"

#include "audio/sound.h"
#include "game/rules/state.h"
#include "host/game.h"

void ToggleMusic() {
  if (gameState.settings.musicOn == 1) {
    StopMusicPlayback();
    gameState.settings.musicOn = 0;
  } else {
    // The ambience starts the piece the screen calls for at the next update.
    gameState.settings.musicOn = 1;
  }
}


void OpenGameDisplay(bool fullScreen) {
  currentGlfwGame->OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, fullScreen);
}

void ToggleFullScreen() {
  Settings& settings = gameState.settings;
  if (settings.fullScreenOn == 1) {
    OpenGameDisplay(false);
    settings.fullScreenOn = 0;
  } else {
    OpenGameDisplay(true);
    currentGame->ShowMouseCursor(true);
    settings.fullScreenOn = 1;
  }
}
