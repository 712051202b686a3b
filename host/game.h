// The host game: the one object that owns the process, the window and the
// clock and drives the application through its delegate.
//
//   BBGame        the platform-neutral state and the guarded forwarding
//   BBGlfwGame    the window, the fixed-rate loop, the clock, joysticks and
//                 the file and image/sound readers, over the HostPlatform seam
//   BBTarvexGame  the class actually created at start-up
//
// None of these is a collected object: the one instance is created with plain
// allocation at start-up and lives until the process ends.
#pragma once

#include <cstdio>

#include "host/input.h"
#include "host/platform.h"
#include "runtime/array.h"
#include "runtime/gc.h"
#include "runtime/string.h"
#include "runtime/throwable.h"

// The application side of the host. Every operation does nothing here; the
// framework's c_GameDelegate overrides all ten.
class BBGameDelegate : public Object {
 public:
  virtual void HandleStart() {}
  virtual void HandleSuspend() {}
  virtual void HandleResume() {}
  virtual void HandleUpdate() {}
  virtual void HandleRender() {}
  virtual void HandleKey(int event, int data) { (void)event, (void)data; }
  virtual void HandleMouse(int event, int data, float x, float y) { (void)event, (void)data, (void)x, (void)y; }
  virtual void HandleTouch(int event, int data, float x, float y) { (void)event, (void)data, (void)x, (void)y; }
  virtual void HandleMotion(int event, int data, float x, float y, float z) {
    (void)event, (void)data, (void)x, (void)y, (void)z;
  }
  virtual void HandleGraphicsLost() {}
};

class BBGame : public JoystickSource {
 public:
  // files: where file operations go; null means the POSIX files.
  explicit BBGame(HostFiles* files = nullptr);
  virtual ~BBGame();
  BBGame(const BBGame&) = delete;
  BBGame& operator=(const BBGame&) = delete;

  virtual void AttachDelegate(BBGameDelegate* delegate);
  virtual BBGameDelegate* CurrentDelegate();
  virtual void SetKeyboardActive(bool active);
  virtual bool IsKeyboardActive();
  virtual void ChangeUpdateRate(int rate);
  virtual int CurrentUpdateRate();
  virtual bool HasStarted();
  virtual bool IsSuspended();
  virtual int ElapsedMilliseconds();
  // Fills year, month, day, hour, minute, second, 0 as far as the array allows.
  virtual void FillDate(Array<int> date);
  // 0 saved; -1 the state file cannot be created; -2 the write was short (the
  // previous state is then kept whole).
  virtual int StoreAppState(const String& state);
  virtual String FetchAppState();
  virtual String ReadTextFile(const String& path);
  bool ReadJoystick(int port, Array<float> joyX, Array<float> joyY, Array<float> joyZ,
                    Array<bool> buttons) override;
  // Whether a gamepad is on port now; if so fills state. None here.
  virtual bool ReadGamepad(int port, GamepadState* state);
  virtual void OpenExternal(const String& target);
  virtual void ShowMouseCursor(bool visible);
  // A pointing hand over something clickable (true), else the arrow.
  virtual void SetMouseCursorShape(bool hand);
  virtual String MapPath(const String& path);
  virtual std::FILE* OpenPathFile(const String& path, const String& mode);
  // The whole file in one block from malloc (the caller frees it), or null.
  virtual unsigned char* ReadBinaryFile(const String& path, int* length);
  [[noreturn]] virtual void ReportUncaught(ThrowableObject* throwable);
  virtual void CollectAfterCallback();
  virtual void BeginGame();
  virtual void PauseGame();
  virtual void UnpauseGame();
  virtual void StepGame();
  virtual void DrawGame();
  virtual void PostKey(int event, int data);
  virtual void PostMouse(int event, int data, float x, float y);
  virtual void PostTouch(int event, int data, float x, float y);
  virtual void PostMotion(int event, int data, float x, float y, float z);
  virtual void DropGraphics();

  HostFiles* Files() const { return files_; }

 protected:
  BBGameDelegate* delegate_ = nullptr;
  bool keyboardActive_ = false;
  int updateRate_ = 0;
  bool started_ = false;
  bool suspended_ = false;

 private:
  HostFiles* files_;
};

class BBGlfwGame : public BBGame, public HostInputSink {
 public:
  // platform: the window system; files: null for the POSIX files.
  explicit BBGlfwGame(HostPlatform* platform, HostFiles* files = nullptr);

  void ChangeUpdateRate(int rate) override;
  int ElapsedMilliseconds() override;
  bool ReadJoystick(int port, Array<float> joyX, Array<float> joyY, Array<float> joyZ,
                    Array<bool> buttons) override;
  bool ReadGamepad(int port, GamepadState* state) override;
  void OpenExternal(const String& target) override;
  void ShowMouseCursor(bool visible) override;
  void SetMouseCursorShape(bool hand) override;
  String MapPath(const String& path) override;

  // Decoded pixels of an image file (stb_image's allocation), or null.
  virtual unsigned char* ReadImageFile(const String& path, int* width, int* height, int* components);
  // Decoded interleaved PCM frames of a WAV or Ogg file (malloc), or null.
  virtual unsigned char* ReadSoundFile(const String& path, int* length, int* channels, int* format,
                                       int* rate);
  virtual void OpenGameWindow(int width, int height, int redBits, int greenBits, int blueBits,
                              int alphaBits, int depthBits, int stencilBits, bool fullScreen);
  virtual void RunLoop();

  // For the renderer: the drawable size in pixels (0 x 0 without a window),
  // which is also the space mouse positions are reported in, and presenting.
  void GetWindowSize(int* width, int* height);
  // The window's place and size on the desktop (false when full screen or
  // where the platform cannot tell), and moving it there.
  bool GetWindowPlacement(int* x, int* y, int* width, int* height) { return platform_->WindowPlacement(x, y, width, height); }
  void PlaceWindow(int x, int y, int width, int height) { platform_->PlaceWindow(x, y, width, height); }
  void SwapBuffers();
  HostPlatform* Platform() const { return platform_; }

  // HostInputSink: the window's callbacks.
  void OnKey(int glfwKey, int action) override;
  void OnChar(unsigned int codepoint) override;
  void OnMouseButton(int button, int action) override;
  void OnMousePosition(double x, double y) override;
  void OnCloseRequest() override;

  // Schedule state, readable by tests.
  bool Iconified() const { return iconified_; }
  double NextUpdateTime() const { return nextUpdateTime_; }

 protected:
  // Window coordinates to drawable pixels (they differ on high-density screens).
  void ToPixels(double x, double y, float* px, float* py);

  HostPlatform* platform_;
  bool iconified_ = false;
  double nextUpdateTime_ = 0;
  double updatePeriod_ = 0;
};

class BBTarvexGame final : public BBGlfwGame {
 public:
  using BBGlfwGame::BBGlfwGame;
  ~BBTarvexGame() override;
};

// The title of every windowed-mode window.
extern const char* const kWindowTitle;

// The host game, set by the BBGame constructor.
extern BBGame* currentGame;
// The same object as seen by the window callbacks, set by the BBGlfwGame constructor.
extern BBGlfwGame* currentGlfwGame;
// Incremented each time OpenGameWindow opens a window (and so a new OpenGL context).
extern int graphicsGeneration;
// The process's arguments, stored by the start function for the program.
extern int hostArgc;
extern char** hostArgv;

// The process start: initialises the window system, creates the host game,
// runs initGlobals and programMain, and runs the loop when programMain created
// an application. Answers 0; "glfwInit failed" and status -1 when the window
// system cannot start; status -1 through ReportUncaught when a throwable
// escapes start-up.
int TarvexStart(int argc, char** argv, void (*initGlobals)(), void (*programMain)());
// The same over a given platform (tests pass a fake one); the platform and
// files must outlive the process.
int TarvexStartWith(HostPlatform* platform, HostFiles* files, int argc, char** argv,
                    void (*initGlobals)(), void (*programMain)());

// The GLFW 3 window system.
HostPlatform* GlfwPlatform();
