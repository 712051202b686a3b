// The application's input vocabulary: event kinds, key codes, and the
// translation of GLFW 3 keys into them. Shared by the host, which posts
// events, and the input device, which keeps their state.
#pragma once

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
constexpr int KeySpace = 32;
constexpr int KeyPageUp = 33;
constexpr int KeyPageDown = 34;
constexpr int KeyArrowLeft = 37;
constexpr int KeyArrowUp = 38;
constexpr int KeyArrowRight = 39;
constexpr int KeyArrowDown = 40;
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
