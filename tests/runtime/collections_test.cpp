#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "runtime/collections.h"

namespace {

class Value : public Object {
 public:
  explicit Value(int v) : value(v) {}
  int value;
};

// Checks the red-black properties; returns the black height, or -1 on a violation.
int BlackHeight(c_Node2* node, c_Map2* map) {
  if (!node) return 1;
  if (node->left && map->CompareKeys(node->left->key, node->key) >= 0) return -1;
  if (node->right && map->CompareKeys(node->right->key, node->key) <= 0) return -1;
  if (node->colour == -1 && ((node->left && node->left->colour == -1) ||
                             (node->right && node->right->colour == -1)))
    return -1;
  const int left = BlackHeight(node->left, map);
  const int right = BlackHeight(node->right, map);
  if (left < 0 || right < 0 || left != right) return -1;
  return left + (node->colour == 1 ? 1 : 0);
}

TEST(StringMap, KeysOrderByUnitsThenLength) {
  c_StringMap2* map = new c_StringMap2();
  EXPECT_LT(map->CompareKeys(String("a"), String("ab")), 0);
  EXPECT_LT(map->CompareKeys(String("B"), String("a")), 0);
  EXPECT_EQ(map->CompareKeys(String("x"), String("x")), 0);
}

TEST(StringMap, SetTwiceKeepsOneNodeWithTheLastValue) {
  c_StringMap2* map = new c_StringMap2();
  EXPECT_TRUE(map->Set(String("key"), new Value(1)));
  EXPECT_FALSE(map->Set(String("key"), new Value(2)));
  EXPECT_EQ(map->Count(), 1);
  EXPECT_EQ(static_cast<Value*>(map->Get(String("key")))->value, 2);
  EXPECT_TRUE(map->Contains(String("key")));
  EXPECT_FALSE(map->Contains(String("Key")));
  EXPECT_EQ(map->Get(String("missing")), nullptr);
}

TEST(StringMap, StaysBalancedAndEnumeratesInKeyOrder) {
  GcInitLists();
  static gc_global<c_StringMap2*> map;
  map = new c_StringMap2();
  std::vector<std::string> keys;
  std::mt19937 random(7);
  for (int i = 0; i < 2000; ++i) keys.push_back("k" + std::to_string(random() % 100000));
  for (size_t i = 0; i < keys.size(); ++i) {
    map->Set(String(keys[i].c_str()), new Value(static_cast<int>(i)));
    if (i % 97 == 0) CollectStep();
  }
  GcCollectAll();
  std::vector<std::string> sorted = keys;
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  EXPECT_EQ(map->Count(), static_cast<int>(sorted.size()));
  EXPECT_GT(BlackHeight(map->root, map), 0);

  size_t i = 0;
  for (c_ValueEnumerator* e = map->Values()->ObjectEnumerator(); e->HasNext(); ++i) {
    Value* v = static_cast<Value*>(e->NextObject());
    ASSERT_LT(i, sorted.size());
    EXPECT_EQ(v, map->Get(String(sorted[i].c_str())));
  }
  EXPECT_EQ(i, sorted.size());
  EXPECT_EQ(GcCheckHeap(), "");
  map = nullptr;
}

TEST(IntList, AddCountAndArray) {
  c_List* list = new c_List();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(list->ToArray().Length(), 0);
  for (int v : {5, 3, 9}) list->AddLast(v);
  Array<int> values = list->ToArray();
  ASSERT_EQ(values.Length(), 3);
  EXPECT_EQ(values[0], 5);
  EXPECT_EQ(values[2], 9);
}

TEST(IntList, EnumeratorSkipsUnlinkedNodes) {
  c_List* list = new c_List();
  list->AddLast(1);
  c_Node3* middle = list->AddLast(2);
  list->AddLast(3);
  c_Enumerator* e = list->ObjectEnumerator();
  ASSERT_TRUE(e->HasNext());
  EXPECT_EQ(e->NextObject(), 1);
  // Unlink the node the enumerator is about to visit.
  middle->pred->succ = middle->succ;
  middle->succ->pred = middle->pred;
  ASSERT_TRUE(e->HasNext());
  EXPECT_EQ(e->NextObject(), 3);
  EXPECT_FALSE(e->HasNext());
}

}  // namespace
