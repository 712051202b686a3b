// The editor's verdict: the solver's cheapest track and plan in the words the
// editor shows, on the fifteen levels and on boards made by edits, and the
// same answer as --check-level gives for the level's file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/editor/level_edit.h"
#include "game/editor/level_verdict.h"
#include "game/rules/level_writer.h"
#include "game/rules/state.h"
#include "game/solver/cheapest_iron.h"
#include "game/solver/solution.h"
#include "tests/game/temp_folder.h"
#include "tests/game/text_files.h"

namespace {

constexpr int kForest = 2, kHill = 4;

void Place(LevelLayout& level, ToolChoice tool, std::vector<CellXY> cells) {
  for (CellXY c : cells) ASSERT_TRUE(ApplyEdit(level, tool, c)) << c.x << "," << c.y;
}

// FINISH walled off by three hills down column 11.
LevelLayout Unreachable() {
  LevelLayout level = EmptyLevel();
  Place(level, {EditTool::Scenery, kHill, 0}, {{11, 0}, {11, 3}, {11, 6}});
  return level;
}

LevelLayout Poor(bool withMine) {
  LevelLayout level = EmptyLevel();
  SetStartIron(level, 300);
  if (withMine) {
    Place(level, {EditTool::Mine, 0, 0}, {{5, 0}});
    SetMineReserve(level, 500);
  }
  return level;
}

// A track winding down and up between walls, paid for only by the mine's
// slow payouts: far more work than the time before the train leaves.
LevelLayout Winding() {
  LevelLayout level = EmptyLevel();
  SetStartIron(level, 0);
  for (int x : {2, 4, 6, 8, 10}) {
    const int gapRow = x % 4 == 2 ? 8 : 0;  // the wall's open end, bottom then top
    const int top = gapRow == 0 ? 1 : 0;
    Place(level, {EditTool::Scenery, kHill, 0}, {{x, top}, {x, top + 3}});
    Place(level, {EditTool::Scenery, kForest, 0}, {{x, top + 6}, {x, top + 7}});
  }
  Place(level, {EditTool::Mine, 0, 0}, {{0, 0}});
  SetMineReserve(level, 99999);
  return level;
}

TEST(LevelVerdictTest, TheFifteenLevelsCostWhatTheSolverSays) {
  for (int n = 1; n <= kLevelCount; ++n) {
    SCOPED_TRACE("level " + std::to_string(n));
    const LevelVerdict verdict = JudgeLevel(LevelLayoutOf(n));
    const LevelSolution solved = SolveLevel(n);
    EXPECT_EQ(verdict.iron, CheapestIron(n));
    EXPECT_EQ(verdict.pieces, static_cast<int>(solved.pieces.size()));
    EXPECT_EQ(verdict.winnable, solved.winnable);
    EXPECT_TRUE(verdict.route.found);
    ASSERT_EQ(verdict.route.steps.size(), solved.route.steps.size());
    if (!verdict.winnable) continue;
    const int seconds = solved.plan.arrivalMs / 1000;
    char text[96];
    std::snprintf(text, sizeof text, "Winnable: %zu pieces, %d iron, arrives at %d:%02d", solved.pieces.size(),
                  CheapestIron(n), seconds / 60, seconds % 60);
    EXPECT_EQ(verdict.text, text);
  }
}

struct NoWay {
  const char* name;
  LevelLayout (*make)();
  std::string text;
};

std::vector<NoWay> NoWayBoards() {
  const int cost = JudgeLevel(EmptyLevel()).iron;
  return {
      {"walled off", Unreachable, "No way: FINISH cannot be reached"},
      {"poor, no mine", [] { return Poor(false); },
       "No way: " + std::to_string(cost) + " iron needed, 300 at hand and no mine"},
      {"poor, a small mine", [] { return Poor(true); },
       "No way: " + std::to_string(cost) + " iron needed, 300 at hand and 500 in the mine"},
      {"too much to build", Winding, "No way: the workers cannot finish before the train leaves"},
  };
}

TEST(LevelVerdictTest, EachWayToLoseIsWordedForThePlayer) {
  ASSERT_TRUE(JudgeLevel(EmptyLevel()).winnable) << JudgeLevel(EmptyLevel()).text;
  for (const NoWay& board : NoWayBoards()) {
    const LevelVerdict verdict = JudgeLevel(board.make());
    EXPECT_FALSE(verdict.winnable) << board.name;
    EXPECT_EQ(verdict.text, board.text) << board.name;
  }
}

struct Ran {
  int status;
  std::string out;
};

class CheckLevelAgreesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(folder.empty()); }

  Ran CheckLevel(const LevelLayout& level) {
    WriteTextFile(folder + "/made.level", WriteLevelText(level));
    const std::string command =
        "cd '" + folder + "' && env -u DISPLAY " TARVEX_GAME_EXE " --check-level made.level > out 2> err";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadTextFile(folder + "/out")};
  }

  TempFolder temp{"level_verdict"};
  const std::string& folder = temp.Path();
};

// The program's sentence for what the editor shows as numbers.
void ExpectAgrees(const Ran& ran, const LevelVerdict& verdict) {
  EXPECT_EQ(ran.status == 0, verdict.winnable) << ran.out;
  const std::string track =
      "Cheapest track: " + std::to_string(verdict.iron) + " iron, " + std::to_string(verdict.pieces) + " pieces";
  EXPECT_EQ(ran.out.find(track) != std::string::npos, verdict.route.found) << ran.out;
  if (!verdict.winnable) return;
  char arrival[48];
  std::snprintf(arrival, sizeof arrival, "the train arrives at %.1f s", verdict.arrivalMs / 1000.0);
  EXPECT_NE(ran.out.find(arrival), std::string::npos) << ran.out;
}

TEST_F(CheckLevelAgreesTest, OnEveryLevelTheseTestsMake) {
  std::vector<std::pair<std::string, LevelLayout>> levels = {{"empty", EmptyLevel()}};
  for (const NoWay& board : NoWayBoards()) levels.push_back({board.name, board.make()});
  for (int n = 1; n <= kLevelCount; ++n) levels.push_back({"level " + std::to_string(n), LevelLayoutOf(n)});
  for (const auto& [name, level] : levels) {
    SCOPED_TRACE(name);
    ExpectAgrees(CheckLevel(level), JudgeLevel(level));
  }
}

}  // namespace
