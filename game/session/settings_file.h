// The player's settings kept in their own file "settings.sav" of the embedded
// file system, beside the save and the records and stored with them: the
// volumes and their switches, full screen or the window's place, the cues and
// the key bindings. Read at start-up; a state without the file (one from
// before it existed, or a first run) starts with the switches on and full
// screen, as the game always started. A file with the wrong count or a value
// out of range is set aside as "settings.damaged" with one line on standard
// output, and the defaults are used.
#pragma once

#include "game/rules/state.h"

class c_FileStream;

constexpr const char* kSettingsFileName = "settings.sav";
constexpr const char* kDamagedSettingsFileName = "settings.damaged";
// The file's layout version, its first value.
constexpr int kSettingsLayout = 1;
// layout, music volume and last, effects volume and last, full screen, the
// window's x, y, width, height, shapes with colours, reduced motion, the
// binding count, then one key per binding.
constexpr int kSettingsValuesBeforeKeys = 13;
constexpr int kSettingsValueCount = kSettingsValuesBeforeKeys + kKeyActionCount;
// Bounds of a remembered window.
constexpr int kSmallestWindow = 320;
constexpr int kLargestWindow = 16384;

// The settings a game starts with when it has none: everything on, full screen.
Settings DefaultSettings();
// The file's values into settings; false when any is missing, extra, not a
// whole number or out of its range (settings are then left unchanged).
bool ReadSettings(c_FileStream* file, Settings* settings);
// The settings' values, appended to the (empty) file.
void WriteSettings(const Settings& settings, c_FileStream* file);

// Whether two settings hold the same values, every one of them.
bool SameSettings(const Settings& a, const Settings& b);

// The settings in the file system, or the defaults.
Settings LoadSettings();
// Writes the settings into the file system and stores the state file.
void SaveSettings(const Settings& settings);
