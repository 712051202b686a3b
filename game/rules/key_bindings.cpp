#include "game/rules/key_bindings.h"

#include "host/keys.h"

namespace {

constexpr int kFirstFunctionKey = 112, kLastFunctionKey = 123;

struct ActionDefault {
  const char* name;
  int key;
};
// In KeyAction's order.
constexpr ActionDefault kActions[kKeyActionCount] = {
    {"Up", KeyArrowUp},
    {"Down", KeyArrowDown},
    {"Left", KeyArrowLeft},
    {"Right", KeyArrowRight},
    {"Press", KeyEnter},
    {"Press (second key)", KeySpace},
    {"Next button", KeyTab},
    {"Pause and back", KeyEscape},
    {"Send the train", 'T'},
    {"Hint", 'H'},
    {"Show me", 'S'},
    {"Previous piece", 'Q'},
    {"Next piece", 'E'},
    {"Drop the piece", KeyDelete},
    {"Drop (second key)", KeyBackspace},
    {"Piece 1", '1'},
    {"Piece 2", '2'},
    {"Piece 3", '3'},
    {"Piece 4", '4'},
    {"Piece 5", '5'},
    {"Piece 6", '6'},
    {"Piece 7", '7'},
    {"Dynamite", '8'},
};

struct NamedKey {
  int key;
  const char* name;
};
constexpr NamedKey kNamedKeys[] = {
    {KeyBackspace, "Backspace"}, {KeyTab, "Tab"},       {KeyEnter, "Enter"},     {16, "Shift"},
    {17, "Ctrl"},                {KeyEscape, "Esc"},    {KeySpace, "Space"},     {KeyPageUp, "Page Up"},
    {34, "Page Down"},           {35, "End"},           {36, "Home"},            {KeyArrowLeft, "Left"},
    {KeyArrowUp, "Up"},          {KeyArrowRight, "Right"}, {KeyArrowDown, "Down"}, {KeyInsert, "Insert"},
    {KeyDelete, "Delete"},       {186, ";"},            {187, "="},              {188, ","},
    {189, "-"},                  {190, "."},            {191, "/"},              {192, "`"},
    {219, "["},                  {220, "\\"},           {221, "]"},              {222, "'"},
};

}  // namespace

KeyBindings::KeyBindings() {
  for (int i = 0; i < kKeyActionCount; ++i) keys[i] = kActions[i].key;
}

KeyAction KeyBindings::ActionOf(int key) const {
  for (int i = 0; i < kKeyActionCount; ++i) {
    if (keys[i] == key) return static_cast<KeyAction>(i);
  }
  return KeyAction::Count;
}

bool KeyBindings::operator==(const KeyBindings& other) const {
  for (int i = 0; i < kKeyActionCount; ++i) {
    if (keys[i] != other.keys[i]) return false;
  }
  return true;
}

const char* ActionName(KeyAction action) {
  const int i = static_cast<int>(action);
  return i >= 0 && i < kKeyActionCount ? kActions[i].name : "";
}

std::string KeyName(int key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= kFirstFunctionKey && key <= kLastFunctionKey) return "F" + std::to_string(key - kFirstFunctionKey + 1);
  for (const NamedKey& named : kNamedKeys) {
    if (named.key == key) return named.name;
  }
  return "";
}

bool BindableKey(int key) { return !KeyName(key).empty(); }

Rebinding Rebind(KeyBindings* bindings, KeyAction action, int key) {
  Rebinding done;
  const int index = static_cast<int>(action);
  if (index < 0 || index >= kKeyActionCount || !BindableKey(key)) return done;
  done.oldKey = bindings->keys[index];
  if (done.oldKey == key) return done;
  const KeyAction holder = bindings->ActionOf(key);
  if (holder != KeyAction::Count) {
    bindings->keys[static_cast<int>(holder)] = done.oldKey;
    done.swapped = holder;
  }
  bindings->keys[index] = key;
  done.changed = true;
  return done;
}

std::string RebindingLine(const Rebinding& done, KeyAction action, const KeyBindings& now) {
  if (!done.changed) return "";
  const std::string set = std::string(ActionName(action)) + ": " + KeyName(now.Of(action));
  if (done.swapped == KeyAction::Count) return set;
  return set + ". " + KeyName(now.Of(action)) + " was on " + ActionName(done.swapped) + ", which now takes " +
         KeyName(done.oldKey);
}
