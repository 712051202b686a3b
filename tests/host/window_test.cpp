// The real GLFW host under an X server: window_app is started, clicked with
// xdotool, made to reopen its window, and closed with the window manager's
// close request.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/host/app_process.h"

// What the window manager's close button sends (x_close.cpp).
bool SendCloseRequest(unsigned long window);

namespace {

// The id of the (newest) window with the game's title.
std::string FindWindow() {
  std::string ids = Shell("timeout 20 xdotool search --sync --onlyvisible --name '^Rails Against Time$' 2>/dev/null");
  while (!ids.empty() && ids.back() == '\n') ids.pop_back();
  const std::size_t last = ids.rfind('\n');
  return last == std::string::npos ? ids : ids.substr(last + 1);
}

TEST(WindowTest, ClickReopenAndCloseOnTheRealWindow) {
  ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X server (xvfb-run)";
  AppProcess app;
  ASSERT_TRUE(app.Start(TARVEX_WINDOW_APP));
  // The first window: generation 1, 1024 x 768.
  EXPECT_EQ(app.WaitForLine("ready"), "ready 1 1024 768");

  std::string window = FindWindow();
  ASSERT_FALSE(window.empty());
  Shell("timeout 20 xdotool mousemove --sync --window " + window + " 300 200 click 1");
  EXPECT_EQ(app.WaitForLine("hit"), "hit 300 200");

  // With vertical sync on, sixty updates still take two seconds.
  const std::string rate = app.WaitForLine("rate");
  ASSERT_FALSE(rate.empty());
  const int ms = std::atoi(rate.c_str() + 5);
  EXPECT_GT(ms, 1700);
  EXPECT_LT(ms, 3000);

  // Holding a key while the window is reopened full screen and back.
  Shell("timeout 20 xdotool windowfocus --sync " + window + " keydown a");
  EXPECT_EQ(app.WaitForLine("reopened"), "reopened 2 released");
  Shell("xdotool keyup a");
  // Full screen keeps the desktop's video mode: the window is the screen's size.
  std::string screen = Shell("xdpyinfo | awk '/dimensions:/ {print $2}'");
  while (!screen.empty() && screen.back() == '\n') screen.pop_back();
  ASSERT_NE(screen.find('x'), std::string::npos) << screen;
  screen[screen.find('x')] = ' ';
  EXPECT_EQ(app.WaitForLine("full screen"), "full screen " + screen);

  window = FindWindow();
  ASSERT_FALSE(window.empty());
  ASSERT_TRUE(SendCloseRequest(std::stoul(window)));
  EXPECT_EQ(app.WaitForLine("close"), "close");
  EXPECT_EQ(app.WaitForExit(), 0);
}

}  // namespace
