// Where the data tests find the committed data folder, and whole-file reading.
#pragma once

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace datatest {

// TARVEX_DATA_DIR when set (CTest sets it), else "data" in the working directory.
inline std::string DataFolder() {
  const char* dir = std::getenv("TARVEX_DATA_DIR");
  return dir ? dir : "data";
}

// The bytes of a file below the data folder; empty when it cannot be read.
inline std::vector<unsigned char> ReadAll(const std::string& relative) {
  std::ifstream in(DataFolder() + "/" + relative, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace datatest
