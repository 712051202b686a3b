// A recording as a window system: it wraps the real one, passes on its
// window, and writes every input event it delivers to a replay file.
//
// The game's clock during a recording is the replay's clock: it moves only
// when the loop sleeps, by exactly what the loop asked for, and the recording
// waits in real time until the wall clock has caught up. The game therefore
// sees the same update times the replay will give it. What the recording
// answers the game (the pointer at a click, the keys held, no joystick or gamepad, a
// window that is never minimised) comes from what it delivered, so a replay
// can answer the same.
//
// An event takes the time of the update it reaches: an event that arrives
// after the loop's first poll at some clock time comes after that time's
// update, and is written with the next update's time. The file is kept whole
// on the disk at all times: after each poll and sleep its end line is
// rewritten for the last update, so it survives the program ending at any
// moment (the game ends itself with no further word).
#pragma once

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "host/platform.h"
#include "host/real_time_pacer.h"
#include "host/replay_file.h"
#include "host/virtual_pointer.h"

class RecordingPlatform final : public HostPlatform, private HostInputSink {
 public:
  // real: the window system that is recorded; map: the game's pointer mapping.
  // pace: wait in real time in Sleep (tests turn it off).
  RecordingPlatform(HostPlatform* real, const VirtualPointerMap* map, bool pace = true);
  ~RecordingPlatform() override;

  // Creates the replay file; state: the saved state the game starts from, or
  // null for none; version: the rules the header names. False with a reason
  // when the file cannot be created.
  bool Open(const std::string& path, const std::string* state, std::string* error, int version = kReplayVersion);
  // Writes one answer the game's calendar gave.
  void RecordCalendar(std::int64_t seconds);
  // Brings the file up to date (the end line for the last update that ran)
  // and closes it.
  void Finish();

  bool Headless() override { return real_->Headless(); }
  bool Init() override { return real_->Init(); }
  void Terminate() override { real_->Terminate(); }
  bool Initialised() const override { return real_->Initialised(); }
  double Now() override { return real_->Initialised() ? clock_ : 0.0; }
  void Sleep(double seconds) override;
  void PollEvents() override;
  // The clock moves on one update interval, as a replay's does.
  void WaitEvents() override;
  void OpenWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits, int depthBits,
                  int stencilBits, bool fullScreen, const char* title) override;
  void InstallCallbacks(HostInputSink* sink) override;
  bool WindowOpen() override;
  // Never minimised: the game is never suspended, as a replay never is.
  bool WindowIconified() override { return false; }
  bool WindowActive() override { return true; }
  void WindowSize(int* width, int* height) override { real_->WindowSize(width, height); }
  void FramebufferSize(int* width, int* height) override { real_->FramebufferSize(width, height); }
  void SwapBuffers() override { real_->SwapBuffers(); }
  bool KeyHeld(int glfwKey) override { return held_.count(glfwKey) != 0; }
  void CursorPosition(double* x, double* y) override;
  void ShowCursor(bool visible) override { real_->ShowCursor(visible); }
  void SetCursorShape(bool hand) override { real_->SetCursorShape(hand); }
  bool WindowPlacement(int* x, int* y, int* width, int* height) override {
    return real_->WindowPlacement(x, y, width, height);
  }
  void PlaceWindow(int x, int y, int width, int height) override { real_->PlaceWindow(x, y, width, height); }
  bool Joystick(int, std::vector<float>*, std::vector<unsigned char>*) override { return false; }
  // Nor a gamepad: the file holds keys and the pointer only.
  bool Gamepad(int, GamepadState*) override { return false; }

 private:
  // HostInputSink: what the real window delivers, on its way to the game.
  void OnKey(int glfwKey, int action) override;
  void OnChar(unsigned int codepoint) override;
  void OnMouseButton(int button, int action) override;
  void OnMousePosition(double x, double y) override;
  void OnCloseRequest() override;

  int Milliseconds(double clock) const { return static_cast<int>(clock * 1000.0); }
  void Record(ReplayEvent event);
  // The event for a pointer at window position (x, y): where it is on the virtual screen.
  ReplayEvent PointerEvent(ReplayEvent::Kind kind, double x, double y);
  // Writes what is new and the end line, keeping the file whole.
  void Flush();

  HostPlatform* real_;
  const VirtualPointerMap* map_;
  bool pace_;
  RealTimePacer pacer_;
  HostInputSink* game_ = nullptr;
  std::FILE* file_ = nullptr;
  long written_ = 0;        // bytes before the end line
  std::string header_;      // not yet written: the header lines
  bool headerWritten_ = false;
  std::string unwritten_;   // lines not yet in the file
  std::vector<ReplayEvent> nextUpdate_;  // events waiting for the next update's time
  double clock_ = 0;
  int pollsAtClock_ = 0;    // polls since the clock last moved
  int lastUpdate_ = 0;      // the time of the last update that ran
  int previousUpdate_ = 0;  // the one before, while the loop may still stop
  bool sawFullScreen_ = false;
  int displayWidth_ = 1024, displayHeight_ = 768;
  double pointerX_ = 0, pointerY_ = 0;
  std::set<int> held_;
  bool installing_ = false;  // inside the real window system's InstallCallbacks
};

constexpr double kRecordingIdleStep = 1.0 / 30.0;
