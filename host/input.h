// The one input device that keeps key, hit, character, pointer, touch,
// acceleration and joystick state for the application.
#pragma once

#include "host/keys.h"
#include "runtime/array.h"
#include "runtime/gc.h"

// Where the device reads the joysticks from before each update: the host game.
class JoystickSource {
 public:
  virtual ~JoystickSource() {}
  // Whether port is present; if so fills its axes and button states.
  virtual bool ReadJoystick(int port, Array<float> joyX, Array<float> joyY, Array<float> joyZ,
                            Array<bool> buttons) = 0;
};
// The source every input device polls (null: no joysticks at all).
void SetJoystickSource(JoystickSource* source);

class c_JoyState : public Object {
 public:
  c_JoyState();
  void Mark() override;

  Array<float> joyX;  // [0] first stick, [1] second
  Array<float> joyY;
  Array<float> joyZ;
  Array<bool> buttons;  // 32
};

class c_InputDevice : public Object {
 public:
  c_InputDevice();
  void Mark() override;

  void ApplyKeyEvent(int event, int data);
  void ApplyMouseEvent(int event, int data, float x, float y);
  void ApplyTouchEvent(int event, int data, float x, float y);
  // A key hit with no key held behind it, counted like a press in this update
  // (a gamepad button that the game reads as a key).
  void PostHit(int key) {
    if (key > 0 && key < kKeyCount) RecordHit(key);
  }
  // Before each application update: polls the joysticks.
  void BeginInputUpdate();
  // After each application update: clears hits and characters.
  void EndInputUpdate();

  bool KeyDown(int key) const { return key > 0 && key < kKeyCount && keyDown[key]; }
  int KeyHit(int key) const { return key > 0 && key < kKeyCount ? keyHitCount[key] : 0; }
  // The next typed character, or 0 when none is left.
  int GetChar();

  Array<c_JoyState*> joyStates;
  Array<bool> keyDown;
  int hitQueueLength = 0;
  Array<int> hitQueue;
  Array<int> keyHitCount;
  int charReadPos = 0;
  int charQueueLength = 0;
  Array<int> charQueue;
  float mouseX = 0;
  float mouseY = 0;
  Array<float> touchX;
  Array<float> touchY;
  float accelX = 0;
  float accelY = 0;
  float accelZ = 0;

 private:
  void RecordHit(int key);
  void Release(int key);
  void MoveTouch(int finger, float x, float y);
};

// The input device created by the framework at start.
extern gc_global<c_InputDevice*> currentInputDevice;
