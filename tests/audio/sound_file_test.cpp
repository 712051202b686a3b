// Sounds and music loaded from files through the host (ReadSoundFile), played
// on OpenAL Soft's null backend.
#include <AL/al.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "audio/audio.h"
#include "audio/sound.h"
#include "host/game.h"
#include "tests/audio/audio_test_util.h"
#include "tests/audio/wav_builder.h"
#include "tests/host/fake_platform.h"

using namespace audiotest;
using namespace wavtest;

namespace {

ALint BufferProperty(unsigned int buffer, ALenum property) {
  ALint value = -1;
  alGetBufferi(buffer, property, &value);
  return value;
}

// Works in a temporary folder with a data/ folder beside it, as the game does.
class SoundFiles : public testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/tarvex-sounds-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    folder_ = name;
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    oldCwd_ = cwd;
    ASSERT_EQ(chdir(folder_.c_str()), 0);
    mkdir("data", 0755);
    mkdir("data/sounds", 0755);
    game_ = std::make_unique<BBTarvexGame>(&platform_);
    currentAudioDevice = new gxtkAudio();
    audio = currentAudioDevice;
  }
  void TearDown() override {
    for (int c = 0; c < kAudioChannelCount; ++c) audio->HaltChannel(c);
    currentAudioDevice = nullptr;
    GcCollectAll();
    discardedBuffers.clear();
    game_.reset();
    EXPECT_EQ(chdir(oldCwd_.c_str()), 0);
    std::system(("rm -rf '" + folder_ + "'").c_str());
  }

  FakePlatform platform_;
  std::unique_ptr<BBTarvexGame> game_;
  std::string folder_, oldCwd_;
  gxtkAudio* audio = nullptr;
};

TEST_F(SoundFiles, WavFilesBecomeBuffersOfTheirOwnShape) {
  WavShape stereo8;
  stereo8.channels = 2;
  stereo8.bits = 8;
  stereo8.rate = 11025;
  WriteFile("data/sounds/click.wav", SimpleWav(stereo8, Bytes(2000, 0x80)));
  WavShape mono16;
  WriteFile("data/sounds/build.WAV", SimpleWav(mono16, Sine16(1000, 1, 0.01)));

  gxtkSample* click = audio->CreateSample(String("./data/sounds/click.wav"));
  ASSERT_NE(click, nullptr);
  ASSERT_TRUE(IsBuffer(click->buffer));
  EXPECT_EQ(BufferProperty(click->buffer, AL_CHANNELS), 2);
  EXPECT_EQ(BufferProperty(click->buffer, AL_BITS), 8);
  EXPECT_EQ(BufferProperty(click->buffer, AL_FREQUENCY), 11025);
  EXPECT_EQ(BufferProperty(click->buffer, AL_SIZE), 2000);

  // Data-relative names go to ./data/ (the extension in any case).
  c_Sound* build = CreateSound(String("sounds/build.WAV"));
  ASSERT_NE(build, nullptr);
  EXPECT_EQ(BufferProperty(build->sample->buffer, AL_CHANNELS), 1);
  EXPECT_EQ(BufferProperty(build->sample->buffer, AL_BITS), 16);
  EXPECT_EQ(BufferProperty(build->sample->buffer, AL_SIZE), 2000);
  StartSound(build, 0, 0);
  EXPECT_EQ(audio->QueryChannel(0), kChannelPlaying);
}

TEST_F(SoundFiles, ASoundWithNoOpenAlFormatLoadsButPlaysNothing) {
  WavShape bits24;
  bits24.bits = 24;
  WriteFile("data/sounds/deep.wav", SimpleWav(bits24, Bytes(3000, 0x11)));
  c_Sound* deep = CreateSound(String("sounds/deep.wav"));
  ASSERT_NE(deep, nullptr);
  EXPECT_EQ(BufferProperty(deep->sample->buffer, AL_SIZE), 0);
  StartSound(deep, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return audio->QueryChannel(0) == kChannelStopped; }));
}

TEST_F(SoundFiles, WhatCannotBeLoadedGivesNullSilently) {
  WriteFile("data/sounds/broken.wav", Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'});
  WriteFile("data/sounds/tone.mp3", SimpleWav(WavShape{}, Sine16(100, 1, 0.01)));
  testing::internal::CaptureStdout();
  EXPECT_EQ(CreateSound(String("sounds/missing.wav")), nullptr);
  EXPECT_EQ(CreateSound(String("sounds/broken.wav")), nullptr);
  EXPECT_EQ(CreateSound(String("sounds/tone.mp3")), nullptr);
  EXPECT_EQ(CreateSound(String("tarvex://nowhere/x.wav")), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(SoundFiles, MusicStreamsFromItsFileAndAFailedStartLeavesItStopped) {
  const Bytes ogg = EncodeOgg(1, 2, 44100, 330.0);
  ASSERT_FALSE(ogg.empty()) << "oggenc (vorbis-tools) is needed";
  WriteFile("data/MUSIC.OGG", ogg);
  WriteFile("data/music.ogg", ogg);

  EXPECT_EQ(StartMusicFile(String("MUSIC.OGG"), 1), 0);
  EXPECT_EQ(audio->QueryMusic(), kChannelPlaying);
  EXPECT_TRUE(MusicFileOn(String("MUSIC.OGG")));
  EXPECT_FALSE(MusicFileOn(String("music.ogg")));
  // Streamed, not decoded whole: nothing decoded by the start itself, one
  // block queued by the next update, and the source itself does not loop
  // (the decoder does).
  MusicDeck& deck = audio->music.Front();
  audio->UpdateStreams(1.0f / 30.0f);  // the update the piece was started in
  EXPECT_EQ(deck.QueuedBlocks(), 0);
  audio->UpdateStreams(1.0f / 30.0f);
  EXPECT_EQ(deck.QueuedBlocks(), 1);
  EXPECT_EQ(audio->channels[kMusicChannel].state, kChannelStopped) << "channel 32 is left alone";
  ALint looping = -1;
  alGetSourcei(deck.Source(), AL_LOOPING, &looping);
  EXPECT_EQ(looping, AL_FALSE);
  EXPECT_EQ(audio->channels[kMusicChannel].sample.get(), nullptr) << "nothing decoded whole";

  EXPECT_EQ(StartMusicFile(String("music.ogg"), 1), 0);
  EXPECT_TRUE(MusicFileOn(String("music.ogg")));
  audio->HoldMusic();
  EXPECT_EQ(audio->QueryMusic(), kChannelPaused);
  audio->ContinueMusic();
  EXPECT_EQ(audio->QueryMusic(), kChannelPlaying);

  EXPECT_EQ(StartMusicFile(String("missing.ogg"), 1), -1);
  EXPECT_EQ(audio->QueryMusic(), kChannelStopped);
  EXPECT_FALSE(MusicPlaying());
  EXPECT_EQ(CrossfadeMusicFile(String("sounds/none.ogg"), 1, 1.0f), -1);
  EXPECT_FALSE(audio->music.Front().Loaded());
}

TEST_F(SoundFiles, LoadingFlushesTheDiscardedBuffers) {
  WriteFile("data/sounds/a.wav", SimpleWav(WavShape{}, Sine16(100, 1, 0.01)));
  gxtkSample* first = audio->CreateSample(String("./data/sounds/a.wav"));
  ASSERT_NE(first, nullptr);
  const unsigned int buffer = first->buffer;
  first->Release();
  ASSERT_TRUE(IsBuffer(buffer));
  // The flush runs before the new buffer is made (which may reuse the name).
  gxtkSample* second = audio->CreateSample(String("./data/sounds/a.wav"));
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(discardedBuffers.empty());
  EXPECT_TRUE(second->buffer == buffer || !IsBuffer(buffer));
}

}  // namespace
