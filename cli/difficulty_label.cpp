// The label under a printed grid, worded by the panel's difficulties.
#include "cli/difficulty_label.h"

#include "cli/result_text.h"
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
  int length = 0;
  if (word != nullptr) length = appendText(out, appendText(out, length, word), " \u00b7 ");
  if (rating.atLeast) length = appendText(out, length, "\u2265");
  out[appendRating(out, length, rating.tenths)] = '\0';
}
