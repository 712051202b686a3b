// Feeds arbitrary bytes, decoded as a state text, to the settings reader, and
// checks that whatever it accepts is in range, writes back and reads back the
// same, and writes the same text again.
#include <cstddef>
#include <cstdint>

#include "game/session/settings_file.h"
#include "support/file_system.h"

namespace {

c_FileSystem* Load(const String& text) {
  c_FileSystem* fs = new c_FileSystem;
  fs->separator = String("\t");
  fs->LoadFilesFromText(text);
  return fs;
}

// The settings written into a file system of their own, as its state text.
String Written(const Settings& settings) {
  c_FileSystem* fs = Load(String());
  WriteSettings(settings, fs->CreateFile(String(kSettingsFileName)));
  return fs->BuildStateText();
}

bool InRange(const Settings& s) {
  return s.musicVolume >= 0 && s.musicVolume <= kFullVolume && s.effectsVolume >= 0 &&
         s.effectsVolume <= kFullVolume && s.musicOn == (s.musicVolume > 0 ? 1 : 0) &&
         s.soundOn == (s.effectsVolume > 0 ? 1 : 0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  GcInitLists();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  c_FileSystem* fs = Load(DecodeText(data, size));
  c_FileStream* file = fs->OpenFile(String(kSettingsFileName));
  Settings first;
  if (file != nullptr && ReadSettings(file, &first)) {
    if (!InRange(first)) __builtin_trap();
    const String text = Written(first);
    c_FileStream* again = Load(text)->OpenFile(String(kSettingsFileName));
    Settings second;
    if (again == nullptr || !ReadSettings(again, &second)) __builtin_trap();
    if (!SameSettings(first, second)) __builtin_trap();
    if (!(Written(second) == text)) __builtin_trap();
  }
  GcCollectAll();
  return 0;
}
