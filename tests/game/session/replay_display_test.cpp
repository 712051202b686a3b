// A session recorded in a real window (clicked with xdotool) replays to the
// same outcome, headless and in a window. The recording is cut off by killing
// the program: its file is whole at every moment.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "tests/host/app_process.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The game's clock as the recording's end line says, or -1.
int RecordedTime(const std::string& path) {
  const std::string text = ReadAll(path);
  const std::size_t end = text.rfind("\nend ");
  return end == std::string::npos ? -1 : std::atoi(text.c_str() + end + 5);
}

// Waits until the recorded clock reaches ms; false after 60 s.
bool WaitForGameTime(const std::string& path, int ms) {
  for (int i = 0; i < 600; ++i) {
    if (RecordedTime(path) >= ms) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

std::string LastLine(const std::string& text) {
  std::string t = text;
  while (!t.empty() && t.back() == '\n') t.pop_back();
  const std::size_t feed = t.rfind('\n');
  return feed == std::string::npos ? t : t.substr(feed + 1);
}

TEST(ReplayDisplayTest, ARecordedSessionReplaysToTheSameEndHeadlessAndInAWindow) {
  char dir[] = "/tmp/replay_recordXXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string folder = dir;
  ASSERT_EQ(symlink(TARVEX_DATA_DIR, (folder + "/data").c_str()), 0);
  const std::string file = folder + "/session.replay";
  {
    AppProcess game;
    ASSERT_TRUE(game.Start(TARVEX_GAME_EXE, {"--record", file}, folder));
    const std::string window =
        Shell("timeout 30 xdotool search --sync --onlyvisible --name '^Rails Against Time$' 2>/dev/null | head -1");
    ASSERT_FALSE(window.empty());
    // Full screen on the 1280 x 1024 screen: virtual (x, y) is at
    // (1.25 x, 1.25 y + 32). Each click waits for the game's clock.
    const struct {
      int atMs, x, y;
    } clicks[] = {{3200, 640, 512},      // the title
                  {3700, 1000, 457},     // the menu's new game (800, 340)
                  {4200, 1062, 932}};    // the map's start button (850, 720)
    for (const auto& c : clicks) {
      ASSERT_TRUE(WaitForGameTime(file, c.atMs)) << ReadAll(file);
      Shell("xdotool mousemove " + std::to_string(c.x) + " " + std::to_string(c.y) + " sleep 0.2 click 1");
    }
    ASSERT_TRUE(WaitForGameTime(file, 5000));
  }  // killed here

  const std::string recorded = ReadAll(file);
  EXPECT_NE(recorded.find("display 1280 1024\n"), std::string::npos) << recorded;
  EXPECT_NE(recorded.find("\ncalendar "), std::string::npos) << recorded;

  const std::string run = " " TARVEX_GAME_EXE " --replay session.replay";
  const std::string headless = LastLine(Shell("cd " + folder + " && env -u DISPLAY" + run + " --headless"));
  const std::string windowed = LastLine(Shell("cd " + folder + " &&" + run + " 2>/dev/null"));
  EXPECT_EQ(headless.compare(0, 16, "screen=3 level=1"), 0) << headless << "\n" << recorded;
  EXPECT_EQ(windowed, headless);
  std::system(("rm -rf " + folder).c_str());
}

}  // namespace
