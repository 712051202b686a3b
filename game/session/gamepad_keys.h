// The gamepad read as keys: once an update, the first pad plugged in is read
// through the host and each button pressed since the last update becomes the
// hit of the key that does the same thing, so every screen answers a pad
// exactly as it answers the keyboard. A pad plugged in or pulled out is
// picked up or let go at the next update.
//
//   D-pad, left stick  the arrow keys, repeated while held
//   A                  Enter          B      KeyPadBack (no key does the same)
//   X                  T (send off)   Y      H (the hint)
//   LB, RB             Q, E (slots)   Start  Escape
#pragma once

#include "game/rules/state.h"
#include "host/input.h"
#include "host/platform.h"

// B, "back": what it does depends on the screen (drops the selection, closes
// the pause panel, leaves the map). A code no keyboard key or window event uses.
constexpr int KeyPadBack = 448;

// A held direction repeats after 0.3 s, then every 0.1 s (in updates).
constexpr int kPadRepeatDelayUpdates = kUpdateRate * 3 / 10;
constexpr int kPadRepeatEveryUpdates = kUpdateRate / 10;
// How far the stick must lean to count as a direction.
constexpr float kPadStickLean = 0.5f;

class GamepadKeys {
 public:
  // Reads the pad and posts this update's hits into input.
  void Poll(c_InputDevice* input);

 private:
  // The arrow key the pad points with now, or 0.
  static int Direction(const GamepadState& pad);
  void PostDirection(int arrow, c_InputDevice* input);

  int port_ = -1;  // the pad being read, -1 for none
  GamepadState last_;
  int heldArrow_ = 0;
  int heldUpdates_ = 0;
};
