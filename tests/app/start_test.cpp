// The process start, run in child processes because it ends the process or
// owns the collector's lists.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "app/app.h"
#include "runtime/error.h"
#include "tests/host/fake_platform.h"

namespace {

// Writes a trace line to standard error, which the death tests match.
void Trace(const char* text) {
  std::fputs(text, stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

class TracingPlatform : public FakePlatform {
 public:
  void Terminate() override {
    Trace("terminate");
    FakePlatform::Terminate();
  }
  void OpenWindow(int width, int height, int r, int g, int b, int a, int depth, int stencil, bool full,
                  const char* title) override {
    std::fprintf(stderr, "open %dx%d bits %d%d%d%d%d%d %s\n", width, height, r, g, b, a, depth, stencil,
                 full ? "full" : "windowed");
    FakePlatform::OpenWindow(width, height, r, g, b, a, depth, stencil, full, title);
  }
};

void InitGlobals() {
  Trace("init");
  InitAppGlobals();
}
void MainWithoutApplication() { Trace(hostArgc == 2 && std::string(hostArgv[1]) == "x" ? "main x" : "main ?"); }

class TraceApp : public c_App {
 public:
  int Startup() override {
    Trace("startup");
    return 0;
  }
  int Render() override {
    Trace("render");
    return 0;
  }
};
void MainWithApplication() { new TraceApp(); }
void MainThatThrows() { throw static_cast<ThrowableObject*>(new c_QuaddException()); }

char arg0[] = "prog";
char arg1[] = "x";
char* args[] = {arg0, arg1, nullptr};

TEST(StartTest, NoDisplayMeansGlfwInitFailedAndStatusMinusOne) {
  EXPECT_EXIT(
      {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        dup2(2, 1);
        std::exit(TarvexStart(2, args, InitGlobals, MainWithoutApplication) + 10);
      },
      ::testing::ExitedWithCode(255), "^glfwInit failed\n$");
}

TEST(StartTest, NoApplicationMeansNoWindowAndStatusZero) {
  EXPECT_EXIT(
      {
        auto* platform = new TracingPlatform();
        std::exit(TarvexStartWith(platform, nullptr, 2, args, InitGlobals, MainWithoutApplication));
      },
      ::testing::ExitedWithCode(0), "^init\nmain x\nterminate\n$");
}

TEST(StartTest, ApplicationRunsTheLoopInTheFirstWindowUntilItCloses) {
  EXPECT_EXIT(
      {
        auto* platform = new TracingPlatform();
        platform->CloseAt(0.3);
        std::exit(TarvexStartWith(platform, nullptr, 2, args, InitGlobals, MainWithApplication));
      },
      ::testing::ExitedWithCode(0),
      "^init\nopen 1024x768 bits 888000 windowed\nstartup\nrender\n(render\n)+terminate\n");
}

TEST(StartTest, ThrowableFromTheMainFunctionTerminatesThenReportsIt) {
  EXPECT_EXIT(
      {
        dup2(2, 1);
        auto* platform = new TracingPlatform();
        std::exit(TarvexStartWith(platform, nullptr, 2, args, InitGlobals, MainThatThrows));
      },
      ::testing::ExitedWithCode(255), "^init\nterminate\nTarvex Runtime Error : Uncaught Tarvex Exception\n$");
}

}  // namespace
