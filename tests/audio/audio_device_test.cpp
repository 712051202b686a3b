// The audio device on OpenAL Soft's null backend (ALSOFT_DRIVERS=null): real
// sources and buffers, playback running in real time, no sound card.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "audio/audio.h"
#include "audio/sound.h"
#include "tests/audio/audio_test_util.h"

using namespace audiotest;

namespace {

class AudioDevice : public testing::Test {
 protected:
  void SetUp() override {
    testing::internal::CaptureStdout();
    currentAudioDevice = new gxtkAudio();
    printed_ = testing::internal::GetCapturedStdout();
    audio = currentAudioDevice;
  }
  void TearDown() override {
    for (int c = 0; c < kAudioChannelCount; ++c) audio->HaltChannel(c);
    GcCollectAll();
    audio->FlushDiscardedBuffers();
    discardedBuffers.clear();
    EXPECT_EQ(GcCheckHeap(), "");
  }

  gxtkAudio* audio = nullptr;
  std::string printed_;
};

bool Contains(const std::vector<unsigned int>& list, unsigned int name) {
  return std::find(list.begin(), list.end(), name) != list.end();
}

TEST_F(AudioDevice, OpensTheDefaultDeviceQuietlyWithNoDistanceModel) {
  EXPECT_NE(audio->device, nullptr);
  EXPECT_NE(audio->context, nullptr);
  EXPECT_EQ(printed_, "");
  EXPECT_EQ(alGetInteger(AL_DISTANCE_MODEL), AL_NONE);
  for (const AudioChannel& channel : audio->channels) {
    EXPECT_EQ(channel.sourceName, 0u);
    EXPECT_EQ(channel.state, kChannelStopped);
  }
}

TEST_F(AudioDevice, SourcesAreMadeOnFirstUseAndKeepTheirSettings) {
  audio->SetChannelVolume(5, 0.25f);
  EXPECT_NE(audio->channels[5].sourceName, 0u);
  EXPECT_EQ(audio->channels[4].sourceName, 0u);
  const float quarterTurn = 1.5707964f;
  audio->SetChannelPan(5, -quarterTurn);
  audio->SetChannelRate(5, 1.5f);

  const unsigned int source = audio->channels[5].sourceName;
  audio->StartChannel(MakeTone(audio, 300), 5, 0);
  EXPECT_EQ(audio->channels[5].sourceName, source);  // never replaced
  float gain = 0, pitch = 0, x = 0, y = 0, z = 0;
  alGetSourcef(source, AL_GAIN, &gain);
  alGetSourcef(source, AL_PITCH, &pitch);
  alGetSource3f(source, AL_POSITION, &x, &y, &z);
  EXPECT_FLOAT_EQ(gain, 0.25f);
  EXPECT_FLOAT_EQ(pitch, 1.5f);
  EXPECT_NEAR(x, -1.0f, 1e-5);  // fully to the left
  EXPECT_NEAR(y, 0.0f, 1e-5);
  EXPECT_NEAR(z, 0.0f, 1e-5);

  audio->SetChannelPan(6, 0.0f);  // straight ahead
  alGetSource3f(audio->channels[6].sourceName, AL_POSITION, &x, &y, &z);
  EXPECT_NEAR(x, 0.0f, 1e-5);
  EXPECT_NEAR(z, -1.0f, 1e-5);

  audio->SetMusicVolume(0.5f);
  alGetSourcef(audio->channels[kMusicChannel].sourceName, AL_GAIN, &gain);
  EXPECT_FLOAT_EQ(gain, 0.5f);
}

TEST_F(AudioDevice, ANewEffectOnAChannelCutsOffTheOnePlaying) {
  gxtkSample* first = MakeTone(audio, 2000);
  gxtkSample* second = MakeTone(audio, 2000, 880.0);
  audio->StartChannel(first, 0, 1);
  ASSERT_EQ(SourceStateOf(audio, 0), AL_PLAYING);
  audio->StartChannel(second, 0, 0);
  ALint bound = 0, looping = -1;
  alGetSourcei(audio->channels[0].sourceName, AL_BUFFER, &bound);
  alGetSourcei(audio->channels[0].sourceName, AL_LOOPING, &looping);
  EXPECT_EQ(static_cast<unsigned int>(bound), second->buffer);
  EXPECT_EQ(looping, AL_FALSE);
  EXPECT_EQ(audio->channels[0].sample.get(), second);
  EXPECT_EQ(audio->channels[0].playFlags, 0);
  EXPECT_EQ(audio->QueryChannel(0), kChannelPlaying);
}

TEST_F(AudioDevice, ChannelStatesFollowPlayPauseAndEnd) {
  gxtkSample* loop = MakeTone(audio, 100);
  audio->StartChannel(loop, 1, 1);
  EXPECT_EQ(audio->QueryChannel(1), kChannelPlaying);
  audio->HoldChannel(1);
  EXPECT_EQ(audio->QueryChannel(1), kChannelPaused);
  EXPECT_EQ(SourceStateOf(audio, 1), AL_PAUSED);
  audio->ContinueChannel(1);
  EXPECT_EQ(audio->QueryChannel(1), kChannelPlaying);
  EXPECT_EQ(SourceStateOf(audio, 1), AL_PLAYING);
  // A looping sound never ends by itself.
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
  EXPECT_EQ(audio->QueryChannel(1), kChannelPlaying);
  audio->HaltChannel(1);
  EXPECT_EQ(audio->QueryChannel(1), kChannelStopped);
  EXPECT_EQ(SourceStateOf(audio, 1), AL_STOPPED);
  audio->ContinueChannel(1);  // only a paused channel continues
  EXPECT_EQ(audio->QueryChannel(1), kChannelStopped);

  // A short sound that ends: the state stays 1 until a query finds the source stopped.
  audio->StartChannel(MakeTone(audio, 40), 2, 0);
  EXPECT_EQ(audio->channels[2].state, kChannelPlaying);
  ASSERT_TRUE(WaitFor([&] { return audio->QueryChannel(2) == kChannelStopped; }));
  EXPECT_EQ(audio->channels[2].state, kChannelStopped);

  // Holding a channel whose sound already ended leaves it stopped, not paused.
  audio->StartChannel(MakeTone(audio, 40), 3, 0);
  ASSERT_TRUE(WaitFor([&] { return SourceStateOf(audio, 3) == AL_STOPPED; }));
  EXPECT_EQ(audio->channels[3].state, kChannelPlaying);
  EXPECT_EQ(audio->HoldChannel(3), 0);
  EXPECT_EQ(audio->channels[3].state, kChannelStopped);
  EXPECT_EQ(audio->QueryChannel(3), kChannelStopped);
}

TEST_F(AudioDevice, SuspendAndResumeTouchOnlyWhatWasPlaying) {
  audio->StartChannel(MakeTone(audio, 200), 0, 1);
  audio->StartChannel(MakeTone(audio, 200), 1, 1);
  audio->HoldChannel(1);  // paused by the application
  audio->StartChannel(MakeTone(audio, 30), 2, 0);
  ASSERT_TRUE(WaitFor([&] { return SourceStateOf(audio, 2) == AL_STOPPED; }));  // ended, not yet queried
  audio->StartChannel(MakeTone(audio, 200), kMusicChannel, 1);

  audio->SuspendOutput();
  EXPECT_EQ(SourceStateOf(audio, 0), AL_PAUSED);
  EXPECT_EQ(SourceStateOf(audio, kMusicChannel), AL_PAUSED);
  EXPECT_EQ(SourceStateOf(audio, 1), AL_PAUSED);
  EXPECT_EQ(SourceStateOf(audio, 2), AL_STOPPED);
  // Suspension changes no state: the application still sees its channels playing.
  EXPECT_EQ(audio->channels[0].state, kChannelPlaying);
  EXPECT_EQ(audio->channels[kMusicChannel].state, kChannelPlaying);
  EXPECT_EQ(audio->channels[1].state, kChannelPaused);

  audio->ResumeOutput();
  EXPECT_EQ(SourceStateOf(audio, 0), AL_PLAYING);
  EXPECT_EQ(SourceStateOf(audio, kMusicChannel), AL_PLAYING);
  EXPECT_EQ(SourceStateOf(audio, 1), AL_PAUSED);  // stays paused
  EXPECT_EQ(SourceStateOf(audio, 2), AL_STOPPED);  // an ended sound is not replayed
  EXPECT_EQ(audio->QueryChannel(1), kChannelPaused);
  EXPECT_EQ(audio->QueryChannel(2), kChannelStopped);

  // Resuming with nothing suspended changes nothing either.
  audio->ResumeOutput();
  EXPECT_EQ(SourceStateOf(audio, 1), AL_PAUSED);
}

TEST_F(AudioDevice, AReleasedBufferLivesWhilePlayingAndGoesAtALaterFlush) {
  gxtkSample* sample = MakeTone(audio, 150);
  const unsigned int buffer = sample->buffer;
  ASSERT_TRUE(IsBuffer(buffer));
  audio->StartChannel(sample, 4, 0);
  sample->Release();
  EXPECT_EQ(sample->buffer, 0u);
  EXPECT_TRUE(Contains(discardedBuffers, buffer));
  sample->Release();  // a second release has nothing to give up
  EXPECT_EQ(std::count(discardedBuffers.begin(), discardedBuffers.end(), buffer), 1);

  audio->FlushDiscardedBuffers();  // still attached to a playing source: kept
  EXPECT_TRUE(IsBuffer(buffer));
  EXPECT_TRUE(Contains(discardedBuffers, buffer));

  ASSERT_TRUE(WaitFor([&] { return SourceStateOf(audio, 4) == AL_STOPPED; }));
  audio->FlushDiscardedBuffers();  // the sound ended: detached and deleted
  EXPECT_FALSE(IsBuffer(buffer));
  EXPECT_TRUE(discardedBuffers.empty());
  ALint bound = -1;
  alGetSourcei(audio->channels[4].sourceName, AL_BUFFER, &bound);
  EXPECT_EQ(bound, 0);
}

TEST_F(AudioDevice, LoadingAndPlayingFlushTheDiscardedBuffers) {
  gxtkSample* unused = MakeTone(audio, 20);
  const unsigned int buffer = unused->buffer;
  unused->Release();
  audio->StartChannel(MakeTone(audio, 20), 0, 0);  // StartChannel flushes first
  EXPECT_FALSE(IsBuffer(buffer));
  EXPECT_TRUE(discardedBuffers.empty());
}

TEST_F(AudioDevice, AnEarlierOpenAlErrorDoesNotPostponeADeletion) {
  // A 24-bit sound has no OpenAL format: its upload fails and leaves an error behind.
  const wavtest::Bytes pcm(300, 0x40);
  gxtkSample* unplayable = audio->UploadIntoSample(new gxtkSample(), pcm.data(), 100, 1, 3, kToneRate);
  gxtkSample* unused = MakeTone(audio, 20);
  const unsigned int buffer = unused->buffer;
  unused->Release();
  audio->UploadIntoSample(new gxtkSample(), pcm.data(), 100, 1, 3, kToneRate);  // error pending again
  audio->FlushDiscardedBuffers();
  EXPECT_FALSE(IsBuffer(buffer));
  EXPECT_TRUE(discardedBuffers.empty());

  // The unplayable sample plays nothing: the channel ends at once.
  audio->StartChannel(unplayable, 7, 0);
  EXPECT_TRUE(WaitFor([&] { return audio->QueryChannel(7) == kChannelStopped; }));
}

TEST_F(AudioDevice, MarkKeepsPlayingAndPausedSamplesAlive) {
  gxtkSample* playing = MakeTone(audio, 100);
  gxtkSample* paused = MakeTone(audio, 100);
  gxtkSample* ended = MakeTone(audio, 20);
  gxtkSample* halted = MakeTone(audio, 100);
  const unsigned int endedBuffer = ended->buffer;
  audio->StartChannel(playing, 0, 1);
  audio->StartChannel(paused, 1, 1);
  audio->HoldChannel(1);
  audio->StartChannel(ended, 2, 0);
  audio->StartChannel(halted, 3, 1);
  audio->HaltChannel(3);
  ASSERT_TRUE(WaitFor([&] { return SourceStateOf(audio, 2) == AL_STOPPED; }));

  // Nothing but the device refers to the samples now.
  GcCollectAll();
  EXPECT_TRUE(GcIsLiveObject(playing));
  EXPECT_TRUE(GcIsLiveObject(paused));
  EXPECT_FALSE(GcIsLiveObject(ended));
  EXPECT_FALSE(GcIsLiveObject(halted));
  // The collected sample gave its buffer up; the next flush detaches and deletes it.
  EXPECT_TRUE(Contains(discardedBuffers, endedBuffer));
  audio->FlushDiscardedBuffers();
  EXPECT_FALSE(IsBuffer(endedBuffer));

  audio->HaltChannel(0);
  audio->HaltChannel(1);
  GcCollectAll();
  EXPECT_FALSE(GcIsLiveObject(playing));
  EXPECT_FALSE(GcIsLiveObject(paused));
}

TEST_F(AudioDevice, SoundsKeepTheirSamplesAndEmptyOnesPlayNothing) {
  gc_global<c_Sound*> kept;
  kept = new c_Sound(MakeTone(audio, 50));
  gxtkSample* sample = kept->sample;
  GcCollectAll();
  EXPECT_TRUE(GcIsLiveObject(sample));

  StartSound(kept, 0, 0);
  EXPECT_EQ(audio->QueryChannel(0), kChannelPlaying);
  EXPECT_EQ(audio->channels[0].sample.get(), sample);
  audio->HaltChannel(0);

  c_Sound* empty = new c_Sound();
  StartSound(empty, 0, 0);
  StartSound(nullptr, 0, 0);
  EXPECT_EQ(audio->QueryChannel(0), kChannelStopped);
  EXPECT_EQ(audio->channels[0].sample.get(), sample);

  SetMusicLevel(0.75f);
  float gain = 0;
  alGetSourcef(audio->channels[kMusicChannel].sourceName, AL_GAIN, &gain);
  EXPECT_FLOAT_EQ(gain, 0.75f);
  audio->StartChannel(MakeTone(audio, 100), kMusicChannel, 1);
  StopMusicPlayback();
  EXPECT_EQ(audio->QueryMusic(), kChannelStopped);
}

}  // namespace
