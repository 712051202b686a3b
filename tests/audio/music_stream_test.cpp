// The streamed music on OpenAL Soft's null backend: the decoder's loop join,
// the decks' queues filled a block an update, the crossfade's gains and ends,
// pausing, a dry source started again, and what cannot be played.
#include <AL/al.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "audio/music_stream.h"
#include "host/sound_codec.h"
#include "tests/audio/wav_builder.h"

using namespace wavtest;

namespace {

// The pieces the tests play, by name: short tones encoded once.
std::map<std::string, MusicBytes>& Pieces() {
  static std::map<std::string, MusicBytes> pieces;
  if (pieces.empty()) {
    pieces["a.ogg"] = std::make_shared<const Bytes>(EncodeOgg(1, 2, 44100, 441.0));
    pieces["b.ogg"] = std::make_shared<const Bytes>(EncodeOgg(2, 2, 44100, 661.5));
    pieces["mono.ogg"] = std::make_shared<const Bytes>(EncodeOgg(1, 1, 22050, 441.0));
    pieces["junk.ogg"] = std::make_shared<const Bytes>(Bytes(500, 7));
  }
  return pieces;
}

MusicBytes ReadPiece(const std::string& file) {
  auto found = Pieces().find(file);
  return found == Pieces().end() ? nullptr : found->second;
}

float GainOf(unsigned int source) {
  float gain = -1.0f;
  alGetSourcef(source, AL_GAIN, &gain);
  return gain;
}

ALint StateOf(unsigned int source) {
  ALint state = 0;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state;
}

class MusicStream : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(Pieces()["a.ogg"]->empty()) << "oggenc (vorbis-tools) is needed";
    device_ = new gxtkAudio();
    ASSERT_NE(device_->context, nullptr) << "OpenAL Soft's null backend is needed";
  }
  void TearDown() override { streamer.Halt(); }

  gc_global<gxtkAudio*> device_;  // only for the OpenAL context it opens
  MusicStreamer streamer{ReadPiece};
};

// Decoding a looped stream in blocks gives the whole stream again and again,
// the join inside a block, with no frame lost or doubled.
TEST(OggStream, ALoopedStreamRunsOnAcrossItsEndFrameForFrame) {
  const MusicBytes bytes = ReadPiece("mono.ogg");
  int length = 0, channels = 0, format = 0, rate = 0;
  unsigned char* whole = DecodeOgg(bytes->data(), bytes->size(), &length, &channels, &format, &rate);
  ASSERT_NE(whole, nullptr);
  const short* pcm = reinterpret_cast<const short*>(whole);

  struct Case {
    const char* name;
    int block;
  };
  for (const Case c : {Case{"blocks that do not divide the length", 3001}, Case{"one big block", 30000},
                       Case{"tiny blocks", 64}}) {
    SCOPED_TRACE(c.name);
    OggStreamDecoder stream;
    ASSERT_TRUE(stream.Open(bytes->data(), bytes->size()));
    EXPECT_EQ(stream.Channels(), 1);
    EXPECT_EQ(stream.Rate(), 22050);
    std::vector<short> got;
    std::vector<short> block(static_cast<std::size_t>(c.block));
    while (got.size() < static_cast<std::size_t>(length) * 2 + 10) {
      ASSERT_EQ(stream.Read(block.data(), c.block, true), c.block) << "a looped stream never runs short";
      got.insert(got.end(), block.begin(), block.end());
    }
    for (std::size_t i = 0; i < got.size(); ++i) {
      ASSERT_EQ(got[i], pcm[i % static_cast<std::size_t>(length)]) << "frame " << i;
    }
  }
  std::free(whole);
}

TEST(OggStream, WithoutLoopItEndsAndRefusesWhatIsNotVorbis) {
  const MusicBytes bytes = ReadPiece("mono.ogg");
  OggStreamDecoder stream;
  ASSERT_TRUE(stream.Open(bytes->data(), bytes->size()));
  std::vector<short> block(4096);
  int total = 0, frames = 0;
  while ((frames = stream.Read(block.data(), 4096, false)) > 0) total += frames;
  EXPECT_EQ(total, 22050);
  EXPECT_EQ(stream.Read(block.data(), 4096, false), 0) << "the end stays the end";
  EXPECT_EQ(stream.Read(block.data(), 4096, true), 4096) << "asked to loop, it starts over";

  const MusicBytes junk = ReadPiece("junk.ogg");
  EXPECT_FALSE(stream.Open(junk->data(), junk->size()));
  EXPECT_FALSE(stream.IsOpen());
}

TEST_F(MusicStream, TheQueueFillsOneBlockAnUpdateAndStaysFull) {
  ASSERT_TRUE(streamer.Play("b.ogg", true, 0.0f));
  EXPECT_EQ(streamer.State(), 1);
  MusicDeck& deck = streamer.Front();
  streamer.Update(1.0f / 30.0f);
  int previous = deck.QueuedBlocks();
  EXPECT_EQ(previous, 0) << "neither the start nor the rest of its update decodes anything";
  for (int update = 0; update < 40; ++update) {
    streamer.Update(1.0f / 30.0f);
    const int queued = deck.QueuedBlocks();
    EXPECT_LE(queued, previous + 1) << "more than one block decoded in update " << update;
    EXPECT_LE(queued, kMusicQueuedBlocks);
    previous = queued;
    EXPECT_EQ(StateOf(deck.Source()), AL_PLAYING) << "playing from the first update on";
  }
  EXPECT_GE(previous, kMusicQueuedBlocks - 1) << "the queue is kept (nearly) full";
}

TEST_F(MusicStream, ACrossfadeMovesTheGainsOverAndThenLetsTheOldPieceGo) {
  streamer.SetVolume(0.5f);
  ASSERT_TRUE(streamer.Play("a.ogg", true, 1.0f));
  EXPECT_FALSE(streamer.Fading()) << "from silence a piece starts at once";
  EXPECT_FLOAT_EQ(GainOf(streamer.Front().Source()), 0.5f);

  ASSERT_TRUE(streamer.Play("b.ogg", true, 1.0f));
  EXPECT_EQ(streamer.File(), "b.ogg");
  ASSERT_TRUE(streamer.Fading());
  EXPECT_TRUE(streamer.Back().Loaded());
  streamer.Update(0.25f);  // the update the fade began in: it starts moving from the next
  EXPECT_FLOAT_EQ(GainOf(streamer.Front().Source()), 0.0f);
  struct Step {
    float seconds;
    float front;
    float back;
  };
  // Equal power: sin and cos of the quarter turn done.
  for (const Step& s : {Step{0.25f, 0.5f * 0.38268f, 0.5f * 0.92388f}, Step{0.25f, 0.5f * 0.70711f, 0.5f * 0.70711f},
                        Step{0.25f, 0.5f * 0.92388f, 0.5f * 0.38268f}}) {
    streamer.Update(s.seconds);
    EXPECT_NEAR(GainOf(streamer.Front().Source()), s.front, 1e-3);
    EXPECT_NEAR(GainOf(streamer.Back().Source()), s.back, 1e-3);
    const float sum = std::pow(GainOf(streamer.Front().Source()), 2.0f) + std::pow(GainOf(streamer.Back().Source()), 2.0f);
    EXPECT_NEAR(sum, 0.25f, 1e-3) << "the power stays the same through the fade";
  }
  streamer.Update(0.3f);
  EXPECT_FALSE(streamer.Fading());
  EXPECT_FALSE(streamer.Back().Loaded()) << "the old piece is stopped and let go";
  EXPECT_FLOAT_EQ(GainOf(streamer.Front().Source()), 0.5f);

  streamer.SetVolume(0.2f);
  EXPECT_FLOAT_EQ(GainOf(streamer.Front().Source()), 0.2f) << "the dip reaches the streamed piece";
}

TEST_F(MusicStream, HoldingStopsTheFadeAndBothDecksAndHaltEndsEverything) {
  ASSERT_TRUE(streamer.Play("a.ogg", true, 0.0f));
  ASSERT_TRUE(streamer.Play("b.ogg", true, 1.0f));
  streamer.Update(0.0f);
  streamer.Update(0.5f);
  const float front = GainOf(streamer.Front().Source());
  streamer.Hold();
  EXPECT_EQ(streamer.State(), 2);
  EXPECT_EQ(StateOf(streamer.Front().Source()), AL_PAUSED);
  EXPECT_EQ(StateOf(streamer.Back().Source()), AL_PAUSED);
  streamer.Update(0.8f);
  EXPECT_FLOAT_EQ(GainOf(streamer.Front().Source()), front) << "a held crossfade does not move on";
  streamer.Suspend();
  streamer.Resume();
  EXPECT_EQ(StateOf(streamer.Front().Source()), AL_PAUSED) << "the window's return does not undo a hold";
  streamer.Continue();
  EXPECT_EQ(streamer.State(), 1);
  EXPECT_EQ(StateOf(streamer.Front().Source()), AL_PLAYING);
  streamer.Halt();
  EXPECT_EQ(streamer.State(), 0);
  EXPECT_FALSE(streamer.Front().Loaded());
  EXPECT_FALSE(streamer.Back().Loaded());
  EXPECT_EQ(streamer.File(), "");
}

TEST_F(MusicStream, ASourceThatRanDryIsStartedAgain) {
  ASSERT_TRUE(streamer.Play("b.ogg", true, 0.0f));
  for (int i = 0; i < 3; ++i) streamer.Update(1.0f / 30.0f);
  MusicDeck& deck = streamer.Front();
  // What a long stall does: the source plays out its queue and stops.
  alSourceStop(deck.Source());
  ASSERT_EQ(StateOf(deck.Source()), AL_STOPPED);
  streamer.Update(1.0f / 30.0f);
  EXPECT_EQ(StateOf(deck.Source()), AL_PLAYING);
  EXPECT_GE(deck.QueuedBlocks(), 1);
}

TEST_F(MusicStream, WhatCannotBePlayedLeavesTheMusicStopped) {
  for (const char* file : {"missing.ogg", "junk.ogg"}) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(streamer.Play("a.ogg", true, 0.0f));
    EXPECT_FALSE(streamer.Play(file, true, 1.0f));
    EXPECT_EQ(streamer.State(), 0);
    EXPECT_FALSE(streamer.Front().Loaded());
    EXPECT_FALSE(streamer.Back().Loaded());
  }
}

TEST_F(MusicStream, APieceThatIsNotLoopedEndsAndReportsStopped) {
  ASSERT_TRUE(streamer.Play("mono.ogg", false, 0.0f));
  // Each round the device plays all that is queued (the source stops) and an
  // update follows; 22050 frames are eleven blocks, so the piece ends after
  // about that many rounds, and not before.
  int rounds = 0;
  while (streamer.State() != 0 && rounds < 20) {
    alSourceStop(streamer.Front().Source());
    streamer.Update(1.0f / 30.0f);
    ++rounds;
  }
  EXPECT_EQ(streamer.State(), 0);
  EXPECT_GE(rounds, 10) << "every block is heard before the end";
  EXPECT_LT(rounds, 20);
}

}  // namespace
