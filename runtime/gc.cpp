#include "runtime/gc.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

namespace {

// A list sentinel is a bare gc_object that is never marked. It lives in static
// storage built by placement new so that it needs no heap block and no header
// from GcAllocate.
struct Sentinel {
  alignas(gc_object) unsigned char storage[sizeof(gc_object)];
  gc_object* get() { return reinterpret_cast<gc_object*>(storage); }
};

Sentinel unmarkedSentinel, markedSentinel, queueSentinel, garbageSentinel;

gc_object* MakeSentinel(Sentinel& sentinel) {
  gc_object* s = new (sentinel.storage) gc_object;
  s->succ = s->pred = s;
  s->flags = 0;
  return s;
}

gc_object* const unmarkedList = MakeSentinel(unmarkedSentinel);
gc_object* const markedList = MakeSentinel(markedSentinel);
gc_object* const markQueue = MakeSentinel(queueSentinel);
gc_object* const garbageList = MakeSentinel(garbageSentinel);

int unmarkedColour = 1;
int allocatedBytes = 0;
int liveBytes = 0;
int markedBytes = 0;
int garbageBytes = 0;

// The header as plain data. A destroyed object's block, or one whose
// constructor threw, is no longer a gc_object, so its links are read through this.
struct RawHeader {
  void* vtable;
  gc_object* succ;
  gc_object* pred;
  int flags;
};
static_assert(sizeof(RawHeader) == sizeof(gc_object), "RawHeader mirrors the object header");

RawHeader* Raw(void* block) { return static_cast<RawHeader*>(block); }

// Recycled small blocks, indexed by size / 8 (index 0 unused), linked through succ.
RawHeader* freeBlocks[8] = {};

// What GcAllocate wrote into the block it handed out, so that the object's
// constructor can restore a header that a value-initialising `new T()` zeroed.
struct PendingHeader {
  gc_object* block = nullptr;
  gc_object* succ = nullptr;
  gc_object* pred = nullptr;
  int flags = 0;
} pending;

std::vector<gc_root_entry*>& RootRegistry() {
  static std::vector<gc_root_entry*> roots;
  return roots;
}

inline void Unlink(gc_object* o) {
  o->pred->succ = o->succ;
  o->succ->pred = o->pred;
}

inline void Append(gc_object* list, gc_object* o) {
  gc_object* last = list->pred;
  o->pred = last;
  o->succ = list;
  last->succ = o;
  list->pred = o;
}

inline bool IsEmpty(const gc_object* list) { return list->succ == list; }

inline bool IsUnmarked(const gc_object* o) { return o->Colour() == unmarkedColour; }

void ReleaseBlock(void* block, int size) {
  if (size <= kLargestSmallBlock) {
    Raw(block)->succ = reinterpret_cast<gc_object*>(freeBlocks[size / 8]);
    freeBlocks[size / 8] = Raw(block);
  } else {
    std::free(block);
  }
}

// The deleting destructor: clean-up of the class, then the block is recycled.
void Destroy(gc_object* o) {
  const int size = o->Size();
  o->~gc_object();
  garbageBytes -= size;
  ReleaseBlock(o, size);
}

// Destroys garbage, oldest first, until at least size bytes of it are gone.
void SweepForAllocation(int size) {
  int stop = garbageBytes - size;
  if (stop < 0) stop = 0;
  if (garbageBytes <= stop) return;
  while (garbageBytes > stop) {
    if (IsEmpty(garbageList)) {
      garbageBytes = 0;
      return;
    }
    gc_object* o = garbageList->succ;
    Unlink(o);
    Destroy(o);
  }
}

void ResetList(gc_object* list) { list->succ = list->pred = list; }

}  // namespace

// ---- Objects -----------------------------------------------------------------

void* gc_object::operator new(std::size_t n) { return GcAllocate(static_cast<int>(n)); }

void gc_object::operator delete(void* p) {
  // Only a throwing constructor gets here: the block is still linked and counted.
  RawHeader* o = Raw(p);
  const int size = o->flags & ~7;
  o->pred->succ = o->succ;
  o->succ->pred = o->pred;
  liveBytes -= size;
  ReleaseBlock(p, size);
}

void gc_object::RestoreHeader() {
  if (pending.block != this) return;  // a sentinel or a permanent object
  succ = pending.succ;
  pred = pending.pred;
  flags = pending.flags;
  pending.block = nullptr;
}

gc_root_entry::gc_root_entry() { RootRegistry().push_back(this); }

gc_root_entry::~gc_root_entry() {
  auto& roots = RootRegistry();
  for (auto& root : roots) {
    if (root == this) {
      root = roots.back();
      roots.pop_back();
      return;
    }
  }
}

// ---- Collector operations ---------------------------------------------------

void GcInitLists() {
  ResetList(unmarkedList);
  ResetList(markedList);
  ResetList(markQueue);
  ResetList(garbageList);
  unmarkedColour = 1;
  allocatedBytes = liveBytes = markedBytes = garbageBytes = 0;
}

void* GcAllocate(int n) {
  // The header alone needs sizeof(gc_object) bytes, so no block is smaller.
  if (n < static_cast<int>(sizeof(gc_object))) n = sizeof(gc_object);
  const int size = (n + 7) & ~7;
  allocatedBytes += size;
  SweepForAllocation(size);
  void* block;
  if (size < 64 && freeBlocks[size / 8]) {
    block = freeBlocks[size / 8];
    freeBlocks[size / 8] = reinterpret_cast<RawHeader*>(freeBlocks[size / 8]->succ);
  } else {
    block = std::malloc(size);
    if (!block) throw std::bad_alloc();
  }
  // A bare header object until the caller's constructor makes it the real one.
  gc_object* o = new (block) gc_object;
  o->flags = size | unmarkedColour;
  Append(unmarkedList, o);
  liveBytes += size;
  pending = PendingHeader{o, o->succ, o->pred, o->flags};
  return o;
}

void QueueMark(gc_object* o) {
  if (!o || !IsUnmarked(o)) return;
  o->flags ^= 1;
  Unlink(o);
  Append(markQueue, o);
}

void MarkNow(gc_object* o) {
  if (!o || !IsUnmarked(o)) return;
  o->flags ^= 1;
  Unlink(o);
  Append(markedList, o);
  markedBytes += o->Size();
  o->Mark();
}

void DrainMarkQueue(int target) {
  while (markedBytes < target && !IsEmpty(markQueue)) {
    gc_object* o = markQueue->succ;
    Unlink(o);
    Append(markedList, o);
    markedBytes += o->Size();
    o->Mark();
  }
}

int FinishCycle() {
  const int reclaimed = liveBytes - markedBytes;
  if (reclaimed != 0 && !IsEmpty(unmarkedList)) {
    // Splice the whole unmarked list onto the tail of the garbage list.
    gc_object* first = unmarkedList->succ;
    gc_object* last = unmarkedList->pred;
    gc_object* tail = garbageList->pred;
    tail->succ = first;
    first->pred = tail;
    last->succ = garbageList;
    garbageList->pred = last;
    ResetList(unmarkedList);
    garbageBytes += reclaimed;
  }
  unmarkedColour ^= 1;
  // The survivors become the unmarked list of the next cycle.
  if (IsEmpty(markedList)) {
    ResetList(unmarkedList);
  } else {
    unmarkedList->succ = markedList->succ;
    unmarkedList->pred = markedList->pred;
    unmarkedList->succ->pred = unmarkedList;
    unmarkedList->pred->succ = unmarkedList;
    ResetList(markedList);
  }
  liveBytes = markedBytes;
  markedBytes = 0;
  return reclaimed;
}

void MarkGlobalRoots() {
  for (gc_root_entry* root : RootRegistry()) root->MarkRoot();
}

namespace {
void FullCollection() {
  DrainMarkQueue(2147483647);
  FinishCycle();
  MarkGlobalRoots();
  allocatedBytes = 0;
}
}  // namespace

namespace {

std::int64_t longestStepNanoseconds = 0;

void RunStep() {
#if defined(TARVEX_GC_STRESS)
  FullCollection();
#else
  if (allocatedBytes > FULL_COLLECTION_BYTES) {
    FullCollection();
    return;
  }
  const std::int64_t a = allocatedBytes;
  const std::int64_t l = liveBytes;
  const std::int64_t target = a + (a * (l - a)) / FULL_COLLECTION_BYTES;
  DrainMarkQueue(static_cast<int>(target));
#endif
}

}  // namespace

void CollectStep() {
  const auto start = std::chrono::steady_clock::now();
  RunStep();
  const std::int64_t took =
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
  if (took > longestStepNanoseconds) longestStepNanoseconds = took;
}

std::int64_t GcLongestStepNanoseconds() { return longestStepNanoseconds; }

void GcResetLongestStep() { longestStepNanoseconds = 0; }

void GcCollectAll(gc_object* extraRoot) {
  // Two full collections turn everything unreachable into garbage (an object
  // marked through a barrier in the current cycle survives one flip); the
  // sweep then destroys it.
  for (int i = 0; i < 2; ++i) {
    MarkNow(extraRoot);
    FullCollection();
  }
  SweepForAllocation(garbageBytes);
}

// ---- Inspection -------------------------------------------------------------

GcStats GcGetStats() {
  return GcStats{unmarkedColour, allocatedBytes, liveBytes, markedBytes, garbageBytes};
}

GcListCounts GcCountObjects() {
  auto count = [](const gc_object* list) {
    int n = 0;
    for (const gc_object* o = list->succ; o != list; o = o->succ) ++n;
    return n;
  };
  return GcListCounts{count(unmarkedList), count(markedList), count(markQueue), count(garbageList)};
}

namespace {
// Checks one list's links and colours; adds the sizes of its objects to bytes.
std::string CheckList(const gc_object* list, const char* name, int wantColour, bool colourMustMatch,
                      long long& bytes) {
  const gc_object* prev = list;
  for (const gc_object* o = list->succ; o != list; o = o->succ) {
    if (o->pred != prev) return std::string(name) + ": broken back link";
    if (o->Colour() == kPermanentColour) return std::string(name) + ": permanent object on a list";
    if (o->Size() < static_cast<int>(sizeof(gc_object)))
      return std::string(name) + ": object smaller than its header";
    if (o->flags & 4) return std::string(name) + ": flags bit 2 set";
    if (colourMustMatch && o->Colour() != wantColour)
      return std::string(name) + ": object of the wrong colour";
    bytes += o->Size();
    prev = o;
  }
  if (list->pred != prev) return std::string(name) + ": sentinel's back link is wrong";
  return "";
}
}  // namespace

std::string GcCheckHeap() {
  long long unmarked = 0, marked = 0, queued = 0, garbage = 0;
  std::string fault;
  if (!(fault = CheckList(unmarkedList, "unmarked list", unmarkedColour, true, unmarked)).empty())
    return fault;
  if (!(fault = CheckList(markedList, "marked list", unmarkedColour ^ 1, true, marked)).empty())
    return fault;
  if (!(fault = CheckList(markQueue, "mark queue", unmarkedColour ^ 1, true, queued)).empty())
    return fault;
  if (!(fault = CheckList(garbageList, "garbage list", 0, false, garbage)).empty()) return fault;
  if (unmarked + marked + queued != liveBytes) return "liveBytes does not match the lists";
  if (marked != markedBytes) return "markedBytes does not match the marked list";
  if (garbage != garbageBytes) return "garbageBytes does not match the garbage list";
  return "";
}

bool GcIsLiveObject(const void* candidate) {
  for (const gc_object* list : {unmarkedList, markedList, markQueue}) {
    for (const gc_object* o = list->succ; o != list; o = o->succ) {
      if (o == candidate) return true;
    }
  }
  return false;
}
