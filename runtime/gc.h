// Collected objects and the incremental colour-flipping mark-and-sweep collector.
//
// Every object of the game and its libraries, and every array representation, is
// allocated through GcAllocate and never freed by hand. The collector runs in only
// three places: a little destruction of garbage inside each allocation, one
// CollectStep that the host runs after every call into the application, and the
// marking of the global roots. It never interrupts application code, so locals
// are never roots.
//
// The invariant the write barrier protects: an object that is marked in this
// cycle never holds the only reference to an unmarked object. Every store of an
// object into a field, global or array element therefore queues the stored value
// (QueueMark), and every store of an array marks its representation at once
// (MarkNow). The barrier cannot be forgotten because the only types that hold a
// collected reference outside a local variable apply it themselves:
//   gc_ref<T>     a field (or array element) holding an object reference;
//   Array<T>      an array value (runtime/array.h), marked whenever it is stored;
//   gc_global<V>  a global holding an object or an array, registered as a root.
#pragma once

#include <cstdint>
#include <type_traits>

#include "runtime/string.h"

// Colour bits of flags: 0 or 1 for managed objects, 3 for permanent ones.
constexpr int kColourMask = 3;
constexpr int kPermanentColour = 3;
// Largest size served from the size-class free lists (8..56 bytes).
constexpr int kLargestSmallBlock = 56;
// A full collection runs at the first step after this many bytes were allocated.
constexpr int FULL_COLLECTION_BYTES = 8388608;

class gc_object {
 public:
  gc_object* succ;
  gc_object* pred;
  int flags;

  // GcAllocate has already written succ, pred and flags. A value-initialising
  // `new T()` zero-fills the object before this runs, so the header is restored
  // from what GcAllocate recorded for this block.
  gc_object() { RestoreHeader(); }
  virtual ~gc_object() {}
  // Queues every object or array reference that the object holds.
  virtual void Mark() {}

  int Size() const { return flags & ~7; }
  int Colour() const { return flags & kColourMask; }

  static void* operator new(std::size_t n);
  // Reached only when a constructor throws: the half-made block is unlinked and freed.
  static void operator delete(void* p);
  // Placement form for permanent objects and sentinels that live outside the heap.
  static void* operator new(std::size_t, void* where) { return where; }
  static void operator delete(void*, void*) {}

 private:
  void RestoreHeader();
};

// Base of every interface. A class embeds one sub-object per interface it
// implements; the sub-object is never allocated or collected on its own.
class gc_interface {
 public:
  virtual ~gc_interface() {}
};

class Object : public gc_object {
 public:
  virtual bool Equals(Object* other) { return other == this; }
  virtual int Compare(Object* other) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(this) - reinterpret_cast<std::intptr_t>(other));
  }
  virtual String DebugText() { return String("+Object\n"); }
};

// ---- Collector operations -------------------------------------------------

void* GcAllocate(int n);
void QueueMark(gc_object* o);
void MarkNow(gc_object* o);
void DrainMarkQueue(int target);
int FinishCycle();
void MarkGlobalRoots();
void CollectStep();
// Makes the four lists empty and resets the collector's counters (start-up).
void GcInitLists();

// Interface sub-objects reach their owning object through a cross cast.
inline gc_object* GcObjectOf(gc_object* o) { return o; }
inline gc_object* GcObjectOf(gc_interface* i) { return dynamic_cast<gc_object*>(i); }

inline void QueueMark(gc_interface* i) {
  if (i) QueueMark(GcObjectOf(i));
}
inline void MarkNow(gc_interface* i) {
  if (i) MarkNow(GcObjectOf(i));
}

// A class that implements an interface is both a gc_object and a gc_interface;
// its pointers are queued and marked as the object they point to.
template <class T>
using EnableForObjectWithInterface =
    std::enable_if_t<std::is_base_of<gc_object, T>::value && std::is_base_of<gc_interface, T>::value>;
template <class T, class = EnableForObjectWithInterface<T>>
inline void QueueMark(T* o) {
  QueueMark(static_cast<gc_object*>(o));
}
template <class T, class = EnableForObjectWithInterface<T>>
inline void MarkNow(T* o) {
  MarkNow(static_cast<gc_object*>(o));
}

// ---- Barriered reference holders ------------------------------------------

// A field (or object-array element) holding a reference to T. Every store
// queues the stored object, so a marked holder never hides an unmarked object.
template <class T>
class gc_ref {
 public:
  gc_ref() : ptr_(nullptr) {}
  gc_ref(T* p) : ptr_(p) { QueueMark(p); }
  gc_ref(const gc_ref& other) : ptr_(other.ptr_) { QueueMark(ptr_); }
  gc_ref& operator=(T* p) {
    QueueMark(p);
    ptr_ = p;
    return *this;
  }
  gc_ref& operator=(const gc_ref& other) { return *this = other.ptr_; }

  T* get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  T& operator*() const { return *ptr_; }
  operator T*() const { return ptr_; }

  // For Mark: queues the referenced object (no store happens).
  void Mark() const { QueueMark(ptr_); }

 private:
  T* ptr_;
};

// Something MarkGlobalRoots visits. Globals register once, on construction.
class gc_root_entry {
 public:
  gc_root_entry();
  virtual ~gc_root_entry();
  gc_root_entry(const gc_root_entry&) = delete;
  gc_root_entry& operator=(const gc_root_entry&) = delete;
  virtual void MarkRoot() = 0;
};

// A global variable holding a T* (as gc_global<T*>) or an Array<E>
// (as gc_global<Array<E>>, see runtime/array.h). Stores go through the barrier.
template <class V>
class gc_global;

template <class T>
class gc_global<T*> final : public gc_root_entry {
 public:
  gc_global() = default;
  gc_global& operator=(T* p) {
    ref_ = p;
    return *this;
  }
  T* get() const { return ref_.get(); }
  T* operator->() const { return ref_.get(); }
  operator T*() const { return ref_.get(); }
  void MarkRoot() override { ref_.Mark(); }

 private:
  gc_ref<T> ref_;
};

// ---- Inspection for tests and the error report -----------------------------

struct GcStats {
  int unmarkedColour;
  int allocatedBytes;
  int liveBytes;
  int markedBytes;
  int garbageBytes;
};
GcStats GcGetStats();

struct GcListCounts {
  int unmarked;
  int marked;
  int queued;
  int garbage;
};
// The longest CollectStep since start-up (or the last reset), for the
// benchmarks: a step must stay short enough not to disturb a frame.
std::int64_t GcLongestStepNanoseconds();
void GcResetLongestStep();

// Walks the four lists: linear in the heap size.
GcListCounts GcCountObjects();

// Walks every list and checks every link, colour and byte counter. Returns an
// empty string when the heap is consistent, else a description of the first fault.
std::string GcCheckHeap();

// True when o is a live collected object (on the unmarked, marked or queue list).
bool GcIsLiveObject(const void* o);

// Runs full collections until the garbage is destroyed: for tests and
// benchmarks. extraRoot stands for the host's delegate, marked before each one.
void GcCollectAll(gc_object* extraRoot = nullptr);
