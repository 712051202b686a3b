// Resident memory of the real program in a real window (run under Xvfb from
// the repository's root: xvfb-run -a -s "-screen 0 1280x1024x24"
// build/bench/bench_window_memory [seconds]).
//
// Two child processes are watched, one after the other, their /proc status
// read every 10 ms:
//  - a bare program that opens a full-screen OpenGL window and presents
//    frames: what the window system and the OpenGL driver cost on their own;
//  - the game playing the kept campaign replay in its window (at real speed,
//    so the first seconds: logo, start-up loading, title, menu, map and the
//    first level).
// Prints each one's peak resident size and, at that peak, how much of it is
// anonymous memory (heap, textures of a software renderer, sound buffers) and
// how much is mapped files (the libraries).
#include <GL/gl.h>
#include <GLFW/glfw3.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

struct Resident {
  long peakKiB = 0;
  long anonKiB = 0;
  long fileKiB = 0;
};

long StatusField(const std::string& status, const char* name) {
  const std::size_t at = status.find(name);
  return at == std::string::npos ? 0 : std::atol(status.c_str() + at + std::strlen(name));
}

// Samples the child until it ends or `seconds` pass, then stops it.
Resident Watch(pid_t child, double seconds) {
  Resident r;
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  const std::string path = "/proc/" + std::to_string(child) + "/status";
  while (std::chrono::steady_clock::now() < end && waitpid(child, nullptr, WNOHANG) == 0) {
    std::string status;
    if (FILE* f = std::fopen(path.c_str(), "r")) {
      char line[256];
      while (std::fgets(line, sizeof line, f) != nullptr) status += line;
      std::fclose(f);
    }
    const long rss = StatusField(status, "VmRSS:");
    if (rss > r.peakKiB) {
      r.peakKiB = rss;
      r.anonKiB = StatusField(status, "RssAnon:");
      r.fileKiB = StatusField(status, "RssFile:");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return r;
}

[[noreturn]] void BareWindow() {
  if (!glfwInit()) _exit(1);
  GLFWmonitor* monitor = glfwGetPrimaryMonitor();
  const GLFWvidmode* mode = glfwGetVideoMode(monitor);
  GLFWwindow* window = glfwCreateWindow(mode->width, mode->height, "bare", monitor, nullptr);
  if (window == nullptr) _exit(1);
  glfwMakeContextCurrent(window);
  for (;;) {
    glClear(GL_COLOR_BUFFER_BIT);
    glfwSwapBuffers(window);
    glfwPollEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(33));
  }
}

std::string GameBinary() {
  char self[4096] = {};
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string dir = n > 0 ? std::string(self, static_cast<std::size_t>(n)) : std::string("build/bench/x");
  dir = dir.substr(0, dir.rfind('/'));
  return dir + "/../game/rails-against-time";
}

void Report(const char* what, const Resident& r) {
  std::printf("%-44s peak resident %6.1f MB (anonymous %6.1f MB, mapped files %5.1f MB)\n", what,
              r.peakKiB / 1024.0, r.anonKiB / 1024.0, r.fileKiB / 1024.0);
  std::fflush(stdout);  // before the next fork, or the child repeats the line
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 30;
  setenv("ALSOFT_DRIVERS", "null", 0);  // a machine without a sound card still opens a device

  pid_t bare = fork();
  if (bare == 0) BareWindow();
  Report("bare full-screen OpenGL window:", Watch(bare, 3));

  const std::string game = GameBinary();
  pid_t player = fork();
  if (player == 0) {
    if (std::freopen("/dev/null", "w", stdout) == nullptr) _exit(1);
    execl(game.c_str(), game.c_str(), "--replay", "tests/replays/campaign.replay", static_cast<char*>(nullptr));
    _exit(127);
  }
  Report("the game (campaign replay in its window):", Watch(player, seconds));
  return 0;
}
