// The editor's edits: what each tool lays down or refuses, and that every
// layout the edits make is one the level reader reads back the same.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "game/editor/level_edit.h"
#include "game/rules/board.h"
#include "game/rules/layout_equal.h"
#include "game/rules/level_reader.h"
#include "game/rules/level_writer.h"

namespace {

constexpr int kPond = 0, kMountain = 1, kForest = 2, kHill = 4;

ToolChoice Scenery(int kind) { return {EditTool::Scenery, kind, 0}; }
ToolChoice Tool(EditTool tool, int side = 0) { return {tool, 0, side}; }

// The file the layout would be saved as reads back to the very layout.
::testing::AssertionResult ReadsBack(const LevelLayout& level) {
  LevelLayout back;
  std::string error;
  const std::string text = WriteLevelText(level);
  if (!ReadLevelText(text, "edited.level", back, error)) return ::testing::AssertionFailure() << error << "\n" << text;
  if (back != level) return ::testing::AssertionFailure() << "read back differs:\n" << text;
  return ::testing::AssertionSuccess();
}

struct Step {
  ToolChoice tool;
  CellXY at;
  const char* why;  // "" when the edit is made
};

struct Sequence {
  const char* name;
  std::vector<Step> steps;
  const char* boardAfter;  // the board rows at the end
};

const Sequence kSequences[] = {
    {"scenery lies on free cells only, and whole on the board",
     {{Scenery(kMountain), {3, 2}, ""},
      {Tool(EditTool::Stones), {4, 3}, "over the mountain"},
      {Scenery(kHill), {12, 7}, "off the board"},
      {Scenery(kHill), {12, 2}, "over FINISH"},
      {Scenery(kHill), {12, 0}, ""},
      {Scenery(kPond), {0, 4}, "over START"},
      {Tool(EditTool::Gold), {5, 2}, ""},
      {Scenery(kForest), {5, 2}, "over gold"},
      {Tool(EditTool::Stones), {5, 3}, ""},
      {Tool(EditTool::Stones), {5, 3}, "over stones"}},
     "............n\n"
     "............n\n"
     "...^^$......n\n"
     "...^^o.......\n"},
    {"START stays in the left column; START and FINISH move",
     {{Tool(EditTool::Start), {3, 1}, "START lies in the left column"},
      {Tool(EditTool::Start), {0, 8}, ""},
      {Tool(EditTool::Finish), {0, 8}, "over START"},
      {Tool(EditTool::Finish), {6, 0}, ""},
      {Tool(EditTool::Eraser), {6, 0}, "FINISH stays; move it"},
      {Tool(EditTool::Eraser), {4, 4}, "nothing to erase"}},
     "......F......\n"},
    {"the mine is 2x2, on the board, and moves over itself",
     {{Tool(EditTool::Mine), {12, 3}, "off the board"},
      {Tool(EditTool::Mine), {11, 3}, "over FINISH"},
      {Tool(EditTool::Mine), {1, 0}, ""},
      {Tool(EditTool::Mine), {2, 0}, ""},
      {Tool(EditTool::Stones), {2, 1}, "over the mine"}},
     "..MM.........\n"
     "..MM.........\n"},
    {"a tunnel end alone lays its other end; each end then moves alone",
     {{Tool(EditTool::TunnelEntry, SideNorth), {4, 4}, ""},
      {Tool(EditTool::TunnelExit, SideSouth), {4, 4}, "over the tunnel entry"},
      {Tool(EditTool::TunnelExit, SideSouth), {8, 0}, ""},
      {Tool(EditTool::TunnelEntry, SideWest), {2, 0}, ""}},
     "..T.....T....\n"},
};

TEST(LevelEditTest, SequencesOfEditsPlaceWhatFitsRefuseTheRestAndReadBack) {
  for (const Sequence& sequence : kSequences) {
    SCOPED_TRACE(sequence.name);
    LevelLayout level = EmptyLevel();
    for (const Step& step : sequence.steps) {
      const LevelLayout before = level;
      const EditPreview preview = PreviewEdit(level, step.tool, step.at);
      EXPECT_EQ(preview.why, step.why) << step.at.x << "," << step.at.y;
      EXPECT_EQ(ApplyEdit(level, step.tool, step.at), preview.fits);
      if (!preview.fits) {
        EXPECT_TRUE(level == before) << "a refused edit changed the level";
      }
      EXPECT_TRUE(ReadsBack(level));
    }
    EXPECT_EQ(LevelBoardRows(level).compare(0, std::string(sequence.boardAfter).size(), sequence.boardAfter), 0)
        << LevelBoardRows(level);
  }
}

TEST(LevelEditTest, ANewTunnelsOtherEndFacesOnAndTheEraserTakesThePair) {
  LevelLayout level = EmptyLevel();
  ASSERT_TRUE(ApplyEdit(level, Tool(EditTool::TunnelEntry, SideWest), {3, 3}));
  ASSERT_TRUE(level.hasTunnels);
  // The exit at the first free cell from the right: 12,0, facing east.
  EXPECT_TRUE((TunnelPair{SideWest, 3, 3, SideEast, 12, 0} == level.tunnels));
  EXPECT_EQ(PreviewEdit(level, Tool(EditTool::Eraser), {12, 0}).cells.size(), 2u);
  ASSERT_TRUE(EraseAt(level, {12, 0}));
  EXPECT_TRUE(level == EmptyLevel());

  ASSERT_TRUE(ApplyEdit(level, Tool(EditTool::TunnelExit, SideSouth), {0, 0}));
  // The entry from the left, passing over the exit just placed.
  EXPECT_TRUE((TunnelPair{SideWest, 0, 1, SideSouth, 0, 0} == level.tunnels));
  EXPECT_TRUE(ReadsBack(level));
}

TEST(LevelEditTest, TheEraserTakesWholeFootprintsAndTheMineAsIfNeverPlaced) {
  LevelLayout level = EmptyLevel();
  ASSERT_TRUE(ApplyEdit(level, Scenery(kHill), {6, 2}));
  ASSERT_TRUE(ApplyEdit(level, Tool(EditTool::Mine), {8, 6}));
  SetMineReserve(level, 777);
  const EditPreview hill = PreviewEdit(level, Tool(EditTool::Eraser), {6, 4});
  EXPECT_TRUE(hill.fits);
  EXPECT_EQ(hill.cells.size(), 3u);
  ASSERT_TRUE(ApplyEdit(level, Tool(EditTool::Eraser), {6, 4}));
  ASSERT_TRUE(EraseAt(level, {9, 7}));
  EXPECT_FALSE(EraseAt(level, {9, 7}));
  EXPECT_TRUE(level == EmptyLevel()) << WriteLevelText(level);
  // A mine placed again starts from the default reserve.
  ASSERT_TRUE(ApplyEdit(level, Tool(EditTool::Mine), {8, 6}));
  EXPECT_EQ(level.mineReserve, kDefaultMineReserve);
}

TEST(LevelEditTest, PoolsRefuseOneMoreThanABoardHolds) {
  struct Pool {
    ToolChoice tool;
    int most;
    const char* why;
  };
  for (const Pool& pool : {Pool{Tool(EditTool::Stones), kBlockTilePoolSize, "at most 40 stones"},
                           Pool{Tool(EditTool::Gold), kGoldPoolSize, "at most 50 gold nuggets"},
                           Pool{Scenery(kPond), kBuildingPoolSize, "at most 50 pieces of scenery"}}) {
    LevelLayout level = EmptyLevel();
    int placed = 0;
    for (int i = 0; i < kCellCount && placed < pool.most; ++i) placed += ApplyEdit(level, pool.tool, {i % 13, i / 13});
    ASSERT_EQ(placed, pool.most);
    EXPECT_TRUE(ReadsBack(level));
    EXPECT_EQ(PreviewEdit(level, pool.tool, {12, 8}).why, pool.why);
  }
}

TEST(LevelEditTest, ThePanelsNumbersAndNameAreKeptWithinWhatAFileHolds) {
  LevelLayout level = EmptyLevel();
  struct Case {
    int iron, reserve, bandits, raiders;
    int ironKept, reserveKept, banditsKept, raidersKept;
    EventSetup events;
  };
  ASSERT_TRUE(ApplyEdit(level, Tool(EditTool::Mine), {4, 0}));
  for (const Case& c : {Case{-5, 0, -1, 0, 0, 1, 0, 0, EventsCleared}, Case{100000, 123456, 9, 2, 99999, 99999, 3, 2, EventsConfigured},
                        Case{1850, 2500, 0, 1, 1850, 2500, 0, 1, EventsConfigured}}) {
    SetStartIron(level, c.iron);
    SetMineReserve(level, c.reserve);
    SetEvents(level, c.bandits, c.raiders);
    EXPECT_EQ(level.iron, c.ironKept);
    EXPECT_EQ(level.mineReserve, c.reserveKept);
    EXPECT_EQ(level.banditsKind, c.banditsKept);
    EXPECT_EQ(level.indigensKind, c.raidersKept);
    EXPECT_EQ(level.events, c.events);
    EXPECT_TRUE(ReadsBack(level));
  }
  struct Name {
    std::string typed, kept;
  };
  for (const Name& n : {Name{"  Dry Gulch  ", "Dry Gulch"}, Name{"Caf\xC3\xA9\tdu\nrail", "Cafdurail"},
                        Name{std::string(100, 'x'), std::string(32, 'x')}, Name{"   ", kNewLevelName},
                        Name{std::string(31, 'a') + "  b", std::string(31, 'a')}}) {
    SetLevelName(level, n.typed);
    EXPECT_EQ(level.name, n.kept);
    EXPECT_TRUE(ReadsBack(level));
  }
  // Without a mine there is no reserve to set.
  ASSERT_TRUE(EraseAt(level, {4, 0}));
  SetMineReserve(level, 300);
  EXPECT_EQ(level.mineReserve, 0);
}

TEST(LevelEditTest, ThePaletteHoldsEveryChoiceOnceUnderItsOwnName) {
  std::set<std::string> names;
  int kinds = 0, ends = 0;
  for (const ToolChoice& tool : ToolPalette()) {
    EXPECT_TRUE(names.insert(ToolName(tool)).second) << ToolName(tool);
    kinds += tool.tool == EditTool::Scenery;
    ends += tool.tool == EditTool::TunnelEntry || tool.tool == EditTool::TunnelExit;
  }
  EXPECT_EQ(kinds, kBuildingKindCount);
  EXPECT_EQ(ends, 8);
  EXPECT_EQ(ToolName(Scenery(kForest)), "Forest");
  EXPECT_EQ(ToolName(Tool(EditTool::TunnelEntry, SideWest)), "Tunnel entry, west");
  EXPECT_EQ(ToolPalette().size(), names.size());
  EXPECT_EQ(ToolPalette().back().tool, EditTool::Eraser);
}

TEST(LevelEditTest, TheFifteenLevelsAreCopiedWithoutTheirTutorialAndEditAsAnyOther) {
  for (int n = 1; n <= 15; ++n) {
    LevelLayout copy = StartingCopy(n);
    EXPECT_EQ(copy.firstTutorialPage, kNoTutorial) << n;
    EXPECT_EQ(copy.name, LevelLayoutOf(n).name);
    // Every cell of the board erased, then START moved: all of it reads back.
    for (int i = 0; i < kCellCount; ++i) EraseAt(copy, {i % kColumns, i / kColumns});
    EXPECT_TRUE(copy.scenery.empty() && copy.stones.empty() && copy.gold.empty() && !copy.hasMine &&
                !copy.hasTunnels)
        << n;
    EXPECT_TRUE(ApplyEdit(copy, Tool(EditTool::Start), {0, n % kRows}) || copy.start.y == n % kRows);
    EXPECT_TRUE(ReadsBack(copy)) << n;
  }
}

// Thousands of clicks of every tool at random cells, the eraser among them:
// after each, a refused click changed nothing, a made one changed what its
// preview said, and the level reads back from its file.
TEST(LevelEditTest, AThousandsOfRandomEditsAllReadBack) {
  std::mt19937 random(30);
  const std::vector<ToolChoice>& palette = ToolPalette();
  LevelLayout level = EmptyLevel();
  int made = 0, refused = 0;
  for (int i = 0; i < 4000; ++i) {
    // One click in three erases, so the board neither fills nor empties.
    const ToolChoice tool = random() % 3 == 0 ? Tool(EditTool::Eraser) : palette[random() % palette.size()];
    // A few clicks fall just off the board.
    const CellXY at{static_cast<int>(random() % (kColumns + 1)) - (i % 50 == 0 ? 1 : 0),
                    static_cast<int>(random() % (kRows + 1))};
    const LevelLayout before = level;
    const EditPreview preview = PreviewEdit(level, tool, at);
    const bool applied = ApplyEdit(level, tool, at);
    ASSERT_EQ(applied, preview.fits) << i;
    if (applied) {
      ++made;
      for (CellXY c : preview.cells) EXPECT_TRUE(OnBoard(c.x, c.y));
    } else {
      ++refused;
      EXPECT_FALSE(preview.why.empty()) << i;
      ASSERT_TRUE(level == before) << i;
    }
    ASSERT_TRUE(ReadsBack(level)) << "after edit " << i << ": " << ToolName(tool) << " at " << at.x << "," << at.y;
  }
  EXPECT_GT(made, 1200);
  EXPECT_GT(refused, 1000);
}

}  // namespace
