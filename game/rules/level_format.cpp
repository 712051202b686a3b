#include "game/rules/level_format.h"

#include "game/rules/board.h"

namespace {

struct SceneryLetterRow {
  char letter;
  const char* name;
};

// By building kind. Small and large pictures of one thing pair up in lower
// and upper case (pond w / W, tent a / A, coach c / caravan C); the others
// look like what they stand for where a letter can (^ a peak, Y a tree,
// n a hill, I a tower, x a skull).
constexpr SceneryLetterRow kSceneryLetters[kBuildingKindCount] = {
    {'w', "pond"},  {'^', "mountain"}, {'Y', "forest"}, {'W', "large pond"}, {'n', "hill"},
    {'h', "gallows"}, {'D', "dinosaur"}, {'H', "house"}, {'I', "water tower"}, {'a', "tent"},
    {'A', "camp"},  {'C', "caravan"},  {'c', "coach"},  {'x', "skull"},      {'B', "buttes"},
};

constexpr char kSideLetters[4] = {'N', 'E', 'S', 'W'};

}  // namespace

char SceneryLetter(int kind) { return kind >= 0 && kind < kBuildingKindCount ? kSceneryLetters[kind].letter : '?'; }

int SceneryKindOfLetter(char letter) {
  for (int kind = 0; kind < kBuildingKindCount; ++kind) {
    if (kSceneryLetters[kind].letter == letter) return kind;
  }
  return -1;
}

const char* SceneryName(int kind) {
  return kind >= 0 && kind < kBuildingKindCount ? kSceneryLetters[kind].name : "scenery";
}

char SideLetter(int side) { return side >= 0 && side < 4 ? kSideLetters[side] : '?'; }

int SideOfLetter(char letter) {
  for (int side = 0; side < 4; ++side) {
    if (kSideLetters[side] == letter) return side;
  }
  return -1;
}
