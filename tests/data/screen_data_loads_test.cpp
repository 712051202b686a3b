// The screens, panels, tutorial pages, font pictures, sounds and music in the
// data folder decode with the program's own image and sound decoders, with the
// sizes and sample layouts the game relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/sound_codec.h"
#include "host/image_codec.h"
#include "tests/data/data_folder.h"
#include "runtime/gc.h"
#include "runtime/string.h"

namespace {

using datatest::ReadAll;

struct Picture {
  const char* path;
  int width;   // 0: any
  int height;  // 0: any
};

// Decodes and answers width and height, or fails the test.
void ExpectPicture(const Picture& p) {
  SCOPED_TRACE(p.path);
  std::vector<unsigned char> bytes = ReadAll(p.path);
  ASSERT_FALSE(bytes.empty()) << "missing";
  int width = 0, height = 0, components = 0;
  std::uint8_t* pixels = DecodeImage(bytes.data(), bytes.size(), &width, &height, &components);
  ASSERT_NE(pixels, nullptr) << "the image decoder refuses it";
  EXPECT_EQ(components, 4);
  if (p.width) {
    EXPECT_EQ(width, p.width);
  }
  if (p.height) {
    EXPECT_EQ(height, p.height);
  }
  FreeImagePixels(pixels);
}

TEST(ScreenData, FullScreenPicturesDecodeAt1024x768) {
  for (const char* path : {"menu/logo.png", "menu/splash.png", "menu/menu.png", "menu/theend.png",
                           "game/border.png", "game/gameMap.png"}) {
    ExpectPicture({path, 1024, 768});
  }
}

TEST(ScreenData, PanelsMarksAndIconsDecode) {
  for (const char* path :
       {"menu/musicOn.png", "menu/soundOn.png", "menu/fullscreenOn.png", "game/msgLevelDone.png",
        "game/msgLevelFail.png", "game/msgPause.png", "game/pauseMusicOn.png", "game/pauseSoundOn.png",
        "game/levelavailable.png", "game/levellocked.png", "game/leveldone.png", "game/levelSelected.png",
        "game/startGrey.png", "game/noFunds.png", "game/btnShowMe.png", "game/star.png", "time_P_1.png"}) {
    ExpectPicture({path, 0, 0});
  }
  ExpectPicture({"game/guiSelection.png", 56, 56});
  // The page of custom levels' sheet fills its place on the screen, bounds included.
  ExpectPicture({"game/msgLevelList.png", 801, 689});
}

TEST(ScreenData, TutorialPagesDecode) {
  for (int i = 1; i <= 12; ++i) {
    std::string path = "game/tutorial/" + std::to_string(i) + ".png";
    ExpectPicture({path.c_str(), 0, 0});
  }
}

TEST(ScreenData, DefaultFontStripHas96EqualFrames) {
  std::vector<unsigned char> bytes = ReadAll("glim_font.png");
  ASSERT_FALSE(bytes.empty());
  int width = 0, height = 0, components = 0;
  std::uint8_t* pixels = DecodeImage(bytes.data(), bytes.size(), &width, &height, &components);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(width % 96, 0);
  EXPECT_GT(width / 96, 2);  // room for a glyph between the two empty columns
  FreeImagePixels(pixels);
}

struct Decoded {
  int length = 0, channels = 0, format = 0, rate = 0;
};

Decoded ExpectSound(const std::string& path, std::vector<short>* samples = nullptr) {
  Decoded d;
  std::vector<unsigned char> bytes = ReadAll(path);
  EXPECT_FALSE(bytes.empty()) << path << " is missing";
  if (bytes.empty()) return d;
  unsigned char* block = DecodeSound(String(path.c_str()), bytes.data(), bytes.size(), &d.length, &d.channels,
                                     &d.format, &d.rate);
  EXPECT_NE(block, nullptr) << path << ": the sound decoder refuses it";
  if (block && samples && d.format == 2) {
    const short* pcm = reinterpret_cast<const short*>(block);
    samples->assign(pcm, pcm + static_cast<std::size_t>(d.length) * d.channels);
  }
  std::free(block);
  return d;
}

TEST(ScreenData, SoundEffectsDecodeAs44kHz16BitMono) {
  GcInitLists();
  for (const char* name : {"click2.wav", "buy.wav", "build.wav", "mine1.wav", "indigen.wav", "bandits.wav",
                           "whistle.wav", "train_loop.wav", "gold.wav", "stones.wav", "finished.wav", "hit.wav",
                           "refused.wav", "won.wav", "lost.wav", "explosion.wav", "tick.wav", "tally.wav",
                           "star.wav", "line_complete.wav", "hammer.wav"}) {
    SCOPED_TRACE(name);
    Decoded d = ExpectSound(std::string("sounds/") + name);
    EXPECT_EQ(d.channels, 1);
    EXPECT_EQ(d.format, 2);
    EXPECT_EQ(d.rate, 44100);
    double seconds = static_cast<double>(d.length) / 44100.0;
    EXPECT_GT(seconds, 0.05);
    EXPECT_LT(seconds, 2.5);
  }
}

// Each piece of music, decoded whole here (the game streams it): 44.1 kHz
// stereo, 90 s to three minutes, and its last frame runs into its first.
TEST(ScreenData, MusicDecodesToNinetySecondsOrMoreAndLoopsSmoothly) {
  GcInitLists();
  for (const char* name : {"music.ogg", "music_level.ogg", "music_tension.ogg"}) {
    SCOPED_TRACE(name);
    std::vector<short> pcm;
    Decoded d = ExpectSound(name, &pcm);
    ASSERT_EQ(d.channels, 2);
    EXPECT_EQ(d.format, 2);
    ASSERT_EQ(d.rate, 44100);
    double seconds = static_cast<double>(d.length) / d.rate;
    EXPECT_GE(seconds, 90.0);
    EXPECT_LE(seconds, 180.0);
    // Played looped the last frame runs into the first: in every channel that
    // step must be no larger than the ordinary steps inside the tune.
    const std::size_t channels = 2;
    ASSERT_GT(pcm.size(), 1000u * channels);
    for (std::size_t c = 0; c < channels; ++c) {
      std::vector<int> steps;
      for (std::size_t i = c + channels; i < pcm.size(); i += channels) {
        steps.push_back(std::abs(pcm[i] - pcm[i - channels]));
      }
      std::size_t rank = steps.size() * 995 / 1000;
      std::nth_element(steps.begin(), steps.begin() + rank, steps.end());
      int seam = std::abs(pcm[c] - pcm[pcm.size() - channels + c]);
      EXPECT_LE(seam, steps[rank]) << "the loop clicks in channel " << c;
    }
  }
}

}  // namespace
