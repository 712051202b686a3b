#include "game/session/switches.h"

#include "audio/sound.h"
#include "game/rules/state.h"
#include "host/game.h"

void ToggleMusic() {
  const Settings& s = gameState.settings;
  SetMusicVolume(s.musicOn == 1 ? 0 : s.musicLastVolume);
}

void SetMusicVolume(int volume) {
  const bool wasOn = gameState.settings.musicOn == 1;
  SetMusicVolumeSetting(volume);
  // Back on, the ambience starts the piece the screen calls for at the next
  // update.
  if (wasOn && gameState.settings.musicOn == 0) StopMusicPlayback();
}

void OpenGameDisplay(bool fullScreen) {
  currentGlfwGame->OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, fullScreen);
}

void OpenGameDisplayAsSet() {
  const Settings& settings = gameState.settings;
  OpenGameDisplay(settings.fullScreenOn == 1);
  const WindowPlace& w = settings.window;
  if (settings.fullScreenOn == 0 && w.width > 0) currentGlfwGame->PlaceWindow(w.x, w.y, w.width, w.height);
}

void RememberWindowPlace() {
  WindowPlace now;
  if (gameState.settings.fullScreenOn == 0 &&
      currentGlfwGame->GetWindowPlacement(&now.x, &now.y, &now.width, &now.height)) {
    gameState.settings.window = now;
  }
}

void ToggleFullScreen() {
  Settings& settings = gameState.settings;
  if (settings.fullScreenOn == 1) {
    settings.fullScreenOn = 0;
    OpenGameDisplayAsSet();
  } else {
    RememberWindowPlace();
    settings.fullScreenOn = 1;
    OpenGameDisplayAsSet();
    currentGame->ShowMouseCursor(true);
  }
}
