// Arbitrary bytes as a level file. A refusal is one line naming the file, a
// line of the text and a column; a level the reader accepts lies on the
// board within the pools, and what the writer makes of it reads back as the
// same level and is written again the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/rules/board.h"
#include "game/rules/layout_equal.h"
#include "game/rules/level_reader.h"
#include "game/rules/level_writer.h"

namespace {

const std::string kName = "fuzz.level";

// "fuzz.level:LINE:COLUMN: reason", the line within the text (or just past it).
void CheckRefusal(const std::string& text, const std::string& error) {
  if (error.compare(0, kName.size() + 1, kName + ":") != 0 || error.find('\n') != std::string::npos) std::abort();
  char* end = nullptr;
  const long line = std::strtol(error.c_str() + kName.size() + 1, &end, 10);
  std::size_t lines = 1;
  for (char c : text) lines += c == '\n';
  if (line < 1 || static_cast<std::size_t>(line) > lines || *end != ':') std::abort();
  const long column = std::strtol(end + 1, &end, 10);
  if (column < 1 || end[0] != ':' || end[1] != ' ' || end[2] == '\0') std::abort();
}

void CheckCell(CellXY c) {
  if (!OnBoard(c.x, c.y)) std::abort();
}

void CheckBounds(const LevelLayout& l) {
  CheckCell(l.start);
  CheckCell(l.finish);
  if (l.start.x != 0) std::abort();
  if (l.hasMine) CheckCell({l.mine.x + 1, l.mine.y + 1});
  if (l.scenery.size() > kBuildingPoolSize || l.stones.size() > kBlockTilePoolSize || l.gold.size() > kGoldPoolSize) {
    std::abort();
  }
  for (const SceneryPlacement& s : l.scenery) {
    if (s.kind < 0 || s.kind >= kBuildingKindCount) std::abort();
    CheckCell({s.x + BuildingWidth(s.kind) - 1, s.y + BuildingHeight(s.kind) - 1});
  }
  for (CellXY c : l.stones) CheckCell(c);
  for (CellXY c : l.gold) CheckCell(c);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  LevelLayout layout;
  std::string error;
  if (!ReadLevelText(text, kName, layout, error)) {
    CheckRefusal(text, error);
    return 0;
  }
  CheckBounds(layout);
  const std::string written = WriteLevelText(layout);
  LevelLayout again;
  if (!ReadLevelText(written, kName, again, error)) std::abort();
  if (!(again == layout)) std::abort();
  if (WriteLevelText(again) != written) std::abort();
  return 0;
}
