#include "game/rules/sounds.h"

#include "game/rules/state.h"

namespace {

GameSoundPlayer* soundPlayer = nullptr;

}  // namespace

void SetGameSoundPlayer(GameSoundPlayer* player) { soundPlayer = player; }

void PlayGameSound(int sound) {
  if (gameState.settings.soundOn != 1 || soundPlayer == nullptr) return;
  soundPlayer->Play(sound);
}
