// A scripted window system for the host's tests: a clock that only moves when
// the loop sleeps or waits (or a test moves it), one fake window whose state
// the test sets, and input delivered from scheduled events.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/game.h"
#include "host/platform.h"

class FakePlatform : public HostPlatform {
 public:
  struct OpenCall {
    int width, height;
    bool fullScreen;
    std::string title;
  };

  // Runs action during the first event processing at or after time t.
  void At(double t, std::function<void()> action) { events_.push_back({t, std::move(action)}); }
  // The window reports itself closed from time t on.
  void CloseAt(double t) { closeAt = t; }

  bool Init() override {
    ++inits;
    initialised = initSucceeds;
    return initialised;
  }
  void Terminate() override {
    ++terminates;
    initialised = false;
    window = false;
  }
  bool Initialised() const override { return initialised; }
  double Now() override { return initialised ? now : 0.0; }
  void Sleep(double seconds) override {
    sleeps.push_back(seconds);
    now += seconds;
  }
  void PollEvents() override {
    ++polls;
    RunDue();
  }
  void WaitEvents() override {
    ++waits;
    // Blocks until the next scheduled event, or lets a little time pass.
    double next = now + waitStep;
    for (const auto& e : events_) {
      if (!e.done && e.time < next) next = e.time;
    }
    if (next > now) now = next;
    RunDue();
  }
  void OpenWindow(int width, int height, int, int, int, int, int, int, bool fullScreen,
                  const char* title) override {
    opens.push_back({width, height, fullScreen, title});
    window = openSucceeds;
    held.clear();  // a new window starts with no key held
  }
  void InstallCallbacks(HostInputSink* s) override {
    sink = s;
    if (window) s->OnMousePosition(cursorX, cursorY);
  }
  bool WindowOpen() override { return window && now < closeAt; }
  bool WindowIconified() override { return iconified; }
  bool WindowActive() override { return active; }
  void WindowSize(int* w, int* h) override {
    *w = window ? windowWidth : 0;
    *h = window ? windowHeight : 0;
  }
  void FramebufferSize(int* w, int* h) override {
    *w = window ? pixelWidth : 0;
    *h = window ? pixelHeight : 0;
  }
  // Where a window (not full screen) stands on the desktop: moved by the game
  // through PlaceWindow, or by the player (the test) setting it.
  bool WindowPlacement(int* x, int* y, int* w, int* h) override {
    if (!window || opens.empty() || opens.back().fullScreen) return false;
    *x = placeX, *y = placeY, *w = placeWidth, *h = placeHeight;
    return true;
  }
  void PlaceWindow(int x, int y, int w, int h) override {
    placeX = x, placeY = y, placeWidth = w, placeHeight = h;
    ++placings;
  }
  void SwapBuffers() override { ++swaps; }
  bool KeyHeld(int glfwKey) override { return held.count(glfwKey) != 0; }
  void CursorPosition(double* x, double* y) override {
    *x = cursorX;
    *y = cursorY;
  }
  void ShowCursor(bool visible) override { cursorShown = visible; }
  bool Joystick(int port, std::vector<float>* axes, std::vector<unsigned char>* buttons) override {
    joystickPolls[port] += 1;
    auto it = joysticks.find(port);
    if (it == joysticks.end()) return false;
    *axes = it->second.axes;
    *buttons = it->second.buttons;
    return true;
  }

  // A pad on a port answers while it is in gamepads (erase it to unplug).
  bool Gamepad(int port, GamepadState* state) override {
    auto it = gamepads.find(port);
    if (it == gamepads.end()) return false;
    *state = it->second;
    return true;
  }

  struct FakeJoystick {
    std::vector<float> axes;
    std::vector<unsigned char> buttons;
  };

  // Scripted state.
  bool initSucceeds = true;
  bool openSucceeds = true;
  bool initialised = false;
  double now = 0;
  double waitStep = 0.25;
  double closeAt = 1e9;
  bool window = false;
  bool iconified = false;
  bool active = true;
  int windowWidth = 1024, windowHeight = 768;
  int placeX = 0, placeY = 0, placeWidth = 1024, placeHeight = 768, placings = 0;
  int pixelWidth = 1024, pixelHeight = 768;
  double cursorX = 0, cursorY = 0;
  std::set<int> held;
  std::map<int, FakeJoystick> joysticks;
  std::map<int, GamepadState> gamepads;
  HostInputSink* sink = nullptr;

  // What happened.
  int inits = 0, terminates = 0, polls = 0, waits = 0, swaps = 0;
  bool cursorShown = true;
  std::vector<double> sleeps;
  std::vector<OpenCall> opens;
  std::map<int, int> joystickPolls;

 private:
  struct Event {
    double time;
    std::function<void()> action;
    bool done = false;
  };
  void RunDue() {
    for (std::size_t i = 0; i < events_.size(); ++i) {
      if (events_[i].done || events_[i].time > now) continue;
      events_[i].done = true;
      auto action = events_[i].action;  // the action may schedule more events
      action();
    }
  }
  std::vector<Event> events_;
};
