// The framework's delegate creates the audio device at start and suspends and
// resumes it with the host (null backend).
#include <gtest/gtest.h>

#include <memory>

#include "audio/sound.h"
#include "app/app.h"
#include "tests/audio/audio_test_util.h"
#include "tests/host/fake_host_test.h"

using namespace audiotest;

namespace {

class SoundApp : public c_App {
 public:
  int Startup() override {
    deviceAtStartup = currentAudioDevice;
    return 0;
  }
  int Update() override {
    ++updates;
    return 0;
  }
  gxtkAudio* deviceAtStartup = nullptr;
  int updates = 0;
};

using AppAudio = FakeHostTest;

TEST_F(AppAudio, StartCreatesTheDeviceBeforeStartupAndSuspensionPausesIt) {
  auto* app = new SoundApp();
  EXPECT_EQ(currentAudioDevice.get(), nullptr);
  game->BeginGame();
  gxtkAudio* audio = currentAudioDevice;
  ASSERT_NE(audio, nullptr);
  EXPECT_EQ(app->deviceAtStartup, audio);
  EXPECT_EQ(currentDelegate->audio.get(), audio);
  EXPECT_NE(audio->device, nullptr);

  audio->StartChannel(MakeTone(audio, 200), kMusicChannel, 1);
  audio->StartChannel(MakeTone(audio, 200), 0, 1);
  audio->HoldChannel(0);
  // The collector runs after every call into the application: the delegate
  // keeps the device, the device keeps its playing samples.
  GcCollectAll();
  EXPECT_TRUE(GcIsLiveObject(audio));
  EXPECT_TRUE(GcIsLiveObject(audio->channels[kMusicChannel].sample.get()));

  game->PauseGame();
  EXPECT_EQ(SourceStateOf(audio, kMusicChannel), AL_PAUSED);
  EXPECT_EQ(audio->QueryMusic(), kChannelPlaying);
  game->StepGame();  // no update while suspended
  EXPECT_EQ(app->updates, 0);
  game->UnpauseGame();
  EXPECT_EQ(SourceStateOf(audio, kMusicChannel), AL_PLAYING);
  EXPECT_EQ(SourceStateOf(audio, 0), AL_PAUSED);  // paused by the application: stays so
  EXPECT_EQ(audio->QueryChannel(0), kChannelPaused);
}

}  // namespace
