// Shared pieces of the host's tests: a delegate that records what the host
// calls, and a fixture that gives each test a fresh host game over a fake
// window system.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/game.h"
#include "tests/host/fake_platform.h"

struct Call {
  std::string what;  // "start", "suspend", "resume", "update", "render", "key", "mouse", ...
  double time;
  int event = 0;
  int data = 0;
  float x = 0, y = 0;
};

// Records every delegate call (with the fake clock's time) into a plain vector
// owned by the test, and runs the test's hooks.
class RecordingDelegate : public BBGameDelegate {
 public:
  RecordingDelegate(std::vector<Call>* calls, FakePlatform* platform) : calls_(calls), platform_(platform) {}

  std::function<void()> onStart, onUpdate, onRender;

  void HandleStart() override { Record("start", onStart); }
  void HandleSuspend() override { Record("suspend", nullptr); }
  void HandleResume() override { Record("resume", nullptr); }
  void HandleUpdate() override { Record("update", onUpdate); }
  void HandleRender() override { Record("render", onRender); }
  void HandleKey(int event, int data) override { calls_->push_back({"key", platform_->now, event, data}); }
  void HandleMouse(int event, int data, float x, float y) override {
    calls_->push_back({"mouse", platform_->now, event, data, x, y});
  }

 private:
  void Record(const char* what, const std::function<void()>& hook) {
    calls_->push_back({what, platform_->now});
    if (hook) hook();
  }
  std::vector<Call>* calls_;
  FakePlatform* platform_;
};

// Keeps the fixture's delegate reachable through full collections.
inline gc_global<RecordingDelegate*> testDelegateRoot;

class HostFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    platform.Init();
    game = std::make_unique<BBTarvexGame>(&platform);
    delegate = new RecordingDelegate(&calls, &platform);
    testDelegateRoot = delegate;
    game->AttachDelegate(delegate);
  }
  void TearDown() override {
    // The delegate keeps hooks that point into this fixture; drop them.
    delegate->onStart = delegate->onUpdate = delegate->onRender = nullptr;
    testDelegateRoot = nullptr;
    game.reset();
  }

  int Count(const std::string& what) const {
    int n = 0;
    for (const Call& c : calls) n += c.what == what;
    return n;
  }
  // The sequence of update ("U") and render ("R") calls as one string.
  std::string Pattern() const {
    std::string s;
    for (const Call& c : calls) {
      if (c.what == "update") s += 'U';
      if (c.what == "render") s += 'R';
    }
    return s;
  }

  FakePlatform platform;
  std::unique_ptr<BBTarvexGame> game;
  RecordingDelegate* delegate = nullptr;
  std::vector<Call> calls;
};
