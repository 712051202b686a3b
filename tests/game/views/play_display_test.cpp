// The game as a player meets it: the real program started under an X server
// of its own, clicked through with xdotool from its menu to a level, a piece
// ordered and built, and screenshots checked at probe pixels. Expected colours
// come from the committed pictures, so the checks hold whatever the art shows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "host/image_codec.h"
#include "tests/host/app_process.h"

namespace {

void Wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

struct Picture {
  int width = 0, height = 0, channels = 0;
  std::vector<std::uint8_t> pixels;
  const std::uint8_t* At(int x, int y) const { return &pixels[(y * width + x) * channels]; }
  int Alpha(int x, int y) const { return channels == 4 ? At(x, y)[3] : 255; }
};

Picture ReadPng(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Picture picture;
  std::uint8_t* pixels = DecodeImage(bytes.data(), bytes.size(), &picture.width, &picture.height, &picture.channels);
  if (pixels == nullptr) return Picture();
  picture.pixels.assign(pixels, pixels + picture.width * picture.height * picture.channels);
  FreeImagePixels(pixels);
  return picture;
}

Picture DataPicture(const std::string& name) { return ReadPng(std::string(TARVEX_DATA_DIR) + "/" + name); }

// The X screen, and where the game's 1024 x 768 picture lies on it in full
// screen: scaled uniformly and centred between black bars.
struct Screen {
  int width = 0, height = 0;
  double scale = 1, left = 0, top = 0;
  int X(double vx) const { return static_cast<int>(left + vx * scale); }
  int Y(double vy) const { return static_cast<int>(top + vy * scale); }
};

Screen MeasureScreen() {
  Screen s;
  std::sscanf(Shell("xdpyinfo | awk '/dimensions:/ {print $2}'").c_str(), "%dx%d", &s.width, &s.height);
  s.scale = std::min(s.width / 1024.0, s.height / 768.0);
  s.left = (s.width - 1024 * s.scale) / 2;
  s.top = (s.height - 768 * s.scale) / 2;
  return s;
}

class PlayDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X server (xvfb-run)";
    char pattern[] = "/tmp/tarvex-play-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    screen = MeasureScreen();
    ASSERT_GT(screen.width, 0);
  }
  void TearDown() override {
    if (HasFailure()) {
      std::printf("screenshots kept in %s\n", folder.c_str());
      return;
    }
    std::system(("rm -rf '" + folder + "'").c_str());
  }

  // A left click at virtual pixel (vx, vy), then time for an update or two.
  void Click(double vx, double vy, int settleMs = 250) {
    // (--sync would wait for a move that never comes when the pointer is
    // already there.)
    Shell("xdotool mousemove " + std::to_string(screen.X(vx + 0.5)) + " " + std::to_string(screen.Y(vy + 0.5)) +
          " sleep 0.1 click 1");
    Wait(settleMs);
  }
  // The pointer moved to virtual pixel (vx, vy), without a click.
  void MoveTo(double vx, double vy) {
    Shell("xdotool mousemove " + std::to_string(screen.X(vx + 0.5)) + " " + std::to_string(screen.Y(vy + 0.5)));
    Wait(100);
  }
  Picture Screenshot(const std::string& name) {
    const std::string path = folder + "/" + name + ".png";
    Shell("import -window root '" + path + "'");
    return ReadPng(path);
  }

  // How many of a picture's calm pixels (opaque, with the same colour on
  // every side, so that scaling cannot blur them) show on the screen with about their colour, the picture's corner
  // drawn at virtual (px, py), within the virtual rectangle given.
  struct Match {
    int probes = 0, matching = 0;
  };
  // calm: how far the neighbours' colours may stray (textured pictures need more).
  Match Compare(const Picture& shot, const Picture& pic, int px, int py, int x0, int y0, int x1, int y1,
                int step = 7, int calm = 6) const {
    Match m;
    for (int y = std::max(y0, 1); y < std::min(y1, pic.height - 1); y += step) {
      for (int x = std::max(x0, 1); x < std::min(x1, pic.width - 1); x += step) {
        if (!Calm(pic, x, y, calm)) continue;
        const int sx = screen.X(px + x + 0.5), sy = screen.Y(py + y + 0.5);
        if (sx < 0 || sy < 0 || sx >= shot.width || sy >= shot.height) continue;
        ++m.probes;
        if (Near(shot.At(sx, sy), pic.At(x, y))) ++m.matching;
      }
    }
    return m;
  }
  static bool Calm(const Picture& pic, int x, int y, int calm) {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (pic.Alpha(x + dx, y + dy) != 255 || !Near(pic.At(x + dx, y + dy), pic.At(x, y), calm)) return false;
      }
    }
    return true;
  }
  // Screen pixels that differ between two screenshots inside a virtual rectangle.
  int Changed(const Picture& a, const Picture& b, int vx, int vy, int w, int h) const {
    int changed = 0;
    for (int sy = screen.Y(vy); sy < screen.Y(vy + h); ++sy) {
      for (int sx = screen.X(vx); sx < screen.X(vx + w); ++sx) {
        if (!Near(a.At(sx, sy), b.At(sx, sy), 8)) ++changed;
      }
    }
    return changed;
  }
  static bool Near(const std::uint8_t* a, const std::uint8_t* b, int tolerance = 28) {
    for (int c = 0; c < 3; ++c) {
      if (std::abs(a[c] - b[c]) > tolerance) return false;
    }
    return true;
  }
  // Most of the probes match, and there are enough of them to mean something.
  static bool Shows(const Match& m) { return m.probes >= 10 && m.matching * 10 >= m.probes * 9; }
  static void ExpectShows(const Match& m, const char* what) {
    EXPECT_GE(m.probes, 10) << what;
    EXPECT_GE(m.matching * 10, m.probes * 9) << what << ": " << m.matching << " of " << m.probes;
  }
  // A screenshot once the picture shows as Compare sees it, or the last one
  // after 30 s: a loaded machine can hold the game back longer than any
  // fixed wait, and each step must find the screen it acts on.
  struct Sight {
    Picture shot;
    Match match;
  };
  Sight WaitToSee(const std::string& name, const Picture& pic, int px, int py, int x0, int y0, int x1, int y1,
                  int step = 7, int calm = 6) {
    Sight sight;
    for (int tries = 0; tries < 60; ++tries) {
      sight.shot = Screenshot(name);
      sight.match = Compare(sight.shot, pic, px, py, x0, y0, x1, y1, step, calm);
      if (Shows(sight.match)) break;
      Wait(500);
    }
    return sight;
  }

  std::string folder;
  Screen screen;
};

// Level 1 as the game lays it out: the start cell, the row of the track.
constexpr int kCell = 74, kBoardOrigin = 31;
constexpr int kStartCellX = 0, kStartCellY = 4;
double CellCentre(int cell) { return kBoardOrigin + kCell * cell + kCell / 2.0; }

TEST_F(PlayDisplayTest, FromTheMenuToALevelWhereAnOrderedPieceIsBuilt) {
  ASSERT_EQ(symlink(TARVEX_DATA_DIR, (folder + "/data").c_str()), 0);
  AppProcess app;
  ASSERT_TRUE(app.Start(TARVEX_GAME_EXE, {}, folder));
  ASSERT_FALSE(Shell("timeout 20 xdotool search --sync --onlyvisible --name '^Rails Against Time$'").empty());
  // The title, after the logo's three seconds: its sign above the scenery.
  ExpectShows(WaitToSee("title", DataPicture("menu/splash.png"), 0, 0, 0, 0, 1024, 200).match, "the title");
  Click(512, 400);  // the title
  ExpectShows(WaitToSee("menu", DataPicture("menu/menu.png"), 0, 0, 0, 0, 660, 600).match, "the menu");

  Click(800, 340);  // new game
  const Sight map = WaitToSee("map", DataPicture("game/gameMap.png"), 0, 0, 250, 100, 1024, 600);
  ExpectShows(map.match, "the map");
  EXPECT_EQ(Compare(map.shot, DataPicture("game/startGrey.png"), 754, 693, 0, 0, 196, 75).matching, 0)
      << "level 1 can start";

  Click(850, 720);  // start
  for (int page = 0; page < 6; ++page) Click(512, 200);  // the tutorial's six pages
  // The frame around the board, drawn over it.
  const Sight level = WaitToSee("level", DataPicture("game/border.png"), 0, 0, 0, 40, 30, 700, 3);
  ExpectShows(level.match, "the board's frame");

  // The cell east of the start: the waiting engine stands on the start cell.
  const int cellX = kStartCellX + 1;
  Click(60, 730);  // palette slot 0: the straight piece
  Click(CellCentre(cellX), CellCentre(kStartCellY));
  MoveTo(512, 200);  // off the cell, where the next order's preview would show
  Wait(5000);  // five seconds of building
  const Sight built = WaitToSee("built", DataPicture("game/0.png"), kBoardOrigin + kCell * cellX,
                                kBoardOrigin + kCell * kStartCellY, 0, 0, kCell, kCell, 2, 24);
  ExpectShows(built.match, "the built piece");
  // The selection frame now marks slot 0, and slot 1 is as it was.
  EXPECT_GT(Changed(level.shot, built.shot, 32, 706, 56, 56), 300);
  EXPECT_EQ(Changed(level.shot, built.shot, 98, 706, 56, 56), 0);

  // Pause, quit to the menu, and quit the game: status 0, progress saved.
  Click(960, 735);
  ExpectShows(WaitToSee("paused", DataPicture("game/msgPause.png"), 320, 159, 0, 0, 384, 150, 5).match,
              "the pause panel");
  Click(500, 545);
  Click(800, 650);
  EXPECT_EQ(app.WaitForExit(), 0);
  std::ifstream state(folder + "/.tarvexstate");
  const std::string saved((std::istreambuf_iterator<char>(state)), std::istreambuf_iterator<char>());
  EXPECT_NE(saved.find("\ttrandle.sav\t21\t1\t"), std::string::npos) << saved;
}

TEST_F(PlayDisplayTest, AMissingPictureStopsTheGameWithOneLineNamingItAndTheDataFolder) {
  ASSERT_EQ(std::system(("cp -r '" TARVEX_DATA_DIR "' '" + folder + "/data' && rm '" + folder +
                         "/data/game/msgPause.png'")
                            .c_str()),
            0);
  AppProcess app;
  ASSERT_TRUE(app.Start(TARVEX_GAME_EXE, {}, folder));
  const std::string out = app.ReadToEnd(60);
  EXPECT_EQ(app.WaitForExit(), 1);
  char resolved[4096];
  ASSERT_NE(realpath((folder + "/data").c_str(), resolved), nullptr);
  EXPECT_EQ(out, "Cannot load the data file \"game/msgPause.png\" from the data folder \"" + std::string(resolved) +
                     "/\"\n");
}

}  // namespace
