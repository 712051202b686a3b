#include "game/rules/level_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "game/rules/board.h"
#include "game/rules/level_format.h"

namespace {

constexpr int kMineSize = 2;
constexpr std::size_t kMaxLevelFileBytes = 1 << 20;
constexpr int kKeyCount = 8;

struct Word {
  std::string text;
  int column;  // from 1
};

struct SourceLine {
  int number;  // from 1
  std::string text;
};

std::string Hex(unsigned char c) {
  const char* digits = "0123456789ABCDEF";
  return std::string("0x") + digits[c >> 4] + digits[c & 15];
}

// A letter of the file as the error line shows it: a byte that would not
// print as itself (a tab, a part of a UTF-8 letter) in hexadecimal.
std::string Quoted(char c) {
  const unsigned char byte = static_cast<unsigned char>(c);
  return byte > 0x20 && byte < 0x7F ? std::string("'") + c + "'" : Hex(byte);
}
std::string CellName(CellXY c) { return std::to_string(c.x) + "," + std::to_string(c.y); }
bool SameCell(CellXY a, CellXY b) { return a.x == b.x && a.y == b.y; }

bool IsBlankOrComment(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  return first == std::string::npos || text[first] == '#';
}

std::vector<Word> SplitWords(const std::string& text) {
  std::vector<Word> words;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ' || text[i] == '\t') {
      ++i;
      continue;
    }
    const std::size_t end = std::min(text.find_first_of(" \t", i), text.size());
    words.push_back({text.substr(i, end - i), static_cast<int>(i) + 1});
    i = end;
  }
  return words;
}

// How many bytes a UTF-8 sequence starting with `lead` takes; 0 when no
// sequence starts so.
int Utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool IsControl(unsigned char c) { return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F; }

class LevelReader {
 public:
  LevelReader(const std::string& text, const std::string& fileName) : text_(text), file_(fileName) {}

  bool Read(LevelLayout& out, std::string& error) {
    if (!ReadWhole()) {
      error = error_;
      return false;
    }
    out = layout_;
    return true;
  }

 private:
  // Each step stops at the first fault, having set error_.
  bool ReadWhole() {
    if (!CheckText()) return false;
    SplitLines();
    return ReadHeader() && ReadKeys() && ReadRows() && CheckAfterRows() && CheckMarkers() && PlaceScenery() &&
           PlaceLoose(kStonesLetter, "stones", kBlockTilePoolSize, layout_.stones) &&
           PlaceLoose(kGoldLetter, "gold nuggets", kGoldPoolSize, layout_.gold);
  }

  bool Fail(int line, int column, const std::string& what) {
    error_ = file_ + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + what;
    return false;
  }
  bool FailAt(CellXY c, const std::string& what) { return Fail(rowLines_[c.y], c.x + 1, what); }

  // ---- The text as a whole --------------------------------------------------

  bool CheckText() {
    int line = 1, column = 1;
    for (std::size_t i = 0; i < text_.size(); ++column) {
      const unsigned char c = static_cast<unsigned char>(text_[i]);
      if (IsControl(c)) return Fail(line, column, "not text: a control byte " + Hex(c));
      const int length = Utf8Length(c);
      if (length == 0 || !Continues(i, length)) return Fail(line, column, "not text: bytes that are not UTF-8");
      if (c == '\n') {
        ++line;
        column = 0;
      }
      i += static_cast<std::size_t>(length);
    }
    return true;
  }

  bool Continues(std::size_t at, int length) const {
    if (at + static_cast<std::size_t>(length) > text_.size()) return false;
    for (int k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text_[at + k]) & 0xC0) != 0x80) return false;
    }
    return true;
  }

  void SplitLines() {
    std::size_t start = 0;
    int number = 1;
    while (start < text_.size()) {
      std::size_t end = text_.find('\n', start);
      if (end == std::string::npos) end = text_.size();
      std::string text = text_.substr(start, end - start);
      if (!text.empty() && text.back() == '\r') text.pop_back();
      lines_.push_back({number++, text});
      start = end + 1;
    }
  }

  bool ReadHeader() {
    const std::string first = lines_.empty() ? std::string() : lines_[0].text;
    if (first == kLevelFileHeader) {
      next_ = 1;
      return true;
    }
    if (first.compare(0, std::strlen(kLevelFileMagic), kLevelFileMagic) == 0) {
      return Fail(1, static_cast<int>(std::strlen(kLevelFileMagic)) + 1,
                  "a level file of version " + first.substr(std::strlen(kLevelFileMagic)) +
                      "; this game reads version 1");
    }
    return Fail(1, 1, std::string("not a level file: its first line must be \"") + kLevelFileHeader + "\"");
  }

  // ---- Keys -------------------------------------------------------------------

  using KeyReader = bool (LevelReader::*)(const SourceLine&, const std::vector<Word>&);
  struct Key {
    const char* name;
    KeyReader read;
  };
  static const Key kKeys[kKeyCount];

  bool ReadKeys() {
    for (; next_ < lines_.size(); ++next_) {
      const SourceLine& line = lines_[next_];
      if (IsBlankOrComment(line.text)) continue;
      const std::vector<Word> words = SplitWords(line.text);
      if (words[0].text == "board") return BeginBoard(line, words);
      if (!ReadKey(line, words)) return false;
    }
    return Fail(LastLineNumber(), 1, "no board: the file ends before its \"board\" line");
  }

  int LastLineNumber() const { return lines_.empty() ? 1 : lines_.back().number; }

  bool ReadKey(const SourceLine& line, const std::vector<Word>& words) {
    for (std::size_t k = 0; k < std::size(kKeys); ++k) {
      if (words[0].text != kKeys[k].name) continue;
      if (seen_[k] != 0) {
        return Fail(line.number, 1,
                    "a second \"" + words[0].text + "\" line (the first is line " + std::to_string(seen_[k]) + ")");
      }
      seen_[k] = line.number;
      return (this->*kKeys[k].read)(line, words);
    }
    return Fail(line.number, words[0].column, "unknown key \"" + words[0].text + "\"");
  }

  bool BeginBoard(const SourceLine& line, const std::vector<Word>& words) {
    if (words.size() > 1) return Fail(line.number, words[1].column, "\"board\" takes nothing; its rows follow it");
    for (std::size_t k = 0; k < std::size(kKeys); ++k) {
      if (seen_[k] == 0) return Fail(line.number, 1, std::string("no \"") + kKeys[k].name + "\" line before the board");
    }
    boardLine_ = line.number;
    ++next_;
    return true;
  }

  // The words a key takes, besides its name.
  bool Expect(const SourceLine& line, const std::vector<Word>& words, std::size_t count, const std::string& usage) {
    if (words.size() == count + 1) return true;
    if (words.size() > count + 1) return Fail(line.number, words[count + 1].column, "too much on the line; write " + usage);
    return Fail(line.number, static_cast<int>(line.text.size()) + 1, "something is missing; write " + usage);
  }

  bool Number(const SourceLine& line, const Word& w, int low, int high, const std::string& what, int& out) {
    const bool digits = !w.text.empty() && w.text.find_first_not_of("0123456789") == std::string::npos;
    if (!digits) return Fail(line.number, w.column, what + " is a number, not \"" + w.text + "\"");
    const long value = w.text.size() > 9 ? -1 : std::stol(w.text);
    if (value < low || value > high) {
      return Fail(line.number, w.column,
                  what + " " + w.text + " is out of range " + std::to_string(low) + ".." + std::to_string(high));
    }
    out = static_cast<int>(value);
    return true;
  }

  // "x,y" on the board, or with `lastX`, `lastY` a smaller area.
  bool Cell(const SourceLine& line, const Word& w, const std::string& what, CellXY& out, int lastX = kColumns - 1,
            int lastY = kRows - 1) {
    const std::size_t comma = w.text.find(',');
    if (comma == std::string::npos) return Fail(line.number, w.column, what + " is a cell column,row, not \"" + w.text + "\"");
    const Word column{w.text.substr(0, comma), w.column};
    const Word row{w.text.substr(comma + 1), w.column + static_cast<int>(comma) + 1};
    return Number(line, column, 0, lastX, what + "'s column", out.x) && Number(line, row, 0, lastY, what + "'s row", out.y);
  }

  bool None(const std::vector<Word>& words) const { return words.size() == 2 && words[1].text == "none"; }

  bool ReadName(const SourceLine& line, const std::vector<Word>& words) {
    if (words.size() < 2) return Fail(line.number, static_cast<int>(line.text.size()) + 1, "the level's name is missing");
    std::string name = line.text.substr(static_cast<std::size_t>(words[1].column - 1));
    name.erase(name.find_last_not_of(" \t") + 1);
    for (std::size_t i = 0; i < name.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(name[i]);
      if (c < 0x20 || c > 0x7E) {
        return Fail(line.number, words[1].column + static_cast<int>(i), "a name is written in plain ASCII letters");
      }
    }
    if (name.size() > static_cast<std::size_t>(kMaxLevelNameLength)) {
      return Fail(line.number, words[1].column + kMaxLevelNameLength,
                  "a name is out of range: at most " + std::to_string(kMaxLevelNameLength) + " letters");
    }
    layout_.name = name;
    return true;
  }

  bool ReadStart(const SourceLine& line, const std::vector<Word>& words) {
    if (!Expect(line, words, 1, "start COLUMN,ROW") || !Cell(line, words[1], "the start", layout_.start)) return false;
    if (layout_.start.x != 0) return Fail(line.number, words[1].column, "the start is out of range: the train comes in at column 0");
    return true;
  }

  bool ReadFinish(const SourceLine& line, const std::vector<Word>& words) {
    return Expect(line, words, 1, "finish COLUMN,ROW") && Cell(line, words[1], "the finish", layout_.finish);
  }

  bool ReadIron(const SourceLine& line, const std::vector<Word>& words) {
    return Expect(line, words, 1, "iron NUMBER") && Number(line, words[1], 0, kMaxLevelIron, "iron", layout_.iron);
  }

  bool ReadMine(const SourceLine& line, const std::vector<Word>& words) {
    if (None(words)) return true;
    const std::string usage = "mine none, or mine COLUMN,ROW reserve NUMBER";
    if (!Expect(line, words, 3, usage)) return false;
    if (words[2].text != "reserve") return Fail(line.number, words[2].column, "write " + usage);
    // The mine's 2 by 2 cells all lie on the board.
    layout_.hasMine = Cell(line, words[1], "the mine's top-left cell", layout_.mine, kColumns - kMineSize,
                           kRows - kMineSize) &&
                      Number(line, words[3], 1, kMaxMineReserve, "the mine's reserve", layout_.mineReserve);
    return layout_.hasMine;
  }

  bool ReadTunnelEnd(const SourceLine& line, const Word& cell, const Word& side, const char* what, int& x, int& y,
                     int& sideOut) {
    CellXY c{};
    if (!Cell(line, cell, what, c)) return false;
    x = c.x;
    y = c.y;
    sideOut = side.text.size() == 1 ? SideOfLetter(side.text[0]) : -1;
    if (sideOut < 0) return Fail(line.number, side.column, std::string(what) + "'s side is N, E, S or W, not \"" + side.text + "\"");
    return true;
  }

  bool ReadTunnels(const SourceLine& line, const std::vector<Word>& words) {
    if (None(words)) return true;
    const std::string usage = "tunnels none, or tunnels COLUMN,ROW SIDE COLUMN,ROW SIDE (entry, then exit)";
    if (words.size() == 3) return Fail(line.number, static_cast<int>(line.text.size()) + 1, "an unpaired tunnel; write " + usage);
    TunnelPair& t = layout_.tunnels;
    if (!Expect(line, words, 4, usage) || !ReadTunnelEnd(line, words[1], words[2], "the entry", t.x0, t.y0, t.side0) ||
        !ReadTunnelEnd(line, words[3], words[4], "the exit", t.x1, t.y1, t.side1)) {
      return false;
    }
    if (t.x0 == t.x1 && t.y0 == t.y1) return Fail(line.number, words[3].column, "the tunnel's two ends are one cell");
    layout_.hasTunnels = true;
    return true;
  }

  bool ReadEvents(const SourceLine& line, const std::vector<Word>& words) {
    layout_.events = EventsCleared;
    if (None(words)) return true;
    const std::string usage = "events none, or events bandits 0..3 raiders 0..3";
    if (!Expect(line, words, 4, usage)) return false;
    if (words[1].text != "bandits") return Fail(line.number, words[1].column, "write " + usage);
    if (words[3].text != "raiders") return Fail(line.number, words[3].column, "write " + usage);
    layout_.events = EventsConfigured;
    return Number(line, words[2], 0, kMaxEventKind, "bandits", layout_.banditsKind) &&
           Number(line, words[4], 0, kMaxEventKind, "raiders", layout_.indigensKind);
  }

  bool ReadTutorial(const SourceLine& line, const std::vector<Word>& words) {
    layout_.firstTutorialPage = kNoTutorial;
    if (None(words)) return true;
    return Expect(line, words, 1, "tutorial none, or tutorial PAGE") &&
           Number(line, words[1], 0, kLastTutorialPage, "the tutorial's page", layout_.firstTutorialPage);
  }

  // ---- The board's rows -------------------------------------------------------

  bool ReadRows() {
    int rows = 0;
    int lastRowLine = boardLine_;
    for (; next_ < lines_.size() && rows < kRows; ++next_) {
      const SourceLine& line = lines_[next_];
      if (IsBlankOrComment(line.text)) continue;
      if (!ReadRow(line, rows)) return false;
      lastRowLine = line.number;
      ++rows;
    }
    if (rows < kRows) {
      return Fail(lastRowLine, 1,
                  "too few rows: the board ends after " + std::to_string(rows) + " of its " + std::to_string(kRows));
    }
    return true;
  }

  bool ReadRow(const SourceLine& line, int y) {
    const std::string& row = line.text;
    for (std::size_t x = 0; x < row.size() && x < static_cast<std::size_t>(kColumns); ++x) {
      if (!KnownLetter(row[x])) {
        return Fail(line.number, static_cast<int>(x) + 1, "unknown letter " + Quoted(row[x]) + " on the board");
      }
    }
    if (row.size() != static_cast<std::size_t>(kColumns)) {
      return Fail(line.number, static_cast<int>(std::min(row.size(), static_cast<std::size_t>(kColumns))) + 1,
                  "a row of " + std::to_string(row.size()) + " cells; the board's rows have " +
                      std::to_string(kColumns));
    }
    rows_[y] = row;
    rowLines_[y] = line.number;
    return true;
  }

  static bool KnownLetter(char c) {
    return c == kFreeLetter || c == kStartLetter || c == kFinishLetter || c == kTunnelLetter || c == kMineLetter ||
           c == kStonesLetter || c == kGoldLetter || SceneryKindOfLetter(c) >= 0;
  }

  bool CheckAfterRows() {
    for (; next_ < lines_.size(); ++next_) {
      if (!IsBlankOrComment(lines_[next_].text)) {
        return Fail(lines_[next_].number, 1, "a 10th row, or other text after the board: it has " + std::to_string(kRows) + " rows");
      }
    }
    return true;
  }

  char Letter(CellXY c) const { return rows_[c.y][static_cast<std::size_t>(c.x)]; }

  // Every cell holding `letter`, row by row.
  std::vector<CellXY> Find(char letter) const {
    std::vector<CellXY> cells;
    for (int y = 0; y < kRows; ++y) {
      for (int x = 0; x < kColumns; ++x) {
        if (Letter({x, y}) == letter) cells.push_back({x, y});
      }
    }
    return cells;
  }

  // ---- What the key lines and the board both say ------------------------------

  bool CheckMarkers() {
    return CheckOneMarker(kStartLetter, layout_.start, "start", "two starts") &&
           CheckOneMarker(kFinishLetter, layout_.finish, "finish", "two finishes") && CheckMine() && CheckTunnels();
  }

  bool CheckOneMarker(char letter, CellXY keyCell, const std::string& what, const std::string& two) {
    const std::vector<CellXY> drawn = Find(letter);
    if (drawn.empty()) {
      return FailAt(keyCell, "no " + what + ": cell " + CellName(keyCell) + " of the \"" + what + "\" line holds " +
                                 Quoted(Letter(keyCell)) + ", not " + Quoted(letter));
    }
    if (drawn.size() > 1) return FailAt(drawn[1], two + ": at " + CellName(drawn[0]) + " and at " + CellName(drawn[1]));
    if (!SameCell(drawn[0], keyCell)) {
      return FailAt(drawn[0], Quoted(letter) + " at " + CellName(drawn[0]) + ", but the \"" + what + "\" line says " +
                                  CellName(keyCell));
    }
    return true;
  }

  bool InMine(CellXY c) const {
    return layout_.hasMine && c.x >= layout_.mine.x && c.x < layout_.mine.x + kMineSize && c.y >= layout_.mine.y &&
           c.y < layout_.mine.y + kMineSize;
  }

  bool CheckMine() {
    const CellXY m = layout_.mine;
    for (int dy = 0; layout_.hasMine && dy < kMineSize; ++dy) {
      for (int dx = 0; dx < kMineSize; ++dx) {
        const CellXY c{m.x + dx, m.y + dy};
        if (Letter(c) != kMineLetter) {
          return FailAt(c, "a mine not 2x2: cell " + CellName(c) + " of the mine at " + CellName(m) + " holds " +
                               Quoted(Letter(c)) + ", not 'M'");
        }
      }
    }
    for (CellXY c : Find(kMineLetter)) {
      if (!layout_.hasMine) return FailAt(c, "'M' at " + CellName(c) + ", but the \"mine\" line says none");
      if (!InMine(c)) return FailAt(c, "a mine not 2x2: 'M' at " + CellName(c) + " lies outside the mine at " + CellName(m));
    }
    return true;
  }

  bool CheckTunnels() {
    const TunnelPair& t = layout_.tunnels;
    const CellXY ends[2] = {{t.x0, t.y0}, {t.x1, t.y1}};
    const char* const names[2] = {"entry", "exit"};
    for (int e = 0; layout_.hasTunnels && e < 2; ++e) {
      if (Letter(ends[e]) != kTunnelLetter) {
        return FailAt(ends[e], std::string("an unpaired tunnel: its ") + names[e] + " at " + CellName(ends[e]) +
                                   " holds " + Quoted(Letter(ends[e])) + ", not 'T'");
      }
    }
    for (CellXY c : Find(kTunnelLetter)) {
      if (!layout_.hasTunnels) return FailAt(c, "an unpaired tunnel: 'T' at " + CellName(c) + ", but the \"tunnels\" line says none");
      if (!SameCell(c, ends[0]) && !SameCell(c, ends[1])) {
        return FailAt(c, "an unpaired tunnel: 'T' at " + CellName(c) + " is neither end of the \"tunnels\" line");
      }
    }
    return true;
  }

  // ---- Scenery, stones and gold -------------------------------------------------

  // Row by row, each scenery letter not yet covered is the top-left cell of a
  // new footprint. Footprints are rectangles, so a board of footprints that
  // do not overlap is read back as the very placements it was drawn from.
  bool PlaceScenery() {
    std::vector<int> owner(kCellCount, -1);
    std::vector<SceneryPlacement>& placed = layout_.scenery;
    for (int y = 0; y < kRows; ++y) {
      for (int x = 0; x < kColumns; ++x) {
        const int kind = SceneryKindOfLetter(Letter({x, y}));
        if (kind < 0 || owner[CellIndex(x, y)] >= 0) continue;
        if (static_cast<int>(placed.size()) == kBuildingPoolSize) {
          return FailAt({x, y}, "too much scenery: a board holds at most " + std::to_string(kBuildingPoolSize));
        }
        if (!ClaimFootprint({kind, x, y}, static_cast<int>(placed.size()), owner)) return false;
        placed.push_back({kind, x, y});
      }
    }
    std::sort(placed.begin(), placed.end(), [](const SceneryPlacement& a, const SceneryPlacement& b) {
      return a.kind != b.kind ? a.kind < b.kind : a.x != b.x ? a.x < b.x : a.y < b.y;
    });
    return true;
  }

  bool ClaimFootprint(const SceneryPlacement& s, int index, std::vector<int>& owner) {
    const int width = BuildingWidth(s.kind), height = BuildingHeight(s.kind);
    const std::string what = std::string("the ") + SceneryName(s.kind) + " (" + Quoted(SceneryLetter(s.kind)) + ", " +
                             std::to_string(width) + "x" + std::to_string(height) + ") at " + CellName({s.x, s.y});
    for (int dy = 0; dy < height; ++dy) {
      for (int dx = 0; dx < width; ++dx) {
        const CellXY c{s.x + dx, s.y + dy};
        if (!OnBoard(c.x, c.y)) return FailAt({s.x, s.y}, "a footprint cut short: " + what + " runs off the board");
        if (Letter(c) != SceneryLetter(s.kind)) {
          return FailAt(c, "a footprint cut short: " + what + " needs cell " + CellName(c) + ", which holds " +
                               Quoted(Letter(c)));
        }
        const int other = owner[CellIndex(c.x, c.y)];
        if (other >= 0) {
          const SceneryPlacement& o = layout_.scenery[static_cast<std::size_t>(other)];
          return FailAt(c, "overlapping footprints: " + what + " and the one at " + CellName({o.x, o.y}) +
                               " both cover " + CellName(c));
        }
      }
    }
    for (int dy = 0; dy < height; ++dy) {
      for (int dx = 0; dx < width; ++dx) owner[CellIndex(s.x + dx, s.y + dy)] = index;
    }
    return true;
  }

  // Stones and gold, column by column as the placements are kept.
  bool PlaceLoose(char letter, const std::string& what, int most, std::vector<CellXY>& cells) {
    cells = Find(letter);
    if (static_cast<int>(cells.size()) > most) {
      return FailAt(cells[static_cast<std::size_t>(most)],
                    "too many " + what + ": a board holds at most " + std::to_string(most));
    }
    std::sort(cells.begin(), cells.end(), [](CellXY a, CellXY b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
    return true;
  }

  const std::string& text_;
  const std::string& file_;
  std::vector<SourceLine> lines_;
  std::size_t next_ = 0;
  int seen_[kKeyCount] = {};  // the line of each key, 0 until read
  int boardLine_ = 0;
  std::string rows_[kRows];
  int rowLines_[kRows] = {};
  LevelLayout layout_{};
  std::string error_;
};

// In the order the writer writes them.
const LevelReader::Key LevelReader::kKeys[kKeyCount] = {
    {"name", &LevelReader::ReadName},   {"start", &LevelReader::ReadStart},   {"finish", &LevelReader::ReadFinish},
    {"iron", &LevelReader::ReadIron},   {"mine", &LevelReader::ReadMine},     {"tunnels", &LevelReader::ReadTunnels},
    {"events", &LevelReader::ReadEvents}, {"tutorial", &LevelReader::ReadTutorial},
};

}  // namespace

bool ReadLevelText(const std::string& text, const std::string& fileName, LevelLayout& out, std::string& error) {
  return LevelReader(text, fileName).Read(out, error);
}

bool LoadLevelFile(const std::string& path, LevelLayout& out, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": cannot be read (" + std::strerror(errno) + ")";
    return false;
  }
  std::string text;
  char block[4096];
  while (in.read(block, sizeof block) || in.gcount() > 0) {
    text.append(block, static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxLevelFileBytes) {
      error = path + ": too large for a level file";
      return false;
    }
  }
  return ReadLevelText(text, path, out, error);
}
