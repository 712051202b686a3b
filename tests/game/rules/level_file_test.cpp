// Level files: every fault the reader refuses, with the line and column it
// names; the fifteen files written back byte for byte; placements that sit
// side by side read back as placed; and the program's levels taken from a
// data folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "game/rules/layout_equal.h"
#include "game/rules/level_reader.h"
#include "game/rules/level_table.h"
#include "game/rules/level_writer.h"
#include "game/rules/state.h"
#include "tests/game/text_files.h"

namespace {

std::string LevelPath(int n) { return std::string(TARVEX_DATA_DIR) + "/levels/" + LevelFileName(n); }

// A small level with one of everything; line numbers in the comments.
const std::vector<std::string> kGoodLines = {
    "rails-against-time level 1",  // 1
    "name Test Junction",          // 2
    "start 0,4",                   // 3
    "finish 12,4",                 // 4
    "iron 900",                    // 5
    "mine 10,0 reserve 2000",      // 6
    "tunnels 4,2 W 8,2 E",         // 7
    "events bandits 1 raiders 2",  // 8
    "tutorial none",               // 9
    "board",                       // 10
    "..........MM.",               // 11, row 0
    "^^........MM.",               // 12
    "^^..T...T....",               // 13
    "..n..o....$..",               // 14
    "S.n.ww......F",               // 15
    "..n..WW.YY...",               // 16
    ".....WW..$...",               // 17
    ".............",               // 18
    "...........o.",               // 19, row 8
};

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\n";
  return text;
}

// The good level with line `number` (from 1) replaced; an empty replacement
// drops the line.
std::string WithLine(int number, const std::string& replacement) {
  std::vector<std::string> lines = kGoodLines;
  if (replacement.empty()) {
    lines.erase(lines.begin() + (number - 1));
  } else {
    lines[static_cast<std::size_t>(number - 1)] = replacement;
  }
  return Join(lines);
}

TEST(LevelFile, TheGoodLevelReadsAsDrawn) {
  LevelLayout l;
  std::string error;
  ASSERT_TRUE(ReadLevelText(Join(kGoodLines), "good.level", l, error)) << error;
  EXPECT_EQ(l.name, "Test Junction");
  EXPECT_TRUE(l.hasMine && l.mine == (CellXY{10, 0}) && l.mineReserve == 2000);
  EXPECT_TRUE(l.hasTunnels && l.tunnels == (TunnelPair{SideWest, 4, 2, SideEast, 8, 2}));
  EXPECT_EQ(l.events, EventsConfigured);
  EXPECT_EQ(l.banditsKind * 10 + l.indigensKind, 12);
  EXPECT_EQ(l.firstTutorialPage, kNoTutorial);
  // Sorted by kind, then column, then row: pond, mountain, forest, large pond, hill.
  const std::vector<SceneryPlacement> scenery = {{0, 4, 4}, {0, 5, 4}, {1, 0, 1}, {2, 8, 5},
                                                 {2, 9, 5}, {3, 5, 5}, {4, 2, 3}};
  EXPECT_TRUE(l.scenery == scenery);
  EXPECT_TRUE(l.stones == (std::vector<CellXY>{{5, 3}, {11, 8}}));
  EXPECT_TRUE(l.gold == (std::vector<CellXY>{{9, 6}, {10, 3}}));
  EXPECT_EQ(WriteLevelText(l).substr(0, 27), "rails-against-time level 1\n");
}

// 41 stones, one more than a board's pool holds.
const std::string kQuarry =
    "rails-against-time level 1\nname Quarry\nstart 0,0\nfinish 12,8\niron 0\nmine none\ntunnels none\n"
    "events none\ntutorial none\nboard\nSoooooooooooo\nooooooooooooo\nooooooooooooo\nooo..........\n"
    ".............\n.............\n.............\n.............\n............F\n";

struct Fault {
  const char* what;
  std::string text;
  int line, column;
  const char* message;  // a part of the error line
};

const Fault kFaults[] = {
    {"unknown key", WithLine(5, "irn 900"), 5, 1, "unknown key \"irn\""},
    {"unknown letter", WithLine(15, "S.n.ww...q..F"), 15, 10, "unknown letter 'q'"},
    {"a letter that does not print", WithLine(15, "S.n.ww...\t..F"), 15, 10, "unknown letter 0x09"},
    {"footprint cut short", WithLine(12, "^.........MM."), 12, 2, "a footprint cut short: the mountain"},
    {"a hill cut short", WithLine(16, ".....WW.YY..."), 16, 3, "a footprint cut short: the hill"},
    {"footprint off the board", WithLine(19, "...........on"), 19, 13, "runs off the board"},
    {"overlapping footprints",
     Join({kGoodLines.begin(), kGoodLines.begin() + 10}) + ".^^.......MM.\n^^^.......MM.\n^^..T...T....\n" +
         Join({kGoodLines.begin() + 13, kGoodLines.end()}),
     12, 2, "overlapping footprints"},
    {"two starts", WithLine(18, "S............"), 18, 1, "two starts"},
    {"no finish", WithLine(15, "S.n.ww......."), 15, 13, "no finish"},
    {"start elsewhere than its line says", WithLine(3, "start 0,7"), 15, 1, "'S' at 0,4, but the \"start\" line"},
    {"iron out of range", WithLine(5, "iron 100000"), 5, 6, "iron 100000 is out of range 0..99999"},
    {"a column off the board", WithLine(4, "finish 13,4"), 4, 8, "column 13 is out of range"},
    {"an event kind out of range", WithLine(8, "events bandits 4 raiders 2"), 8, 16, "out of range 0..3"},
    {"the start away from the left edge", WithLine(3, "start 1,4"), 3, 7, "column 0"},
    {"a mine not 2x2", WithLine(12, "^^........M.."), 12, 12, "a mine not 2x2"},
    {"a mine off its line", WithLine(6, "mine 9,0 reserve 2000"), 11, 10, "a mine not 2x2"},
    {"an unpaired tunnel on the board", WithLine(13, "^^..T........"), 13, 9, "an unpaired tunnel"},
    {"an unpaired tunnel on its line", WithLine(7, "tunnels 4,2 W"), 7, 14, "an unpaired tunnel"},
    {"a tunnel side", WithLine(7, "tunnels 4,2 W 8,2 X"), 7, 19, "N, E, S or W"},
    {"a row too long", WithLine(14, "..n..o....$..."), 14, 14, "a row of 14 cells"},
    {"a row too short", WithLine(14, "..n"), 14, 4, "a row of 3 cells"},
    {"too few rows", Join({kGoodLines.begin(), kGoodLines.end() - 2}), 17, 1, "too few rows"},
    {"a tenth row", Join(kGoodLines) + ".............\n", 20, 1, "a 10th row"},
    {"not text: a zero byte", WithLine(2, std::string("name Te\0st", 10)), 2, 8, "not text"},
    {"not text: not UTF-8", WithLine(9, "tutorial none # \xff"), 9, 17, "not text"},
    {"not a level file", "P6\n13 9\n", 1, 1, "not a level file"},
    {"another version", WithLine(1, "rails-against-time level 7"), 1, 26, "version 7"},
    {"a key missing", WithLine(9, ""), 9, 1, "no \"tutorial\" line before the board"},
    {"a key twice", WithLine(9, "iron 5"), 9, 1, "a second \"iron\" line"},
    {"too many stones", kQuarry, 14, 3, "too many stones: a board holds at most 40"},
    {"no board", Join({kGoodLines.begin(), kGoodLines.begin() + 9}), 9, 1, "no board"},
};

TEST(LevelFile, EachFaultIsRefusedWithItsLineAndColumnAndNothingIsKept) {
  for (const Fault& f : kFaults) {
    SCOPED_TRACE(f.what);
    // Whatever was in the layout before stays there.
    LevelLayout out = LevelLayoutOf(3);
    std::string error;
    ASSERT_FALSE(ReadLevelText(f.text, "bad.level", out, error));
    const std::string where = "bad.level:" + std::to_string(f.line) + ":" + std::to_string(f.column) + ": ";
    EXPECT_EQ(error.substr(0, where.size()), where) << error;
    EXPECT_NE(error.find(f.message), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_TRUE(out == LevelLayoutOf(3));
  }
}

TEST(LevelFile, TheFifteenFilesAreWhatTheWriterWritesAndWhatTheGamePlays) {
  for (int n = 1; n <= kLevelCount; ++n) {
    SCOPED_TRACE(n);
    const std::string text = ReadTextFile(LevelPath(n));
    LevelLayout l;
    std::string error;
    ASSERT_TRUE(ReadLevelText(text, LevelFileName(n), l, error)) << error;
    EXPECT_EQ(WriteLevelText(l), text);
    EXPECT_TRUE(l == LevelLayoutOf(n));
  }
}

LevelLayout Bare() {
  LevelLayout l{};
  l.start = {0, 0};
  l.finish = {12, 8};
  l.iron = 100;
  l.events = EventsCleared;
  l.firstTutorialPage = kNoTutorial;
  l.name = "Side by Side";
  return l;
}

// Footprints of one kind that touch are still read as the placements drawn:
// row by row, the first cell of a kind not yet covered is a footprint's
// top-left cell. Each list is in the reader's order (kind, column, row).
const std::vector<std::vector<SceneryPlacement>> kTouching = {
    {{1, 2, 2}, {1, 2, 4}, {1, 4, 2}, {1, 4, 4}},    // four mountains in a square block
    {{1, 2, 2}, {1, 3, 4}, {1, 4, 0}},               // mountains staggered by one cell
    {{4, 5, 0}, {4, 5, 3}, {4, 5, 6}, {4, 6, 1}},    // a column of hills, one beside it
    {{3, 1, 1}, {10, 5, 2}, {14, 3, 1}, {14, 3, 3}},  // different 2x2 kinds touching
    {{0, 1, 1}, {0, 2, 1}, {2, 1, 2}, {2, 2, 2}},    // single cells side by side
};

TEST(LevelFile, TouchingFootprintsReadBackAsPlaced) {
  for (const std::vector<SceneryPlacement>& scenery : kTouching) {
    LevelLayout l = Bare();
    l.scenery = scenery;
    LevelLayout back;
    std::string error;
    ASSERT_TRUE(ReadLevelText(WriteLevelText(l), "touching.level", back, error)) << error << LevelBoardRows(l);
    EXPECT_TRUE(back == l) << LevelBoardRows(l);
  }
}

// A scratch data folder with a levels/ of its own.
class LevelFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/level_folderXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    folder = std::string(dir) + "/";
  }
  void TearDown() override {
    // Back to the repository's files, the same as the built-in ones.
    std::string error;
    EXPECT_TRUE(UseDataFolderLevels(std::string(TARVEX_DATA_DIR) + "/", error)) << error;
    std::system(("rm -rf '" + folder + "'").c_str());
  }
  void CopyLevels() {
    ASSERT_EQ(std::system(("cp -r '" TARVEX_DATA_DIR "/levels' '" + folder + "'").c_str()), 0);
  }
  std::string folder;
};

TEST_F(LevelFolderTest, TheDataFoldersFilesReplaceTheBuiltInOnes) {
  CopyLevels();
  std::string text = ReadTextFile(folder + "levels/03.level");
  text.replace(text.find("iron 800"), 8, "iron 801");
  WriteTextFile(folder + "levels/03.level", text);
  std::string error;
  ASSERT_TRUE(UseDataFolderLevels(folder, error)) << error;
  EXPECT_EQ(LevelLayoutOf(3).iron, 801);
}

TEST_F(LevelFolderTest, ABadFileLeavesEveryLevelAsItWas) {
  CopyLevels();
  WriteTextFile(folder + "levels/02.level", ReadTextFile(folder + "levels/03.level") + "x");
  WriteTextFile(folder + "levels/01.level", ReadTextFile(folder + "levels/01.level").replace(0, 1, "R"));
  const LevelLayout before = LevelLayoutOf(1);
  std::string error;
  EXPECT_FALSE(UseDataFolderLevels(folder, error));
  EXPECT_EQ(error, folder + "levels/01.level:1:1: not a level file: its first line must be "
                            "\"rails-against-time level 1\"");
  EXPECT_TRUE(LevelLayoutOf(1) == before);
  // A missing file is named too.
  std::remove((folder + "levels/01.level").c_str());
  EXPECT_FALSE(UseDataFolderLevels(folder, error));
  EXPECT_EQ(error.substr(0, error.find(':')), folder + "levels/01.level");
  // No levels/ at all: the built-in copies.
  std::system(("rm -rf '" + folder + "levels'").c_str());
  EXPECT_TRUE(UseDataFolderLevels(folder, error));
  EXPECT_TRUE(LevelLayoutOf(1) == before);
}

}  // namespace
