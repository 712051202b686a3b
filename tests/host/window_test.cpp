// The real GLFW host under an X server: window_app is started, clicked with
// xdotool, made to reopen its window, and closed with the window manager's
// close request.
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

extern char** environ;

// What the window manager's close button sends (x_close.cpp).
bool SendCloseRequest(unsigned long window);

namespace {

// The application under test, with its standard output on a pipe.
class AppProcess {
 public:
  bool Start(const char* path) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", 0, 0);
    char* argv[] = {const_cast<char*>(path), nullptr};
    const int rc = posix_spawn(&pid_, path, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    out_ = fds[0];
    return rc == 0;
  }

  ~AppProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) close(out_);
  }

  // The next line that starts with prefix (earlier lines are skipped), or ""
  // when none arrives within the time.
  std::string WaitForLine(const std::string& prefix, int seconds = 30) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (;;) {
      std::size_t end;
      while ((end = buffer_.find('\n')) != std::string::npos) {
        std::string line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        if (line.compare(0, prefix.size(), prefix) == 0) return line;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return "";
      pollfd p{out_, POLLIN, 0};
      if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
      char chunk[512];
      const ssize_t n = read(out_, chunk, sizeof chunk);
      if (n <= 0) return "";
      buffer_.append(chunk, static_cast<std::size_t>(n));
    }
  }

  // The exit status, or -1000 when the process does not end in time.
  int WaitForExit(int seconds = 20) {
    for (int i = 0; i < seconds * 100; ++i) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -100 - WTERMSIG(status);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1000;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string buffer_;
};

std::string Shell(const std::string& command) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  if (!p) return out;
  char chunk[256];
  while (std::fgets(chunk, sizeof chunk, p)) out += chunk;
  pclose(p);
  return out;
}

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

  window = FindWindow();
  ASSERT_FALSE(window.empty());
  ASSERT_TRUE(SendCloseRequest(std::stoul(window)));
  EXPECT_EQ(app.WaitForLine("close"), "close");
  EXPECT_EQ(app.WaitForExit(), 0);
}

}  // namespace
