#include "game/session/settings_file.h"

#include <string>

#include "runtime/error.h"
#include "support/file_system.h"

namespace {

constexpr int kFarthestWindowPlace = 16384;

bool IsWholeNumber(const String& token) {
  std::string text = token.ToUtf8();
  if (!text.empty() && text[0] == '-') text.erase(0, 1);
  if (text.empty() || text.size() > 9) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

bool ReadVolume(c_FileStream* file, int* volume, int* last) {
  *volume = file->NextInt();
  *last = file->NextInt();
  return InRange(*volume, 0, kFullVolume) && InRange(*last, 1, kFullVolume);
}

bool ReadWindow(c_FileStream* file, WindowPlace* window) {
  window->x = file->NextInt();
  window->y = file->NextInt();
  window->width = file->NextInt();
  window->height = file->NextInt();
  const bool none = window->width == 0 && window->height == 0;
  const bool sized = InRange(window->width, kSmallestWindow, kLargestWindow) &&
                     InRange(window->height, kSmallestWindow, kLargestWindow);
  return (none || sized) && InRange(window->x, -kFarthestWindowPlace, kFarthestWindowPlace) &&
         InRange(window->y, -kFarthestWindowPlace, kFarthestWindowPlace);
}

// Every action a key of its own, each one the game can hear.
bool ReadKeys(c_FileStream* file, KeyBindings* keys) {
  if (file->NextInt() != kKeyActionCount) return false;
  for (int i = 0; i < kKeyActionCount; ++i) {
    keys->keys[i] = file->NextInt();
    if (!BindableKey(keys->keys[i])) return false;
    for (int j = 0; j < i; ++j) {
      if (keys->keys[j] == keys->keys[i]) return false;
    }
  }
  return true;
}

bool ReadFlag(c_FileStream* file, int* flag) {
  *flag = file->NextInt();
  return InRange(*flag, 0, 1);
}

// The damaged file's text moves to a file of its own, where nothing reads it.
void SetAside(c_FileSystem* fs, c_FileStream* damaged) {
  c_FileStream* aside = fs->CreateFile(String(kDamagedSettingsFileName));
  aside->valueText = damaged->valueText;
  aside->valueCount = damaged->valueCount;
  WriteSettings(DefaultSettings(), fs->CreateFile(String(kSettingsFileName)));
  Print(String("The settings in ") + String(kSettingsFileName) + String(" are damaged; they are kept as ") +
        String(kDamagedSettingsFileName) + String(" and the game starts with its default settings"));
}

}  // namespace

Settings DefaultSettings() {
  Settings settings;
  settings.soundOn = 1;
  settings.musicOn = 1;
  settings.fullScreenOn = 1;
  return settings;
}

bool SameSettings(const Settings& a, const Settings& b) {
  return a.soundOn == b.soundOn && a.musicOn == b.musicOn && a.fullScreenOn == b.fullScreenOn &&
         a.musicVolume == b.musicVolume && a.musicLastVolume == b.musicLastVolume &&
         a.effectsVolume == b.effectsVolume && a.effectsLastVolume == b.effectsLastVolume && a.window == b.window &&
         a.shapesWithColours == b.shapesWithColours && a.reducedMotion == b.reducedMotion && a.keys == b.keys;
}

bool ReadSettings(c_FileStream* file, Settings* settings) {
  if (file->readTokens.Length() != kSettingsValueCount) return false;
  for (int i = 0; i < file->readTokens.Length(); ++i) {
    if (!IsWholeNumber(file->readTokens[i])) return false;
  }
  Settings read = DefaultSettings();
  if (file->NextInt() != kSettingsLayout) return false;
  if (!ReadVolume(file, &read.musicVolume, &read.musicLastVolume)) return false;
  if (!ReadVolume(file, &read.effectsVolume, &read.effectsLastVolume)) return false;
  if (!ReadFlag(file, &read.fullScreenOn) || !ReadWindow(file, &read.window)) return false;
  if (!ReadFlag(file, &read.shapesWithColours) || !ReadFlag(file, &read.reducedMotion)) return false;
  if (!ReadKeys(file, &read.keys)) return false;
  read.musicOn = read.musicVolume > 0 ? 1 : 0;
  read.soundOn = read.effectsVolume > 0 ? 1 : 0;
  *settings = read;
  return true;
}

void WriteSettings(const Settings& s, c_FileStream* file) {
  for (int value : {kSettingsLayout, s.musicVolume, s.musicLastVolume, s.effectsVolume, s.effectsLastVolume,
                    s.fullScreenOn, s.window.x, s.window.y, s.window.width, s.window.height, s.shapesWithColours,
                    s.reducedMotion, kKeyActionCount}) {
    file->AppendInt(value);
  }
  for (int key : s.keys.keys) file->AppendInt(key);
}

Settings LoadSettings() {
  c_FileSystem* fs = fileSystem;
  if (fs == nullptr) return DefaultSettings();
  c_FileStream* file = fs->OpenFile(String(kSettingsFileName));
  if (file == nullptr) return DefaultSettings();
  Settings settings;
  if (ReadSettings(file, &settings)) return settings;
  SetAside(fs, file);
  return DefaultSettings();
}

void SaveSettings(const Settings& settings) {
  c_FileSystem* fs = fileSystem;
  if (fs == nullptr) return;
  WriteSettings(settings, fs->CreateFile(String(kSettingsFileName)));
  if (fs->SaveFilesToState() != 0) {
    Print(String("The settings could not be saved"));
  }
}
