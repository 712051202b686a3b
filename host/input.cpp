#include "host/input.h"

gc_global<c_InputDevice*> currentInputDevice;

namespace {

JoystickSource* joystickSource = nullptr;

}  // namespace

void SetJoystickSource(JoystickSource* source) { joystickSource = source; }

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
  if (joystickSource == nullptr) return;
  for (int port = 0; port < kJoystickPorts; ++port) {
    c_JoyState* joy = joyStates[port];
    if (!joystickSource->ReadJoystick(port, joy->joyX, joy->joyY, joy->joyZ, joy->buttons)) break;
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
