// The page of custom levels drawn with the game's own sheet and font on a
// real window (Xvfb, llvmpipe), read back pixel by pixel: a file that does
// not read is written greyed, the game's own levels and the player's carry
// marks of different colours, and a record shows in its own row alone.
#include <algorithm>
#include <vector>

#include "game/rules/layouts.h"
#include "game/rules/state.h"
#include "game/views/level_list_view.h"
#include "tests/graphics/gl_fixture.h"

namespace {

gc_global<c_LevelListView*> listView;
gc_global<c_cLevelList*> listPage;

int Lightness(std::uint32_t rgb) { return ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF); }

class LevelListPictureTest : public GlWindowTest {
 protected:
  void SetUp() override {
    GlWindowTest::SetUp();
    ResetGameState();
    view = new c_LevelListView();
    listView = view;
    view->LoadLevelListImages();
    page = new c_cLevelList();
    listPage = page;
    LevelListing listing;
    for (const bool own : {false, true}) {
      ListedLevel good;
      good.fileName = own ? "mine.level" : "own.level";
      good.playersOwn = own;
      good.readable = true;
      good.layout = LevelLayoutOf(own ? 2 : 1);
      good.contentKey = own ? 22 : 11;
      good.cheapestIron = 1850;
      listing.rows.push_back(good);
    }
    ListedLevel bad;
    bad.fileName = "Broken Level.level";
    bad.playersOwn = true;
    bad.reason = "Broken Level.level:1:1: not text";
    listing.rows.push_back(bad);
    page->Open(listing, CustomRecords{});
    page->selected = -1;  // no row highlighted: each row on the plain sheet
  }
  void TearDown() override {
    listView = nullptr;
    listPage = nullptr;
    GlWindowTest::TearDown();
  }
  void Draw() {
    gfx->ClearScreen(0, 0, 0);
    view->RenderLevelList(*page);
    gfx->Flush();
  }
  // The pixels of a row from `left` to `right`.
  std::vector<std::uint32_t> RowPixels(int row, int left, int right) {
    const HitBox box = ListRowBox(row);
    std::vector<std::uint32_t> pixels;
    for (int y = static_cast<int>(box.top) + 2; y < static_cast<int>(box.bottom) - 2; ++y) {
      for (int x = left; x < right; ++x) pixels.push_back(Rgb(x, y));
    }
    return pixels;
  }
  // The darkest ink of a row's name.
  int DarkestName(int row) {
    const std::vector<std::uint32_t> pixels = RowPixels(row, 156, 400);
    int darkest = 3 * 255;
    for (std::uint32_t p : pixels) darkest = std::min(darkest, Lightness(p));
    return darkest;
  }
  c_LevelListView* view = nullptr;
  c_cLevelList* page = nullptr;
};

TEST_F(LevelListPictureTest, ABadFileIsGreyedAndTheTwoKindsOfLevelAreMarkedApart) {
  Draw();
  EXPECT_GT(DarkestName(2), DarkestName(1) + 120) << "the bad file's name is greyed";
  const int markX = static_cast<int>(kListRowsLeft) + 2;
  const auto mark = [&](int row) { return Rgb(markX, static_cast<int>((ListRowBox(row).top + ListRowBox(row).bottom) / 2)); };
  EXPECT_FALSE(RgbNear(mark(0), mark(1), 40)) << "the game's own and the player's marks differ";
  EXPECT_TRUE(RgbNear(mark(1), mark(2), 4)) << "both of the player's carry the same mark";
}

TEST_F(LevelListPictureTest, ARecordShowsInItsOwnRowAlone) {
  Draw();
  std::vector<std::vector<std::uint32_t>> before;
  for (int row = 0; row < 3; ++row) before.push_back(RowPixels(row, 600, 770));
  page->records.RecordWin(22, 4350, 95);
  Draw();
  for (int row = 0; row < 3; ++row) {
    const std::vector<std::uint32_t> after = RowPixels(row, 600, 770);
    int changed = 0;
    for (std::size_t i = 0; i < after.size(); ++i) changed += after[i] != before[row][i];
    if (row == 1) {
      EXPECT_GT(changed, 60) << "the player's level shows its best score and fastest arrival";
    } else {
      EXPECT_EQ(changed, 0) << "row " << row << " changed with another level's record";
    }
  }
}

}  // namespace
