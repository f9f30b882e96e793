#include "logic/technique_names.h"

#include <cstdio>

#include "logic/techniques.h"

namespace {

// The word a dynamic chain gains at each level above the plain one.
constexpr const char* kLevelWords[] = {"", "Plus", "Nested2", "Nested3", "Nested4"};

}  // namespace

void writeTechniqueName(Technique technique, int level, char* text, int size) {
  const int clamped = level < 0 ? 0 : level > 4 ? 4 : level;
  std::snprintf(text, std::size_t(size), "%s%s", techniqueRow(technique).word,
                kLevelWords[clamped]);
}

const char* techniqueWords(Technique technique) {
  return techniqueRow(technique).words;
}
