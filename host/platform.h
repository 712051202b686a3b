// The thin seam between the host's logic and the operating system.
//
// Everything the loop, the input forwarding and the state file need from the
// outside world goes through these two interfaces, so that the schedule and the
// forwarding rules can run against a fake clock and a fake window in tests, and
// against GLFW 3 and POSIX files in the program.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

// One gamepad as the window system's standard mapping reports it: the buttons
// and axes of an Xbox-style layout, in the window system's order, whatever pad
// is plugged in. Sticks run from -1 to 1 (up and left negative).
enum GamepadButton {
  PadA = 0,
  PadB,
  PadX,
  PadY,
  PadLeftBumper,
  PadRightBumper,
  PadBack,
  PadStart,
  PadGuide,
  PadLeftThumb,
  PadRightThumb,
  PadDpadUp,
  PadDpadRight,
  PadDpadDown,
  PadDpadLeft,
  kGamepadButtonCount
};
enum GamepadAxis { PadLeftX = 0, PadLeftY, PadRightX, PadRightY, PadLeftTrigger, PadRightTrigger, kGamepadAxisCount };
// The ports a pad may be plugged into.
constexpr int kGamepadPorts = 16;

struct GamepadState {
  bool buttons[kGamepadButtonCount] = {};
  float axes[kGamepadAxisCount] = {};
};

// Receives the window's input as GLFW 3 delivers it (key codes, actions and
// positions in GLFW 3 terms). BBGlfwGame implements it and does the translation.
class HostInputSink {
 public:
  virtual ~HostInputSink() {}
  // action: kActionRelease, kActionPress or kActionRepeat.
  virtual void OnKey(int glfwKey, int action) = 0;
  virtual void OnChar(unsigned int codepoint) = 0;
  virtual void OnMouseButton(int button, int action) = 0;
  virtual void OnMousePosition(double x, double y) = 0;
  virtual void OnCloseRequest() = 0;

  static constexpr int kActionRelease = 0;
  static constexpr int kActionPress = 1;
  static constexpr int kActionRepeat = 2;
};

// Clock, sleeping, event processing, the one window and its state, keys,
// cursor and joysticks.
class HostPlatform {
 public:
  virtual ~HostPlatform() {}

  // Initialises the windowing library and starts its clock; false on failure.
  virtual bool Init() = 0;
  // Closes any window and releases the library.
  virtual void Terminate() = 0;
  virtual bool Initialised() const = 0;

  // Seconds since Init; 0 when not initialised.
  virtual double Now() = 0;
  virtual void Sleep(double seconds) = 0;
  // Processes pending events; input reaches the sink from inside these calls.
  virtual void PollEvents() = 0;
  // Blocks until at least one event arrived, then processes events.
  virtual void WaitEvents() = 0;

  // Destroys the current window (if any) and opens a new one with a new
  // OpenGL context made current: windowed and centred on the desktop with the
  // given title, or full screen on the primary monitor. No resizing by the
  // user; vertical sync on. A failed open leaves no window.
  virtual void OpenWindow(int width, int height, int redBits, int greenBits, int blueBits,
                          int alphaBits, int depthBits, int stencilBits, bool fullScreen,
                          const char* title) = 0;
  // Installs the key, character, mouse-button and mouse-position callbacks
  // (in that order) and the close callback, all reporting to sink.
  virtual void InstallCallbacks(HostInputSink* sink) = 0;

  // The window still exists (and was not closed for good).
  virtual bool WindowOpen() = 0;
  virtual bool WindowIconified() = 0;
  // The window has the input focus.
  virtual bool WindowActive() = 0;
  // The window's size in screen coordinates and its drawable size in pixels;
  // 0 x 0 without a window.
  virtual void WindowSize(int* width, int* height) = 0;
  virtual void FramebufferSize(int* width, int* height) = 0;
  // Presents the frame.
  virtual void SwapBuffers() = 0;

  // Whether the GLFW 3 key is held in the current window.
  virtual bool KeyHeld(int glfwKey) = 0;
  // Cursor position in screen coordinates relative to the window.
  virtual void CursorPosition(double* x, double* y) = 0;
  virtual void ShowCursor(bool visible) = 0;
  // The pointer's shape: a pointing hand over something a click acts on, else
  // the system's arrow. A platform without a visible pointer ignores it.
  virtual void SetCursorShape(bool /*hand*/) {}
  // The window's place on the desktop and its size, in screen coordinates;
  // false without a window, full screen, or where the platform cannot tell.
  virtual bool WindowPlacement(int* /*x*/, int* /*y*/, int* /*width*/, int* /*height*/) { return false; }
  // Moves and sizes a window that is not full screen.
  virtual void PlaceWindow(int /*x*/, int /*y*/, int /*width*/, int /*height*/) {}

  // Whether joystick port is present; if so fills its axes and button states.
  virtual bool Joystick(int port, std::vector<float>* axes, std::vector<unsigned char>* buttons) = 0;
  // Whether a pad with a known gamepad mapping is on port now (asked every
  // update, so pads come and go while the program runs); if so fills state.
  virtual bool Gamepad(int port, GamepadState* state) {
    (void)port, (void)state;
    return false;
  }

  // A platform with no window system at all (a replay run at full speed): no
  // OpenGL context ever exists, so the loop never draws and the framework
  // opens no audio device. Its "window" only tells whether the run goes on.
  virtual bool Headless() { return false; }
};

// File operations used by the path readers and the state file.
class HostFiles {
 public:
  virtual ~HostFiles() {}
  // Opens a file by its UTF-8 name; null on failure.
  virtual std::FILE* Open(const std::string& path, const char* mode);
  // Writes n bytes; answers how many were written.
  virtual std::size_t Write(const void* bytes, std::size_t n, std::FILE* file);
  // Flushes the stream and forces its data to the disk; false on failure.
  virtual bool Sync(std::FILE* file);
  // Closes the stream; false when closing reported an error.
  virtual bool Close(std::FILE* file);
  // Atomically replaces `to` with `from`; false on failure.
  virtual bool Rename(const std::string& from, const std::string& to);
  virtual void Remove(const std::string& path);
  // Forces the folder's entries (a rename) to the disk.
  virtual void SyncFolder(const std::string& folder);
};

// The POSIX files every host uses unless a test substitutes its own.
HostFiles* DefaultHostFiles();
