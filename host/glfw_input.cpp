// The GLFW host's window callbacks, turned into the application's events,
// and its joystick and gamepad readers.
#include <GLFW/glfw3.h>

#include <vector>

#include "host/game.h"
#include "host/keys.h"

// ---- Window callbacks of the GLFW host ---------------------------------------

void BBGlfwGame::OnKey(int glfwKey, int action) {
  const int key = TranslateKey(glfwKey);
  if (key == 0) return;
  if (action == kActionRelease) {
    PostKey(KeyReleased, key);
    return;
  }
  // A press and each of its repeats post the key and its editing character.
  PostKey(KeyPressed, key);
  if (int ch = EditingCharacter(key)) PostKey(CharTyped, ch);
}

void BBGlfwGame::OnChar(unsigned int codepoint) { PostKey(CharTyped, static_cast<int>(codepoint)); }

void BBGlfwGame::OnMouseButton(int button, int action) {
  if (button < 0 || button > 2) return;
  double x = 0, y = 0;
  platform_->CursorPosition(&x, &y);
  float px, py;
  ToPixels(x, y, &px, &py);
  if (action == kActionPress) {
    PostMouse(ButtonPressed, button, px, py);
  } else if (action == kActionRelease) {
    PostMouse(ButtonReleased, button, px, py);
  }
}

void BBGlfwGame::OnMousePosition(double x, double y) {
  float px, py;
  ToPixels(x, y, &px, &py);
  PostMouse(PointerMoved, -1, px, py);
}

void BBGlfwGame::OnCloseRequest() {
  PostKey(KeyPressed, KeyCloseRequest);
  PostKey(KeyReleased, KeyCloseRequest);
}

bool BBGlfwGame::ReadJoystick(int port, Array<float> joyX, Array<float> joyY, Array<float> joyZ,
                              Array<bool> buttons) {
  if (!platform_->Initialised() || port < 0 || port > 15) return false;
  std::vector<float> axes;
  std::vector<unsigned char> states;
  if (!platform_->Joystick(port, &axes, &states)) return false;
  float a[6] = {0, 0, 0, 0, 0, 0};
  const int n = static_cast<int>(axes.size());
  for (int i = 0; i < n && i < 6; ++i) a[i] = axes[i];
  if (n == 4) {
    a[4] = a[2];
    a[2] = 0;
  } else if (n == 5) {
    const float t = a[3];
    a[3] = a[4];
    a[4] = t;
  }
  if (joyX.Length() >= 2 && joyY.Length() >= 2 && joyZ.Length() >= 2) {
    joyX[0] = a[0], joyY[0] = a[1], joyZ[0] = a[2];
    joyX[1] = a[3], joyY[1] = a[4], joyZ[1] = a[5];
  }
  const int m = static_cast<int>(states.size());
  for (int i = 0; i < m && i < kJoystickButtons && i < buttons.Length(); ++i) {
    buttons[i] = states[i] == GLFW_PRESS;
  }
  return true;
}

bool BBGlfwGame::ReadGamepad(int port, GamepadState* state) {
  if (!platform_->Initialised() || port < 0 || port >= kGamepadPorts) return false;
  *state = GamepadState{};
  return platform_->Gamepad(port, state);
}
