// What vantric-print writes under a grid: the rating and its difficulty's word.
#pragma once

#include "cli/rating_fields.h"

// Room for the longest label, "Expert · ≥99.9", and a terminating zero.
constexpr int kDifficultyLabelSize = 32;

// The difficulty's word for a rating: the one of kDifficulties whose range
// holds it, or, between two ranges, the one below, whose least it has
// passed. Null below the first range, and for a lower bound that does not
// reach the last, open range, which only then is sure.
const char* difficultyWord(const LineRating& rating);
// "Medium · 3.4", "Expert · ≥11.1", or the rating alone when it has no word.
void formatDifficultyLabel(const LineRating& rating, char out[kDifficultyLabelSize]);
