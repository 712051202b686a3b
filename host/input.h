// Input: event kinds, application key codes, the translation of GLFW 3 keys,
// and the one input device that keeps key, hit, character, pointer, touch,
// acceleration and joystick state for the application.
#pragma once

#include "runtime/array.h"
#include "runtime/gc.h"

// What PostKey / PostMouse / PostTouch / PostMotion carry.
enum GameEventKind {
  KeyPressed = 1,
  KeyReleased = 2,
  CharTyped = 3,
  ButtonPressed = 4,
  ButtonReleased = 5,
  PointerMoved = 6,
  TouchBegan = 7,
  TouchEnded = 8,
  TouchMoved = 9,
  Acceleration = 10,
};

// Application key codes (0 to 511).
constexpr int KeyMouseLeft = 1;
constexpr int KeyMouseRight = 2;
constexpr int KeyMouseMiddle = 3;
constexpr int KeyBackspace = 8;
constexpr int KeyTab = 9;
constexpr int KeyEnter = 13;
constexpr int KeyEscape = 27;
constexpr int KeyPageUp = 33;
constexpr int KeyInsert = 45;
constexpr int KeyDelete = 46;
constexpr int KeyJoyFirst = 256;
constexpr int KeyTouchFirst = 384;
constexpr int KeyBackRequest = 416;
constexpr int KeyCloseRequest = 432;
constexpr int kKeyCount = 512;

constexpr int kHitQueueSize = 33;
constexpr int kCharQueueSize = 32;
constexpr int kTouchCount = 32;
constexpr int kJoystickPorts = 4;
constexpr int kJoystickButtons = 32;

// The GLFW 3 key code to the application key code of the same physical key;
// 0 for keys the application does not know (alt, keypad, locks, F13 on...).
int TranslateKey(int glfwKey);
// The highest GLFW 3 key code.
constexpr int kGlfwKeyLast = 348;

// The character an editing key posts after its KeyPressed, or 0 for none:
// backspace, tab, enter, escape as themselves; page up/down, end, home, the
// arrows and insert with bit 16 set; delete as 127.
int EditingCharacter(int appKey);

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
