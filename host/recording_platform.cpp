#include "host/recording_platform.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

RecordingPlatform::RecordingPlatform(HostPlatform* real, const VirtualPointerMap* map, bool pace)
    : real_(real), map_(map), pace_(pace) {}

RecordingPlatform::~RecordingPlatform() { Finish(); }

bool RecordingPlatform::Open(const std::string& path, const std::string* state, std::string* error, int version) {
  header_ = replay_text::Header(version);
  if (state) {
    std::string line;
    if (!replay_text::State(*state, &line)) {
      *error = "the saved state cannot be written on one line";
      return false;
    }
    header_ += line;
  }
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) {
    *error = "cannot create " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

void RecordingPlatform::RecordCalendar(std::int64_t seconds) { unwritten_ += replay_text::Calendar(seconds); }

void RecordingPlatform::Finish() {
  if (!file_) return;
  Flush();
  std::fclose(file_);
  file_ = nullptr;
}

void RecordingPlatform::Flush() {
  if (!file_) return;
  if (!headerWritten_) {
    headerWritten_ = true;
    // The display line goes right after the header, before any other line.
    const std::size_t feed = header_.find('\n') + 1;
    if (sawFullScreen_ && (displayWidth_ != 1024 || displayHeight_ != 768)) {
      header_.insert(feed, replay_text::Display(displayWidth_, displayHeight_));
    }
    unwritten_.insert(0, header_);
  }
  std::fseek(file_, written_, SEEK_SET);
  std::fwrite(unwritten_.data(), 1, unwritten_.size(), file_);
  written_ += static_cast<long>(unwritten_.size());
  unwritten_.clear();
  const std::string end = replay_text::End(lastUpdate_);
  std::fwrite(end.data(), 1, end.size(), file_);
  std::fflush(file_);
  // An earlier end line may have been longer.
  if (ftruncate(fileno(file_), written_ + static_cast<long>(end.size())) != 0) {
    // The reader then refuses the text after the end line; nothing more to do here.
  }
}

void RecordingPlatform::Record(ReplayEvent event) {
  if (pollsAtClock_ > 0) {
    nextUpdate_.push_back(event);
    return;
  }
  event.time = Milliseconds(clock_);
  unwritten_ += replay_text::Event(event);
}

void RecordingPlatform::Sleep(double seconds) {
  if (!(seconds > 0)) return;
  clock_ += seconds;
  if (pace_) pacer_.WaitFor(clock_);
  pollsAtClock_ = 0;
  for (ReplayEvent& e : nextUpdate_) {
    e.time = Milliseconds(clock_);
    unwritten_ += replay_text::Event(e);
  }
  nextUpdate_.clear();
}

void RecordingPlatform::PollEvents() {
  real_->PollEvents();
  if (++pollsAtClock_ == 1) {
    // The loop updates after its first poll at a new time (unless it stops
    // there, see WindowOpen).
    previousUpdate_ = lastUpdate_;
    lastUpdate_ = Milliseconds(clock_);
  }
  Flush();
}

bool RecordingPlatform::WindowOpen() {
  if (real_->WindowOpen()) return true;
  // The loop returns right after this poll: this time's update never ran.
  if (pollsAtClock_ == 1 && lastUpdate_ != previousUpdate_) {
    lastUpdate_ = previousUpdate_;
    Flush();
  }
  return false;
}

void RecordingPlatform::WaitEvents() {
  Sleep(kRecordingIdleStep);
  PollEvents();
}

void RecordingPlatform::OpenWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits,
                                   int depthBits, int stencilBits, bool fullScreen, const char* title) {
  real_->OpenWindow(width, height, redBits, greenBits, blueBits, alphaBits, depthBits, stencilBits, fullScreen,
                    title);
  held_.clear();  // a new window starts with no key held
  if (fullScreen && !headerWritten_) {
    // What full screen gives on this screen: the size a replay's window takes.
    int w = 0, h = 0;
    real_->FramebufferSize(&w, &h);
    if (w > 0 && h > 0 && w <= kReplayMaxDisplay && h <= kReplayMaxDisplay) {
      sawFullScreen_ = true;
      displayWidth_ = w;
      displayHeight_ = h;
    }
  }
}

void RecordingPlatform::InstallCallbacks(HostInputSink* sink) {
  game_ = sink;
  // The pointer reported now is where the new window found it.
  installing_ = true;
  real_->InstallCallbacks(this);
  installing_ = false;
}

void RecordingPlatform::CursorPosition(double* x, double* y) {
  *x = pointerX_;
  *y = pointerY_;
}

// ---- Input on its way to the game ------------------------------------------------

void RecordingPlatform::OnKey(int glfwKey, int action) {
  if (glfwKey >= 0 && glfwKey <= kReplayMaxKey) {
    if (action == kActionRelease) {
      held_.erase(glfwKey);
    } else {
      held_.insert(glfwKey);
    }
    ReplayEvent e;
    e.kind = ReplayEvent::Key;
    e.code = glfwKey;
    e.action = action;
    Record(e);
  }
  if (game_) game_->OnKey(glfwKey, action);
}

void RecordingPlatform::OnChar(unsigned int codepoint) {
  if (codepoint <= kReplayMaxCodepoint) {
    ReplayEvent e;
    e.kind = ReplayEvent::Char;
    e.code = static_cast<int>(codepoint);
    Record(e);
  }
  if (game_) game_->OnChar(codepoint);
}

void RecordingPlatform::OnMouseButton(int button, int action) {
  if (button >= 0 && button <= kReplayMaxButton) {
    ReplayEvent e;
    e.kind = action == kActionRelease ? ReplayEvent::ButtonUp : ReplayEvent::ButtonDown;
    e.code = button;
    Record(e);
  }
  if (game_) game_->OnMouseButton(button, action);
}

ReplayEvent RecordingPlatform::PointerEvent(ReplayEvent::Kind kind, double x, double y) {
  // The game takes the whole pixel under the pointer, scaled from window to
  // drawable pixels where they differ; the replay gives it the same pixel.
  int ww = 0, wh = 0, fw = 0, fh = 0;
  real_->WindowSize(&ww, &wh);
  real_->FramebufferSize(&fw, &fh);
  double px = static_cast<int>(x), py = static_cast<int>(y);
  if (ww > 0 && wh > 0 && (ww != fw || wh != fh)) {
    px = px * fw / ww;
    py = py * fh / wh;
  }
  ReplayEvent e;
  e.kind = kind;
  if (map_) {
    map_->ToVirtual(static_cast<int>(px), static_cast<int>(py), fw, fh, &e.x, &e.y);
  } else {
    e.x = static_cast<float>(static_cast<int>(px));
    e.y = static_cast<float>(static_cast<int>(py));
  }
  // A replay holds positions on the virtual screen only.
  e.x = std::min(std::max(e.x, 0.0f), kReplayVirtualWidth - 1);
  e.y = std::min(std::max(e.y, 0.0f), kReplayVirtualHeight - 1);
  return e;
}

void RecordingPlatform::OnMousePosition(double x, double y) {
  if (installing_) {
    // Handed out by order when the replay's window opens, so it takes this
    // moment's time whatever the poll.
    ReplayEvent e = PointerEvent(ReplayEvent::WindowOpened, x, y);
    e.time = Milliseconds(clock_);
    unwritten_ += replay_text::Event(e);
  } else {
    Record(PointerEvent(ReplayEvent::Move, x, y));
  }
  pointerX_ = x;
  pointerY_ = y;
  if (game_) game_->OnMousePosition(x, y);
}

void RecordingPlatform::OnCloseRequest() {
  // The game may end the program right away: the file ends with the last
  // update that ran.
  Flush();
  if (game_) game_->OnCloseRequest();
}
