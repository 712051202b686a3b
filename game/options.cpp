#include "game/options.h"

#include <cstring>

namespace {

struct OptionRow {
  const char* name;
  const char* valueName;  // null: the option takes no value
  const char* help;
  // Applies the option; false with a reason when its value does not fit.
  bool (*apply)(GameOptions* options, const char* value, std::string* error);
};

const OptionRow kOptions[] = {
    {"--help", nullptr, "print this help and end",
     [](GameOptions* o, const char*, std::string*) {
       o->help = true;
       return true;
     }},
};

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
    if (row->valueName != nullptr) {
      if (i + 1 >= argc) {
        *error = std::string(row->name) + " needs a value: " + row->valueName;
        return false;
      }
      value = argv[++i];
    }
    if (!row->apply(options, value, error)) return false;
  }
  return true;
}

std::string GameUsage() {
  std::string text =
      "usage: rails-against-time [option]\n"
      "Lay railway track against the clock. Started without options, the game opens full screen.\n";
  for (const OptionRow& row : kOptions) {
    std::string left = std::string("  ") + row.name + (row.valueName ? std::string(" ") + row.valueName : "");
    if (left.size() < 24) left.resize(24, ' ');
    text += left + row.help + "\n";
  }
  return text;
}
