// The program entry: the command-line options that run without a window, then
// the game itself.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game/print_level.h"
#include "game/state.h"
#include "runtime/gc.h"

namespace {

const char* const kUsage =
    "Usage: rails-against-time [option]\n"
    "\n"
    "  --help             show this text\n"
    "  --print-level N    print level N (1..15) as laid out at its start and exit;\n"
    "                     9 lines of 13 cells, row 0 first:\n";

int PrintLevel(const char* argument) {
  char* end = nullptr;
  const long n = argument ? std::strtol(argument, &end, 10) : 0;
  if (!argument || *end != '\0' || n < 1 || n > kLevelCount) {
    std::fprintf(stderr, "rails-against-time: --print-level needs a level number from 1 to %d\n", kLevelCount);
    return 2;
  }
  GcInitLists();
  ResetGameState();
  std::fputs(PrintLevelText(static_cast<int>(n)).c_str(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kUsage, stdout);
    std::fputs(kBoardLegend, stdout);
    return 0;
  }
  if (argc >= 2 && std::strcmp(argv[1], "--print-level") == 0) return PrintLevel(argc >= 3 ? argv[2] : nullptr);
  std::fputs("rails-against-time: the game's screens are not built yet; see --help\n", stderr);
  return 1;
}
