// A file's whole text, for tests that give a program its input and check
// what it wrote.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

// The bytes of path as they stand, or "" when it cannot be opened.
inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Writes text to path as it stands, replacing what was there.
inline void writeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}
