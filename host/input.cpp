#include "host/input.h"

#include <GLFW/glfw3.h>

#include "host/game.h"

gc_global<c_InputDevice*> currentInputDevice;

int TranslateKey(int key) {
  if (key >= GLFW_KEY_0 && key <= GLFW_KEY_9) return key;
  if (key >= GLFW_KEY_A && key <= GLFW_KEY_Z) return key;
  if (key >= GLFW_KEY_F1 && key <= GLFW_KEY_F12) return 112 + (key - GLFW_KEY_F1);
  switch (key) {
    case GLFW_KEY_SPACE: return 32;
    case GLFW_KEY_APOSTROPHE: return 222;  // also the double quote
    case GLFW_KEY_COMMA: return 188;
    case GLFW_KEY_MINUS: return 189;
    case GLFW_KEY_PERIOD: return 190;
    case GLFW_KEY_SLASH: return 191;
    case GLFW_KEY_SEMICOLON: return 186;
    case GLFW_KEY_EQUAL: return 187;
    case GLFW_KEY_LEFT_BRACKET: return 219;
    case GLFW_KEY_BACKSLASH: return 220;
    case GLFW_KEY_RIGHT_BRACKET: return 221;
    case GLFW_KEY_GRAVE_ACCENT: return 192;  // also the tilde
    case GLFW_KEY_ESCAPE: return 27;
    case GLFW_KEY_UP: return 38;
    case GLFW_KEY_DOWN: return 40;
    case GLFW_KEY_LEFT: return 37;
    case GLFW_KEY_RIGHT: return 39;
    case GLFW_KEY_LEFT_SHIFT:
    case GLFW_KEY_RIGHT_SHIFT: return 16;
    case GLFW_KEY_LEFT_CONTROL:
    case GLFW_KEY_RIGHT_CONTROL: return 17;
    case GLFW_KEY_TAB: return 9;
    case GLFW_KEY_ENTER: return 13;
    case GLFW_KEY_BACKSPACE: return 8;
    case GLFW_KEY_INSERT: return 45;
    case GLFW_KEY_DELETE: return 46;
    case GLFW_KEY_PAGE_UP: return 33;
    case GLFW_KEY_PAGE_DOWN: return 34;
    case GLFW_KEY_HOME: return 36;
    case GLFW_KEY_END: return 35;
    default: return 0;
  }
}

int EditingCharacter(int appKey) {
  switch (appKey) {
    case KeyBackspace:
    case KeyTab:
    case KeyEnter:
    case KeyEscape:
      return appKey;
    case KeyDelete:
      return 127;
    default:
      if ((appKey >= KeyPageUp && appKey <= 40) || appKey == KeyInsert) return appKey | 0x10000;
      return 0;
  }
}

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

// ---- The input device ----------------------------------------------------

c_JoyState::c_JoyState()
    : joyX(2), joyY(2), joyZ(2), buttons(kJoystickButtons) {}

void c_JoyState::Mark() {
  joyX.Mark();
  joyY.Mark();
  joyZ.Mark();
  buttons.Mark();
}

c_InputDevice::c_InputDevice()
    : joyStates(kJoystickPorts),
      keyDown(kKeyCount),
      hitQueue(kHitQueueSize),
      keyHitCount(kKeyCount),
      charQueue(kCharQueueSize),
      touchX(kTouchCount),
      touchY(kTouchCount) {
  for (int i = 0; i < kJoystickPorts; ++i) joyStates[i] = new c_JoyState();
}

void c_InputDevice::Mark() {
  joyStates.Mark();
  keyDown.Mark();
  hitQueue.Mark();
  keyHitCount.Mark();
  charQueue.Mark();
  touchX.Mark();
  touchY.Mark();
}

void c_InputDevice::RecordHit(int key) {
  if (hitQueueLength == kHitQueueSize) return;
  keyHitCount[key] += 1;
  hitQueue[hitQueueLength] = key;
  hitQueueLength += 1;
}

void c_InputDevice::Release(int key) {
  if (!keyDown[key]) return;
  keyDown[key] = false;
  // The left button and the first touch mirror each other.
  if (key == KeyMouseLeft) keyDown[KeyTouchFirst] = false;
  if (key == KeyTouchFirst) keyDown[KeyMouseLeft] = false;
}

void c_InputDevice::ApplyKeyEvent(int event, int data) {
  switch (event) {
    case KeyPressed:
      if (data < 0 || data >= kKeyCount || keyDown[data]) return;  // repeats are not hits
      keyDown[data] = true;
      RecordHit(data);
      if (data == KeyMouseLeft) {
        keyDown[KeyTouchFirst] = true;
        RecordHit(KeyTouchFirst);
      } else if (data == KeyTouchFirst) {
        keyDown[KeyMouseLeft] = true;
        RecordHit(KeyMouseLeft);
      }
      return;
    case KeyReleased:
      if (data >= 0 && data < kKeyCount) Release(data);
      return;
    case CharTyped:
      if (charQueueLength < kCharQueueSize) {
        charQueue[charQueueLength] = data;
        charQueueLength += 1;
      }
      return;
    default:
      return;
  }
}

void c_InputDevice::ApplyMouseEvent(int event, int data, float x, float y) {
  switch (event) {
    case ButtonPressed:
      // Buttons 0 to 2 are keys 1 to 3; there are no others.
      if (data >= 0 && data < 3) ApplyKeyEvent(KeyPressed, KeyMouseLeft + data);
      MoveTouch(0, x, y);
      return;
    case ButtonReleased:
      if (data >= 0 && data < 3) Release(KeyMouseLeft + data);
      return;
    case PointerMoved:
      MoveTouch(0, x, y);
      return;
    default:
      return;
  }
}

void c_InputDevice::ApplyTouchEvent(int event, int data, float x, float y) {
  if (data < 0 || data >= kTouchCount) return;
  switch (event) {
    case TouchBegan:
      ApplyKeyEvent(KeyPressed, KeyTouchFirst + data);
      MoveTouch(data, x, y);
      return;
    case TouchEnded:
      Release(KeyTouchFirst + data);
      return;
    case TouchMoved:
      MoveTouch(data, x, y);
      return;
    default:
      return;
  }
}

// The pointer and the first touch share one position.
void c_InputDevice::MoveTouch(int finger, float x, float y) {
  touchX[finger] = x;
  touchY[finger] = y;
  if (finger == 0) {
    mouseX = x;
    mouseY = y;
  }
}

void c_InputDevice::BeginInputUpdate() {
  for (int port = 0; port < kJoystickPorts; ++port) {
    c_JoyState* joy = joyStates[port];
    if (!currentGame->ReadJoystick(port, joy->joyX, joy->joyY, joy->joyZ, joy->buttons)) break;
    for (int b = 0; b < kJoystickButtons; ++b) {
      const int key = KeyJoyFirst + 32 * port + b;
      if (joy->buttons[b]) {
        if (!keyDown[key]) {
          keyDown[key] = true;
          RecordHit(key);
        }
      } else {
        keyDown[key] = false;
      }
    }
  }
}

void c_InputDevice::EndInputUpdate() {
  for (int i = 0; i < hitQueueLength; ++i) keyHitCount[hitQueue[i]] = 0;
  hitQueueLength = 0;
  charReadPos = 0;
  charQueueLength = 0;
}

int c_InputDevice::GetChar() {
  if (charReadPos >= charQueueLength) return 0;
  return charQueue[charReadPos++];
}
