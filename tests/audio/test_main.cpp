// Test entry for the audio tests: the collector's lists must exist before any
// collected object is made.
#include <gtest/gtest.h>

#include "runtime/gc.h"

int main(int argc, char** argv) {
  GcInitLists();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
