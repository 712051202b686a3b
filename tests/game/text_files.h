// Whole files as text, for the tests that write files for the program to
// read and read what it wrote.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

inline std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteTextFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}
