// The whole game by keyboard and by gamepad, through the host's input path:
// each key reaches the same handler a click does, the focus starts where each
// screen says, the board cursor moves cell by cell, and a fake pad plugged in
// through the platform seam presses the same keys.
#include <vector>

#include "game/rules/board.h"
#include "game/rules/economy.h"
#include "game/screens/gui.h"
#include "game/session/gamepad_keys.h"
#include "tests/game/main_game_fixture.h"

namespace {

// GLFW's key codes.
constexpr int kEnter = 257, kSpace = 32, kTab = 258, kBackspace = 259, kDelete = 261;
constexpr int kRight = 262, kLeft = 263, kDown = 264, kUp = 265;
constexpr int kKeyE = 69, kKeyQ = 81, kKeyT = 84, kKeyA = 65;

class Keys : public MainGameFixture {
 protected:
  // The logo, Enter on the title and on "new game" (where the focus starts
  // while nothing is won).
  void ToMapByKeys() {
    PassLogo();
    Key(kEnter);
    Key(kEnter);
  }
  // The first level by keys, its tutorial read by Enter.
  void PlayFirstLevelByKeys() {
    ToMapByKeys();
    Key(kEnter);
    for (int i = 0; i < 12 && Played().flags.tutorialShowing == 1; ++i) Key(kEnter);
  }
  void LayTrack() {
    c_cLevel* level = Played().board;
    for (int x = level->startX; x <= level->finishX; ++x) level->SetCellKind(x, level->startY, PieceStraightWE);
    ASSERT_EQ(level->startY, level->finishY) << "the first level's finish is on the start's row";
  }
  void Cursor(int x, int y) {
    EXPECT_EQ(app->cursorX, x);
    EXPECT_EQ(app->cursorY, y);
  }
};

TEST_F(Keys, OnlyEnterOrSpaceContinueFromTheTitle) {
  Start();
  PassLogo();
  for (int key : {kRight, kTab, kUp, kKeyA, kKeyT, kDelete, kGlfwEscape}) {
    Key(key);
    ASSERT_EQ(app->screen, ScreenTitle) << "key " << key;
  }
  Key(kSpace);
  EXPECT_EQ(app->screen, ScreenMenu);
}

// The grid shows while the keys walk the cursor over the board or a piece is
// in hand, and goes when the pointer takes over with nothing in hand.
TEST_F(Keys, TheGridFollowsTheCursorAndThePieceInHand) {
  Start();
  PlayFirstLevelByKeys();
  ASSERT_EQ(app->screen, ScreenPlaying);
  EXPECT_TRUE(app->BoardGridShown()) << "the keys' cursor starts on START";
  platform.cursorX = 500;
  platform.cursorY = 10;
  game->OnMousePosition(500, 10);
  Update();
  EXPECT_FALSE(app->BoardGridShown()) << "the pointer has the focus, nothing in hand";
  Key('1');
  EXPECT_TRUE(app->BoardGridShown()) << "a piece in hand";
  Key(kBackspace);
  EXPECT_FALSE(app->BoardGridShown()) << "the piece put down";
}

// With nothing won yet the menu's focus starts on "new game" (continue would
// only begin one too), and moves round its nine signs (after quit the middle
// column from the top: Editor, Levels, Settings, the full-screen switch).
struct MenuCase {
  std::vector<int> keys;  // before Enter
  int screen;
  bool goldKept;  // continue keeps the game; a new game starts from nothing
  int music;
  bool fullScreenToggled;
};

class MenuKeys : public Keys, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(MenuKeys, EnterPressesTheFocusedSign) {
  const MenuCase& c = GetParam();
  Start();
  PassLogo();
  Key(kEnter);
  ASSERT_EQ(app->screen, ScreenMenu);
  gameState.progress.totalGold = 777;
  const int music = gameState.settings.musicOn;
  const bool fullScreen = platform.opens.back().fullScreen;
  for (int k : c.keys) Key(k);
  Key(kEnter);
  EXPECT_EQ(app->screen, c.screen);
  EXPECT_EQ(gameState.progress.totalGold == 777, c.goldKept);
  EXPECT_EQ(gameState.settings.musicOn, c.music == 0 ? music : 1 - music);
  EXPECT_EQ(platform.opens.back().fullScreen != fullScreen, c.fullScreenToggled);
}

INSTANTIATE_TEST_SUITE_P(Signs, MenuKeys,
                         ::testing::Values(MenuCase{{}, ScreenScenarioMap, false, 0, false},
                                           MenuCase{{kUp}, ScreenScenarioMap, true, 0, false},
                                           MenuCase{{kDown}, ScreenMenu, true, 1, false},
                                           MenuCase{{kDown, kDown, kUp, kUp}, ScreenScenarioMap, false, 0, false},
                                           MenuCase{{kUp, kUp}, ScreenMenu, true, 0, true},
                                           // quit, then the middle column from the top
                                           MenuCase{{kDown, kDown, kDown, kDown}, ScreenEditor, true, 0, false},
                                           MenuCase{{kTab, kTab, kTab, kTab, kTab, kTab, kTab, kTab, kTab},
                                                    ScreenScenarioMap, false, 0, false}));

TEST_F(Keys, AMovedPointerTakesTheFocusAndAKeyPressActsOnWhatItPointsAt) {
  Start();
  PassLogo();
  Key(kEnter);
  gameState.progress.totalGold = 777;
  // Over "new game", not clicked: Enter presses what is highlighted.
  platform.cursorX = 800, platform.cursorY = 340;
  game->OnMousePosition(800, 340);
  Update();
  Key(kEnter);
  EXPECT_EQ(app->screen, ScreenScenarioMap);
  EXPECT_EQ(gameState.progress.totalGold, 0);
  Key(kGlfwEscape);
  ASSERT_EQ(app->screen, ScreenMenu);
  // Over no sign: the first Enter shows the keys' focus, the second presses it.
  game->OnMousePosition(100, 100);
  Update();
  EXPECT_FALSE(app->keysFocus);
  Key(kEnter);
  EXPECT_EQ(app->screen, ScreenMenu);
  EXPECT_TRUE(app->keysFocus);
  Key(kEnter);
  EXPECT_EQ(app->screen, ScreenScenarioMap);
}

TEST_F(Keys, LeftAndRightSelectTheLevelsThatAreNotLockedAndTheFocusPressesStartOrTheShop) {
  Start();
  ToMapByKeys();
  ASSERT_EQ(app->screen, ScreenScenarioMap);
  // Two levels done, the third locked, the fourth done, the fifth to play.
  const int states[] = {LevelDone, LevelDone, LevelLocked, LevelDone, LevelAvailable};
  for (int i = 0; i < 5; ++i) levelStates[i] = states[i];
  app->scenarioMap->selectedLevel = 4;
  gameState.progress.totalGold = 1000;
  const int workers = gameState.progress.ownedWorkers;
  struct Step {
    int key, selected;
  };
  for (const Step& s : {Step{kLeft, 3}, Step{kLeft, 1}, Step{kLeft, 0}, Step{kLeft, 0}, Step{kRight, 1},
                        Step{kRight, 3}, Step{kRight, 4}, Step{kRight, 4}}) {
    Key(s.key);
    ASSERT_EQ(app->scenarioMap->selectedLevel, s.selected) << "after key " << s.key;
  }
  // Down to the shop, Enter buys; Tab on past the daily line and the
  // custom levels' corner back to Start, Space starts the level.
  Key(kDown);
  Key(kEnter);
  EXPECT_EQ(gameState.progress.ownedWorkers, workers + 1);
  EXPECT_EQ(gameState.progress.totalGold, 500);
  Key(kTab);
  Key(kTab);
  Key(kTab);
  Key(kSpace);
  EXPECT_EQ(app->screen, ScreenPlaying);
}

TEST_F(Keys, ADoneLevelIsPlayedAgainFromStartAndEscapeLeavesForTheMenu) {
  Start();
  ToMapByKeys();
  Key(kGlfwEscape);
  EXPECT_EQ(app->screen, ScreenMenu);
  Key(kEnter);  // "new game" again
  ASSERT_EQ(app->screen, ScreenScenarioMap);
  levelStates[0] = LevelDone;
  levelStates[1] = LevelAvailable;
  gameState.progress.currentLevel = 2;
  app->scenarioMap->selectedLevel = 0;
  Key(kEnter);  // Start, on the level done
  EXPECT_EQ(app->screen, ScreenPlaying);
  EXPECT_EQ(Played().run.levelNumber, 1);
  EXPECT_EQ(gameState.progress.currentLevel, 2);
}

TEST_F(Keys, OnlyEnterSpaceOrRightTurnATutorialPage) {
  Start();
  ToMapByKeys();
  Key(kEnter);
  ASSERT_EQ(Played().flags.tutorialShowing, 1);
  const int page = Played().flags.tutorialPage;
  for (int key : {kLeft, kUp, kDown, kTab, kKeyT, kKeyE, kDelete, kGlfwDigit1}) {
    Key(key);
    ASSERT_EQ(Played().flags.tutorialPage, page) << "key " << key;
    ASSERT_EQ(Played().flags.gamePaused, 1);
    ASSERT_EQ(Played().run.selectedPiece, -1);
    ASSERT_EQ(Played().run.departNow, 0);
  }
  int turned = page;
  for (int key : {kEnter, kSpace, kRight}) {
    Key(key);
    EXPECT_EQ(Played().flags.tutorialPage, ++turned) << "key " << key;
  }
  // Escape closes the rest of the run of pages, and play goes on.
  Key(kGlfwEscape);
  EXPECT_EQ(Played().flags.tutorialShowing, 0);
  EXPECT_EQ(Played().flags.gamePaused, 0);
}

TEST_F(Keys, TheCursorStartsOnStartAndMovesOneCellAKeyWithinTheBoard) {
  Start();
  PlayFirstLevelByKeys();
  ASSERT_EQ(Played().flags.tutorialShowing, 0);
  const int sx = Played().board->startX, sy = Played().board->startY;
  Cursor(sx, sy);
  struct Move {
    int key, times, x, y;
  };
  for (const Move& m : {Move{kRight, 2, sx + 2, sy}, Move{kUp, 20, sx + 2, 0}, Move{kLeft, 20, 0, 0},
                        Move{kDown, 20, 0, kRows - 1}, Move{kRight, 20, kColumns - 1, kRows - 1}}) {
    for (int i = 0; i < m.times; ++i) Key(m.key);
    Cursor(m.x, m.y);
  }
  // A restart from the pause panel puts it back on START (and the level's
  // pages, read once, stay away).
  Key(kGlfwEscape);
  Key(kDown);
  Key(kEnter);
  Update();
  EXPECT_EQ(Played().flags.tutorialShowing, 0);
  Cursor(sx, sy);
}

TEST_F(Keys, EnterOrdersTheSelectedPieceOnTheCursorsCellAsAClickThere) {
  Start();
  PlayFirstLevelByKeys();
  const int x = Played().board->startX + 1, y = Played().board->startY;
  const int iron = Played().run.iron;
  Key(kGlfwDigit1);
  Key(kRight);
  Key(kEnter);
  EXPECT_EQ(Played().board->CellKind(x, y), CellBlocked);
  EXPECT_EQ(Played().run.iron, iron - PieceCost(PieceStraightWE));
  // Space on the next cell, a curve chosen with E.
  Key(kKeyE);
  Key(kKeyE);
  Key(kRight);
  Key(kSpace);
  EXPECT_EQ(Played().board->CellKind(x + 1, y), CellBlocked);
  EXPECT_EQ(Played().run.iron, iron - PieceCost(PieceStraightWE) - PieceCost(PieceCurveES));
}

struct SlotCase {
  int selected, key, after;
};
class SlotKeys : public Keys, public ::testing::WithParamInterface<SlotCase> {};

TEST_P(SlotKeys, QAndEStepRoundThePaletteAndDeleteOrBackspaceDrop) {
  Start();
  PlayFirstLevelByKeys();
  Played().run.selectedPiece = GetParam().selected;
  Key(GetParam().key);
  EXPECT_EQ(Played().run.selectedPiece, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Palette, SlotKeys,
                         ::testing::Values(SlotCase{-1, kKeyE, 0}, SlotCase{-1, kKeyQ, 7}, SlotCase{3, kKeyE, 4},
                                           SlotCase{3, kKeyQ, 2}, SlotCase{7, kKeyE, 0}, SlotCase{0, kKeyQ, 7},
                                           SlotCase{3, kDelete, -1}, SlotCase{3, kBackspace, -1},
                                           SlotCase{-1, kGlfwDigit1 + 4, 4}));

// The result panels and the pause panel: where the focus starts and what
// Enter then does, after the keys given.
enum class Panel { Won, Failed, Pause };
struct PanelCase {
  Panel panel;
  std::vector<int> keys;
  int screen;
  int level;      // the current level after (a win counts on arrival)
  bool replayed;  // the level started again: no result, and no page (a retry)
};
class PanelKeys : public Keys, public ::testing::WithParamInterface<PanelCase> {};

TEST_P(PanelKeys, TheFocusStartsOnTheFirstChoiceAndTheArrowsMoveIt) {
  const PanelCase& c = GetParam();
  Start();
  PlayFirstLevelByKeys();
  if (c.panel == Panel::Won) {
    LayTrack();
    Key(kKeyT);
    RunUntil(Played().run.trainArrived);
  } else if (c.panel == Panel::Failed) {
    Key(kKeyT);
    RunUntil(Played().run.trainCrashed);
  } else {
    Key(kGlfwEscape);
  }
  for (int k : c.keys) Key(k);
  Key(kEnter);
  Update();
  EXPECT_EQ(app->screen, c.screen);
  EXPECT_EQ(gameState.progress.currentLevel, c.level);
  if (c.screen == ScreenPlaying) {
    EXPECT_EQ(Played().flags.gamePaused, 0);
    EXPECT_EQ(Played().flags.tutorialShowing, 0);
  }
  if (c.replayed) {
    EXPECT_EQ(Played().run.trainArrived + Played().run.trainCrashed, 0);
    EXPECT_EQ(Played().run.departNow + Played().run.trainRunning, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Panels, PanelKeys,
    ::testing::Values(PanelCase{Panel::Won, {}, ScreenScenarioMap, 2, false},
                      PanelCase{Panel::Won, {kLeft}, ScreenPlaying, 2, true},
                      PanelCase{Panel::Won, {kTab, kTab}, ScreenPlaying, 2, true},
                      PanelCase{Panel::Won, {kUp, kUp}, ScreenMenu, 2, false},
                      PanelCase{Panel::Failed, {}, ScreenPlaying, 1, true},
                      PanelCase{Panel::Failed, {kRight}, ScreenMenu, 1, false},
                      PanelCase{Panel::Pause, {}, ScreenPlaying, 1, false},
                      PanelCase{Panel::Pause, {kDown}, ScreenPlaying, 1, true},
                      PanelCase{Panel::Pause, {kUp, kUp}, ScreenMenu, 1, false}));

TEST_F(Keys, TSendsTheTrainOffAsTheTimeButtonDoes) {
  Start();
  PlayFirstLevelByKeys();
  Key(kKeyT);
  EXPECT_EQ(Played().run.departNow + Played().run.trainRunning, 1);
}

// ---- The gamepad, through the platform seam ----------------------------------

class Pad : public Keys {
 protected:
  void Hold(std::initializer_list<GamepadButton> buttons, float stickX = 0, int port = 1) {
    GamepadState pad;
    for (GamepadButton b : buttons) pad.buttons[b] = true;
    pad.axes[PadLeftX] = stickX;
    platform.gamepads[port] = pad;
    Update();
  }
  void Tap(GamepadButton button) {
    Hold({button});
    Hold({});
  }
};

TEST_F(Pad, APadPluggedInWhilePlayingIsReadAndAButtonHeldAsItArrivesIsNoPress) {
  Start();
  PassLogo();
  Update();
  Hold({PadA});  // plugged in with A down
  Hold({PadA});
  EXPECT_EQ(app->screen, ScreenTitle);
  Hold({});
  Hold({PadA});
  EXPECT_EQ(app->screen, ScreenMenu);
  Tap(PadDpadDown);
  Tap(PadDpadUp);
  Tap(PadA);  // "new game", where the focus starts with nothing won
  EXPECT_EQ(app->screen, ScreenScenarioMap);
  Tap(PadB);
  EXPECT_EQ(app->screen, ScreenMenu);
}

TEST_F(Pad, AHeldDirectionRepeatsAfterADelayAndStopsWhenThePadIsPulledOut) {
  Start();
  PlayFirstLevelByKeys();
  const int sx = Played().board->startX, sy = Played().board->startY;
  Hold({});
  // The stick leant right for 16 updates: once at once, then after 9
  // updates and every 3 after.
  const int held = 16;
  for (int i = 0; i < held; ++i) Hold({}, 0.8f);
  const int moves = 1 + (held - 1 - kPadRepeatDelayUpdates) / kPadRepeatEveryUpdates + 1;
  ASSERT_LT(sx + moves, kColumns);
  Cursor(sx + moves, sy);
  platform.gamepads.clear();
  Run(1000);
  Cursor(sx + moves, sy);
  // Back in, still leaning: no move until it is let go and leant again.
  Hold({}, 0.8f);
  Hold({}, 0.8f);
  Cursor(sx + moves, sy);
  Hold({});
  Hold({}, -0.9f);
  Cursor(sx + moves - 1, sy);
}

struct PadCase {
  GamepadButton button;
  int selectedAfter;
  int paused;
  int sent;
};
class PadButtons : public Pad, public ::testing::WithParamInterface<PadCase> {};

TEST_P(PadButtons, EachButtonDoesWhatItsKeyDoesOnTheBoard) {
  const PadCase& c = GetParam();
  Start();
  PlayFirstLevelByKeys();
  Played().run.selectedPiece = 3;
  Hold({});
  Tap(c.button);
  EXPECT_EQ(Played().run.selectedPiece, c.selectedAfter);
  EXPECT_EQ(Played().flags.gamePaused, c.paused);
  EXPECT_EQ(Played().run.departNow + Played().run.trainRunning, c.sent);
}

INSTANTIATE_TEST_SUITE_P(Board, PadButtons,
                         ::testing::Values(PadCase{PadLeftBumper, 2, 0, 0}, PadCase{PadRightBumper, 4, 0, 0},
                                           PadCase{PadB, -1, 0, 0}, PadCase{PadX, 3, 0, 1},
                                           PadCase{PadStart, 3, 1, 0}, PadCase{PadY, 3, 0, 0}));

TEST_F(Pad, BClosesThePausePanelAndAPressesItsFocusedButton) {
  Start();
  PlayFirstLevelByKeys();
  Hold({});
  Tap(PadStart);
  ASSERT_EQ(Played().flags.gamePaused, 1);
  Tap(PadB);
  EXPECT_EQ(Played().flags.gamePaused, 0);
  Tap(PadStart);
  Tap(PadDpadUp);  // round to Settings, then "quit"
  Tap(PadDpadUp);
  Tap(PadA);
  EXPECT_EQ(app->screen, ScreenMenu);
}

}  // namespace
