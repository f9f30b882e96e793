// A file's whole text, for tests that check what a program wrote.
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
