// What the player-file fuzzers share: the state file kept in memory under a
// host of its own, and the game's start-up load and its save over it.
//
// Each input is the whole state file. It is loaded as a start-up loads it
// (the file system from the state file, then the progress and the records),
// saved as the game saves, and loaded again; each fuzzer checks its own file
// through that cycle.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "game/rules/state.h"
#include "game/screens/level_records.h"
#include "game/session/records_file.h"
#include "game/session/save_file.h"
#include "host/files.h"
#include "host/game.h"
#include "host/memory_files.h"
#include "runtime/gc.h"
#include "support/file_system.h"

namespace player_files {

// A folder that does not exist, so that the disk never answers for it.
inline const char* const kStateFolder = "/nonexistent-tarvex-fuzz/";

inline MemoryFiles& Files() {
  static MemoryFiles files;
  return files;
}

// Once per process: the collector, a host whose files are all in memory, and
// the game's lines on standard output silenced (libFuzzer reports on
// standard error).
inline void SetUp() {
  GcInitLists();
  SetStateFolder(kStateFolder);
  static BBGame host(&Files());
  std::freopen("/dev/null", "w", stdout);
}

// The state file's bytes, or "" with found false.
inline std::string StateFile(const std::string& name, bool* found = nullptr) {
  std::string text;
  const bool there = Files().Get(StateFolder() + name, &text);
  if (found) *found = there;
  return text;
}

// Everything a load leaves of the player's progress, in save order.
inline std::string ProgressValues() {
  const Progress& p = gameState.progress;
  std::string values;
  for (int v : {p.currentLevel, p.totalScore, p.totalGold, p.ownedWorkers, p.gameCompleted, p.progressSpare}) {
    values += std::to_string(v) + ",";
  }
  for (int i = 0; i < kLevelCount; ++i) values += std::to_string(levelStates[i]) + ",";
  for (int i = 0; i < kLevelCount; ++i) {
    values += std::to_string(p.countedScore[i]) + "/" + std::to_string(p.countedGold[i]) + ",";
  }
  return values;
}

inline std::string RecordValues(const LevelRecords& records) {
  std::string values;
  for (const LevelRecord& r : records.levels) {
    for (int v : {r.won ? 1 : 0, r.bestScore, r.fastestSeconds, r.wonWithoutHint ? 1 : 0, r.stars}) {
      values += std::to_string(v) + ",";
    }
  }
  return values;
}

// One start-up's load, as the game makes it on leaving the title.
struct Loaded {
  std::string progress;
  LevelRecords records;
  bool hadSave = false;  // the file system held "trandle.sav" before the load
};

inline Loaded StartUp() {
  ResetGameState();
  CreateFileSystem();
  Loaded loaded;
  loaded.hadSave = fileSystem->OpenFile(String(kSaveFileName)) != nullptr;
  LoadProgress();
  loaded.progress = ProgressValues();
  loaded.records = LoadRecords();
  return loaded;
}

// A fresh disk holding only the state file with these bytes.
inline void PutStateFile(const std::uint8_t* data, std::size_t size) {
  for (const char* name : {".tarvexstate", ".tarvexstate.new", ".tarvexstate.damaged"}) {
    Files().Remove(StateFolder() + name);
  }
  Files().Put(StateFilePath(), std::string(reinterpret_cast<const char*>(data), size));
}

// The values of a stream of the current file system ("" with found false).
inline std::string StreamText(const char* name, bool* found) {
  c_FileStream* stream = fileSystem->OpenFile(String(name));
  *found = stream != nullptr;
  return stream ? stream->valueText.ToUtf8() : std::string();
}

}  // namespace player_files

// Stops the fuzzer on a broken promise, naming it.
#define PLAYER_FILES_CHECK(condition)                                      \
  do {                                                                     \
    if (!(condition)) {                                                    \
      std::fprintf(stderr, "player file check failed: %s\n", #condition); \
      __builtin_trap();                                                    \
    }                                                                      \
  } while (0)
