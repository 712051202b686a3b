// rails-level-format FILE...: reads each level file and writes it back as
// the game's level writer writes it (its comments replaced by the writer's
// own, its keys in order, its placements as the board draws them). A file
// that does not read is left alone and named with its fault; the tool then
// exits 1. With --check it writes nothing and exits 1 when a file is not
// already in that form.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "game/rules/level_reader.h"
#include "game/rules/level_writer.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// False when the file has a fault, or (checking) is not in the writer's form.
bool Format(const std::string& path, bool checkOnly) {
  LevelLayout layout;
  std::string error;
  if (!LoadLevelFile(path, layout, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  const std::string written = WriteLevelText(layout);
  if (written == ReadFile(path)) return true;
  if (checkOnly) {
    std::fprintf(stderr, "%s: not in the writer's form\n", path.c_str());
    return false;
  }
  std::ofstream(path, std::ios::binary) << written;
  std::printf("%s: written again\n", path.c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const bool checkOnly = argc > 1 && std::strcmp(argv[1], "--check") == 0;
  const int first = checkOnly ? 2 : 1;
  if (argc <= first) {
    std::fprintf(stderr, "usage: rails-level-format [--check] FILE...\n");
    return 2;
  }
  bool allGood = true;
  for (int i = first; i < argc; ++i) allGood = Format(argv[i], checkOnly) && allGood;
  return allGood ? 0 : 1;
}
