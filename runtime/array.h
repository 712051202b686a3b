// Array<T>: a fixed-length array value pointing to a collected representation
// (length and elements). An Array value is never null: every empty array points
// to the one permanent empty representation of its element type.
//
// Element types: int, float, bool, String, and T* for collected classes. Object
// elements are stored as gc_ref<T>, so writing one carries the write barrier.
// Copying or assigning an Array value marks its representation at once (the
// array barrier); for locals that only keeps garbage one cycle longer.
#pragma once

#include <algorithm>
#include <new>
#include <type_traits>

#include "runtime/check.h"
#include "runtime/gc.h"
#include "runtime/slice.h"
#include "runtime/string.h"

namespace array_detail {
template <class T>
struct Storage {
  using type = T;
};
template <class T>
struct Storage<T*> {
  using type = gc_ref<T>;
};
}  // namespace array_detail

template <class T>
class Array {
 public:
  using Element = typename array_detail::Storage<T>::type;
  static constexpr bool kHoldsObjects = std::is_pointer<T>::value;

  class Rep final : public gc_object {
   public:
    int length;

    Element* elements() { return reinterpret_cast<Element*>(this + 1); }

    ~Rep() override {
      if constexpr (!std::is_trivially_destructible<Element>::value) {
        for (int i = 0; i < length; ++i) elements()[i].~Element();
      }
    }
    void Mark() override {
      if constexpr (kHoldsObjects) {
        for (int i = 0; i < length; ++i) MarkNow(elements()[i].get());
      }
    }

    static Rep* Create(int n) {
      if (n <= 0) return Empty();
      void* block = GcAllocate(static_cast<int>(sizeof(Rep) + sizeof(Element) * n));
      Rep* rep = new (block) Rep;
      rep->length = n;
      // Elements start as 0, 0.0, false, the empty string or null, without barriers.
      for (int i = 0; i < n; ++i) new (&rep->elements()[i]) Element();
      return rep;
    }

    // The permanent empty representation: colour 3, on no list, never collected.
    static Rep* Empty() {
      static Rep* empty = [] {
        static typename std::aligned_storage<sizeof(Rep), alignof(Rep)>::type storage;
        Rep* rep = new (&storage) Rep;
        rep->succ = rep->pred = nullptr;
        rep->flags = static_cast<int>(sizeof(Rep)) | kPermanentColour;
        rep->length = 0;
        return rep;
      }();
      return empty;
    }
  };
  static_assert(sizeof(Rep) % alignof(Element) == 0, "elements follow the header aligned");

  Array() : rep_(Rep::Empty()) {}
  explicit Array(int length) : rep_(Rep::Create(length)) {}
  Array(const Array& other) : rep_(other.rep_) { MarkNow(rep_); }
  Array& operator=(const Array& other) {
    MarkNow(other.rep_);
    rep_ = other.rep_;
    return *this;
  }

  int Length() const { return rep_->length; }
  Element& operator[](int i) const {
    TARVEX_CHECK_INDEX(i, rep_->length);
    return rep_->elements()[i];
  }
  Element* begin() const { return rep_->elements(); }
  Element* end() const { return rep_->elements() + rep_->length; }

  // A new array of the new length holding the first min(old, new) elements.
  Array Resize(int length) const {
    Array result(length);
    CopyInto(result, 0, std::min(length, Length()));
    return result;
  }

  // Elements from..to with the same clamping as String::Slice.
  Array Slice(int from, int to) const {
    if (!ClampSliceRange(from, to, Length())) return Array();
    Array result(to - from);
    CopyInto(result, from, to - from);
    return result;
  }
  Array Slice(int from) const { return Slice(from, Length()); }
  Array Copy() const { return Slice(0, Length()); }

  Rep* rep() const { return rep_; }
  // For Mark: queues the representation (no store happens).
  void Mark() const { QueueMark(rep_); }

 private:
  void CopyInto(Array& target, int from, int count) const {
    for (int i = 0; i < count; ++i) target.rep_->elements()[i] = rep_->elements()[from + i];
  }

  Rep* rep_;
};

// A global holding an array, registered as a root.
template <class E>
class gc_global<Array<E>> final : public gc_root_entry {
 public:
  gc_global() = default;
  gc_global& operator=(const Array<E>& a) {
    value_ = a;
    return *this;
  }
  Array<E>& get() { return value_; }
  operator const Array<E>&() const { return value_; }
  typename Array<E>::Element& operator[](int i) const { return value_[i]; }
  int Length() const { return value_.Length(); }
  void MarkRoot() override { value_.Mark(); }

 private:
  Array<E> value_;
};
