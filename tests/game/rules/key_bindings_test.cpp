// The key bindings: defaults as first released, a rebinding that swaps a key
// in use (and says so), and the keys that can be bound.
#include <gtest/gtest.h>

#include "game/rules/key_bindings.h"

namespace {

TEST(KeyBindings, TheDefaultsAreTheKeysAsFirstReleasedEachOnOneAction) {
  const KeyBindings keys;
  EXPECT_EQ(keys.Of(KeyAction::SendTrain), 'T');
  EXPECT_EQ(keys.Of(KeyAction::Back), 27);
  EXPECT_EQ(keys.Of(KeyAction::Piece8), '8');
  for (int i = 0; i < kKeyActionCount; ++i) {
    EXPECT_TRUE(BindableKey(keys.keys[i])) << ActionName(static_cast<KeyAction>(i));
    EXPECT_EQ(static_cast<int>(keys.ActionOf(keys.keys[i])), i) << "one action per key";
  }
}

struct RebindCase {
  KeyAction action;
  int key;
  bool changed;
  KeyAction swapped;
  const char* line;
};
class Rebinds : public ::testing::TestWithParam<RebindCase> {};

TEST_P(Rebinds, ARebindingSwapsAKeyInUse) {
  const RebindCase& c = GetParam();
  KeyBindings keys;
  const KeyBindings before = keys;
  const Rebinding done = Rebind(&keys, c.action, c.key);
  EXPECT_EQ(done.changed, c.changed);
  EXPECT_EQ(done.swapped, c.swapped);
  EXPECT_EQ(RebindingLine(done, c.action, keys), c.line);
  if (!c.changed) {
    EXPECT_TRUE(keys == before);
    return;
  }
  EXPECT_EQ(keys.Of(c.action), c.key);
  if (c.swapped != KeyAction::Count) {
    EXPECT_EQ(keys.Of(c.swapped), before.Of(c.action));
  }
  for (int i = 0; i < kKeyActionCount; ++i) {
    for (int j = 0; j < i; ++j) EXPECT_NE(keys.keys[i], keys.keys[j]) << "a key on two actions";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Rebinds,
    ::testing::Values(RebindCase{KeyAction::SendTrain, 'G', true, KeyAction::Count, "Send the train: G"},
                      RebindCase{KeyAction::SendTrain, 'H', true, KeyAction::Hint,
                                 "Send the train: H. H was on Hint, which now takes T"},
                      RebindCase{KeyAction::Up, 'W', true, KeyAction::Count, "Up: W"},
                      RebindCase{KeyAction::SendTrain, 'T', false, KeyAction::Count, ""},
                      RebindCase{KeyAction::SendTrain, 1, false, KeyAction::Count, ""},     // the mouse
                      RebindCase{KeyAction::SendTrain, 300, false, KeyAction::Count, ""}));  // a pad's button

TEST(KeyBindings, KeysAreNamedAsOnTheirCaps) {
  EXPECT_EQ(KeyName('A'), "A");
  EXPECT_EQ(KeyName('7'), "7");
  EXPECT_EQ(KeyName(13), "Enter");
  EXPECT_EQ(KeyName(38), "Up");
  EXPECT_EQ(KeyName(113), "F2");
  EXPECT_EQ(KeyName(188), ",");
  EXPECT_EQ(KeyName(0), "");
  EXPECT_FALSE(BindableKey(16 + 300));
}

}  // namespace
