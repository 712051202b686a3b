#include "host/replay_platform.h"

#include <utility>

ReplayPlatform::ReplayPlatform(ReplayScript script, const VirtualPointerMap* map, HostPlatform* window)
    : script_(std::move(script)), map_(map), window_(window) {}

std::int64_t ReplayPlatform::NextCalendarSeconds() {
  const std::int64_t seconds = PeekCalendarSeconds();
  if (nextCalendar_ < script_.calendar.size()) ++nextCalendar_;
  return seconds;
}

std::int64_t ReplayPlatform::PeekCalendarSeconds() const {
  const std::vector<std::int64_t>& values = script_.calendar;
  if (values.empty()) return 0;
  return nextCalendar_ < values.size() ? values[nextCalendar_] : values.back();
}

bool ReplayPlatform::Init() {
  initialised_ = window_ == nullptr || window_->Init();
  return initialised_;
}

void ReplayPlatform::Terminate() {
  if (window_) window_->Terminate();
  initialised_ = false;
  open_ = false;
}

void ReplayPlatform::Sleep(double seconds) {
  if (!(seconds > 0)) return;
  clock_ += seconds;
  if (window_) pacer_.WaitFor(clock_);
}

void ReplayPlatform::PollEvents() {
  if (window_) window_->PollEvents();
  // The same conversion as the game's millisecond clock.
  const int now = static_cast<int>(Now() * 1000.0);
  if (now > script_.endTime) {
    finished_ = true;
    return;
  }
  while (nextEvent_ < script_.events.size() && script_.events[nextEvent_].time <= now) {
    Deliver(script_.events[nextEvent_++]);
  }
}

void ReplayPlatform::WaitEvents() {
  Sleep(kReplayIdleStep);
  PollEvents();
}

void ReplayPlatform::Deliver(const ReplayEvent& e) {
  switch (e.kind) {
    case ReplayEvent::WindowOpened:
      break;  // handed out when a window opens
    case ReplayEvent::Move:
      PlacePointer(e.x, e.y);
      if (sink_) sink_->OnMousePosition(pointerX_, pointerY_);
      break;
    case ReplayEvent::ButtonDown:
    case ReplayEvent::ButtonUp:
      if (e.hasPosition) {
        PlacePointer(e.x, e.y);
        if (sink_) sink_->OnMousePosition(pointerX_, pointerY_);
      }
      if (sink_) {
        sink_->OnMouseButton(e.code, e.kind == ReplayEvent::ButtonDown ? HostInputSink::kActionPress
                                                                       : HostInputSink::kActionRelease);
      }
      break;
    case ReplayEvent::Key:
      if (e.action == HostInputSink::kActionRelease) {
        held_.erase(e.code);
      } else {
        held_.insert(e.code);
      }
      if (sink_) sink_->OnKey(e.code, e.action);
      break;
    case ReplayEvent::Char:
      if (sink_) sink_->OnChar(static_cast<unsigned int>(e.code));
      break;
  }
}

void ReplayPlatform::PlacePointer(float vx, float vy) {
  int w = 0, h = 0, px = 0, py = 0;
  FramebufferSize(&w, &h);
  if (map_) {
    map_->ToPixel(vx, vy, w, h, &px, &py);
  } else {
    px = static_cast<int>(vx);
    py = static_cast<int>(vy);
  }
  pointerX_ = px;
  pointerY_ = py;
}

void ReplayPlatform::OpenWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits,
                                int depthBits, int stencilBits, bool fullScreen, const char* title) {
  if (!initialised_) return;
  width_ = fullScreen ? script_.displayWidth : width;
  height_ = fullScreen ? script_.displayHeight : height;
  held_.clear();  // a new window starts with no key held
  if (window_) {
    // Always a window, never a mode switch: the recording's screen, shown as it was.
    window_->OpenWindow(width_, height_, redBits, greenBits, blueBits, alphaBits, depthBits, stencilBits, false,
                        title);
    open_ = window_->WindowOpen();
  } else {
    open_ = true;
  }
}

void ReplayPlatform::InstallCallbacks(HostInputSink* sink) {
  if (!open_) return;
  sink_ = sink;
  if (window_) window_->InstallCallbacks(&windowInput_);
  // As a window system does, the new window hears where the pointer is.
  const std::vector<ReplayEvent>& events = script_.events;
  while (nextOpen_ < events.size() && events[nextOpen_].kind != ReplayEvent::WindowOpened) ++nextOpen_;
  if (nextOpen_ < events.size()) {
    PlacePointer(events[nextOpen_].x, events[nextOpen_].y);
    ++nextOpen_;
  }
  sink->OnMousePosition(pointerX_, pointerY_);
}

bool ReplayPlatform::WindowOpen() { return open_ && !finished_ && (!window_ || window_->WindowOpen()); }

void ReplayPlatform::WindowSize(int* width, int* height) {
  if (window_) return window_->WindowSize(width, height);
  *width = open_ ? width_ : 0;
  *height = open_ ? height_ : 0;
}

void ReplayPlatform::FramebufferSize(int* width, int* height) {
  if (window_) return window_->FramebufferSize(width, height);
  *width = open_ ? width_ : 0;
  *height = open_ ? height_ : 0;
}

void ReplayPlatform::SwapBuffers() {
  if (window_) window_->SwapBuffers();
}

void ReplayPlatform::CursorPosition(double* x, double* y) {
  *x = pointerX_;
  *y = pointerY_;
}

void ReplayPlatform::ShowCursor(bool visible) {
  if (window_) window_->ShowCursor(visible);
}

void ReplayPlatform::SetCursorShape(bool hand) {
  if (window_) window_->SetCursorShape(hand);
}
