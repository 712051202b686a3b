// The keyboard's bindings: each thing the keys do, and the key (an
// application key code) that does it. The default bindings are the game's
// keys as first released, so a game whose player never changed them reads
// every key exactly as before. A key does one thing: binding a key already in
// use swaps the two actions' keys.
#pragma once

#include <string>

enum class KeyAction {
  Up, Down, Left, Right,    // the focus, the map's levels, the board cursor
  Press, PressToo,          // press the focused button, click the cursor's cell
  NextButton,               // the focus round its list
  Back,                     // pause, resume, leave the map, skip the pages
  SendTrain, Hint, ShowMe,
  PreviousPiece, NextPiece,
  DropPiece, DropPieceToo,
  Piece1, Piece2, Piece3, Piece4, Piece5, Piece6, Piece7, Piece8,
  Count
};
constexpr int kKeyActionCount = static_cast<int>(KeyAction::Count);

struct KeyBindings {
  int keys[kKeyActionCount];

  KeyBindings();  // the defaults
  int Of(KeyAction action) const { return keys[static_cast<int>(action)]; }
  // The action the key is bound to, or Count.
  KeyAction ActionOf(int key) const;
  bool operator==(const KeyBindings& other) const;
  bool operator!=(const KeyBindings& other) const { return !(*this == other); }
};

// What the settings list calls the action ("Send the train").
const char* ActionName(KeyAction action);
// A key's name on its key cap ("T", "Enter", "Up"), or "" for no key.
std::string KeyName(int key);
// Whether a key can be bound: the keyboard's keys the game hears, not the
// mouse's buttons, the pad's or the window's requests.
bool BindableKey(int key);

// What binding `key` to `action` did.
struct Rebinding {
  bool changed = false;
  // The action that had the key and now has the action's old key (Count: none).
  KeyAction swapped = KeyAction::Count;
  int oldKey = 0;
};
Rebinding Rebind(KeyBindings* bindings, KeyAction action, int key);
// The line the settings show after a rebinding ("" when nothing moved).
std::string RebindingLine(const Rebinding& done, KeyAction action, const KeyBindings& now);
