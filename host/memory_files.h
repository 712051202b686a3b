// Files for a run that must leave the disk as it found it (a replay): every
// file written goes to memory, and a file read is served from memory when it
// was written or given there, from the disk otherwise (the game's data). The
// state file is given at the start, so the player's own is never read.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/platform.h"

class MemoryFiles final : public HostFiles {
 public:
  MemoryFiles() = default;
  MemoryFiles(const MemoryFiles&) = delete;
  MemoryFiles& operator=(const MemoryFiles&) = delete;
  ~MemoryFiles() override;
  // Gives path the content text, as if the file held it.
  void Put(const std::string& path, const std::string& text) { files_[path] = text; }
  // The content of a file in memory; false when there is none.
  bool Get(const std::string& path, std::string* text) const;
  // The names of the files in memory directly inside `folder` (which ends in
  // "/"), sorted.
  std::vector<std::string> NamesIn(const std::string& folder) const;

  std::FILE* Open(const std::string& path, const char* mode) override;
  bool Sync(std::FILE* file) override;
  bool Close(std::FILE* file) override;
  bool Rename(const std::string& from, const std::string& to) override;
  void Remove(const std::string& path) override;
  void SyncFolder(const std::string&) override {}

 private:
  struct Writing {
    std::string path;
    char* buffer = nullptr;
    std::size_t size = 0;
  };
  std::map<std::string, std::string> files_;
  std::map<std::FILE*, Writing*> writing_;
};
