// A saved state in the embedded file system holding one file of the given
// tab-separated values (or none for ""), as the game finds it at start-up:
// for the tests of the state's small files (daily results, custom records).
#pragma once

#include <string>

#include "support/file_system.h"

inline void UseStateValues(const std::string& fileName, const std::string& values) {
  fileSystem = new c_FileSystem;
  fileSystem->separator = String("\t");
  int count = 1;
  for (char c : values) count += c == '\t';
  const std::string file = values.empty() ? "" : "\t" + fileName + "\t" + std::to_string(count) + "\t" + values;
  fileSystem->LoadFilesFromText(String::FromUtf8(std::string("TVXDATA\t") + (values.empty() ? "0" : "1") + file));
}
