#include "host/memory_files.h"

#include <cstdlib>

MemoryFiles::~MemoryFiles() {
  while (!writing_.empty()) Close(writing_.begin()->first);
}

bool MemoryFiles::Get(const std::string& path, std::string* text) const {
  const auto it = files_.find(path);
  if (it == files_.end()) return false;
  *text = it->second;
  return true;
}

std::vector<std::string> MemoryFiles::NamesIn(const std::string& folder) const {
  std::vector<std::string> names;
  for (auto it = files_.lower_bound(folder); it != files_.end(); ++it) {
    const std::string& path = it->first;
    if (path.compare(0, folder.size(), folder) != 0) break;
    const std::string name = path.substr(folder.size());
    if (!name.empty() && name.find('/') == std::string::npos) names.push_back(name);
  }
  return names;
}

std::FILE* MemoryFiles::Open(const std::string& path, const char* mode) {
  if (mode[0] == 'w' || mode[0] == 'a') {
    auto* w = new Writing;
    w->path = path;
    std::FILE* file = open_memstream(&w->buffer, &w->size);
    if (!file) {
      delete w;
      return nullptr;
    }
    if (mode[0] == 'a') {
      const auto it = files_.find(path);
      if (it != files_.end()) std::fwrite(it->second.data(), 1, it->second.size(), file);
    }
    writing_[file] = w;
    return file;
  }
  const auto it = files_.find(path);
  if (it == files_.end()) return HostFiles::Open(path, mode);
  // A copy in memory of its own, gone when closed (an empty one is an
  // anonymous temporary file: a memory stream cannot be empty). The stream
  // ends its text with a zero byte, which must not overwrite the last one.
  std::FILE* file = it->second.empty() ? std::tmpfile() : fmemopen(nullptr, it->second.size() + 1, "w+");
  if (!file) return nullptr;
  if (std::fwrite(it->second.data(), 1, it->second.size(), file) != it->second.size()) {
    std::fclose(file);
    return nullptr;
  }
  std::rewind(file);
  return file;
}

bool MemoryFiles::Sync(std::FILE* file) {
  if (writing_.count(file)) return std::fflush(file) == 0;
  return HostFiles::Sync(file);
}

bool MemoryFiles::Close(std::FILE* file) {
  const auto it = writing_.find(file);
  if (it == writing_.end()) return HostFiles::Close(file);
  Writing* w = it->second;
  writing_.erase(it);
  const bool closed = std::fclose(file) == 0;
  files_[w->path] = std::string(w->buffer ? w->buffer : "", w->size);
  std::free(w->buffer);
  delete w;
  return closed;
}

bool MemoryFiles::Rename(const std::string& from, const std::string& to) {
  const auto it = files_.find(from);
  if (it == files_.end()) return false;  // nothing on the disk is ever renamed
  std::string text = std::move(it->second);
  files_.erase(it);
  files_[to] = std::move(text);
  return true;
}

void MemoryFiles::Remove(const std::string& path) { files_.erase(path); }
