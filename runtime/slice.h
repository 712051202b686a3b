// The range rule shared by String::Slice and Array::Slice: negative bounds
// count from the end, bounds beyond the length are clamped to it.
#pragma once

// Returns false when the clamped range is empty.
inline bool ClampSliceRange(int& from, int& to, int length) {
  if (from < 0) {
    from += length;
    if (from < 0) from = 0;
  } else if (from > length) {
    from = length;
  }
  if (to < 0) {
    to += length;
  } else if (to > length) {
    to = length;
  }
  return to > from;
}
