#include "game/session/gamepad_keys.h"

#include <cmath>

#include "host/game.h"

namespace {

// The buttons that stand for one key each.
struct ButtonKey {
  GamepadButton button;
  int key;
};
constexpr ButtonKey kButtonKeys[] = {
    {PadA, KeyEnter}, {PadB, KeyPadBack}, {PadX, 'T'},         {PadY, 'H'},
    {PadLeftBumper, 'Q'}, {PadRightBumper, 'E'}, {PadStart, KeyEscape},
};

// The first port with a pad on it, or -1.
int FirstPad(GamepadState* state) {
  if (currentGame == nullptr) return -1;
  for (int port = 0; port < kGamepadPorts; ++port) {
    if (currentGame->ReadGamepad(port, state)) return port;
  }
  return -1;
}

}  // namespace

int GamepadKeys::Direction(const GamepadState& pad) {
  if (pad.buttons[PadDpadUp]) return KeyArrowUp;
  if (pad.buttons[PadDpadDown]) return KeyArrowDown;
  if (pad.buttons[PadDpadLeft]) return KeyArrowLeft;
  if (pad.buttons[PadDpadRight]) return KeyArrowRight;
  const float x = pad.axes[PadLeftX];
  const float y = pad.axes[PadLeftY];
  if (std::fabs(x) < kPadStickLean && std::fabs(y) < kPadStickLean) return 0;
  if (std::fabs(y) >= std::fabs(x)) return y < 0 ? KeyArrowUp : KeyArrowDown;
  return x < 0 ? KeyArrowLeft : KeyArrowRight;
}

void GamepadKeys::Poll(c_InputDevice* input) {
  GamepadState pad;
  const int port = FirstPad(&pad);
  if (port != port_) {
    // A pad just plugged in (or another one taking over): what it holds
    // already is not a press.
    port_ = port;
    last_ = pad;
    heldArrow_ = Direction(pad);
    heldUpdates_ = 0;
    return;
  }
  if (port < 0) return;
  for (const ButtonKey& b : kButtonKeys) {
    if (pad.buttons[b.button] && !last_.buttons[b.button]) input->PostHit(b.key);
  }
  PostDirection(Direction(pad), input);
  last_ = pad;
}

void GamepadKeys::PostDirection(int arrow, c_InputDevice* input) {
  if (arrow != heldArrow_) {
    heldArrow_ = arrow;
    heldUpdates_ = 0;
    if (arrow != 0) input->PostHit(arrow);
    return;
  }
  if (arrow == 0) return;
  ++heldUpdates_;
  const int sinceDelay = heldUpdates_ - kPadRepeatDelayUpdates;
  if (sinceDelay >= 0 && sinceDelay % kPadRepeatEveryUpdates == 0) input->PostHit(arrow);
}
