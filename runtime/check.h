// Index checks: off in release builds (callers keep indexes in range), on in
// debug and sanitizer builds so an out-of-range index fails loudly instead of
// corrupting memory.
#pragma once

[[noreturn]] void TarvexIndexFailure(long index, long length, const char* file, int line);

#if defined(TARVEX_CHECK_INDEXES)
#define TARVEX_CHECK_INDEX(i, n)                                                    \
  do {                                                                              \
    if ((i) < 0 || (i) >= (n)) TarvexIndexFailure((i), (n), __FILE__, __LINE__);     \
  } while (0)
#else
#define TARVEX_CHECK_INDEX(i, n) ((void)0)
#endif
