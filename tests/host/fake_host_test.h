// A test with a host game over the fake platform and fresh framework globals,
// for tests that drive an application through the delegate without a window.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/app.h"
#include "tests/host/fake_platform.h"

class FakeHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitAppGlobals();
    platform.Init();
    game = std::make_unique<BBTarvexGame>(&platform);
  }
  void TearDown() override {
    // Drop this test's application and let the collector release its devices.
    InitAppGlobals();
    GcCollectAll();
    game.reset();
  }
  FakePlatform platform;
  std::unique_ptr<BBTarvexGame> game;
};
