// The settings run of the scripted player: through the title to the menu's
// Settings sign, both sliders moved, "Send the train" bound to G and the
// panel closed; a new game's first level, whose train G sends off; the pause
// panel's Settings, where the effects move by the arrow keys and the keys
// are reset to their defaults; resumed, the train crashes over no track and
// the failed panel's Menu ends the run on the menu.
#pragma once

#include <string>

// One input before an update: a key (by the window system's code) or a click.
struct TourInput {
  int key = 0;  // 0: a left click at (x, y)
  int x = 0, y = 0;
};

class SettingsTour {
 public:
  // What to do before the next update, given what the game shows; false for
  // nothing this update.
  bool Next(TourInput* input);
  bool Done() const { return step_ == kDone; }
  const std::string& Error() const { return error_; }

  // The slider positions the run sets (tenths) and the key it binds.
  static constexpr int kMusicSet = 3;
  static constexpr int kEffectsSet = 6;
  static constexpr int kSendTrainKey = 'G';

 private:
  enum Step { kTitle, kOpenFromMenu, kMusic, kEffects, kPickSendTrain, kPressG, kCloseOnMenu, kNewGame, kStart,
              kPages, kSendWithG, kPause, kOpenFromPause, kEffectsDown, kEffectsRight, kReset,
              kCloseOverLevel, kResume, kCrash, kMenu, kDone };
  bool Click(float x, float y, TourInput* input);
  bool Press(int key, TourInput* input);
  bool Fail(const std::string& why);
  int step_ = kTitle;
  int wait_ = 0;
  std::string error_;
};
