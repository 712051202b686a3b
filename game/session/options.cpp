#include "game/session/options.h"

#include <cstdlib>
#include <cstring>

#include "game/session/print_level.h"
#include "game/rules/state.h"

namespace {

struct OptionRow {
  const char* name;
  const char* valueName;  // null: the option takes no value; "[...]": an optional one
  const char* help;
  // Applies the option; false with a reason when its value does not fit.
  bool (*apply)(GameOptions* options, const char* value, std::string* error);
  // For an option with optional words after it: takes one (a word not
  // starting with "--"); false with a reason when it does not fit.
  bool (*more)(GameOptions* options, const char* word, std::string* error) = nullptr;
};

bool ReadSeed(const std::string& text, std::uint32_t* seed) {
  if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
  if (value > 0xFFFFFFFFull) return false;
  *seed = static_cast<std::uint32_t>(value);
  return true;
}

const OptionRow kOptions[] = {
    {"--help", nullptr, "show this text",
     [](GameOptions* o, const char*, std::string*) {
       o->help = true;
       return true;
     }},
    {"--version", nullptr, "print the game's name and version and exit",
     [](GameOptions* o, const char*, std::string*) {
       o->version = true;
       return true;
     }},
    {"--print-level", "N|FILE",
     "print level N (1..15), or the level file FILE, as laid out\n"
     "                     at its start and exit; 9 lines of 13 cells, row 0\n"
     "                     first (legend below)",
     [](GameOptions* o, const char* value, std::string* error) {
       const std::string text = value;
       if (text.empty()) {
         *error = "--print-level needs a level number or a level file";
         return false;
       }
       // Anything but a number names a file.
       if (text.find_first_not_of("0123456789") != std::string::npos) {
         o->printLevelFile = text;
         return true;
       }
       const long n = text.size() > 4 ? 0 : std::strtol(value, nullptr, 10);
       if (n < 1 || n > kLevelCount) {
         *error = "--print-level needs a level number from 1 to " + std::to_string(kLevelCount);
         return false;
       }
       o->printLevel = static_cast<int>(n);
       return true;
     }},
    {"--check-level", "FILE",
     "read the level file FILE and say whether a new game's\n"
     "                     workers can win it, and how; exit 0 only then",
     [](GameOptions* o, const char* value, std::string* error) {
       o->checkLevelFile = value;
       if (o->checkLevelFile.empty()) *error = "--check-level needs a level file";
       return !o->checkLevelFile.empty();
     }},
    {"--generate", "SEED [easy|medium|hard] [FILE]",
     "write the level the seed (0..4294967295) makes, medium\n"
     "                     unless told, into FILE, or print it; the same seed\n"
     "                     makes the same file on every machine",
     [](GameOptions* o, const char* value, std::string* error) {
       o->generate = true;
       if (ReadSeed(value, &o->generateSeed)) return true;
       *error = std::string("--generate needs a seed from 0 to 4294967295: ") + value;
       return false;
     },
     [](GameOptions* o, const char* word, std::string* error) {
       if (!o->generateDifficultyGiven && o->generateFile.empty() && ParseDifficulty(word, o->generateDifficulty)) {
         o->generateDifficultyGiven = true;
         return true;
       }
       if (!o->generateFile.empty()) {
         *error = std::string("--generate takes one file: ") + word;
         return false;
       }
       o->generateFile = word;
       return true;
     }},
    {"--daily", "[YYYY-MM-DD]",
     "print the daily line's level of that day (today's,\n"
     "                     UTC, without a date) with its par",
     [](GameOptions* o, const char*, std::string*) {
       o->daily = true;
       return true;
     },
     [](GameOptions* o, const char* word, std::string* error) {
       if (!o->dailyDate.empty()) {
         *error = std::string("--daily takes one date: ") + word;
         return false;
       }
       o->dailyDate = word;
       return true;
     }},
    {"--record", "FILE", "play, and record the session into FILE",
     [](GameOptions* o, const char* value, std::string*) {
       o->recordFile = value;
       return true;
     }},
    {"--replay", "FILE", "play the session FILE back; it ends with a line of the\n"
     "                     outcome (see the README)",
     [](GameOptions* o, const char* value, std::string*) {
       o->replayFile = value;
       return true;
     }},
    {"--headless", nullptr, "with --replay: no window and no sound, at full speed",
     [](GameOptions* o, const char*, std::string*) {
       o->headless = true;
       return true;
     }},
    {"--play-level", "FILE", "play the level FILE; nothing of it is recorded, and\n"
     "                     leaving it goes back to the title",
     [](GameOptions* o, const char* value, std::string*) {
       o->playLevelFile = value;
       return true;
     }},
    {"--edit-level", "FILE", "open the level FILE in the level editor (a new level\n"
     "                     when it is missing); saving writes it, once the\n"
     "                     solver proves it can be won",
     [](GameOptions* o, const char* value, std::string* error) {
       o->editLevelFile = value;
       if (o->editLevelFile.empty()) *error = "--edit-level needs a level file";
       return !o->editLevelFile.empty();
     }},
};

// The keyboard and the gamepad: the whole game plays without a mouse.
const char* const kPlayKeys =
    "Keys (a gamepad's buttons in brackets):\n"
    "  Enter, Space [A]     press the highlighted button; continue; turn a page\n"
    "  arrows [D-pad, left stick]\n"
    "                       move the highlight, or the cursor on the board;\n"
    "                       Left and Right pick the level on the map\n"
    "  Tab                  the next button of the menu, the map or a panel\n"
    "  1 to 8, Q, E [LB, RB]\n"
    "                       a palette slot; the previous, the next one\n"
    "  Delete, Backspace [B]\n"
    "                       drop the selected piece ([B] also closes the pause\n"
    "                       panel and leaves the map)\n"
    "  T [X]                TIME: send the train off\n"
    "  H [Y]                a hint: the next pieces of a cheapest way to finish\n"
    "  S                    after a crash: watch the solver play the level\n"
    "  Escape [Start]       pause and resume; from the map, back to the menu\n";

const OptionRow* FindOption(const char* name) {
  for (const OptionRow& row : kOptions) {
    if (std::strcmp(row.name, name) == 0) return &row;
  }
  return nullptr;
}

}  // namespace

bool ParseGameOptions(int argc, char** argv, GameOptions* options, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const OptionRow* row = FindOption(argv[i]);
    if (row == nullptr) {
      *error = std::string("unknown option: ") + argv[i];
      return false;
    }
    const char* value = nullptr;
    if (row->valueName != nullptr && row->valueName[0] != '[') {
      if (i + 1 >= argc) {
        *error = std::string(row->name) + " needs a value: " + row->valueName;
        return false;
      }
      value = argv[++i];
    }
    if (!row->apply(options, value, error)) return false;
    while (row->more != nullptr && i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0) {
      if (!row->more(options, argv[++i], error)) return false;
    }
  }
  if (options->headless && options->replayFile.empty()) {
    *error = "--headless goes with --replay";
    return false;
  }
  if (!options->recordFile.empty() && !options->replayFile.empty()) {
    *error = "--record and --replay cannot go together";
    return false;
  }
  if (!options->playLevelFile.empty() && !(options->recordFile.empty() && options->replayFile.empty())) {
    *error = "--play-level goes alone";
    return false;
  }
  if (!options->editLevelFile.empty() &&
      !(options->recordFile.empty() && options->replayFile.empty() && options->playLevelFile.empty())) {
    *error = "--edit-level goes alone";
    return false;
  }
  return true;
}

std::string GameUsage() {
  std::string text =
      "Usage: rails-against-time [option]\n"
      "Without an option the game starts, full screen.\n"
      "\n";
  for (const OptionRow& row : kOptions) {
    std::string left = std::string("  ") + row.name + (row.valueName ? std::string(" ") + row.valueName : "");
    // The help starts in column 21; after a longer option, on the next line.
    if (left.size() < 21) {
      left.resize(21, ' ');
    } else {
      left += "\n" + std::string(21, ' ');
    }
    text += left + row.help + "\n";
  }
  return text + "\n" + kPlayKeys + "\nThe cells of --print-level:\n" + kBoardLegend +
         "\nA level file's own letters are listed in the README (\"Level files\").\n";
}
