// The cues that do not lean on colour, checked as shapes: the preview's tick
// and cross are drawn in one ink, so once the picture is turned to greys
// they still differ in most of their pixels; the enemies' ring is dashed.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/views/cue_marks.h"

namespace {

// The pixels the squares cover in a size x size grid.
std::vector<bool> Raster(const std::vector<MarkSquare>& squares, int size, float offset = 0) {
  std::vector<bool> pixels(static_cast<std::size_t>(size * size), false);
  for (const MarkSquare& s : squares) {
    for (int y = static_cast<int>(s.y + offset); y < static_cast<int>(s.y + offset + kMarkPen); ++y) {
      for (int x = static_cast<int>(s.x + offset); x < static_cast<int>(s.x + offset + kMarkPen); ++x) {
        if (x >= 0 && y >= 0 && x < size && y < size) pixels[static_cast<std::size_t>(y * size + x)] = true;
      }
    }
  }
  return pixels;
}

class VerdictMarks : public ::testing::TestWithParam<float> {};

TEST_P(VerdictMarks, TheTickAndTheCrossDifferInShapeWithoutTheirColours) {
  const float size = GetParam();
  const int grid = static_cast<int>(size) + 4;
  const std::vector<bool> tick = Raster(TickSquares(size), grid);
  const std::vector<bool> cross = Raster(CrossSquares(size), grid);
  int both = 0, either = 0, inTick = 0, inCross = 0;
  for (std::size_t i = 0; i < tick.size(); ++i) {
    both += tick[i] && cross[i];
    either += tick[i] || cross[i];
    inTick += tick[i];
    inCross += cross[i];
  }
  ASSERT_GT(inTick, size) << "the tick is drawn";
  ASSERT_GT(inCross, size) << "the cross is drawn";
  // Overlap over union: two different shapes share little of their ink.
  EXPECT_LT(static_cast<double>(both) / either, 0.35) << "tick and cross look alike in grey";
  // The cross is symmetric left to right, the tick is not.
  int mirrored = 0, tickMirrored = 0;
  for (int y = 0; y < grid; ++y) {
    for (int x = 0; x < grid; ++x) {
      const std::size_t a = static_cast<std::size_t>(y * grid + x);
      const std::size_t b = static_cast<std::size_t>(y * grid + (static_cast<int>(size) - 1 - x));
      if (static_cast<int>(size) - 1 - x < 0) continue;
      mirrored += cross[a] == cross[b];
      tickMirrored += tick[a] == tick[b];
    }
  }
  EXPECT_GT(mirrored, tickMirrored);
}

INSTANTIATE_TEST_SUITE_P(Sizes, VerdictMarks, ::testing::Values(18.0f, 24.0f, 30.0f));

TEST(DashedRing, HasAsManyGapsAsDashesAndStaysOnItsCircle) {
  const float radius = 36;
  const int dashes = 12;
  const std::vector<MarkSquare> squares = DashedRingSquares(radius, dashes);
  // The circle in bins of 5 degrees: a dash covers three, so does a gap.
  constexpr int kBins = 72;
  std::vector<bool> inked(kBins, false);
  for (const MarkSquare& s : squares) {
    const float x = s.x + kMarkPen / 2, y = s.y + kMarkPen / 2;
    EXPECT_NEAR(std::hypot(x, y), radius, 0.01f);
    const double degrees = std::atan2(y, x) * 180 / 3.14159265 + 360.0 + 1.0;
    inked[static_cast<std::size_t>(static_cast<int>(degrees / 5) % kBins)] = true;
  }
  int gaps = 0;
  for (int d = 0; d < kBins; ++d) gaps += inked[static_cast<std::size_t>(d)] && !inked[static_cast<std::size_t>((d + 1) % kBins)];
  EXPECT_EQ(gaps, dashes);
}

}  // namespace
