// The host tests' main: the collector's lists are made once per process, as
// the start function does for the program.
#include <gtest/gtest.h>

#include "runtime/gc.h"

int main(int argc, char** argv) {
  GcInitLists();
  ::testing::InitGoogleTest(&argc, argv);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  return RUN_ALL_TESTS();
}
