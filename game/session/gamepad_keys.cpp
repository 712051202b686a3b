#include "game/session/gamepad_keys.h"

#include <cmath>

#include "host/game.h"

namespace {

// The buttons that stand for one action each: they press whatever key the
// action is bound to now, so a pad plays the same with changed keys.
struct ButtonAction {
  GamepadButton button;
  KeyAction action;
};
constexpr ButtonAction kButtonActions[] = {
    {PadA, KeyAction::Press},          {PadX, KeyAction::SendTrain},     {PadY, KeyAction::Hint},
    {PadLeftBumper, KeyAction::PreviousPiece}, {PadRightBumper, KeyAction::NextPiece}, {PadStart, KeyAction::Back},
};

int Bound(KeyAction action) { return gameState.settings.keys.Of(action); }

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
  if (pad.buttons[PadDpadUp]) return Bound(KeyAction::Up);
  if (pad.buttons[PadDpadDown]) return Bound(KeyAction::Down);
  if (pad.buttons[PadDpadLeft]) return Bound(KeyAction::Left);
  if (pad.buttons[PadDpadRight]) return Bound(KeyAction::Right);
  const float x = pad.axes[PadLeftX];
  const float y = pad.axes[PadLeftY];
  if (std::fabs(x) < kPadStickLean && std::fabs(y) < kPadStickLean) return 0;
  if (std::fabs(y) >= std::fabs(x)) return Bound(y < 0 ? KeyAction::Up : KeyAction::Down);
  return Bound(x < 0 ? KeyAction::Left : KeyAction::Right);
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
  for (const ButtonAction& b : kButtonActions) {
    if (pad.buttons[b.button] && !last_.buttons[b.button]) input->PostHit(Bound(b.action));
  }
  if (pad.buttons[PadB] && !last_.buttons[PadB]) input->PostHit(KeyPadBack);
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
