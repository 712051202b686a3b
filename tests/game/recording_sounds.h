// Keeps every sound the game asks for, for tests to read; and the whole game
// with its sounds kept so.
#pragma once

#include <algorithm>
#include <vector>

#include "game/rules/sounds.h"
#include "tests/game/main_game_fixture.h"

class RecordingSounds final : public GameSoundPlayer {
 public:
  void Play(int sound) override { played.push_back(sound); }
  bool Heard(int sound) const { return std::find(played.begin(), played.end(), sound) != played.end(); }
  int Count(int sound) const { return static_cast<int>(std::count(played.begin(), played.end(), sound)); }
  std::vector<int> played;
};

class MainGameWithSounds : public MainGameFixture {
 protected:
  void SetUp() override {
    MainGameFixture::SetUp();
    SetGameSoundPlayer(&sounds);
  }
  void TearDown() override {
    SetGameSoundPlayer(nullptr);
    MainGameFixture::TearDown();
  }

  RecordingSounds sounds;
};
