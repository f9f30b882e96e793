// The label under a printed grid, worded by the panel's difficulties.
#include "cli/difficulty_label.h"

#include <cstdio>

#include "generator/difficulties.h"

const char* difficultyWord(const LineRating& rating) {
  const Difficulty& last = kDifficulties[kDifficultyCount - 1];
  if (rating.atLeast) return rating.tenths >= last.minRating ? last.name : nullptr;
  const char* word = nullptr;
  for (const Difficulty& difficulty : kDifficulties)
    if (rating.tenths >= difficulty.minRating) word = difficulty.name;
  return word;
}

void formatDifficultyLabel(const LineRating& rating, char out[kDifficultyLabelSize]) {
  const char* word = difficultyWord(rating);
  const char* bound = rating.atLeast ? "\u2265" : "";
  const int whole = rating.tenths / 10;
  const int tenth = rating.tenths % 10;
  if (word == nullptr) {
    std::snprintf(out, kDifficultyLabelSize, "%s%d.%d", bound, whole, tenth);
  } else {
    std::snprintf(out, kDifficultyLabelSize, "%s \u00b7 %s%d.%d", word, bound, whole, tenth);
  }
}
