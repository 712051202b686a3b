#include <gtest/gtest.h>

#include "runtime/array.h"

namespace {

class Item : public Object {
 public:
  explicit Item(int v) : value(v) {}
  int value;
};

TEST(Arrays, NewElementsStartEmpty) {
  Array<int> ints(3);
  Array<float> floats(2);
  Array<bool> flags(2);
  Array<String> texts(2);
  Array<Item*> items(2);
  EXPECT_EQ(ints[2], 0);
  EXPECT_EQ(floats[1], 0.0f);
  EXPECT_FALSE(flags[0]);
  EXPECT_EQ(texts[1], String());
  EXPECT_EQ(items[0].get(), nullptr);
}

TEST(Arrays, ResizeKeepsThePrefix) {
  Array<int> a(3);
  for (int i = 0; i < 3; ++i) a[i] = i + 1;
  Array<int> grown = a.Resize(5);
  ASSERT_EQ(grown.Length(), 5);
  EXPECT_EQ(grown[2], 3);
  EXPECT_EQ(grown[3], 0);
  EXPECT_EQ(grown[4], 0);
  Array<int> shrunk = a.Resize(2);
  ASSERT_EQ(shrunk.Length(), 2);
  EXPECT_EQ(shrunk[1], 2);
  EXPECT_EQ(a.Resize(0).rep(), Array<int>().rep());
  EXPECT_EQ(a.Resize(-1).rep(), Array<int>().rep());
}

TEST(Arrays, SliceAndCopy) {
  Array<String> a(4);
  const char* words[] = {"a", "b", "c", "d"};
  for (int i = 0; i < 4; ++i) a[i] = String(words[i]);
  Array<String> mid = a.Slice(1, -1);
  ASSERT_EQ(mid.Length(), 2);
  EXPECT_EQ(mid[0], String("b"));
  EXPECT_EQ(a.Slice(3, 1).rep(), Array<String>().rep());
  Array<String> copy = a.Copy();
  copy[0] = String("z");
  EXPECT_EQ(a[0], String("a"));
  EXPECT_NE(copy.rep(), a.rep());
}

TEST(Arrays, ObjectElementsCarryTheBarrier) {
  GcInitLists();
  static gc_global<Array<Item*>> held;
  held = Array<Item*>(1);
  GcCollectAll();
  MarkGlobalRoots();
  DrainMarkQueue(2147483647);  // the array is marked now
  held[0] = new Item(7);       // must be queued by the element store
  GcCollectAll();
  ASSERT_TRUE(GcIsLiveObject(held[0].get()));
  EXPECT_EQ(held[0]->value, 7);
  EXPECT_EQ(GcCheckHeap(), "");
  held = Array<Item*>();
}

TEST(Arrays, StringArraysReleaseTheirElements) {
  GcInitLists();
  String text = String("kept ") + String("alive");
  const int before = text.RepForTesting()->refs;
  {
    Array<String> many(10);
    for (int i = 0; i < 10; ++i) many[i] = text;
    EXPECT_EQ(text.RepForTesting()->refs, before + 10);
  }
  GcCollectAll();
  EXPECT_EQ(text.RepForTesting()->refs, before);
}

}  // namespace

#if defined(TARVEX_CHECK_INDEXES)
namespace {
// Checked builds (debug and sanitizer) stop at a bad index instead of
// reading or writing past the elements.
TEST(ArraysDeathTest, OutOfRangeIndexStopsCheckedBuilds) {
  Array<int> a(3);
  EXPECT_DEATH(a[3] = 1, "index 3 out of range");
  EXPECT_DEATH(a[-1] = 1, "index -1 out of range");
  const String s("abc");
  EXPECT_DEATH(static_cast<void>(s[7]), "index 7 out of range");
}
}  // namespace
#endif
