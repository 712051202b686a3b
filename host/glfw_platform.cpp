// The window system of the program: GLFW 3.
#include <GLFW/glfw3.h>

#include <cerrno>
#include <cmath>
#include <ctime>

#include "host/game.h"

// The pad's buttons and axes are numbered as the window system numbers them.
static_assert(PadA == GLFW_GAMEPAD_BUTTON_A && PadStart == GLFW_GAMEPAD_BUTTON_START &&
                  PadDpadLeft == GLFW_GAMEPAD_BUTTON_DPAD_LEFT && kGamepadButtonCount == GLFW_GAMEPAD_BUTTON_LAST + 1,
              "gamepad buttons in the window system's order");
static_assert(PadLeftY == GLFW_GAMEPAD_AXIS_LEFT_Y && kGamepadAxisCount == GLFW_GAMEPAD_AXIS_LAST + 1,
              "gamepad axes in the window system's order");

namespace {

class GlfwHostPlatform final : public HostPlatform {
 public:
  bool Init() override {
    // Failures are reported through return values; GLFW's own messages would
    // only add noise to the console.
    glfwSetErrorCallback([](int, const char*) {});
    initialised_ = glfwInit() == GLFW_TRUE;
    return initialised_;
  }

  void Terminate() override {
    if (!initialised_) return;
    window_ = nullptr;
    handCursor_ = nullptr;  // glfwTerminate destroys it
    glfwTerminate();
    initialised_ = false;
  }

  bool Initialised() const override { return initialised_; }

  double Now() override { return initialised_ ? glfwGetTime() : 0.0; }

  void Sleep(double seconds) override {
    if (!(seconds > 0)) return;
    timespec rest;
    rest.tv_sec = static_cast<time_t>(seconds);
    rest.tv_nsec = static_cast<long>((seconds - std::floor(seconds)) * 1e9);
    while (nanosleep(&rest, &rest) != 0 && errno == EINTR) {
    }
  }

  void PollEvents() override {
    if (initialised_) glfwPollEvents();
  }

  void WaitEvents() override {
    if (initialised_) glfwWaitEvents();
  }

  bool WindowPlacement(int* x, int* y, int* width, int* height) override {
    if (!window_ || glfwGetWindowMonitor(window_) != nullptr) return false;
    glfwGetWindowPos(window_, x, y);
    glfwGetWindowSize(window_, width, height);
    return true;
  }

  void PlaceWindow(int x, int y, int width, int height) override {
    if (!window_ || glfwGetWindowMonitor(window_) != nullptr) return;
    glfwSetWindowSize(window_, width, height);
    glfwSetWindowPos(window_, x, y);
  }

  void OpenWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits,
                  int depthBits, int stencilBits, bool fullScreen, const char* title) override {
    if (!initialised_) return;
    GLFWmonitor* primary = glfwGetPrimaryMonitor();
    const GLFWvidmode* desktop = primary ? glfwGetVideoMode(primary) : nullptr;
    const int desktopWidth = desktop ? desktop->width : width;
    const int desktopHeight = desktop ? desktop->height : height;
    if (window_) {
      glfwDestroyWindow(window_);
      window_ = nullptr;
    }
    glfwDefaultWindowHints();
    // A window may be sized at will: the virtual display letterboxes any size.
    glfwWindowHint(GLFW_RESIZABLE, fullScreen ? GLFW_FALSE : GLFW_TRUE);
    glfwWindowHint(GLFW_RED_BITS, redBits);
    glfwWindowHint(GLFW_GREEN_BITS, greenBits);
    glfwWindowHint(GLFW_BLUE_BITS, blueBits);
    glfwWindowHint(GLFW_ALPHA_BITS, alphaBits);
    glfwWindowHint(GLFW_DEPTH_BITS, depthBits);
    glfwWindowHint(GLFW_STENCIL_BITS, stencilBits);
    if (!fullScreen) glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);  // shown once it is in place
    if (fullScreen && desktop) {
      // Full screen takes the monitor as it is: the desktop's own size, depth
      // and refresh rate ask for no mode switch. The virtual display scales
      // the picture into it with black bars.
      width = desktop->width;
      height = desktop->height;
      glfwWindowHint(GLFW_RED_BITS, desktop->redBits);
      glfwWindowHint(GLFW_GREEN_BITS, desktop->greenBits);
      glfwWindowHint(GLFW_BLUE_BITS, desktop->blueBits);
      glfwWindowHint(GLFW_REFRESH_RATE, desktop->refreshRate);
    }
    window_ = glfwCreateWindow(width, height, title, fullScreen ? primary : nullptr, nullptr);
    if (!window_) return;
    glfwMakeContextCurrent(window_);
    glfwSwapInterval(1);
    if (!fullScreen) {
      glfwSetWindowPos(window_, (desktopWidth - width) / 2, (desktopHeight - height) / 2);
      glfwSetWindowTitle(window_, title);
      glfwShowWindow(window_);
    }
    glfwSetInputMode(window_, GLFW_CURSOR, cursorVisible_ ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_HIDDEN);
    ApplyCursorShape();
  }

  void InstallCallbacks(HostInputSink* sink) override {
    if (!window_) return;
    glfwSetWindowUserPointer(window_, sink);
    glfwSetKeyCallback(window_, [](GLFWwindow* w, int key, int, int action, int) {
      SinkOf(w)->OnKey(key, action == GLFW_RELEASE   ? HostInputSink::kActionRelease
                            : action == GLFW_REPEAT ? HostInputSink::kActionRepeat
                                                    : HostInputSink::kActionPress);
    });
    glfwSetCharCallback(window_, [](GLFWwindow* w, unsigned int codepoint) { SinkOf(w)->OnChar(codepoint); });
    glfwSetMouseButtonCallback(window_, [](GLFWwindow* w, int button, int action, int) {
      SinkOf(w)->OnMouseButton(button, action == GLFW_PRESS ? HostInputSink::kActionPress
                                                            : HostInputSink::kActionRelease);
    });
    glfwSetCursorPosCallback(window_, [](GLFWwindow* w, double x, double y) { SinkOf(w)->OnMousePosition(x, y); });
    // GLFW 3 does not report the position when the callback is installed; the
    // application still hears where the pointer is in the new window.
    double x = 0, y = 0;
    glfwGetCursorPos(window_, &x, &y);
    sink->OnMousePosition(x, y);
    glfwSetWindowCloseCallback(window_, [](GLFWwindow* w) {
      // What a close request does is the application's decision: the window stays.
      glfwSetWindowShouldClose(w, GLFW_FALSE);
      SinkOf(w)->OnCloseRequest();
    });
  }

  bool WindowOpen() override { return window_ && !glfwWindowShouldClose(window_); }
  bool WindowIconified() override { return window_ && glfwGetWindowAttrib(window_, GLFW_ICONIFIED); }
  bool WindowActive() override { return window_ && glfwGetWindowAttrib(window_, GLFW_FOCUSED); }

  void WindowSize(int* width, int* height) override {
    *width = *height = 0;
    if (window_) glfwGetWindowSize(window_, width, height);
  }

  void FramebufferSize(int* width, int* height) override {
    *width = *height = 0;
    if (window_) glfwGetFramebufferSize(window_, width, height);
  }

  void SwapBuffers() override {
    if (window_) glfwSwapBuffers(window_);
  }

  bool KeyHeld(int glfwKey) override { return window_ && glfwGetKey(window_, glfwKey) == GLFW_PRESS; }

  void CursorPosition(double* x, double* y) override {
    *x = *y = 0;
    if (window_) glfwGetCursorPos(window_, x, y);
  }

  void ShowCursor(bool visible) override {
    // Remembered, so that a window opened later shows the same cursor.
    cursorVisible_ = visible;
    if (window_) glfwSetInputMode(window_, GLFW_CURSOR, visible ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_HIDDEN);
  }

  void SetCursorShape(bool hand) override {
    // Remembered, so that a window opened later shows the same shape.
    handShape_ = hand;
    ApplyCursorShape();
  }

  bool Joystick(int port, std::vector<float>* axes, std::vector<unsigned char>* buttons) override {
    const int id = GLFW_JOYSTICK_1 + port;
    if (!initialised_ || port < 0 || id > GLFW_JOYSTICK_LAST || !glfwJoystickPresent(id)) return false;
    int n = 0, m = 0;
    const float* a = glfwGetJoystickAxes(id, &n);
    const unsigned char* b = glfwGetJoystickButtons(id, &m);
    axes->assign(a, a + (a ? n : 0));
    buttons->assign(b, b + (b ? m : 0));
    return true;
  }

  bool Gamepad(int port, GamepadState* state) override {
    const int id = GLFW_JOYSTICK_1 + port;
    if (!initialised_ || port < 0 || id > GLFW_JOYSTICK_LAST || !glfwJoystickIsGamepad(id)) return false;
    GLFWgamepadstate pad;
    if (!glfwGetGamepadState(id, &pad)) return false;
    for (int b = 0; b < kGamepadButtonCount; ++b) state->buttons[b] = pad.buttons[b] == GLFW_PRESS;
    for (int a = 0; a < kGamepadAxisCount; ++a) state->axes[a] = pad.axes[a];
    return true;
  }

 private:
  static HostInputSink* SinkOf(GLFWwindow* w) { return static_cast<HostInputSink*>(glfwGetWindowUserPointer(w)); }

  // The hand is made once, when first asked for; null shape: the arrow.
  void ApplyCursorShape() {
    if (!window_) return;
    if (handShape_ && !handCursor_) handCursor_ = glfwCreateStandardCursor(GLFW_HAND_CURSOR);
    glfwSetCursor(window_, handShape_ ? handCursor_ : nullptr);
  }

  bool initialised_ = false;
  bool cursorVisible_ = true;
  bool handShape_ = false;
  GLFWcursor* handCursor_ = nullptr;
  GLFWwindow* window_ = nullptr;
};

}  // namespace

HostPlatform* GlfwPlatform() {
  static GlfwHostPlatform platform;
  return &platform;
}
