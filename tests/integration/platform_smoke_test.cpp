// Runs platform_smoke in a scratch folder beside a link to the real data, on
// the X server the suite runs under, and checks its output, its exit status,
// the state file it leaves and the screenshot it takes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "host/image_codec.h"
#include "tests/host/app_process.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Decoded RGB or RGBA pixels of a PNG file.
struct Picture {
  int width = 0, height = 0, components = 0;
  std::vector<std::uint8_t> pixels;

  bool Load(const fs::path& path) {
    const std::vector<std::uint8_t> bytes = ReadFile(path);
    std::uint8_t* p = DecodeImage(bytes.data(), bytes.size(), &width, &height, &components);
    if (!p) return false;
    pixels.assign(p, p + static_cast<std::size_t>(width) * height * components);
    FreeImagePixels(p);
    return components >= 3;
  }
  const std::uint8_t* At(int x, int y) const {
    return &pixels[(static_cast<std::size_t>(y) * width + x) * components];
  }
};

// The virtual 1024 x 768 screen on the 1280 x 1024 screen of the X server:
// scale 1.25, a picture 1280 x 960 between two bars of 32 rows.
constexpr int kScreenW = 1280, kScreenH = 1024, kBar = 32;
constexpr double kScale = 1.25;
int DeviceX(double x) { return static_cast<int>(x * kScale); }
int DeviceY(double y) { return kBar + static_cast<int>(y * kScale); }

bool IsBlack(const std::uint8_t* p) { return p[0] == 0 && p[1] == 0 && p[2] == 0; }
// The font's face is near white; nothing else drawn in the status strip is.
bool IsFace(const std::uint8_t* p) { return p[0] >= 230 && p[1] >= 220 && p[2] >= 200; }

// Counts the pixels matching `test` in a logical rectangle (device pixels fully inside it).
template <class Test>
int CountIn(const Picture& shot, double x, double y, double w, double h, Test test, double* centreX = nullptr) {
  int count = 0;
  double sumX = 0;
  for (int dy = DeviceY(y) + 1; dy < DeviceY(y + h) - 1; ++dy) {
    for (int dx = DeviceX(x) + 1; dx < DeviceX(x + w) - 1; ++dx) {
      if (test(shot.At(dx, dy))) {
        ++count;
        sumX += dx;
      }
    }
  }
  if (centreX && count > 0) *centreX = sumX / count / kScale;
  return count;
}

struct Range {
  double mean[3] = {0, 0, 0};
  int low[3] = {255, 255, 255};
  int high[3] = {0, 0, 0};
};

// Mean and per-channel range of the opaque pixels of a picture region (device
// pixels fully inside the logical cell for the screenshot; all for a tile).
Range ColourRange(const Picture& p, int x0, int y0, int x1, int y1) {
  Range r;
  int n = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const std::uint8_t* px = p.At(x, y);
      ++n;
      for (int c = 0; c < 3; ++c) {
        r.mean[c] += px[c];
        if (px[c] < r.low[c]) r.low[c] = px[c];
        if (px[c] > r.high[c]) r.high[c] = px[c];
      }
    }
  }
  for (double& m : r.mean) m /= n > 0 ? n : 1;
  return r;
}

Range CellRange(const Picture& shot, int column, int row) {
  const double x = 31 + 74 * column, y = 31 + 74 * row;
  return ColourRange(shot, DeviceX(x) + 2, DeviceY(y) + 2, DeviceX(x + 74) - 2, DeviceY(y + 74) - 2);
}

class PlatformSmoke : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tarvex_smoke_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    fs::create_directory_symlink(fs::absolute(TARVEX_DATA_DIR), folder / "data");
  }
  void TearDown() override {
    if (!folder.empty() && !HasFailure()) fs::remove_all(folder);
  }
  fs::path folder;
};

TEST_F(PlatformSmoke, WholePlatformOnTheRealDataInAFullScreenWindow) {
  ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X server (xvfb-run)";
  // A stored game state the program finds at start-up.
  const int seed = 4000 + static_cast<int>(getpid() % 1000);
  std::ofstream(folder / ".tarvexstate") << "TVXDATA\t1\tsmoke\t1\t" << seed;

  const fs::path shotPath = folder / "shot.png";
  AppProcess app;
  ASSERT_TRUE(app.Start(TARVEX_SMOKE_APP, {shotPath.string()}, folder.string()));
  const std::string out = app.ReadToEnd(90);
  EXPECT_EQ(app.WaitForExit(10), 0) << out;

  // No complaint from the font, the glyph pictures or the sound device, and no
  // failed self-check.
  EXPECT_EQ(out.find("WAS NOT FOUND!!!"), std::string::npos) << out;
  EXPECT_EQ(out.find("Error loading font"), std::string::npos) << out;
  EXPECT_EQ(out.find("OpenAl error"), std::string::npos) << out;
  EXPECT_EQ(out.find("FAILED"), std::string::npos) << out;
  EXPECT_EQ(out.find("Runtime Error"), std::string::npos) << out;

  // The state: the seeded value was read, the new one written and read back,
  // and the state file holds exactly the saved file.
  std::ostringstream expectedLine, expectedState;
  expectedLine << "state loaded " << seed << " reread " << seed + 1000 << " 1234\n";
  EXPECT_NE(out.find(expectedLine.str()), std::string::npos) << out;
  expectedState << "TVXDATA\t1\tsmoke\t2\t" << seed + 1000 << "\t1234";
  const std::vector<std::uint8_t> state = ReadFile(folder / ".tarvexstate");
  EXPECT_EQ(std::string(state.begin(), state.end()), expectedState.str());
  EXPECT_FALSE(fs::exists(folder / ".tarvexstate.new"));

  // Both texts changed many pixels of their boxes in the captured frame.
  for (const char* name : {"score", "centred"}) {
    const std::size_t at = out.find(std::string("text ") + name + " ");
    ASSERT_NE(at, std::string::npos) << out;
    int changed = 0, total = 0;
    std::istringstream(out.substr(at + 6 + std::string(name).size())) >> changed >> total;
    EXPECT_GT(changed, 300) << name;
    EXPECT_LT(changed, total / 2) << name;
  }

  EXPECT_NE(out.find("screenshot 1280 1024"), std::string::npos) << out;
  Picture shot;
  ASSERT_TRUE(shot.Load(shotPath));
  ASSERT_EQ(shot.width, kScreenW);
  ASSERT_EQ(shot.height, kScreenH);

  // Letterbox: the bars are black to the last pixel, the picture starts right
  // after them (the frame's first and last rows are not black).
  int barPixels = 0, edgeRowsLit = 0;
  for (int x = 0; x < kScreenW; ++x) {
    for (int y = 0; y < kBar; ++y) {
      barPixels += IsBlack(shot.At(x, y)) ? 1 : 0;
      barPixels += IsBlack(shot.At(x, kScreenH - 1 - y)) ? 1 : 0;
    }
    edgeRowsLit += IsBlack(shot.At(x, kBar)) ? 0 : 1;
    edgeRowsLit += IsBlack(shot.At(x, kScreenH - kBar - 1)) ? 0 : 1;
  }
  EXPECT_EQ(barPixels, 2 * kBar * kScreenW);
  EXPECT_GT(edgeRowsLit, 2 * kScreenW * 9 / 10);

  // Ground: cells with nothing else on them look like the ground picture,
  // scaled: about its mean colour, every pixel within its colour range.
  Picture tile;
  ASSERT_TRUE(tile.Load(fs::path(TARVEX_DATA_DIR) / "game/tile1.png"));
  const Range ground = ColourRange(tile, 0, 0, tile.width, tile.height);
  for (const auto& cell : {std::pair<int, int>{0, 0}, {10, 7}, {12, 8}, {5, 2}}) {
    const Range seen = CellRange(shot, cell.first, cell.second);
    for (int c = 0; c < 3; ++c) {
      EXPECT_NEAR(seen.mean[c], ground.mean[c], 6.0) << "cell " << cell.first << "," << cell.second;
      EXPECT_GE(seen.low[c], ground.low[c]) << "cell " << cell.first << "," << cell.second;
      EXPECT_LE(seen.high[c], ground.high[c]) << "cell " << cell.first << "," << cell.second;
    }
  }
  // The rail pieces and the engine cover the ground where they were drawn.
  for (const auto& cell : {std::pair<int, int>{1, 4}, {3, 4}, {7, 3}, {7, 4}}) {
    const Range seen = CellRange(shot, cell.first, cell.second);
    double difference = 0;
    for (int c = 0; c < 3; ++c) difference += std::abs(seen.mean[c] - ground.mean[c]);
    EXPECT_GT(difference, 30.0) << "cell " << cell.first << "," << cell.second;
  }

  // Text: face pixels inside the score's box at (31, 4); in the rest of the
  // status strip no more than the frame's own painted labels bring (scaled);
  // the centred line is centred on 512.
  EXPECT_GT(CountIn(shot, 31, 2, 230, 31, IsFace), 200);
  Picture border;
  ASSERT_TRUE(border.Load(fs::path(TARVEX_DATA_DIR) / "game/border.png"));
  int painted = 0;
  for (int y = 2; y < 29; ++y) {
    for (int x = 300; x < 1000; ++x) painted += IsFace(border.At(x, y));
  }
  EXPECT_LE(CountIn(shot, 300, 2, 700, 27, IsFace), painted * kScale * kScale * 1.2 + 4);
  double centre = 0;
  EXPECT_GT(CountIn(shot, 31, 118, 962, 33, IsFace, &centre), 200);
  EXPECT_NEAR(centre, 512.0, 8.0);
}

}  // namespace
