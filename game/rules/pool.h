// The board's pools are fixed arrays of entries with an `active` flag; a new
// object takes the first inactive entry in index order.
#pragma once

#include "runtime/array.h"

// The first inactive entry of the pool, or null when every entry is in use.
template <class T>
T* FirstInactive(const Array<T*>& pool) {
  for (int i = 0; i < pool.Length(); ++i) {
    if (pool[i]->active == 0) return pool[i];
  }
  return nullptr;
}

// A pool of `size` fresh, inactive entries.
template <class T>
Array<T*> NewPool(int size) {
  Array<T*> pool(size);
  for (int i = 0; i < size; ++i) pool[i] = new T();
  return pool;
}

template <class T>
void DeactivateAll(const Array<T*>& pool) {
  for (int i = 0; i < pool.Length(); ++i) pool[i]->active = 0;
}
