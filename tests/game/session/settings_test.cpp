// The settings through the real input path: the panel opened from the menu's
// sign and from the pause panel, the sliders by click and by keys and their
// switches, a key rebound (with a swap) and used in play, the reset, and the
// settings file read back by the next start; a damaged file is set aside and
// a state from before the settings starts as the game always started.
#include <algorithm>
#include <cmath>
#include <string>

#include "game/screens/gui.h"
#include "game/screens/menu.h"
#include "game/screens/settings_panel.h"
#include "game/session/settings_file.h"
#include "tests/game/main_game_fixture.h"

namespace {

constexpr int kGlfwEnter = 257, kGlfwDown = 264, kGlfwRight = 262, kGlfwLeft = 263;
constexpr int kGlfwG = 71, kGlfwT = 84;

float MiddleX(const HitBox& b) { return (b.left + b.right) / 2; }
float MiddleY(const HitBox& b) { return (b.top + b.bottom) / 2; }
float SliderX(int volume) { return kSliderLeft + (kSliderRight - kSliderLeft) * volume / kFullVolume; }

class SettingsPlay : public MainGameFixture {
 protected:
  void OpenFromMenu() {
    Start();
    ToMenu();
    Click(MiddleX(kMenuSettings), MiddleY(kMenuSettings));
    ASSERT_TRUE(app->settingsPanel->shown);
  }
  void ClickControl(int control) {
    Click(MiddleX(kSettingsControls[control]), MiddleY(kSettingsControls[control]));
  }
  void ClickSlider(int control, int volume) { Click(SliderX(volume), MiddleY(kSettingsControls[control])); }
  void ClickKeyRow(KeyAction action) {
    const HitBox row = SettingsKeyRow(static_cast<int>(action));
    Click(MiddleX(row), MiddleY(row));
  }
  // The settings file as the state file holds it, read by a new file system.
  Settings StoredSettings() {
    c_FileSystem* fs = new c_FileSystem;
    fs->separator = String("\t");
    fs->LoadFilesFromText(String::FromUtf8(ReadState()));
    Settings read;
    c_FileStream* file = fs->OpenFile(String(kSettingsFileName));
    EXPECT_NE(file, nullptr) << "no settings stored";
    if (file != nullptr) {
      EXPECT_TRUE(ReadSettings(file, &read));
    }
    return read;
  }
};

// Each slider position sets its volume; 0 is its switch off, and the switch
// of the menu brings back the last volume above 0.
struct SliderCase {
  int control;
  int volume;
  int switchOn;
};
class Sliders : public SettingsPlay, public ::testing::WithParamInterface<SliderCase> {};

TEST_P(Sliders, AClickOnTheTrackSetsTheVolumeAndItsSwitch) {
  const SliderCase& c = GetParam();
  OpenFromMenu();
  ClickSlider(c.control, 7);
  ClickSlider(c.control, c.volume);
  const Settings& s = gameState.settings;
  const bool music = c.control == SettingMusic;
  EXPECT_EQ(music ? s.musicVolume : s.effectsVolume, c.volume);
  EXPECT_EQ(music ? s.musicOn : s.soundOn, c.switchOn);
  ClickControl(SettingClose);
  ASSERT_FALSE(app->settingsPanel->shown);
  // The menu's switch of the same: off goes to 0, on comes back to the last
  // volume above 0.
  Click(800, music ? 450 : 550);
  EXPECT_EQ(music ? s.musicVolume : s.effectsVolume, c.volume == 0 ? 7 : 0);
  Click(800, music ? 450 : 550);
  EXPECT_EQ(music ? s.musicVolume : s.effectsVolume, c.volume);
}

INSTANTIATE_TEST_SUITE_P(Volumes, Sliders,
                         ::testing::Values(SliderCase{SettingMusic, 3, 1}, SliderCase{SettingMusic, 0, 0},
                                           SliderCase{SettingEffects, 10, 1}, SliderCase{SettingEffects, 0, 0},
                                           SliderCase{SettingEffects, 1, 1}));

TEST_F(SettingsPlay, HeldPointerDragsTheSliderAndTheArrowsStepTheFocusedOne) {
  OpenFromMenu();
  platform.cursorX = SliderX(2);
  platform.cursorY = MiddleY(kSettingsControls[SettingMusic]);
  game->OnMousePosition(platform.cursorX, platform.cursorY);
  game->OnMouseButton(kGlfwLeftButton, HostInputSink::kActionPress);
  Update();
  for (int volume : {4, 9}) {
    platform.cursorX = SliderX(volume);
    game->OnMousePosition(platform.cursorX, platform.cursorY);
    Update();
    EXPECT_EQ(gameState.settings.musicVolume, volume) << "dragged";
  }
  game->OnMouseButton(kGlfwLeftButton, HostInputSink::kActionRelease);
  Update();
  // Down to the effects, then Left twice from full.
  Key(kGlfwDown);
  Key(kGlfwLeft);
  Key(kGlfwLeft);
  EXPECT_EQ(gameState.settings.effectsVolume, 8);
  EXPECT_EQ(gameState.settings.musicVolume, 9) << "only the focused slider moves";
  Key(kGlfwRight);
  EXPECT_EQ(gameState.settings.effectsVolume, 9);
}

TEST_F(SettingsPlay, TheMenuSignIsReachedByKeysAndEscapeClosesThePanel) {
  Start();
  ToMenu();
  // From "new game" (nothing won): music, sound, quit, Editor, Levels, then Settings.
  for (int i = 0; i < 6; ++i) Key(kGlfwDown);
  Key(kGlfwEnter);
  ASSERT_TRUE(app->settingsPanel->shown);
  Key(kGlfwEscape);
  EXPECT_FALSE(app->settingsPanel->shown);
  EXPECT_EQ(app->screen, ScreenMenu);
}

TEST_F(SettingsPlay, UnderTheFirstRulesTheMenuHasNoSettingsSign) {
  SetRulesVersion(1);
  Start();
  ToMenu();
  Click(MiddleX(kMenuSettings), MiddleY(kMenuSettings));
  EXPECT_FALSE(app->settingsPanel->shown);
  EXPECT_EQ(app->screen, ScreenMenu);
}

// A rebinding: the new key does the action, the old one no longer does, and
// a key already in use swaps places with a line that says so.
TEST_F(SettingsPlay, ARebindingSwapsAKeyInUseAndTheNewKeySendsTheTrain) {
  OpenFromMenu();
  ClickKeyRow(KeyAction::SendTrain);
  ASSERT_TRUE(app->settingsPanel->Waiting());
  Key('H');  // the hint's key
  const KeyBindings& keys = gameState.settings.keys;
  EXPECT_EQ(keys.Of(KeyAction::SendTrain), 'H');
  EXPECT_EQ(keys.Of(KeyAction::Hint), 'T');
  EXPECT_NE(app->settingsPanel->line.find("H was on Hint, which now takes T"), std::string::npos) << app->settingsPanel->line;
  // A click while a key is awaited keeps the old key.
  ClickKeyRow(KeyAction::SendTrain);
  Click(MiddleX(kSettingsPanel), 710);
  EXPECT_EQ(keys.Of(KeyAction::SendTrain), 'H');
  ClickKeyRow(KeyAction::SendTrain);
  Key(kGlfwG);
  EXPECT_EQ(keys.Of(KeyAction::SendTrain), kGlfwG);
  EXPECT_EQ(keys.Of(KeyAction::Hint), 'T') << "G was free: nothing else moved";
  ClickControl(SettingClose);

  Click(800, 340);
  StartSelectedLevel();
  ReadTutorialAway();
  ASSERT_EQ(app->screen, ScreenPlaying);
  Key(kGlfwT);
  EXPECT_EQ(app->match->run.departNow + app->match->run.trainRunning, 0) << "T no longer sends it";
  EXPECT_TRUE(app->hint.shown) << "T is the hint's key now";
  Key(kGlfwG);
  EXPECT_EQ(app->match->run.departNow + app->match->run.trainRunning, 1) << "G sends it";
}

TEST_F(SettingsPlay, ThePausePanelOpensTheSettingsOverTheLevelAndTheResetBringsEveryKeyBack) {
  OpenFromMenu();
  ClickKeyRow(KeyAction::Piece1);
  Key(kGlfwG);
  ClickControl(SettingClose);
  Click(800, 340);
  StartSelectedLevel();
  ReadTutorialAway();
  Click(MiddleX(kPauseButton), MiddleY(kPauseButton));
  ASSERT_EQ(app->match->flags.gamePaused, 1);
  Click(MiddleX(kPauseSettingsButton), MiddleY(kPauseSettingsButton));
  ASSERT_TRUE(app->settingsPanel->shown);
  EXPECT_TRUE(app->settingsPanel->overLevel);
  const int clock = app->match->run.departure.secondsLeft;
  Run(3000);
  EXPECT_EQ(app->match->run.departure.secondsLeft, clock) << "the level stands still beneath";
  ClickControl(SettingResetKeys);
  EXPECT_TRUE(gameState.settings.keys == KeyBindings());
  ClickControl(SettingClose);
  EXPECT_EQ(app->match->flags.gamePaused, 1) << "back on the pause panel";
  Click(MiddleX(kPauseButtons[PauseResume]), MiddleY(kPauseButtons[PauseResume]));
  Key(kGlfwDigit1 + 2);
  EXPECT_EQ(app->match->run.selectedPiece, 2);
}

// Under reduced motion a hit enemy does not shake; otherwise it does.
TEST_F(SettingsPlay, ReducedMotionStillsTheShakeOfAHitEnemy) {
  Start();
  c_FeedbackView* feedback = app->feedback;
  FeedbackEvent hit;
  hit.kind = FeedbackKind::EnemyHit;
  hit.cellX = 3;
  hit.cellY = 4;
  hit.atMs = 1000;
  feedback->Report(hit);
  for (int motion : {0, 1}) {
    gameState.settings.reducedMotion = motion;
    float largest = 0;
    for (int ms = 1000; ms < 1000 + kHitShakeMs; ms += 10) largest = std::max(largest, std::fabs(feedback->ShakeAt(3, 4, ms)));
    EXPECT_EQ(largest > 0, motion == 0) << "reduced motion " << motion;
  }
}

TEST_F(SettingsPlay, TheSavedSettingsAreReadBackAfterARestart) {
  OpenFromMenu();
  ClickSlider(SettingMusic, 4);
  ClickSlider(SettingEffects, 0);
  ClickControl(SettingMotion);
  ClickControl(SettingShapes);
  ClickControl(SettingFullScreen);
  ClickKeyRow(KeyAction::SendTrain);
  Key(kGlfwG);
  const Settings chosen = gameState.settings;
  EXPECT_EQ(chosen.fullScreenOn, 0);
  EXPECT_FALSE(platform.opens.back().fullScreen) << "the window opened at once";
  const Settings stored = StoredSettings();
  EXPECT_EQ(stored.musicVolume, 4);
  EXPECT_EQ(stored.effectsVolume, 0);
  EXPECT_EQ(stored.soundOn, 0);

  const std::size_t opensBefore = platform.opens.size();
  RestartProgram();
  const Settings& read = gameState.settings;
  EXPECT_EQ(read.musicVolume, 4);
  EXPECT_EQ(read.effectsVolume, 0);
  EXPECT_EQ(read.soundOn, 0);
  EXPECT_EQ(read.musicOn, 1);
  EXPECT_EQ(read.reducedMotion, 1);
  EXPECT_EQ(read.shapesWithColours, 0);
  EXPECT_TRUE(read.keys == chosen.keys);
  ASSERT_GT(platform.opens.size(), opensBefore);
  EXPECT_FALSE(platform.opens.back().fullScreen) << "a window, as left";
  // A state of settings alone (no game saved yet) is no damaged save.
  ToMenu();
  EXPECT_EQ(ReadState(".tarvexstate.damaged"), "");
  EXPECT_EQ(StoredSettings().musicVolume, 4);
}

TEST_F(SettingsPlay, TheWindowsPlaceAndSizeAreRememberedAcrossFullScreenAndARestart) {
  OpenFromMenu();
  ClickControl(SettingFullScreen);
  ASSERT_FALSE(platform.opens.back().fullScreen);
  EXPECT_EQ(platform.placings, 0) << "the first window opens centred, where nothing was remembered";
  // The player moves the window and makes it larger.
  platform.placeX = 200, platform.placeY = 100, platform.placeWidth = 1280, platform.placeHeight = 900;
  Run(1500);
  const WindowPlace moved{200, 100, 1280, 900};
  EXPECT_TRUE(gameState.settings.window == moved);
  ClickControl(SettingFullScreen);
  ASSERT_TRUE(platform.opens.back().fullScreen);
  platform.placeX = platform.placeY = 0;
  ClickControl(SettingFullScreen);
  EXPECT_EQ(platform.placeX, 200) << "back where it was";
  EXPECT_EQ(platform.placeWidth, 1280);
  platform.placeX = platform.placeY = 0;
  RestartProgram();
  EXPECT_FALSE(platform.opens.back().fullScreen);
  EXPECT_EQ(platform.placeX, 200) << "the next start opens it there too";
  EXPECT_EQ(platform.placeHeight, 900);
}

// What the state file holds decides how the game starts.
struct StoredCase {
  const char* what;
  std::string state;
  bool setAside;
};
class StoredSettings : public MainGameFixture, public ::testing::WithParamInterface<StoredCase> {};

std::string SettingsState(const std::string& values, int count) {
  return "TVXDATA\t2\tsettings.sav\t" + std::to_string(count) + "\t" + values +
         "\ttrandle.sav\t21\t1\t0\t0\t5\t0\t0\t2\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0";
}
const std::string kKeys = "\t23\t38\t40\t37\t39\t13\t32\t9\t27\t84\t72\t83\t81\t69\t46\t8\t49\t50\t51\t52\t53\t54\t55\t56";

TEST_P(StoredSettings, ADamagedFileIsSetAsideAndTheDefaultsUsed) {
  const StoredCase& c = GetParam();
  WriteState(c.state);
  testing::internal::CaptureStdout();
  Start();
  const std::string printed = testing::internal::GetCapturedStdout();
  const Settings& s = gameState.settings;
  EXPECT_EQ(printed.find("settings.damaged") != std::string::npos, c.setAside) << c.what << ": " << printed;
  if (c.setAside) {
    EXPECT_EQ(s.musicVolume, kFullVolume) << c.what;
    EXPECT_EQ(s.soundOn + s.musicOn + s.fullScreenOn, 3) << c.what;
    EXPECT_TRUE(s.keys == KeyBindings()) << c.what;
    EXPECT_NE(fileSystem->OpenFile(String(kDamagedSettingsFileName)), nullptr) << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, StoredSettings,
    ::testing::Values(StoredCase{"a good file", SettingsState("1\t5\t5\t8\t8\t1\t0\t0\t0\t0\t1\t0" + kKeys, 36), false},
                      StoredCase{"a volume above full", SettingsState("1\t11\t5\t8\t8\t1\t0\t0\t0\t0\t1\t0" + kKeys, 36), true},
                      StoredCase{"a value short", SettingsState("1\t5\t5\t8\t8\t1\t0\t0\t0\t1\t0" + kKeys, 35), true},
                      StoredCase{"another layout", SettingsState("2\t5\t5\t8\t8\t1\t0\t0\t0\t0\t1\t0" + kKeys, 36), true},
                      StoredCase{"a window too small", SettingsState("1\t5\t5\t8\t8\t0\t0\t0\t100\t100\t1\t0" + kKeys, 36), true},
                      StoredCase{"a key twice", SettingsState("1\t5\t5\t8\t8\t1\t0\t0\t0\t0\t1\t0\t23\t38\t38\t37\t39\t13\t32\t9\t27\t84\t72\t83\t81\t69\t46\t8\t49\t50\t51\t52\t53\t54\t55\t56", 36), true},
                      StoredCase{"not a number", SettingsState("1\tx\t5\t8\t8\t1\t0\t0\t0\t0\t1\t0" + kKeys, 36), true}));

TEST_F(MainGameFixture, AStateFromBeforeTheSettingsStartsWithTheSwitchesOnAndFullScreen) {
  WriteState("TVXDATA\t1\ttrandle.sav\t21\t4\t900\t120\t7\t0\t0\t1\t1\t1\t2\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0");
  Start();
  const Settings& s = gameState.settings;
  EXPECT_EQ(s.soundOn + s.musicOn + s.fullScreenOn, 3);
  EXPECT_EQ(s.effectsVolume + s.musicVolume, 2 * kFullVolume);
  EXPECT_TRUE(platform.opens.back().fullScreen);
  Run(kLogoMilliseconds + 100);
  Click(500, 400);
  EXPECT_EQ(gameState.progress.currentLevel, 4) << "the save is read as ever";
}

}  // namespace
