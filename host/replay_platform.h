// A replay as a window system: the game cannot tell it from a real run.
//
// Its clock moves only when the host loop sleeps or waits, by exactly what the
// loop asked for, so the loop runs one update per update interval and never
// falls behind. Before each update the loop polls for events; the replay then
// delivers, through the same input callbacks a real window uses, every event
// whose time the clock has reached. Once the clock passes the replay's end the
// "window" reports itself closed and the loop returns.
//
// Headless (no window system given) there is no window and no OpenGL context
// at all: the loop draws nothing and runs as fast as the game updates. Given
// the real window system, the replay is shown in a real window at real pace;
// that window's own input is ignored, except a close request.
//
// A full-screen window takes the size the replay's display line names, as the
// recording's screen had; a window opened at a given size gets that size. The
// pointer goes from virtual positions to that window's pixels through the
// game's mapping, so the game maps them back to exactly the recorded values.
// When a window opens, the pointer is reported where the recording's next
// window found it (or where it is, when the replay does not say).
#pragma once

#include <cstdint>
#include <set>

#include "host/platform.h"
#include "host/real_time_pacer.h"
#include "host/replay_file.h"
#include "host/virtual_pointer.h"

class ReplayPlatform final : public HostPlatform {
 public:
  // map: the game's pointer mapping (null: virtual positions are pixels).
  // window: the real window system to show the replay in, or null for none.
  ReplayPlatform(ReplayScript script, const VirtualPointerMap* map, HostPlatform* window = nullptr);

  // The clock has passed the replay's end.
  bool Finished() const { return finished_; }
  // The next calendar answer: the replay's values in order; past the last
  // one the last again (0 when there is none).
  std::int64_t NextCalendarSeconds();
  // The answer the next call gives, left for it: what the game shows of the
  // date reads the replay's days without taking from them.
  std::int64_t PeekCalendarSeconds() const;
  const ReplayScript& Script() const { return script_; }

  bool Headless() override { return window_ == nullptr; }
  bool Init() override;
  void Terminate() override;
  bool Initialised() const override { return initialised_; }
  double Now() override { return initialised_ ? clock_ : 0.0; }
  void Sleep(double seconds) override;
  void PollEvents() override;
  // Nothing else can happen while waiting: the clock moves on one update interval.
  void WaitEvents() override;
  void OpenWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits, int depthBits,
                  int stencilBits, bool fullScreen, const char* title) override;
  void InstallCallbacks(HostInputSink* sink) override;
  bool WindowOpen() override;
  bool WindowIconified() override { return false; }
  bool WindowActive() override { return true; }
  void WindowSize(int* width, int* height) override;
  void FramebufferSize(int* width, int* height) override;
  void SwapBuffers() override;
  bool KeyHeld(int glfwKey) override { return held_.count(glfwKey) != 0; }
  void CursorPosition(double* x, double* y) override;
  void ShowCursor(bool visible) override;
  void SetCursorShape(bool hand) override;
  // A replay has no joystick (a recording hides them).
  bool Joystick(int, std::vector<float>*, std::vector<unsigned char>*) override { return false; }
  // Nor a gamepad: a replay holds keys and the pointer only.
  bool Gamepad(int, GamepadState*) override { return false; }

 private:
  // The real window's input: only a close request gets through.
  class WindowInput final : public HostInputSink {
   public:
    explicit WindowInput(ReplayPlatform* owner) : owner_(owner) {}
    void OnKey(int, int) override {}
    void OnChar(unsigned int) override {}
    void OnMouseButton(int, int) override {}
    void OnMousePosition(double, double) override {}
    void OnCloseRequest() override {
      if (owner_->sink_) owner_->sink_->OnCloseRequest();
    }

   private:
    ReplayPlatform* owner_;
  };

  void Deliver(const ReplayEvent& event);
  // Places the pointer at virtual (vx, vy) in the window's pixels.
  void PlacePointer(float vx, float vy);

  ReplayScript script_;
  const VirtualPointerMap* map_;
  HostPlatform* window_;
  WindowInput windowInput_{this};
  RealTimePacer pacer_;
  HostInputSink* sink_ = nullptr;
  bool initialised_ = false;
  bool open_ = false;
  bool finished_ = false;
  double clock_ = 0;
  std::size_t nextEvent_ = 0;
  std::size_t nextCalendar_ = 0;
  std::size_t nextOpen_ = 0;  // the next WindowOpened event to look at
  int width_ = 0, height_ = 0;
  double pointerX_ = 0, pointerY_ = 0;
  std::set<int> held_;
};

// The update interval a replay's clock moves on when the loop waits instead of sleeping.
constexpr double kReplayIdleStep = 1.0 / 30.0;
