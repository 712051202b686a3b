// Fixtures that listen to what the rules tell the player: the sounds the game
// asks for over the whole game on the fake clock, and the feedback reports
// kept by a feedback view over a level played by clicks.
#pragma once

#include <algorithm>
#include <vector>

#include "game/rules/feedback.h"
#include "game/rules/sounds.h"
#include "game/views/feedback_view.h"
#include "tests/game/level_play.h"
#include "tests/game/main_game_fixture.h"

// Keeps every sound the game asks for.
class RecordingSounds final : public GameSoundPlayer {
 public:
  void Play(int sound) override { played.push_back(sound); }
  bool Heard(int sound) const { return std::find(played.begin(), played.end(), sound) != played.end(); }
  int Count(int sound) const { return static_cast<int>(std::count(played.begin(), played.end(), sound)); }
  std::vector<int> played;
};

// The whole game with its sounds recorded.
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

inline gc_global<c_FeedbackView*> fixtureFeedback;

// A level played by clicks, its reports kept as the game's feedback view
// keeps them; the enemies' pages already seen.
class LevelPlayWithFeedback : public LevelPlay {
 protected:
  void SetUp() override {
    LevelPlay::SetUp();
    feedback = new c_FeedbackView();
    fixtureFeedback = feedback;
    SetFeedbackListener(feedback);
    progress.banditsIntroShown = 1;
    progress.indigensIntroShown = 1;
  }
  void TearDown() override {
    SetFeedbackListener(nullptr);
    fixtureFeedback = nullptr;
    LevelPlay::TearDown();
  }
  c_FeedbackView* feedback = nullptr;
};
