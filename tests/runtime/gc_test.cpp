#include <gtest/gtest.h>

#include <stdexcept>

#include "runtime/array.h"
#include "runtime/gc.h"

namespace {

// An object that counts its destruction and can hold one other object.
class Counted : public Object {
 public:
  static int destroyed;
  ~Counted() override { ++destroyed; }
  void Mark() override { next.Mark(); }
  gc_ref<Counted> next;
  char padding[8];
};
int Counted::destroyed = 0;

// A class with no constructor of its own: `new Plain()` value-initialises it.
class Plain : public Object {
 public:
  int a;
  int b;
};

class Throwing : public Object {
 public:
  Throwing() { throw std::runtime_error("refused"); }
};

// What the host does after every call into the application.
void HostStep(Object* delegate) {
  MarkNow(delegate);
  CollectStep();
}

class Collector : public ::testing::Test {
 protected:
  void SetUp() override {
    GcInitLists();
    Counted::destroyed = 0;
  }
  void TearDown() override { EXPECT_EQ(GcCheckHeap(), ""); }
};

TEST_F(Collector, SizeClassesRoundUpAndRecycleBlocks) {
  // Every block holds at least the object header, so tiny requests round up to it.
  void* one = GcAllocate(1);
  EXPECT_EQ(static_cast<gc_object*>(one)->Size(), static_cast<int>(sizeof(gc_object)));
  void* big = GcAllocate(57);
  EXPECT_EQ(static_cast<gc_object*>(big)->Size(), 64);
  // Raw blocks have no vtable: put real objects on the list instead before collecting.
  GcInitLists();

  struct Block56 : public Object {
    char fill[56 - sizeof(Object)];
  };
  static_assert(sizeof(Block56) == 56, "a 56-byte object");
  gc_object* first = new Block56();
  GcCollectAll();  // unreachable: destroyed, its block goes to the 56-byte list
  void* reused = GcAllocate(49);
  EXPECT_EQ(reused, first);
  GcInitLists();
}

TEST_F(Collector, ReachableObjectsSurviveAndUnreachableOnesAreDestroyed) {
  static gc_global<Counted*> root;
  Counted* head = new Counted();
  root = head;
  Counted* tail = head;
  for (int i = 0; i < 99; ++i) {
    Counted* next = new Counted();
    tail->next = next;
    tail = next;
  }
  for (int i = 0; i < 1000; ++i) new Counted();
  for (int cycle = 0; cycle < 5; ++cycle) {
    GcCollectAll();
    EXPECT_EQ(GcCheckHeap(), "");
  }
  EXPECT_EQ(Counted::destroyed, 1000);
  int length = 0;
  for (Counted* c = root; c; c = c->next) ++length;
  EXPECT_EQ(length, 100);

  root = nullptr;
  GcCollectAll();
  EXPECT_EQ(Counted::destroyed, 1100);
}

TEST_F(Collector, StoreIntoAlreadyMarkedObjectSurvivesTheCycle) {
  static gc_global<Counted*> root;
  root = new Counted();
  GcCollectAll();
  // Start a cycle and mark the root completely.
  MarkGlobalRoots();
  DrainMarkQueue(2147483647);
  ASSERT_NE(root->Colour(), GcGetStats().unmarkedColour);
  // Only the barrier in the store can save this new object now.
  root->next = new Counted();
  DrainMarkQueue(2147483647);
  FinishCycle();
  MarkGlobalRoots();
  GcCollectAll();
  EXPECT_EQ(Counted::destroyed, 0);
  ASSERT_NE(root->next.get(), nullptr);
  EXPECT_TRUE(GcIsLiveObject(root->next.get()));
  root = nullptr;
}

TEST_F(Collector, DelegateMarkedByTheHostKeepsItsObjectsAlive) {
  Counted* delegate = new Counted();
  delegate->next = new Counted();
  for (int step = 0; step < 50; ++step) {
    for (int i = 0; i < 20; ++i) new Counted();  // garbage made during an update
    HostStep(delegate);
  }
  GcCollectAll(delegate);
  EXPECT_EQ(Counted::destroyed, 50 * 20);
  EXPECT_TRUE(GcIsLiveObject(delegate->next.get()));
}

#if !defined(TARVEX_GC_STRESS)
TEST_F(Collector, GarbageWaitsForAFullCollectionAndThenForAllocations) {
  Counted* keeper = new Counted();
  new Counted();  // unreachable at once
  for (int i = 0; i < 10; ++i) HostStep(keeper);
  EXPECT_EQ(Counted::destroyed, 0) << "destroyed before any full collection";

  // Allocate past 8 MiB in big blocks; the next step runs the full collection.
  std::vector<Array<int>> held;
  for (int i = 0; i < 9; ++i) held.emplace_back(1024 * 1024 / 4 + 16);
  EXPECT_GT(GcGetStats().allocatedBytes, FULL_COLLECTION_BYTES);
  HostStep(keeper);
  EXPECT_EQ(GcGetStats().allocatedBytes, 0);
  EXPECT_EQ(Counted::destroyed, 0) << "the flip only moves garbage, allocations destroy it";
  GcCollectAll(keeper);
  EXPECT_GE(Counted::destroyed, 1);
}

TEST_F(Collector, IncrementalStepMarksInProportionToAllocation) {
  static gc_global<Array<Counted*>> roots;
  roots = Array<Counted*>(1000);
  for (int i = 0; i < 1000; ++i) roots[i] = new Counted();
  GcCollectAll();
  MarkGlobalRoots();
  const GcStats before = GcGetStats();
  EXPECT_EQ(before.allocatedBytes, 0);
  CollectStep();  // nothing allocated since the full collection: target 0
  EXPECT_EQ(GcGetStats().markedBytes, 0);
  roots = Array<Counted*>();
}
#endif

TEST_F(Collector, PermanentEmptyArrayIsNeverListedOrMarked) {
  static gc_global<Array<Counted*>> empty;
  Array<Counted*>::Rep* rep = Array<Counted*>().rep();
  for (int i = 0; i < 100; ++i) {
    empty = Array<Counted*>(0);
    MarkNow(rep);
    QueueMark(rep);
    CollectStep();
  }
  GcCollectAll();
  EXPECT_EQ(rep->Colour(), kPermanentColour);
  EXPECT_EQ(rep->succ, nullptr);
  EXPECT_EQ(Array<Counted*>(0).rep(), rep);
  EXPECT_EQ(Array<Counted*>(-5).rep(), rep);
}

TEST_F(Collector, ObjectIdentity) {
  Object* a = new Object();
  Object* b = new Object();
  EXPECT_TRUE(a->Equals(a));
  EXPECT_FALSE(a->Equals(b));
  EXPECT_EQ(a->Compare(a), 0);
  EXPECT_NE(a->Compare(b), 0);
  EXPECT_EQ(a->DebugText(), String("+Object\n"));
}

TEST_F(Collector, ValueInitialisedObjectKeepsItsHeader) {
  Plain* p = new Plain();
  EXPECT_EQ(p->a, 0);
  EXPECT_TRUE(GcIsLiveObject(p));
  EXPECT_EQ(GcCheckHeap(), "");
}

TEST_F(Collector, ThrowingConstructorLeavesNothingBehind) {
  const GcStats before = GcGetStats();
  const int listed = GcCountObjects().unmarked;
  EXPECT_THROW(new Throwing(), std::runtime_error);
  EXPECT_EQ(GcCountObjects().unmarked, listed);
  EXPECT_EQ(GcGetStats().liveBytes, before.liveBytes);
}

TEST_F(Collector, HeapWalkerNoticesAWrongColour) {
  Object* o = new Object();
  ASSERT_EQ(GcCheckHeap(), "");
  o->flags ^= 1;  // pretend it was marked without moving it
  EXPECT_NE(GcCheckHeap(), "");
  o->flags ^= 1;
}

TEST_F(Collector, ObjectArraysMarkTheirElements) {
  static gc_global<Array<Counted*>> table;
  table = Array<Counted*>(64);
  for (int i = 0; i < 64; ++i) table[i] = new Counted();
  for (int i = 0; i < 64; i += 2) table[i] = nullptr;
  GcCollectAll();
  EXPECT_EQ(Counted::destroyed, 32);
  for (int i = 1; i < 64; i += 2) EXPECT_TRUE(GcIsLiveObject(table[i].get()));
  table = Array<Counted*>();
}

TEST_F(Collector, LongRunKeepsTheLiveHeapBounded) {
  // A live ring of 4096 small objects, rewritten while 300 MiB of garbage passes through.
  static gc_global<Array<Counted*>> ring;
  ring = Array<Counted*>(4096);
  Counted* delegate = new Counted();
  long long allocated = 0;
  int maxLive = 0;
  int slot = 0;
  while (allocated < 300LL * 1024 * 1024) {
    for (int i = 0; i < 256; ++i) {
      Counted* c = new Counted();
      c->next = new Counted();
      ring[slot] = c;
      slot = (slot + 1) & 4095;
      allocated += 2 * 56;
    }
    Array<int> scratch(1000);  // larger blocks come from the system heap
    allocated += 4000;
    HostStep(delegate);
    if (GcGetStats().liveBytes > maxLive) maxLive = GcGetStats().liveBytes;
  }
  EXPECT_EQ(GcCheckHeap(), "");
  // The live set is about 460 KiB; a full collection runs every 8 MiB.
  EXPECT_LT(maxLive, 24 * 1024 * 1024);
  GcCollectAll();
  EXPECT_LT(GcGetStats().liveBytes, 2 * 1024 * 1024);
  for (int i = 0; i < 4096; i += 512) ASSERT_TRUE(GcIsLiveObject(ring[i].get()));
  ring = Array<Counted*>();
}

}  // namespace
