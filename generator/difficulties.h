// The difficulties by rating range: the browser's panel makes new puzzles at
// them, and vantric-print words a printed puzzle's rating with them.
#pragma once

#include "generator/puzzle_maker.h"

// A range of ratings in tenths, both ends included.
struct Difficulty {
  const char* name;
  int minRating;
  int maxRating;
};
constexpr Difficulty kDifficulties[] = {
    {"Easy", 10, 23},
    {"Medium", 25, 45},
    {"Hard", 50, 69},
    {"Expert", 70, kNoRatingLimit},
};
constexpr int kDifficultyCount = int(sizeof kDifficulties / sizeof kDifficulties[0]);
